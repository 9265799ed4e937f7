#include "gui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "compliance/compliance_tests.h"
#include "compliance/test_table.h"
#include "engine/control_elements.h"
#include "engine/dut_name.h"
#include "engine/saved_log.h"
#include "engine/test_events.h"
#include "gui/element_strip.h"
#include "gui/focus_frame.h"
#include "gui/menu_commands.h"
#include "gui/qt_text.h"
#include "gui/save_questions.h"
#include "gui/status_area.h"
#include "gui/timeline_tabs.h"
#include "gui/window_fonts.h"
#include "gui/window_geometry.h"
#include "gui/window_icon.h"
#include "platform/text_encoding.h"
#include "platform/write_failure.h"
#include "reports/summary_report.h"
#include "reports/superseded_results.h"
#include "reports/test_catalogue.h"
#include "settings/settings_list.h"

namespace vlt::gui {

namespace {

constexpr const char* kProfileFilter = "ZCF Files (*.zcf)";
constexpr const char* kLogFilter = "Text Files (*.txt)";
constexpr const char* kResetTitle = "Reset Profile";
constexpr const char* kResetQuestion =
    "Set every setting back to its default value?\r\n"
    "The profile file changes only if you save the profile afterwards.";
constexpr const char* kTestRunningText =
    "A test is running. End it with Test > Abort, then choose Done.";
constexpr const char* kNoLinkNote = "Tests need the host link: vlt-host is not connected";
constexpr const char* kNotWhileTesting = "Not while a test runs: it writes to the log pane";
constexpr const char* kNoSaveWhileTesting = "Not while a test runs: its report is not complete";
constexpr const char* kReadAddressClaimCode = "RAC";

// The commands that empty or write over the log pane; a running test's log
// would be scrambled.
constexpr std::array<int, 5> kPaneCommands = {kClearLog, kReadLogFile, kBuildSummaryReport,
                                              kDeleteSuperseded, kVersionReport};

// A default log name as a file name, as the command line saves it; UTF-8.
std::string LogFileStemOf(const engine::Test& test) {
  return platform::Cp1252ToUtf8(engine::LogFileName(test.DefaultLogName()));
}

// The file system's words (UTF-8) in the box's Windows-1252, and what to do.
std::string ProfileFailureText(const std::string& error, int errorNumber) {
  return "The profile was not saved: " + platform::Utf8ToCp1252(error) +
         ".\r\nA file already there is unchanged. " + platform::WriteFailureAdvice(errorNumber);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

}  // namespace

void WindowStatusDisplay::SetTestStatus(const std::string& text) {
  QMetaObject::invokeMethod(this, [this, text] { status_->setText(ToQt(text)); });
}

void WindowStatusDisplay::SetTickRate(const std::string& text) {
  QMetaObject::invokeMethod(this, [this, text] { tickRate_->setText(ToQt(text)); });
}

void WindowStatusDisplay::SetElementStrip(const std::string& richText) {
  QMetaObject::invokeMethod(this, [this, richText] {
    strip_->setText(StripRtfToHtml(richText, strip_->palette().color(QPalette::Base)));
  });
}

MainWindow::MainWindow(WindowServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      log_(services_.app.Log()),
      startingProfile_(services_.registry, settings::kApplicationSubkey,
                       settings::kStartingProfileValue, ""),
      profiles_(services_.settings, startingProfile_, services_.localTime),
      listHost_{services_.dialogs, services_.app.Log(), services_.data},
      ticker_(services_.settings.List().List()),
      watchdog_(services_.app.Link(), services_.app.Log()),
      folders_(services_.registry) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowIcon(ApplicationIcon());

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  pane_ = new WindowLogPane(central);
  PublishPane();
  pane_->SetTextLimit(WindowLogPane::kStartTextLimit);

  listHost_.spaceEdits = [this] { return !TestRunning(); };
  settingsView_ = new DatumListView(services_.settings.List().List(), listHost_, central);
  // Every top-level row in sight where the screen allows: the operator works from it.
  settingsView_->setMinimumHeight(settingsView_->HeightForRows(3));
  settingsView_->setMaximumHeight(settingsView_->sizeHint().height());
  settingsView_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  // Three lines: on a small screen at a large scale, the prompt needs the room.
  pane_->Widget()->setMinimumHeight(pane_->Widget()->fontMetrics().lineSpacing() * 3);
  statusArea_ = new StatusArea(central);
  layout->addWidget(settingsView_, 0);
  timeline_ = new TimelineTabs(*pane_, central);
  layout->addWidget(timeline_, 1);
  layout->addWidget(statusArea_);
  BuildBottomRow(central);
  layout->addWidget(statusRow_);
  setCentralWidget(central);
  BuildMenus();
  FitToScreen();
  // Whatever empties the pane (Clear Log, a report, a test's start) lets the test log go.
  pane_->SetClearObserver([this] {
    logUnsaved_ = false;
    paneHoldsRun_ = false;
    paneHoldsReport_ = false;
    ShowUnsavedMarks();
  });
  // Testing notes are part of the report: the summary reads them.
  pane_->SetTypedObserver([this] {
    if (!PaneHoldsReport()) return;
    logUnsaved_ = true;
    ShowUnsavedMarks();
  });
  watchdog_.SetNoteSink([this](const std::string& line) { OnHostNote(line); });

  context_ = std::make_unique<engine::TestContext>(
      engine::TestContext{services_.app, services_.settings.Store(), services_.data, keys_,
                          services_.app.Prompter(), verbose_, status_});
  context_->startingProfile = [this] { return startingProfile_.Value(); };
  context_->localTime = services_.localTime;
  context_->runObserver = &timeline_->Feed();
  context_->operatorCues = &operator_;
  connect(statusArea_, &StatusArea::Confirmed, this, [this] { ConfirmPrompt(); });
  compliance::AttachDictionary(*context_, services_.dictionary);

  if (!profiles_.StartingProfile().empty()) {
    log_.Detach();  // loading writes nothing to the pane
    profiles_.LoadAtStart();
    PublishPane();
    pane_->SetTextLimit(WindowLogPane::kProfileTextLimit);
  }
  UpdateTitle();
  profiles_.ClearModified();
  services_.app.Link().EnableFrames(true);
  settingsView_->SyncRows();
  if (services_.runTimer) {
    connect(&timer_, &QTimer::timeout, this, &MainWindow::TimerTick);
    timer_.start(kTimerMillis);
  }
  keys_.Watch(this);
  new FocusFrame(this);
  connect(&keys_, &WindowKeyState::SpacePressed, this, [this] {
    if (prompts_.AwaitsConfirmation()) {
      ConfirmPrompt();
      return;
    }
    prompts_.OnSpaceBar();
    ShowPrompt();
  });
  FollowTheRun();
  UpdateMenus();
}

void MainWindow::FitToScreen() {
  const QRect available = AvailableGeometry(this);
  const WindowSizes sizes = MainWindowSizes(available.size());
  setMinimumSize(sizes.minimum);
  QSize start = sizes.start;
  if (services_.rememberSize) {
    const int cx = services_.registry.GetInt(kMainWindowSection, "CX", 0);
    const int cy = services_.registry.GetInt(kMainWindowSection, "CY", 0);
    if (cx > 0 && cy > 0) start = QSize(cx, cy).expandedTo(sizes.minimum);
  }
  resize(start.boundedTo(available.size()));
}

MainWindow::~MainWindow() {
  timer_.stop();
  lastTest_.reset();  // leaves the running-test slot before the tick thread stops
  services_.app.Link().EnableFrames(false);
  log_.Detach();
}

void MainWindow::PublishPane() {
  log_.Attach(pane_);
}

void MainWindow::UpdateTitle() {
  // "[*]" shows as "*" while something is unsaved; the words say what.
  QString title =
      ToQt(profiles_.WindowTitle(reports::ProgramCompileDate())) + QStringLiteral("[*]");
  const bool profile = profiles_.Modified();
  if (logUnsaved_ && profile) {
    title += tr(" - log and profile not saved");
  } else if (logUnsaved_) {
    title += tr(" - log not saved");
  } else if (profile) {
    title += tr(" - profile not saved");
  }
  if (title != windowTitle()) setWindowTitle(title);
}

void MainWindow::BuildBottomRow(QWidget* central) {
  statusRow_ = new QWidget(central);
  auto* row = new QHBoxLayout(statusRow_);
  row->setContentsMargins(0, 0, 0, 0);
  strip_ = new QLabel(statusRow_);
  strip_->setObjectName(QStringLiteral("elementStrip"));
  strip_->setTextFormat(Qt::RichText);
  strip_->setFont(MonospaceFont(10));
  strip_->setFrameShape(QFrame::StyledPanel);
  strip_->setMinimumWidth(120);
  // The theme's own text background, light or dark; the strip's colours adapt to it.
  strip_->setAutoFillBackground(true);
  strip_->setBackgroundRole(QPalette::Base);
  strip_->setForegroundRole(QPalette::Text);
  strip_->setToolTip(tr("The running test's elements, one mark each"));
  statusBox_ = new QLineEdit(statusRow_);
  statusBox_->setObjectName(QStringLiteral("testStatus"));
  statusBox_->setReadOnly(true);
  statusBox_->setMinimumWidth(90);
  statusBox_->setPlaceholderText(tr("test status"));
  statusBox_->setToolTip(tr("Test status: running, paused or idling, with the element counts"));
  tickRateBox_ = new QLineEdit(statusRow_);
  tickRateBox_->setObjectName(QStringLiteral("tickRate"));
  tickRateBox_->setReadOnly(true);
  tickRateBox_->setMinimumWidth(60);
  tickRateBox_->setMaximumWidth(90);
  tickRateBox_->setPlaceholderText(tr("ms/tick"));
  tickRateBox_->setToolTip(tr("Tick rate: milliseconds per tick of the test thread"));
  dumpButton_ = new QPushButton(tr("Dump &Status"), statusRow_);
  dumpButton_->setToolTip(tr("Write every element's state into the log pane"));
  connect(dumpButton_, &QPushButton::clicked, this, [this] {
    if (services_.app.RunningTest().Occupied()) {
      services_.app.RunningTest().RequestDump();
    } else if (lastTest_) {
      lastTest_->DumpStatus();
    }
  });
  auto* done = new QPushButton(tr("&Done"), statusRow_);
  done->setObjectName(QStringLiteral("done"));
  done->setDefault(true);
  done->setMinimumWidth(80);
  connect(done, &QPushButton::clicked, this, &MainWindow::Done);
  row->addWidget(strip_, 3);
  row->addWidget(statusBox_, 2);
  row->addWidget(tickRateBox_, 1);
  row->addWidget(dumpButton_);
  row->addStretch(1);
  row->addWidget(done);
  for (QWidget* w :
       std::initializer_list<QWidget*>{strip_, statusBox_, tickRateBox_, dumpButton_}) {
    w->setVisible(false);
  }
  status_ = new WindowStatusDisplay(statusBox_, tickRateBox_, strip_, this);
}

QAction* MainWindow::AddCommand(QMenu* menu, int id, std::string_view text) {
  QAction* action =
      menu->addAction(QString::fromLatin1(text.data(), static_cast<int>(text.size())));
  action->setData(id);
  actions_[id] = action;
  connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
  return action;
}

void MainWindow::AddNoLinkNote(QMenu* menu) {
  // The menu says why its tests are greyed out; shown only without a link.
  QAction* note = menu->addAction(QString::fromLatin1(kNoLinkNote));
  note->setEnabled(false);
  note->setVisible(false);
  noLinkNotes_.push_back(note);
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  AddCommand(file, kLoadProfile, "&Load Profile")->setShortcut(QKeySequence::Open);
  AddCommand(file, kSaveProfile, "&Save Profile");
  AddCommand(file, kResetProfile, "&Reset Profile");
  file->addSeparator();
  AddCommand(file, kExportTimeline, "Export &Timeline...");
  file->addSeparator();
  AddCommand(file, kExit, "E&xit")->setShortcut(QKeySequence::Quit);

  QMenu* test = menuBar()->addMenu(tr("&Test"));
  AddNoLinkNote(test);
  AddCommand(test, kRepeatLastTest, "&Repeat Last Test")->setShortcut(Qt::Key_F5);
  test->addSeparator();
  AddCommand(test, kAbort, "&Abort");
  test->addSeparator();
  QMenu* addressing = test->addMenu(tr("A - A&ddressing"));
  QMenu* network = test->addMenu(tr("ND - &Network/Diagnostics"));
  for (QMenu* menu : {addressing, network}) {
    AddNoLinkNote(menu);
    menu->setToolTipsVisible(true);
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenus);
  }
  for (const compliance::TestRow& row : compliance::TestTable()) {
    QMenu* menu = row.family == compliance::TestFamily::kAddressing ? addressing : network;
    if (row.separatorBefore) menu->addSeparator();
    QAction* action = AddCommand(menu, row.menuId, row.menuText);
    if (row.make == nullptr) action->setToolTip(tr("This test is not available."));
  }
  test->addSeparator();
  QAction* verbose = AddCommand(test, kVerboseMode, "&Verbose Mode");
  verbose->setCheckable(true);
  AddCommand(test, kLogSkippedTest, "Log a &Skipped Test");

