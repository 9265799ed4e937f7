// The window's parts on their own: the element strip, the dialogs, the log pane
// written from two threads and typed in by the operator, and one dialog at a time.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <atomic>
#include <thread>

#include "compliance/test_table.h"
#include "gui/dialog_gate.h"
#include "gui/dialogs.h"
#include "gui/element_strip.h"
#include "gui/log_edit.h"
#include "gui/window_log_pane.h"
#include "gui/window_prompter.h"
#include "gui_bench.h"
#include "reports/summary_report.h"

using namespace vlt;

class WindowPartsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void elementStripKeepsColoursAndText();
  void elementStripSurvivesMalformedText();
  void elementStripReadsOnADarkTheme();
  void decisionBoxAnswersYesOrNo();
  void saveQuestionHasCancelWithTheFocus();
  void decisionBoxIsMovableAndClearOfTheLog();
  void inputDialogFlags();
  void skipTestDialogListsTheCatalogue();
  void skipTestDialogWaitsForATestThatCanBeSkipped();
  void aboutBoxNamesVersionBuildQtAndLicence();
  void logPaneKeepsTheOrderOfBothThreads();
  void logPaneLimitsTypingOnly();
  void logPaneTakesOnlyTestingNotes();
  void questionsFromTheTickThreadAreAnsweredInTheWindow();
  void aQuestionReplacesANotice();
  void aQuestionWaitsForABoxTheOperatorWorksIn();
  void aNoticeGoesWithTheStateItDescribes();
};

void WindowPartsTest::elementStripKeepsColoursAndText() {
  const std::string rtf =
      "{\\rtf1\\ansi\\deff0 {\\colortbl;\\red10\\green10\\blue10;\\red0\\green192\\blue0;"
      "\\red0\\green0\\blue192;\\red192\\green0\\blue0;}{\\cf2 ] }{\\cf1 \\'BB }{\\cf0 . }}";
  const QString html = gui::StripRtfToHtml(rtf);
  QVERIFY(html.contains(QStringLiteral("color:#00c000\">]&nbsp;")));
  QVERIFY(html.contains(QStringLiteral("color:#0a0a0a\">\u00bb&nbsp;")));
  QVERIFY(html.contains(QStringLiteral("color:#202020\">.&nbsp;")));
  QVERIFY(!html.contains(QStringLiteral("rtf")));
}

void WindowPartsTest::elementStripSurvivesMalformedText() {
  for (const char* rtf :
       {"", "{", "}}}", "\\", "{\\colortbl;\\red", "{\\cf99 x}", "\\'", "\\'G1", "{\\cf-3 y}"}) {
    const QString html = gui::StripRtfToHtml(rtf);
    QVERIFY(!html.contains(QStringLiteral("colortbl")));
  }
  QVERIFY(gui::StripRtfToHtml("{\\cf99 x}").contains(QLatin1Char('x')));
}

void WindowPartsTest::decisionBoxAnswersYesOrNo() {
  for (bool yes : {true, false}) {
    gui::DecisionBox box("\r\nTest ABORTED!", "Do you want to log the results?", nullptr);
    QWidget* focus = nullptr;
    QTimer::singleShot(0, &box, [&] {
      focus = box.focusWidget();
      QTest::keyClick(&box, Qt::Key_Escape);  // not an answer
      (yes ? box.YesButton() : box.NoButton())->click();
    });
    QCOMPARE(box.exec(), yes ? gui::DecisionBox::kYes : gui::DecisionBox::kNo);
    QCOMPARE(focus, static_cast<QWidget*>(box.YesButton()));
  }
}

