#include "package/property_text.h"

#include <cstdio>

#include "common/comma_text.h"
#include "common/errors.h"
#include "common/int_convert.h"
#include "package/type_info.h"

namespace scr {

namespace {

void Collect(const TPersistent& object, const std::string& prefix, std::vector<TPropertyRef>& out) {
  for (const TPropInfo* p : AllProperties(object.ClassInfo())) {
    const std::string path = prefix + std::string(p->name);
    if (p->type->kind == TTypeKind::Class)
      Collect(p->constObject(object), path + ".", out);
    else if (p->type->kind != TTypeKind::Binary)
      out.push_back({path, p, &object});
  }
}

[[noreturn]] void Invalid(std::string_view path, std::string_view text) {
  throw Exception("Invalid value for " + std::string(path) + ": " + std::string(text));
}

}  // namespace

std::vector<TPropertyRef> ListProperties(const TPersistent& root) {
  std::vector<TPropertyRef> out;
  Collect(root, "", out);
  return out;
}

std::string PropertyText(const TPersistent& object, const TPropInfo& info) {
  const TTypeInfo& type = *info.type;
  switch (type.kind) {
    case TTypeKind::Integer: {
      const int32_t v = info.getOrd(object);
      if (const auto ident = IntToIdent(type, v)) return std::string(*ident);
      if (&type == &ColorType()) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "$%08X", static_cast<unsigned>(v));
        return hex;
      }
      return std::to_string(v);
    }
    case TTypeKind::Enumeration: {
      const int32_t v = info.getOrd(object);
      if (v >= 0 && static_cast<size_t>(v) < type.names.size()) return std::string(type.names[static_cast<size_t>(v)]);
      return std::to_string(v);
    }
    case TTypeKind::Set: {
      const int32_t v = info.getOrd(object);
      std::string text = "[";
      for (size_t bit = 0; bit < type.names.size(); ++bit) {
        if (!(v & (int32_t{1} << bit))) continue;
        if (text.size() > 1) text += ',';
        text += type.names[bit];
      }
      return text + "]";
    }
    case TTypeKind::String:
      return info.getStr(object);
    case TTypeKind::Class:
    case TTypeKind::Binary:
      break;
  }
  return {};
}

void SetPropertyText(TPersistent& root, std::string_view path, std::string_view text) {
  TPersistent* current = &root;
  std::string_view rest = path;
  const TPropInfo* info = nullptr;
  for (;;) {
    const size_t dot = rest.find('.');
    info = FindProperty(current->ClassInfo(), rest.substr(0, dot));
    if (info == nullptr) throw Exception("Unknown property " + std::string(path));
    if (dot == std::string_view::npos) break;
    if (info->type->kind != TTypeKind::Class) throw Exception("Unknown property " + std::string(path));
    current = &info->object(*current);
    rest = rest.substr(dot + 1);
  }

  const TTypeInfo& type = *info->type;
  switch (type.kind) {
    case TTypeKind::Integer: {
      std::optional<int32_t> v = IdentToInt(type, text);
      if (!v) v = TryStrToInt(text);
      if (!v) Invalid(path, text);
      info->setOrd(*current, *v);
      return;
    }
    case TTypeKind::Enumeration: {
      std::optional<int32_t> v = NameToOrdinal(type, text);
      if (!v && &type == &BooleanType() && (text == "1" || text == "0")) v = text == "1" ? 1 : 0;
      if (!v) Invalid(path, text);
      info->setOrd(*current, *v);
      return;
    }
    case TTypeKind::Set: {
      std::string_view inner = text;
      if (inner.size() >= 2 && inner.front() == '[' && inner.back() == ']') inner = inner.substr(1, inner.size() - 2);
      int32_t bits = 0;
      for (const std::string& element : ParseCommaText(inner)) {
        const std::optional<int32_t> v = NameToOrdinal(type, element);
        if (!v) Invalid(path, text);
        bits |= int32_t{1} << *v;
      }
      info->setOrd(*current, bits);
      return;
    }
    case TTypeKind::String:
      info->setStr(*current, text);
      return;
    case TTypeKind::Class:
    case TTypeKind::Binary:
      break;
  }
  throw Exception("Unknown property " + std::string(path));
}

}  // namespace scr
