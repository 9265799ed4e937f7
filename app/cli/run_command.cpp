#include "cli/run_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "cli/arguments.h"
#include "cli/interrupts.h"
#include "cli/path_arguments.h"
#include "cli/profile_command.h"
#include "cli/result_files.h"
#include "cli/terminal.h"
#include "cli/test_session.h"
#include "compliance/compliance_tests.h"
#include "data/clone_file.h"
#include "engine/tool_elements.h"
#include "platform/run_dir.h"
#include "platform/text_encoding.h"
#include "settings/profile.h"

namespace vlt::cli {

namespace {

constexpr long kDefaultTimeoutSeconds = 120;
constexpr long kMaxTimeoutSeconds = 7 * 24 * 3600;
// A host that went away between two tests gets this long to come back.
constexpr std::chrono::seconds kReconnectWait{10};

constexpr const char* kUsageHead =
    "usage: vlt run CODE... [--profile FILE] [--set \"NAME=VALUE\"]... [--out DIR]\n"
    "               [--operator auto|tty] [--timeout SECONDS] [--verbose]\n"
    "               [--junit FILE] [--json FILE] [--timeline] [--force]\n"
    "       vlt run --list\n"
    "  Runs the tests one after the other against the host of $VLT_RUN_DIR and saves each\n"
    "  log as DIR/<product>_<code>_<yymmddHHMM>.txt (default DIR: the current folder); a\n"
    "  name already taken gets \" (2)\", \" (3)\", ... and no file is ever replaced.\n"
    "  Settings start from their defaults, then the profile, then each --set in order.\n"
    "  A --set holds for this run only: the profile is written back only with what a\n"
    "  test stored (Read ADDRESS_CLAIM's NAME, when it read one), keeping its\n"
    "  \":Created\" line. A file that is no profile, or holds lines or values this\n"
    "  program cannot keep, runs nothing (exit status 65) unless --force is given:\n"
    "  then the run takes the settings read from it and a stored setting rewrites it.\n"
    "  --operator auto (default) powers the simulated DUT when the test listens, presses\n"
    "  space and answers; tty asks at the terminal.\n"
    "  --timeout SECONDS aborts a test that runs longer (default 120, 0: never) and says\n"
    "  what it was waiting for. Ctrl-C (SIGINT), SIGTERM or SIGHUP aborts the running\n"
    "  test as Abort does, saves its log and runs no further test; a second one ends\n"
    "  at once. A closed standard output (vlt run ... | head) loses only the printing.\n"
    "  --junit FILE writes JUnit XML of the criteria (a testsuite per test) for CI;\n"
    "  --json FILE the same facts and more as JSON (docs/vlt-results.schema.json);\n"
    "  --timeline writes a timeline picture <log name>.svg beside each saved log; a\n"
    "  file already under that name is kept and the picture not written (status 73).\n"
    "  Exit status: 0 all criteria passed or undecided, 1 some criterion did not pass,\n"
    "  2 a test was aborted (or a signal came), 64 usage, 69 no host or the link to it\n"
    "  was lost, 73 a log, the profile or a result file could not be saved (no file is\n"
    "  lost), 75 another tester runs.\n";

std::string TestList() {
  std::string text;
  for (const auto& test : compliance::RunnableTestTitles()) {
    std::string code = test.code;
    code.resize(std::max<std::size_t>(code.size(), 6), ' ');
    text += "  " + code + platform::Cp1252ToUtf8(test.title) + "\n";
  }
  return text;
}

std::string Usage() {
  return std::string(kUsageHead) + "Tests (CODE):\n" + TestList();
}

struct RunOptions {
  std::vector<std::string> codes;
  std::optional<std::string> profile;
  std::vector<std::string> sets;
  std::string outDir = ".";
  bool ttyOperator = false;
  bool verbose = false;
  bool force = false;  // a profile a rewrite cannot keep whole is used all the same
  long timeoutSeconds = kDefaultTimeoutSeconds;
  ResultFileOptions results;
};

std::optional<RunOptions> ParseRunOptions(const std::vector<std::string>& args, int& exitCode) {
  RunOptions options;
  const auto known = compliance::RunnableCodes();
  const std::string usage = Usage();
  auto fail = [&](const std::string& message) {
    exitCode = UsageError(message, usage.c_str());
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      std::fputs(usage.c_str(), stdout);
      exitCode = kExitOk;
      return std::nullopt;
    } else if (arg == "--list") {
      std::fputs(TestList().c_str(), stdout);
      exitCode = kExitOk;
      return std::nullopt;
    } else if (arg == "--profile" || arg == "--set" || arg == "--out" || arg == "--operator" ||
               arg == "--timeout") {
      if (!hasValue) return fail(arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--profile") {
        options.profile = value;
      } else if (arg == "--set") {
        options.sets.push_back(value);
      } else if (arg == "--out") {
        options.outDir = value;
      } else if (arg == "--timeout") {
        const auto seconds = ParseWholeNumber(value, 0, kMaxTimeoutSeconds);
        if (!seconds) return fail("--timeout takes a whole number of seconds, not '" + value + "'");
        options.timeoutSeconds = *seconds;
      } else if (value == "auto" || value == "tty") {
        options.ttyOperator = value == "tty";
      } else {
        return fail("--operator is auto or tty, not '" + value + "'");
      }
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "--force") {
      options.force = true;
    } else if (const ResultOption read = ReadResultOption(args, i, options.results);
               read != ResultOption::kNotOurs) {
      if (read == ResultOption::kMissingValue) return fail(arg + " needs a file name");
    } else if (arg.starts_with("-")) {
      return fail("unknown option '" + arg + "'");
    } else if (std::find(known.begin(), known.end(), arg) != known.end()) {
      options.codes.push_back(arg);
    } else {
      std::string list;
      for (const auto& code : known) list += " " + code;
      return fail("unknown test code '" + arg + "' (known:" + list + ")");
    }
  }
  if (options.codes.empty()) return fail("no test code given");
  return options;
}

// ": <why>" for a profile path the file system refuses; empty when it is only
// not a profile.
std::string ProfileUnreadableWhy(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec) return ": " + ec.message();
  return std::filesystem::is_directory(status) ? ": it is a folder" : std::string();
}

