// The main window's menus, commands, profile handling and settings list, on the
// offscreen platform and virtual time.
#include <unistd.h>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "compliance/static_dut_support.h"
#include "compliance/test_table.h"
#include "gui/child_datum_dialog.h"
#include "gui/menu_commands.h"
#include "gui/qt_text.h"
#include "gui/window_geometry.h"
#include "gui_bench.h"
#include "host/devices/static_dut.h"

using namespace vlt;
using testing::GuiBench;
using testing::Has;
using testing::ReadFile;
using testing::RowOf;

namespace {

constexpr int kA10 = 32780;
constexpr int kA20 = 32781;

GuiBench::Options WithDut() {
  GuiBench::Options options;
  options.dut = compliance::static_scenario::Dut({});
  return options;
}

bool Enabled(GuiBench& bench, int id) {
  return bench.window->Action(id)->isEnabled();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void menusFollowTheRunningTest();
  void startingATestReplacesTheLastOneAndNamesItsLog();
  void repeatAndAbort();
  void logASkippedTest();
  void saveLogDropsBlankLinesAndReportsFailure();
  void readLogFile();
  void copyToClipboard();
  void profileSaveLoadAndDoneQuestion();
  void resetAndCancelledSaveKeepTheQuestion();
  void doneWithoutAProfilePathAsksWhere();
  void doneNeverWritesOverAFileThatIsNoProfile();
  void editingASettingChangesEveryRow();
  void withoutAHostTheWindowStillWorks();
  void spaceBarFollowsTheWindowKeys();
  void verboseModeShowsTheStatusRow();
  void windowSizeIsKeptOnlyWhenAsked();
};

void MainWindowTest::menusFollowTheRunningTest() {
  GuiBench bench(WithDut());
  bench.window->UpdateMenus();
  QVERIFY(!Enabled(bench, gui::kRepeatLastTest));
  QVERIFY(!Enabled(bench, gui::kAbort));
  for (int id : std::initializer_list<int>{gui::kLoadProfile, gui::kSaveProfile, gui::kResetProfile,
                                           gui::kLogSkippedTest, gui::kReadAddressClaim, kA10,
                                           32790, 32791}) {
    QVERIFY2(Enabled(bench, id), qPrintable(QString::number(id)));
  }
  // Every entry of the Test menu runs its test; one whose test is yet to come stays off.
  for (const compliance::TestRow& row : compliance::TestTable()) {
    QVERIFY2(Enabled(bench, row.menuId) == (row.make != nullptr), row.menuText.data());
  }

  bench.window->RunCommand(kA10);
  bench.Run(100);
  QVERIFY(bench.window->TestRunning());
  bench.window->UpdateMenus();
  QVERIFY(Enabled(bench, gui::kAbort));
  // Besides the test commands, everything that would empty or write over the
  // pane the test is writing its log into, and Save Log: the report is not whole yet.
  for (int id : std::initializer_list<int>{
           gui::kLoadProfile, gui::kSaveProfile, gui::kResetProfile, gui::kLogSkippedTest,
           gui::kRepeatLastTest, gui::kReadAddressClaim, kA10, 32791, gui::kClearLog, gui::kSaveLog,
           gui::kReadLogFile, gui::kBuildSummaryReport, gui::kDeleteSuperseded,
           gui::kVersionReport}) {
    QVERIFY2(!Enabled(bench, id), qPrintable(QString::number(id)));
  }
  QVERIFY(Enabled(bench, gui::kCopyToClipboard));
  // Reached another way (a shortcut, a stale menu), they still do nothing.
  const std::string before = bench.Text();
  bench.dialogs.files.push_back(bench.Path("other.txt"));
  bench.dialogs.folders.push_back(bench.Path(""));
  for (int id :
       {gui::kClearLog, gui::kReadLogFile, gui::kBuildSummaryReport, gui::kVersionReport}) {
    bench.window->RunCommand(id);
  }
  QCOMPARE(bench.Text(), before);
  QCOMPARE(bench.dialogs.files.size(), std::size_t{1});
  QVERIFY(bench.RunUntilIdle());
  bench.window->UpdateMenus();
  QVERIFY(Enabled(bench, gui::kRepeatLastTest));
  QVERIFY(!Enabled(bench, gui::kAbort));
}

void MainWindowTest::startingATestReplacesTheLastOneAndNamesItsLog() {
  GuiBench bench(WithDut());
  bench.app->Log().AppendLogLine("old line");
  bench.window->RunCommand(kA10);
  engine::Test* first = bench.window->LastTest();
  QVERIFY(first != nullptr);
  QCOMPARE(QString::fromStdString(first->Code()), QStringLiteral("A10"));
  QVERIFY(Has(bench.window->LogFileName(), "Default Product_A10_"));
  QVERIFY(bench.window->LogFileName().ends_with(".txt"));
  bench.Run(100);
  QVERIFY(!Has(bench.Text(), "old line"));  // "Clear Text Log at Start" is Yes
  QVERIFY(bench.window->Pane().Locked());

  bench.window->RunCommand(kA20);  // refused while A-10 runs
  QCOMPARE(bench.window->LastTest(), first);
  QVERIFY(bench.RunUntilIdle());
  QVERIFY(!bench.window->Pane().Locked());

  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);  // A-10's log
  bench.window->RunCommand(gui::kReadAddressClaim);
  QVERIFY(bench.window->LastTest() != nullptr);
  QCOMPARE(QString::fromStdString(bench.window->LastTest()->Code()), QStringLiteral("RAC"));
  QVERIFY(bench.RunUntilIdle());
}

