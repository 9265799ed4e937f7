#include "gui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "compliance/compliance_tests.h"
#include "engine/saved_log.h"
#include "engine/test_events.h"
#include "gui/element_strip.h"
#include "gui/menu_commands.h"
#include "gui/qt_text.h"
#include "gui/timeline_tabs.h"
#include "gui/window_fonts.h"
#include "gui/window_icon.h"
#include "platform/text_encoding.h"
#include "reports/summary_report.h"
#include "reports/superseded_results.h"
#include "reports/test_catalogue.h"
#include "settings/settings_list.h"

namespace vlt::gui {

namespace {

constexpr const char* kProfileFilter = "ZCF Files (*.zcf)";
constexpr const char* kLogFilter = "Text Files (*.txt)";
constexpr const char* kSaveQuestion = "Do you wish to save the profile?";
constexpr const char* kSaveStatement = "The data in the profile has changed.";

// The folder part of a path, with its closing separator; empty when it has none.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A default log name as a file name: a product name may hold a folder separator.
std::string LogFileNameOf(const engine::Test& test) {
  std::string name = platform::Cp1252ToUtf8(test.DefaultLogName());
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return name + ".txt";
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
  QMetaObject::invokeMethod(this, [this, richText] { strip_->setText(StripRtfToHtml(richText)); });
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
      watchdog_(services_.app.Link(), services_.app.Log()) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowIcon(ApplicationIcon());
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  resize(1100, 760);
  if (services_.rememberSize) {
    const int cx = services_.registry.GetInt(kMainWindowSection, "CX", 0);
    const int cy = services_.registry.GetInt(kMainWindowSection, "CY", 0);
    if (cx > 0 && cy > 0) resize(std::max(cx, kMinimumWidth), std::max(cy, kMinimumHeight));
  }

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  pane_ = new WindowLogPane(central);
  PublishPane();
  pane_->SetTextLimit(WindowLogPane::kStartTextLimit);

  settingsView_ = new DatumListView(services_.settings.List().List(), listHost_, central);
  // Every top-level row in sight: the list is short and the operator works from it.
  settingsView_->setMinimumHeight(settingsView_->HeightForRows(6));
  settingsView_->setFixedHeight(
      settingsView_->HeightForRows(static_cast<int>(settingsView_->Model().RowCount())));
  layout->addWidget(settingsView_);
  timeline_ = new TimelineTabs(*pane_, central);
  layout->addWidget(timeline_, 1);
  BuildBottomRow(central);
  layout->addWidget(statusRow_);
  setCentralWidget(central);
  BuildMenus();

  context_ = std::make_unique<engine::TestContext>(
      engine::TestContext{services_.app, services_.settings.Store(), services_.data, keys_,
                          services_.app.Prompter(), verbose_, status_});
  context_->startingProfile = [this] { return startingProfile_.Value(); };
  context_->localTime = services_.localTime;
  context_->runObserver = &timeline_->Feed();
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
  UpdateMenus();
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
  setWindowTitle(ToQt(profiles_.WindowTitle(reports::ProgramCompileDate())));
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
  strip_->setMinimumWidth(360);
  strip_->setStyleSheet(QStringLiteral("QLabel { background: white; padding: 2px 4px; }"));
  statusBox_ = new QLineEdit(statusRow_);
  statusBox_->setObjectName(QStringLiteral("testStatus"));
  statusBox_->setReadOnly(true);
  statusBox_->setMinimumWidth(170);
  tickRateBox_ = new QLineEdit(statusRow_);
  tickRateBox_->setObjectName(QStringLiteral("tickRate"));
  tickRateBox_->setReadOnly(true);
  tickRateBox_->setFixedWidth(80);
  dumpButton_ = new QPushButton(tr("Dump Status"), statusRow_);
  connect(dumpButton_, &QPushButton::clicked, this, [this] {
    if (services_.app.RunningTest().Occupied()) {
      services_.app.RunningTest().RequestDump();
    } else if (lastTest_) {
      lastTest_->DumpStatus();
    }
  });
  auto* done = new QPushButton(tr("Done"), statusRow_);
  done->setObjectName(QStringLiteral("done"));
  done->setDefault(true);
  done->setMinimumWidth(120);
  connect(done, &QPushButton::clicked, this, &MainWindow::Done);
  row->addWidget(strip_, 3);
  row->addWidget(statusBox_, 2);
  row->addWidget(tickRateBox_);
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

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("File"));
  AddCommand(file, kLoadProfile, "&Load Profile");
  AddCommand(file, kSaveProfile, "&Save Profile");
  AddCommand(file, kResetProfile, "Reset Profile");
  file->addSeparator();
  AddCommand(file, kExportTimeline, "Export Timeline...");
  file->addSeparator();
  AddCommand(file, kExit, "Exit");

