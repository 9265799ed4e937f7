#include "values/enumeration.h"

#include <algorithm>

namespace vlt::values {

using namespace value_rules;

namespace {

ChoiceMap ChoicesOf(const EnumerationTable& table) {
  ChoiceMap choices;
  for (const EnumerationChoice& choice : table.choices) {
    choices.emplace(choice.key, std::string(choice.text));
  }
  return choices;
}

constexpr std::uint8_t kFirstProprietaryCriterion = 128;

}  // namespace

const EnumerationTable* FindEnumerationTable(std::string_view name) {
  const auto tables = EnumerationTables();
  const auto found = std::find_if(tables.begin(), tables.end(),
                                  [name](const EnumerationTable& t) { return t.name == name; });
  return found == tables.end() ? nullptr : &*found;
}

ValueMakerEnumeration::ValueMakerEnumeration(const EnumerationTable& table)
    : ValueMakerSelection(table.bits, ChoicesOf(table)), name_(table.name) {}

ValueMakerAGSCritType::ValueMakerAGSCritType()
    : ValueMakerEnumeration(*FindEnumerationTable("ValueMakerAGSCritType")) {}

std::string ValueMakerAGSCritType::Format(std::span<const std::uint8_t> raw) const {
  const auto value = static_cast<std::uint8_t>(ReadRaw(raw, 1));
  const auto found = Choices().find(value);
  std::string text;
  if (found != Choices().end()) {
    text = found->second;
  } else {
    text = Printf(value >= kFirstProprietaryCriterion ? "Prop Type %u" : "Unknwn Type %u",
                  static_cast<unsigned>(value));
  }
  return ApplyAvailability(std::move(text), value, 0xFF);
}

bool ValueMakerAGSCritType::Parse(std::string_view, std::span<std::uint8_t>) const {
  return false;
}

}  // namespace vlt::values
