// Scaled physical quantities: the displayed value is raw × scale + offset, shown
// with a printf-style format holding one floating-point conversion ("%0.2f Vdc").
#pragma once

#include "values/value_maker.h"

namespace vlt::values {

class ValueMakerFlexMaker : public ValueMaker {
 public:
  std::string_view FormatText() const { return format_; }
  double Scale() const { return scale_; }
  double Offset() const { return offset_; }

 protected:
  // The format may hold one conversion of a floating-point kind (f, e, g, a, with
  // flags, width, precision and an ignored L); every other "%" is shown as text,
  // so a format from a table can never read an argument that is not there.
  ValueMakerFlexMaker(std::string format, double scale, double offset);

  // The quantity in the maker's format, then "N/D" or "Err" by the field's codes.
  std::string FormatQuantity(std::uint64_t raw, std::uint64_t notAvailable) const;
  // Rounds the typed quantity to the nearest step; refuses values outside 0 to
  // the step below `errorCode` instead of wrapping them into the field.
  bool ParseQuantity(std::string_view text, std::span<std::uint8_t> raw, std::size_t bytes,
                     std::uint64_t errorCode) const;
  void DescribeScaling(std::ostream& out, int offsetDecimals, std::size_t bytes) const;

 private:
  std::string format_;
  std::string safeFormat_;
  double scale_;
  double offset_;
};

// A byte, or a field of `bits` below 8 whose codes are 2^bits − 1 and 2^bits − 2.
class ValueMakerFlexByte : public ValueMakerFlexMaker {
 public:
  ValueMakerFlexByte(std::string format, double scale, double offset, unsigned bits = 8);
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  unsigned RequiredBits() const override { return bits_; }
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 1; }

 private:
  unsigned bits_;
  std::uint8_t notAvailable_;
};

class ValueMakerFlexWord : public ValueMakerFlexMaker {
 public:
  ValueMakerFlexWord(std::string format, double scale, double offset)
      : ValueMakerFlexMaker(std::move(format), scale, offset) {}
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  unsigned RequiredBits() const override { return 16; }
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 2; }
};

class ValueMakerFlexUint : public ValueMakerFlexMaker {
 public:
  ValueMakerFlexUint(std::string format, double scale, double offset)
      : ValueMakerFlexMaker(std::move(format), scale, offset) {}
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  unsigned RequiredBits() const override { return 32; }
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 4; }
};

}  // namespace vlt::values
