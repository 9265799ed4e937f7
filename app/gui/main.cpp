// valmora: the desktop tester. Start-up and shutdown around the main window.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "compliance/test_table.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "framework/tool_app.h"
#include "gui/dialog_gate.h"
#include "gui/dialogs.h"
#include "gui/main_window.h"
#include "gui/operator_dialogs.h"
#include "gui/window_icon.h"
#include "gui/window_prompter.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/mailslots.h"
#include "platform/registry_file.h"
#include "platform/run_dir.h"
#include "settings/default_settings.h"

int main(int argc, char** argv) {
  using namespace vlt;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Valmora"));
  QApplication::setDesktopFileName(QStringLiteral("valmora"));
  QApplication::setWindowIcon(gui::ApplicationIcon());

  const platform::RunDirResult runDir = platform::PrepareRunDir();
  platform::InstanceLock lock;
  if (runDir.ok() && lock.TryAcquire(platform::TesterLockPath(runDir.path)) ==
                         platform::InstanceLock::Result::kHeldElsewhere) {
    // One tester per bus: a second copy ends at once, leaving the first alone.
    std::fprintf(stderr, "valmora: another tester is running on %s\n", runDir.path.c_str());
    return 0;
  }
  if (!runDir.ok()) {
    gui::TextBox box(gui::TextBox::Kind::kWarning, QStringLiteral("Initialization Error"),
                     QString::fromStdString(runDir.error), nullptr);
    box.exec();
  }

  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);

  platform::SteadyClock clock;
  platform::UnixMailslots mailslots(runDir.ok() ? runDir.path : platform::RunDirPath());
  framework::ThreadTickDriver driver(mailslots);
  gui::DialogGate gate;
  gui::WindowPrompter prompter;
  prompter.SetGate(&gate);
  framework::ValmoraApp app(clock, mailslots, prompter, driver);
  app.InitInstance(args);  // without a host it says so in a box; the window opens all the same
  auto dictionary = dictionary::StartMainDictionary(app);
  int result = 0;
  {
    data::DataContext dataContext(app);
    auto appSettings =
        settings::CreateApplicationSettings(dataContext, compliance::SettingsHeadings());
    platform::RegistryFile registry(platform::RegistryFile::DefaultPath("Valmora"));
    gui::QtOperatorDialogs dialogs(nullptr, gate);
    gui::WindowServices services{app, dataContext, *appSettings, *dictionary, registry, dialogs};
    services.runFolder = runDir.ok() ? runDir.path : std::string();
    gui::MainWindow window(std::move(services));
    prompter.SetWindow(&window);
    dialogs.SetParent(&window);
    window.show();
    result = QApplication::exec();
    prompter.SetWindow(nullptr);
  }
  dictionary.reset();
  app.ShutDown();
  return result;
}
