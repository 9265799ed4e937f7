#include "dictionary/dgn_layouts.h"

#include <bitset>
#include <map>
#include <memory>
#include <string>

#include "dictionary/dgn_names.h"
#include "dictionary/dict_rows.h"
#include "framework/tool_dgn.h"

namespace vlt::dictionary {
namespace {

constexpr std::uint8_t kAll = 0xFF;
constexpr std::size_t kBytes = 8;

// Each checked against the standard's table of the DGN: what its rows leave out
// is listed here, and everything else of the DGN is reserved (sent as 1s).
constexpr CompleteLayout kCompleteLayouts[] = {
    // DATE_TIME_STATUS: every byte has its row.
    {0x1FFFF, {}},
    // TANK_STATUS: the instance; byte 7 reserved.
    {0x1FFB7, {kAll}},
    // DC_DIMMER_STATUS_3: instance and group; byte 6 bits 4-7 and byte 7 reserved.
    {0x1FEDA, {kAll, kAll}},
    // DM_RV: the DSA, its extension and the bank; byte 5 bit 7 is always 1.
    {0x1FECA, {0, kAll, 0, 0, 0, 0, kAll, 0x0F}},
    // ACKNOWLEDGMENT: the bank and the address acknowledged; byte 3 reserved.
    {0x0E800, {0, 0, 0x0F, 0, kAll}},
    // Request for DGN: bytes 5-7 reserved.
    {0x0EA00, {}},
    // ADDRESS_CLAIM, TP.CM and TP.DT: whole-packet rows.
    {0x0EE00, {}},
    {0x0EC00, {}},
    {0x0EB00, {}},
};

std::uint32_t WithoutDestination(std::uint32_t dgn) {
  return ((dgn >> 8) & 0xFF) < framework::kFirstBroadcastPduFormat ? dgn & kDestinationDgnMask
                                                                   : dgn;
}

// Sets `count` bits from bit `first` of the packet (byte * 8 + bit).
void Cover(std::array<std::uint8_t, kBytes>& used, unsigned first, unsigned count) {
  for (unsigned b = first; b < first + count && b < kBytes * 8; ++b) {
    used[b / 8] = static_cast<std::uint8_t>(used[b / 8] | (1u << (b % 8)));
  }
}

void CoverRow(std::array<std::uint8_t, kBytes>& used, const EntryRow& row) {
  const unsigned at = row.at.byte * 8u;
  switch (row.kind) {
    case EntryKind::kByte:
    case EntryKind::kByteAGSCrit:
      Cover(used, at, 8);
      break;
    case EntryKind::kBits:
    case EntryKind::kRawBits:
      Cover(used, at + row.at.bit, row.at.bits);
      break;
    case EntryKind::kFlag:
      Cover(used, at + row.at.bit, 2);
      break;
    case EntryKind::kWord:
    case EntryKind::kWordAGSCrit:
      Cover(used, at, 16);
      break;
    case EntryKind::k3Byte:
      Cover(used, at, 24);
      break;
    case EntryKind::kUint:
      Cover(used, at, 32);
      break;
    case EntryKind::k5Byte:
      Cover(used, at, 40);
      break;
    case EntryKind::kFullPacket:
    case EntryKind::kProductID:
      Cover(used, 0, kBytes * 8);
      break;
    case EntryKind::kMfgId:
      Cover(used, at + row.at.bit, row.at.bits);
      Cover(used, row.high.byte * 8u + row.high.bit, row.high.bits);
      break;
  }
}

const std::map<std::uint32_t, DgnLayout>& Layouts() {
  static const std::map<std::uint32_t, DgnLayout> layouts = [] {
    std::map<std::uint32_t, DgnLayout> built;
    for (const auto rows : {NetworkManagementRows(), SignalCatalogueRows()}) {
      for (const EntryRow& row : rows) {
        DgnLayout& layout = built[WithoutDestination(row.statusDgn)];
        layout.described = true;
        CoverRow(layout.used, row);
      }
    }
    for (const CompleteLayout& complete : kCompleteLayouts) {
      DgnLayout& layout = built[complete.dgn];
      layout.described = true;
      layout.complete = true;
      for (std::size_t i = 0; i < kBytes; ++i) layout.used[i] |= complete.alsoUsed[i];
    }
    return built;
  }();
  return layouts;
}

}  // namespace

DgnLayout LayoutOf(std::uint32_t dgn) {
  const auto& layouts = Layouts();
  const auto it = layouts.find(WithoutDestination(dgn));
  return it == layouts.end() ? DgnLayout{} : it->second;
}

std::span<const CompleteLayout> CompleteLayouts() {
  return kCompleteLayouts;
}

bool IsCommandDgn(std::uint32_t dgn) {
  static const auto commands = [] {
    auto built = std::make_unique<std::bitset<framework::kDgnMask + 1>>();
    for (const EntryRow& row : SignalCatalogueRows()) {
      if (row.commandDgn != 0) built->set(row.commandDgn & framework::kDgnMask);
    }
    return built;
  }();
  return commands->test(dgn & framework::kDgnMask);
}

bool IsPublishedDgn(std::uint32_t dgn) {
  const std::string name = DgnName(dgn);
  return name != kUnidentifiedDgnName && !name.starts_with("RESERVED");
}

}  // namespace vlt::dictionary
