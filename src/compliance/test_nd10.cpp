#include "compliance/test_nd10.h"

#include "compliance/test_table.h"
#include "engine/data_log.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"

namespace vlt::compliance {

namespace {
constexpr std::uint32_t kEchoToolsMode = 6;
}  // namespace

Test_ND10::Test_ND10(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  AddDataLog(0);
  Append<engine::ESetToolAddress>(framework::kToolAddress);
  Append<engine::ESetToolMode>(kEchoToolsMode);
}

void Test_ND10::Finish() {
  DataLogAt(0)->Stop();
}

}  // namespace vlt::compliance
