#pragma once
#include <stdexcept>
#include <string>
#include <utility>

namespace scr {

// The general exception class: every error the system raises carries its message text
// exactly as the user or a caller sees it.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message), message_(message) {}
  const char* what() const noexcept override { return message_.c_str(); }
  std::string Message() const { return message_; }
  // Replaces the text while keeping the error's class: the stream reader puts the object
  // and property name in front of an error raised inside a property record.
  void SetMessage(std::string message) { message_ = std::move(message); }

 private:
  std::string message_;
};

// Text that is not an integer where one is required (command-line handle).
class EConvertError : public Exception { using Exception::Exception; };
// Stream errors: "Stream read error", "Invalid stream format", and the reader's wrapped
// "Error reading ..." messages.
class EReadError : public Exception { using Exception::Exception; };
class EFilerError : public Exception { using Exception::Exception; };
class EClassNotFound : public EFilerError { using EFilerError::EFilerError; };
// A picture's data cannot be decoded ("Bitmap image is not valid", decoder messages).
class EInvalidGraphic : public Exception { using Exception::Exception; };
// A component given a name that is not an identifier.
class EComponentError : public Exception { using Exception::Exception; };
// An object read from a stream is not of the class the caller needs.
class EInvalidCast : public Exception { using Exception::Exception; };
// A file cannot be created ("Cannot create file "%s". %s").
class EFCreateError : public Exception { using Exception::Exception; };

inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kInvalidStreamFormat = "Invalid stream format";
inline constexpr const char* kIndexOutOfBounds = "Index is out of bounds";

}  // namespace scr
