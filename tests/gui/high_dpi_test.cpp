// The main window on a small screen at the scale factor the environment sets
// (ctest runs it at 1, 1.5 and 2 on a 1280 x 720 screen): it must open inside
// the screen, show every control, the status area and the operator's prompt
// whole, open every dialog inside the screen, and show where the keyboard is.
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/datum_list_view.h"
#include "gui/dialog_gate.h"
#include "gui/dialogs.h"
#include "gui/menu_commands.h"
#include "gui/operator_dialogs.h"
#include "gui/status_area.h"
#include "gui/window_geometry.h"
#include "gui/window_prompter.h"
#include "gui_bench.h"
#include "host/devices/dut_faults.h"

using namespace vlt;
using testing::GuiBench;

namespace {

constexpr int kA10 = 32780;
constexpr int kA20 = 32781;

// Whether the child lies wholly inside the window's client area.
bool InsideWindow(const QWidget& child, const QWidget& window) {
  const QRect rect(child.mapTo(&window, QPoint(0, 0)), child.size());
  return window.rect().contains(rect);
}

// The layout gets all the room it asks for: nothing is squeezed below its minimum.
bool LayoutFits(const QMainWindow& window) {
  const QSize needed =
      window.centralWidget()->minimumSizeHint() + QSize(0, window.menuBar()->sizeHint().height());
  const QSize minimum = window.minimumSize();
  return needed.width() <= minimum.width() && needed.height() <= minimum.height();
}

// The visible label of the status area whose text holds `piece`; null when none does.
const QLabel* StatusLabelWith(const gui::StatusArea& status, const QString& piece) {
  for (const QLabel* label : status.findChildren<QLabel*>()) {
    if (label->isVisible() && label->text().contains(piece)) return label;
  }
  return nullptr;
}

// A label shows all of its text: a wrapped one is as high as its text needs at
// its width, any other as wide; and it lies inside the window.
QString Clipped(const QLabel* label, const QWidget& window) {
  if (label == nullptr) return QStringLiteral("not shown");
  if (!InsideWindow(*label, window)) return QStringLiteral("outside the window: ") + label->text();
  const bool whole = label->wordWrap() ? label->height() >= label->heightForWidth(label->width())
                                       : label->width() >= label->sizeHint().width();
  return whole ? QString()
               : QStringLiteral("%1x%2 for \"%3\"")
                     .arg(label->width())
                     .arg(label->height())
                     .arg(label->text());
}

// A bench whose window is open at the size it starts with on this screen.
std::unique_ptr<GuiBench> ShownBench(host::DutFaults faults = {}) {
  auto bench = std::make_unique<GuiBench>(testing::MatchingDut(faults));
  testing::MatchProfile(*bench);
  bench->window->show();
  if (!QTest::qWaitForWindowExposed(bench->window.get())) return nullptr;
  QCoreApplication::processEvents();
  return bench;
}

// The colour of the widget's pixel at logical (x, y), as drawn on the screen.
QColor PixelAt(QWidget& widget, int x, int y) {
  const QImage image = widget.grab().toImage();
  const qreal ratio = image.devicePixelRatio();
  return image.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
}

// The middle of the widget's left and top edges, one pixel in, carries the focus colour.
bool FramedInFocusColour(QWidget& widget) {
  const QColor focus = widget.palette().color(QPalette::Highlight);
  return PixelAt(widget, 1, widget.height() / 2) == focus &&
         PixelAt(widget, widget.width() / 2, 1) == focus;
}

}  // namespace

class HighDpiTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void windowOpensInsideTheScreen();
  void smallestWindowStillShowsEveryControl();
  void statusAreaAndPromptAreNeverClipped();
  void everyDialogOpensInsideTheScreen();
  void theKeyboardFocusIsFramed();
};

void HighDpiTest::windowOpensInsideTheScreen() {
  GuiBench bench;
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  const QRect available = bench.window->screen()->availableGeometry();
  qInfo("scale %.2f, available %dx%d, window %dx%d, minimum %dx%d",
        bench.window->devicePixelRatioF(), available.width(), available.height(),
        bench.window->width(), bench.window->height(), bench.window->minimumWidth(),
        bench.window->minimumHeight());
  QVERIFY(bench.window->frameGeometry().width() <= available.width());
  QVERIFY(bench.window->frameGeometry().height() <= available.height());
  QVERIFY(bench.window->minimumWidth() <= available.width());
  QVERIFY(bench.window->minimumHeight() <= available.height());
  // A share of the screen, not a fixed size: at 100 % the window is not tiny.
  QVERIFY(bench.window->width() >= available.width() / 2);
}