  QMenu* log = menuBar()->addMenu(tr("&Log File"));
  log->setToolTipsVisible(true);
  AddCommand(log, kCopyToClipboard, "Cop&y to Clipboard");
  AddCommand(log, kClearLog, "&Clear Log");
  log->addSeparator();
  AddCommand(log, kSaveLog, "Save &Log")->setShortcut(QKeySequence::Save);
  AddCommand(log, kReadLogFile, "&Read Log File");
  log->addSeparator();
  AddCommand(log, kBuildSummaryReport, "&Build Summary Report");
  AddCommand(log, kDeleteSuperseded, "&Delete Superseded Test Results");

  QMenu* about = menuBar()->addMenu(tr("&About"));
  AddCommand(about, kVersionReport, "Get &Version Report");
  about->addSeparator();
  AddCommand(about, kAbout, "&About Valmora...");

  for (QMenu* menu : {file, test, log, about}) {
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenus);
  }
}

QAction* MainWindow::Action(int id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

bool MainWindow::TestRunning() const {
  // Never the slot's lock: the tick thread may hold it while it waits for the
  // operator to answer a question this thread shows.
  return services_.app.RunningTest().Occupied();
}

HostLinkState MainWindow::Link() const {
  return HostLinkStateOf(watchdog_.GetStatus(), services_.app.Link().GetState());
}

void MainWindow::UpdateMenus() {
  const bool idle = !TestRunning();
  const bool linked = TestsMayRun(Link());
  for (int id : {kLoadProfile, kSaveProfile, kResetProfile, kLogSkippedTest}) {
    actions_[id]->setEnabled(idle);
  }
  for (int id : kPaneCommands) {
    actions_[id]->setEnabled(idle);
    actions_[id]->setToolTip(idle ? QString() : QString::fromLatin1(kNotWhileTesting));
  }
  actions_[kSaveLog]->setEnabled(idle);
  actions_[kSaveLog]->setToolTip(idle ? QString() : QString::fromLatin1(kNoSaveWhileTesting));
  for (const compliance::TestRow& row : compliance::TestTable()) {
    actions_[row.menuId]->setEnabled(idle && linked && row.make != nullptr);
  }
  for (QAction* note : noLinkNotes_) note->setVisible(!linked);
  actions_[kRepeatLastTest]->setEnabled(idle && linked && lastTest_ != nullptr);
  actions_[kAbort]->setEnabled(!idle);
  actions_[kVerboseMode]->setChecked(verbose_.load());
}

void MainWindow::RunCommand(int id) {
  const bool idle = !TestRunning();
  switch (id) {
    case kLoadProfile:
      if (idle) LoadProfile();
      return;
    case kSaveProfile:
      if (idle) SaveProfile();
      return;
    case kResetProfile:
      if (idle) ResetProfile();
      return;
    case kExit:
      Done();
      return;
    case kRepeatLastTest:
      RepeatLastTest();
      return;
    case kAbort:
      AbortTest();
      return;
    case kVerboseMode:
      ToggleVerbose();
      return;
    case kLogSkippedTest:
      LogSkippedTest();
      return;
    case kCopyToClipboard:
      CopyToClipboard();
      return;
    case kClearLog:
      if (idle) ClearLog();
      return;
    case kSaveLog:
      if (idle) SaveLog();
      return;
    case kReadLogFile:
      if (idle) ReadLogFile();
      return;
    case kBuildSummaryReport:
      if (idle) BuildSummaryReport();
      return;
    case kDeleteSuperseded:
      if (idle) DeleteSuperseded();
      return;
    case kExportTimeline:
      ExportTimeline();
      return;
    case kVersionReport:
      if (idle) reports::WriteVersionReport(compliance::Catalogue(), log_);
      return;
    case kAbout:
      services_.dialogs.ShowAbout();
      return;
    default:
      break;
  }
  for (const compliance::TestRow& row : compliance::TestTable()) {
    if (row.menuId == id && row.make != nullptr) StartTest(row.code);
  }
}

std::int64_t MainWindow::NowMillis() const {
  return services_.app.Clock().NowMicros() / 1000;
}

bool MainWindow::ClearsPaneAtStart() const {
  return engine::ClearsLogAtStart(services_.settings.Store(), true);
}

bool MainWindow::MayReplaceLog() {
  FollowTheRun();  // a run that ended since the last tick left a report
  return MayClose(services_.dialogs, {{logUnsaved_, LogQuestion(), [this] { return SaveLog(); }}});
}

void MainWindow::StartTest(std::string_view code) {
  if (TestRunning() || !TestsMayRun(Link())) return;
  // Asked before the test exists, so that going back leaves the last one as it was.
  if (ClearsPaneAtStart() && !MayReplaceLog()) return;
  lastTest_.reset();  // it leaves the host link before its successor registers
  lastTest_ = compliance::MakeTest(code, *context_);
  if (!lastTest_) return;
  LaunchLastTest();
}

void MainWindow::RepeatLastTest() {
  if (TestRunning() || !lastTest_ || !TestsMayRun(Link())) return;
  if (ClearsPaneAtStart() && !MayReplaceLog()) return;
  LaunchLastTest();
}

void MainWindow::LaunchLastTest() {
  if (const std::string warning = engine::UnreadNameWarning(*lastTest_); !warning.empty()) {
    switch (services_.dialogs.AskToSave(UnreadNameQuestion(warning))) {
      case SaveAnswer::kCancel:
        UpdateMenus();
        return;
      case SaveAnswer::kSave:
        lastTest_.reset();
        lastTest_ = compliance::MakeTest(kReadAddressClaimCode, *context_);
        break;
      case SaveAnswer::kDiscard:
        break;
    }
  }
  // A question stays open while the host may go: the answer is no licence to run.
  if (!lastTest_ || TestRunning() || !TestsMayRun(Link())) {
    UpdateMenus();
    return;
  }
  runFileStem_ = LogFileStemOf(*lastTest_);
  logFileName_ = runFileStem_ + ".txt";
  runLogPath_.clear();
  runStartMs_ = NowMillis();
  savedPath_.clear();
  statusArea_->SetHostNote({});
  statusArea_->SetProfileHint({});
  hintShown_ = false;
  lastTest_->Start();
  FollowTheRun();
  UpdateMenus();
}

bool MainWindow::PaneHoldsReport() const {
  return paneHoldsReport_ || TestRunning();
}

void MainWindow::OnHostNote(const std::string& line) {
  statusArea_->SetHostNote(line);
  // A report is saved as the test wrote it: nothing lands after its closing line.
  if (!PaneHoldsReport()) log_.AppendLogLine(line);
}

void MainWindow::ShowProfileHint() {
  const std::optional<engine::ManufacturerMismatch> mismatch =
      engine::ManufacturerMismatchOf(*context_);
  hintShown_ = mismatch.has_value();
  statusArea_->SetProfileHint(mismatch
                                  ? "The NAME read carries Manufacturer ID " + mismatch->inName +
                                        "; the profile says " + mismatch->inProfile +
                                        ". The tests compare them: set \"Manufacturer ID\" to " +
                                        mismatch->inName + "."
                                  : std::string());
}

void MainWindow::ConfirmPrompt() {
  operator_.Confirm();
  prompts_.OnConfirmed();
  ShowPrompt();
}

void MainWindow::ShowPrompt() {
  statusArea_->SetPrompt(prompts_.Prompt());
  statusArea_->SetConfirmable(prompts_.AwaitsConfirmation());
}

void MainWindow::FollowTheRun() {
  for (const WindowOperator::Prompt& prompt : operator_.TakePrompts()) {
    if (prompt.key) {
      prompts_.OnKeyPrompt(prompt.text);
    } else {
      prompts_.OnCue(prompt.cue, prompt.text, prompt.framesHeard);
    }
  }
  const bool running = TestRunning();
  if (running && lastTest_) {
    shownCode_ = lastTest_->Code();
    shownTitle_ = lastTest_->Identity().title;
    outcome_ = RunOutcome{lastTest_->Aborted() ? RunVerdict::kAborting : RunVerdict::kRunning};
    runEndMs_ = NowMillis();
  } else if (wasRunning_ && lastTest_) {
    // The run ended: what it wrote is a test log the operator has not saved.
    pane_->Flush();  // a clearing the run queued comes before its end
    outcome_ = OutcomeOf(*lastTest_);
    runEndMs_ = NowMillis();
    logUnsaved_ = true;
    paneHoldsRun_ = true;
    paneHoldsReport_ = true;
    prompts_.OnRunEnded();
    operator_.Reset();
    if (lastTest_->Code() == kReadAddressClaimCode && !lastTest_->Aborted()) ShowProfileHint();
  }
  // Gone once the operator has set the code the NAME carries.
  if (hintShown_ && !running) ShowProfileHint();
  wasRunning_ = running;
  prompts_.OnFramesHeard(services_.app.Link().Counters().framesReceived);
  statusArea_->SetLink(Link(), services_.runFolder);
  statusArea_->SetRun(shownCode_, shownTitle_, outcome_, runEndMs_ - runStartMs_);
  ShowPrompt();
  // The operator sees how long the test still waits for them.
  const std::optional<std::uint32_t> limitLeft = timeline_->Trace().limitLeftMs;
  statusArea_->SetLimitLeft(running && limitLeft && !prompts_.Prompt().empty()
                                ? std::optional<std::int64_t>(*limitLeft)
                                : std::nullopt);
  ShowUnsavedMarks();
}

void MainWindow::ShowUnsavedMarks() {
  statusArea_->SetLogUnsaved(logUnsaved_);
  statusArea_->SetSavedTo(savedPath_);
  setWindowModified(logUnsaved_ || profiles_.Modified());
  UpdateTitle();
}

void MainWindow::AbortTest() {
  // An abort left in the queue of a test that is no longer running (idle, or
  // finishing and asking the operator) would end its next run at once.
  if (lastTest_ && TestRunning() && lastTest_->Running()) lastTest_->AbortByOperator();
}

void MainWindow::ToggleVerbose() {
  const bool on = !verbose_.load();
  verbose_.store(on);
  for (QWidget* w :
       std::initializer_list<QWidget*>{strip_, statusBox_, tickRateBox_, dumpButton_}) {
    w->setVisible(on);
  }
  actions_[kVerboseMode]->setChecked(on);
}

void MainWindow::LogSkippedTest() {
  if (TestRunning()) return;
  if (!MayReplaceLog()) return;
  lastTest_.reset();
  UpdateMenus();
  const std::optional<SkipChoice> choice = services_.dialogs.ChooseSkippedTest();
  if (!choice) return;
  lastTest_ = compliance::MakeSkipFactory().Create(choice->code, *context_);
  if (!lastTest_) return;
  log_.ClearLogPane();
  logFileName_ = LogFileStemOf(*lastTest_) + ".txt";
  savedPath_.clear();
  lastTest_->WriteSkipped(choice->reason);
  shownCode_ = lastTest_->Code();
  shownTitle_ = lastTest_->Identity().title;
  outcome_ = RunOutcome{RunVerdict::kSkipped};
  logUnsaved_ = true;
  paneHoldsReport_ = true;
  FollowTheRun();
  UpdateMenus();
}

void MainWindow::ClearLog() {
  log_.ClearLogPane();
  FollowTheRun();
}

bool MainWindow::SaveLog() {
  // Saved while a test still writes, the file would hold part of a report.
  if (TestRunning()) return false;
  FollowTheRun();  // a run that ended since the last tick is marked unsaved before it is saved
  const std::optional<std::string> path =
      services_.dialogs.SaveFile({"txt", kLogFilter, InFolder(folders_.LogFolder(), logFileName_)});
  if (!path) return false;
  std::string error;
  int errorNumber = 0;
  if (!engine::SaveLog(*path, pane_->Text(), &error, &errorNumber)) {
    Tell("Save Log", engine::SaveLogFailureText(platform::Utf8ToCp1252(error), errorNumber));
    return false;
  }
  folders_.RememberLog(*path);
  logUnsaved_ = false;
  savedPath_ = *path;
  if (paneHoldsRun_) {
    runLogPath_ = *path;
    timeline_->SetLogFile(platform::Utf8ToCp1252(std::filesystem::path(*path).filename().string()));
  }
  FollowTheRun();
  return true;
}

void MainWindow::ReadLogFile() {
  if (!MayReplaceLog()) return;
  const std::optional<std::string> path =
      services_.dialogs.OpenFile({"txt", kLogFilter, folders_.LogFolder()});
  if (!path) return;
  std::ifstream in(*path, std::ios::binary);
  if (!in || std::filesystem::is_directory(*path)) {
    log_.AppendLogLine("Unable to open " + reports::DisplayPath(*path));
    return;
  }
  log_.SetReadOnly(true);
  log_.ClearLogPane();
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    log_.AppendLogLine(line);
  }
  logFileName_ = std::filesystem::path(*path).filename().string();
  folders_.RememberLog(*path);
  log_.SetReadOnly(false);
  logUnsaved_ = false;  // the pane holds what the file holds
  paneHoldsReport_ = true;
  savedPath_.clear();
  FollowTheRun();
}

