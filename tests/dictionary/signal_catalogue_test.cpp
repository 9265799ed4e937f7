// The signal catalogue against what it must hold: the entries per class and per
// status DGN, the command DGNs and identifiers, fields that stay inside their
// bytes and apart from each other, and value makers that fit their fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/data_test_support.h"
#include "dictionary/dictionary.h"

namespace vlt::dictionary {
namespace {

using data::testing::Bytes;
using data::testing::Frame;

// The stated class totals include the network-management ("~~") entries, which
// network_entries.cpp holds: 1521 entries in all.
std::vector<EntryRow> AllRows() {
  std::vector<EntryRow> rows(NetworkManagementRows().begin(), NetworkManagementRows().end());
  rows.insert(rows.end(), SignalCatalogueRows().begin(), SignalCatalogueRows().end());
  return rows;
}

std::string Hex(std::uint32_t dgn) {
  char text[8];
  std::snprintf(text, sizeof(text), "%05X", dgn);
  return text;
}

// The bits of the eight data bytes a row reads (bit 8 x i + p is data[i] bit p);
// 0 for the rows that take the whole frame.
std::uint64_t Covered(const EntryRow& row) {
  const auto span = [](unsigned firstBit, unsigned width) {
    return (width >= 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << width) - 1)) << firstBit;
  };
  const unsigned at = row.at.byte * 8u;
  switch (row.kind) {
    case EntryKind::kByte:
    case EntryKind::kByteAGSCrit:
      return span(at, 8);
    case EntryKind::kWord:
    case EntryKind::kWordAGSCrit:
      return span(at, 16);
    case EntryKind::k3Byte:
      return span(at, 24);
    case EntryKind::kUint:
      return span(at, 32);
    case EntryKind::k5Byte:
      return span(at, 40);
    case EntryKind::kFlag:
      return span(at + row.at.bit, 2);
    case EntryKind::kBits:
    case EntryKind::kRawBits:
      return span(at + row.at.bit, row.at.bits);
    case EntryKind::kMfgId:
      return span(at + row.at.bit, row.at.bits) |
             span(row.high.byte * 8u + row.high.bit, row.high.bits);
    case EntryKind::kFullPacket:
    case EntryKind::kProductID:
      break;
  }
  return 0;
}

// The field width a value maker must accept (RequiredBits 0 fits any).
unsigned Width(const EntryRow& row) {
  switch (row.kind) {
    case EntryKind::kFlag:
      return 2;
    case EntryKind::kBits:
    case EntryKind::kRawBits:
      return row.at.bits;
    case EntryKind::kWord:
    case EntryKind::kWordAGSCrit:
      return 16;
    case EntryKind::kUint:
      return 32;
    default:
      return 8;
  }
}

TEST(SignalCatalogue, EntriesPerClass) {
  std::map<EntryKind, int> counts;
  for (const EntryRow& row : AllRows()) ++counts[row.kind];
  EXPECT_EQ(counts[EntryKind::kByte], 412);
  EXPECT_EQ(counts[EntryKind::kWord], 324);
  EXPECT_EQ(counts[EntryKind::kFlag], 600);
  EXPECT_EQ(counts[EntryKind::kBits], 93);
  EXPECT_EQ(counts[EntryKind::kRawBits], 15);
  EXPECT_EQ(counts[EntryKind::kUint], 16);
  EXPECT_EQ(counts[EntryKind::k3Byte], 8);
  EXPECT_EQ(counts[EntryKind::k5Byte], 2);
  EXPECT_EQ(counts[EntryKind::kFullPacket], 22);
  EXPECT_EQ(counts[EntryKind::kMfgId], 3);
  EXPECT_EQ(counts[EntryKind::kProductID], 1);
  EXPECT_EQ(counts[EntryKind::kByteAGSCrit], 12);
  EXPECT_EQ(counts[EntryKind::kWordAGSCrit], 13);
  EXPECT_EQ(AllRows().size(), 1521u);
}

