#include "compliance/network_test.h"

#include <algorithm>
#include <cstdlib>

#include "compliance/test_table.h"
#include "data/specifier.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/group.h"
#include "engine/report_layout.h"
#include "engine/tester_node.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"

namespace vlt::compliance {
namespace {

constexpr std::uint32_t kFirstDgn = 0x00100;  // below are no DGNs a device could be asked for

// A DGN as the hexadecimal maker writes it; 0 ("not used") and anything else: none.
std::optional<std::uint32_t> ParseDgn(const std::string& text) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 16);
  if (end == text.c_str() || *end != '\0' || value < kFirstDgn || value > framework::kDgnMask) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::string DgnLabel(std::uint32_t dgn) {
  return "DGN " + engine::DgnText(dgn);
}

std::optional<std::uint32_t> SettingDgn(const std::string& text) {
  return ParseDgn(text);
}

NetworkTest::NetworkTest(const engine::TestContext& context, std::uint16_t catalogueIndex)
    : Test(context, catalogueIndex, IdentityOf(catalogueIndex)) {
  log_ = &AddDataLog(0);
}

void NetworkTest::AppendPreamble(std::function<bool(const engine::DeviceRhythm&)> learnt,
                                 std::uint32_t learnMs) {
  Append<engine::ESetToolAddress>(framework::kToolAddress);
  Append<engine::ESetToolMode>(engine::kToolModeEchoTools);
  Append<engine::ETextLogMemo>("Begin with DUT in normal operation.",
                               engine::OperatorCue::kNormalOperation);
  Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, log_);
  auto& find = Append<engine::EGroup>(engine::EGroup::Mode::kAll, true, true);
  find.Add<engine::EFindDevice>(log_, &dut_);
  find.Add<engine::ETimeLimitAbort>(kFindDutLimitMs);
  Append<engine::EClaimTesterAddress>(log_);
  rhythmWatch_ =
      &Append<engine::EWatchDeviceRhythm>(log_, &rhythm_, &dut_, learnMs, std::move(learnt));
}

engine::ERequestDgn& NetworkTest::AppendRequest(engine::ERequestDgn::Plan plan,
                                                engine::ERequestDgn::Judge judge,
                                                std::uint32_t listenMs) {
  return Append<engine::ERequestDgn>(log_, rhythmWatch_, &rhythm_, &dut_, std::move(plan),
                                     std::move(judge), listenMs);
}

std::optional<std::uint32_t> NetworkTest::SlotDgn(const char* setting, int n) {
  const auto dgn = ParseDgn(AppSettings().GetValue(setting + std::to_string(n)));
  if (!dgn) return std::nullopt;
  // The same DGN in an earlier slot is tested there.
  for (int i = 1; i < n; ++i) {
    if (ParseDgn(AppSettings().GetValue(setting + std::to_string(i), true)) == dgn) {
      return std::nullopt;
    }
  }
  return dgn;
}

std::vector<std::uint32_t> NetworkTest::SlotDgns(const char* setting) {
  std::vector<std::uint32_t> dgns;
  for (int n = 1; n <= kDgnSlots; ++n) {
    if (const auto dgn = SlotDgn(setting, n)) dgns.push_back(*dgn);
  }
  return dgns;
}

bool NetworkTest::HeardTwice(const engine::DeviceRhythm& rhythm,
                             const std::vector<std::uint32_t>& dgns) {
  return std::all_of(dgns.begin(), dgns.end(), [&](std::uint32_t dgn) {
    return rhythm.Count({dgn, engine::DeviceRhythm::kAnyInstance}) >= 2;
  });
}

void NetworkTest::WriteReport() {
  Test::WriteReport();
  Write(engine::Rule('-'));
  DumpDataLog(0, &data::SharedSpecifier());
  Write(engine::Rule('-'));
}

}  // namespace vlt::compliance
