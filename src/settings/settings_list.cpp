#include "settings/settings_list.h"

#include <algorithm>

namespace vlt::settings {

SettingsList::SettingsList(ApplicationSettings& settings)
    : settings_(settings), list_(settings.Store().Context()) {
  data::Datum& addressClaiming = AddHeading(kAddressClaimingHeading, nullptr);
  data::Datum& network = AddHeading(kNetworkHeading, nullptr);
  std::vector<std::pair<data::Datum*, const TestHeading*>> testHeadings;
  for (const TestHeading& test : settings.Headings()) {
    data::Datum* group = test.group == HeadingGroup::kAddressClaiming ? &addressClaiming : &network;
    testHeadings.emplace_back(&AddHeading(test.title, group), &test);
  }
  data::Datum& all = AddHeading(kAllSettingsHeading, nullptr);

  for (std::size_t i = 0; i < kDefaultSettings.size(); ++i) {
    data::Datum& item = settings.Item(i);
    const std::uint32_t rows = kDefaultSettings[i].rows;
    if ((rows & kRowTop) != 0) list_.AddRow(&item);
    if ((rows & kRowAll) != 0) all.AddChildAlways(&item);
    for (const auto& [heading, test] : testHeadings) {
      if (std::find(test->settings.begin(), test->settings.end(), kDefaultSettings[i].name) !=
          test->settings.end()) {
        heading->AddChildAlways(&item);
      }
    }
  }
  list_.AddRow(&addressClaiming);
  list_.AddRow(&network);
  list_.AddRow(&all);
}

data::Datum& SettingsList::AddHeading(std::string_view title, data::Datum* parent) {
  headings_.push_back(
      std::make_unique<data::DatumListHeading>(settings_.Store().Context(), std::string(title)));
  data::Datum& heading = *headings_.back();
  if (parent != nullptr) parent->AddChildAlways(&heading);
  return heading;
}

}  // namespace vlt::settings
