// The tester's main window: the settings list, the log pane, the status area, the
// verbose status row, the menus and their commands, the 50 ms timer and "Done".
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/datum_list.h"
#include "engine/test.h"
#include "engine/test_context.h"
#include "framework/host_watchdog.h"
#include "framework/tool_app.h"
#include "gui/datum_list_view.h"
#include "gui/operator_dialogs.h"
#include "gui/remembered_folders.h"
#include "gui/run_status.h"
#include "gui/window_key_state.h"
#include "gui/window_log_pane.h"
#include "gui/window_operator.h"
#include "platform/registry_file.h"
#include "settings/default_settings.h"
#include "settings/profile.h"
#include "settings/registry_string.h"

class QMenu;

namespace vlt::dictionary {
class Dictionary;
}

namespace vlt::gui {

class TimelineTabs;

// What the window works with; the program passes the real ones, tests their doubles.
struct WindowServices {
  framework::ValmoraApp& app;
  data::DataContext& data;
  settings::ApplicationSettings& settings;
  const dictionary::Dictionary& dictionary;
  platform::RegistryFile& registry;
  OperatorDialogs& dialogs;
  engine::LocalTimeFn localTime = engine::SystemLocalTime;
  bool runTimer = true;  // tests call TimerTick themselves, on virtual time
  // Keeps the size the operator gave the window in the registry file ("CX" and
  // "CY" under the window's section); off in the program, as for every window
  // of the tester.
  bool rememberSize = false;
  // The folder of the host's sockets, shown with the host link.
  std::string runFolder{};
};

// The test status box, the tick-rate box and the element strip, written by the
// tick thread through queued calls.
class WindowStatusDisplay final : public QObject, public engine::StatusDisplay {
  Q_OBJECT

 public:
  WindowStatusDisplay(QLineEdit* status, QLineEdit* tickRate, QLabel* strip, QObject* parent)
      : QObject(parent), status_(status), tickRate_(tickRate), strip_(strip) {}
  void SetTestStatus(const std::string& text) override;
  void SetTickRate(const std::string& text) override;
  void SetElementStrip(const std::string& richText) override;

 private:
  QLineEdit* status_;
  QLineEdit* tickRate_;
  QLabel* strip_;
};

class StatusArea;

class MainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kTimerMillis = 50;

