#include "compliance/compliance_tests.h"

#include <array>

#include "compliance/a100_range_full.h"
#include "compliance/a10_static_boot.h"
#include "compliance/a110_request_response.h"
#include "compliance/a20_a30_static_conflict.h"
#include "compliance/a40_dynamic_boot.h"
#include "compliance/a50_a60_dynamic_startup_conflict.h"
#include "compliance/a70_dynamic_starting_no_conflict.h"
#include "compliance/a80_a90_subsequent_conflict.h"
#include "compliance/test_a_read_address.h"
#include "compliance/test_nd10.h"
#include "dictionary/dictionary.h"

namespace vlt::compliance {

namespace {

struct RunnableTest {
  std::string_view code;
  engine::MakeTestFn make;
};

// In menu order.
constexpr std::array<RunnableTest, 13> kRunnableTests = {{
    {"RAC", engine::MakeRegistered<Test_A_ReadAddress>},
    {"A10", engine::MakeRegistered<Test_A10>},
    {"A20", engine::MakeRegistered<Test_A20>},
    {"A30", engine::MakeRegistered<Test_A30>},
    {"A40", engine::MakeRegistered<Test_A40>},
    {"A50", engine::MakeRegistered<Test_A50>},
    {"A60", engine::MakeRegistered<Test_A60>},
    {"A70", engine::MakeRegistered<Test_A70>},
    {"A80", engine::MakeRegistered<Test_A80>},
    {"A90", engine::MakeRegistered<Test_A90>},
    {"A100", engine::MakeRegistered<Test_A100>},
    {"A110", engine::MakeRegistered<Test_A110>},
    {"ND10", engine::MakeRegistered<Test_ND10>},
}};

}  // namespace

std::unique_ptr<engine::Test> MakeTest(std::string_view code, const engine::TestContext& context) {
  for (const RunnableTest& t : kRunnableTests) {
    if (t.code == code) return t.make(context);
  }
  return nullptr;
}

std::vector<std::string> RunnableCodes() {
  std::vector<std::string> codes;
  for (const RunnableTest& t : kRunnableTests) codes.emplace_back(t.code);
  return codes;
}

void AttachDictionary(engine::TestContext& context, const dictionary::Dictionary& dictionary) {
  context.signalValue = [&dictionary](const framework::FrameRecord& frame,
                                      const std::string& name) {
    return dictionary.ValueOf(name, frame);
  };
  context.decodeFrame = [&dictionary](const framework::FrameRecord& frame) {
    return dictionary.DecodeToText(frame);
  };
}

engine::TestFactory MakeSkipFactory() {
  engine::TestFactory factory;
  for (const RunnableTest& t : kRunnableTests) factory.Register(t.code, t.make);  // RAC is refused
  return factory;
}

}  // namespace vlt::compliance
