// The "Timeline" tab beside the log on the offscreen platform and virtual time:
// it follows a running A-10, draws what the scene holds, a click on a mark shows
// the frame's line selected in the log, and File > Export Timeline saves the picture.
#include <QDir>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "compliance/static_dut_support.h"
#include "dictionary/frame_text.h"
#include "gui/menu_commands.h"
#include "gui/timeline_tabs.h"
#include "gui_bench.h"
#include "results/timeline_svg.h"

using namespace vlt;
using testing::GuiBench;

namespace {

std::unique_ptr<GuiBench> A10Bench() {
  using namespace compliance::static_scenario;
  GuiBench::Options options;
  options.dut = Dut({});
  auto bench = std::make_unique<GuiBench>(std::move(options));
  bench->Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench->Settings().SetValue("Manufacturer ID", "291");
  bench->Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
  bench->window->Profiles().ClearModified();
  return bench;
}

// The first mark of a frame whose kind draws it as `shape`.
const results::SceneMark* FirstMark(const results::TimelineScene& scene, results::Shape shape) {
  for (const results::SceneMark& m : scene.marks) {
    if (m.shape == shape && m.frame >= 0) return &m;
  }
  return nullptr;
}

}  // namespace

class TimelineViewTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void followsTheRunningTestAndDrawsIt();
  void aHiddenTimelineIsLaidOutWhenItsTabShows();
  void aClickOnAMarkSelectsItsLineInTheLog();
  void exportSavesThePictureOrSaysWhyNot();
  void filesAreNamedAsTheCommandLineNamesThem();
  void afterARunTheTabShowsItFromItsStart();
  void exportGoesBesideTheSavedLogAndNamesIt();
};

