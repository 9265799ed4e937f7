// Feeds any bytes to the settings list's clone file loader as a profile file,
// runs the load to its end as the timer would, then saves the settings and loads
// the saved file into a second store: whatever a file held, the values it left
// must survive a save and a load unchanged.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/datum_list.h"
#include "settings/profile.h"
#include "settings/settings_list.h"

namespace {

using namespace vlt;

struct Store {
  framework::LogOutput log;  // no pane: the lines go nowhere
  data::DataContext context{log};
  std::unique_ptr<settings::ApplicationSettings> settings =
      settings::CreateApplicationSettings(context);

  void Load(const std::string& bytes) {
    settings::ResetProfile(*settings);
    data::DatumBoxUserSettings& list = settings->List().List();
    list.StartCloningFrom(std::make_unique<std::istringstream>(bytes), "fuzz.zcf", true);
    if (!data::RunListUntilSettled(list, settings::kProfileSettleTicks)) std::abort();
  }
  std::vector<std::string> Values() const {
    std::vector<std::string> values;
    for (data::Datum* item : settings->Items()) values.push_back(item->ValueText());
    return values;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Store first;
  static Store second;
  first.Load(std::string(reinterpret_cast<const char*>(data), size));

  std::ostringstream saved;
  std::tm created{};
  data::WriteCloneHeader(saved, created);
  first.settings->List().List().SaveItems(saved);
  second.Load(saved.str());
  if (first.Values() != second.Values()) std::abort();
  return 0;
}
