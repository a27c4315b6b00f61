#pragma once
// Reading one component stream ("TPF0", an object record with its property records)
// into an object: the settings record, or an image.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"
#include "common/stream.h"
#include "package/persistent.h"
#include "package/value_reader.h"

namespace scr {

// The classes a stream may create by name (compared without regard to ASCII case).
class TClassRegistry {
 public:
  using TFactory = std::unique_ptr<TComponent> (*)();
  void Register(std::string_view className, TFactory factory);
  // A new object of that class, or nullptr when the class is not known.
  std::unique_ptr<TComponent> Create(std::string_view className) const;

 private:
  std::vector<std::pair<std::string, TFactory>> classes_;
};

// The classes made known at program start-up: "TSSFileLocations" and "TImage".
const TClassRegistry& PackageClasses();

// Reads a stream from the current position and creates the object of the class it
// names. Fails with "Invalid stream format" (no "TPF0"), "Stream read error" (cut
// short), "Class <name> not found", "''<name>'' is not a valid component name", or
// "Error reading <object>.<property>: <message>" for anything that goes wrong inside a
// property record (the error keeps its class). A failed read frees the object.
// In the UTF-8 forms strings arrive as UTF-8, single-byte text decoded by `ansi`.
std::unique_ptr<TComponent> ReadComponentStream(TStream& stream, const TClassRegistry& classes = PackageClasses(),
                                                TTextForm textForm = TTextForm::Ansi, TAnsiDecoder ansi = AnsiToUtf8);

// Reads a stream into an existing object; the class name in the stream is read past
// and ignored. After a failure the target keeps the properties read before it.
// In the UTF-8 forms the target's strings receive UTF-8 text, single-byte text decoded
// by `ansi` (see TTextForm). `sawSingleByteText`, when given, is set to whether a
// string held non-ASCII text in the single-byte form (a complete read only).
void ReadComponentStream(TStream& stream, TComponent& target, TTextForm textForm = TTextForm::Ansi,
                         TAnsiDecoder ansi = AnsiToUtf8, bool* sawSingleByteText = nullptr);

// Reads an image stream's "Picture.Data" block as stored, without decoding it;
// nothing when the stream has none. Fails like ReadComponentStream on a damaged stream.
std::optional<std::vector<uint8_t>> ReadPictureDataBlock(TStream& stream);

// Reads a stream that must create an object of class T; another class raises
// EInvalidCast("Invalid class typecast").
template <class T>
std::unique_ptr<T> ReadComponentAs(TStream& stream, const TClassRegistry& classes = PackageClasses(),
                                   TTextForm textForm = TTextForm::Ansi, TAnsiDecoder ansi = AnsiToUtf8) {
  std::unique_ptr<TComponent> object = ReadComponentStream(stream, classes, textForm, ansi);
  T* typed = dynamic_cast<T*>(object.get());
  if (typed == nullptr) throw EInvalidCast("Invalid class typecast");
  object.release();
  return std::unique_ptr<T>(typed);
}

}  // namespace scr
