#include "values/value_maker_text.h"

#include <algorithm>

namespace vlt::values {

using namespace value_rules;

namespace {

constexpr std::uint8_t kFirstNamedDsa = 64;
constexpr std::uint8_t kLastSettableDsa = 253;
constexpr std::size_t kDsaCellChars = 4;  // three-character name and a point
constexpr std::size_t kDsaCells = 256 - kFirstNamedDsa;

// Names of the DSAs 64 to 255; an empty name stands for the DSA's own number.
struct DsaNameRange {
  int first;
  int last;
  std::string_view name;
};

constexpr DsaNameRange kDsaNames[] = {
    {64, 64, "GEN"},   {65, 65, "AGS"},   {66, 67, "INV"},   {68, 68, "CON"},   {69, 69, "SOC"},
    {70, 70, "BAT"},   {71, 71, "CBT"},   {72, 72, "TNK"},   {73, 73, "LPG"},   {74, 75, "CON"},
    {76, 76, "CHG"},   {77, 77, "ACL"},   {78, 78, "ACF"},   {79, 79, "ATS"},   {80, 80, "WEA"},
    {81, 82, "LVL"},   {83, 83, "ALV"},   {84, 87, "SLD"},   {88, 93, "THM"},   {94, 96, "FUR"},
    {97, 99, "AHT"},   {100, 100, "HYD"}, {101, 102, "WHT"}, {103, 106, "AC "}, {107, 107, "REF"},
    {108, 108, "ARF"}, {109, 109, "AFZ"}, {110, 110, "ICE"}, {111, 111, "STO"}, {112, 114, "AUD"},
    {115, 117, "VID"}, {118, 119, "TVL"}, {120, 125, "GAS"}, {126, 126, "AAS"}, {127, 127, "PMP"},
    {128, 128, "FIL"}, {129, 129, "DMP"}, {130, 130, "AWN"}, {131, 131, "DIM"}, {132, 132, "KPD"},
    {133, 133, "TPM"}, {134, 134, "SHD"}, {135, 135, "LCK"}, {136, 136, "GPS"}, {137, 137, "ACL"},
    {138, 138, "MTR"}, {139, 139, "DSC"}, {140, 140, "ACS"}, {141, 141, "SOL"}, {142, 142, "FAN"},
    {143, 143, "EXT"}, {144, 144, "ALM"}, {145, 145, "WDW"}, {146, 146, "DCL"}, {147, 147, "STP"},
    {148, 148, "VLV"}, {149, 149, "BKR"}, {150, 150, "VST"}, {151, 248, ""},    {249, 249, "STL"},
    {250, 250, "CLK"}, {251, 251, "LOG"}, {252, 252, "CHB"}, {253, 253, "BRD"}, {254, 255, ""},
};

// One text of 192 cells "GEN.AGS.INV...", searched as a whole by name lookups.
constexpr std::array<char, kDsaCells * kDsaCellChars> BuildDsaText() {
  std::array<char, kDsaCells * kDsaCellChars> text{};
  for (const DsaNameRange& range : kDsaNames) {
    for (int dsa = range.first; dsa <= range.last; ++dsa) {
      const std::size_t cell = static_cast<std::size_t>(dsa - kFirstNamedDsa) * kDsaCellChars;
      const int digits[3] = {dsa / 100, dsa / 10 % 10, dsa % 10};
      for (std::size_t k = 0; k < 3; ++k) {
        text[cell + k] = range.name.empty() ? static_cast<char>('0' + digits[k]) : range.name[k];
      }
      text[cell + 3] = '.';
    }
  }
  return text;
}

constexpr auto kDsaText = BuildDsaText();
static_assert(std::none_of(kDsaText.begin(), kDsaText.end(), [](char c) { return c == 0; }),
              "every DSA from 64 to 255 has a name");

bool IsSettableDsa(std::uint64_t dsa) {
  return dsa >= kFirstNamedDsa && dsa <= kLastSettableDsa;
}

char Printable(std::uint8_t byte) {
  return byte < 32 || byte > 127 ? '~' : static_cast<char>(byte);
}

// The whole text, blanks around it allowed, is a decimal number.
std::optional<std::uint64_t> ReadWholeDecimal(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view digits = text.substr(first, last - first + 1);
  if (digits.size() > 9) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

}  // namespace

std::string ValueMakerFixedString::Format(std::span<const std::uint8_t> raw) const {
  const std::size_t available = std::min(width_, raw.size());
  const auto end = std::find(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(available), 0);
  return std::string(raw.begin(), end);
}

bool ValueMakerFixedString::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.size() < width_) return false;
  const std::size_t field = std::min(raw.size(), width_ + 1);
  const std::size_t copied = std::min({text.size(), text.find('\0'), width_});
  std::fill(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(field), 0);
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(copied), raw.begin());
  return true;
}

void ValueMakerString36Char::Describe(std::ostream& out) const {
  DescribeLine(out, "VMType", "VMString");
}

std::string ValueMakerASCII_Id::Format(std::span<const std::uint8_t> raw) const {
  std::string text;
  for (std::size_t k = 0; k < 3; ++k) text += Printable(k < raw.size() ? raw[k] : 0xFF);
  return ApplyAvailability(text, ReadRaw(raw, 3), AllOnes(3));
}

bool ValueMakerASCII_Id::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.size() < 3 || IsReservedText(text) || text.size() < 3) return false;
  for (std::size_t k = 0; k < 3; ++k) raw[k] = Printable(static_cast<std::uint8_t>(text[k]));
  return true;
}

void ValueMakerASCII_Id::Describe(std::ostream& out) const {
  DescribeLine(out, "VMType", "VMDecimal");
  DescribeLine(out, "VMSize", "3");
}

