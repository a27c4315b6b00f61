#pragma once
// Writing component streams: the tagged values one by one (for tests and tools that
// need streams of any shape), and whole objects through their published properties.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "common/stream.h"
#include "package/persistent.h"
#include "package/value_reader.h"

namespace scr {

class TComponentStreamWriter {
 public:
  explicit TComponentStreamWriter(TTextForm textForm = TTextForm::Ansi) : textForm_(textForm) {}

  void Signature();
  // The object record's opening: class name and object name.
  void ObjectHeader(std::string_view className, std::string_view objectName);
  // The 0 that ends the properties, the children, a list or a set.
  void End();
  void ShortString(std::string_view s);  // 255 bytes at most (std::length_error beyond)
  void PropertyName(std::string_view name) { ShortString(name); }

  // Values, each with its tag: integers with the smallest of tags 2, 3, 4; strings of
  // up to 255 bytes with tag 6 and longer ones with tag 12. In the UTF-8 forms
  // non-ASCII text is stored as a UTF-8 string (tag 20), except that
  // Utf8SingleByte stores text that fits Windows-1252 single-byte (see TTextForm).
  void Integer(int32_t value);
  void String(std::string_view value);
  void Ident(std::string_view name);
  void Boolean(bool value);
  void Set(std::span<const std::string_view> elements);
  void Set(std::initializer_list<std::string_view> elements) { Set(std::span(elements.begin(), elements.size())); }
  void Binary(std::span<const uint8_t> block);

  // Writes every stored property of `object` in stream order: ordinals equal to a
  // declared default and empty strings are left out; integers with a name in their
  // type's identifier table are written as that identifier; objects of class-typed
  // properties are written as their own properties under dotted names.
  void Properties(const TPersistent& object, std::string_view pathPrefix = {});

  TByteWriter& Out() { return out_; }
  const std::vector<uint8_t>& Data() const { return out_.Data(); }
  std::vector<uint8_t> Take() { return std::move(out_.Data()); }

 private:
  void SingleByte(std::string_view value);  // tag 6 or 12, the bytes as they are

  TByteWriter out_;
  TTextForm textForm_;
};

// The complete stream of one component: signature, header with its name, properties,
// end of properties, end of children.
// In UTF-8 form the component's strings hold UTF-8 text (see TTextForm).
std::vector<uint8_t> WriteComponentStream(const TComponent& component, TTextForm textForm = TTextForm::Ansi);

// An image stream of class "TImage" carrying a picture data block (picture class
// name and its data) as "Picture.Data".
std::vector<uint8_t> BuildImageStream(std::span<const uint8_t> pictureData);
// The same for a picture file: className "TBitmap", "TJPEGImage", "TIcon" or
// "TMetafile" with the file's bytes.
std::vector<uint8_t> BuildImageStream(std::string_view pictureClassName, std::span<const uint8_t> fileBytes);

}  // namespace scr
