#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/errors.h"

namespace scr {

// A seekable byte source: the executable file (through the platform) or memory. The
// package readers work on this, so they stay free of OS calls.
class TStream {
 public:
  virtual ~TStream() = default;
  virtual int64_t Size() const = 0;
  virtual int64_t Position() const = 0;
  // Moves to an absolute position; positions past the end are allowed (reads then fail).
  virtual void Seek(int64_t position) = 0;
  // Reads up to out.size() bytes; returns how many arrived (fewer only at the end).
  virtual size_t Read(std::span<uint8_t> out) = 0;

  // Reads exactly out.size() bytes or raises "Stream read error".
  void ReadBuffer(std::span<uint8_t> out) {
    if (Read(out) != out.size()) throw EReadError(kStreamReadError);
  }
  int64_t Remaining() const {
    const int64_t r = Size() - Position();
    return r > 0 ? r : 0;
  }
};

// A stream over bytes held in memory (a view; the bytes must outlive the stream).
class TMemoryStream : public TStream {
 public:
  explicit TMemoryStream(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override { position_ = position < 0 ? 0 : position; }
  size_t Read(std::span<uint8_t> out) override;

 private:
  std::span<const uint8_t> bytes_;
  int64_t position_ = 0;
};

// A growable byte sink used by the writers.
class TByteWriter {
 public:
  void Byte(uint8_t b) { bytes_.push_back(b); }
  void Bytes(std::span<const uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  void U16(uint16_t v) { Byte(static_cast<uint8_t>(v)); Byte(static_cast<uint8_t>(v >> 8)); }
  void U32(uint32_t v) { U16(static_cast<uint16_t>(v)); U16(static_cast<uint16_t>(v >> 16)); }
  void U64(uint64_t v) { U32(static_cast<uint32_t>(v)); U32(static_cast<uint32_t>(v >> 32)); }
  const std::vector<uint8_t>& Data() const { return bytes_; }
  std::vector<uint8_t>& Data() { return bytes_; }
  size_t Size() const { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace scr