std::string ValueMakerIPUint::Format(std::span<const std::uint8_t> raw) const {
  const std::uint64_t value = ReadRaw(raw, 4);
  const std::string text =
      Printf("%03u.%03u.%03u.%03u", static_cast<unsigned>(value & 0xFF),
             static_cast<unsigned>(value >> 8 & 0xFF), static_cast<unsigned>(value >> 16 & 0xFF),
             static_cast<unsigned>(value >> 24 & 0xFF));
  return ApplyAvailability(text, value, AllOnes(4));
}

bool ValueMakerIPUint::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.size() < 4 || IsReservedText(text)) return false;
  std::array<std::uint8_t, 4> bytes{};
  std::string_view rest = text;
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const bool last = k + 1 == bytes.size();
    const std::size_t dot = rest.find('.');
    if (last != (dot == std::string_view::npos)) return false;  // not exactly four parts
    const auto part = ReadWholeDecimal(rest.substr(0, dot));
    if (!part || *part > 0xFF) return false;
    bytes[k] = static_cast<std::uint8_t>(*part);
    if (!last) rest.remove_prefix(dot + 1);
  }
  std::copy(bytes.begin(), bytes.end(), raw.begin());
  return true;
}

std::string ValueMakerMAC::Format(std::span<const std::uint8_t> raw) const {
  std::array<unsigned, 6> b{};
  for (std::size_t k = 0; k < b.size(); ++k) b[k] = k < raw.size() ? raw[k] : 0xFFu;
  return ApplyAvailability(
      Printf("%02X:%02X:%02X:%02X:%02X:%02X", b[0], b[1], b[2], b[3], b[4], b[5]), ReadRaw(raw, 6),
      AllOnes(6));
}

std::string DsaAbbreviation(std::uint8_t dsa) {
  if (dsa < kFirstNamedDsa) return Printf("%3u", static_cast<unsigned>(dsa));
  const std::size_t cell = static_cast<std::size_t>(dsa - kFirstNamedDsa) * kDsaCellChars;
  return std::string(kDsaText.data() + cell, 3);
}

std::uint8_t FindDsaByAbbreviation(std::string_view key) {
  if (key.empty()) return 0xFF;
  const std::string_view text(kDsaText.data(), kDsaText.size());
  const std::size_t at = text.find(key);
  if (at == std::string_view::npos) return 0xFF;
  return static_cast<std::uint8_t>(kFirstNamedDsa + at / kDsaCellChars);
}

std::string ValueMakerDSA::Format(std::span<const std::uint8_t> raw) const {
  const auto dsa = static_cast<std::uint8_t>(ReadRaw(raw, 1));
  return Printf("%s [%03u]", DsaAbbreviation(dsa).c_str(), static_cast<unsigned>(dsa));
}

bool ValueMakerDSA::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.empty() || IsReservedText(text)) return false;
  const auto number = ReadDecimal(FilterNumberText(text));
  std::uint64_t dsa = number && *number >= 0 ? static_cast<std::uint64_t>(*number) : 0;
  if (!IsSettableDsa(dsa)) dsa = FindDsaByAbbreviation(text.substr(0, 3));
  if (!IsSettableDsa(dsa)) return false;
  raw[0] = static_cast<std::uint8_t>(dsa);
  return true;
}

std::string ValueMakerAbbrevDSA::Format(std::span<const std::uint8_t> raw) const {
  return DsaAbbreviation(static_cast<std::uint8_t>(ReadRaw(raw, 1)));
}

bool ValueMakerAbbrevDSA::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.empty() || IsReservedText(text) || text.size() < 3) return false;
  const std::uint8_t dsa = FindDsaByAbbreviation(text);
  if (!IsSettableDsa(dsa)) return false;
  raw[0] = dsa;
  return true;
}

std::string ValueMakerSecurityCategory::Format(std::span<const std::uint8_t> raw) const {
  const auto bits = static_cast<std::uint8_t>(ReadRaw(raw, 1));
  if (bits & 0x80) return std::string(kNotAvailableText);
  std::string text;
  for (std::size_t k = 0; k < names_.size(); ++k) {
    if (!(bits & (1u << k))) continue;
    if (!text.empty()) text += ' ';
    text += names_[k];
  }
  return text;
}

bool ValueMakerSecurityCategory::Parse(std::string_view text, std::span<std::uint8_t> raw) const {
  if (raw.empty() || IsReservedText(text)) return false;
  std::uint8_t bits = 0;
  for (std::size_t k = 0; k < names_.size(); ++k) {
    if (text.find(names_[k]) != std::string_view::npos) bits |= static_cast<std::uint8_t>(1u << k);
  }
  raw[0] = bits;
  return true;
}

ValueMakerSecurityCategory1::ValueMakerSecurityCategory1()
    : ValueMakerSecurityCategory({"APP", "CHS", "CLI", "CLK", "ELC", "GEN", "L&A"}) {}

ValueMakerSecurityCategory2::ValueMakerSecurityCategory2()
    : ValueMakerSecurityCategory({"MOV", "NET", "SFT", "PRS", "PLM", "REM", "MSP"}) {}

ValueMakerSecurityCategory3::ValueMakerSecurityCategory3()
    : ValueMakerSecurityCategory({"SYN", "FNA", "UID", "SEN", "UI1", "UI2", "UI3"}) {}

ValueMakerSecurityCategory4::ValueMakerSecurityCategory4()
    : ValueMakerSecurityCategory({"UI4", "UI5", "UI6", "UI7", "UI8", "UI9", "UI0"}) {}

}  // namespace vlt::values
