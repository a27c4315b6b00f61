#pragma once
// FFmpeg's error codes as the system's exceptions.
#include <string>

extern "C" {
#include <libavutil/error.h>
}

#include "common/errors.h"

namespace scr::media {

inline std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// Throws scr::Exception("what: FFmpeg's reason") when code is an error.
inline int AvCheck(int code, const std::string& what) {
  if (code < 0) throw Exception(what + ": " + AvErrorText(code));
  return code;
}

}  // namespace scr::media
