#include "cli/profile_command.h"

#include <filesystem>

#include "cli/terminal.h"
#include "data/clone_file.h"
#include "data/datum_list.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
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
    "  set   changes settings of the profile in place; nothing is written unless\n"
    "        every NAME=VALUE is accepted. A profile holding lines this program\n"
    "        cannot keep is left alone unless --force is given.\n";

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

std::tm Now() {
  return data::LocalTimeAt(platform::SteadyClock().UtcSeconds());
}

bool Save(CommandSettings& command, const std::string& path, const std::tm& now,
          std::ostream& err) {
  std::string error;
  data::CloneSaveReport report;
  if (!settings::SaveProfile(*command.settings, path, now, &error, &report)) {
    err << "vlt: " << path << ": " << error << "; the file was not changed. Free some space or "
        << "choose another folder, then save again\n";
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
  if (!LoadProfileFile(command, operands[0], err)) return kExitDataError;
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
  switch (UpdateProfile(command, path, force, Now(), setAll, err)) {
    case ProfileUpdate::kUpdated:
      break;
    case ProfileUpdate::kUnreadable:
      return kExitDataError;
    case ProfileUpdate::kDamaged:
      err << "vlt: " << path << " was left as it was: writing it back would drop what is "
          << "reported above; add --force to write it all the same\n";
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
  settings = settings::CreateApplicationSettings(context);
}

CommandSettings::~CommandSettings() {
  settings.reset();
  log.Detach();
}

bool LoadProfileFile(CommandSettings& command, const std::string& path, std::ostream& err,
                     bool* damaged) {
  if (!CheckProfileName(path, err)) return false;
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::is_regular_file(status)) {
    // A loop or a name too long is not "no such file": say what the file system said.
    const std::string why = error ? error.message() : "not a regular file";
    err << "vlt: cannot read the profile " << path << ": " << why << '\n';
    return false;
  }
  const data::CloneLoadReport report = settings::LoadProfile(*command.settings, path);
  if (!report.opened) {
    err << "vlt: cannot read the profile " << path << '\n';
    return false;
  }
  const std::string where = "vlt: " + path + ": ";
  const data::CloneHeaderCheck& header = report.header;
  if (header.foreignProgram) {
    err << where << "not made by this program; loaded the settings it names\n";
  } else if (!header.programLine) {
    err << where << "no \"" << data::kCloneProgramLine
        << "\" header line; loaded the settings it names\n";
  }
  if (header.versionDiffers) {
    err << where << "made by another version (\"" << Utf8(header.versionLine)
        << "\"); settings may be missed\n";
  }
  for (const std::string& line : report.invalidLines) {
    err << where << "skipped \":SET " << Utf8(line) << "\": no \"=\"\n";
  }
  for (const std::string& setting : report.rejectedValues) {
    err << where << "refused \"" << Utf8(setting) << "\"; the setting keeps its value\n";
  }
  for (const std::string& title : report.unknownTitles) {
    err << where << "no setting is called \"" << Utf8(title) << "\"; ignored\n";
  }
  if (report.overlongLines > 0) {
    err << where << "skipped " << report.overlongLines << " over-long \":SET\" line(s)\n";
  }
  if (damaged != nullptr) {
    *damaged = header.foreignProgram || !report.invalidLines.empty() ||
               !report.rejectedValues.empty() || !report.unknownTitles.empty() ||
               report.overlongLines > 0;
  }
  return true;
}

ProfileUpdate UpdateProfile(CommandSettings& command, const std::string& path, bool force,
                            const std::tm& now, const ProfileChange& change, std::ostream& err) {
  bool damaged = false;
  if (!LoadProfileFile(command, path, err, &damaged)) return ProfileUpdate::kUnreadable;
  if (damaged && !force) return ProfileUpdate::kDamaged;
  if (!change(*command.settings)) return ProfileUpdate::kRefused;
  return Save(command, path, now, err) ? ProfileUpdate::kUpdated : ProfileUpdate::kNotSaved;
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
  const auto* text = dynamic_cast<const values::ValueMakerFixedString*>(&item.GetValueMaker());
  if (text != nullptr && value.size() > text->Width()) {
    err << "vlt: " << Utf8(name) << " holds at most " << text->Width() << " characters\n";
    return false;
  }
  if (!item.SetFromText(value)) {
    err << "vlt: \"" << Utf8(value) << "\" is not a valid value for " << Utf8(name) << '\n';
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
