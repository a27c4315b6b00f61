#pragma once
// Files as the platform gives them: the executable opened for reading (a TStream),
// content files created for writing, deletion. Errors carry the system's own texts.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "common/stream.h"

namespace scr {

// A file that cannot be opened ("Cannot open file "%s". %s").
class EFOpenError : public Exception { using Exception::Exception; };
// Bytes that could not be written ("Stream write error").
class EWriteError : public Exception { using Exception::Exception; };

inline constexpr const char* kStreamWriteError = "Stream write error";

// "Cannot create file "<path>". <system text>"
std::string CreateErrorText(std::string_view path, std::string_view systemText);
// "Cannot open file "<path>". <system text>"
std::string OpenErrorText(std::string_view path, std::string_view systemText);

}  // namespace scr

namespace scr::platform {

// A file open for writing; closed when the object goes.
class TWriteStream {
 public:
  virtual ~TWriteStream() = default;
  // Writes all of bytes or raises EWriteError.
  virtual void Write(std::span<const uint8_t> bytes) = 0;
};

// Copies exactly count bytes from src's current position into dst. A count of 0 or
// below copies nothing. Raises "Stream read error" when fewer than count bytes remain
// in src; that is checked before anything is written, so a truncated package never
// makes the copy allocate or write more than the source holds.
void CopyBytes(TStream& src, TWriteStream& dst, int64_t count);

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // Opens an existing file for reading; others may read it but not write it while it
  // is open. Raises EFOpenError.
  virtual std::unique_ptr<TStream> OpenRead(const std::string& path) = 0;
  // Creates the file for writing, replacing an existing one; no sharing while it is
  // open. Raises EFCreateError.
  virtual std::unique_ptr<TWriteStream> Create(const std::string& path) = 0;
  // Deletes a file; false when that failed.
  virtual bool Delete(const std::string& path) = 0;
  // Whether a file (not a folder) of that path exists.
  virtual bool Exists(const std::string& path) const = 0;
};

}  // namespace scr::platform
