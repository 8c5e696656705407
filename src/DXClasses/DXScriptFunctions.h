#pragma once

// The Lingo methods a scripting class declares, and the method-table text built from them.
// The index of an entry is the number the host passes for it on a call: the host numbers the
// lines of the table after the "xtra" line in the same order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DXClasses/DXPublishedMethod.h"
#include "common/RefCounted.h"

class IDXScriptFunction : public TRefCounted {
 public:
  // Appends an argument to the method's line and returns the same entry, so that arguments can
  // be added one after another. kindIndex is a TDXValueKind (0 to 11); others raise
  // std::out_of_range.
  virtual Ref<IDXScriptFunction> AddArgument(std::string_view name, std::uint8_t kindIndex) = 0;
};

class IDXScriptFunctions : public TRefCounted {
 public:
  // A handler line starting "* ".
  virtual Ref<IDXScriptFunction> AddGlobalFunction(std::string_view name,
                                                   std::string_view comment = {}) = 0;
  // A handler line starting "+ ".
  virtual Ref<IDXScriptFunction> AddXtraFunction(std::string_view name,
                                                 std::string_view comment = {}) = 0;
  // An instance method.
  virtual Ref<IDXScriptFunction> AddMethod(std::string_view name,
                                           std::string_view comment = {}) = 0;
  // The method-table text, "xtra <name>" first; text stays as it was when nothing is declared.
  virtual void BuildMsgTable(std::string_view xtraName, std::string& text) const = 0;
};

enum TDXFunctionKind : std::int32_t {
  fkNew = -1,
  fkForget = -2,
  fkGlobal = 0,
  fkXtra = 1,
  fkMethod = 2,
};

class TDXScriptFunction final : public IDXScriptFunction {
 public:
  TDXScriptFunction(std::string_view name, std::string_view comment, TDXFunctionKind kind)
      : name_(name), comment_(comment), kind_(kind) {}

  Ref<IDXScriptFunction> AddArgument(std::string_view name, std::uint8_t kindIndex) override;

  const std::string& Name() const { return name_; }
  const std::string& Comment() const { return comment_; }
  const std::string& ArgText() const { return argText_; }
  TDXFunctionKind Kind() const { return kind_; }

 private:
  std::string name_;
  std::string comment_;
  std::string argText_;
  TDXFunctionKind kind_;
};

class TDXScriptFunctions final : public IDXScriptFunctions {
 public:
  Ref<IDXScriptFunction> AddGlobalFunction(std::string_view name,
                                           std::string_view comment = {}) override {
    return Declare(name, comment, fkGlobal);
  }
  Ref<IDXScriptFunction> AddXtraFunction(std::string_view name,
                                         std::string_view comment = {}) override {
    return Declare(name, comment, fkXtra);
  }
  Ref<IDXScriptFunction> AddMethod(std::string_view name, std::string_view comment = {}) override {
    return Declare(name, comment, fkMethod);
  }
  void BuildMsgTable(std::string_view xtraName, std::string& text) const override;

  std::int32_t Count() const { return std::int32_t(entries_.size()); }
  const TDXScriptFunction& Entry(std::int32_t index) const { return *entries_[std::size_t(index)]; }

  // The published method of each entry, found once by the dispatcher of the class (see
  // TDXScript); empty until then, null where the class publishes no method of that name.
  std::vector<const TDXPublishedMethod*>& Handlers() const { return handlers_; }

 private:
  // Every table starts with new and forget, whether or not the class declares them.
  Ref<IDXScriptFunction> Declare(std::string_view name, std::string_view comment,
                                 TDXFunctionKind kind);

  std::vector<Ref<TDXScriptFunction>> entries_;
  mutable std::vector<const TDXPublishedMethod*> handlers_;
};

// Names compare without regard to ASCII case.
bool SameLingoName(std::string_view a, std::string_view b);

// Appends an argument to the argument part of a declaration line: " " first, ", " between
// arguments, then the type word of kindIndex (a TDXValueKind; others raise std::out_of_range)
// and the name.
void AppendArgumentText(std::string& argText, std::string_view name, std::uint8_t kindIndex);
