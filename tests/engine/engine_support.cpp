#include "engine_support.h"

#include <gtest/gtest.h>

#include "compliance/test_table.h"
#include "support/golden_file.h"
#include "support/virtual_time.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vlt::engine::testing {

std::tm FixedLocalTime() {
  return vlt::testing::LocalTime(2026, 1, 22, 4, 14, 5, 9);
}

EngineHarness::EngineHarness() {
  app.InitInstance({});
  app.Log().Attach(&pane);
  app.Link().EnableFrames(true);
  appSettings = settings::CreateApplicationSettings(dataContext);
  driver.beforeStep = [this] { AnswerModeMessages(); };
  mailslots.Queue(framework::AcknowledgeMessage(kToolId));
  mailslots.Queue(framework::ModeReportMessage(hostMode, hostEcho));
  Run(1);
  seenWritten_ = mailslots.written.size();
}

EngineHarness::~EngineHarness() {
  driver.beforeStep = nullptr;
  app.RunningTest().Set(nullptr);
  app.Log().Detach();
}

TestContext EngineHarness::Context() {
  return ContextWith(appSettings->Store());
}

TestContext EngineHarness::ContextWith(settings::SettingManager& appStore) {
  return TestContext{.app = app,
                     .appSettings = appStore,
                     .dataContext = dataContext,
                     .keys = keys,
                     .prompter = prompter,
                     .verbose = verbose,
                     .status = &status,
                     .startingProfile = [] { return std::string("/home/lab/profiles/dut.zcf"); },
                     .localTime = FixedLocalTime,
                     .signalValue = signalValue,
                     .decodeFrame = decodeFrame};
}

std::unique_ptr<Test> EngineHarness::MakeTest(std::uint16_t index) {
  return MakeTest(Context(), index);
}

std::unique_ptr<Test> EngineHarness::MakeTest(const TestContext& context, std::uint16_t index) {
  return std::make_unique<framework::Registered<Test>>(app.Link().Parsers(), context, index,
                                                       compliance::IdentityOf(index));
}

void EngineHarness::Frame(std::uint32_t dgn, std::uint8_t source, std::vector<std::uint8_t> data) {
  mailslots.Queue(framework::FrameMessageBytes(dgn, source, data));
}

void EngineHarness::AnswerModeMessages() {
  for (; seenWritten_ < mailslots.written.size(); ++seenWritten_) {
    const framework::ToolMessage m = framework::ParseToolMessage(mailslots.written[seenWritten_]);
    if (!hostAnswersModes) continue;
    // vlt-host answers a probe with a mode report as well.
    const bool probe = m.kind == framework::ToolMessage::Kind::kProbe;
    if (m.kind != framework::ToolMessage::Kind::kSetMode && !probe) continue;
    if (probe) {
      mailslots.Queue(framework::ModeReportMessage(hostMode, hostEcho));
      continue;
    }
    if (m.hostMode != framework::kQueryModeByte) {
      hostMode = m.hostMode;
      hostEcho = m.echoFlag;
    }
    mailslots.Queue(framework::ModeReportMessage(hostMode, hostEcho));
  }
}

std::vector<framework::ToolMessage> EngineHarness::Transmits() const {
  std::vector<framework::ToolMessage> out;
  for (const auto& bytes : mailslots.written) {
    framework::ToolMessage m = framework::ParseToolMessage(bytes);
    if (m.kind == framework::ToolMessage::Kind::kTransmit) out.push_back(m);
  }
  return out;
}

std::vector<std::vector<std::uint8_t>> EngineHarness::ModeMessages() const {
  return mailslots.WrittenOfType(framework::kMsgSetMode);
}

std::vector<std::string> EngineHarness::Lines() const {
  std::vector<std::string> lines;
  const std::string text = pane.Text();
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

::testing::AssertionResult MatchesGolden(const std::string& actual, const std::string& file) {
  return vlt::testing::MatchesGoldenFile(
      actual, std::filesystem::path(VLT_TESTS_DIR) / "engine" / "golden" / file);
}

}  // namespace vlt::engine::testing
