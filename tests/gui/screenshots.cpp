// Renders the main window after a finished A-10 run (verbose mode on; its log and
// its timeline), the input dialog, the decision window and a child window to PNG
// files, so that a person can look at them: vlt_gui_screenshots <folder>.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <cstdio>

#include "compliance/static_dut_support.h"
#include "gui/child_datum_dialog.h"
#include "gui/dialogs.h"
#include "gui/menu_commands.h"
#include "gui/timeline_tabs.h"
#include "gui/window_icon.h"
#include "gui_bench.h"

using namespace vlt;

namespace {

bool Save(QWidget& widget, const QString& folder, const char* name) {
  widget.show();
  QApplication::processEvents();
  const QString path = QDir(folder).filePath(QString::fromLatin1(name));
  const bool ok = widget.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(folder);
  bool ok = true;

  using namespace compliance::static_scenario;
  testing::GuiBench::Options options;
  options.dut = Dut({});
  testing::GuiBench bench(std::move(options));
  bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
  bench.Settings().SetValue("Company", "Valmora Labs");
  bench.Settings().SetValue("Product Name", "Coach Controller");
  bench.window->RunCommand(gui::kVerboseMode);
  bench.window->resize(1100, 760);
  bench.window->RunCommand(32780);  // A-10 Static Boot
  bench.RunUntilIdle(60'000);
  bench.Run(600);
  // The report's criteria at the top of the pane: what the operator looks for.
  QPlainTextEdit* pane = bench.window->Pane().Widget();
  pane->moveCursor(QTextCursor::End);
  const QTextCursor criteria = pane->document()->find(QStringLiteral("PASS : "));
  if (!criteria.isNull()) {
    QTextCursor line(criteria);
    line.movePosition(QTextCursor::Up, QTextCursor::MoveAnchor, 12);
    pane->setTextCursor(line);
    pane->ensureCursorVisible();
  }
  ok &= Save(*bench.window, folder, "main_window_a10.png");
  bench.window->Timeline()->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
  ok &= Save(*bench.window, folder, "main_window_a10_timeline.png");
  bench.window->Timeline()->setCurrentIndex(gui::TimelineTabs::kLogTab);

  bench.dialogs.onChildren = [&](data::Datum& item, gui::DatumListHost& host) {
    gui::ChildDatumDialog child(item, host, nullptr);
    ok &= Save(child, folder, "child_window_a10_settings.png");
  };
  gui::DatumListView& top = bench.window->SettingsView();
  for (int row = 0; row < top.rowCount(); ++row) {
    if (top.TitleAt(row) == QStringLiteral("All Settings")) top.ClickCell(row, 0);
  }

  gui::InputDialog input("Company", "Valmora Labs", nullptr, nullptr);
  ok &= Save(input, folder, "input_dialog.png");
  const values::ChoiceMap choices{{0, "No"}, {1, "Yes"}};
  gui::InputDialog list("Clear Text Log at Start", "Yes", &choices, nullptr);
  ok &= Save(list, folder, "list_input_dialog.png");
  gui::DecisionBox decision("\r\nTest ABORTED!", "Do you want to log the results?", nullptr);
  ok &= Save(decision, folder, "decision_box.png");
  gui::SkipTestDialog skip(nullptr);
  ok &= Save(skip, folder, "skip_test_dialog.png");

  const QString icon = QDir(folder).filePath(QStringLiteral("valmora_icon.png"));
  ok &= gui::ApplicationIcon().pixmap(128, 128).save(icon);
  return ok ? 0 : 1;
}