using SettingValues = std::map<std::string, std::string>;

SettingValues ValuesOf(settings::SettingManager& store) {
  SettingValues values;
  for (settings::SettingData* setting : store.Settings()) {
    values[setting->Item().Title()] = setting->Item().ValueText();
  }
  return values;
}

// What a test stored: the settings whose value it changed.
SettingValues StoredBy(const SettingValues& before, const SettingValues& after) {
  SettingValues stored;
  for (const auto& [name, value] : after) {
    const auto it = before.find(name);
    if (it == before.end() || it->second != value) stored[name] = value;
  }
  return stored;
}

constexpr const char* kManufacturerSetting = "Manufacturer ID";

// A NAME read whose manufacturer code differs from the settings' is the first
// thing A-10 fails on: say which --set mends it. A profile that already holds
// the code was overridden by a --set on purpose, and needs no advice.
void HintManufacturer(TestSession& session, const std::optional<std::string>& profile,
                      const std::optional<std::string>& profileManufacturer) {
  settings::SettingManager& store = session.Settings().Store();
  const std::optional<std::string> code =
      session.ManufacturerOf(store.GetValue(engine::kFullClaimSetting, true));
  const std::string current = store.GetValue(kManufacturerSetting, true);
  if (!code || *code == current || profileManufacturer == code) return;
  std::fprintf(stderr,
               "vlt: hint: the NAME read carries manufacturer code %s, the settings say "
               "\"Manufacturer ID\" %s; the tests compare them. Add --set \"Manufacturer ID=%s\"",
               code->c_str(), platform::Cp1252ToUtf8(current).c_str(), code->c_str());
  if (profile) {
    std::fprintf(stderr, " or run: vlt profile set %s \"Manufacturer ID=%s\"", profile->c_str(),
                 code->c_str());
  }
  std::fprintf(stderr, "\n");
}

}  // namespace

bool WriteStoredBack(const std::string& profile, const std::map<std::string, std::string>& stored,
                     const std::tm& now, std::ostream& err, bool force) {
  CommandSettings command;
  const auto setStored = [&](settings::ApplicationSettings& target) {
    for (const auto& [name, value] : stored) target.Store().SetValue(name, value);
    return true;
  };
  switch (UpdateProfile(command, profile, force, now, setStored, err)) {
    case ProfileUpdate::kUpdated:
      err << "vlt: profile " << profile << " updated\n";
      return true;
    case ProfileUpdate::kDamaged: {
      // Without --force only when the file changed since the run loaded it.
      err << "vlt: the profile " << profile << " was not updated: writing it back would "
          << "lose what is reported above. To keep what the test stored, mend the file or "
          << "run: vlt profile set " << profile;
      for (const auto& [name, value] : stored) {
        err << " \"" << platform::Cp1252ToUtf8(name) << '=' << platform::Cp1252ToUtf8(value) << '"';
      }
      err << " --force\n";
      return true;  // not a failure to save: the run's result stands
    }
    case ProfileUpdate::kUnreadable:
    case ProfileUpdate::kRefused:
    case ProfileUpdate::kNotSaved:
      break;
  }
  err << "vlt: the profile " << profile << " was not updated; the file is unchanged\n";
  return false;
}

