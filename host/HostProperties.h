#pragma once

// The properties of one of the host's movie objects (movie, cast, member): values by symbol,
// each held with a reference of the host's own.

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "host/HostValues.h"

namespace dxhost {

class THostProperties {
 public:
  explicit THostProperties(THostValues& values) : values_(values) {}
  THostProperties(const THostProperties&) = delete;
  THostProperties& operator=(const THostProperties&) = delete;
  ~THostProperties() { Clear(); }

  // The value with a new reference into out; kHostErrNotFound without such a property.
  MoaError Get(MoaMmSymbol property, MoaMmValue* out);
  // Keeps value (a new reference); kHostErrBadValue for a value that is not live.
  MoaError Set(MoaMmSymbol property, const MoaMmValue& value);
  // The same of the property of that name.
  void Set(std::string_view name, const THostValue& value);
  // The property "Name" as text ("" when it is not a string).
  std::string Name();
  void SetName(std::string_view name);
  // Every property of other, as well.
  void CopyFrom(const THostProperties& other);
  void Clear();

  // Every value the properties keep alive (each property's value and what lists among them
  // hold), by box, with the number of holds the properties and those lists have on it.
  using THolders = std::map<std::uint32_t, std::pair<MoaMmValue, int>>;
  void CollectHolders(THolders& holders) const;

 private:
  void Hold(const MoaMmValue& value, THolders& holders) const;

  THostValues& values_;
  std::map<MoaMmSymbol, MoaMmValue> properties_;
};

}  // namespace dxhost