void WindowPartsTest::elementStripReadsOnADarkTheme() {
  const QColor dark(QStringLiteral("#2b2b2b"));
  const QColor white(Qt::white);
  QVERIFY(gui::ReadableOn(QColor(10, 10, 10), dark).lightness() > 200);
  QCOMPARE(gui::ReadableOn(QColor(10, 10, 10), white), QColor(10, 10, 10));
  QCOMPARE(gui::ReadableOn(QColor(0, 192, 0), white), QColor(0, 192, 0));
  const QColor green = gui::ReadableOn(QColor(0, 192, 0), dark);
  QVERIFY(green.lightness() > QColor(0, 192, 0).lightness());
  QCOMPARE(green.hslHue(), QColor(0, 192, 0).hslHue());  // still green
  const QString html =
      gui::StripRtfToHtml("{\\colortbl;\\red10\\green10\\blue10;}{\\cf1 x}{\\cf0 y}", dark);
  QVERIFY(!html.contains(QStringLiteral("#0a0a0a")));
  QVERIFY(!html.contains(QStringLiteral("#202020")));
}

void WindowPartsTest::saveQuestionHasCancelWithTheFocus() {
  gui::DecisionButtons buttons;
  buttons.yes = QStringLiteral("&Save Log...");
  buttons.no = QStringLiteral("&Discard Log");
  buttons.cancel = true;
  buttons.focus = gui::DecisionButtons::Focus::kCancel;
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    gui::DecisionBox box("The log pane holds a test log that has not been saved.",
                         "Do you wish to save the log?", nullptr, buttons);
    QWidget* focus = nullptr;
    QTimer::singleShot(0, &box, [&] {
      focus = box.focusWidget();
      QTest::keyClick(focus, key);
    });
    // Two careless keystrokes (Enter, or Escape) neither save nor drop anything.
    QCOMPARE(box.exec(), gui::DecisionBox::kCancel);
    QCOMPARE(focus, static_cast<QWidget*>(box.CancelButton()));
    QCOMPARE(box.YesButton()->text(), QStringLiteral("&Save Log..."));
  }
}

void WindowPartsTest::decisionBoxIsMovableAndClearOfTheLog() {
  testing::GuiBench bench;
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  for (int i = 0; i < 200; ++i) bench.app->Log().AppendLogLine("line " + std::to_string(i));
  QCoreApplication::processEvents();
  // The lower half of the pane, where the newest lines are.
  const QWidget* log = bench.window->Pane().Widget()->viewport();
  const QRect lastLines(log->mapToGlobal(QPoint(0, log->height() / 2)),
                        QSize(log->width(), log->height() / 2));

  gui::DecisionBox box("\r\nTest ABORTED!", "Do you want to log the results?", bench.window.get());
  gui::PlaceAwayFromLog(box, bench.window.get());
  box.show();
  QVERIFY(QTest::qWaitForWindowExposed(&box));
  QVERIFY(!box.frameGeometry().intersects(lastLines));
  QVERIFY(!(box.windowFlags() & Qt::FramelessWindowHint));
  QVERIFY(box.windowFlags() & Qt::WindowTitleHint);  // a title bar to move it by
  QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
  box.done(gui::DecisionBox::kNo);
}

void WindowPartsTest::inputDialogFlags() {
  gui::InputDialog text("Company", "Default Company", nullptr, nullptr);
  QCOMPARE(text.ValueEdit()->text(), QStringLiteral("Default Company"));
  text.AbandonButton()->click();
  QVERIFY(text.Abandoned());
  QVERIFY(!text.Accepted());

  const values::ChoiceMap choices{{1, "Yes"}, {0, "No"}};
  gui::InputDialog list("Clear Text Log at Start", "Yes", &choices, nullptr);
  list.ValueEdit()->setText(QStringLiteral("No"));
  QTest::keyClick(list.ValueEdit(), Qt::Key_Return);
  QVERIFY(list.Accepted());
  QCOMPARE(list.ResultText(), std::string("No"));
}

