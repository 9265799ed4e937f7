// Fixed RV-C encodings of percentages, durations, times of day, dates, tank levels
// and diagnostic codes.
#pragma once

#include "values/value_maker.h"

namespace vlt::values {

// RV-C percent: 0.5 % per step, " 50.0 %".
class ValueMakerRVCPct : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 1; }
};

// -10.0 % to +10.0 % in tenths, held as percent × 10 + 100.
class ValueMakerSignedTenthPctByte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 1; }
};

// 0 to 240 seconds, then 5 to 17 minutes in the codes 241 to 253.
class ValueMakerSecsPlusByte : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 1; }
};

// Byte 0 level, byte 1 resolution: "  3/ 16"; read only.
class ValueMakerTankLevel : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 2; }
};

// Byte 0 hours, byte 1 minutes: " 7:05".
class ValueMakerTimeOfDay : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  void Describe(std::ostream& out) const override;
  std::size_t RawSize() const override { return 2; }
};

// Byte 0 year (two digits), byte 1 month, byte 2 day, shown month first: " 3/ 9/24".
class ValueMakerTimeYMD : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  bool Parse(std::string_view text, std::span<std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 3; }
};

// Byte 0 hours, byte 1 minutes, byte 2 seconds; read only.
class ValueMakerTimeHMS : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 3; }
};

// Minutes of generator run time as hours:minutes; read only.
class ValueMakerGenRunTime : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 4; }
};

// An RV-C diagnostic code: "[ 18]   41:20" (DSA, SPN:FMI); read only.
class ValueMakerDiagFullCode : public ValueMaker {
 public:
  std::string Format(std::span<const std::uint8_t> raw) const override;
  std::size_t RawSize() const override { return 3; }
};

}  // namespace vlt::values
