#include "engine/dut_name.h"

#include <algorithm>

#include "engine/test.h"
#include "engine/tool_elements.h"
#include "engine/watch.h"
#include "settings/setting_manager.h"
#include "settings/setting_text.h"

namespace vlt::engine {

namespace {
constexpr const char* kManufacturerSetting = "Manufacturer ID";
}  // namespace

bool NeedsDutName(const Test& test) {
  const ElementList& elements = test.Elements();
  for (std::size_t i = 0; i < elements.Size(); ++i) {
    if (elements.At(i).ReadsDutName()) return true;
  }
  return false;
}

bool DutNameUnread(std::string_view nameText) {
  settings::NameBytes name{};
  if (nameText.size() != kNameTextChars || !settings::TextToNameBytes(nameText, name)) return false;
  return std::all_of(name.begin(), name.end(), [](std::uint8_t byte) { return byte == 0; });
}

std::string UnreadNameWarning(const Test& test) {
  if (!NeedsDutName(test) || !DutNameUnread(test.AppSettings().GetValue(kFullClaimSetting, true))) {
    return {};
  }
  return test.Code() + " needs the DUT's NAME, but \"" + kFullClaimSetting +
         "\" still holds the all-zero default: no NAME was read from the DUT, and the test's "
         "verdicts would not be the DUT's. Run Read ADDRESS_CLAIM first.";
}

std::optional<std::string> ManufacturerOfName(const TestContext& context,
                                              std::string_view nameText) {
  settings::NameBytes name{};
  if (nameText.size() != kNameTextChars || !settings::TextToNameBytes(nameText, name) ||
      !context.signalValue) {
    return std::nullopt;
  }
  framework::FrameMessage claim;
  claim.dgn = kAddressClaimDgn;
  claim.data = name;
  return context.signalValue(framework::FrameRecord::FromFrame(claim, 0, 0), "~~ManufacturerID");
}

std::optional<ManufacturerMismatch> ManufacturerMismatchOf(const TestContext& context) {
  const std::optional<std::string> inName =
      ManufacturerOfName(context, context.appSettings.GetValue(kFullClaimSetting, true));
  std::string inProfile = context.appSettings.GetValue(kManufacturerSetting, true);
  if (!inName || *inName == inProfile) return std::nullopt;
  return ManufacturerMismatch{*inName, std::move(inProfile)};
}

}  // namespace vlt::engine
