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

// The index is the class's own, so the catalogue's titles cannot drift from it.
template <typename T>
constexpr RunnableTest Runnable(std::string_view code) {
  return {code, T::kCatalogueIndex, engine::MakeRegistered<T>};
}

// In menu order.
constexpr std::array<RunnableTest, 13> kRunnableTests = {{
    Runnable<Test_A_ReadAddress>("RAC"),
    Runnable<Test_A10>("A10"),
    Runnable<Test_A20>("A20"),
    Runnable<Test_A30>("A30"),
    Runnable<Test_A40>("A40"),
    Runnable<Test_A50>("A50"),
    Runnable<Test_A60>("A60"),
    Runnable<Test_A70>("A70"),
    Runnable<Test_A80>("A80"),
    Runnable<Test_A90>("A90"),
    Runnable<Test_A100>("A100"),
    Runnable<Test_A110>("A110"),
    Runnable<Test_ND10>("ND10"),
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