  QMenu* test = menuBar()->addMenu(tr("Test"));
  AddCommand(test, kRepeatLastTest, "Repeat Last Test");
  test->addSeparator();
  AddCommand(test, kAbort, "&Abort");
  test->addSeparator();
  QMenu* addressing = test->addMenu(tr("A - Addressing"));
  QMenu* network = test->addMenu(tr("ND - Network/Diagnostics"));
  for (auto [menu, commands] :
       {std::pair{addressing, std::span<const TestCommand>(kAddressingCommands)},
        std::pair{network, std::span<const TestCommand>(kNetworkCommands)}}) {
    for (const TestCommand& command : commands) {
      if (command.separatorBefore) menu->addSeparator();
      QAction* action = AddCommand(menu, command.id, command.text);
      if (command.code.empty()) action->setToolTip(tr("This test is not available."));
    }
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenus);
  }
  test->addSeparator();
  QAction* verbose = AddCommand(test, kVerboseMode, "Verbose Mode");
  verbose->setCheckable(true);
  AddCommand(test, kLogSkippedTest, "Log a Skipped Test");

  QMenu* log = menuBar()->addMenu(tr("Log File"));
  AddCommand(log, kCopyToClipboard, "Copy to Clipboard");
  AddCommand(log, kClearLog, "&Clear Log");
  log->addSeparator();
  AddCommand(log, kSaveLog, "Save &Log");
  AddCommand(log, kReadLogFile, "Read Log File");
  log->addSeparator();
  AddCommand(log, kBuildSummaryReport, "Build Summary Report");
  AddCommand(log, kDeleteSuperseded, "Delete Superseded Test Results");

  QMenu* about = menuBar()->addMenu(tr("About"));
  AddCommand(about, kVersionReport, "Get Version Report");
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

void MainWindow::UpdateMenus() {
  const bool idle = !TestRunning();
  for (int id : {kLoadProfile, kSaveProfile, kResetProfile, kLogSkippedTest}) {
    actions_[id]->setEnabled(idle);
  }
  for (const TestCommand& command : kAddressingCommands) actions_[command.id]->setEnabled(idle);
  for (const TestCommand& command : kNetworkCommands) {
    actions_[command.id]->setEnabled(idle && !command.code.empty());
  }
  actions_[kRepeatLastTest]->setEnabled(idle && lastTest_ != nullptr);
  actions_[kAbort]->setEnabled(!idle);
  actions_[kVerboseMode]->setChecked(verbose_.load());
}

void MainWindow::RunCommand(int id) {
  switch (id) {
    case kLoadProfile:
      if (!TestRunning()) LoadProfile();
      return;
    case kSaveProfile:
      if (!TestRunning()) SaveProfile();
      return;
    case kResetProfile:
      if (!TestRunning()) profiles_.Reset();
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
      log_.ClearLogPane();
      return;
    case kSaveLog:
      SaveLog();
      return;
    case kReadLogFile:
      ReadLogFile();
      return;
    case kBuildSummaryReport:
      BuildSummaryReport();
      return;
    case kDeleteSuperseded:
      DeleteSuperseded();
      return;
    case kExportTimeline:
      ExportTimeline();
      return;
    case kVersionReport:
      reports::WriteVersionReport(reports::TestCatalogue::Instance(), log_);
      return;
    case kAbout:
      services_.dialogs.ShowAbout();
      return;
    default:
      break;
  }
  for (const TestCommand& command : kAddressingCommands) {
    if (command.id == id) StartTest(command.code);
  }
  for (const TestCommand& command : kNetworkCommands) {
    if (command.id == id && !command.code.empty()) StartTest(command.code);
  }
}

void MainWindow::StartTest(std::string_view code) {
  if (TestRunning()) return;
  lastTest_.reset();  // it leaves the host link before its successor registers
  lastTest_ = compliance::MakeTest(code, *context_);
  if (!lastTest_) return;
  logFileName_ = LogFileNameOf(*lastTest_);
  lastTest_->Start();
  UpdateMenus();
}

void MainWindow::RepeatLastTest() {
  if (TestRunning() || !lastTest_) return;
  logFileName_ = LogFileNameOf(*lastTest_);
  lastTest_->Start();
  UpdateMenus();
}

void MainWindow::AbortTest() {
  // An abort left in the queue of a test that is no longer running (idle, or
  // finishing and asking the operator) would end its next run at once.
  if (lastTest_ && TestRunning() && lastTest_->Running()) lastTest_->PostEvent(engine::kEvAbort);
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
  lastTest_.reset();
  UpdateMenus();
  const std::optional<SkipChoice> choice = services_.dialogs.ChooseSkippedTest();
  if (!choice) return;
  lastTest_ = compliance::MakeSkipFactory().Create(choice->code, *context_);
  if (!lastTest_) return;
  log_.ClearLogPane();
  logFileName_ = LogFileNameOf(*lastTest_);
  lastTest_->WriteSkipped(choice->reason);
  UpdateMenus();
}

void MainWindow::SaveLog() {
  const std::optional<std::string> path =
      services_.dialogs.SaveFile({"txt", kLogFilter, logFileName_});
  if (!path) return;
  std::string error;
  if (!engine::SaveLog(*path, pane_->Text(), &error)) {
    Tell("Save Log", engine::SaveLogFailureText(platform::Utf8ToCp1252(error)));
  }
}

void MainWindow::ReadLogFile() {
  const std::optional<std::string> path = services_.dialogs.OpenFile({"txt", kLogFilter, ""});
  if (!path) return;
  std::ifstream in(*path, std::ios::binary);
  if (!in || std::filesystem::is_directory(*path)) {
    log_.AppendLogLine("Unable to open " + reports::DisplayPath(*path));
    return;
  }
  const bool wasReadOnly = pane_->Widget()->isReadOnly();
  log_.SetReadOnly(true);
  log_.ClearLogPane();
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    log_.AppendLogLine(line);
  }
  logFileName_ = std::filesystem::path(*path).filename().string();
  log_.SetReadOnly(wasReadOnly && TestRunning());
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
  const std::optional<std::string> path =
      services_.dialogs.OpenFile({"zcf", kProfileFilter, profiles_.StartingProfile()});
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
    UpdateTitle();
  }
  PublishPane();
  pane_->SetTextLimit(WindowLogPane::kProfileTextLimit);
  if (!problem.empty()) Tell("Load Profile", problem);
}

