#include "gui_bench.h"

#include <fstream>
#include <sstream>

#include "compliance/static_dut_support.h"
#include "compliance/test_table.h"
#include "settings/registry_string.h"

namespace vlt::testing {

std::tm BenchLocalTime() {
  return LocalTime(2026, 1, 22, 4, 14, 5, 9);
}

GuiBench::Options MatchingDut(host::DutFaults faults) {
  GuiBench::Options options;
  options.dut = compliance::static_scenario::Dut(faults);
  return options;
}

void MatchProfile(GuiBench& bench) {
  using namespace compliance::static_scenario;
  bench.Settings().SetValue("DSA For Address Claiming", std::to_string(kDsa));
  bench.Settings().SetValue("Manufacturer ID", "291");
  bench.Settings().SetValue("Full ADDRESS_CLAIM Value", kDutName);
  bench.window->Profiles().ClearModified();
}

bool RunToEnd(GuiBench& bench, int command) {
  bench.window->RunCommand(command);
  if (!bench.RunUntilIdle(60'000)) return false;
  bench.Run(gui::MainWindow::kTimerMillis);
  return true;
}

bool Has(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

int Count(const std::string& text, const std::string& piece) {
  int count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

int RowOf(gui::DatumListView& view, const QString& title) {
  for (int row = 0; row < view.rowCount(); ++row) {
    if (view.TitleAt(row) == title) return row;
  }
  return -1;
}

GuiBench::GuiBench(Options options) {
  if (options.dut) host.SetDut(std::move(options.dut));
  host.SetRunning(options.hostRunning);
  toolSlots = host.ConnectTool();
  driver.beforeStep = [this] { host.CatchUp(); };
  app = std::make_unique<framework::ValmoraApp>(clock, *toolSlots, prompter, driver);
  app->InitInstance({});
  dictionary = dictionary::StartMainDictionary(*app);
  driver.StepMillis(5);  // registration and its acknowledgement
  dataContext = std::make_unique<data::DataContext>(*app);
  appSettings = settings::CreateApplicationSettings(*dataContext, compliance::SettingsHeadings());
  registry = std::make_unique<platform::RegistryFile>(
      options.registryPath.empty() ? Path("Valmora.conf") : options.registryPath);
  if (!options.startingProfile.empty()) {
    registry->SetString(settings::kApplicationSubkey, settings::kStartingProfileValue,
                        options.startingProfile);
  }
  gui::WindowServices services{*app,
                               *dataContext,
                               *appSettings,
                               *dictionary,
                               *registry,
                               dialogs,
                               BenchLocalTime,
                               false,
                               options.rememberSize,
                               options.runFolder.empty() ? Path("run") : options.runFolder};
  window = std::make_unique<gui::MainWindow>(services);
  window->Pane().SetLineObserver([this](std::string_view line) { OnPaneLine(line); });
}

void GuiBench::OnPaneLine(std::string_view line) {
  if (line == "Start with an empty network, DUT powered off or disconnected.") power_.Switch(false);
  if (line == "Power Up DUT") power_.Switch(true);
}

GuiBench::~GuiBench() {
  window.reset();
  appSettings.reset();
  dataContext.reset();
  dictionary.reset();
  app->ShutDown();
}

void GuiBench::Run(int millis) {
  for (int i = 0; i < millis; ++i) {
    driver.StepMillis(1);
    if (++sinceTimer_ == gui::MainWindow::kTimerMillis) {
      sinceTimer_ = 0;
      window->TimerTick();
    }
  }
}

bool GuiBench::RunUntilIdle(int limitMs) {
  for (int i = 0; i < limitMs; ++i) {
    if (!window->TestRunning()) return true;
    Run(1);
  }
  return !window->TestRunning();
}

std::string GuiBench::Path(const std::string& name) const {
  return dir.filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace vlt::testing
