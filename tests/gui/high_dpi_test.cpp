// The main window on a small screen at the scale factor the environment sets
// (ctest runs it at 1, 1.5 and 2 on a 1280 x 720 screen): it must open inside
// the screen, and even at its smallest show every control whole.
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "gui/datum_list_view.h"
#include "gui/menu_commands.h"
#include "gui/status_area.h"
#include "gui/window_geometry.h"
#include "gui_bench.h"

using namespace vlt;
using testing::GuiBench;

namespace {

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

}  // namespace

class HighDpiTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void windowOpensInsideTheScreen();
  void smallestWindowStillShowsEveryControl();
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

QTEST_MAIN(HighDpiTest)
#include "high_dpi_test.moc"