TEST(SignalCatalogue, EntriesPerStatusDgn) {
  const std::map<std::uint32_t, int> expected = {
      {0x1FFFF, 8},  {0x1FFFD, 2},  {0x1FFFC, 4},  {0x1FFFB, 4},  {0x1FFFA, 3},  {0x1FFF9, 2},
      {0x1FFF8, 3},  {0x1FFF7, 11}, {0x1FFF6, 1},  {0x1FE99, 48}, {0x1FFF5, 6},  {0x1FFF4, 8},
      {0x1FFF2, 7},  {0x1FFEF, 26}, {0x1FFED, 25}, {0x1FFEE, 14}, {0x1FFEC, 18}, {0x1FFEB, 8},
      {0x1FFEA, 8},  {0x1FFE9, 7},  {0x1FFE8, 11}, {0x1FFE4, 10}, {0x1FFE7, 5},  {0x1FFE6, 19},
      {0x1FFE2, 6},  {0x1FFE1, 7},  {0x1FFDF, 7},  {0x1FFDE, 4},  {0x1FFDD, 6},  {0x1FFDC, 4},
      {0x1FFDB, 8},  {0x1FFDA, 1},  {0x1FFD9, 4},  {0x1FFD7, 7},  {0x1FFD6, 4},  {0x1FFD5, 6},
      {0x1FFD4, 6},  {0x1FFD3, 8},  {0x1FFD2, 7},  {0x1FFD1, 3},  {0x1FFCE, 9},  {0x1FFCD, 4},
      {0x1FFCC, 4},  {0x1FFCB, 4},  {0x1FFCA, 7},  {0x1FFC9, 4},  {0x1FFC8, 6},  {0x1FFC7, 7},
      {0x1FFC6, 9},  {0x1FFC5, 6},  {0x1FFC2, 4},  {0x1FFC1, 4},  {0x1FFC0, 4},  {0x1FFBF, 7},
      {0x1FFBD, 7},  {0x1FFBC, 4},  {0x1FFBB, 7},  {0x1FFB9, 1},  {0x1FFBA, 10}, {0x1FFB8, 3},
      {0x1FFB7, 4},  {0x1FFB3, 7},  {0x1FFB1, 3},  {0x1FFAF, 13}, {0x1FFAE, 5},  {0x1FFAD, 7},
      {0x1FFAC, 4},  {0x1FFAB, 6},  {0x1FFAA, 2},  {0x1FFA5, 4},  {0x1FFA4, 4},  {0x1FFA3, 3},
      {0x1FFA2, 2},  {0x1FFA0, 3},  {0x1FF9F, 2},  {0x1FF9C, 1},  {0x1FF9B, 6},  {0x1FF99, 2},
      {0x1FF98, 2},  {0x1FF96, 5},  {0x1FF94, 6},  {0x1FF93, 6},  {0x1FF92, 2},  {0x1FF8F, 6},
      {0x1FF8E, 6},  {0x1FF8D, 2},  {0x1FF8A, 6},  {0x1FF89, 6},  {0x1FF88, 2},  {0x1FF85, 6},
      {0x1FF84, 6},  {0x1FF83, 2},  {0x1FF80, 11}, {0x1FEFF, 6},  {0x1FEFE, 23}, {0x1FED2, 5},
      {0x1FEFC, 7},  {0x1FEFB, 1},  {0x1FEFA, 5},  {0x1FEF7, 4},  {0x1FEF6, 7},  {0x1FEE8, 2},
      {0x1FEF3, 11}, {0x1FEF2, 6},  {0x1FEF1, 2},  {0x1FEF0, 7},  {0x1FEEF, 2},  {0x1FEEE, 3},
      {0x1FEED, 3},  {0x1FEEA, 1},  {0x1FEE6, 16}, {0x1FEE5, 3},  {0x1FEE4, 1},  {0x1FEE3, 3},
      {0x1FEE2, 3},  {0x1FEE0, 12}, {0x1FEE1, 3},  {0x1FEDE, 11}, {0x1FEDF, 3},  {0x1FEDD, 6},
      {0x1FEDC, 7},  {0x1FEDA, 9},  {0x1FEDB, 4},  {0x1FED7, 5},  {0x1FED9, 1},  {0x1FED8, 5},
      {0x1FED6, 1},  {0x1FED4, 16}, {0x0FEF3, 2},  {0x1FED3, 4},  {0x1FED1, 7},  {0x1FED0, 3},
      {0x1FECE, 2},  {0x1FECC, 9},  {0x1FEC9, 4},  {0x1FEC8, 2},  {0x1FEC7, 12}, {0x1FEC6, 4},
      {0x1FEC5, 6},  {0x1FEC4, 2},  {0x1FEC2, 2},  {0x1FEC1, 2},  {0x1FEBD, 3},  {0x1FEBC, 2},
      {0x1FEBB, 7},  {0x1FEBA, 4},  {0x1FEB9, 6},  {0x1FEB8, 6},  {0x1FEB7, 6},  {0x1FEB6, 2},
      {0x1FEB3, 4},  {0x1FEB2, 6},  {0x1FEB1, 3},  {0x1FEAF, 2},  {0x1FEAE, 2},  {0x1FEAC, 2},
      {0x1FEAB, 2},  {0x1FEAA, 2},  {0x1FEA9, 2},  {0x1FEA8, 4},  {0x1FEA7, 10}, {0x1FEA5, 6},
      {0x1FEA3, 5},  {0x1FEA1, 2},  {0x1FEA0, 8},  {0x1FE9F, 8},  {0x1FE9E, 3},  {0x1FE9B, 4},
      {0x1FE98, 3},  {0x1FE97, 4},  {0x1FE95, 2},  {0x1FE94, 4},  {0x1FE93, 4},  {0x1FE92, 4},
      {0x1FE91, 2},  {0x1FE90, 12}, {0x1FE8F, 2},  {0x1FE8E, 2},  {0x1FE8D, 2},  {0x1FE8C, 2},
      {0x1FE8B, 6},  {0x1FE8A, 5},  {0x1FE89, 5},  {0x1FE87, 11}, {0x1FE85, 2},  {0x1FDAA, 9},
      {0x1FE84, 3},  {0x1FE83, 3},  {0x1FE82, 2},  {0x1FE81, 2},  {0x1FE80, 4},  {0x1FDFF, 2},
      {0x1FDFE, 3},  {0x1FDFC, 3},  {0x1FDFA, 5},  {0x1FDF8, 3},  {0x1FDF7, 6},  {0x1FDF5, 4},
      {0x1FDF4, 3},  {0x1FDF3, 3},  {0x1FDF2, 2},  {0x1FDF1, 6},  {0x1FDED, 2},  {0x1FDE7, 2},
      {0x1FDE6, 8},  {0x1FDE5, 3},  {0x1FDE4, 1},  {0x1FDE3, 8},  {0x1FDE2, 6},  {0x1FDE1, 5},
      {0x1FDDF, 7},  {0x1FDDE, 6},  {0x1FDDD, 3},  {0x1FDDC, 4},  {0x1FDDB, 4},  {0x1FDD9, 4},
      {0x1FDD7, 3},  {0x1FDD3, 7},  {0x1FDD1, 1},  {0x1FDCF, 3},  {0x1FDCD, 18}, {0x1FDCC, 1},
      {0x1FDCB, 3},  {0x1FDCA, 2},  {0x1FDC9, 8},  {0x1FDC8, 1},  {0x1FDC7, 1},  {0x1FDC6, 1},
      {0x1FDC5, 1},  {0x1FDC4, 15}, {0x1FDC3, 6},  {0x1FDC2, 7},  {0x1FDC1, 5},  {0x1FDC0, 4},
      {0x1FDBF, 4},  {0x1FDBD, 7},  {0x1FDBE, 8},  {0x1FDBC, 1},  {0x1FDBB, 1},  {0x1FDBA, 1},
      {0x1FDB9, 1},  {0x1FDB8, 1},  {0x1FDB7, 1},  {0x1FDB6, 4},  {0x1FDB4, 5},  {0x1FDB2, 7},
      {0x1FDB5, 3},  {0x1FDB3, 3},  {0x1FDB0, 6},  {0x1FDB1, 2},  {0x1FDAD, 6},  {0x1FDAB, 3},
      {0x1FDA9, 3},  {0x1FDA8, 3},  {0x1FDA6, 7},  {0x1FDA5, 2},  {0x1FDA4, 2},  {0x1FDA3, 3},
      {0x1FDA2, 3},  {0x1FDA1, 1},  {0x1FD9F, 1},  {0x1FD9E, 2},  {0x1FD9D, 2},  {0x1FD9B, 4},
      {0x1FD99, 5},  {0x1FD97, 8},  {0x1FD94, 2},  {0x1FD93, 6},  {0x1FD92, 7},  {0x1FD91, 4},
      {0x1FD90, 4},  {0x1FD8F, 4},  {0x1FD00, 5},  {0x1FD01, 5},  {0x1FD02, 5},  {0x1FD03, 6},
      {0x1FD05, 7},  {0x1FD06, 6},  {0x1FD07, 1},  {0x1FD0E, 4},  {0x1FD10, 3},  {0x1FD11, 3},
      {0x1FD12, 3},  {0x1FD14, 1},  {0x1FD15, 1},  {0x1FD16, 1},  {0x17F00, 8},  {0x17E00, 2},
      {0x16F00, 7},  {0x16E00, 5},  {0x16D00, 3},  {0x16C00, 2},  {0x16B00, 2},  {0x16A00, 3},
      {0x16900, 3},  {0x16000, 1},  {0x16300, 8},  {0x1FECA, 6},  {0x0FEEB, 1},  {0x0EF00, 1},
      {0x0EE00, 3},  {0x0EC00, 1},  {0x0EB00, 1},  {0x0EA00, 3},  {0x0E800, 3},
  };
  std::map<std::uint32_t, int> actual;
  for (const EntryRow& row : AllRows()) ++actual[row.statusDgn];
  EXPECT_EQ(actual.size(), 305u);
  for (const auto& [dgn, count] : expected) {
    EXPECT_EQ(actual[dgn], count) << Hex(dgn);
  }
  for (const auto& [dgn, count] : actual) {
    EXPECT_TRUE(expected.contains(dgn)) << "unexpected DGN " << Hex(dgn);
  }
}