void MainWindowTest::repeatAndAbort() {
  GuiBench bench(WithDut());
  bench.window->RunCommand(gui::kAbort);  // nothing runs: nothing to abort
  bench.window->RunCommand(gui::kRepeatLastTest);
  QVERIFY(bench.window->LastTest() == nullptr);

  bench.window->RunCommand(kA10);
  bench.Run(200);
  bench.prompter.answer = true;
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(1000));
  engine::Test* test = bench.window->LastTest();
  QVERIFY(test->Aborted());
  // Why, in the report, then what the run was waiting for.
  QVERIFY(Has(bench.Text(),
              "The operator aborted the test.\r\n" + test->WaitingFor() + "\r\nTest A10 aborted."));
  QCOMPARE(bench.prompter.decisions.size(), std::size_t{1});
  QCOMPARE(bench.prompter.decisions[0].second, std::string("Do you want to log the results?"));

  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);  // the aborted run's report
  bench.window->RunCommand(gui::kRepeatLastTest);
  QCOMPARE(bench.window->LastTest(), test);
  QVERIFY(bench.window->TestRunning());
  bench.window->Done();  // refused while the test runs
  QVERIFY(!bench.window->Finished());
  QVERIFY(Has(bench.dialogs.notices.back().second, "A test is running."));
  QVERIFY(bench.RunUntilIdle());
  QVERIFY(!test->Aborted());  // the earlier abort did not carry over
  QVERIFY(Has(bench.Text(), "Test A10 complete."));
}

void MainWindowTest::logASkippedTest() {
  GuiBench bench;
  bench.window->RunCommand(gui::kReadAddressClaim);
  QVERIFY(bench.window->LastTest() != nullptr);
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(1000));

  bench.dialogs.skips.push_back(gui::SkipChoice{"A10", "Device Not Designed to Pass"});
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);  // the aborted read's lines
  bench.window->RunCommand(gui::kLogSkippedTest);
  QVERIFY(bench.window->LastTest() != nullptr);
  const std::string text = bench.Text();
  QVERIFY(Has(text, "Device Not Designed to Pass"));
  QVERIFY(Has(text, "Reason Skipped"));
  QVERIFY(!Has(text, "Test A10 aborted."));  // the pane was emptied first
  QVERIFY(Has(bench.window->LogFileName(), "_A10_"));
  bench.window->UpdateMenus();
  QVERIFY(Enabled(bench, gui::kRepeatLastTest));

  // "RAC" and "Err" name no test class: nothing is created or written.
  for (const char* code : {"RAC", "Err"}) {
    bench.app->Log().ClearLogPane();
    bench.dialogs.skips.push_back(gui::SkipChoice{code, ""});
    bench.window->RunCommand(gui::kLogSkippedTest);
    QVERIFY(bench.window->LastTest() == nullptr);
    QCOMPARE(bench.Text(), std::string());
    bench.window->UpdateMenus();
    QVERIFY(!Enabled(bench, gui::kRepeatLastTest));
  }
}

