#pragma once

// The authoring events an asset class offers, declared like Lingo methods, and their text: one
// line per event, its name and arguments, " -- " and the comment when there is one.

#include <string>
#include <string_view>
#include <vector>

#include "common/RefCounted.h"

class IDXAwEvent : public TRefCounted {
 public:
  // Appends an argument (kindIndex a TDXValueKind) and returns the same event.
  virtual Ref<IDXAwEvent> AddArgument(std::string_view name, std::uint8_t kindIndex) = 0;
};

class IDXAwEvents : public TRefCounted {
 public:
  virtual Ref<IDXAwEvent> AddEvent(std::string_view name, std::string_view comment = {}) = 0;
  virtual std::string Text() const = 0;
};

class TDXAwEvent final : public IDXAwEvent {
 public:
  TDXAwEvent(std::string_view name, std::string_view comment) : name_(name), comment_(comment) {}

  Ref<IDXAwEvent> AddArgument(std::string_view name, std::uint8_t kindIndex) override;

  const std::string& Name() const { return name_; }
  const std::string& Comment() const { return comment_; }
  const std::string& ArgText() const { return argText_; }

 private:
  std::string name_;
  std::string comment_;
  std::string argText_;
};

class TDXAwEvents final : public IDXAwEvents {
 public:
  Ref<IDXAwEvent> AddEvent(std::string_view name, std::string_view comment = {}) override;
  std::string Text() const override;

 private:
  std::vector<Ref<TDXAwEvent>> events_;
};
