#include "package/persistent.h"

#include "common/ascii.h"
#include "common/errors.h"
#include "package/type_info.h"

namespace scr {

const TPropInfo* FindProperty(const TClassInfo& info, std::string_view name) {
  for (const TClassInfo* c = &info; c != nullptr; c = c->parent)
    for (const TPropInfo& p : c->properties)
      if (SameText(p.name, name)) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> AllProperties(const TClassInfo& info) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &info; c != nullptr; c = c->parent) chain.insert(chain.begin(), c);
  std::vector<const TPropInfo*> all;
  for (const TClassInfo* c : chain)
    for (const TPropInfo& p : c->properties) all.push_back(&p);
  return all;
}

bool IsValidIdent(std::string_view name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (name.empty() || !letter(name[0])) return false;
  for (char c : name.substr(1))
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

void TComponent::SetName(std::string_view name) {
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("''" + std::string(name) + "'' is not a valid component name");
  name_ = name;
}

const TClassInfo& TComponent::StaticClassInfo() {
  static const TClassInfo info{
      "TComponent",
      nullptr,
      {
          props::NotStored(props::String("Name", StringType(), &TComponent::Name, &TComponent::SetName)),
          props::WithDefault(props::Ordinal("Tag", IntegerType(), &TComponent::Tag, &TComponent::SetTag), 0),
      }};
  return info;
}

}  // namespace scr
