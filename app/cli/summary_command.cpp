#include "cli/summary_command.h"

#include "cli/path_arguments.h"
#include "cli/profile_command.h"
#include "cli/terminal.h"
#include "compliance/compliance_tests.h"
#include "compliance/test_table.h"
#include "data/clone_file.h"
#include "platform/clock.h"
#include "reports/summary_report.h"
#include "reports/superseded_results.h"
#include "results/summary_json.h"

namespace vlt::cli {

namespace {

// sysexits EX_IOERR: a log that could not be deleted.
constexpr int kExitIoError = 74;

// Some test's newest log has a criterion that did not pass, or a file was not read.
constexpr int kExitSomeDidNotPass = 1;

constexpr const char* kSummaryUsage =
    "usage: vlt summary DIR [--profile FILE.zcf] [--set \"NAME=VALUE\"]... [--json]\n"
    "  Prints the summary report of the saved test logs (*.txt) in DIR for the\n"
    "  \"Product Name\" and \"Product Version\" of the default settings, changed by\n"
    "  the profile and then by each --set. --json prints its table as JSON\n"
    "  (docs/vlt-summary.schema.json) instead. The newest log of a test is the one\n"
    "  whose report has the latest \"Test Date/Time\". A file that cannot be taken as\n"
    "  a result (cut short, empty, binary, unreadable, not a regular file) is never\n"
    "  counted: it is named on stderr and at the end of the report. Exit status: 0,\n"
    "  or 1 when the newest log of some test has a DNP criterion or a file was not\n"
    "  read; 64 usage, 65 the folder cannot be read.\n";

constexpr const char* kSupersedeUsage =
    "usage: vlt supersede DIR [--profile FILE.zcf] [--set \"NAME=VALUE\"]... [--yes]\n"
    "  Keeps the newest log of each test in DIR for the product and version of the\n"
    "  settings (as for vlt summary) and deletes the older ones. Without --yes it\n"
    "  lists what it would delete and deletes nothing. Logs of other products or\n"
    "  versions and files it cannot read (a log cut short among them) are never\n"
    "  touched, and a newer log cut short never makes a complete one superseded.\n";

struct ReportArguments {
  std::string folder;
  std::string profile;
  std::vector<std::string> sets;
  bool yes = false;
  bool json = false;
};

int Usage(std::ostream& err, const std::string& message, const char* usage) {
  err << "vlt: " << message << '\n' << usage;
  return kExitUsage;
}

// Reads the arguments; 0 when they are good, else the exit code after a message.
int ReadArguments(const std::vector<std::string>& args, bool summary, const char* usage,
                  ReportArguments& read, std::ostream& out, std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      out << usage;
      return -1;
    }
    if (arg == "--profile" || arg == "--set") {
      if (i + 1 >= args.size()) return Usage(err, arg + " needs a value", usage);
      if (arg == "--set") {
        read.sets.push_back(args[++i]);
      } else if (!read.profile.empty()) {
        return Usage(err, "give --profile once", usage);
      } else {
        read.profile = args[++i];
      }
    } else if (arg == "--yes" && !summary) {
      read.yes = true;
    } else if (arg == "--json" && summary) {
      read.json = true;
    } else if (arg.starts_with("--")) {
      return Usage(err, "unknown option '" + arg + "'", usage);
    } else if (!read.folder.empty()) {
      return Usage(err, "give one DIR", usage);
    } else {
      read.folder = arg;
    }
  }
  if (read.folder.empty()) return Usage(err, "no DIR given", usage);
  return 0;
}

// The settings the command reads: defaults, then the profile, then each --set.
int PrepareSettings(const ReportArguments& read, CommandSettings& command, std::ostream& err,
                    const char* usage) {
  if (!read.profile.empty()) {
    const ProfileLoad load = LoadProfileFile(command, read.profile, err);
    if (!load.read) return kExitDataError;
    if (load.refused) {
      // A refused "Product Name" would report on another product's logs.
      err << "vlt: " << read.profile << ": the settings would not be the profile's; nothing "
          << "was read\n";
      return kExitDataError;
    }
  }
  for (const std::string& set : read.sets) {
    if (!ApplySettingArgument(*command.settings, set, err)) {
      err << usage;
      return kExitUsage;
    }
  }
  return 0;
}

