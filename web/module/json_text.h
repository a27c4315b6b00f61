#pragma once
// The little JSON the module hands the page: strings escaped, members appended.
#include <cstdint>
#include <string>
#include <string_view>

namespace scr::web {

// text (UTF-8) as a JSON string literal.
std::string JsonString(std::string_view text);

class TJsonObject {
 public:
  TJsonObject& Add(std::string_view name, std::string_view value);
  TJsonObject& Add(std::string_view name, const char* value) { return Add(name, std::string_view(value)); }
  TJsonObject& Add(std::string_view name, int64_t value);
  TJsonObject& Add(std::string_view name, bool value);
  // value is JSON text already.
  TJsonObject& AddRaw(std::string_view name, std::string_view value);
  std::string Text() const { return text_ + "}"; }

 private:
  void Name(std::string_view name);
  std::string text_ = "{";
};

}  // namespace scr::web