void MainWindowTest::saveLogDropsBlankLinesAndReportsFailure() {
  GuiBench bench;
  for (const char* line : {"first", "", "second", "", ""}) bench.app->Log().AppendLogLine(line);
  const std::string path = bench.Path("saved.txt");
  bench.dialogs.files.push_back(path);
  bench.window->RunCommand(gui::kSaveLog);
  QCOMPARE(ReadFile(path), std::string("first\r\nsecond\r\n"));
  QVERIFY(bench.prompter.boxes.empty());

  bench.dialogs.files.push_back(bench.Path("no-such-folder/saved.txt"));
  bench.window->RunCommand(gui::kSaveLog);
  QCOMPARE(bench.prompter.boxes.size(), std::size_t{1});
  QVERIFY(Has(bench.prompter.boxes[0].second, "The log was not saved"));
}

void MainWindowTest::readLogFile() {
  GuiBench bench;
  const std::string path = bench.Path("A10 run.txt");
  std::ofstream(path, std::ios::binary) << "line one\r\nline \xB0 two\n\r\nlast";
  bench.app->Log().AppendLogLine("before");
  bench.dialogs.files.push_back(path);
  bench.window->RunCommand(gui::kReadLogFile);
  QCOMPARE(bench.Text(), std::string("line one\r\nline \xB0 two\r\n\r\nlast\r\n"));
  QCOMPARE(bench.window->LogFileName(), std::string("A10 run.txt"));
  QVERIFY(!bench.window->Pane().Locked());

  bench.window->RunCommand(gui::kSaveLog);  // cancelled; only the offered name matters
  QCOMPARE(bench.dialogs.fileRequests.back().initialPath, path);  // its folder too

  const std::string missing = bench.Path("missing.txt");
  bench.dialogs.files.push_back(missing);
  bench.window->RunCommand(gui::kReadLogFile);
  QVERIFY(Has(bench.Text(), "last\r\nUnable to open " + missing + "\r\n"));
}

void MainWindowTest::copyToClipboard() {
  GuiBench bench;
  bench.app->Log().AppendLogLine("alpha");
  bench.app->Log().AppendLogLine("beta");
  bench.window->RunCommand(gui::kCopyToClipboard);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("alpha\nbeta\n"));

  QTextCursor cursor = bench.window->Pane().Widget()->textCursor();
  cursor.setPosition(2);
  cursor.setPosition(8, QTextCursor::KeepAnchor);
  bench.window->Pane().Widget()->setTextCursor(cursor);
  bench.window->RunCommand(gui::kCopyToClipboard);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("pha\nbe"));
}

