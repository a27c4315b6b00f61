#pragma once
// Published properties: each streamable class describes its properties in a table
// (name, type, how to read and write the value), which the component stream reader
// and writer walk. Objects reached through class-typed properties (a font, a picture)
// are described the same way, so dotted property paths resolve through the tables.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scr {

class TPersistent;

enum class TTypeKind {
  Integer,      // 32-bit integer, optionally with an identifier table (colours, character sets)
  Enumeration,  // ordinal with value names (Boolean, font pitch)
  Set,          // bit set over element names (font styles)
  String,       // 8-bit text
  Class,        // an object owned by the property's object (font, picture)
  Binary,       // a byte block (a picture's data)
};

struct TIdentEntry {
  std::string_view name;
  int32_t value;
};

struct TTypeInfo {
  std::string_view name;
  TTypeKind kind;
  std::span<const TIdentEntry> idents = {};     // Integer: identifiers for values
  std::span<const std::string_view> names = {};  // Enumeration: value names; Set: element names by bit
};

// One published property. Only the accessors that fit the type's kind are set.
struct TPropInfo {
  std::string_view name;
  const TTypeInfo* type = nullptr;
  // Integer, Enumeration (ordinal), Set (bits).
  std::function<int32_t(const TPersistent&)> getOrd;
  std::function<void(TPersistent&, int32_t)> setOrd;
  // String.
  std::function<std::string(const TPersistent&)> getStr;
  std::function<void(TPersistent&, std::string_view)> setStr;
  // Class: the owned object.
  std::function<TPersistent&(TPersistent&)> object;
  std::function<const TPersistent&(const TPersistent&)> constObject;
  // Binary: receives the block (decoding is the receiver's business).
  std::function<void(TPersistent&, std::span<const uint8_t>)> setBinary;
  // The writer leaves out properties that are not stored, and ordinal values equal to
  // their default when one is declared.
  bool stored = true;
  bool hasDefault = false;
  int32_t defaultOrd = 0;
};

struct TClassInfo {
  std::string_view className;
  const TClassInfo* parent = nullptr;
  std::vector<TPropInfo> properties;  // this class's own, in stream order
};

// The property of that name (compared without regard to ASCII case), searching the
// class and then its ancestors; nullptr when there is none.
const TPropInfo* FindProperty(const TClassInfo& info, std::string_view name);

// Every published property in stream order: the ancestors' first.
std::vector<const TPropInfo*> AllProperties(const TClassInfo& info);

class TPersistent {
 public:
  virtual ~TPersistent() = default;
  virtual const TClassInfo& ClassInfo() const = 0;
  std::string_view ClassName() const { return ClassInfo().className; }
};

// A letter or underscore, then letters, digits or underscores (ASCII).
bool IsValidIdent(std::string_view name);

// The base of every streamable component: a name (empty or an identifier) and a tag.
class TComponent : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& Name() const { return name_; }
  // Raises EComponentError("''<name>'' is not a valid component name") for a name that
  // is neither empty nor an identifier.
  void SetName(std::string_view name);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

 private:
  std::string name_;
  int32_t tag_ = 0;
};

// Table builders over member functions, so a class lists its properties in a few lines.
namespace props {

template <class C, class V>
TPropInfo Ordinal(std::string_view name, const TTypeInfo& type, V (C::*get)() const, void (C::*set)(V)) {
  TPropInfo p;
  p.name = name;
  p.type = &type;
  p.getOrd = [get](const TPersistent& o) { return static_cast<int32_t>((static_cast<const C&>(o).*get)()); };
  p.setOrd = [set](TPersistent& o, int32_t v) { (static_cast<C&>(o).*set)(static_cast<V>(v)); };
  return p;
}

template <class C, class R>
TPropInfo String(std::string_view name, const TTypeInfo& type, R (C::*get)() const, void (C::*set)(std::string_view)) {
  TPropInfo p;
  p.name = name;
  p.type = &type;
  p.getStr = [get](const TPersistent& o) { return std::string((static_cast<const C&>(o).*get)()); };
  p.setStr = [set](TPersistent& o, std::string_view v) { (static_cast<C&>(o).*set)(v); };
  return p;
}

template <class C, class T>
TPropInfo Object(std::string_view name, const TTypeInfo& type, T& (C::*get)(), const T& (C::*cget)() const) {
  TPropInfo p;
  p.name = name;
  p.type = &type;
  p.object = [get](TPersistent& o) -> TPersistent& { return (static_cast<C&>(o).*get)(); };
  p.constObject = [cget](const TPersistent& o) -> const TPersistent& { return (static_cast<const C&>(o).*cget)(); };
  return p;
}

template <class C>
TPropInfo Binary(std::string_view name, const TTypeInfo& type, void (C::*set)(std::span<const uint8_t>)) {
  TPropInfo p;
  p.name = name;
  p.type = &type;
  p.setBinary = [set](TPersistent& o, std::span<const uint8_t> b) { (static_cast<C&>(o).*set)(b); };
  p.stored = false;
  return p;
}

inline TPropInfo NotStored(TPropInfo p) {
  p.stored = false;
  return p;
}

inline TPropInfo WithDefault(TPropInfo p, int32_t value) {
  p.hasDefault = true;
  p.defaultOrd = value;
  return p;
}

}  // namespace props

}  // namespace scr
