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
#include "reports/test_catalogue.h"

namespace vlt::compliance {

namespace {

struct RunnableTest {
  std::string_view code;
  std::uint16_t catalogueIndex;
  engine::MakeTestFn make;
};

// In menu order.
constexpr std::array<RunnableTest, 13> kRunnableTests = {{
    {"RAC", 0, engine::MakeRegistered<Test_A_ReadAddress>},
    {"A10", 1, engine::MakeRegistered<Test_A10>},
    {"A20", 2, engine::MakeRegistered<Test_A20>},
    {"A30", 3, engine::MakeRegistered<Test_A30>},
    {"A40", 4, engine::MakeRegistered<Test_A40>},
    {"A50", 5, engine::MakeRegistered<Test_A50>},
    {"A60", 6, engine::MakeRegistered<Test_A60>},
    {"A70", 7, engine::MakeRegistered<Test_A70>},
    {"A80", 8, engine::MakeRegistered<Test_A80>},
    {"A90", 9, engine::MakeRegistered<Test_A90>},
    {"A100", 10, engine::MakeRegistered<Test_A100>},
    {"A110", 11, engine::MakeRegistered<Test_A110>},
    {"ND10", 22, engine::MakeRegistered<Test_ND10>},
}};

}  // namespace

std::unique_ptr<engine::Test> MakeTest(std::string_view code, const engine::TestContext& context) {
  for (const RunnableTest& t : kRunnableTests) {
    if (t.code == code) return t.make(context);
  }
  return nullptr;
}

std::vector<RunnableTestTitle> RunnableTestTitles() {
  std::vector<RunnableTestTitle> titles;
  for (const RunnableTest& t : kRunnableTests) {
    titles.push_back(
        {std::string(t.code), reports::TestCatalogue::Instance().Title(t.catalogueIndex)});
  }
  return titles;
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