void MainWindowTest::profileSaveLoadAndDoneQuestion() {
  QTemporaryDir profiles;
  const std::string path = profiles.filePath(QStringLiteral("dut.zcf")).toStdString();
  {
    GuiBench bench;
    bench.dialogs.inputs.push_back({true, false, "ACME Coaches"});
    bench.window->SettingsView().EditRow(0);  // "Company"
    QCOMPARE(bench.dialogs.inputRequests.back().current, std::string("Default Company"));
    bench.Run(1100);
    QCOMPARE(bench.window->SettingsView().ValueAt(0), QStringLiteral("ACME Coaches"));
    QVERIFY(bench.window->Profiles().Modified());

    bench.dialogs.files.push_back(path);
    bench.window->RunCommand(gui::kSaveProfile);
    QVERIFY(!bench.window->Profiles().Modified());
    QVERIFY(Has(ReadFile(path), ":SET Company=ACME Coaches\r\n"));
    QVERIFY(bench.window->windowTitle().endsWith(
        QStringLiteral("   ") + QString::fromStdString(path) + QStringLiteral("[*]")));
    QVERIFY(bench.dialogs.fileRequests.back().initialPath.empty());

    bench.window->Done();  // nothing changed since the save: no question
    QVERIFY(bench.window->Finished());
    QVERIFY(bench.dialogs.saveQuestions.empty());
  }
  GuiBench::Options options;
  options.startingProfile = path;
  GuiBench bench(std::move(options));
  QCOMPARE(bench.Settings().GetValue("Company", true), std::string("ACME Coaches"));
  QVERIFY(
      bench.window->windowTitle().endsWith(QString::fromStdString(path) + QStringLiteral("[*]")));
  QVERIFY(!bench.window->isWindowModified());
  QCOMPARE(bench.Text(), std::string());  // nothing about the load in the pane
  QVERIFY(!bench.window->Profiles().Modified());
  QCOMPARE(bench.window->Pane().TextLimit(), gui::WindowLogPane::kProfileTextLimit);

  bench.dialogs.inputs.push_back({true, false, "Other Coaches"});
  bench.window->SettingsView().EditRow(0);
  bench.Run(1100);
  QVERIFY(bench.window->isWindowModified());
  std::string saved = ReadFile(path);
  const std::string created = ":Created Monday, January 05, 2026  at 08:00:00\r\n";
  saved.replace(saved.find(":Created "),
                saved.find('\n', saved.find(":Created ")) + 1 - saved.find(":Created "), created);
  std::ofstream(path, std::ios::binary) << saved;
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kSave);
  bench.window->Done();
  QVERIFY(bench.window->Finished());
  QVERIFY(Has(ReadFile(path), created));  // written back over itself, still the same profile
  QCOMPARE(bench.dialogs.saveQuestions.back().statement,
           std::string("The data in the profile has changed."));
  QCOMPARE(bench.dialogs.saveQuestions.back().question,
           std::string("Do you wish to save the profile?"));
  QVERIFY(Has(ReadFile(path), ":SET Company=Other Coaches\r\n"));
}

void MainWindowTest::resetAndCancelledSaveKeepTheQuestion() {
  GuiBench bench;
  bench.Settings().SetValue("Company", "ACME");
  bench.window->RunCommand(gui::kResetProfile);
  QCOMPARE(bench.Settings().GetValue("Company", true), std::string("Default Company"));
  QVERIFY(bench.window->Profiles().Modified());

  bench.window->RunCommand(gui::kSaveProfile);  // cancelled: the changes are still unsaved
  QVERIFY(bench.window->Profiles().Modified());

  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);
  bench.window->Done();
  QCOMPARE(bench.dialogs.saveQuestions.size(), std::size_t{1});
  QVERIFY(bench.window->Finished());  // "No" closes without saving
  QVERIFY(bench.dialogs.fileRequests.size() == 1);
}

void MainWindowTest::doneWithoutAProfilePathAsksWhere() {
  GuiBench bench;
  bench.window->RunCommand(gui::kResetProfile);
  bench.dialogs.saveAnswers = {gui::SaveAnswer::kSave, gui::SaveAnswer::kSave};
  bench.window->Done();  // Yes, then the file dialog is cancelled: the window stays
  QVERIFY(!bench.window->Finished());
  QCOMPARE(bench.dialogs.fileRequests.size(), std::size_t{1});

  const std::string path = bench.Path("chosen.zcf");
  bench.dialogs.files.push_back(path);
  bench.window->Done();
  QVERIFY(bench.window->Finished());
  QVERIFY(Has(ReadFile(path), ":SET Company=Default Company\r\n"));
}

