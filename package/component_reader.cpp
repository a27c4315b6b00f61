#include "package/component_reader.h"

#include "common/ascii.h"
#include "package/image.h"
#include "package/settings.h"
#include "package/type_info.h"
#include "package/value_reader.h"

namespace scr {

void TClassRegistry::Register(std::string_view className, TFactory factory) {
  classes_.emplace_back(std::string(className), factory);
}

std::unique_ptr<TComponent> TClassRegistry::Create(std::string_view className) const {
  for (const auto& [name, factory] : classes_)
    if (SameText(name, className)) return factory();
  return nullptr;
}

const TClassRegistry& PackageClasses() {
  static const TClassRegistry registry = [] {
    TClassRegistry r;
    r.Register("TSSFileLocations", [] { return std::unique_ptr<TComponent>(new TSSFileLocations); });
    r.Register("TImage", [] { return std::unique_ptr<TComponent>(new TImage); });
    return r;
  }();
  return registry;
}

namespace {

void ReadValueInto(TValueReader& r, TPersistent& object, const TPropInfo& prop) {
  const TTypeInfo& type = *prop.type;
  switch (type.kind) {
    case TTypeKind::Integer: {
      if (r.PeekByte() == static_cast<uint8_t>(TValueTag::Ident)) {
        const std::optional<int32_t> v = IdentToInt(type, r.ReadIdent());
        if (!v) ThrowInvalidPropertyValue();
        prop.setOrd(object, *v);
      } else {
        prop.setOrd(object, r.ReadInteger());
      }
      return;
    }
    case TTypeKind::Enumeration: {
      const std::optional<int32_t> v = NameToOrdinal(type, r.ReadIdent());
      if (!v) ThrowInvalidPropertyValue();
      prop.setOrd(object, *v);
      return;
    }
    case TTypeKind::Set: {
      int32_t bits = 0;
      for (const std::string& element : r.ReadSet()) {
        const std::optional<int32_t> v = NameToOrdinal(type, element);
        if (!v) ThrowInvalidPropertyValue();
        bits |= int32_t{1} << *v;
      }
      prop.setOrd(object, bits);
      return;
    }
    case TTypeKind::String:
      prop.setStr(object, r.ReadString());
      return;
    case TTypeKind::Binary:
      prop.setBinary(object, r.ReadBinary());
      return;
    case TTypeKind::Class:
      // An owned object takes its values through dotted paths only.
      break;
  }
  ThrowInvalidPropertyValue();
}

void ReadProperty(TValueReader& r, TComponent& root) {
  const std::string path = r.ReadShortString();
  std::string_view part;
  try {
    TPersistent* current = &root;
    size_t start = 0;
    for (;;) {
      const size_t dot = path.find('.', start);
      part = std::string_view(path).substr(start, dot == std::string::npos ? std::string::npos : dot - start);
      if (dot == std::string::npos) break;
      const TPropInfo* owner = FindProperty(current->ClassInfo(), part);
      if (owner == nullptr || owner->type->kind != TTypeKind::Class) throw EReadError("Invalid property path");
      current = &owner->object(*current);
      start = dot + 1;
    }
    if (const TPropInfo* prop = FindProperty(current->ClassInfo(), part))
      ReadValueInto(r, *current, *prop);
    else
      r.SkipValue();  // a property this system does not use
  } catch (Exception& e) {
    const std::string_view label = root.Name().empty() ? root.ClassName() : std::string_view(root.Name());
    e.SetMessage("Error reading " + std::string(label) + "." + std::string(part) + ": " + e.Message());
    throw;
  }
}

void ReadPrefix(TValueReader& r) {
  if ((r.PeekByte() & 0xF0) != 0xF0) return;
  const uint8_t flags = r.ReadByte() & 0x0F;
  if (flags & 0x02) r.ReadInteger();  // the child position, of no use here
}

// Child object records do not occur in packages; they are read past whole.
void SkipObject(TValueReader& r, int depth) {
  if (depth > kMaxSkipDepth) ThrowInvalidStreamFormat();
  ReadPrefix(r);
  r.ReadShortString();
  r.ReadShortString();
  while (r.PeekByte() != 0) r.SkipProperty(depth);
  r.ReadByte();
  while (r.PeekByte() != 0) SkipObject(r, depth + 1);
  r.ReadByte();
}

void ReadBody(TValueReader& r, TComponent& object) {
  object.SetName(r.ReadShortString());
  while (r.PeekByte() != 0) ReadProperty(r, object);
  r.ReadByte();
  while (r.PeekByte() != 0) SkipObject(r, 1);
  r.ReadByte();
}

}  // namespace

std::unique_ptr<TComponent> ReadComponentStream(TStream& stream, const TClassRegistry& classes, TTextForm textForm,
                                                TAnsiDecoder ansi) {
  TValueReader r(stream, textForm, ansi);
  r.ReadSignature();
  ReadPrefix(r);
  const std::string className = r.ReadShortString();
  std::unique_ptr<TComponent> object = classes.Create(className);
  if (!object) throw EClassNotFound("Class " + className + " not found");
  ReadBody(r, *object);
  return object;
}

std::optional<std::vector<uint8_t>> ReadPictureDataBlock(TStream& stream) {
  TValueReader r(stream);
  r.ReadSignature();
  ReadPrefix(r);
  r.ReadShortString();
  r.ReadShortString();
  std::optional<std::vector<uint8_t>> block;
  while (r.PeekByte() != 0) {
    if (SameText(r.ReadShortString(), "Picture.Data"))
      block = r.ReadBinary();
    else
      r.SkipValue();
  }
  r.ReadByte();
  while (r.PeekByte() != 0) SkipObject(r, 1);
  r.ReadByte();
  return block;
}

void ReadComponentStream(TStream& stream, TComponent& target, TTextForm textForm, TAnsiDecoder ansi,
                         bool* sawSingleByteText) {
  TValueReader r(stream, textForm, ansi);
  r.ReadSignature();
  ReadPrefix(r);
  r.ReadShortString();
  ReadBody(r, target);
  if (sawSingleByteText) *sawSingleByteText = r.SawSingleByteText();
}

}  // namespace scr