// Signals a status DGN lists under a command's upper-case name.
bool CommandNamed(std::string_view name) {
  return name.size() > 1 && std::isupper(static_cast<unsigned char>(name[0])) &&
         std::isupper(static_cast<unsigned char>(name[1]));
}

TEST(SignalCatalogue, CommandDgnsOfEachStatusDgn) {
  std::map<std::uint32_t, std::set<std::uint32_t>> listed = {
      {0x1FFFF, {0x1FFFE}}, {0x1FFF7, {0x1FFF6}}, {0x1FFF2, {0x1FFF1}},
      {0x1FFED, {0x1FFEE}}, {0x1FFE4, {0x1FFE3}}, {0x1FFE2, {0x1FEF9}},
      {0x1FFE1, {0x1FFE0}}, {0x1FFD9, {0x1FFD8}}, {0x1FFD2, {0x1FFD0}},
      {0x1FFD1, {0x1FFCF}}, {0x1FFC6, {0x1FFC4}}, {0x1FFBF, {0x1FFBE}},
      {0x1FFBD, {0x1FFBC}}, {0x1FFBB, {0x1FFB9}}, {0x1FFB7, {0x1FFB6}},
      {0x1FFB3, {0x1FFB2}}, {0x1FFB1, {0x1FFB0}}, {0x1FFAF, {0x1FFAE}},
      {0x1FFAA, {0x1FFA9}}, {0x1FFA5, {0x1FFA1}}, {0x1FF9B, {0x1FF9A}},
      {0x1FF98, {0x1FF97}}, {0x1FF96, {0x1FF95}}, {0x1FF93, {0x1FF91}},
      {0x1FF92, {0x1FF90}}, {0x1FF8E, {0x1FF8C}}, {0x1FF8D, {0x1FF8B}},
      {0x1FF89, {0x1FF87}}, {0x1FF88, {0x1FF86}}, {0x1FF84, {0x1FF82}},
      {0x1FF83, {0x1FF81}}, {0x1FF80, {0x1FEFF}}, {0x1FEFE, {0x1FEFD}},
      {0x1FEFC, {0x1FEFB}}, {0x1FEFB, {0x1FEFB}}, {0x1FEFA, {0x1FEF8}},
      {0x1FEF7, {0x1FEF5}}, {0x1FEF6, {0x1FEF4}}, {0x1FEEE, {0x1FEEB}},
      {0x1FEED, {0x1FEEC}}, {0x1FEEA, {0x1FEE9}}, {0x1FEE6, {0x1FEE7}},
      {0x1FEE5, {0x1FEE4}}, {0x1FEE0, {0x1FEE1}}, {0x1FEDE, {0x1FEDF}},
      {0x1FEDA, {0x1FEDB}}, {0x1FED7, {0x1FED9}}, {0x1FED4, {0x1FED5}},
      {0x1FED0, {0x1FECF}}, {0x1FECE, {0x1FECD}}, {0x1FECC, {0x1FECB, 0x1FECD}},
      {0x1FEC5, {0x1FEC3}}, {0x1FEC1, {0x1FEC0}}, {0x1FEB7, {0x1FEB5}},
      {0x1FEB6, {0x1FEB4}}, {0x1FEB2, {0x1FEB0}}, {0x1FEAE, {0x1FEAD}},
      {0x1FEA7, {0x1FEA6}}, {0x1FEA5, {0x1FEA4}}, {0x1FEA1, {0x1FEA2}},
      {0x1FE9B, {0x1FE9A}}, {0x1FE97, {0x1FE96}}, {0x1FE89, {0x1FE88}},
      {0x1FE87, {0x1FE86}}, {0x1FDFE, {0x1FDFD}}, {0x1FDFC, {0x1FDFB}},
      {0x1FDFA, {0x1FDF9}}, {0x1FDF7, {0x1FDF6}}, {0x1FDF5, {0x1FDF4}},
      {0x1FDED, {0x1FDEC}}, {0x1FDE3, {0x1FDE2}}, {0x1FDE1, {0x1FDE0}},
      {0x1FDDB, {0x1FDDA}}, {0x1FDD9, {0x1FDD8}}, {0x1FDD7, {0x1FDD6}},
      {0x1FDD3, {0x1FDD2}}, {0x1FDCF, {0x1FDCE}}, {0x1FDCD, {0x1FDCC}},
      {0x1FDC2, {0x1FDBC}}, {0x1FDC1, {0x1FDBB}}, {0x1FDC0, {0x1FDBA}},
      {0x1FDBF, {0x1FDB9}}, {0x1FDBD, {0x1FDB7}}, {0x1FDBE, {0x1FDB8}},
      {0x1FDB4, {0x1FDB5}}, {0x1FDB2, {0x1FDB3}}, {0x1FDB0, {0x1FDB1}},
      {0x1FDAD, {0x1FDAC}}, {0x1FDA6, {0x1FDA7}}, {0x1FDA1, {0x1FDA0}},
      {0x1FD9D, {0x1FD9C}}, {0x1FD9B, {0x1FD9A}}, {0x1FD99, {0x1FD98}},
      {0x1FD97, {0x1FD96}}, {0x1FD94, {0x1FD95}}, {0x16A00, {0x16100}},
      {0x16900, {0x16200}},
  };
  // FLOOR_HEAT_CMD is listed as its own command; a DGN that sets itself would
  // register a plain entry over its own signal's name.
  listed.erase(0x1FEFB);
  std::map<std::uint32_t, std::set<std::uint32_t>> used;
  for (const EntryRow& row : SignalCatalogueRows()) {
    const auto found = listed.find(row.statusDgn);
    // A command-named signal would otherwise register a plain entry of its own name.
    if (CommandNamed(row.name) || found == listed.end()) {
      EXPECT_EQ(row.commandDgn, 0u) << row.name;
    } else {
      EXPECT_TRUE(found->second.contains(row.commandDgn)) << row.name;
      used[row.statusDgn].insert(row.commandDgn);
    }
  }
  EXPECT_EQ(used, listed);
}