void MainWindowTest::doneNeverWritesOverAFileThatIsNoProfile() {
  GuiBench::Options options;
  options.startingProfile = (std::filesystem::path(QDir::tempPath().toStdString()) /
                             ("vlt_notes_" + std::to_string(::getpid()) + ".zcf"))
                                .string();
  const std::string note = "Bench notes: DUT serial 4711\r\n";
  std::ofstream(options.startingProfile, std::ios::binary) << note;
  const std::string notes = options.startingProfile;
  GuiBench bench(std::move(options));
  bench.dialogs.inputs.push_back({true, false, "ACME Coaches"});
  bench.window->SettingsView().EditRow(0);
  bench.Run(1100);

  bench.dialogs.saveAnswers = {gui::SaveAnswer::kSave, gui::SaveAnswer::kSave};
  bench.window->Done();  // Yes: told why, then asked where; cancelled, the window stays
  QVERIFY(!bench.window->Finished());
  QCOMPARE(ReadFile(notes), note);
  QVERIFY(!bench.prompter.boxes.empty());
  QVERIFY(Has(bench.prompter.boxes.back().second, "it is not a profile"));
  QCOMPARE(bench.dialogs.fileRequests.size(), std::size_t{1});

  const std::string chosen = bench.Path("dut.zcf");
  bench.dialogs.files.push_back(chosen);
  bench.window->Done();
  QVERIFY(bench.window->Finished());
  QCOMPARE(ReadFile(notes), note);
  QVERIFY(Has(ReadFile(chosen), ":SET Company=ACME Coaches\r\n"));
  std::filesystem::remove(notes);
}

void MainWindowTest::editingASettingChangesEveryRow() {
  GuiBench bench;
  std::vector<std::unique_ptr<gui::ChildDatumDialog>> windows;
  bench.dialogs.onChildren = [&](data::Datum& item, gui::DatumListHost& host) {
    windows.push_back(std::make_unique<gui::ChildDatumDialog>(item, host, nullptr));
  };
  gui::DatumListView& top = bench.window->SettingsView();
  const int tolerance = RowOf(top, QStringLiteral("250MS Timing Tolerance"));
  QVERIFY(tolerance >= 0);
  QCOMPARE(top.ValueAt(tolerance), QStringLiteral("10 ms"));

  top.ClickCell(RowOf(top, QStringLiteral("A - Address Claiming")), 0);
  QCOMPARE(windows.size(), std::size_t{1});
  gui::DatumListView& tests = *windows[0]->View();
  QCOMPARE(tests.TitleAt(0), QStringLiteral("A-10 Static Boot"));
  tests.ClickCell(0, gui::DatumListView::kChildrenColumn);
  top.ClickCell(RowOf(top, QStringLiteral("All Settings")), 0);
  QCOMPARE(windows.size(), std::size_t{3});
  gui::DatumListView& a10 = *windows[1]->View();
  gui::DatumListView& all = *windows[2]->View();
  QCOMPARE(bench.dialogs.openedChildren.back(), std::string("All Settings"));

  const int inA10 = RowOf(a10, QStringLiteral("250MS Timing Tolerance"));
  const int inAll = RowOf(all, QStringLiteral("250MS Timing Tolerance"));
  QVERIFY(inA10 >= 0 && inAll >= 0);
  bench.dialogs.inputs.push_back({true, false, "25"});
  all.ClickCell(inAll, gui::DatumListView::kSettableColumn);
  bench.Run(1100);
  for (auto& window : windows) window->Refresh();
  QCOMPARE(top.ValueAt(tolerance), QStringLiteral("25 ms"));
  QCOMPARE(a10.ValueAt(inA10), QStringLiteral("25 ms"));
  QCOMPARE(all.ValueAt(inAll), QStringLiteral("25 ms"));
  QCOMPARE(bench.Settings().GetValue("250MS Timing Tolerance", true), std::string("25 ms"));

  // A value the item refuses changes nothing and says why in the pane.
  bench.dialogs.inputs.push_back({true, false, "lots"});
  top.DoubleClickRow(tolerance);
  bench.Run(1100);
  QCOMPARE(top.ValueAt(tolerance), QStringLiteral("25 ms"));
  QVERIFY(Has(bench.Text(), "is not a valid setting for"));

  // "Abandon Changes" drops a value that is still pending.
  bench.dialogs.inputs.push_back({true, false, "30"});
  top.EditRow(tolerance);
  bench.dialogs.inputs.push_back({false, true, ""});
  top.EditRow(tolerance);
  bench.Run(1100);
  QCOMPARE(top.ValueAt(tolerance), QStringLiteral("25 ms"));
}