void MainWindow::CopyToClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) {
    if (verbose_.load()) log_.AppendLogLine("Clipboard error!!!");
    return;
  }
  std::string text = pane_->SelectedText();
  if (text.empty()) text = pane_->Text();
  clipboard->setText(ToQt(text));
}

void MainWindow::LoadProfile() {
  log_.Detach();
  const std::string initial =
      profiles_.StartingProfile().empty() ? folders_.ProfileFolder() : profiles_.StartingProfile();
  const std::optional<std::string> path =
      services_.dialogs.OpenFile({"zcf", kProfileFilter, initial});
  std::string problem;
  if (path) {
    const data::CloneLoadReport report = profiles_.Load(*path);
    if (!report.opened) {
      problem = "The profile " + reports::DisplayPath(*path) +
                " could not be opened.\r\nThe settings are unchanged.";
    } else if (!report.rejectedValues.empty() || !report.invalidLines.empty()) {
      problem = "Some lines of the profile were not taken; those settings keep their values:" +
                Joined(report.invalidLines) + Joined(report.rejectedValues);
    }
    if (report.opened) folders_.RememberProfile(*path);
    UpdateTitle();
  }
  PublishPane();
  pane_->SetTextLimit(WindowLogPane::kProfileTextLimit);
  if (!problem.empty()) Tell("Load Profile", problem);
}