TEST(SignalCatalogue, GenericConfigurationIdentifiers) {
  const std::map<std::string, std::int32_t> expected = {
      {"gnGenset_Type", 0x64EA},        {"gnGen_Pre_Crank", 0x64DE},
      {"gnGen_Max_Crank", 0x64DD},      {"gnGen_Stop_Time", 0x64E5},
      {"tkTank_Size", 0x6423},          {"tkTank_Precision", 0x6422},
      {"gdQuiet_Time_Begin", 0x64DF},   {"gdQuiet_Time_End", 0x64E0},
      {"fhFHeat_OpMode", 0x6442},       {"fhFHeat_OpSts", 0x6441},
      {"fhSched_Sts", 0x6443},          {"fhSet_Point", 0x6440},
      {"ddCircuit_Sts", 0x6504},        {"veVentilated_Space", 0x652E},
      {"veHeated_Space", 0x652A},       {"veShore_Power_Avlbl", 0x6556},
      {"veOpen_Space", 0x6526},         {"veWater_Hookup", 0x652F},
      {"veSewer_Hookup", 0x652B},       {"veInternet_Available", 0x6516},
      {"veTrailer_Is_Hitched", 0x652D}, {"veTrailer_In_Tow", 0x6525},
      {"veVehicle_Stabilized", 0x652C},
  };
  std::map<std::string, std::int32_t> actual;
  for (const EntryRow& row : SignalCatalogueRows()) {
    if (row.identifier != -1) actual[std::string(row.name)] = row.identifier;
  }
  EXPECT_EQ(actual, expected);
}