void HighDpiTest::smallestWindowStillShowsEveryControl() {
  GuiBench bench;
  bench.window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench.window.get()));
  bench.window->resize(bench.window->minimumSize());
  QCoreApplication::processEvents();
  QVERIFY(LayoutFits(*bench.window));
  QVERIFY(
      InsideWindow(*bench.window->findChild<QPushButton*>(QStringLiteral("done")), *bench.window));
  QVERIFY(InsideWindow(*bench.window->Status(), *bench.window));

  // The Value column ends inside the list, not beyond its right edge.
  gui::DatumListView& list = bench.window->SettingsView();
  const int valueEnd = list.columnViewportPosition(gui::DatumListView::kValueColumn) +
                       list.columnWidth(gui::DatumListView::kValueColumn);
  QVERIFY(valueEnd <= list.viewport()->width());

  // The verbose row and a prompt take room too; the window still fits them.
  bench.window->RunCommand(gui::kVerboseMode);
  bench.window->Status()->SetPrompt("Press <space> to transmit competing ADDRESS_CLAIM message.");
  QCoreApplication::processEvents();
  QVERIFY(LayoutFits(*bench.window));
  QVERIFY(
      InsideWindow(*bench.window->findChild<QPushButton*>(QStringLiteral("done")), *bench.window));
}

void HighDpiTest::statusAreaAndPromptAreNeverClipped() {
  // A run that did not pass: the verdict, "k of n" and the time it took.
  auto dnp = ShownBench({host::DutFault::kWrongMfg});
  QVERIFY(testing::RunToEnd(*dnp, kA10));
  QCoreApplication::processEvents();
  const gui::StatusArea& after = *dnp->window->Status();
  QCOMPARE(after.VerdictText(), QStringLiteral("DNP"));
  QCOMPARE(Clipped(StatusLabelWith(after, QStringLiteral("1 of 8 did not pass")), *dnp->window),
           QString());
  QCOMPARE(Clipped(StatusLabelWith(after, QStringLiteral("(0:")), *dnp->window), QString());
  QCOMPARE(Clipped(StatusLabelWith(after, QStringLiteral("DNP")), *dnp->window), QString());
  // The notes under it wrap: a long saved path, a hint about the profile.
  dnp->window->Status()->SetSavedTo("/media/lab/evidence/2026/coach-controller/" +
                                    dnp->window->LogFileName());
  dnp->window->Status()->SetProfileHint(
      "The NAME read carries Manufacturer ID 291; the profile says 290. The tests compare "
      "them: set \"Manufacturer ID\" to 291.");
  QCoreApplication::processEvents();
  QCOMPARE(Clipped(StatusLabelWith(after, QStringLiteral("Saved to")), *dnp->window), QString());
  QCOMPARE(Clipped(StatusLabelWith(after, QStringLiteral("set \"Manufacturer ID\"")), *dnp->window),
           QString());

  // A test that waits for the space bar: the prompt in large type, the time it runs.
  auto waiting = ShownBench();
  waiting->window->RunCommand(kA20);
  for (int ms = 0; ms < 20'000 && !waiting->window->Status()->PromptText().startsWith(
                                      QStringLiteral("Press <space>"));
       ms += 50) {
    waiting->Run(50);
  }
  QCoreApplication::processEvents();
  const gui::StatusArea& status = *waiting->window->Status();
  QVERIFY(status.PromptShown());
  QCOMPARE(Clipped(StatusLabelWith(status, QStringLiteral("Press <space>")), *waiting->window),
           QString());
  QCOMPARE(Clipped(StatusLabelWith(status, QStringLiteral("running  0:0")), *waiting->window),
           QString());
  // The longest prompt a test writes fits as well, with the time left under it.
  waiting->window->Status()->SetPrompt(
      "Make sure DUT is operating and no other devices are on the network.");
  waiting->window->Status()->SetLimitLeft(4200);
  QCoreApplication::processEvents();
  QCOMPARE(Clipped(StatusLabelWith(status, QStringLiteral("no other devices")), *waiting->window),
           QString());
  QCOMPARE(Clipped(StatusLabelWith(status, QStringLiteral("5 s left")), *waiting->window),
           QString());
  // The prompt takes no room the log pane needs for its last lines.
  const QPlainTextEdit& pane = *waiting->window->Pane().Widget();
  QVERIFY2(pane.height() >= pane.minimumHeight(),
           qPrintable(QStringLiteral("%1 < %2").arg(pane.height()).arg(pane.minimumHeight())));
  waiting->window->RunCommand(gui::kAbort);
  QVERIFY(waiting->RunUntilIdle());
}

