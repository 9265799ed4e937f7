// The main window's menu: command ids, texts and, for the test commands, the
// code of the test each one creates.
#pragma once

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

// The test commands are the rows of the table of tests (compliance/test_table.h).

}  // namespace vlt::gui
