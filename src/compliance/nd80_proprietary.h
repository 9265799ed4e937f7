// ND-80 Proprietary Messages: in normal operation a device sends no proprietary
// frame to all nodes (EF00h to FFh) and no J1939 proprietary-B frame (FF00h to
// FFFFh); a proprietary frame to one node belongs to service use, which the
// operator judges. Proprietary frames addressed to nodes that do not exist are
// none of the DUT's business: it sends nothing it would not have sent anyway and
// its state stays as it was.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "compliance/command_test.h"
#include "compliance/network_test.h"
#include "engine/watch.h"

namespace vlt::compliance {

// Holds its list until `done` says so or `limitMs` has passed.
class EHoldUntil : public engine::Element {
 public:
  EHoldUntil(engine::Test* test, std::function<std::uint32_t()> limitMs, std::function<bool()> done,
             std::string waiting)
      : Element(test, true, true),
        limitOf_(std::move(limitMs)),
        done_(std::move(done)),
        waiting_(std::move(waiting)) {}
  std::string GetName() const override { return "EHoldUntil"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  std::string WaitingFor() const override { return waiting_; }

 private:
  std::function<std::uint32_t()> limitOf_;
  std::function<bool()> done_;
  std::string waiting_;
  std::uint32_t limitMs_ = 0;
  std::uint32_t startMs_ = 0;
};

// What the DUT sends that ND-80 judges: its proprietary frames, and the state
// bytes of its status.
struct ProprietaryWatch {
  std::vector<int> toAll;   // EF00h to FFh
  std::vector<int> toNode;  // EF00h to one node
  std::vector<int> propB;   // FF00h-FFFFh
  std::uint32_t statusDgn = 0;
  std::uint8_t instance = 0xFF;  // of the status that reports the state; FFh: any
  std::vector<std::size_t> stateBytes;
  std::optional<std::vector<std::uint8_t>> state;  // the latest status's state bytes
  int stateIndex = -1;
  std::uint32_t statusCount = 0;
  // The DUT's rhythm over the sample, per DGN and byte 0: the last frame and the
  // shortest gap. Once `reacting`, a frame of a DGN it did not send in the sample,
  // or one sooner than 80 % of that gap, is a reaction.
  struct Beat {
    std::uint32_t lastMs = 0;
    std::optional<std::uint32_t> minGapMs;
  };
  std::map<std::uint32_t, Beat> beats;
  bool reacting = false;
  std::optional<std::uint32_t> proprietarySentMs;  // the tester's latest
  std::vector<std::pair<int, std::string>> reactions;
};

class EWatchProprietary : public engine::EWatch {
 public:
  EWatchProprietary(engine::Test* test, engine::DataLog* log, const std::uint8_t* dut,
                    ProprietaryWatch* seen)
      : EWatch(test, log), dut_(dut), seen_(seen) {
    SetHolds(false);
    SetBlocks(false);
  }
  std::string GetName() const override { return "EWatchProprietary"; }
  void Start() override;
  void OnMatch(engine::DataLog& log, int index, const framework::FrameRecord& frame) override;

 private:
  const std::uint8_t* dut_;
  ProprietaryWatch* seen_;
};

class Test_ND80 : public NetworkTest {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 30;
  static constexpr std::uint16_t kToAll = 0x1E01;
  static constexpr std::uint16_t kPropB = 0x1E02;
  static constexpr std::uint16_t kInService = 0x1E03;
  static constexpr std::uint16_t kReacts = 0x1E04;
  static constexpr std::uint16_t kStateChanged = 0x1E05;
  static constexpr std::size_t kTargets = 3;
  // Long enough for a status sent every 5000 ms + 20 %.
  static constexpr std::uint32_t kStatusWaitMs = 6000;

  explicit Test_ND80(const engine::TestContext& context);
  void Finish() override;

 private:
  void Prepare();
  void ChooseTargets();
  std::optional<engine::RequestPlan> PlanFor(std::size_t target);

  std::bitset<256> inUse_;
  ProprietaryWatch seen_;
  std::vector<std::uint8_t> targets_;
  std::optional<std::vector<std::uint8_t>> stateBefore_;
  int stateBeforeIndex_ = -1;
  std::uint32_t statusesBefore_ = 0;
  bool sent_ = false;
};

}  // namespace vlt::compliance