void MainWindow::SaveProfile() {
  log_.Detach();
  const std::string folder = profiles_.StartingProfile().empty()
                                 ? folders_.ProfileFolder()
                                 : FolderOf(profiles_.StartingProfile());
  const std::optional<std::string> path =
      services_.dialogs.SaveFile({"zcf", kProfileFilter, folder});
  std::string error;
  int errorNumber = 0;
  // The modified flag stays set unless the save worked, so "Done" still asks.
  const bool failed = path && !profiles_.Save(*path, &error, &errorNumber);
  if (path && !failed) {
    folders_.RememberProfile(*path);
    UpdateTitle();
  }
  PublishPane();
  pane_->SetTextLimit(WindowLogPane::kProfileTextLimit);
  if (failed) Tell("Save Profile", ProfileFailureText(error, errorNumber));
}

void MainWindow::ResetProfile() {
  // The defaults would go over the loaded profile file at the next save.
  if (!services_.dialogs.AskYesNo(kResetTitle, kResetQuestion)) return;
  profiles_.Reset();
  FollowTheRun();
}

std::string MainWindow::ReportFolder() const {
  return folders_.LogFolder().empty() ? FolderOf(profiles_.StartingProfile())
                                      : folders_.LogFolder();
}

namespace {

// The same reading of saved logs as the command line's summary and supersede.
reports::LogRules LogRulesOf(settings::SettingManager& store) {
  return {reports::ProductVersion::FromSettings(store), compliance::SummaryCatalogue(),
          compliance::ProgramCriterionCounts()};
}

}  // namespace