// What the product's logs are read against: the settings' product and what the
// program's own tests say a complete report holds.
reports::LogRules RulesOf(CommandSettings& command) {
  return {reports::ProductVersion::FromSettings(command.settings->Store()),
          compliance::SummaryCatalogue(), compliance::ProgramCriterionCounts()};
}

// The "not read" warnings and the exit status of a summary.
int ReportOutcome(const reports::SummaryOutcome& outcome, std::ostream& err) {
  for (const auto& [path, why] : outcome.notRead) {
    err << "vlt: summary: " << path << " not read: " << why << '\n';
  }
  return outcome.anyDidNotPass || !outcome.notRead.empty() ? kExitSomeDidNotPass : kExitOk;
}

// The table and the outcome from one reading of the folder.
int PrintSummaryJson(const std::string& folder, const reports::SummaryInputs& inputs,
                     std::ostream& out, std::ostream& err) {
  framework::LogOutput nowhere;  // the "Reading" lines have no place in the JSON
  reports::LogFolder read = reports::ReadLogFolder(folder, inputs.rules, nowhere);
  reports::OrderLogs(read.logs);
  const results::SummaryJson summary = results::WriteSummaryJson(folder, read, inputs);
  if (!summary.listed) {
    err << "vlt: Error opening directory " << folder << ": " << summary.error << '\n';
    return kExitDataError;
  }
  out << summary.json;
  return ReportOutcome(reports::SummaryOutcomeOf(read.logs), err);
}

}  // namespace

int RunSummary(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ReportArguments read;
  if (const int code = ReadArguments(args, true, kSummaryUsage, read, out, err); code != 0) {
    return code < 0 ? kExitOk : code;
  }
  CommandSettings command;
  if (const int code = PrepareSettings(read, command, err, kSummaryUsage); code != 0) return code;

  const reports::SummaryInputs inputs{RulesOf(command),
                                      data::LocalTimeAt(platform::SteadyClock().UtcSeconds()),
                                      reports::ProgramCompileDate()};
  if (read.json) return PrintSummaryJson(read.folder, inputs, out, err);
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  log.Attach(&pane);
  reports::SummaryOutcome outcome;
  const bool listed = reports::BuildSummaryReport(read.folder, inputs, log, &outcome);
  log.Detach();
  if (!listed) {
    err << "vlt: Error opening directory " << read.folder << ": "
        << WhyNotAFolder(read.folder).value_or("it cannot be listed or holds no .txt file") << '\n';
    return kExitDataError;
  }
  PrintPaneText(out, pane.Text());
  return ReportOutcome(outcome, err);
}

int RunSupersede(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ReportArguments read;
  if (const int code = ReadArguments(args, false, kSupersedeUsage, read, out, err); code != 0) {
    return code < 0 ? kExitOk : code;
  }
  CommandSettings command;
  if (const int code = PrepareSettings(read, command, err, kSupersedeUsage); code != 0) {
    return code;
  }

  platform::MemoryLogPane pane;
  framework::LogOutput log;
  log.Attach(&pane);
  const reports::SupersedeResult result = reports::DeleteSupersededResults(
      read.folder, RulesOf(command),
      read.yes ? reports::SupersedeMode::kDelete : reports::SupersedeMode::kListOnly, log);
  log.Detach();
  PrintPaneText(out, pane.Text());
  if (!result.listed) {
    err << "vlt: Error opening directory " << read.folder << ": " << result.error << '\n';
    return kExitDataError;
  }
  for (const auto& [path, why] : result.notRead) {
    err << "vlt: supersede: " << path << " not read: " << why
        << "; it was kept and took no part in choosing the newest log\n";
  }
  if (!result.failed.empty()) {
    err << "vlt: " << result.failed.size() << " superseded log(s) could not be deleted\n";
    return kExitIoError;
  }
  if (!read.yes && !result.superseded.empty()) {
    err << "vlt: nothing was deleted; run again with --yes to delete the "
        << result.superseded.size() << " log(s) marked \"Would delete\"\n";
  }
  return kExitOk;
}

}  // namespace vlt::cli
