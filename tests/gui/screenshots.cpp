// Renders the main window after a finished A-10 run (verbose mode on; its log and
// its timeline), the window while a test waits for the operator, after a run
// that did not pass and after the host was killed mid-run, the status area in
// each of its states, the dialogs and a child window to PNG files, so that a
// person can look at them:
// vlt_gui_screenshots <folder>.
#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QTextDocument>
#include <cstdio>

#include "compliance/static_dut_support.h"
#include "gui/child_datum_dialog.h"
#include "gui/dialogs.h"
#include "gui/menu_commands.h"
#include "gui/save_questions.h"
#include "gui/status_area.h"
#include "gui/timeline_tabs.h"
#include "gui/window_icon.h"
#include "gui_bench.h"
#include "host/devices/dut_faults.h"

using namespace vlt;

namespace {

constexpr int kA10 = 32780;
constexpr int kA20 = 32781;
constexpr const char* kRunFolder = "/run/user/1000/vlt";

bool Save(QWidget& widget, const QString& folder, const char* name) {
  widget.show();
  QApplication::processEvents();
  const QString path = QDir(folder).filePath(QString::fromLatin1(name));
  const bool ok = widget.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
  return ok;
}

std::unique_ptr<testing::GuiBench> Bench(host::DutFaults faults) {
  using namespace compliance::static_scenario;
  testing::GuiBench::Options options;
  options.dut = Dut(faults);
  options.runFolder = kRunFolder;
  auto bench = std::make_unique<testing::GuiBench>(std::move(options));
  bench->Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench->Settings().SetValue("Manufacturer ID", "291");
  bench->Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
  bench->Settings().SetValue("Company", "Valmora Labs");
  bench->Settings().SetValue("Product Name", "Coach Controller");
  bench->window->resize(1100, 760);
  return bench;
}

// The report's criteria in sight: what the operator looks for after a run.
void ShowCriteria(QPlainTextEdit& pane) {
  pane.moveCursor(QTextCursor::End);
  const QTextCursor criteria = pane.document()->find(QStringLiteral("PASS : "));
  if (criteria.isNull()) return;
  QTextCursor line(criteria);
  line.movePosition(QTextCursor::Up, QTextCursor::MoveAnchor, 12);
  pane.setTextCursor(line);
  pane.ensureCursorVisible();
}

bool StatusAreaStates(const QString& folder) {
  struct State {
    const char* file;
    gui::HostLinkState link;
    gui::RunOutcome outcome;
    std::int64_t elapsedMs;
    const char* prompt;
  };
  const State states[] = {
      {"status_area_running.png",
       gui::HostLinkState::kConnected,
       {gui::RunVerdict::kRunning},
       7'000,
       "Power Up DUT"},
      {"status_area_pass.png",
       gui::HostLinkState::kConnected,
       {gui::RunVerdict::kPass, 8},
       13'000,
       ""},
      {"status_area_dnp.png",
       gui::HostLinkState::kConnected,
       {gui::RunVerdict::kDnp, 8, 1},
       13'000,
       ""},
  };
  bool ok = true;
  for (const State& state : states) {
    gui::StatusArea area(nullptr);
    area.resize(1100, area.sizeHint().height());
    area.SetLink(state.link, kRunFolder);
    area.SetRun("A10", "Static Addressing Bootup", state.outcome, state.elapsedMs);
    area.SetPrompt(state.prompt);
    // A test waiting for the operator under a time limit counts it down.
    if (*state.prompt != '\0') area.SetLimitLeft(3200);
    area.SetLogUnsaved(state.outcome.verdict != gui::RunVerdict::kRunning);
    area.resize(1100, area.sizeHint().height());
    ok &= Save(area, folder, state.file);
  }
  return ok;
}

void UseDarkTheme(QApplication& application) {
  application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(45, 45, 48));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
  dark.setColor(QPalette::Text, QColor(230, 230, 230));
  dark.setColor(QPalette::Button, QColor(55, 55, 60));
  dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  dark.setColor(QPalette::Highlight, QColor(38, 110, 190));
  dark.setColor(QPalette::HighlightedText, Qt::white);
  dark.setColor(QPalette::ToolTipBase, QColor(55, 55, 60));
  dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
  application.setPalette(dark);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(folder);
  bool ok = true;