TEST(SignalCatalogue, BitFieldsStayInsideTheirByte) {
  for (const EntryRow& row : AllRows()) {
    if (row.kind == EntryKind::kBits || row.kind == EntryKind::kRawBits) {
      EXPECT_GE(row.at.bits, 1) << row.name;
      EXPECT_LE(row.at.bit + row.at.bits, 8) << row.name;
    }
    if (row.kind == EntryKind::kFlag) {
      EXPECT_EQ(row.at.bit % 2, 0) << row.name;  // RV-C pairs start on even bits
    }
  }
}

// Where two fields of one DGN share bits on purpose.
struct SharedBits {
  std::uint32_t dgn;
  const char* why;
};
constexpr SharedBits kSharedBits[] = {
    {0x1FFB7, "the tank precision is the resolution byte inside the level pair"},
    {0x1FFCE, "the counters and the voltage extremes are two pages of the statistics"},
    {0x1FECC, "charger stage times and inverter settings are listed under one DGN"},
    {0x1FDB0, "text chunks take the header's bytes after the first text index"},
};

TEST(SignalCatalogue, FieldsOfOneDgnDoNotOverlapUnlessIntended) {
  std::map<std::uint32_t, std::vector<EntryRow>> byDgn;
  for (const EntryRow& row : AllRows()) byDgn[row.statusDgn].push_back(row);
  std::set<std::uint32_t> overlapping;
  for (const auto& [dgn, rows] : byDgn) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      for (std::size_t j = i + 1; j < rows.size(); ++j) {
        const EntryRow& a = rows[i];
        const EntryRow& b = rows[j];
        if ((Covered(a) & Covered(b)) == 0) continue;
        // A second name for the same field (a command layout sharing the status
        // layout), or settings of different AGS criteria.
        const bool sameField = Covered(a) == Covered(b) && a.kind == b.kind;
        const bool otherCriterion =
            (a.kind == EntryKind::kByteAGSCrit || a.kind == EntryKind::kWordAGSCrit) &&
            (b.kind == EntryKind::kByteAGSCrit || b.kind == EntryKind::kWordAGSCrit) &&
            a.criterion != b.criterion;
        if (sameField || otherCriterion) continue;
        overlapping.insert(dgn);
        const bool intended =
            std::any_of(std::begin(kSharedBits), std::end(kSharedBits),
                        [dgn = dgn](const SharedBits& s) { return s.dgn == dgn; });
        EXPECT_TRUE(intended) << Hex(dgn) << ": " << a.name << " and " << b.name;
      }
    }
  }
  for (const SharedBits& shared : kSharedBits) {
    EXPECT_TRUE(overlapping.contains(shared.dgn)) << Hex(shared.dgn) << " no longer shares bits";
  }
}

