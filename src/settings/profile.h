// Profile files: the application settings saved as a clone file of the settings
// list and loaded back through the list's staged loader, the remembered starting
// profile, and the profile-modified flag that makes the desktop offer to save.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "data/clone_file.h"
#include "settings/default_settings.h"
#include "settings/registry_string.h"

namespace vlt::settings {

// Far more timer ticks than the settings list needs to apply every setting.
inline constexpr int kProfileSettleTicks = 10'000;
inline constexpr std::string_view kWindowTitlePrefix = "VLT :: The Valmora Tester (";

// Loads the file into the settings, to the end, at once: each value goes through
// its setting's own parsing, and what no setting took is in the report. A file
// that cannot be opened changes nothing (report.opened is false).
data::CloneLoadReport LoadProfile(ApplicationSettings& settings, const std::string& path);

// Writes the clone header and every setting to `path` through a temporary file
// renamed over it, so a crash or a full disk never leaves half a profile: on
// failure (false, with `error` and the error number) the old file is as it was.
// A load under way is finished first, so the file never holds a half-applied
// profile. A profile written back over itself keeps its `createdLine`; empty:
// created now.
bool SaveProfile(ApplicationSettings& settings, const std::string& path, const std::tm& created,
                 std::string* error, data::CloneSaveReport* report = nullptr,
                 int* errorNumber = nullptr, std::string_view createdLine = {});

// What a file holds besides the values of settings, for deciding whether
// writing a profile over it would lose anything.
struct ProfileFileCheck {
  static constexpr std::size_t kShownLines = 5;

  bool exists = false;                    // something stands at the path
  std::string unreadable;                 // why what stands there cannot be read; empty when it can
  bool header = false;                    // it holds this program's ":Program" line
  bool binary = false;                    // it holds bytes no text holds
  std::vector<std::string> foreignLines;  // the first lines that are neither header nor setting
  std::size_t foreignLineCount = 0;
  std::string createdLine;  // its ":Created" line, when it has one
};
// Reads only a regular file: a FIFO or a device is never opened.
ProfileFileCheck CheckProfileFile(const std::string& path);

// Why writing the settings back over the file would lose or change what it
// holds: no profile header, binary bytes, lines that are no setting, and what
// the load of it reported (values refused, settings unknown, lines unreadable).
// One text each, Windows-1252; empty when a rewrite keeps the file whole.
std::vector<std::string> RewriteLosses(const ProfileFileCheck& file,
                                       const data::CloneLoadReport& load);

// Every setting with a default gets it back; the profile counts as modified.
void ResetProfile(ApplicationSettings& settings);

// The main window's profile commands around the starting profile. The front end
// shows the file dialogs and unpublishes its log pane around loads and saves.
class ProfileManager {
 public:
  ProfileManager(ApplicationSettings& settings, RegistryString& startingProfile,
                 data::LocalTimeFn localTime);

  // "&Load Profile" once a file is chosen: loads it at once; a file that opened
  // becomes the starting profile. The values set the modified flag.
  data::CloneLoadReport Load(const std::string& path);
  // The same, leaving the list's timer to apply the values stage by stage.
  bool StartLoad(const std::string& path);
  // "&Save Profile" once a file is chosen. Only a save that succeeded makes the
  // file the starting profile and clears the modified flag.
  bool Save(const std::string& path, std::string* error, int* errorNumber = nullptr);
  // "Reset Profile": abandons a load under way, then the defaults.
  void Reset();
  // At start: loads the starting profile, if any, and clears the modified flag.
  data::CloneLoadReport LoadAtStart();
  // "Done" after the operator said Yes: saves to the starting profile.
  bool SaveToStartingProfile(std::string* error);
  // Why saving over the starting profile would lose what the file holds (it
  // is no profile, or holds lines or values the settings cannot keep); empty
  // when it would not. The window then asks where to save instead.
  std::string StartingProfileLosses() const;

  bool Modified() const;
  void ClearModified();
  const std::string& StartingProfile() const { return startingProfile_.Value(); }
  // "VLT :: The Valmora Tester (<build date>)", then three blanks and the
  // starting profile when there is one.
  std::string WindowTitle(std::string_view buildDate) const;

 private:
  void Remember(const std::string& path);

  ApplicationSettings& settings_;
  RegistryString& startingProfile_;
  data::LocalTimeFn localTime_;
  // The settings list's last load report is that of the starting profile.
  bool loadedStartingProfile_ = false;
};

}  // namespace vlt::settings
