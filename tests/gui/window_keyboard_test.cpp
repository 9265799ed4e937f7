// The window from the keyboard, on the offscreen platform and virtual time: the
// settings list and child windows, the input dialog's check, mnemonics on every
// menu and item, and the standard shortcuts.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <set>

#include "compliance/static_dut_support.h"
#include "gui/child_datum_dialog.h"
#include "gui/dialogs.h"
#include "gui/menu_commands.h"
#include "gui_bench.h"
#include "settings/default_settings.h"

using namespace vlt;
using testing::GuiBench;
using testing::Has;
using testing::RowOf;

namespace {

constexpr int kA10 = 32780;

// The list with the keyboard focus on a row, as after the operator tabbed to it.
gui::DatumListView& FocusRow(GuiBench& bench, const QString& title) {
  gui::DatumListView& list = bench.window->SettingsView();
  list.setFocus();
  list.setCurrentCell(RowOf(list, title), gui::DatumListView::kItemColumn);
  return list;
}

// The mnemonic letter of a menu text, lower case; 0 when it has none.
QChar Mnemonic(const QString& text) {
  for (int i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && text[i + 1] != QLatin1Char('&'))
      return text[i + 1].toLower();
  }
  return QChar();
}

void CheckMnemonics(QMenu* menu, QStringList& problems) {
  std::set<QChar> used;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator() || (!action->isEnabled() && action->data().isNull())) continue;
    const QChar letter = Mnemonic(action->text());
    if (letter.isNull()) {
      problems << action->text();
    } else if (!used.insert(letter).second) {
      problems << action->text() + QStringLiteral(" (repeated)");
    }
    if (action->menu() != nullptr) CheckMnemonics(action->menu(), problems);
  }
}

}  // namespace

class WindowKeyboardTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void enterF2AndSpaceEditASetting();
  void spaceBelongsToTheRunningTest();
  void rightOpensAHeadingLeftAndEscapeCloseIt();
  void theInputDialogRefusesWhatTheSettingRefuses();
  void everyMenuAndItemHasAMnemonic();
  void standardShortcuts();
};

void WindowKeyboardTest::enterF2AndSpaceEditASetting() {
  GuiBench bench;
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  gui::DatumListView& list = FocusRow(bench, QStringLiteral("Company"));
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2, Qt::Key_Space}) {
    QTest::keyClick(&list, key);
  }
  QCOMPARE(bench.dialogs.inputRequests.size(), std::size_t{4});
  QCOMPARE(bench.dialogs.inputRequests.back().title, std::string("Company"));
  QVERIFY(!bench.window->Finished());  // Enter did not press "Done"
}

void WindowKeyboardTest::spaceBelongsToTheRunningTest() {
  GuiBench::Options options;
  options.dut = compliance::static_scenario::Dut({});
  GuiBench bench(std::move(options));
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  bench.window->RunCommand(kA10);
  bench.Run(100);
  gui::DatumListView& list = FocusRow(bench, QStringLiteral("Company"));
  QTest::keyPress(&list, Qt::Key_Space);
  QVERIFY(bench.window->Keys().IsKeyDown(platform::kSpaceBarKey));  // the test sees it
  QTest::keyRelease(&list, Qt::Key_Space);
  QVERIFY(bench.dialogs.inputRequests.empty());  // no dialog over the running test
  QTest::keyClick(&list, Qt::Key_F2);            // the other keys still edit
  QCOMPARE(bench.dialogs.inputRequests.size(), std::size_t{1});
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(1000));
}

void WindowKeyboardTest::rightOpensAHeadingLeftAndEscapeCloseIt() {
  GuiBench bench;
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  std::vector<int> results;
  bool stillOpenAfterEnter = false;
  // The child window as the program runs it, driven by keys once it is up.
  bench.dialogs.onChildren = [&](data::Datum& item, gui::DatumListHost& host) {
    gui::ChildDatumDialog child(item, host, bench.window.get());
    const bool first = results.empty();
    QTimer::singleShot(0, &child, [&child, &stillOpenAfterEnter, first] {
      QWidget* list = child.View();
      list->setFocus();
      child.View()->setCurrentCell(0, gui::DatumListView::kItemColumn);
      if (first) {
        QTest::keyClick(list, Qt::Key_Return);  // edits the row; the window stays
        stillOpenAfterEnter = child.isVisible();
        QTest::keyClick(list, Qt::Key_Left);
      } else {
        QTest::keyClick(list, Qt::Key_Escape);
      }
    });
    results.push_back(child.exec());
  };
  gui::DatumListView& list = FocusRow(bench, QStringLiteral("All Settings"));
  QTest::keyClick(&list, Qt::Key_Right);
  QTest::keyClick(&list, Qt::Key_Right);
  QCOMPARE(bench.dialogs.openedChildren,
           std::vector<std::string>({"All Settings", "All Settings"}));
  QCOMPARE(results, std::vector<int>({QDialog::Accepted, QDialog::Rejected}));
  QVERIFY(stillOpenAfterEnter);
  QCOMPARE(bench.dialogs.inputRequests.size(), std::size_t{1});

  // Right on a setting without children does nothing.
  QTest::keyClick(&FocusRow(bench, QStringLiteral("Company")), Qt::Key_Right);
  QCOMPARE(bench.dialogs.openedChildren.size(), std::size_t{2});
}