  explicit MainWindow(WindowServices services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Runs a menu command as the menu would (commands that need an idle tester do
  // nothing while a test runs).
  void RunCommand(int id);
  // Applies the enabling rules, as opening a menu does.
  void UpdateMenus();
  // One tick of the 50 ms timer.
  void TimerTick();
  // "Done": the questions about unsaved work, then the window closes.
  void Done();

  bool TestRunning() const;
  HostLinkState Link() const;
  engine::Test* LastTest() const { return lastTest_.get(); }
  QAction* Action(int id) const;
  WindowLogPane& Pane() const { return *pane_; }
  DatumListView& SettingsView() const { return *settingsView_; }
  DatumListHost& ListHost() { return listHost_; }
  WindowKeyState& Keys() { return keys_; }
  settings::ProfileManager& Profiles() { return profiles_; }
  const std::string& LogFileName() const { return logFileName_; }
  bool Verbose() const { return verbose_.load(); }
  bool Finished() const { return finished_; }
  QWidget* StatusRow() const { return statusRow_; }
  QLabel* ElementStrip() const { return strip_; }
  TimelineTabs* Timeline() const { return timeline_; }
  StatusArea* Status() const { return statusArea_; }
  // Whether the log pane holds a test log that was not saved.
  bool LogUnsaved() const { return logUnsaved_; }
  // Whether the pane holds a test's report (or one is being written): the
  // window's own lines stay out of it.
  bool PaneHoldsReport() const;
  // Where the log was saved since the last run; empty when it was not.
  const std::string& SavedPath() const { return savedPath_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  QAction* AddCommand(QMenu* menu, int id, std::string_view text);
  void AddNoLinkNote(QMenu* menu);
  void BuildBottomRow(QWidget* central);
  void FitToScreen();
  void UpdateTitle();
  void PublishPane();
  // Notices a run that started or ended and shows where it stands.
  void FollowTheRun();
  // The prompt the operator acts on, with OK when it waits for their word.
  void ShowPrompt();
  // OK (or the space bar) on a prompt that waits for it.
  void ConfirmPrompt();
  // The "not saved" marks of the log and the profile: the status area and the title.
  void ShowUnsavedMarks();
  // Before a command empties or replaces the pane: an unsaved report is saved
  // or let go first. False when the operator went back.
  bool MayReplaceLog();
  // Whether a test's start empties the pane ("Clear Text Log at Start").
  bool ClearsPaneAtStart() const;
  // Starts the last test, after the question about an unread NAME.
  void LaunchLastTest();
  // The host watchdog's lines: the status area, and the pane only when no
  // report is in it.
  void OnHostNote(const std::string& line);
  // After Read ADDRESS_CLAIM: the manufacturer code the NAME carries, while the
  // profile says another.
  void ShowProfileHint();
  std::int64_t NowMillis() const;

  void StartTest(std::string_view code);
  void RepeatLastTest();
  void AbortTest();
  void ToggleVerbose();
  void LogSkippedTest();
  void ClearLog();
  bool SaveLog();
  void ReadLogFile();
  void CopyToClipboard();
  void LoadProfile();
  void SaveProfile();
  void BuildSummaryReport();
  void DeleteSuperseded();
  void ExportTimeline();
  void ResetProfile();
  // Where reports are read from: the log folder, else the profile's.
  std::string ReportFolder() const;
  bool SaveProfileOnDone();
  void Tell(const std::string& caption, const std::string& text);

  WindowServices services_;
  framework::LogOutput& log_;
  WindowLogPane* pane_ = nullptr;
  WindowKeyState keys_;
  std::atomic<bool> verbose_{false};
  settings::RegistryString startingProfile_;
  settings::ProfileManager profiles_;
  DatumListHost listHost_;
  DatumListView* settingsView_ = nullptr;
  data::DatumListTicker ticker_;
  framework::HostWatchdog watchdog_;
  WindowStatusDisplay* status_ = nullptr;
  // Before the test and its context: a running test cues it to its end.
  WindowOperator operator_{services_.app.Clock(),
                           [this] { return services_.app.Link().Counters().framesReceived; }};
  std::unique_ptr<engine::TestContext> context_;
  std::unique_ptr<engine::Test> lastTest_;
  std::string logFileName_;
  std::string runFileStem_;    // the last run's log file name without ".txt": its timeline's name
  std::string runLogPath_;     // where the last run's report was saved; empty while it is not
  bool paneHoldsRun_ = false;  // the pane still shows the last run's report
  QTimer timer_;
  std::map<int, QAction*> actions_;
  QWidget* statusRow_ = nullptr;
  QLineEdit* statusBox_ = nullptr;
  QLineEdit* tickRateBox_ = nullptr;
  QPushButton* dumpButton_ = nullptr;
  QLabel* strip_ = nullptr;
  TimelineTabs* timeline_ = nullptr;
  StatusArea* statusArea_ = nullptr;
  std::vector<QAction*> noLinkNotes_;
  RememberedFolders folders_;
  OperatorPromptTracker prompts_;
  bool wasRunning_ = false;
  std::int64_t runStartMs_ = 0;
  std::int64_t runEndMs_ = 0;
  RunOutcome outcome_;
  std::string shownCode_;
  std::string shownTitle_;
  bool logUnsaved_ = false;
  bool paneHoldsReport_ = false;  // a finished report, a skipped-test record or a log read
  std::string savedPath_;
  bool hintShown_ = false;
  bool finished_ = false;
  bool resized_ = false;  // by the operator, after the window was shown
};

// The registry section of the main window's remembered size: its template id in hex.
inline constexpr const char* kMainWindowSection = "66";

}  // namespace vlt::gui
