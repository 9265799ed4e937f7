// Feeds any bytes, written to a *.zcf file, to LoadProfile as the tester runs it:
// the settings list belongs to a data context of a started tool application with
// the main dictionary listening, so a loaded value can reach the settings' setters
// and the send pass. Besides the sanitizers, it checks that loading never changes
// the file, that a load finishes, and that the values it left survive a save to a
// second file and a load from it unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "framework/tool_app.h"
#include "settings/profile.h"
#include "settings/settings_list.h"
#include "support/virtual_time.h"
#include "values/value_maker_shared.h"

namespace {

using namespace vlt;

struct Tester {
  platform::ManualClock clock;
  testing::ScriptedMailslots mailslots;
  testing::RecordingPrompter prompter;
  testing::ManualTickDriver driver{clock};
  framework::ValmoraApp app{clock, mailslots, prompter, driver};
  std::unique_ptr<dictionary::RegisteredMainDictionary> dictionary;
  std::unique_ptr<data::DataContext> context;
  std::unique_ptr<settings::ApplicationSettings> settings;

  Tester() {
    app.InitInstance({});
    mailslots.Queue(framework::AcknowledgeMessage(7));
    driver.StepMillis(1);
    dictionary = dictionary::StartMainDictionary(app, values::SharedValueMakers::Instance());
    context = std::make_unique<data::DataContext>(app);
    settings = settings::CreateApplicationSettings(*context);
  }
  std::vector<std::string> Values() const {
    std::vector<std::string> values;
    for (data::Datum* item : settings->Items()) values.push_back(item->ValueText());
    return values;
  }
};

std::string Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/vlt-profile-fuzz.XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) std::abort();
    return std::string(made);
  }();
  return folder;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Never destroyed: a tool application ends with its host's handshake, not at exit.
  static Tester& first = *new Tester;
  static Tester& second = *new Tester;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string path = Folder() + "/input.zcf";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << input;

  settings::ResetProfile(*first.settings);
  const data::CloneLoadReport loaded = settings::LoadProfile(*first.settings, path);
  if (!loaded.opened || first.settings->List().List().IsCloning()) std::abort();
  if (Read(path) != input) std::abort();  // a load only reads
  first.driver.StepMillis(50);            // setters and the send pass see the values

  const std::string saved = Folder() + "/saved.zcf";
  std::tm created{};
  std::string error;
  if (!settings::SaveProfile(*first.settings, saved, created, &error)) std::abort();
  settings::ResetProfile(*second.settings);
  const data::CloneLoadReport reloaded = settings::LoadProfile(*second.settings, saved);
  if (!reloaded.finished || !reloaded.rejectedValues.empty() || !reloaded.unknownTitles.empty()) {
    std::abort();
  }
  if (first.Values() != second.Values()) std::abort();
  first.mailslots.written.clear();
  return 0;
}
