#pragma once
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/stream.h"
#include "package/component_reader.h"
#include "package/settings.h"

namespace scr::test {

// Reads a settings stream into a fresh record (errors propagate).
inline TSSFileLocations ReadSettings(const std::vector<uint8_t>& bytes) {
  TMemoryStream s(bytes);
  TSSFileLocations settings;
  ReadComponentStream(s, settings);
  return settings;
}

// The message of the error that reading `bytes` as a new object raises, "" for none.
inline std::string CreateError(const std::vector<uint8_t>& bytes, const TClassRegistry& classes = PackageClasses()) {
  TMemoryStream s(bytes);
  try {
    ReadComponentStream(s, classes);
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}

// The same reading into a target record.
inline std::string TargetError(const std::vector<uint8_t>& bytes, TSSFileLocations& target) {
  TMemoryStream s(bytes);
  try {
    ReadComponentStream(s, target);
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}

inline std::string TargetError(const std::vector<uint8_t>& bytes) {
  TSSFileLocations target;
  return TargetError(bytes, target);
}

}  // namespace scr::test