void HighDpiTest::everyDialogOpensInsideTheScreen() {
  auto bench = ShownBench();
  gui::DialogGate gate;
  gui::QtOperatorDialogs dialogs(bench->window.get(), gate);
  gui::WindowPrompter prompter;
  prompter.SetGate(&gate);
  prompter.SetWindow(bench->window.get());
  const QRect screen = bench->window->screen()->availableGeometry();
  data::Datum* heading = nullptr;
  const data::DatumBoxMultiColumn& rows = bench->window->SettingsView().Model();
  for (std::size_t row = 0; row < rows.RowCount() && heading == nullptr; ++row) {
    if (rows.Row(row).item->HasChildren()) heading = rows.Row(row).item;
  }
  QVERIFY(heading != nullptr);

  struct Opening {
    const char* what;
    std::function<void()> open;
  };
  const std::string log = bench->Path("Coach Controller_A10_2601220414.txt");
  const Opening openings[] = {
      {"Save As",
       [&] {
         dialogs.SaveFile({"txt", "Text Files (*.txt)", log});
       }},
      {"Open",
       [&] {
         dialogs.OpenFile({"zcf", "ZCF Files (*.zcf)", bench->Path("")});
       }},
      {"Choose Folder", [&] { dialogs.ChooseFolder(bench->Path("")); }},
      {"Yes/No", [&] { dialogs.AskYesNo("Reset Profile", "Set every setting back?"); }},
      {"Save question",
       [&] {
         dialogs.AskToSave({"The log was not saved.", "Save it?", "&Save Log...", "&No"});
       }},
      {"Notice", [&] { dialogs.ShowNotice("Done", "A test is running.", {}); }},
      {"Input",
       [&] {
         dialogs.EditValue({"Product Name", std::string(60, 'x'), std::nullopt, {}});
       }},
      {"Skip Test", [&] { dialogs.ChooseSkippedTest(); }},
      {"About", [&] { dialogs.ShowAbout(); }},
      {"Child window", [&] { dialogs.OpenChildren(*heading, bench->window->ListHost()); }},
      {"Message with a long name",
       [&] { prompter.MessageBox("Save Log", std::string(300, 'w') + " was not saved."); }},
      {"Message of many lines",
       [&] {
         std::string lines = "Some lines of the profile were not taken:";
         for (int i = 0; i < 60; ++i) lines += "\r\njunk line " + std::to_string(i);
         prompter.MessageBox("Load Profile", lines);
       }},
      {"Decision", [&] { prompter.AskDecision("\r\nTest ABORTED!", "Log the results?"); }},
  };
  QStringList problems;
  for (const Opening& opening : openings) {
    QString problem = QStringLiteral("never opened");
    QTimer::singleShot(0, bench->window.get(), [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) return;
      const QSize smallest = box->minimumSizeHint();
      if (!screen.contains(box->frameGeometry())) {
        problem = QStringLiteral("%1x%2 at %3,%4 leaves the screen")
                      .arg(box->frameGeometry().width())
                      .arg(box->frameGeometry().height())
                      .arg(box->frameGeometry().x())
                      .arg(box->frameGeometry().y());
      } else if (box->width() < smallest.width() || box->height() < smallest.height()) {
        problem =
            QStringLiteral("squeezed below %1x%2").arg(smallest.width()).arg(smallest.height());
      } else {
        problem.clear();
      }
      static_cast<QDialog*>(box)->done(QDialog::Rejected);
    });
    opening.open();
    if (!problem.isEmpty()) problems << QString::fromLatin1(opening.what) + ": " + problem;
  }
  QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

void HighDpiTest::theKeyboardFocusIsFramed() {
  auto bench = ShownBench();
  QPlainTextEdit& pane = *bench->window->Pane().Widget();
  QWidget& list = bench->window->SettingsView();
  QPushButton& done = *bench->window->findChild<QPushButton*>(QStringLiteral("done"));
  for (QWidget* widget : {static_cast<QWidget*>(&pane), &list, static_cast<QWidget*>(&done)}) {
    widget->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QVERIFY2(widget->hasFocus(), widget->metaObject()->className());
    QVERIFY2(FramedInFocusColour(*widget), widget->metaObject()->className());
  }
  // The frame goes with the focus.
  QVERIFY(!FramedInFocusColour(pane));

  // In a dialog too: its list and its buttons.
  gui::SkipTestDialog dialog(bench->window.get());
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  for (QWidget* widget :
       {static_cast<QWidget*>(dialog.Tests()), static_cast<QWidget*>(dialog.OkButton())}) {
    widget->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    QVERIFY2(FramedInFocusColour(*widget), widget->metaObject()->className());
  }
}

QTEST_MAIN(HighDpiTest)
#include "high_dpi_test.moc"
