#include "values/value_maker_flex.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vlt::values {

using namespace value_rules;

namespace {

constexpr std::string_view kFlags = "-+ #0";
constexpr std::string_view kFloatConversions = "fFeEgGaA";
constexpr std::size_t kMostConversionDigits = 2;  // width and precision below 100

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// `format` with its first floating-point conversion kept and every other "%"
// doubled, so that printf with one double argument is always well defined.
std::string SafeFloatFormat(std::string_view format) {
  std::string safe;
  bool converted = false;
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != '%') {
      safe += format[i++];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      safe += "%%";
      i += 2;
      continue;
    }
    std::string conversion = "%";
    std::size_t j = i + 1;
    const auto take = [&](auto accepts, std::size_t most) {
      for (std::size_t n = 0; n < most && j < format.size() && accepts(format[j]); ++n) {
        conversion += format[j++];
      }
    };
    take([](char c) { return kFlags.find(c) != std::string_view::npos; }, format.size());
    take(IsDigit, kMostConversionDigits);
    if (j < format.size() && format[j] == '.') {
      conversion += format[j++];
      take(IsDigit, kMostConversionDigits);
    }
    if (j < format.size() && (format[j] == 'L' || format[j] == 'l')) ++j;  // the value is a double
    if (!converted && j < format.size() &&
        kFloatConversions.find(format[j]) != std::string_view::npos) {
      safe += conversion + format[j];
      converted = true;
      i = j + 1;
    } else {
      safe += "%%";
      ++i;
    }
  }
  return safe;
}

std::string FormatDouble(const std::string& safeFormat, double value) {
  const int length = std::snprintf(nullptr, 0, safeFormat.c_str(), value);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), safeFormat.c_str(), value);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

ValueMakerFlexMaker::ValueMakerFlexMaker(std::string format, double scale, double offset)
    : format_(std::move(format)),
      safeFormat_(SafeFloatFormat(format_)),
      scale_(scale),
      offset_(offset) {}

std::string ValueMakerFlexMaker::FormatQuantity(std::uint64_t raw,
                                                std::uint64_t notAvailable) const {
  const double quantity = static_cast<double>(raw) * scale_ + offset_;
  return ApplyAvailability(FormatDouble(safeFormat_, quantity), raw, notAvailable);
}

bool ValueMakerFlexMaker::ParseQuantity(std::string_view text, std::span<std::uint8_t> raw,
                                        std::size_t bytes, std::uint64_t errorCode) const {
  if (raw.size() < bytes || IsReservedText(text) || scale_ == 0) return false;
  const auto quantity = ReadReal(text);
  if (!quantity) return false;
  const double steps = std::floor((*quantity - offset_) / scale_ + 0.5);
  if (!(steps >= 0 && steps < static_cast<double>(errorCode))) return false;
  WriteRaw(raw, bytes, static_cast<std::uint64_t>(steps));
  return true;
}

void ValueMakerFlexMaker::DescribeScaling(std::ostream& out, int offsetDecimals,
                                          std::size_t bytes) const {
  DescribeLine(out, "VMType", "VMFlex");
  DescribeLine(out, "VMFScale", Printf("%.5f", scale_));
  DescribeLine(out, "VMFOffset", Printf("%.*f", offsetDecimals, offset_));
  DescribeLine(out, "VMSize", std::to_string(bytes));
}

ValueMakerFlexByte::ValueMakerFlexByte(std::string format, double scale, double offset,
                                       unsigned bits)
    : ValueMakerFlexMaker(std::move(format), scale, offset),
      bits_(std::clamp(bits, 1u, 8u)),
      notAvailable_(static_cast<std::uint8_t>((1u << bits_) - 1)) {}

std::string ValueMakerFlexByte::Format(std::span<const std::uint8_t> raw) const {
  return FormatQuantity(raw.empty() ? notAvailable_ : raw[0], notAvailable_);
}

bool ValueMakerFlexByte::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseQuantity(text, raw, 1, notAvailable_ - 1u);
}

void ValueMakerFlexByte::Describe(std::ostream& out) const {
  DescribeScaling(out, 0, 1);
}

std::string ValueMakerFlexWord::Format(std::span<const std::uint8_t> raw) const {
  return FormatQuantity(ReadRaw(raw, 2), AllOnes(2));
}

bool ValueMakerFlexWord::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseQuantity(text, raw, 2, AllOnes(2) - 1);
}

void ValueMakerFlexWord::Describe(std::ostream& out) const {
  DescribeScaling(out, 2, 2);
}

std::string ValueMakerFlexUint::Format(std::span<const std::uint8_t> raw) const {
  return FormatQuantity(ReadRaw(raw, 4), AllOnes(4));
}

bool ValueMakerFlexUint::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  return ParseQuantity(text, raw, 4, AllOnes(4) - 1);
}

void ValueMakerFlexUint::Describe(std::ostream& out) const {
  DescribeScaling(out, 0, 4);
}

}  // namespace vlt::values