  {
    auto bench = Bench({});
    bench->window->RunCommand(gui::kVerboseMode);
    bench->window->RunCommand(kA10);
    bench->RunUntilIdle(60'000);
    bench->Run(600);
    ShowCriteria(*bench->window->Pane().Widget());
    ok &= Save(*bench->window, folder, "main_window_a10.png");
    bench->window->Timeline()->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
    ok &= Save(*bench->window, folder, "main_window_a10_timeline.png");
    bench->window->Timeline()->setCurrentIndex(gui::TimelineTabs::kLogTab);

    bench->dialogs.onChildren = [&](data::Datum& item, gui::DatumListHost& host) {
      gui::ChildDatumDialog child(item, host, nullptr);
      ok &= Save(child, folder, "child_window_a10_settings.png");
    };
    gui::DatumListView& top = bench->window->SettingsView();
    for (int row = 0; row < top.rowCount(); ++row) {
      if (top.TitleAt(row) == QStringLiteral("All Settings")) top.ClickCell(row, 0);
    }
  }
  {
    // A-20 waits for the space bar: the prompt stands over the running test.
    auto bench = Bench({});
    bench->window->RunCommand(kA20);
    for (int i = 0; i < 60'000 && bench->Text().find("Press <space>") == std::string::npos; ++i) {
      bench->Run(1);
    }
    bench->Run(2000);
    ok &= Save(*bench->window, folder, "main_window_waiting_for_space.png");
  }
  {
    // A DUT with the wrong manufacturer: the verdict and the count stay in sight.
    auto bench = Bench({host::DutFault::kWrongMfg});
    bench->window->RunCommand(kA10);
    bench->RunUntilIdle(60'000);
    bench->Run(600);
    ShowCriteria(*bench->window->Pane().Widget());
    ok &= Save(*bench->window, folder, "main_window_dnp.png");
  }
  ok &= StatusAreaStates(folder);
  {
    // vlt-host killed during A-10: the run ends naming why, and the status area
    // says the link is lost until a host is back.
    auto bench = Bench({});
    bench->window->RunCommand(kA10);
    for (int i = 0;
         i < 60'000 && bench->Text().find("Address Claim Received.") == std::string::npos; ++i) {
      bench->Run(1);
    }
    bench->host.Crash();
    bench->RunUntilIdle(10'000);
    bench->Run(1000);
    ok &= Save(*bench->window, folder, "main_window_link_lost.png");
    ok &= Save(*bench->window->Status(), folder, "status_area_link_lost.png");
  }

  gui::InputDialog input("Company", "Valmora Labs", nullptr, nullptr);
  ok &= Save(input, folder, "input_dialog.png");
  gui::InputDialog refused(
      "250MS Timing Tolerance", "10 ms", nullptr, nullptr, [](const std::string& text) {
        return "[" + text + "] is not a valid setting for 250MS Timing Tolerance.";
      });
  refused.ValueEdit()->setText(QStringLiteral("lots"));
  ok &= Save(refused, folder, "input_dialog_refused.png");
  const values::ChoiceMap choices{{0, "No"}, {1, "Yes"}};
  gui::InputDialog list("Clear Text Log at Start", "Yes", &choices, nullptr);
  ok &= Save(list, folder, "list_input_dialog.png");
  gui::DecisionBox decision("\r\nTest ABORTED!", "Do you want to log the results?", nullptr);
  ok &= Save(decision, folder, "decision_box.png");
  gui::DecisionButtons saveButtons;
  const gui::SaveQuestion logQuestion = gui::LogQuestion();
  saveButtons.yes = QString::fromStdString(logQuestion.saveLabel);
  saveButtons.no = QString::fromStdString(logQuestion.discardLabel);
  saveButtons.cancel = true;
  saveButtons.focus = gui::DecisionButtons::Focus::kCancel;
  gui::DecisionBox saveLog(logQuestion.statement, logQuestion.question, nullptr, saveButtons);
  ok &= Save(saveLog, folder, "save_log_question.png");
  gui::TextBox message(gui::TextBox::Kind::kWarning, QStringLiteral("Save Log"),
                       QStringLiteral("The log was not saved: /media/lab/evidence/2026/"
                                      "Coach_Controller_with_a_very_long_product_name_A10_"
                                      "2601220414.txt: No space left on device."),
                       nullptr);
  ok &= Save(message, folder, "message_box.png");
  gui::SkipTestDialog skip(nullptr);
  ok &= Save(skip, folder, "skip_test_dialog.png");
  gui::AboutDialog about(nullptr);
  ok &= Save(about, folder, "about_box.png");

  {
    // The same window on a dark theme: every colour follows the palette.
    UseDarkTheme(application);
    auto bench = Bench({host::DutFault::kWrongMfg});
    bench->window->RunCommand(gui::kVerboseMode);
    bench->window->RunCommand(kA10);
    bench->Run(4000);
    ok &= Save(*bench->window, folder, "main_window_dark_running.png");
    bench->window->RunCommand(gui::kAbort);
    bench->RunUntilIdle(2000);
  }

  const QString icon = QDir(folder).filePath(QStringLiteral("valmora_icon.png"));
  ok &= gui::ApplicationIcon().pixmap(128, 128).save(icon);
  return ok ? 0 : 1;
}