void WindowPartsTest::skipTestDialogListsTheCatalogue() {
  // Every test of the catalogue, the ND tests after the A tests.
  const std::vector<std::string> lines = gui::SkipTestLines();
  QCOMPARE(lines.size(), compliance::Catalogue().Entries().size());
  QVERIFY(lines[0].starts_with("RAC     : "));
  QCOMPARE(lines[1], std::string("A10     : Static Addressing Bootup"));
  QCOMPARE(gui::SkipTestCode(lines[1]), std::string("A10"));
  QCOMPARE(gui::SkipTestCode(lines[11]), std::string("A110"));
  QCOMPARE(lines[12], std::string("ND10    : Global Request for DGN"));

  gui::SkipTestDialog dialog(nullptr);
  QCOMPARE(dialog.Tests()->count(), static_cast<int>(lines.size()));
  dialog.Reasons()->setCurrentRow(1);
  QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
  QCOMPARE(dialog.exec(), int(QDialog::Accepted));
  QCOMPARE(dialog.TestCode(), std::string("Err"));  // no test chosen
  QCOMPARE(dialog.Reason(), std::string("Device Not Required by OEM to Pass"));
}

void WindowPartsTest::skipTestDialogWaitsForATestThatCanBeSkipped() {
  gui::SkipTestDialog dialog(nullptr, [](const std::string& code) { return code != "RAC"; });
  QVERIFY(!dialog.OkButton()->isEnabled());
  QVERIFY(!dialog.Hint().isEmpty());
  dialog.Tests()->setCurrentRow(0);  // "RAC": nothing to log as skipped
  QVERIFY(!dialog.OkButton()->isEnabled());
  QVERIFY(dialog.Hint().contains(QStringLiteral("RAC")));
  dialog.Tests()->setCurrentRow(1);
  QVERIFY(dialog.OkButton()->isEnabled());
  QVERIFY(dialog.Hint().isEmpty());
  QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
  QCOMPARE(dialog.exec(), int(QDialog::Accepted));
  QCOMPARE(dialog.TestCode(), std::string("A10"));
}

