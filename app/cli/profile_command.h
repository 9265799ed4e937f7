// vlt profile: writes, shows and changes profile files, the clone files of the
// settings list that the desktop loads and saves. Also the settings that the
// report commands read: the defaults, a profile and NAME=VALUE changes.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data/data_context.h"
#include "framework/log_output.h"
#include "platform/log_pane.h"
#include "settings/default_settings.h"

namespace vlt::cli {

int RunProfile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The application settings of a command without a window. What the items write
// to the log pane is kept, not shown: commands report in their own words.
struct CommandSettings {
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  data::DataContext context{log};
  std::unique_ptr<settings::ApplicationSettings> settings;

  CommandSettings();
  ~CommandSettings();
};

// What loading a profile file found.
struct ProfileLoad {
  bool read = false;       // a *.zcf regular file was read; else nothing was loaded
  bool isProfile = false;  // it has the profile header
  bool refused = false;    // a value broke its setting's rule: the settings differ from the file
  bool keepsAll = false;   // writing the settings back over it would lose nothing it holds
  std::string createdLine;
};

// Loads a profile file into `target`, telling `err` what it held that no
// setting took; each refused value with the message --set gives for it.
ProfileLoad LoadProfileInto(settings::ApplicationSettings& target, const std::string& path,
                            std::ostream& err);
ProfileLoad LoadProfileFile(CommandSettings& command, const std::string& path, std::ostream& err);
// What --force does with a file that a rewrite cannot keep whole, in words.
std::string WhatForceDoes(const ProfileLoad& load);

// What became of an update of a profile file.
enum class ProfileUpdate {
  kUpdated,
  kUnreadable,  // it cannot be read or is not named *.zcf; said on `err`
  kDamaged,     // saving it would drop or change what it holds (said on `err`); left as it was
  kRefused,     // the change was refused; nothing was written
  kNotSaved,    // it could not be written; said on `err`, the file is unchanged
};

// Sets values in the settings loaded from a profile; false refuses the update.
using ProfileChange = std::function<bool(settings::ApplicationSettings&)>;

// Loads a profile into `command`, makes `change` and saves it in place, keeping
// its ":Created" line. A file that saving would damage (no profile, lines or
// values it cannot keep) is left alone unless `force`: the caller says so,
// with what --force would do.
ProfileUpdate UpdateProfile(CommandSettings& command, const std::string& path, bool force,
                            const std::tm& now, const ProfileChange& change, std::ostream& err,
                            ProfileLoad* loaded = nullptr);

// Gives a setting the value of a "NAME=VALUE" argument (UTF-8) through the
// setting's own parsing. False, with a message, when the name or value is refused.
bool ApplySettingArgument(settings::ApplicationSettings& target, const std::string& argument,
                          std::ostream& err);

// Prints log pane text (Windows-1252, CR LF) as UTF-8 lines.
void PrintPaneText(std::ostream& out, const std::string& text);

}  // namespace vlt::cli