int RunTests(const std::vector<std::string>& args) {
  int exitCode = kExitOk;
  const auto parsed = ParseRunOptions(args, exitCode);
  if (!parsed) return exitCode;
  const RunOptions& options = *parsed;
  const std::string usage = Usage();
  if (const auto why = PrepareFolder(options.outDir)) {
    return UsageError("--out: cannot use folder '" + options.outDir + "': " + *why, usage.c_str());
  }

  const platform::RunDirResult runDir = platform::PrepareRunDir();
  if (!runDir.ok()) {
    std::fprintf(stderr, "vlt: %s\n", runDir.error.c_str());
    return kExitNoHost;
  }

  TestSession session(runDir.path, options.ttyOperator, options.verbose);
  std::optional<std::string> profileManufacturer;  // as the profile file holds it
  session.SetTimeout(std::chrono::seconds(options.timeoutSeconds));
  if (options.profile) {
    const ProfileLoad loaded = LoadProfileInto(session.Settings(), *options.profile, std::cerr);
    if (!loaded.read) {
      return UsageError("--profile: cannot load '" + *options.profile + "'" +
                            ProfileUnreadableWhy(*options.profile) +
                            " (a readable *.zcf profile is needed)",
                        usage.c_str());
    }
    // Checked before the run, not when a test stores a setting at its end.
    if (!loaded.keepsAll && !options.force) {
      std::cerr << "vlt: nothing was run: a test that stores a setting would write "
                << *options.profile << " back, losing what is reported above. Mend the file, "
                << "or run with --force: the tests then take the settings read from it, and "
                << WhatForceDoes(loaded) << " when a test stores one.\n";
      return kExitDataError;
    }
    session.SetProfilePath(platform::Utf8ToCp1252(NormalAbsolute(*options.profile)));
    profileManufacturer = session.Settings().Store().GetValue(kManufacturerSetting, true);
  }
  // The same reading of --set as `vlt profile set` and `vlt summary`.
  for (const std::string& set : options.sets) {
    if (!ApplySettingArgument(session.Settings(), set, std::cerr)) {
      return UsageError("nothing was run", usage.c_str());
    }
  }
  session.Data().SetProfileModified(false);
  InstallInterruptHandlers();
  if (const int connected = session.Connect(); connected != kExitOk) return connected;

  ResultFiles resultFiles(options.results);
  session.onFinished = [&resultFiles](const engine::Test& test, const std::string& logPath,
                                      bool saved) {
    resultFiles.OnRunFinished(test, logPath, saved);
  };

  bool anyFailed = false;
  bool anyAborted = false;
  bool anyNotSaved = false;
  bool linkLost = false;
  for (const std::string& code : options.codes) {
    if (Interrupted()) break;
    if (!session.WaitForLink(kReconnectWait)) {
      std::fprintf(stderr, "vlt: %s %s and the tests after it were not run\n",
                   platform::Cp1252ToUtf8(session.Link().DownReason()).c_str(), code.c_str());
      linkLost = true;
      break;
    }
    const SettingValues before = ValuesOf(session.Settings().Store());
    const TestOutcome outcome = session.Run(code, options.outDir);
    anyFailed = anyFailed || outcome.failed;
    anyAborted = anyAborted || outcome.aborted;
    anyNotSaved = anyNotSaved || outcome.notSaved;
    if (session.Data().ProfileModified()) {
      // Written at once, so a second signal cannot lose what a finished test stored.
      session.Data().SetProfileModified(false);
      const SettingValues stored = StoredBy(before, ValuesOf(session.Settings().Store()));
      if (!options.profile) {
        std::fprintf(stderr,
                     "vlt: %s stored a setting for this run only; give --profile FILE "
                     "to keep it\n",
                     code.c_str());
      } else if (!WriteStoredBack(*options.profile, stored, data::LocalTimeOf(session.Clock())(),
                                  std::cerr, options.force)) {
        anyNotSaved = true;
      }
    }
    if (code == "RAC" && !outcome.aborted) {
      HintManufacturer(session, options.profile, profileManufacturer);
    }
    if (outcome.linkLost) {
      std::fprintf(stderr,
                   "vlt: the link to the host was lost during %s; no further test was "
                   "run\n",
                   code.c_str());
      linkLost = true;
      break;
    }
  }
  if (Interrupted()) std::fprintf(stderr, "vlt: interrupted; no further test was run\n");
  session.Close();
  resultFiles.Finish();
  anyNotSaved = anyNotSaved || resultFiles.AnyNotWritten();

  // Lost evidence outranks a verdict: the operator must act before anything else.
  if (anyNotSaved) return kExitCannotSave;
  if (linkLost) return kExitNoHost;
  if (anyAborted || Interrupted()) return kExitTestAborted;
  return anyFailed ? kExitSomeCriterionFailed : kExitOk;
}

}  // namespace vlt::cli
