// The main window's menu: command ids, texts and, for the test commands, the
// code of the test each one creates.
#pragma once

#include <array>
#include <string_view>

namespace vlt::gui {

enum Command : int {
  kLoadProfile = 32771,
  kSaveProfile = 32772,
  kResetProfile = 32773,
  kClearLog = 32774,
  kSaveLog = 32775,
  kAbort = 32776,
  kExit = 32806,
  kVerboseMode = 32807,
  kCopyToClipboard = 32808,
  kVersionReport = 32810,
  kReadAddressClaim = 32811,
  kRepeatLastTest = 32812,
  kBuildSummaryReport = 32816,
  kReadLogFile = 32818,
  kLogSkippedTest = 32820,
  kDeleteSuperseded = 32824,
  kExportTimeline = 32840,
  kAbout = 16,  // the system menu's about item
};

struct TestCommand {
  int id;
  std::string_view text;  // with its mnemonic ("&")
  std::string_view code;  // empty: no test exists for the entry
  bool separatorBefore;
};

inline constexpr std::array<TestCommand, 12> kAddressingCommands = {{
    {kReadAddressClaim, "&Read ADDRESS_CLAIM from DUT", "RAC", false},
    {32780, "A-&10 Static Boot", "A10", true},
    {32781, "A-&20 Static Conflict (LP)", "A20", false},
    {32782, "A-&30 Static Conflict (HP)", "A30", false},
    {32783, "A-&40 Dynamic Boot", "A40", true},
    {32784, "A-&50 Dynamic Startup Conflict (HP)", "A50", false},
    {32785, "A-&60 Dynamic Startup Conflict (LP)", "A60", false},
    {32786, "A-&70 Dynamic Starting No Conflict", "A70", false},
    {32787, "A-&80 Dynamic Subsequent Conflict (LP)", "A80", false},
    {32788, "A-&90 Dynamic Subsequent Conflict (HP)", "A90", false},
    {32789, "A-100 Dynamic Range &Full", "A100", false},
    {32790, "A-110 Res&ponse to Request for ADDRESS_CLAIM", "A110", true},
}};

inline constexpr std::array<TestCommand, 16> kNetworkCommands = {{
    {32791, "ND-&10 Global Request for DGN", "ND10", false},
    {32792, "ND-&20 Targeted Request for DGN", "", false},
    {32793, "ND-&30 Request for DGN - Random Target", "", false},
    {32826, "Request for DGN - &Instances (Unofficial)", "", false},
    {32794, "ND-&40 PRODUCT_ID", "", true},
    {32795, "ND-&50 DM_RV No Faults", "", true},
    {32796, "ND-&60 DM_RV with Faults", "", false},
    {32797, "ND-&70 DM_RV Fault Clearing", "", false},
    {32798, "ND-&80 Proprietary Messages", "", true},
    {32799, "ND-&90 Network Traffic Sample", "", true},
    {32800, "ND-10&0 Ignoring Source Address", "", true},
    {32801, "ND-110 &Empty Commands", "", false},
    {32802, "ND-120 General Reset - &Clear Faults", "", false},
    {32803, "ND-130 &NAK", "", false},
    {32804, "ND-140 Command with Incorrect Ins&tance", "", false},
    {32805, "ND-150 T&ransparency of Control", "", false},
}};

}  // namespace vlt::gui
