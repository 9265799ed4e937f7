#include "cli/profile_command.h"

#include <filesystem>

#include "cli/terminal.h"
#include "compliance/test_table.h"
#include "data/clone_file.h"
#include "data/datum_list.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
#include "platform/write_failure.h"
#include "settings/default_settings.h"
#include "settings/profile.h"
#include "settings/settings_list.h"
#include "values/value_maker_text.h"

namespace vlt::cli {

namespace {

constexpr const char* kUsage =
    "usage: vlt profile new FILE.zcf [--force]\n"
    "       vlt profile show FILE.zcf\n"
    "       vlt profile set FILE.zcf \"NAME=VALUE\"... [--force]\n"
    "  new   writes a profile with the default settings (--force replaces a file)\n"
    "  show  prints every setting of the profile, one \"NAME = VALUE\" line each\n"
    "  set   changes settings of the profile in place, keeping its \":Created\" line;\n"
    "        nothing is written unless every NAME=VALUE is accepted. A file that is\n"
    "        no profile, or holds lines or values this program cannot keep, is left\n"
    "        alone (exit status 65) unless --force is given.\n";

std::string Utf8(std::string_view cp1252) {
  return platform::Cp1252ToUtf8(cp1252);
}

int Usage(std::ostream& err, const std::string& message) {
  err << "vlt: " << message << '\n' << kUsage;
  return kExitUsage;
}

// The tester loads nothing from a file whose name lacks ".zcf"; refusing such
// names here keeps the command line from writing profiles the desktop ignores.
bool CheckProfileName(const std::string& path, std::ostream& err) {
  if (path.find(data::kCloneFileExtension) != std::string::npos) return true;
  err << "vlt: " << path << ": profile files must be named *.zcf\n";
  return false;
}

// The message --set gives for a value the setting does not take (UTF-8, without
// "vlt: "), so that a profile's refused value reads the same.
std::string RefusalOf(const data::Datum& item, const std::string& name, const std::string& value) {
  const auto* text = dynamic_cast<const values::ValueMakerFixedString*>(&item.GetValueMaker());
  if (text != nullptr && !item.FitsText(value)) {
    return Utf8(name) + " holds at most " + std::to_string(text->Width()) + " characters";
  }
  // What the setting stands for tells the operator what would be taken.
  std::string_view meaning = settings::SettingMeaning(name);
  if (meaning.ends_with('.')) meaning.remove_suffix(1);
  return "\"" + Utf8(value) + "\" is not a valid value for " + Utf8(name) +
         (meaning.empty() ? "" : " (" + Utf8(meaning) + ")");
}

std::tm Now() {
  return data::LocalTimeAt(platform::SteadyClock().UtcSeconds());
}

bool Save(CommandSettings& command, const std::string& path, const std::tm& now, std::ostream& err,
          std::string_view createdLine = {}) {
  std::string error;
  int errorNumber = 0;
  data::CloneSaveReport report;
  if (!settings::SaveProfile(*command.settings, path, now, &error, &report, &errorNumber,
                             createdLine)) {
    err << "vlt: " << path << ": " << error << "; the file was not changed. "
        << platform::WriteFailureAdvice(errorNumber) << '\n';
    return false;
  }
  for (const std::string& title : report.conflicts) {
    err << "vlt: " << path << ": settings titled \"" << Utf8(title)
        << "\" hold different values; the first was written\n";
  }
  return true;
}

int RunNew(const std::vector<std::string>& operands, bool force, std::ostream& out,
           std::ostream& err) {
  if (operands.size() != 1) return Usage(err, "profile new takes one FILE");
  const std::string& path = operands[0];
  if (!CheckProfileName(path, err)) return kExitDataError;
  std::error_code error;
  if (!force && std::filesystem::exists(path, error)) {
    err << "vlt: " << path << " already exists; add --force to replace it\n";
    return kExitDataError;
  }
  CommandSettings command;
  if (!Save(command, path, Now(), err)) return kExitCannotSave;
  out << "Wrote the default settings to " << path << '\n';
  return kExitOk;
}

int RunShow(const std::vector<std::string>& operands, std::ostream& out, std::ostream& err) {
  if (operands.size() != 1) return Usage(err, "profile show takes one FILE");
  CommandSettings command;
  if (!LoadProfileFile(command, operands[0], err).read) return kExitDataError;
  for (settings::SettingData* setting : command.settings->Store().Settings()) {
    out << Utf8(setting->LogLineText()) << '\n';
  }
  return kExitOk;
}

int RunSet(const std::vector<std::string>& operands, bool force, std::ostream& out,
           std::ostream& err) {
  if (operands.size() < 2)
    return Usage(err, "profile set takes a FILE and at least one NAME=VALUE");
  const std::string& path = operands[0];
  CommandSettings command;
  std::vector<std::string> names;
  const auto setAll = [&](settings::ApplicationSettings& target) {
    for (std::size_t i = 1; i < operands.size(); ++i) {
      if (!ApplySettingArgument(target, operands[i], err)) return false;
      names.push_back(platform::Utf8ToCp1252(operands[i].substr(0, operands[i].find('='))));
    }
    return true;
  };
  ProfileLoad loaded;
  switch (UpdateProfile(command, path, force, Now(), setAll, err, &loaded)) {
    case ProfileUpdate::kUpdated:
      break;
    case ProfileUpdate::kUnreadable:
      return kExitDataError;
    case ProfileUpdate::kDamaged:
      err << "vlt: " << path << " was left as it was: writing it back would lose what is "
          << "reported above. " << WhatForceDoes(loaded) << ".\n";
      return kExitDataError;
    case ProfileUpdate::kRefused:
      err << "vlt: " << path << " was not changed\n";
      return kExitUsage;
    case ProfileUpdate::kNotSaved:
      return kExitCannotSave;
  }
  for (const std::string& name : names) {
    out << Utf8(command.settings->Store().Find(name)->LogLineText()) << '\n';
  }
  return kExitOk;
}

}  // namespace

CommandSettings::CommandSettings() {
  log.Attach(&pane);
  settings = settings::CreateApplicationSettings(context, compliance::SettingsHeadings());
}

CommandSettings::~CommandSettings() {
  settings.reset();
  log.Detach();
}

ProfileLoad LoadProfileInto(settings::ApplicationSettings& target, const std::string& path,
                            std::ostream& err) {
  ProfileLoad load;
  if (!CheckProfileName(path, err)) return load;
  const settings::ProfileFileCheck file = settings::CheckProfileFile(path);
  if (!file.exists || !file.unreadable.empty()) {
    // A loop or a name too long is not "no such file": say what the file system said.
    std::error_code error;
    (void)std::filesystem::status(path, error);
    const std::string missing = error ? error.message() : std::string("no such file");
    err << "vlt: cannot read the profile " << path << ": "
        << (file.exists ? file.unreadable : missing) << '\n';
    return load;
  }
  const data::CloneLoadReport report = settings::LoadProfile(target, path);
  if (!report.opened) {
    err << "vlt: cannot read the profile " << path << '\n';
    return load;
  }
  load.read = true;
  load.isProfile = file.header;
  load.refused = !report.rejectedValues.empty();
  load.keepsAll = settings::RewriteLosses(file, report).empty();
  if (file.header) load.createdLine = file.createdLine;

  const std::string where = "vlt: " + path + ": ";
  const data::CloneHeaderCheck& header = report.header;
  if (!file.header) {
    err << where << "not a profile: no \"" << data::kCloneProgramLine << "\" line"
        << (header.foreignProgram ? " (made by another program)" : "")
        << "; read the settings it names\n";
  }
  if (header.versionDiffers) {
    err << where << "made by another version (\"" << Utf8(header.versionLine)
        << "\"); settings may be missed\n";
  }
  if (file.binary) err << where << "holds binary data, which no profile holds\n";
  for (const std::string& line : file.foreignLines)
    err << where << Utf8(line) << " is no setting\n";
  if (file.foreignLineCount > file.foreignLines.size()) {
    err << where << "and " << file.foreignLineCount - file.foreignLines.size()
        << " more lines are no setting\n";
  }
  for (const std::string& line : report.invalidLines) {
    err << where << "skipped \":SET " << Utf8(line) << "\": no \"=\"\n";
  }
  for (const std::string& setting : report.rejectedValues) {
    const std::size_t equals = setting.find('=');
    settings::SettingData* named = target.Store().Find(setting.substr(0, equals));
    const std::string refusal =
        named == nullptr
            ? std::string()
            : RefusalOf(named->Item(), setting.substr(0, equals), setting.substr(equals + 1));
    err << where << (refusal.empty() ? "refused \"" + Utf8(setting) + "\"" : refusal)
        << "; the setting keeps its value\n";
  }
  for (const std::string& title : report.unknownTitles) {
    err << where << "no setting is called \"" << Utf8(title) << "\"; ignored\n";
  }
  if (report.overlongLines > 0) {
    err << where << "skipped " << report.overlongLines << " over-long \":SET\" line(s)\n";
  }
  return load;
}

ProfileLoad LoadProfileFile(CommandSettings& command, const std::string& path, std::ostream& err) {
  return LoadProfileInto(*command.settings, path, err);
}

std::string WhatForceDoes(const ProfileLoad& load) {
  if (!load.isProfile) return "--force replaces the whole file with a profile of the settings";
  return "--force writes it all the same, without the lines reported above and with each "
         "refused value left at the setting's own";
}

ProfileUpdate UpdateProfile(CommandSettings& command, const std::string& path, bool force,
                            const std::tm& now, const ProfileChange& change, std::ostream& err,
                            ProfileLoad* loaded) {
  const ProfileLoad load = LoadProfileFile(command, path, err);
  if (loaded != nullptr) *loaded = load;
  if (!load.read) return ProfileUpdate::kUnreadable;
  if (!load.keepsAll && !force) return ProfileUpdate::kDamaged;
  if (!change(*command.settings)) return ProfileUpdate::kRefused;
  return Save(command, path, now, err, load.createdLine) ? ProfileUpdate::kUpdated
                                                         : ProfileUpdate::kNotSaved;
}

bool ApplySettingArgument(settings::ApplicationSettings& target, const std::string& argument,
                          std::ostream& err) {
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) {
    err << "vlt: expected NAME=VALUE, got \"" << argument << "\"\n";
    return false;
  }
  const std::string name = platform::Utf8ToCp1252(argument.substr(0, equals));
  const std::string value = platform::Utf8ToCp1252(argument.substr(equals + 1));
  if (platform::Cp1252ToUtf8(name) + "=" + platform::Cp1252ToUtf8(value) != argument) {
    err << "vlt: \"" << argument << "\" holds characters that Windows-1252 text cannot hold\n";
    return false;
  }
  if (std::any_of(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; })) {
    err << "vlt: the value of " << argument.substr(0, equals) << " must be one line\n";
    return false;
  }
  settings::SettingData* setting = target.Store().Find(name);
  if (setting == nullptr) {
    err << "vlt: no setting is called \"" << Utf8(name) << "\"; vlt profile show FILE lists them\n";
    return false;
  }
  data::Datum& item = setting->Item();
  // A text field cuts longer text silently; the operator should know first.
  if (!item.FitsText(value) || !item.SetFromText(value)) {
    err << "vlt: " << RefusalOf(item, name, value) << '\n';
    return false;
  }
  data::RunListUntilSettled(target.List().List(), settings::kProfileSettleTicks);
  return true;
}

void PrintPaneText(std::ostream& out, const std::string& text) {
  std::string utf8 = platform::Cp1252ToUtf8(text);
  std::erase(utf8, '\r');
  out << utf8;
}

int RunProfile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err, "profile needs new, show or set");
  const std::string& action = args[0];
  if (action == "--help" || action == "-h") {
    out << kUsage;
    return kExitOk;
  }
  bool force = false;
  std::vector<std::string> operands;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--help" || args[i] == "-h") {
      out << kUsage;
      return kExitOk;
    }
    if (args[i] == "--force") {
      force = true;
    } else if (args[i].starts_with("--")) {
      return Usage(err, "unknown option '" + args[i] + "'");
    } else {
      operands.push_back(args[i]);
    }
  }
  if (action == "new") return RunNew(operands, force, out, err);
  if (action == "show") {
    if (force) return Usage(err, "profile show takes no --force");
    return RunShow(operands, out, err);
  }
  if (action == "set") return RunSet(operands, force, out, err);
  return Usage(err, "unknown profile action '" + action + "'");
}

}  // namespace vlt::cli
