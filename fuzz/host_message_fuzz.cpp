// Feeds any datagrams to the tool link's receive pass, as the host's socket would
// hand them over, with the parsers the tester registers listening: the master
// parser, PRODUCT_ID assembly, the activity parser, the main dictionary and a
// recording data log. Input: datagrams, each a 2-byte little-endian length and its
// bytes (a short tail is the last datagram). Besides the sanitizers, it checks what
// a parser is promised of every frame: a DGN of 17 bits, data inside the message.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "dictionary/dictionary.h"
#include "engine/data_log.h"
#include "framework/activity_parser.h"
#include "framework/br_link.h"
#include "framework/master_parser.h"
#include "framework/product_id_parser.h"
#include "support/virtual_time.h"
#include "values/value_maker_shared.h"

namespace {

using namespace vlt;

dictionary::MainDictionary& Dictionary() {
  static const framework::DgnTable target = framework::DgnTable::For(0x80);
  static dictionary::MainDictionary dictionary(values::SharedValueMakers::Instance(), target);
  return dictionary;
}

// The checks, then the dictionary and a data log, as a running test has them.
class CheckingParser : public framework::BRParser {
 public:
  explicit CheckingParser(engine::DataLog& log) : log_(log) {}
  void OnFrame(const framework::FrameMessage& frame) override {
    if (frame.dgn > framework::kDgnMask) std::abort();
    if (frame.data.size() > framework::kMaxFrameDataBytes) std::abort();
    const std::uint8_t* end = frame.raw.data() + frame.raw.size();
    if (!frame.data.empty() &&
        (frame.data.data() < frame.raw.data() || frame.data.data() + frame.data.size() > end)) {
      std::abort();
    }
    Dictionary().OnFrame(frame);
    log_.OnMessage(frame);
  }

 private:
  engine::DataLog& log_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::ManualClock clock;
  testing::ScriptedMailslots mailslots;
  testing::RecordingPrompter prompter;
  framework::LogOutput output;  // no pane: the lines go nowhere
  framework::BRLink link(mailslots, clock, prompter, output);
  framework::CommonTimeBase time(clock);
  engine::DataLog log(time);
  log.Restart();
  const std::uint8_t target = 0x80;
  framework::Registered<framework::BRMasterParser> master(link.Parsers());
  framework::Registered<framework::ProductIDParser> productId(link.Parsers(), &target);
  framework::Registered<framework::ActivityParser> activity(link.Parsers());
  framework::Registered<CheckingParser> checks(link.Parsers(), log);
  link.EnableFrames(true);
  link.Open();
  mailslots.Queue(framework::AcknowledgeMessage(7));
  link.ReceivePass();

  std::size_t at = 0;
  while (at < size) {
    std::size_t length = size - at;
    if (length >= 2) {
      length = std::min<std::size_t>(data[at] | (data[at + 1] << 8), size - at - 2);
      at += 2;
    }
    mailslots.Queue(std::vector<std::uint8_t>(data + at, data + at + length));
    at += length;
  }
  // Several passes, with time moving, as the tick thread reads them.
  while (!mailslots.incoming.empty() && link.GetState() == framework::BRLink::State::kConnected) {
    link.ReceivePass();
    clock.AdvanceMillis(1);
    master.OnTick40();
  }
  for (std::size_t i = 0; i < log.Size(); ++i) (void)log.FrameText(static_cast<int>(i), 0);
  return 0;
}