void WindowKeyboardTest::theInputDialogRefusesWhatTheSettingRefuses() {
  GuiBench bench;
  gui::DatumListView& list = bench.window->SettingsView();
  list.EditRow(RowOf(list, QStringLiteral("250MS Timing Tolerance")));
  const gui::InputRequest request = bench.dialogs.inputRequests.back();
  QVERIFY(request.check);
  QVERIFY(request.check("25").empty());
  QVERIFY(request.check("lots").find("is not a valid setting for 250MS Timing Tolerance") !=
          std::string::npos);

  QCOMPARE(request.meaning, std::string(settings::SettingMeaning("250MS Timing Tolerance")));

  // In the dialog: what the value means above it; OK stays disabled, with the
  // reason in sight, until the value is taken.
  gui::InputDialog dialog(request.title, request.current, nullptr, nullptr, request.check,
                          request.meaning);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QVERIFY(dialog.Meaning().startsWith(QStringLiteral("Added to every 250 ms limit")));
  dialog.ValueEdit()->setText(QStringLiteral("lots"));
  QVERIFY(!dialog.OkButton()->isEnabled());
  QVERIFY(dialog.Problem().contains(QStringLiteral("[lots]")));
  QTest::keyClick(dialog.ValueEdit(), Qt::Key_Return);
  QVERIFY(!dialog.Accepted());
  dialog.ValueEdit()->setText(QStringLiteral("25"));
  QVERIFY(dialog.OkButton()->isEnabled());
  QVERIFY(dialog.Problem().isEmpty());
  QTest::keyClick(dialog.ValueEdit(), Qt::Key_Return);
  QVERIFY(dialog.Accepted());
  QCOMPARE(dialog.ResultText(), std::string("25"));
  QVERIFY(!Has(bench.Text(), "Error"));  // nothing went to the pane behind the dialog
}

void WindowKeyboardTest::everyMenuAndItemHasAMnemonic() {
  GuiBench bench;
  QStringList problems;
  std::set<QChar> titles;
  for (QAction* top : bench.window->menuBar()->actions()) {
    if (!titles.insert(Mnemonic(top->text())).second || Mnemonic(top->text()).isNull()) {
      problems << top->text();
    }
    CheckMnemonics(top->menu(), problems);
  }
  QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral(", "))));
}

void WindowKeyboardTest::standardShortcuts() {
  GuiBench::Options options;
  options.dut = compliance::static_scenario::Dut({});
  GuiBench bench(std::move(options));
  QCOMPARE(bench.window->Action(gui::kLoadProfile)->shortcut(), QKeySequence(QKeySequence::Open));
  QCOMPARE(bench.window->Action(gui::kSaveLog)->shortcut(), QKeySequence(QKeySequence::Save));
  QCOMPARE(bench.window->Action(gui::kExit)->shortcut(), QKeySequence(QKeySequence::Quit));
  QCOMPARE(bench.window->Action(gui::kRepeatLastTest)->shortcut(), QKeySequence(Qt::Key_F5));

  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  bench.window->activateWindow();
  bench.window->RunCommand(gui::kReadAddressClaim);
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(1000));
  bench.window->UpdateMenus();
  bench.dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);  // the aborted read's lines
  QTest::keyClick(bench.window.get(), Qt::Key_F5);
  QVERIFY(bench.window->TestRunning());  // F5 repeated the last test
  bench.window->RunCommand(gui::kAbort);
  QVERIFY(bench.RunUntilIdle(1000));
  bench.window->UpdateMenus();  // Save Log waits for the end of the run
  QTest::keySequence(bench.window.get(), QKeySequence::Save);
  QCOMPARE(bench.dialogs.fileRequests.size(), std::size_t{1});  // the Save Log dialog
}

QTEST_MAIN(WindowKeyboardTest)
#include "window_keyboard_test.moc"
