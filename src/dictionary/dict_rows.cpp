#include "dictionary/dict_rows.h"

#include <cstdio>

#include "values/value_maker_flex.h"
#include "values/value_maker_selection.h"

namespace vlt::dictionary {

namespace {

constexpr std::uint32_t kLowestCommandDgn = 0x10000;
constexpr std::uint32_t kHighestDgn = 0x1FFFF;

std::string ScaledKey(const char* kind, const MakerSpec& spec) {
  char numbers[96];
  std::snprintf(numbers, sizeof(numbers), "|%.17g|%.17g|%u", spec.scale, spec.offset, spec.bits);
  return std::string(kind) + std::string(spec.text) + numbers;
}

template <typename Maker>
bool SameScaling(const Maker* maker, const MakerSpec& spec) {
  return maker != nullptr && maker->Scale() == spec.scale && maker->Offset() == spec.offset &&
         maker->RequiredBits() == spec.bits;
}

}  // namespace

const values::ValueMaker* RowMakers::Keep(std::string key,
                                          std::unique_ptr<values::ValueMaker> maker) {
  owned_.emplace_back(std::move(key), std::move(maker));
  return owned_.back().second.get();
}

const values::ValueMaker* RowMakers::Resolve(const MakerSpec& spec) {
  using Kind = MakerSpec::Kind;
  std::string key;
  switch (spec.kind) {
    case Kind::kShared:
      return shared_.Find(spec.text);
    case Kind::kDecByte:
      if (spec.bits > 0xFF) return nullptr;
      if (const auto* shared = shared_.DecByte(static_cast<std::uint8_t>(spec.bits))) return shared;
      key = "decbyte:" + std::to_string(spec.bits);
      break;
    case Kind::kFlag:
      if (const auto* shared = shared_.Flag(spec.text, spec.text2)) return shared;
      key = "flag:" + std::string(spec.text) + '/' + std::string(spec.text2);
      break;
    case Kind::kFlexByte:
      if (spec.bits < 1 || spec.bits > 8) return nullptr;
      if (const auto* shared = shared_.FlexByte(spec.text); SameScaling(shared, spec))
        return shared;
      key = ScaledKey("flexbyte:", spec);
      break;
    case Kind::kFlexWord:
      if (const auto* shared = shared_.FlexWord(spec.text); SameScaling(shared, spec))
        return shared;
      key = ScaledKey("flexword:", spec);
      break;
    case Kind::kFlexUint:
      if (const auto* shared = shared_.FlexUint(spec.text); SameScaling(shared, spec))
        return shared;
      key = ScaledKey("flexuint:", spec);
      break;
    case Kind::kChoices: {
      if (spec.bits < 1 || spec.bits > 8) return nullptr;
      char where[64];
      std::snprintf(where, sizeof(where), "choices:%p:%zu:%u",
                    static_cast<const void*>(spec.choices.data()), spec.choices.size(), spec.bits);
      key = where;
      break;
    }
  }
  for (const auto& [ownedKey, maker] : owned_) {
    if (ownedKey == key) return maker.get();
  }
  switch (spec.kind) {
    case Kind::kDecByte:
      return Keep(
          key, std::make_unique<values::ValueMakerDecByte>(static_cast<std::uint8_t>(spec.bits)));
    case Kind::kFlag:
      return Keep(key, std::make_unique<values::ValueMakerFlexFlag>(std::string(spec.text),
                                                                    std::string(spec.text2)));
    case Kind::kFlexByte:
      return Keep(key, std::make_unique<values::ValueMakerFlexByte>(
                           std::string(spec.text), spec.scale, spec.offset, spec.bits));
    case Kind::kFlexWord:
      return Keep(key, std::make_unique<values::ValueMakerFlexWord>(std::string(spec.text),
                                                                    spec.scale, spec.offset));
    case Kind::kFlexUint:
      return Keep(key, std::make_unique<values::ValueMakerFlexUint>(std::string(spec.text),
                                                                    spec.scale, spec.offset));
    case Kind::kChoices: {
      values::ChoiceMap choices;
      for (const values::EnumerationChoice& choice : spec.choices) {
        choices[choice.key] = std::string(choice.text);
      }
      return Keep(key,
                  std::make_unique<values::ValueMakerSelection>(spec.bits, std::move(choices)));
    }
    case Kind::kShared:
      break;
  }
  return nullptr;
}

void RowMakers::Adopt(RowMakers& other) {
  if (&other == this) return;
  for (auto& owned : other.owned_) owned_.push_back(std::move(owned));
  other.owned_.clear();
}

std::unique_ptr<DictEntry> MakeEntry(const EntryRow& row, const framework::DgnTable* target,
                                     RowMakers& makers, std::string& problem) {
  const std::string name(row.name);
  if (name.empty()) {
    problem = "a row without a name";
    return nullptr;
  }
  if (row.statusDgn == 0 || row.statusDgn > kHighestDgn) {
    problem = name + ": status DGN is not 1 to 1FFFF";
    return nullptr;
  }
  if (row.commandDgn != 0 && (row.commandDgn < kLowestCommandDgn || row.commandDgn > kHighestDgn)) {
    problem = name + ": command DGN is neither 0 nor 10000 to 1FFFF";
    return nullptr;
  }
  const values::ValueMaker* maker = makers.Resolve(row.maker);
  if (maker == nullptr) {
    problem = name + ": no value maker \"" + std::string(row.maker.text) + "\"";
    return nullptr;
  }
  const auto& at = row.at;
  const std::uint32_t status = row.statusDgn;
  const std::uint32_t command = row.commandDgn;
  std::unique_ptr<DictEntry> entry;
  switch (row.kind) {
    case EntryKind::kByte:
      entry = std::make_unique<DictByte>(name, target, status, command, maker, at.byte, row.label);
      break;
    case EntryKind::kBits:
      entry = std::make_unique<DictBits>(name, target, status, command, maker, at.byte, at.bit,
                                         at.bits, row.label);
      break;
    case EntryKind::kFlag:
      entry = std::make_unique<DictFlag>(name, target, status, command, maker, at.byte, at.bit,
                                         row.label);
      break;
    case EntryKind::kRawBits:
      entry = std::make_unique<DictRawBits>(name, target, status, command, maker, at.byte, at.bit,
                                            at.bits, row.label);
      break;
    case EntryKind::kWord:
      entry = std::make_unique<DictWord>(name, target, status, command, maker, at.byte, row.label);
      break;
    case EntryKind::k3Byte:
      entry = std::make_unique<Dict3Byte>(name, target, status, command, maker, at.byte, row.label);
      break;
    case EntryKind::kUint:
      entry = std::make_unique<DictUint>(name, target, status, command, maker, at.byte, row.label);
      break;
    case EntryKind::k5Byte:
      entry = std::make_unique<Dict5Byte>(name, target, status, command, maker, at.byte, row.label);
      break;
    case EntryKind::kFullPacket:
      entry = std::make_unique<DictFullPacket>(name, target, status, command, maker, row.label);
      break;
    case EntryKind::kMfgId:
      entry = std::make_unique<DictMfgId>(name, target, status, command, maker, at.byte, at.bit,
                                          at.bits, row.high.byte, row.high.bit, row.high.bits,
                                          row.label);
      break;
    case EntryKind::kProductID:
      entry = std::make_unique<DictProductID>(name, target, status, command, maker, row.label);
      break;
    case EntryKind::kByteAGSCrit:
      entry = std::make_unique<DictByte_AGSCritSetting>(name, target, status, command,
                                                        row.criterion, maker, at.byte, row.label);
      break;
    case EntryKind::kWordAGSCrit:
      entry = std::make_unique<DictWord_AGSCritSetting>(name, target, status, command,
                                                        row.criterion, maker, at.byte, row.label);
      break;
  }
  if (entry == nullptr) {
    problem = name + ": unknown entry kind";
    return nullptr;
  }
  if (!entry->PositionFits()) {
    problem = name + ": position reaches beyond the eight data bytes";
    return nullptr;
  }
  if (row.identifier != -1) entry->SetIdentifier(row.identifier, {});
  return entry;
}

}  // namespace vlt::dictionary
