// A value maker reads one signal: it turns the raw little-endian bytes of the signal
// into the text the operator sees and the operator's text back into raw bytes.
// Makers are built once, shared by every entry and data item that uses them, and
// never change afterwards, so the tick thread and the window thread may use them
// at the same time without a lock.
//
// Every maker knows how many raw bytes it reads and writes (`RawSize`). `Format`
// never reads past the span it is given: what a short span lacks counts as the
// not-available pattern a data item starts with (FFh bytes, or the all-ones code
// of a narrower field). `Parse` writes nothing unless it succeeds, and fails when
// the span is shorter than `RawSize`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace vlt::values {

using ChoiceMap = std::map<std::uint8_t, std::string>;
using WordChoiceMap = std::map<std::uint16_t, std::string>;

// Reserved value texts; never accepted as input.
inline constexpr std::string_view kNotAvailableText = "N/D";
inline constexpr std::string_view kErrorText = "Err";
inline constexpr std::string_view kInvalidText = "Invalid";

class ValueMaker {
 public:
  ValueMaker() = default;
  virtual ~ValueMaker() = default;
  ValueMaker(const ValueMaker&) = delete;
  ValueMaker& operator=(const ValueMaker&) = delete;

  // The display text of the raw value; the plain maker shows nothing.
  virtual std::string Format(std::span<const std::uint8_t> raw) const;
  // Fills `choices` and returns true when the maker is a choice list.
  virtual bool GetChoices(ChoiceMap& choices) const;
  // Writes the raw value of `text` and returns true when the text is acceptable.
  virtual bool Parse(std::string_view text, std::span<std::uint8_t> raw) const;
  virtual bool IsChoiceList() const;
  // A choice list of a 2-bit RV-C status field.
  virtual bool IsTwoBitStatus() const;
  // The field width the maker needs, 0 when it fits any width.
  virtual unsigned RequiredBits() const;
  // Writes "key|value" lines, each ended by a line end.
  virtual void Describe(std::ostream& out) const;
  virtual std::string NullText() const;
  // Bytes that `Format` reads and `Parse` writes; 0 for the plain maker.
  virtual std::size_t RawSize() const;
};

// Rules shared by the makers, exposed for the makers of other files.
namespace value_rules {

// "N/D", "Err" and "Invalid" are never accepted as input.
bool IsReservedText(std::string_view text);

// Keeps only digits, the point and the minus sign, so units and blanks vanish.
std::string FilterNumberText(std::string_view text);

// "N/D" for the not-available code, "Err" for the code one below, else `text`.
std::string ApplyAvailability(std::string text, std::uint64_t raw, std::uint64_t notAvailable);

// Leading blanks, optional sign, then digits up to the first other character.
// Empty when there is no digit; saturates far beyond any raw range.
std::optional<std::int64_t> ReadDecimal(std::string_view text);
// As ReadDecimal in base 16, with an optional "0x"; a minus sign reads as nothing.
std::optional<std::uint64_t> ReadHexadecimal(std::string_view text);
// Leading blanks, sign, digits with an optional point and exponent; finite only.
std::optional<double> ReadReal(std::string_view text);

// Little-endian unsigned value of `bytes` bytes; bytes beyond the span read as FFh.
std::uint64_t ReadRaw(std::span<const std::uint8_t> raw, std::size_t bytes);
// Writes the low `bytes` bytes of `value`; the caller has checked the span's size.
void WriteRaw(std::span<std::uint8_t> raw, std::size_t bytes, std::uint64_t value);
// The all-ones code of a field of `bytes` bytes.
constexpr std::uint64_t AllOnes(std::size_t bytes) {
  return bytes >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * bytes)) - 1;
}

// printf into a string; only ever called with literal formats.
std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes one description line followed by a line end.
void DescribeLine(std::ostream& out, std::string_view key, std::string_view value);

}  // namespace value_rules

}  // namespace vlt::values