void MainWindow::BuildSummaryReport() {
  if (!MayReplaceLog()) return;
  const std::optional<std::string> folder = services_.dialogs.ChooseFolder(ReportFolder());
  if (!folder) return;
  const reports::SummaryInputs inputs{LogRulesOf(services_.settings.Store()), services_.localTime(),
                                      reports::ProgramCompileDate()};
  reports::BuildSummaryReport(*folder, inputs, log_);
}

void MainWindow::DeleteSuperseded() {
  if (!MayReplaceLog()) return;
  if (!services_.dialogs.AskYesNo(reports::kSupersedeQuestionTitle, reports::kSupersedeQuestion)) {
    return;
  }
  const std::optional<std::string> folder = services_.dialogs.ChooseFolder(ReportFolder());
  if (!folder) return;
  reports::DeleteSupersededResults(*folder, LogRulesOf(services_.settings.Store()),
                                   reports::SupersedeMode::kDelete, log_);
}

void MainWindow::ExportTimeline() {
  timeline_->Refresh();
  if (!timeline_->HasRun()) {
    Tell("Export Timeline", "No test has run yet: there is no timeline to save.");
    return;
  }
  // Beside the run's log and named as it is (or would be), whatever the pane shows now.
  const std::string initial =
      !runLogPath_.empty()
          ? std::filesystem::path(runLogPath_).replace_extension(".svg").string()
          : InFolder(folders_.LogFolder(), runFileStem_.empty() ? "" : runFileStem_ + ".svg");
  const std::optional<std::string> path =
      services_.dialogs.SaveFile({"svg", "SVG Files (*.svg)", initial});
  if (!path) return;
  std::string error;
  if (!timeline_->Export(*path, &error)) {
    Tell("Export Timeline", "The timeline was not saved: " + platform::Utf8ToCp1252(error) +
                                ".\r\nA file already there is unchanged.");
  }
}

