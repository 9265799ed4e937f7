#include "settings/default_settings.h"

#include "data/datum_string.h"
#include "data/datum_values.h"
#include "settings/settings_list.h"
#include "values/value_maker_shared.h"

namespace vlt::settings {

namespace {

constexpr const char* kMillisecondsFormat = "%.0f ms";

}  // namespace

ApplicationSettings::ApplicationSettings(data::DataContext& context,
                                         std::vector<TestHeading> headings)
    : milliseconds_(kMillisecondsFormat, 1.0, 0.0, 8),
      store_(context),
      headings_(std::move(headings)) {
  for (const DefaultSetting& setting : kDefaultSettings) {
    data::Datum& item = store_.AddSetting(MakeItem(setting), std::string(setting.defaultText));
    item.SetValueFromText(setting.defaultText);
    item.ClearPending();
    items_.push_back(&item);
  }
}

ApplicationSettings::~ApplicationSettings() = default;

SettingsList& ApplicationSettings::List() {
  if (list_ == nullptr) list_.reset(new SettingsList(*this));
  return *list_;
}

std::unique_ptr<data::Datum> ApplicationSettings::MakeItem(const DefaultSetting& setting) {
  data::DataContext& context = store_.Context();
  std::string name(setting.name);
  std::unique_ptr<data::Datum> item;
  std::unique_ptr<data::Setter> setter;
  // Settings are edited in the list and applied to the item itself, so each has
  // a setter of its width with the default plan; nothing is ever sent.
  switch (setting.item) {
    case SettingItem::kText36:
      item = std::make_unique<data::DatumString36Char>(context, std::move(name));
      setter = std::make_unique<data::SetString36Char>();
      break;
    case SettingItem::kFlag:
      item = std::make_unique<data::DatumFlag>(context, std::move(name), 0, 0);
      setter = std::make_unique<data::SetFlag>(nullptr, 0, 0);
      break;
    case SettingItem::kByte:
      item = std::make_unique<data::DatumByte>(context, std::move(name), 0);
      setter = std::make_unique<data::SetByte>();
      break;
    case SettingItem::kWord:
      item = std::make_unique<data::DatumWord>(context, std::move(name), 0);
      setter = std::make_unique<data::SetWord>();
      break;
    case SettingItem::kUint:
      item = std::make_unique<data::DatumUint>(context, std::move(name), 0);
      setter = std::make_unique<data::SetUint>();
      break;
  }
  item->SetValueMaker(MakerFor(setting.maker));
  item->OwnSetter(std::move(setter));
  return item;
}

const values::ValueMaker* ApplicationSettings::MakerFor(SettingMaker maker) const {
  const auto& shared = values::SharedValueMakers::Instance();
  switch (maker) {
    case SettingMaker::kText:
      return &shared.string36Char;
    case SettingMaker::kNoYes:
      return shared.Flag("No", "Yes");
    case SettingMaker::kDecimalByte:
      return shared.DecByte(0xFF);
    case SettingMaker::kMilliseconds:
      return &milliseconds_;
    case SettingMaker::kDecimalWord:
      return &shared.decWord;
    case SettingMaker::kDsaRange:
      return &dsaRange_;
    case SettingMaker::kHexadecimal:
      return &shared.hex3Byte;
    case SettingMaker::kManufacturer:
      return &manufacturer_;
    case SettingMaker::kFrameBytes:
      return &frameBytes_;
    case SettingMaker::kBytePositions:
      return &bytePositions_;
    case SettingMaker::kSeconds:
      return &sampleSeconds_;
  }
  return &shared.plain;
}

std::string_view SettingMeaning(std::string_view name) {
  for (const DefaultSetting& setting : kDefaultSettings) {
    if (setting.name == name) return setting.meaning;
  }
  return {};
}

std::unique_ptr<ApplicationSettings> CreateApplicationSettings(data::DataContext& context,
                                                               std::vector<TestHeading> headings) {
  return std::make_unique<ApplicationSettings>(context, std::move(headings));
}

}  // namespace vlt::settings
