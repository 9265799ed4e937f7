// RV-C enumerations: each is a named choice list with a fixed bit count, kept as
// data in one table (enumeration_tables.cpp) and served by one class.
#pragma once

#include <span>
#include <string_view>

#include "values/value_maker_selection.h"

namespace vlt::values {

struct EnumerationChoice {
  std::uint8_t key;
  std::string_view text;
};

struct EnumerationTable {
  std::string_view name;  // the maker's class name, "ValueMakerTurnSignalStatus"
  unsigned bits;
  std::span<const EnumerationChoice> choices;  // ascending keys
};

// Every enumeration, in the order of the RV-C data types they were taken from.
std::span<const EnumerationTable> EnumerationTables();
// Nullptr when no enumeration has that name.
const EnumerationTable* FindEnumerationTable(std::string_view name);

// The choice list of one enumeration table.
class ValueMakerEnumeration : public ValueMakerSelection {
 public:
  explicit ValueMakerEnumeration(const EnumerationTable& table);
  std::string_view Name() const { return name_; }

 private:
  std::string_view name_;
};

// Generator auto-start criteria. Unlisted criteria are shown by number, as
// proprietary (128 and up) or unknown; read only.
class ValueMakerAGSCritType : public ValueMakerEnumeration {
 public:
  ValueMakerAGSCritType();
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
};

}  // namespace vlt::values