void MainWindow::TimerTick() {
  ticker_.Tick();
  timeline_->OnTimer();
  settingsView_->RefreshMarkers();
  watchdog_.OnTimer();
  FollowTheRun();
  UpdateMenus();
}

void MainWindow::Done() {
  FollowTheRun();
  if (TestRunning()) {
    // Closing under a running test would leave the host in the test's mode and
    // tear the test down while the tick thread may be inside it. The notice
    // goes when the test ends, so it never stands over the test's own question.
    services_.dialogs.ShowNotice("Done", kTestRunningText, [this] { return TestRunning(); });
    return;
  }
  log_.Detach();
  const bool mayClose =
      MayClose(services_.dialogs,
               {{logUnsaved_, LogQuestion(), [this] { return SaveLog(); }},
                {profiles_.Modified(), ProfileQuestion(), [this] { return SaveProfileOnDone(); }}});
  PublishPane();
  if (!mayClose) return;  // the window stays, so nothing is lost
  finished_ = true;
  close();
}

bool MainWindow::SaveProfileOnDone() {
  std::string path = profiles_.StartingProfile();
  // Only a profile is written over unasked: any other file goes through the
  // file dialog and its question about replacing a file.
  const std::string losses = profiles_.StartingProfileLosses();
  if (!losses.empty()) {
    Tell("Save Profile", "The profile was not saved over " + reports::DisplayPath(path) + ": " +
                             losses + ".\r\nChoose where to save it.");
  }
  if (path.empty() || !losses.empty()) {
    // No profile was ever loaded or saved, or the file is none: ask where,
    // rather than lose the changes.
    const std::optional<std::string> chosen = services_.dialogs.SaveFile(
        {"zcf", kProfileFilter, path.empty() ? folders_.ProfileFolder() : FolderOf(path)});
    if (!chosen) return false;
    path = *chosen;
  }
  std::string error;
  int errorNumber = 0;
  if (!profiles_.Save(path, &error, &errorNumber)) {
    Tell("Save Profile", ProfileFailureText(error, errorNumber));
    return false;
  }
  folders_.RememberProfile(path);
  return true;
}

void MainWindow::Tell(const std::string& caption, const std::string& text) {
  services_.app.Prompter().MessageBox(caption, text);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (isVisible()) resized_ = true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box asks like "Done", so unsaved work is not lost.
  if (!finished_) Done();
  if (!finished_) {
    event->ignore();
    return;
  }
  if (services_.rememberSize && resized_) {
    services_.registry.SetInt(kMainWindowSection, "CX", width());
    services_.registry.SetInt(kMainWindowSection, "CY", height());
  }
  event->accept();
}

}  // namespace vlt::gui
