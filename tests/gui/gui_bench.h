// The main window on virtual time: the in-process host with an optional
// simulated DUT, the application core on a manual tick driver, dialogs answered
// by the test, and a private folder for the registry file, profiles and logs.
#pragma once

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/operator_policy.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "framework/tool_app.h"
#include "gui/main_window.h"
#include "gui/operator_dialogs.h"
#include "host/core/in_process_host.h"
#include "host/devices/dut_faults.h"
#include "platform/registry_file.h"
#include "settings/default_settings.h"
#include "support/virtual_time.h"

namespace vlt::testing {

class ScriptedDialogs final : public gui::OperatorDialogs {
 public:
  // Answers in order; an empty queue cancels.
  std::deque<std::optional<std::string>> files;
  std::vector<gui::FileRequest> fileRequests;
  std::deque<std::optional<std::string>> folders;
  std::vector<std::string> folderRequests;
  bool yesNo = true;
  std::vector<std::pair<std::string, std::string>> yesNoQuestions;
  // Answers in order; an empty queue answers Cancel, the safe choice.
  std::deque<gui::SaveAnswer> saveAnswers;
  std::vector<gui::SaveQuestion> saveQuestions;
  // Runs while a save question stands open.
  std::function<void()> whileAskedToSave;
  std::vector<std::pair<std::string, std::string>> notices;
  std::deque<gui::InputAnswer> inputs;
  std::vector<gui::InputRequest> inputRequests;
  std::deque<std::optional<gui::SkipChoice>> skips;
  std::function<void(data::Datum&, gui::DatumListHost&)> onChildren;
  std::vector<std::string> openedChildren;
  int abouts = 0;

  std::optional<std::string> OpenFile(const gui::FileRequest& request) override {
    return NextFile(request);
  }
  std::optional<std::string> SaveFile(const gui::FileRequest& request) override {
    return NextFile(request);
  }
  std::optional<std::string> ChooseFolder(const std::string& initial) override {
    folderRequests.push_back(initial);
    return Next(folders);
  }
  bool AskYesNo(const std::string& title, const std::string& text) override {
    yesNoQuestions.emplace_back(title, text);
    return yesNo;
  }
  gui::SaveAnswer AskToSave(const gui::SaveQuestion& question) override {
    saveQuestions.push_back(question);
    if (whileAskedToSave) whileAskedToSave();
    if (saveAnswers.empty()) return gui::SaveAnswer::kCancel;
    const gui::SaveAnswer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }
  void ShowNotice(const std::string& caption, const std::string& text,
                  std::function<bool()> /*stillTrue*/) override {
    notices.emplace_back(caption, text);
  }
  gui::InputAnswer EditValue(const gui::InputRequest& request) override {
    inputRequests.push_back(request);
    if (inputs.empty()) return {};
    gui::InputAnswer answer = inputs.front();
    inputs.pop_front();
    return answer;
  }
  std::optional<gui::SkipChoice> ChooseSkippedTest() override {
    if (skips.empty()) return std::nullopt;
    auto choice = skips.front();
    skips.pop_front();
    return choice;
  }
  void OpenChildren(data::Datum& item, gui::DatumListHost& host) override {
    openedChildren.push_back(item.ShortTitle());
    if (onChildren) onChildren(item, host);
  }
  void ShowAbout() override { ++abouts; }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto answer = queue.front();
    queue.pop_front();
    return answer;
  }
  std::optional<std::string> NextFile(const gui::FileRequest& request) {
    fileRequests.push_back(request);
    return Next(files);
  }
};

class GuiBench {
 public:
  struct Options {
    std::unique_ptr<host::SimDevice> dut;
    bool hostRunning = true;
    std::string startingProfile;  // written to the registry file before the window opens
    bool rememberSize = false;
    std::string registryPath;  // empty: one in the bench's folder
    std::string runFolder;     // shown with the host link; empty: one in the bench's folder
  };
  GuiBench() : GuiBench(Options{}) {}
  explicit GuiBench(Options options);
  ~GuiBench();

  // Moves virtual time on, the tick loop every millisecond and the window's
  // timer every 50 ms.
  void Run(int millis);
  // Runs until no test is in the running slot; false when `limitMs` ran out.
  bool RunUntilIdle(int limitMs = 120'000);
  std::string Text() const { return window->Pane().Text(); }
  std::string Path(const std::string& name) const;
  settings::SettingManager& Settings() { return appSettings->Store(); }

  QTemporaryDir dir;
  platform::ManualClock clock;
  host::InProcessHost host{clock};
  RecordingPrompter prompter;
  ManualTickDriver driver{clock};
  ScriptedDialogs dialogs;

 private:
  class HostPower final : public cli::DutControl {
   public:
    explicit HostPower(host::InProcessHost& h) : host_(h) {}
    void Send(std::string command, Confirmed confirmed) override {
      const std::string reply = host_.Control(command);
      if (confirmed) confirmed(reply.starts_with("ok"));
    }

   private:
    host::InProcessHost& host_;
  };
  HostPower power_{host};
  int sinceTimer_ = 0;

 public:
  // The person at the bench for the window: switches the DUT as the prompt
  // lines in the log pane say (the window gives no operator cues).
  void OnPaneLine(std::string_view line);
  std::unique_ptr<platform::Mailslots> toolSlots;
  std::unique_ptr<framework::ValmoraApp> app;
  std::unique_ptr<dictionary::RegisteredMainDictionary> dictionary;
  std::unique_ptr<data::DataContext> dataContext;
  std::unique_ptr<settings::ApplicationSettings> appSettings;
  std::unique_ptr<platform::RegistryFile> registry;
  std::unique_ptr<gui::MainWindow> window;
};

// A fixed report time, so that log names and report headers repeat.
std::tm BenchLocalTime();

// A static DUT at its DSA, and a profile that matches it: A-10 passes.
GuiBench::Options MatchingDut(host::DutFaults faults = {});
void MatchProfile(GuiBench& bench);
// Runs a test to its end and lets the window's timer see that it ended.
bool RunToEnd(GuiBench& bench, int command);

bool Has(const std::string& text, const std::string& piece);
// How often `piece` stands in `text`.
int Count(const std::string& text, const std::string& piece);
std::string ReadFile(const std::string& path);
// The row of the list whose item has this title; -1 when none has.
int RowOf(gui::DatumListView& view, const QString& title);

}  // namespace vlt::testing
