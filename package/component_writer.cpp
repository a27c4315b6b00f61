#include "package/component_writer.h"

#include <stdexcept>
#include <string>

#include "common/ansi_text.h"
#include "package/picture_data.h"
#include "package/type_info.h"
#include "package/value_reader.h"

namespace scr {

namespace {

void Tag(TByteWriter& out, TValueTag tag) { out.Byte(static_cast<uint8_t>(tag)); }

}  // namespace

void TComponentStreamWriter::Signature() {
  for (char c : kStreamSignature) out_.Byte(static_cast<uint8_t>(c));
}

void TComponentStreamWriter::ObjectHeader(std::string_view className, std::string_view objectName) {
  ShortString(className);
  ShortString(objectName);
}

void TComponentStreamWriter::End() { out_.Byte(0); }

void TComponentStreamWriter::ShortString(std::string_view s) {
  if (s.size() > 255) throw std::length_error("short string longer than 255 bytes: " + std::string(s.substr(0, 32)));
  out_.Byte(static_cast<uint8_t>(s.size()));
  out_.Bytes(std::span(reinterpret_cast<const uint8_t*>(s.data()), s.size()));
}

void TComponentStreamWriter::Integer(int32_t value) {
  if (value >= -128 && value <= 127) {
    Tag(out_, TValueTag::Int8);
    out_.Byte(static_cast<uint8_t>(value));
  } else if (value >= -32768 && value <= 32767) {
    Tag(out_, TValueTag::Int16);
    out_.U16(static_cast<uint16_t>(value));
  } else {
    Tag(out_, TValueTag::Int32);
    out_.U32(static_cast<uint32_t>(value));
  }
}

void TComponentStreamWriter::String(std::string_view value) {
  if (textForm_ != TTextForm::Ansi && !IsAscii(value)) {
    if (textForm_ == TTextForm::Utf8SingleByte) {
      if (const std::optional<std::string> ansi = Utf8ToAnsiExact(value)) return SingleByte(*ansi);
    }
    if (value.size() > INT32_MAX) throw std::length_error("string too long for a stream");
    Tag(out_, TValueTag::Utf8String);
    out_.U32(static_cast<uint32_t>(value.size()));
    out_.Bytes(std::span(reinterpret_cast<const uint8_t*>(value.data()), value.size()));
    return;
  }
  SingleByte(value);
}

void TComponentStreamWriter::SingleByte(std::string_view value) {
  const std::span bytes(reinterpret_cast<const uint8_t*>(value.data()), value.size());
  if (value.size() <= 255) {
    Tag(out_, TValueTag::String);
    out_.Byte(static_cast<uint8_t>(value.size()));
  } else {
    if (value.size() > INT32_MAX) throw std::length_error("string too long for a stream");
    Tag(out_, TValueTag::LString);
    out_.U32(static_cast<uint32_t>(value.size()));
  }
  out_.Bytes(bytes);
}

void TComponentStreamWriter::Ident(std::string_view name) {
  Tag(out_, TValueTag::Ident);
  ShortString(name);
}

void TComponentStreamWriter::Boolean(bool value) { Tag(out_, value ? TValueTag::True : TValueTag::False); }

void TComponentStreamWriter::Set(std::span<const std::string_view> elements) {
  Tag(out_, TValueTag::Set);
  for (std::string_view e : elements) ShortString(e);
  End();
}

void TComponentStreamWriter::Binary(std::span<const uint8_t> block) {
  if (block.size() > INT32_MAX) throw std::length_error("block too long for a stream");
  Tag(out_, TValueTag::Binary);
  out_.U32(static_cast<uint32_t>(block.size()));
  out_.Bytes(block);
}

void TComponentStreamWriter::Properties(const TPersistent& object, std::string_view pathPrefix) {
  for (const TPropInfo* p : AllProperties(object.ClassInfo())) {
    if (!p->stored) continue;
    const std::string name = std::string(pathPrefix) + std::string(p->name);
    const TTypeInfo& type = *p->type;
    switch (type.kind) {
      case TTypeKind::Integer:
      case TTypeKind::Enumeration:
      case TTypeKind::Set: {
        const int32_t v = p->getOrd(object);
        if (p->hasDefault && v == p->defaultOrd) break;
        PropertyName(name);
        if (type.kind == TTypeKind::Set) {
          std::vector<std::string_view> elements;
          for (size_t bit = 0; bit < type.names.size(); ++bit)
            if (v & (int32_t{1} << bit)) elements.push_back(type.names[bit]);
          Set(elements);
        } else if (type.kind == TTypeKind::Enumeration) {
          if (&type == &BooleanType())
            Boolean(v != 0);
          else if (v >= 0 && static_cast<size_t>(v) < type.names.size())
            Ident(type.names[static_cast<size_t>(v)]);
          else
            throw std::out_of_range("enumeration value out of range for " + name);
        } else if (const auto ident = IntToIdent(type, v)) {
          Ident(*ident);
        } else {
          Integer(v);
        }
        break;
      }
      case TTypeKind::String: {
        const std::string v = p->getStr(object);
        if (v.empty()) break;
        PropertyName(name);
        String(v);
        break;
      }
      case TTypeKind::Class:
        Properties(p->constObject(object), name + ".");
        break;
      case TTypeKind::Binary:
        break;  // blocks are written by their owners (see BuildImageStream)
    }
  }
}

std::vector<uint8_t> WriteComponentStream(const TComponent& component, TTextForm textForm) {
  TComponentStreamWriter w(textForm);
  w.Signature();
  w.ObjectHeader(component.ClassName(), component.Name());
  w.Properties(component);
  w.End();
  w.End();
  return w.Take();
}

std::vector<uint8_t> BuildImageStream(std::span<const uint8_t> pictureData) {
  TComponentStreamWriter w;
  w.Signature();
  w.ObjectHeader("TImage", "");
  w.PropertyName("Picture.Data");
  w.Binary(pictureData);
  w.End();
  w.End();
  return w.Take();
}

std::vector<uint8_t> BuildImageStream(std::string_view pictureClassName, std::span<const uint8_t> fileBytes) {
  return BuildImageStream(EncodePictureData(pictureClassName, fileBytes));
}

}  // namespace scr
