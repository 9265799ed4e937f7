// The window's parts on their own: the element strip, the dialogs and the log
// pane written from two threads.
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "gui/dialogs.h"
#include "gui/element_strip.h"
#include "gui/window_log_pane.h"
#include "gui/window_prompter.h"

using namespace vlt;

class WindowPartsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void elementStripKeepsColoursAndText();
  void elementStripSurvivesMalformedText();
  void decisionBoxAnswersYesOrNo();
  void inputDialogFlags();
  void skipTestDialogListsTheCatalogue();
  void logPaneKeepsTheOrderOfBothThreads();
  void logPaneLimitsTypingOnly();
  void questionsFromTheTickThreadAreAnsweredInTheWindow();
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

void WindowPartsTest::inputDialogFlags() {
  gui::InputDialog text("Company", "Default Company", nullptr, nullptr);
  QCOMPARE(text.ValueEdit()->text(), QStringLiteral("Default Company"));
  text.AbandonButton()->click();
  QVERIFY(text.Abandoned());
  QVERIFY(!text.Accepted());

  const dictionary::ChoiceMap choices{{1, "Yes"}, {0, "No"}};
  gui::InputDialog list("Clear Text Log at Start", "Yes", &choices, nullptr);
  list.ValueEdit()->setText(QStringLiteral("No"));
  QTest::keyClick(list.ValueEdit(), Qt::Key_Return);
  QVERIFY(list.Accepted());
  QCOMPARE(list.ResultText(), std::string("No"));
}

void WindowPartsTest::skipTestDialogListsTheCatalogue() {
  const std::vector<std::string> lines = gui::SkipTestLines();
  QCOMPARE(lines.size(), std::size_t{12});
  QVERIFY(lines[0].starts_with("RAC     : "));
  QCOMPARE(lines[1], std::string("A10     : Static Addressing Bootup"));
  QCOMPARE(gui::SkipTestCode(lines[1]), std::string("A10"));
  QCOMPARE(gui::SkipTestCode(lines[11]), std::string("A110"));

  gui::SkipTestDialog dialog(nullptr);
  QCOMPARE(dialog.Tests()->count(), 12);
  dialog.Reasons()->setCurrentRow(1);
  QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
  QCOMPARE(dialog.exec(), int(QDialog::Accepted));
  QCOMPARE(dialog.TestCode(), std::string("Err"));  // no test chosen
  QCOMPARE(dialog.Reason(), std::string("Device Not Required by OEM to Pass"));
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

void WindowPartsTest::questionsFromTheTickThreadAreAnsweredInTheWindow() {
  gui::WindowPrompter prompter;
  QStringList shown;
  QTimer answerer;  // the operator: answers whatever box the window shows
  connect(&answerer, &QTimer::timeout, this, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* decision = qobject_cast<gui::DecisionBox*>(modal)) {
      shown << QStringLiteral("decision");
      decision->NoButton()->click();
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      shown << box->text();
      box->button(QMessageBox::Ok)->click();
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

QTEST_MAIN(WindowPartsTest)
#include "window_parts_test.moc"
