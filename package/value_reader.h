#pragma once
// The tagged values of component streams: reading each kind, and passing over any
// value by its tag. Every length is checked against the bytes left in the stream
// before anything is allocated, so a damaged stream fails with "Stream read error"
// instead of asking for memory it does not hold.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "common/stream.h"

namespace scr {

enum class TValueTag : uint8_t {
  Null = 0,        // end of a list or object; as a value the identifier "Null"
  List = 1,        // values until a 0
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,    // 80-bit float
  String = 6,      // 1-byte length
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,     // 4-byte length
  Set = 11,        // short strings until an empty one
  LString = 12,    // 4-byte length
  Nil = 13,
  Collection = 14,
  Single = 15,
  Currency = 16,
  Date = 17,
  WString = 18,    // 4-byte count of UTF-16 units
  Int64 = 19,
  Utf8String = 20, // 4-byte length
};

// How string values reach the program and how they are stored.
// - Ansi: the program's strings are the system's single-byte text, read and written as
//   such (tags 18 and 20 converted to Windows-1252); old savers' own form.
// - Utf8: the program's strings are UTF-8 (the runtime, the tools). Single-byte text is
//   read through the system's ANSI code page (the reader's TAnsiDecoder), UTF-16 and
//   UTF-8 strings as they are. A writer stores ASCII text single-byte and every other
//   text as a UTF-8 string (tag 20), so each reader shows it as typed.
// - Utf8SingleByte: read like Utf8; a writer stores text that fits Windows-1252
//   single-byte (tag 6 or 12) and only the rest as UTF-8, as older savers were written,
//   so rebuilding such a saver gives the same bytes.
enum class TTextForm { Ansi, Utf8, Utf8SingleByte };

inline constexpr char kStreamSignature[4] = {'T', 'P', 'F', '0'};
// How deeply skipped lists, collections and child objects may nest.
inline constexpr int kMaxSkipDepth = 64;

class TValueReader {
 public:
  explicit TValueReader(TStream& stream, TTextForm textForm = TTextForm::Ansi, TAnsiDecoder ansi = AnsiToUtf8)
      : stream_(stream), textForm_(textForm), ansi_(ansi) {}
  TStream& Stream() { return stream_; }

  uint8_t ReadByte();
  // The next byte, without moving past it.
  uint8_t PeekByte();
  // Reads a 4-byte count or length; raises "Stream read error" when it is negative or
  // more than `unitSize` times it would run past the end of the stream.
  uint32_t ReadLength(uint32_t unitSize = 1);
  std::string ReadBytes(size_t count);
  void SkipBytes(int64_t count);
  std::string ReadShortString();

  // "TPF0", else "Invalid stream format".
  void ReadSignature();

  // Tag 2, 3 or 4 and its payload; any other tag raises "Invalid property value".
  int32_t ReadInteger();
  // An identifier: tag 7, or the identifiers that tags 0, 8, 9 and 13 stand for.
  std::string ReadIdent();
  // Tag 6 or 12 as bytes; tag 18 or 20 converted to the ANSI code page. In UTF-8 form
  // every tag is converted to UTF-8 instead.
  std::string ReadString();
  // Whether a string read so far held non-ASCII text in the single-byte form.
  bool SawSingleByteText() const { return sawSingleByteText_; }
  // Tag 11: the element names.
  std::vector<std::string> ReadSet();
  // Tag 10: the block.
  std::vector<uint8_t> ReadBinary();

  // Passes over one value (tag and payload), recursively for lists, sets and
  // collections. Nesting deeper than kMaxSkipDepth raises "Invalid stream format", as
  // does a tag that is not in the table.
  void SkipValue(int depth = 0);
  // Passes over a property record: its name and its value.
  void SkipProperty(int depth = 0);

 private:
  uint8_t ExpectTag(std::initializer_list<TValueTag> allowed);
  std::string ReadWideString();

  std::string SingleByte(std::string bytes);

  TStream& stream_;
  TTextForm textForm_;
  TAnsiDecoder ansi_;
  bool sawSingleByteText_ = false;
};

[[noreturn]] void ThrowReadError();
[[noreturn]] void ThrowInvalidPropertyValue();
[[noreturn]] void ThrowInvalidStreamFormat();

}  // namespace scr
