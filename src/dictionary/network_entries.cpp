// The network-management signals: terminal and download packets, DM_RV, the
// J1939 transport and address-claiming messages, requests and acknowledgements.
// The compliance tests read them by name ("~~ManufacturerID", "~~DGNRequest").
#include "dictionary/dict_rows.h"

namespace vlt::dictionary {

namespace {

constexpr MakerSpec kFullPacket = Shared("ValueMakerFullPacket");
constexpr MakerSpec kDecByte = DecByte(255);
constexpr MakerSpec kHexDgn = Shared("ValueMakerHex3Byte");

constexpr EntryRow kNetworkRows[] = {
    // kind, name, status DGN, command DGN, maker, position (byte, bit, bits), label
    {EntryKind::kFullPacket, "~~Terminal", 0x17E00, 0, kFullPacket, {}, L25},
    {EntryKind::kFullPacket, "~~Download", 0x17E00, 0, kFullPacket, {}, L25},
    {EntryKind::kFlag, "~~OperatingStatus1", 0x1FECA, 0, Flag("Off", "On"), {0, 0}, L0},
    {EntryKind::kFlag, "~~OperatingStatus2", 0x1FECA, 0, Flag("Standby", "Active"), {0, 2}, L0},
    {EntryKind::kFlag, "~~YellowLamp", 0x1FECA, 0, Flag("Off", "On"), {0, 4}, L0},
    {EntryKind::kFlag, "~~RedLamp", 0x1FECA, 0, Flag("Off", "On"), {0, 6}, L0},
    {EntryKind::k3Byte, "~~FullCode", 0x1FECA, 0, Shared("ValueMakerDiagFullCode"), {2}, L2},
    {EntryKind::kBits, "~~OccurrenceCount", 0x1FECA, 0, kDecByte, {5, 0, 7}, L0},
    {EntryKind::kFullPacket, "~~Proprietary", 0x0EF00, 0, kFullPacket, {}, L25},
    {EntryKind::kFullPacket, "~~NAME", 0x0EE00, 0, kFullPacket, {}, L0},
    {EntryKind::kRawBits, "~~ArbAddrCapable", 0x0EE00, 0, kDecByte, {7, 7, 1}, L0},
    {EntryKind::kMfgId,
     "~~ManufacturerID",
     0x0EE00,
     0,
     Shared("ValueMakerMfgId"),
     {2, 5, 3},
     L0,
     {3, 0, 8}},
    {EntryKind::kFullPacket, "~~InitialPacket", 0x0EC00, 0, kFullPacket, {}, L25},
    {EntryKind::kFullPacket, "~~DataPacket", 0x0EB00, 0, kFullPacket, {}, L25},
    {EntryKind::k3Byte, "~~DGNRequest", 0x0EA00, 0, kHexDgn, {0}, L25},
    {EntryKind::kByte, "~~InstRequest", 0x0EA00, 0, kDecByte, {3}, L25},
    {EntryKind::kByte, "~~SecInstRequest", 0x0EA00, 0, kDecByte, {4}, L25},
    {EntryKind::kByte, "~~AckCode", 0x0E800, 0, Shared("ValueMakerNakCode"), {0}, L25},
    {EntryKind::kByte, "~~AckInstance", 0x0E800, 0, kDecByte, {1}, L25},
    {EntryKind::k3Byte, "~~AckDGN", 0x0E800, 0, kHexDgn, {5}, L25},
};

}  // namespace

std::span<const EntryRow> NetworkManagementRows() {
  return kNetworkRows;
}

}  // namespace vlt::dictionary
