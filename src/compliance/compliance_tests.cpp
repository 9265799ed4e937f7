#include "compliance/compliance_tests.h"

#include <array>
#include <atomic>
#include <map>

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
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "platform/clock.h"
#include "reports/test_catalogue.h"

namespace vlt::compliance {

namespace {

using CountCriteriaFn = std::size_t (*)(const engine::TestContext& context);

struct RunnableTest {
  std::string_view code;
  std::uint16_t catalogueIndex;
  engine::MakeTestFn make;
  CountCriteriaFn countCriteria;
};

// Unregistered: a test that is only counted never sees a frame.
template <typename T>
std::size_t CriteriaOf(const engine::TestContext& context) {
  const T test(context);
  return test.Criteria().size();
}

// The index is the class's own, so the catalogue's titles cannot drift from it.
template <typename T>
constexpr RunnableTest Runnable(std::string_view code) {
  return {code, T::kCatalogueIndex, engine::MakeRegistered<T>, CriteriaOf<T>};
}

// The application a test is built in to be counted: no host, no operator, no ticks.
class NoHost final : public platform::Mailslots {
 public:
  int OpenHost() override { return -1; }
  int CreateToolSlot(std::string& /*name*/) override { return -1; }
  std::optional<std::size_t> NextMessageSize() override { return std::nullopt; }
  std::optional<std::size_t> Read(std::span<std::uint8_t> /*buffer*/) override {
    return std::nullopt;
  }
  bool Write(std::span<const std::uint8_t> /*message*/) override { return false; }
  void WaitForMessage(std::chrono::microseconds /*limit*/) override {}
};

class NoOperator final : public platform::Prompter, public platform::KeyState {
 public:
  void MessageBox(const std::string& /*caption*/, const std::string& /*text*/) override {}
  bool AskDecision(const std::string& /*statement*/, const std::string& /*question*/) override {
    return false;
  }
  bool IsKeyDown(std::uint8_t /*virtualKey*/) const override { return false; }
};

class NoTicks final : public framework::TickDriver {
 public:
  void Start(framework::TickLoop& /*loop*/) override {}
  void Stop() override {}
  void Idle() override {}
};

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

reports::CriterionCountLookup ProgramCriterionCounts() {
  platform::ManualClock clock;
  NoHost host;
  NoOperator nobody;
  NoTicks ticks;
  framework::BRToolApp app(clock, host, nobody, ticks);
  framework::LogOutput log;
  data::DataContext dataContext(log);
  settings::SettingManager appSettings(dataContext);
  std::atomic<bool> verbose{false};
  const engine::TestContext context{app, appSettings, dataContext, nobody, nobody, verbose};
  auto counts = std::make_shared<std::map<std::string, std::size_t, std::less<>>>();
  for (const RunnableTest& t : kRunnableTests) {
    (*counts)[std::string(t.code)] = t.countCriteria(context);
  }
  return [counts](std::string_view code) -> std::optional<std::size_t> {
    const auto it = counts->find(code);
    if (it == counts->end()) return std::nullopt;
    return it->second;
  };
}

engine::TestFactory MakeSkipFactory() {
  engine::TestFactory factory;
  for (const RunnableTest& t : kRunnableTests) factory.Register(t.code, t.make);  // RAC is refused
  return factory;
}

}  // namespace vlt::compliance
