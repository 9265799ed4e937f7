#include "compliance/compliance_tests.h"

#include <atomic>
#include <map>

#include "compliance/test_table.h"
#include "data/data_context.h"
#include "dictionary/dictionary.h"
#include "platform/clock.h"

namespace vlt::compliance {

namespace {

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

}  // namespace

std::unique_ptr<engine::Test> MakeTest(std::string_view code, const engine::TestContext& context) {
  const TestRow* row = FindTest(code);
  return row != nullptr && row->make != nullptr ? row->make(context) : nullptr;
}

std::vector<RunnableTestTitle> RunnableTestTitles() {
  std::vector<RunnableTestTitle> titles;
  for (const TestRow& row : TestTable()) {
    if (row.make != nullptr) {
      titles.push_back({std::string(row.code), Catalogue().Title(row.catalogueIndex)});
    }
  }
  return titles;
}

std::vector<std::string> RunnableCodes() {
  std::vector<std::string> codes;
  for (const TestRow& row : TestTable()) {
    if (row.make != nullptr) codes.emplace_back(row.code);
  }
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
  for (const TestRow& row : TestTable()) {
    if (row.countCriteria != nullptr) (*counts)[std::string(row.code)] = row.countCriteria(context);
  }
  return [counts](std::string_view code) -> std::optional<std::size_t> {
    const auto it = counts->find(code);
    if (it == counts->end()) return std::nullopt;
    return it->second;
  };
}

engine::TestFactory MakeSkipFactory() {
  engine::TestFactory factory;
  for (const TestRow& row : TestTable()) {
    if (row.skippable && row.make != nullptr) factory.Register(row.code, row.make);
  }
  return factory;
}

}  // namespace vlt::compliance