void MainWindow::SaveProfile() {
  log_.Detach();
  const std::optional<std::string> path = services_.dialogs.SaveFile({"zcf", kProfileFilter, ""});
  std::string error;
  // The modified flag stays set unless the save worked, so "Done" still asks.
  const bool failed = path && !profiles_.Save(*path, &error);
  if (path && !failed) UpdateTitle();
  PublishPane();
  pane_->SetTextLimit(WindowLogPane::kProfileTextLimit);
  if (failed) {
    Tell("Save Profile", "The profile was not saved: " + platform::Utf8ToCp1252(error));
  }
}

void MainWindow::BuildSummaryReport() {
  const std::optional<std::string> folder =
      services_.dialogs.ChooseFolder(FolderOf(profiles_.StartingProfile()));
  if (!folder) return;
  const reports::SummaryInputs inputs{
      reports::ProductVersion::FromSettings(services_.settings.Store()), services_.localTime(),
      reports::ProgramCompileDate(), reports::ProgramCatalogue()};
  reports::BuildSummaryReport(*folder, inputs, log_);
}

void MainWindow::DeleteSuperseded() {
  if (!services_.dialogs.AskYesNo(reports::kSupersedeQuestionTitle, reports::kSupersedeQuestion)) {
    return;
  }
  const std::optional<std::string> folder =
      services_.dialogs.ChooseFolder(FolderOf(profiles_.StartingProfile()));
  if (!folder) return;
  reports::DeleteSupersededResults(
      *folder, reports::ProductVersion::FromSettings(services_.settings.Store()),
      reports::SupersedeMode::kDelete, log_);
}

void MainWindow::ExportTimeline() {
  timeline_->Refresh();
  if (!timeline_->HasRun()) {
    Tell("Export Timeline", "No test has run yet: there is no timeline to save.");
    return;
  }
  std::string name = logFileName_;
  if (name.size() > 4 && name.ends_with(".txt")) name.resize(name.size() - 4);
  const std::optional<std::string> path =
      services_.dialogs.SaveFile({"svg", "SVG Files (*.svg)", name.empty() ? "" : name + ".svg"});
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
  UpdateMenus();
}

void MainWindow::Done() {
  if (TestRunning()) {
    // Closing under a running test would leave the host in the test's mode and
    // tear the test down while the tick thread may be inside it.
    Tell("Done", "A test is running. End it with Test > Abort, then choose Done.");
    return;
  }
  if (profiles_.Modified()) {
    log_.Detach();
    const bool save = services_.app.Prompter().AskDecision(kSaveStatement, kSaveQuestion);
    const bool saved = !save || SaveProfileOnDone();
    PublishPane();
    if (!saved) return;  // the window stays, so the changes are not lost
  }
  finished_ = true;
  close();
}

bool MainWindow::SaveProfileOnDone() {
  std::string path = profiles_.StartingProfile();
  if (path.empty()) {
    // No profile was ever loaded or saved: ask where, rather than lose the changes.
    const std::optional<std::string> chosen =
        services_.dialogs.SaveFile({"zcf", kProfileFilter, ""});
    if (!chosen) return false;
    path = *chosen;
  }
  std::string error;
  if (!profiles_.Save(path, &error)) {
    Tell("Save Profile", "The profile was not saved: " + platform::Utf8ToCp1252(error));
    return false;
  }
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
  // The close box asks like "Done", so unsaved profile changes are not lost.
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
