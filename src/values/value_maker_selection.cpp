#include "values/value_maker_selection.h"

#include <algorithm>

namespace vlt::values {

using namespace value_rules;

namespace {

// The lowest key whose text is `text` and that lies below the error code.
template <typename Map>
std::optional<typename Map::key_type> KeyOf(const Map& choices, std::string_view text,
                                            std::uint64_t mask) {
  for (const auto& [key, choice] : choices) {
    if (choice == text) {
      if (key + std::uint64_t{1} >= mask) return std::nullopt;
      return key;
    }
  }
  return std::nullopt;
}

template <typename Map>
std::string ChoiceText(const Map& choices, std::uint64_t value, std::uint64_t mask) {
  if (value == mask) return std::string(kNotAvailableText);
  if (value + 1 == mask) return std::string(kErrorText);
  const auto found = choices.find(static_cast<typename Map::key_type>(value));
  if (value > mask || found == choices.end()) return std::string(kInvalidText);
  return found->second;
}

}  // namespace

ValueMakerSelection::ValueMakerSelection(unsigned bits, ChoiceMap choices)
    : bits_(std::clamp(bits, 1u, 8u)), mask_((1u << bits_) - 1), choices_(std::move(choices)) {}

std::string ValueMakerSelection::Format(std::span<const std::uint8_t> raw) const {
  return ChoiceText(choices_, raw.empty() ? mask_ : raw[0], mask_);
}

bool ValueMakerSelection::GetChoices(ChoiceMap& choices) const {
  if (&choices != &choices_) choices = choices_;
  return true;
}

bool ValueMakerSelection::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.empty() || IsReservedText(text)) return false;
  const auto key = KeyOf(choices_, text, mask_);
  if (!key) return false;
  raw[0] = *key;
  return true;
}

void ValueMakerSelection::Describe(std::ostream& out) const {
  DescribeLine(out, "VMType", "VMSelection");
  DescribeLine(out, "VMCount", std::to_string(choices_.size()));
  for (const auto& [key, text] : choices_) {
    DescribeLine(out, "Sel", std::to_string(key) + "=" + text);
  }
}

ValueMakerWordSelection::ValueMakerWordSelection(WordChoiceMap choices)
    : ValueMakerSelection(8, {}), wordChoices_(std::move(choices)) {}

std::string ValueMakerWordSelection::Format(std::span<const std::uint8_t> raw) const {
  return ChoiceText(wordChoices_, ReadRaw(raw, 2), 0xFFFF);
}

bool ValueMakerWordSelection::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.size() < 2 || IsReservedText(text)) return false;
  const auto key = KeyOf(wordChoices_, text, 0xFFFF);
  if (!key) return false;
  WriteRaw(raw, 2, *key);
  return true;
}

bool ValueMakerWordSelection::GetWordChoices(WordChoiceMap& choices) const {
  if (&choices != &wordChoices_) choices = wordChoices_;
  return true;
}

ValueMakerFlexFlag::ValueMakerFlexFlag(std::string offText, std::string onText)
    : ValueMakerSelection(2, {{0, std::move(offText)}, {1, std::move(onText)}}) {}

ValueMakerDSARange::ValueMakerDSARange()
    : ValueMakerSelection(8, {{0, "Multifunction"},
                              {1, "Power Components"},
                              {2, "Controls and Displays"},
                              {3, "Sensors"},
                              {4, "Mechanical Components"},
                              {5, "Comfort Systems"},
                              {6, "Appliances and Bridges"},
                              {7, "Entertainment Systems"},
                              {8, "Chassis"}}) {}

}  // namespace vlt::values
