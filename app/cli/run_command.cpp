#include "cli/run_command.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <thread>

#include "cli/arguments.h"
#include "cli/operator_policy.h"
#include "cli/profile_command.h"
#include "cli/result_files.h"
#include "cli/terminal.h"
#include "cli/test_session.h"
#include "cli/tester_lock.h"
#include "compliance/compliance_tests.h"
#include "data/clone_file.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "engine/failure.h"
#include "engine/test.h"
#include "engine/test_events.h"
#include "framework/host_watchdog.h"
#include "framework/tool_app.h"
#include "platform/mailslots.h"
#include "platform/registry_file.h"
#include "platform/run_dir.h"
#include "platform/text_encoding.h"
#include "settings/default_settings.h"
#include "settings/profile.h"

namespace vlt::cli {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;
void OnInterrupt(int) {
  gInterrupted = 1;
}

constexpr const char* kUsage =
    "usage: vlt run CODE... [--profile FILE] [--set \"NAME=VALUE\"]... [--out DIR]\n"
    "               [--operator auto|tty] [--verbose]\n"
    "               [--junit FILE] [--json FILE] [--timeline]\n"
    "  Runs the tests one after the other against the host of $VLT_RUN_DIR and saves each\n"
    "  log as DIR/<product>_<code>_<yymmddHHMM>.txt (default DIR: the current folder).\n"
    "  Settings start from their defaults, then the profile, then each --set in order.\n"
    "  --operator auto (default) powers the simulated DUT and presses space itself;\n"
    "  tty asks at the terminal. Ctrl-C aborts the running test.\n"
    "  --junit FILE writes JUnit XML of the criteria (a testsuite per test) for CI;\n"
    "  --json FILE the same facts and more as JSON (docs/vlt-results.schema.json);\n"
    "  --timeline writes a timeline picture <log name>.svg beside each saved log.\n"
    "  Exit status: 0 all criteria passed or undecided, 1 some criterion did not pass,\n"
    "  2 a test was aborted, 64 usage, 69 no host, 73 a log, the profile or a result file\n"
    "  could not be saved (a file already there is unchanged), 75 another tester runs.\n";

struct RunOptions {
  std::vector<std::string> codes;
  std::optional<std::string> profile;
  std::vector<std::string> sets;
  std::string outDir = ".";
  bool ttyOperator = false;
  bool verbose = false;
  ResultFileOptions results;
};

std::optional<RunOptions> ParseRunOptions(const std::vector<std::string>& args, int& exitCode) {
  RunOptions options;
  const auto known = compliance::RunnableCodes();
  auto fail = [&](const std::string& message) {
    exitCode = UsageError(message, kUsage);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      exitCode = kExitOk;
      return std::nullopt;
    } else if (arg == "--profile" || arg == "--set" || arg == "--out" || arg == "--operator") {
      if (!hasValue) return fail(arg + " needs a value");
      const std::string& value = args[++i];
      if (arg == "--profile") {
        options.profile = value;
      } else if (arg == "--set") {
        options.sets.push_back(value);
      } else if (arg == "--out") {
        options.outDir = value;
      } else if (value == "auto" || value == "tty") {
        options.ttyOperator = value == "tty";
      } else {
        return fail("--operator is auto or tty, not '" + value + "'");
      }
    } else if (arg == "--verbose") {
      options.verbose = true;
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

}  // namespace

int RunTests(const std::vector<std::string>& args) {
  int exitCode = kExitOk;
  const auto parsed = ParseRunOptions(args, exitCode);
  if (!parsed) return exitCode;
  const RunOptions& options = *parsed;
  std::error_code ec;
  std::filesystem::create_directories(options.outDir, ec);
  if (!std::filesystem::is_directory(options.outDir)) {
    return UsageError("--out: cannot use folder '" + options.outDir + "'", kUsage);
  }

  const platform::RunDirResult runDir = platform::PrepareRunDir();
  if (!runDir.ok()) {
    std::fprintf(stderr, "vlt: %s\n", runDir.error.c_str());
    return kExitNoHost;
  }

  TestSession session(runDir.path, options.ttyOperator, options.verbose);
  if (options.profile) {
    const data::CloneLoadReport loaded =
        settings::LoadProfile(session.Settings(), *options.profile);
    if (!loaded.opened || !loaded.cloneFileName) {
      return UsageError(
          "--profile: cannot load '" + *options.profile + "' (a readable *.zcf profile is needed)",
          kUsage);
    }
    for (const auto& title : loaded.unknownTitles) {
      std::fprintf(stderr, "vlt: profile: no setting is named '%s'; ignored\n",
                   platform::Cp1252ToUtf8(title).c_str());
    }
    for (const auto& text : loaded.rejectedValues) {
      std::fprintf(stderr, "vlt: profile: value refused, setting kept: %s\n",
                   platform::Cp1252ToUtf8(text).c_str());
    }
    session.Data().SetProfileModified(false);
  }
  // The same reading of --set as `vlt profile set` and `vlt summary`.
  for (const std::string& set : options.sets) {
    if (!ApplySettingArgument(session.Settings(), set, std::cerr)) {
      return UsageError("nothing was run", kUsage);
    }
  }
  // A --set holds for this run only; the profile is saved back only when a test changes it.
  session.Data().SetProfileModified(false);
  if (const int connected = session.Connect(); connected != kExitOk) return connected;

  ResultFiles resultFiles(options.results);
  session.onFinished = [&resultFiles](const engine::Test& test, const std::string& logPath,
                                      bool saved) {
    resultFiles.OnRunFinished(test, logPath, saved);
  };

  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  bool anyFailed = false;
  bool anyAborted = false;
  bool anyNotSaved = false;
  for (const std::string& code : options.codes) {
    if (TestSession::interrupted) break;
    const TestOutcome outcome = session.Run(code, options.outDir);
    anyFailed = anyFailed || outcome.failed;
    anyAborted = anyAborted || outcome.aborted;
    anyNotSaved = anyNotSaved || outcome.notSaved;
  }
  session.Close();
  resultFiles.Finish();
  anyNotSaved = anyNotSaved || resultFiles.AnyNotWritten();

  if (options.profile && session.Data().ProfileModified()) {
    // A test stored a setting (Read ADDRESS_CLAIM on consent): keep it in the profile.
    std::string error;
    if (settings::SaveProfile(session.Settings(), *options.profile,
                              data::LocalTimeOf(session.Clock())(), &error)) {
      std::fprintf(stderr, "vlt: profile %s updated\n", options.profile->c_str());
    } else {
      std::fprintf(stderr, "vlt: the profile was not updated: %s; the file is unchanged\n",
                   error.c_str());
      anyNotSaved = true;
    }
  }
  // Lost evidence outranks a verdict: the operator must act before anything else.
  if (anyNotSaved) return kExitCannotSave;
  if (anyAborted || TestSession::interrupted) return kExitTestAborted;
  return anyFailed ? kExitSomeCriterionFailed : kExitOk;
}

}  // namespace vlt::cli