TEST(SignalCatalogue, ValueMakersFitTheirFields) {
  RowMakers makers(values::SharedValueMakers::Instance());
  for (const EntryRow& row : AllRows()) {
    const values::ValueMaker* maker = makers.Resolve(row.maker);
    ASSERT_NE(maker, nullptr) << row.name;
    const unsigned required = maker->RequiredBits();
    EXPECT_TRUE(required == 0 || required == Width(row))
        << row.name << " needs " << required << " bits, has " << Width(row);
  }
}

struct BuiltCatalogue : ::testing::Test {
  const framework::DgnTable global = framework::DgnTable::For(0xFF);
  const MainDictionary dictionary{values::SharedValueMakers::Instance(), global};
};

TEST_F(BuiltCatalogue, EveryRowIsBuilt) {
  EXPECT_EQ(dictionary.RejectedRows(), std::vector<std::string>{});
  std::set<std::uint32_t> dgns;
  for (const EntryRow& row : AllRows()) dgns.insert(row.statusDgn);
  for (const std::uint32_t dgn : dgns) EXPECT_TRUE(dictionary.Knows(dgn)) << Hex(dgn);
}

TEST_F(BuiltCatalogue, NoNameIsShadowedByACommandRegistration) {
  // A settable signal is also listed under its command with an upper-case name;
  // a real signal of that name must be registered after it, or ValueOf would
  // read the plain entry, which only ever formats "Err".
  const Bytes zeros(8, 0);
  for (const EntryRow& row : SignalCatalogueRows()) {
    if (row.kind == EntryKind::kProductID) continue;  // text fields, no single value
    const auto frame = Frame(row.statusDgn, 0x80, zeros);
    EXPECT_NE(dictionary.ValueOf(row.name, frame.frame), "Err") << row.name;
  }
}

}  // namespace
}  // namespace vlt::dictionary