void WindowPartsTest::aboutBoxNamesVersionBuildQtAndLicence() {
  gui::AboutDialog about(nullptr);
  const QString text = about.Text();
  QVERIFY(text.startsWith(QStringLiteral("Valmora, Version 1.0")));
  QVERIFY(text.contains(QString::fromStdString(reports::ProgramCompileDate())));
  QVERIFY(text.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
  QVERIFY(text.contains(QStringLiteral("Licence")));
  QVERIFY(text.contains(QStringLiteral("Lesser General Public License")));
  QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
}

void WindowPartsTest::logPaneKeepsTheOrderOfBothThreads() {
  QWidget parent;
  gui::WindowLogPane pane(&parent);
  pane.AppendLine("window first");
  QCOMPARE(pane.Text(), std::string("window first\r\n"));  // at once on the window thread
  constexpr int kLines = 500;
  std::thread writer([&] {
    for (int i = 0; i < kLines; ++i) pane.AppendLine("tick " + std::to_string(i));
    pane.SetReadOnly(true);
  });
  writer.join();
  QCOMPARE(pane.Text().size() > std::string("window first\r\n").size(), true);  // flushed on read
  QCoreApplication::processEvents();
  const std::string text = pane.Text();
  std::size_t at = 0;
  for (int i = 0; i < kLines; ++i) {
    const std::size_t found = text.find("tick " + std::to_string(i) + "\r\n", at);
    QVERIFY(found != std::string::npos);
    at = found;
  }
  QVERIFY(pane.Locked());
  pane.Clear();
  QCOMPARE(pane.Text(), std::string());
}

void WindowPartsTest::logPaneLimitsTypingOnly() {
  QWidget parent;
  gui::WindowLogPane pane(&parent);
  pane.SetTextLimit(10);
  pane.AppendLine("a line far longer than ten characters");  // written lines are never cut
  QVERIFY(pane.Text().starts_with("a line far longer"));
  pane.AppendLine("Testing Notes        : ");
  pane.Widget()->moveCursor(QTextCursor::End);
  pane.Widget()->moveCursor(QTextCursor::PreviousBlock);
  pane.Widget()->moveCursor(QTextCursor::EndOfBlock);
  const std::string before = pane.Text();
  QTest::keyClicks(pane.Widget(), "xyz");
  QCOMPARE(pane.Text(), before);
  pane.SetTextLimit(1000);
  QTest::keyClicks(pane.Widget(), "xyz");
  QVERIFY(pane.Text().ends_with("Testing Notes        : xyz\r\n"));
}

void WindowPartsTest::logPaneTakesOnlyTestingNotes() {
  QWidget parent;
  gui::WindowLogPane pane(&parent);
  pane.AppendLine("Test                 : A10 [10-2025]  Static Addressing Bootup");
  pane.AppendLine("Testing Notes        : ");
  pane.AppendLine("PASS : Broadcasts Address Claim");
  QPlainTextEdit* edit = pane.Widget();
  auto at = [&](int block, int column) {
    QTextCursor cursor(edit->document()->findBlockByNumber(block));
    cursor.setPosition(cursor.position() + column);
    edit->setTextCursor(cursor);
  };
  const std::string before = pane.Text();
  QVERIFY(!edit->acceptDrops());

  // Anywhere but after the notes label, keys change nothing.
  for (auto [block, column] :
       {std::pair{0, 5}, std::pair{1, 3}, std::pair{2, 4}, std::pair{3, 0}}) {
    at(block, column);
    QTest::keyClicks(edit, "x");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(pane.Text(), before);
  }

  // After the label: typed; Backspace stops at the label; Enter makes no new line.
  at(1, 23);
  QTest::keyClicks(edit, "bench 2");
  QVERIFY(pane.Text().find("\r\nTesting Notes        : bench 2\r\nPASS") != std::string::npos);
  for (int i = 0; i < 12; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(pane.Text(), before);

  // Pasted lines join into the one line of the note.
  QGuiApplication::clipboard()->setText(QStringLiteral("first\nsecond"));
  QTest::keySequence(edit, QKeySequence::Paste);
  QVERIFY(pane.Text().find(": first second\r\nPASS") != std::string::npos);

  // A selection reaching into the label is not a note.
  at(1, 5);
  QTextCursor across = edit->textCursor();
  across.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  edit->setTextCursor(across);
  const std::string noted = pane.Text();
  QTest::keyClicks(edit, "z");
  QCOMPARE(pane.Text(), noted);

  // While a test runs, not even notes.
  pane.SetReadOnly(true);
  at(1, 23);
  QTest::keyClicks(edit, "q");
  QCOMPARE(pane.Text(), noted);
  pane.SetReadOnly(false);
  at(1, 23);
  QTest::keyClicks(edit, "q");
  QVERIFY(pane.Text().find(": qfirst second") != std::string::npos);
}

void WindowPartsTest::questionsFromTheTickThreadAreAnsweredInTheWindow() {
  gui::WindowPrompter prompter;
  QStringList shown;
  QTimer answerer;  // the operator: answers whatever box the window shows
  connect(&answerer, &QTimer::timeout, this, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* decision = qobject_cast<gui::DecisionBox*>(modal)) {
      shown << QStringLiteral("decision");
      decision->NoButton()->click();
    } else if (auto* box = qobject_cast<gui::TextBox*>(modal)) {
      shown << box->Text();
      box->OkButton()->click();
    }
  });
  answerer.start(10);
  std::atomic<bool> done{false};
  bool answer = true;
  std::thread tick([&] {
    prompter.MessageBox("Initialization Error", "No host \xB0");
    answer = prompter.AskDecision("\r\nTest ABORTED!", "Do you want to log the results?");
    done.store(true);
  });
  QTRY_VERIFY_WITH_TIMEOUT(done.load(), 20000);
  tick.join();
  QVERIFY(!answer);
  QCOMPARE(shown, QStringList() << QStringLiteral("No host \u00b0") << QStringLiteral("decision"));
}

