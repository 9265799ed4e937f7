// Shared by the data item tests: frames as the host link delivers them, and a
// started application on virtual time that is connected to its host.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "data/data_context.h"
#include "framework/host_protocol.h"
#include "platform/log_pane.h"
#include "support/virtual_time.h"

namespace vlt::data::testing {

using Bytes = std::vector<std::uint8_t>;

// The message bytes and the parsed view that points into them.
struct Delivered {
  Bytes bytes;
  framework::FrameMessage frame;
};

inline Delivered Frame(std::uint32_t dgn, std::uint8_t source, const Bytes& data) {
  Delivered d{framework::FrameMessageBytes(dgn, source, data), {}};
  d.frame = framework::ParseHostMessage(d.bytes).frame;
  return d;
}

inline Delivered StampedFrame(std::uint32_t dgn, std::uint8_t source, const Bytes& data) {
  Delivered d{framework::StampedFrameMessageBytes(dgn, source, 1234, 6, 0, data), {}};
  d.frame = framework::ParseHostMessage(d.bytes).frame;
  return d;
}

// The data bytes of transmit messages.
inline std::vector<Bytes> DataOf(const std::vector<Bytes>& messages) {
  std::vector<Bytes> out;
  for (const auto& m : messages) out.emplace_back(m.begin() + 9, m.end());
  return out;
}

struct ConnectedApp : ::testing::Test {
  platform::ManualClock clock;
  vlt::testing::ScriptedMailslots mailslots;
  vlt::testing::RecordingPrompter prompter;
  vlt::testing::ManualTickDriver driver{clock};
  framework::ValmoraApp app{clock, mailslots, prompter, driver};
  platform::MemoryLogPane pane;
  std::unique_ptr<DataContext> context;

  void SetUp() override {
    app.InitInstance({});
    app.Log().Attach(&pane);
    mailslots.Queue(framework::AcknowledgeMessage(3));
    driver.StepMillis(1);
    mailslots.written.clear();
    context = std::make_unique<DataContext>(app);
  }
  void TearDown() override {
    context.reset();
    app.Log().Detach();
    driver.Stop();
  }
};

}  // namespace vlt::data::testing
