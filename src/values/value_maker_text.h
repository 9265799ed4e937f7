// Text-like signals: fixed-width strings, three-letter identifiers, IP and MAC
// addresses, default source addresses by name, and security category bit masks.
#pragma once

#include <array>

#include "values/value_maker.h"

namespace vlt::values {

// A string field of `Width()` characters; text ends at the first zero byte.
class ValueMakerFixedString : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  // Copies at most the width; zero-fills the rest of the field and, when the
  // span has room for it, the terminating byte after the field.
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return width_; }
  std::size_t Width() const { return width_; }

 protected:
  explicit ValueMakerFixedString(std::size_t width) : width_(width) {}

 private:
  std::size_t width_;
};

class ValueMakerString6Char : public ValueMakerFixedString {
 public:
  ValueMakerString6Char() : ValueMakerFixedString(6) {}
};

class ValueMakerString36Char : public ValueMakerFixedString {
 public:
  ValueMakerString36Char() : ValueMakerFixedString(36) {}
  void Describe(std::ostream& out) const override;
};

class ValueMakerTerminalString : public ValueMakerFixedString {
 public:
  ValueMakerTerminalString() : ValueMakerFixedString(100) {}
};

class ValueMakerLongText : public ValueMakerFixedString {
 public:
  ValueMakerLongText() : ValueMakerFixedString(255) {}
};

// Three printable characters; other bytes show, and are stored, as "~".
class ValueMakerASCII_Id : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 3; }
};

// Four bytes in order, "192.168.001.010".
class ValueMakerIPUint : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  // Exactly four dotted parts of 0 to 255 each.
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 4; }
};

class ValueMakerMAC : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 6; }
};

// DSAs 64 and up have a three-character name ("INV" for 66); lower ones show
// their number right-aligned in three places.
std::string DsaAbbreviation(std::uint8_t dsa);
// The lowest DSA whose name holds `key`, searching the whole name text as one
// string (so "40" is found in the name "240"); FFh when absent or empty.
std::uint8_t FindDsaByAbbreviation(std::string_view key);

// "INV [066]"; accepts a DSA 64 to 253 as a number or by name.
class ValueMakerDSA : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 1; }
};

// The DSA's name alone.
class ValueMakerAbbrevDSA : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 1; }
};

// A byte whose bits 0 to 6 each grant one security category, shown by name.
class ValueMakerSecurityCategory : public ValueMaker {
 public:
  using Names = std::array<std::string_view, 7>;
  std::string Format(std::span<const std::uint8_t> raw) const override;
  // Sets the bit of every name found anywhere in the text.
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 1; }

 protected:
  explicit ValueMakerSecurityCategory(const Names& names) : names_(names) {}

 private:
  Names names_;
};

class ValueMakerSecurityCategory1 : public ValueMakerSecurityCategory {
 public:
  ValueMakerSecurityCategory1();
};

class ValueMakerSecurityCategory2 : public ValueMakerSecurityCategory {
 public:
  ValueMakerSecurityCategory2();
};

class ValueMakerSecurityCategory3 : public ValueMakerSecurityCategory {
 public:
  ValueMakerSecurityCategory3();
};

class ValueMakerSecurityCategory4 : public ValueMakerSecurityCategory {
 public:
  ValueMakerSecurityCategory4();
};

}  // namespace vlt::values
