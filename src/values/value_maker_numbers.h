// Plain numbers: decimal and hexadecimal fields of one to four bytes, the J1939
// manufacturer code, and raw byte dumps.
#pragma once

#include "values/value_maker.h"

namespace vlt::values {

// A byte, or a narrower field, in decimal; `notAvailable` is the field's all-ones
// code (7, 15, 31, 63 or 255 for 3- to 8-bit fields).
class ValueMakerDecByte : public ValueMaker {
 public:
  explicit ValueMakerDecByte(std::uint8_t notAvailable = 0xFF) : notAvailable_(notAvailable) {}
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 1; }
  std::uint8_t NotAvailableCode() const { return notAvailable_; }

 private:
  std::uint8_t notAvailable_;
};

// Any byte 0 to 255 with no reserved codes, for settings that hold an address.
class ValueMakerDecByteUnfiltered : public ValueMakerDecByte {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
};

class ValueMakerDecWord : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 2; }
};

// A decimal word that takes `smallest` to `largest` only: a setting that stands
// for a narrower field refuses what the field cannot hold.
class ValueMakerDecWordUpTo : public ValueMakerDecWord {
 public:
  explicit ValueMakerDecWordUpTo(std::uint16_t largest, std::uint16_t smallest = 0)
      : largest_(largest), smallest_(smallest) {}
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::uint16_t Largest() const { return largest_; }

 private:
  std::uint16_t largest_;
  std::uint16_t smallest_;
};

// The 11-bit manufacturer code of a J1939 NAME, held in a word.
class ValueMakerMfgId : public ValueMakerDecWord {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
};

class ValueMakerDec3Byte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 3; }
};

class ValueMakerDecUint : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 4; }
};

class ValueMakerHexByte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 1; }
};

class ValueMakerHexWord : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 2; }
};

// Not padded: a DGN reads as 1FFFF, not 01FFFF.
class ValueMakerHex3Byte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 3; }
};

class ValueMakerHexUint : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 4; }
};

// Bytes in frame order, "12:34"; read only.
class ValueMakerRawHex2Byte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 2; }
};

class ValueMakerRawHex3Byte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 3; }
};

class ValueMakerRawHex4Byte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 4; }
};

// The five bytes of a 5-byte field packed, "0102030405"; read only.
class ValueMakerHex5Byte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 5; }
};

// The eight data bytes of a frame packed; read only.
class ValueMakerFullPacket : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 8; }
};

}  // namespace vlt::values
