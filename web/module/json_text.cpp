#include "web/module/json_text.h"

#include <cstdio>

namespace scr::web {

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

void TJsonObject::Name(std::string_view name) {
  if (text_.size() > 1) text_ += ",";
  text_ += JsonString(name) + ":";
}

TJsonObject& TJsonObject::Add(std::string_view name, std::string_view value) {
  Name(name);
  text_ += JsonString(value);
  return *this;
}

TJsonObject& TJsonObject::Add(std::string_view name, int64_t value) {
  Name(name);
  text_ += std::to_string(value);
  return *this;
}

TJsonObject& TJsonObject::Add(std::string_view name, bool value) {
  Name(name);
  text_ += value ? "true" : "false";
  return *this;
}

TJsonObject& TJsonObject::AddRaw(std::string_view name, std::string_view value) {
  Name(name);
  text_ += value;
  return *this;
}

}  // namespace scr::web
