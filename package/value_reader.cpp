#include "package/value_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/ansi_text.h"

namespace scr {

void ThrowReadError() { throw EReadError(kStreamReadError); }
void ThrowInvalidPropertyValue() { throw EReadError("Invalid property value"); }
void ThrowInvalidStreamFormat() { throw EReadError(kInvalidStreamFormat); }

namespace {

template <size_t N>
std::array<uint8_t, N> ReadArray(TStream& s) {
  std::array<uint8_t, N> b{};
  s.ReadBuffer(b);
  return b;
}

uint32_t U32(const std::array<uint8_t, 4>& b) {
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
         (static_cast<uint32_t>(b[3]) << 24);
}

}  // namespace

uint8_t TValueReader::ReadByte() { return ReadArray<1>(stream_)[0]; }

uint8_t TValueReader::PeekByte() {
  const int64_t at = stream_.Position();
  const uint8_t b = ReadByte();
  stream_.Seek(at);
  return b;
}

uint32_t TValueReader::ReadLength(uint32_t unitSize) {
  const auto n = static_cast<int32_t>(U32(ReadArray<4>(stream_)));
  if (n < 0 || static_cast<int64_t>(n) * unitSize > stream_.Remaining()) ThrowReadError();
  return static_cast<uint32_t>(n);
}

std::string TValueReader::ReadBytes(size_t count) {
  if (static_cast<int64_t>(count) > stream_.Remaining()) ThrowReadError();
  std::string s(count, '\0');
  stream_.ReadBuffer(std::span<uint8_t>(reinterpret_cast<uint8_t*>(s.data()), s.size()));
  return s;
}

void TValueReader::SkipBytes(int64_t count) {
  if (count < 0 || count > stream_.Remaining()) ThrowReadError();
  stream_.Seek(stream_.Position() + count);
}

std::string TValueReader::ReadShortString() { return ReadBytes(ReadByte()); }

void TValueReader::ReadSignature() {
  std::array<uint8_t, 4> b{};
  if (stream_.Read(b) != b.size() || std::memcmp(b.data(), kStreamSignature, 4) != 0) ThrowInvalidStreamFormat();
}

uint8_t TValueReader::ExpectTag(std::initializer_list<TValueTag> allowed) {
  const uint8_t tag = ReadByte();
  if (std::none_of(allowed.begin(), allowed.end(), [tag](TValueTag t) { return static_cast<uint8_t>(t) == tag; }))
    ThrowInvalidPropertyValue();
  return tag;
}

int32_t TValueReader::ReadInteger() {
  switch (static_cast<TValueTag>(ExpectTag({TValueTag::Int8, TValueTag::Int16, TValueTag::Int32}))) {
    case TValueTag::Int8:
      return static_cast<int8_t>(ReadByte());
    case TValueTag::Int16: {
      const auto b = ReadArray<2>(stream_);
      return static_cast<int16_t>(b[0] | (b[1] << 8));
    }
    default:
      return static_cast<int32_t>(U32(ReadArray<4>(stream_)));
  }
}

std::string TValueReader::ReadIdent() {
  switch (static_cast<TValueTag>(
      ExpectTag({TValueTag::Ident, TValueTag::False, TValueTag::True, TValueTag::Null, TValueTag::Nil}))) {
    case TValueTag::Ident:
      return ReadShortString();
    case TValueTag::False:
      return "False";
    case TValueTag::True:
      return "True";
    case TValueTag::Null:
      return "Null";
    default:
      return "nil";
  }
}

std::string TValueReader::ReadWideString() {
  const uint32_t units = ReadLength(2);
  std::u16string wide(units, u'\0');
  for (char16_t& u : wide) {
    const auto b = ReadArray<2>(stream_);
    u = static_cast<char16_t>(b[0] | (b[1] << 8));
  }
  return textForm_ == TTextForm::Ansi ? Utf16ToAnsi(wide) : Utf16ToUtf8(wide);
}

std::string TValueReader::SingleByte(std::string bytes) {
  if (IsAscii(bytes)) return bytes;
  sawSingleByteText_ = true;
  return textForm_ == TTextForm::Ansi ? bytes : ansi_(bytes);
}

std::string TValueReader::ReadString() {
  switch (static_cast<TValueTag>(
      ExpectTag({TValueTag::String, TValueTag::LString, TValueTag::WString, TValueTag::Utf8String}))) {
    case TValueTag::String:
      return SingleByte(ReadShortString());
    case TValueTag::LString:
      return SingleByte(ReadBytes(ReadLength()));
    case TValueTag::WString:
      return ReadWideString();
    default:
      return textForm_ == TTextForm::Ansi ? Utf8ToAnsi(ReadBytes(ReadLength())) : SanitizeUtf8(ReadBytes(ReadLength()));
  }
}

std::vector<std::string> TValueReader::ReadSet() {
  ExpectTag({TValueTag::Set});
  std::vector<std::string> names;
  for (std::string name = ReadShortString(); !name.empty(); name = ReadShortString()) names.push_back(std::move(name));
  return names;
}

std::vector<uint8_t> TValueReader::ReadBinary() {
  ExpectTag({TValueTag::Binary});
  std::vector<uint8_t> block(ReadLength());
  stream_.ReadBuffer(block);
  return block;
}

void TValueReader::SkipValue(int depth) {
  if (depth > kMaxSkipDepth) ThrowInvalidStreamFormat();
  const uint8_t tag = ReadByte();
  switch (static_cast<TValueTag>(tag)) {
    case TValueTag::Null:
    case TValueTag::False:
    case TValueTag::True:
    case TValueTag::Nil:
      return;
    case TValueTag::List:
      while (PeekByte() != 0) SkipValue(depth + 1);
      ReadByte();
      return;
    case TValueTag::Int8:
      return SkipBytes(1);
    case TValueTag::Int16:
      return SkipBytes(2);
    case TValueTag::Int32:
    case TValueTag::Single:
      return SkipBytes(4);
    case TValueTag::Extended:
      return SkipBytes(10);
    case TValueTag::Currency:
    case TValueTag::Date:
    case TValueTag::Int64:
      return SkipBytes(8);
    case TValueTag::String:
    case TValueTag::Ident:
      return SkipBytes(ReadByte());
    case TValueTag::Binary:
    case TValueTag::LString:
    case TValueTag::Utf8String:
      return SkipBytes(ReadLength());
    case TValueTag::WString:
      return SkipBytes(int64_t{2} * ReadLength(2));
    case TValueTag::Set:
      for (uint8_t n = ReadByte(); n != 0; n = ReadByte()) SkipBytes(n);
      return;
    case TValueTag::Collection:
      while (PeekByte() != 0) {
        const uint8_t next = PeekByte();
        if (next >= static_cast<uint8_t>(TValueTag::Int8) && next <= static_cast<uint8_t>(TValueTag::Int32))
          SkipValue(depth + 1);
        // Each item opens like a list.
        if (ReadByte() != static_cast<uint8_t>(TValueTag::List)) ThrowInvalidStreamFormat();
        while (PeekByte() != 0) SkipProperty(depth + 1);
        ReadByte();
      }
      ReadByte();
      return;
  }
  ThrowInvalidStreamFormat();
}

void TValueReader::SkipProperty(int depth) {
  SkipBytes(ReadByte());
  SkipValue(depth);
}

}  // namespace scr