void WindowPartsTest::aQuestionReplacesANotice() {
  gui::DialogGate gate;
  gui::WindowPrompter prompter;
  prompter.SetGate(&gate);
  QMessageBox notice(QMessageBox::Information, QStringLiteral("Done"),
                     QStringLiteral("A test is running."), QMessageBox::Ok);
  bool noticeUnderQuestion = true;
  QTimer answerer;
  connect(&answerer, &QTimer::timeout, this, [&] {
    if (auto* decision = qobject_cast<gui::DecisionBox*>(QApplication::activeModalWidget())) {
      noticeUnderQuestion = notice.isVisible();
      decision->NoButton()->click();
    }
  });
  answerer.start(10);
  std::atomic<bool> done{false};
  bool answer = true;
  std::thread tick;
  QTimer::singleShot(0, this, [&] {
    tick = std::thread([&] {
      answer = prompter.AskDecision("\r\nTest ABORTED!", "Do you want to log the results?");
      done.store(true);
    });
  });
  gate.Run(notice, gui::DialogGate::Kind::kNotice);  // the operator reads the notice
  QTRY_VERIFY_WITH_TIMEOUT(done.load(), 20000);
  tick.join();
  QVERIFY(!answer);
  QVERIFY(!noticeUnderQuestion);  // closed before the question came up
  QVERIFY(!gate.AnyOpen());
}

void WindowPartsTest::aQuestionWaitsForABoxTheOperatorWorksIn() {
  gui::DialogGate gate;
  gui::WindowPrompter prompter;
  prompter.SetGate(&gate);
  gui::InputDialog input("Company", "Default Company", nullptr, nullptr);
  bool questionOverInput = false;
  bool questionShown = false;
  std::atomic<bool> asked{false};
  std::atomic<bool> done{false};
  int ticksSinceAsked = 0;
  QTimer operatorHand;
  connect(&operatorHand, &QTimer::timeout, this, [&] {
    if (auto* decision = qobject_cast<gui::DecisionBox*>(QApplication::activeModalWidget())) {
      questionShown = true;
      questionOverInput |= input.isVisible();
      decision->YesButton()->click();
    } else if (asked.load() && input.isVisible() && ++ticksSinceAsked == 30) {
      input.reject();  // the operator finishes typing, well after the question came
    }
  });
  operatorHand.start(10);
  bool answer = false;
  std::thread tick;
  QTimer::singleShot(0, this, [&] {
    tick = std::thread([&] {
      asked.store(true);
      answer = prompter.AskDecision("\r\nTest ABORTED!", "Do you want to log the results?");
      done.store(true);
    });
  });
  gate.Run(input, gui::DialogGate::Kind::kTask);
  QTRY_VERIFY_WITH_TIMEOUT(done.load(), 20000);
  tick.join();
  QVERIFY(answer);
  QVERIFY(questionShown);
  QVERIFY(!questionOverInput);
}

void WindowPartsTest::aNoticeGoesWithTheStateItDescribes() {
  gui::DialogGate gate;
  bool testRunning = true;
  QMessageBox notice(QMessageBox::Information, QStringLiteral("Done"),
                     QStringLiteral("A test is running."), QMessageBox::Ok);
  QTimer::singleShot(0, this, [&] { testRunning = false; });  // the test ends
  gate.Run(notice, gui::DialogGate::Kind::kNotice, [&] { return testRunning; });
  QVERIFY(!notice.isVisible());  // it closed by itself

  // A state already over shows nothing at all.
  QMessageBox late(QMessageBox::Information, QStringLiteral("Done"),
                   QStringLiteral("A test is running."), QMessageBox::Ok);
  QCOMPARE(gate.Run(late, gui::DialogGate::Kind::kNotice, [] { return false; }),
           int(QDialog::Rejected));
  QVERIFY(!late.isVisible());
}

QTEST_MAIN(WindowPartsTest)
#include "window_parts_test.moc"
