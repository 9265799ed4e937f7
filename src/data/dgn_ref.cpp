#include "data/dgn_ref.h"

#include <cstdio>
#include <cstring>

namespace vlt::data {

int TableSlotOf(std::uint32_t dgn) {
  const std::uint32_t block = dgn & kDgnBlockMask;
  for (std::size_t i = 0; i < kTableSlotDgns.size(); ++i) {
    if (kTableSlotDgns[i] == block) return static_cast<int>(i);
  }
  return -1;
}

std::uint32_t ReadTableSlot(const framework::DgnTable& table, int slot) {
  std::uint32_t value = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&table);
  std::memcpy(&value, bytes + offsetof(framework::DgnTable, dgns) + 4 * slot, sizeof(value));
  return value;
}

DgnRef::DgnRef(const framework::DgnTable& table, std::uint32_t dgn) {
  if (dgn == kToolCellDgns[2]) {
    kind_ = Kind::kToolCell;
    index_ = 2;
    return;
  }
  const int slot = TableSlotOf(dgn);
  if (slot >= 0) {
    kind_ = Kind::kTableSlot;
    table_ = &table;
    index_ = slot;
    return;
  }
  kind_ = Kind::kValue;
  value_ = dgn;
}

DgnRef DgnRef::OfValue(std::uint32_t dgn) {
  DgnRef ref;
  ref.kind_ = Kind::kValue;
  ref.value_ = dgn;
  return ref;
}

std::uint32_t DgnRef::Value() const {
  switch (kind_) {
    case Kind::kNone:
      return 0;
    case Kind::kTableSlot:
      return ReadTableSlot(*table_, index_);
    case Kind::kToolCell:
      return kToolCellDgns[static_cast<std::size_t>(index_)];
    case Kind::kValue:
      return value_;
  }
  return 0;
}

void DgnRef::Retarget(const framework::DgnTable& table) {
  if (IsNone()) return;
  const int slot = TableSlotOf(Value());
  if (slot < 0) return;
  kind_ = Kind::kTableSlot;
  table_ = &table;
  index_ = slot;
}

std::string DgnRef::Text(const framework::DgnTable* targetTable) const {
  if (kind_ == Kind::kNone) return "00000";
  if (kind_ == Kind::kTableSlot && table_ == targetTable) {
    return kTargetSlotTexts[static_cast<std::size_t>(index_)];
  }
  if (kind_ == Kind::kToolCell) return kToolCellTexts[static_cast<std::size_t>(index_)];
  char text[16];
  std::snprintf(text, sizeof(text), "%05X", Value());
  return text;
}

std::string AddressText(const std::uint8_t* address, const framework::DgnTable* targetTable) {
  if (address == nullptr) return "00";
  if (targetTable != nullptr && address == &targetTable->address) return "##";
  char text[4];
  std::snprintf(text, sizeof(text), "%02X", *address);
  return text;
}

}  // namespace vlt::data