void MainWindowTest::withoutAHostTheWindowStillWorks() {
  GuiBench::Options options;
  options.hostRunning = false;
  GuiBench bench(std::move(options));
  QCOMPARE(bench.prompter.boxes.size(), std::size_t{1});
  QVERIFY(Has(bench.prompter.boxes[0].second, "This program must be run through Brantel."));
  bench.window->RunCommand(gui::kVersionReport);
  QVERIFY(Has(bench.Text(), "Program Compiled"));
  bench.Run(6000);  // the watchdog notices the silence and the window goes on
  bench.window->RunCommand(gui::kClearLog);
  QCOMPARE(bench.Text(), std::string());
}

void MainWindowTest::spaceBarFollowsTheWindowKeys() {
  GuiBench bench;
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  QVERIFY(!bench.window->Keys().IsKeyDown(platform::kSpaceBarKey));
  QTest::keyPress(bench.window->Pane().Widget(), Qt::Key_Space);
  QVERIFY(bench.window->Keys().IsKeyDown(platform::kSpaceBarKey));
  QVERIFY(!bench.window->Keys().IsKeyDown('A'));
  QTest::keyRelease(bench.window->Pane().Widget(), Qt::Key_Space);
  QVERIFY(!bench.window->Keys().IsKeyDown(platform::kSpaceBarKey));
}

void MainWindowTest::verboseModeShowsTheStatusRow() {
  GuiBench bench(WithDut());
  QVERIFY(!bench.window->ElementStrip()->isVisibleTo(bench.window.get()));
  bench.window->RunCommand(gui::kVerboseMode);
  QVERIFY(bench.window->Verbose());
  QVERIFY(bench.window->ElementStrip()->isVisibleTo(bench.window.get()));
  bench.window->RunCommand(kA10);
  bench.Run(1100);
  QCoreApplication::processEvents();
  QVERIFY(bench.window->ElementStrip()->text().contains(QStringLiteral("color:")));
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(1000));
  bench.window->RunCommand(gui::kVerboseMode);
  QVERIFY(!bench.window->ElementStrip()->isVisibleTo(bench.window.get()));
}

void MainWindowTest::windowSizeIsKeptOnlyWhenAsked() {
  QTemporaryDir folder;
  const std::string registry = folder.filePath(QStringLiteral("Valmora.conf")).toStdString();
  for (bool remember : {false, true}) {
    {
      GuiBench::Options options;
      options.rememberSize = remember;
      options.registryPath = registry;
      GuiBench bench(std::move(options));
      bench.window->show();
      QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
      bench.window->resize(1234, 777);
      QCoreApplication::processEvents();
      bench.window->close();
      QVERIFY(bench.window->Finished());
    }
    GuiBench::Options options;
    options.rememberSize = true;
    options.registryPath = registry;
    GuiBench again(std::move(options));
    const gui::WindowSizes sizes =
        gui::MainWindowSizes(gui::AvailableGeometry(again.window.get()).size());
    QCOMPARE(again.window->width(), remember ? 1234 : sizes.start.width());
    // The window is never smaller than its minimum.
    QCOMPARE(again.window->minimumWidth(), sizes.minimum.width());
  }
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
