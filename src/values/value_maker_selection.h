// Choice lists: a field of a few bits whose values each stand for a word. The
// field's all-ones code shows "N/D" and the code below it "Err" whatever the
// list says; a value that is not listed shows "Invalid".
#pragma once

#include "values/value_maker.h"

namespace vlt::values {

class ValueMakerSelection : public ValueMaker {
 public:
  // `bits` from 1 to 8; keys at or above the error code can never be chosen.
  ValueMakerSelection(unsigned bits, ChoiceMap choices);

  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool GetChoices(ChoiceMap& choices) const override;
  // The text must equal a listed text exactly; the lowest key with it wins.
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  bool IsChoiceList() const override { return true; }
  bool IsTwoBitStatus() const override { return mask_ == 3; }
  unsigned RequiredBits() const override { return bits_; }
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 1; }

  std::uint32_t Mask() const { return mask_; }
  const ChoiceMap& Choices() const { return choices_; }

 protected:
  // For the lists that grow while the catalogue is built.
  void SetChoice(std::uint8_t key, std::string text) { choices_[key] = std::move(text); }

 private:
  unsigned bits_;
  std::uint32_t mask_;
  ChoiceMap choices_;
};

// A choice list over a 16-bit field. Its byte-keyed list stays empty, so
// `GetChoices` and `Describe` report no entries; `GetWordChoices` has them.
class ValueMakerWordSelection : public ValueMakerSelection {
 public:
  explicit ValueMakerWordSelection(WordChoiceMap choices = {});

  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  bool IsTwoBitStatus() const override { return false; }
  unsigned RequiredBits() const override { return 16; }
  std::size_t RawSize() const override { return 2; }
  virtual bool GetWordChoices(WordChoiceMap& choices) const;

 private:
  WordChoiceMap wordChoices_;
};

// Product models of one manufacturer, keyed by a 16-bit product code.
class ValueMakerAddressClaim : public ValueMakerWordSelection {
 public:
  explicit ValueMakerAddressClaim(WordChoiceMap models = {})
      : ValueMakerWordSelection(std::move(models)) {}
};

// A 2-bit RV-C status: 0 and 1 named, 2 "Err", 3 "N/D".
class ValueMakerFlexFlag : public ValueMakerSelection {
 public:
  ValueMakerFlexFlag(std::string offText, std::string onText);
};

// A byte-wide list filled one choice at a time while the catalogue is built.
class ValueMakerFlexSelection : public ValueMakerSelection {
 public:
  ValueMakerFlexSelection() : ValueMakerSelection(8, {}) {}
  // Sets the text of `key`, replacing any earlier one.
  virtual void AddChoice(std::string text, std::uint8_t key) { SetChoice(key, std::move(text)); }
};

// The DSA ranges of the address-claiming tests, index 0 to 8.
class ValueMakerDSARange : public ValueMakerSelection {
 public:
  ValueMakerDSARange();
};

}  // namespace vlt::values
