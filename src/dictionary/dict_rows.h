// Dictionary entries as table rows, so that the signal catalogue is a table read
// line by line against the standard, and the dictionary only adds what it lists.
//
//   {EntryKind::kFlag, "~~RedLamp", 0x1FECA, 0, Flag("Off", "On"), {0, 6}, L0},
//   EntryRow{EntryKind::kByteAGSCrit, "gcVdcAGS_DC_Inst", ...}.Criterion(0),
//
// A row names its value maker (a shared one by name, or a flag, scaled quantity or
// choice list made for it); the dictionary resolves the name and refuses a row it
// cannot build.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "dictionary/dict_entries.h"
#include "dictionary/dict_labels.h"
#include "values/enumeration.h"
#include "values/value_maker_shared.h"

namespace vlt::dictionary {

enum class EntryKind : std::uint8_t {
  kByte,         // DictByte
  kBits,         // DictBits
  kFlag,         // DictFlag (two bits)
  kRawBits,      // DictRawBits
  kWord,         // DictWord
  k3Byte,        // Dict3Byte
  kUint,         // DictUint
  k5Byte,        // Dict5Byte
  kFullPacket,   // DictFullPacket (no position)
  kMfgId,        // DictMfgId (position: low part; `high`: high part)
  kProductID,    // DictProductID (no position)
  kByteAGSCrit,  // DictByte_AGSCritSetting
  kWordAGSCrit,  // DictWord_AGSCritSetting
};

// Which value maker a row uses.
struct MakerSpec {
  enum class Kind : std::uint8_t {
    kShared,    // a SharedValueMakers name: "ValueMakerHex3Byte", "ValueMakerNakCode"
    kDecByte,   // a decimal byte; `bits` holds its not-available code
    kFlag,      // a 2-bit flag: key 0 reads `text`, key 1 `text2`
    kFlexByte,  // raw x scale + offset in the format `text`, over `bits` bits
    kFlexWord,
    kFlexUint,
    kChoices,  // a choice list of `bits` bits
  };
  Kind kind = Kind::kShared;
  std::string_view text;
  std::string_view text2;
  double scale = 1;
  double offset = 0;
  unsigned bits = 8;
  std::span<const values::EnumerationChoice> choices;
};

constexpr MakerSpec Shared(std::string_view name) {
  MakerSpec spec;
  spec.text = name;
  return spec;
}
// `notAvailable` is the field's all-ones code: 7, 15, 31, 63 or 255.
constexpr MakerSpec DecByte(std::uint8_t notAvailable) {
  MakerSpec spec;
  spec.kind = MakerSpec::Kind::kDecByte;
  spec.bits = notAvailable;
  return spec;
}
constexpr MakerSpec Flag(std::string_view offText, std::string_view onText) {
  MakerSpec spec;
  spec.kind = MakerSpec::Kind::kFlag;
  spec.text = offText;
  spec.text2 = onText;
  return spec;
}
constexpr MakerSpec Scaled(MakerSpec::Kind kind, std::string_view format, double scale,
                           double offset, unsigned bits) {
  MakerSpec spec;
  spec.kind = kind;
  spec.text = format;
  spec.scale = scale;
  spec.offset = offset;
  spec.bits = bits;
  return spec;
}
constexpr MakerSpec FlexByte(std::string_view format, double scale, double offset,
                             unsigned bits = 8) {
  return Scaled(MakerSpec::Kind::kFlexByte, format, scale, offset, bits);
}
constexpr MakerSpec FlexWord(std::string_view format, double scale, double offset) {
  return Scaled(MakerSpec::Kind::kFlexWord, format, scale, offset, 16);
}
constexpr MakerSpec FlexUint(std::string_view format, double scale, double offset) {
  return Scaled(MakerSpec::Kind::kFlexUint, format, scale, offset, 32);
}
constexpr MakerSpec Choices(unsigned bits, std::span<const values::EnumerationChoice> choices) {
  MakerSpec spec;
  spec.kind = MakerSpec::Kind::kChoices;
  spec.bits = bits;
  spec.choices = choices;
  return spec;
}

// A field's place: byte index, then bit position and bit count for the bit kinds.
struct FieldAt {
  constexpr FieldAt(std::uint8_t byteIndex = 0, std::uint8_t bitPosition = 0,
                    std::uint8_t bitCount = 8)
      : byte(byteIndex), bit(bitPosition), bits(bitCount) {}
  std::uint8_t byte;
  std::uint8_t bit;
  std::uint8_t bits;
};

struct EntryRow {
  constexpr EntryRow(EntryKind rowKind, std::string_view rowName, std::uint32_t status,
                     std::uint32_t command, MakerSpec rowMaker, FieldAt position,
                     LabelFunction rowLabel = &L0, FieldAt highPart = {})
      : kind(rowKind),
        name(rowName),
        statusDgn(status),
        commandDgn(command),
        maker(rowMaker),
        at(position),
        label(rowLabel),
        high(highPart) {}

  // The AGS kinds: the criterion the entry's frames must be about.
  constexpr EntryRow Criterion(std::uint8_t number) const {
    EntryRow row = *this;
    row.criterion = number;
    return row;
  }
  // The RV-C generic configuration identifier shown by the entry's data item.
  constexpr EntryRow Identifier(std::int32_t number) const {
    EntryRow row = *this;
    row.identifier = number;
    return row;
  }

  EntryKind kind;
  std::string_view name;  // unique in the dictionary; Windows-1252
  std::uint32_t statusDgn;
  std::uint32_t commandDgn;  // 0: cannot be set
  MakerSpec maker;
  FieldAt at;  // ignored by kFullPacket and kProductID; a flag's bit count is 2
  LabelFunction label;
  FieldAt high;  // kMfgId only
  std::uint8_t criterion = 0;
  std::int32_t identifier = -1;
};

// Builds value makers for rows and keeps those made for them; a flag or scaled
// quantity the shared set already has is taken from it.
class RowMakers {
 public:
  explicit RowMakers(const values::SharedValueMakers& shared) : shared_(shared) {}
  RowMakers(const RowMakers&) = delete;
  RowMakers& operator=(const RowMakers&) = delete;

  // Nullptr when the row names no maker the program has.
  const values::ValueMaker* Resolve(const MakerSpec& spec);
  // Takes the makers of `other` (which keeps none).
  void Adopt(RowMakers& other);
  std::size_t OwnedCount() const { return owned_.size(); }

 private:
  const values::ValueMaker* Keep(std::string key, std::unique_ptr<values::ValueMaker> maker);

  const values::SharedValueMakers& shared_;
  std::vector<std::pair<std::string, std::unique_ptr<values::ValueMaker>>> owned_;
};

// The entry a row describes, or nothing with the reason in `problem`: an unknown
// maker, a position beyond the eight data bytes, a status DGN of 0 or above
// 1FFFFh, a command DGN outside 10000h to 1FFFFh, or an empty name.
std::unique_ptr<DictEntry> MakeEntry(const EntryRow& row, const framework::DgnTable* target,
                                     RowMakers& makers, std::string& problem);

// The network-management entries ("~~" names) that the compliance tests read.
std::span<const EntryRow> NetworkManagementRows();
// The RV-C signals of the catalogue (signal_catalogue.cpp), DGN by DGN; within a
// DGN the order of its rows is the order of its decoded values.
std::span<const EntryRow> SignalCatalogueRows();

}  // namespace vlt::dictionary