void TimelineViewTest::followsTheRunningTestAndDrawsIt() {
  auto bench = A10Bench();
  gui::TimelineTabs* tabs = bench->window->Timeline();
  QVERIFY(tabs != nullptr);
  QVERIFY(!tabs->HasRun());
  tabs->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
  bench->window->RunCommand(32780);  // A-10 Static Boot
  bench->Run(3000);                  // past the claim, long before the end
  QVERIFY(bench->window->TestRunning());
  QVERIFY(tabs->HasRun());
  QVERIFY(!tabs->Trace().finished);
  const results::SceneMark* claim = FirstMark(tabs->View()->Scene(), results::Shape::kCircle);
  QVERIFY(claim != nullptr);
  // Live, the picture grows with the run.
  const float liveWidth = tabs->View()->Scene().width;
  QVERIFY(bench->RunUntilIdle(60'000));
  bench->Run(300);
  QVERIFY(tabs->Trace().finished);
  QVERIFY(tabs->View()->Scene().width > liveWidth);

  // Drawn offscreen: white paper, the claim's blue mark where the scene puts it.
  const QImage image = tabs->View()->grab().toImage();
  QCOMPARE(image.size(), tabs->View()->sizeHint());
  const results::SceneMark* drawn = FirstMark(tabs->View()->Scene(), results::Shape::kCircle);
  QVERIFY(drawn != nullptr);
  const QColor middle = image.pixelColor(static_cast<int>(drawn->x), static_cast<int>(drawn->y));
  QCOMPARE(middle, QColor(drawn->colour.r, drawn->colour.g, drawn->colour.b));
  QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
}

void TimelineViewTest::aHiddenTimelineIsLaidOutWhenItsTabShows() {
  auto bench = A10Bench();
  gui::TimelineTabs* tabs = bench->window->Timeline();
  QCOMPARE(tabs->currentIndex(), gui::TimelineTabs::kLogTab);
  bench->window->RunCommand(32780);
  bench->Run(3000);
  // The feed is taken all along, but nothing is drawn while the log shows.
  QVERIFY(tabs->HasRun());
  QVERIFY(tabs->Trace().frames.Size() > 0);
  QVERIFY(tabs->View()->Scene().marks.empty());
  tabs->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
  QVERIFY(FirstMark(tabs->View()->Scene(), results::Shape::kCircle) != nullptr);
  const std::size_t shown = tabs->Trace().frames.Size();

  // Hidden again, the picture keeps what it showed; shown again, it catches up.
  tabs->setCurrentIndex(gui::TimelineTabs::kLogTab);
  QVERIFY(bench->RunUntilIdle(60'000));
  bench->Run(300);
  QVERIFY(tabs->Trace().finished);
  QVERIFY(tabs->Trace().frames.Size() > shown);
  QVERIFY(!tabs->View()->Scene().texts.empty());
  QVERIFY(tabs->View()->Scene().texts[0].text.ends_with("(running)"));
  tabs->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
  QVERIFY(!tabs->View()->Scene().texts[0].text.ends_with("(running)"));
  // Nothing new: no redraw.
  QVERIFY(!tabs->Refresh());
}

void TimelineViewTest::aClickOnAMarkSelectsItsLineInTheLog() {
  auto bench = A10Bench();
  gui::TimelineTabs* tabs = bench->window->Timeline();
  tabs->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
  bench->window->RunCommand(32780);
  bench->Run(3000);
  QPlainTextEdit* pane = bench->window->Pane().Widget();
  gui::TimelineView* view = tabs->View();
  const results::SceneMark* claim = FirstMark(view->Scene(), results::Shape::kCircle);
  QVERIFY(claim != nullptr);
  // While the test runs no report shows the frame: nothing is selected.
  QTest::mouseClick(view, Qt::LeftButton, {},
                    QPoint(static_cast<int>(claim->x), static_cast<int>(claim->y)));
  QVERIFY(!pane->textCursor().hasSelection());

  QVERIFY(bench->RunUntilIdle(60'000));
  bench->Run(300);
  const results::SceneMark* status = FirstMark(view->Scene(), results::Shape::kSquare);
  QVERIFY(status != nullptr);
  const std::string line = dictionary::DescribeFrame(
      tabs->Trace().frames.At(static_cast<std::size_t>(status->frame)), true);
  tabs->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
  QTest::mouseClick(view, Qt::LeftButton, {},
                    QPoint(static_cast<int>(status->x), static_cast<int>(status->y)));
  QCOMPARE(pane->textCursor().selectedText().toStdString(), line);
  QCOMPARE(tabs->currentIndex(), gui::TimelineTabs::kLogTab);  // the log shows the line
  // A click on paper between the lanes leaves the selection.
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(4, 4));
  QCOMPARE(pane->textCursor().selectedText().toStdString(), line);
}

void TimelineViewTest::exportSavesThePictureOrSaysWhyNot() {
  auto bench = A10Bench();
  bench->window->RunCommand(gui::kExportTimeline);  // nothing has run
  QCOMPARE(bench->prompter.boxes.size(), std::size_t{1});
  QCOMPARE(bench->prompter.boxes[0].first, std::string("Export Timeline"));
  QVERIFY(bench->dialogs.fileRequests.empty());

  bench->window->RunCommand(32780);
  QVERIFY(bench->RunUntilIdle(60'000));
  const std::string path = bench->Path("a10.svg");
  bench->dialogs.files.push_back(path);
  bench->window->RunCommand(gui::kExportTimeline);
  QCOMPARE(bench->dialogs.fileRequests.back().suffix, std::string("svg"));
  QVERIFY(bench->dialogs.fileRequests.back().initialPath.ends_with(".svg"));
  gui::TimelineTabs* tabs = bench->window->Timeline();
  const std::string saved = testing::ReadFile(path);
  QCOMPARE(saved, results::WriteTimelineSvg(tabs->View()->Scene(), tabs->Trace()));
  QVERIFY(saved.starts_with("<?xml"));

  // A folder that is a file cannot hold it: the operator is told, nothing else changes.
  const std::string blocked = bench->Path("a10.svg/inside.svg");
  bench->dialogs.files.push_back(blocked);
  bench->window->RunCommand(gui::kExportTimeline);
  QCOMPARE(bench->prompter.boxes.size(), std::size_t{2});
  QVERIFY(bench->prompter.boxes[1].second.starts_with("The timeline was not saved: "));
  QCOMPARE(testing::ReadFile(path), saved);
}

void TimelineViewTest::filesAreNamedAsTheCommandLineNamesThem() {
  auto bench = A10Bench();
  // Characters no file name may hold, and a name far past the length kept.
  const std::string product = "Coach: Level? \\" + std::string(90, 'x') + " ..";
  bench->Settings().SetValue("Product Name", product);
  bench->window->RunCommand(32780);
  QVERIFY(bench->RunUntilIdle(60'000));
  const std::string name = bench->window->LogFileName();
  QVERIFY(name.ends_with(".txt"));
  const std::string stem = name.substr(0, name.size() - 4);
  QVERIFY2(stem.find_first_of(":?\\/") == std::string::npos, stem.c_str());
  QVERIFY(stem.starts_with("Coach_ Level_ _"));
  QVERIFY(stem.size() <= 80);
  QVERIFY(stem.find("_A10_") != std::string::npos);  // the code and time stay at the end

  // The timeline is offered under the same name, whatever log the pane shows
  // since, in the folder of the logs.
  const std::string other = bench->Path("other.txt");
  std::ofstream(other, std::ios::binary) << "read back\r\n";
  bench->dialogs.files.push_back(other);
  bench->dialogs.saveAnswers.push_back(gui::SaveAnswer::kDiscard);  // the run's unsaved log
  bench->window->RunCommand(gui::kReadLogFile);
  bench->window->RunCommand(gui::kExportTimeline);
  QCOMPARE(bench->dialogs.fileRequests.back().initialPath, bench->Path(stem + ".svg"));
}

void TimelineViewTest::afterARunTheTabShowsItFromItsStart() {
  auto bench = A10Bench();
  bench->window->show();
  QVERIFY(QTest::qWaitForWindowExposed(bench->window.get()));
  bench->window->resize(bench->window->minimumSize());
  gui::TimelineTabs* tabs = bench->window->Timeline();
  tabs->setCurrentIndex(gui::TimelineTabs::kTimelineTab);
  auto* scroll = tabs->findChild<QScrollArea*>();
  QVERIFY(scroll != nullptr);
  QScrollBar* bar = scroll->horizontalScrollBar();
  bench->window->RunCommand(32780);
  bench->Run(9000);
  // While it runs, the picture follows its newest moment.
  QVERIFY(bar->maximum() > 0);
  QCOMPARE(bar->value(), bar->maximum());
  QVERIFY(bench->RunUntilIdle(60'000));
  bench->Run(300);
  QVERIFY(tabs->Trace().finished);
  QCOMPARE(bar->value(), bar->minimum());
  // Scrolled by the operator, it stays where they put it.
  bar->setValue(bar->maximum() / 2);
  bench->Run(300);
  QCOMPARE(bar->value(), bar->maximum() / 2);
}

void TimelineViewTest::exportGoesBesideTheSavedLogAndNamesIt() {
  auto bench = A10Bench();
  bench->window->RunCommand(32780);
  QVERIFY(bench->RunUntilIdle(60'000));
  bench->Run(100);
  const std::string stem =
      bench->window->LogFileName().substr(0, bench->window->LogFileName().size() - 4);
  // Not saved yet: offered in the folder of the logs, and the picture says the log is not saved.
  const QString logs = bench->dir.filePath(QStringLiteral("logs"));
  QVERIFY(QDir().mkpath(logs));
  const std::string unsavedSvg = bench->Path("unsaved.svg");
  bench->dialogs.files.push_back(unsavedSvg);
  bench->window->RunCommand(gui::kExportTimeline);
  QCOMPARE(bench->dialogs.fileRequests.back().initialPath, stem + ".svg");
  QVERIFY(testing::ReadFile(unsavedSvg).find("Log File        : not saved<") != std::string::npos);

  // Saved under a name of the operator's: the picture names that file and goes beside it.
  const std::string log = logs.toStdString() + "/" + stem + " (2).txt";
  bench->dialogs.files.push_back(log);
  bench->window->RunCommand(gui::kSaveLog);
  const std::string svg = logs.toStdString() + "/" + stem + " (2).svg";
  bench->dialogs.files.push_back(svg);
  bench->window->RunCommand(gui::kExportTimeline);
  QCOMPARE(bench->dialogs.fileRequests.back().initialPath, svg);
  QVERIFY(testing::ReadFile(svg).find("Log File        : " + stem + " (2).txt<") !=
          std::string::npos);
}

QTEST_MAIN(TimelineViewTest)
#include "timeline_view_test.moc"
