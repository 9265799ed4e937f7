// The request elements the ND tests share: a Request for DGN (or a command) sent
// from the tester's address, global or to one node, and what the device under
// test did about it within the silence time: the DGN asked for (or the status
// that answers a command), an ACKNOWLEDGMENT naming the DGN, or transport frames
// carrying it. Only what the device's own rhythm does not explain counts, and the
// frame leaves at a moment when no periodic frame of the answering DGN can fall
// into its answer window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/device_rhythm.h"
#include "engine/network_messages.h"
#include "engine/watch.h"

namespace vlt::engine {

inline constexpr const char* kToleranceSetting = "250MS Timing Tolerance";
// 250 ms plus the profile's tolerance.
std::uint32_t AnswerWindowMs(Test& test);

struct RequestPlan {
  std::uint32_t dgn = 0;  // asked for, or commanded
  std::uint8_t destination = framework::kGlobalAddress;
  std::uint8_t instance = kNoInstance;
  std::uint8_t bank = kNoInstance;
  std::size_t length = kRvcFrameBytes;  // 3: the J1939 form
  // A command instead of a request: these bytes go out as DGN `dgn` itself (to
  // `destination` when the DGN is destination-specific), and frames of
  // `answerDgn` answer it.
  std::optional<std::vector<std::uint8_t>> command;
  std::optional<std::uint32_t> answerDgn;  // default: `dgn`
  std::uint8_t source = kTesterAddress;
  std::uint8_t priority = kRequestPriority;

  std::uint32_t AnswerDgn() const { return answerDgn.value_or(dgn); }
};

// What the device sent about one request.
struct RequestReply {
  enum class Kind : std::uint8_t {
    kData,            // a frame of the answering DGN (a whole multi-packet message included)
    kAcknowledgment,  // an ACKNOWLEDGMENT naming the requested DGN
    kTransport,       // a TP.CM announcing the DGN, or a TP.DT after one
  };
  Kind kind = Kind::kData;
  int index = -1;             // in the data log
  std::uint32_t delayMs = 0;  // after the request's own frame
  framework::FrameRecord frame{};
};

struct RequestOutcome {
  RequestPlan plan;
  bool sent = false;
  std::uint32_t sentMs = 0;  // the request's (or command's) frame on the bus (common time base)
  int requestIndex = -1;     // its frame in the data log
  std::uint32_t windowMs = 0;
  // The DGN comes by itself so often that a periodic frame could not be kept out
  // of the answer window: an answer later than 80 % of its period is not told
  // from a periodic frame.
  std::optional<std::uint32_t> crowdingPeriodMs;
  std::vector<RequestReply> replies;  // in bus order

  const RequestReply* First(RequestReply::Kind kind) const;
  std::vector<const RequestReply*> All(RequestReply::Kind kind) const;
};

// Sends the request the plan gives at its start (nothing for no plan: the element
// ends at once), listens for `listenMs` after the request's own frame, then hands
// the outcome to `judge`. Holds and blocks until then. `rhythm` must be attached to
// the same log before this element.
class ERequestDgn : public EWatch {
 public:
  using Plan = std::function<std::optional<RequestPlan>()>;
  using Judge = std::function<void(const RequestOutcome&, DataLog&)>;

  ERequestDgn(Test* test, DataLog* log, const EWatchDeviceRhythm* rhythmWatch,
              const DeviceRhythm* rhythm, const std::uint8_t* dut, Plan plan, Judge judge,
              std::uint32_t listenMs = kSilenceMs);
  std::string GetName() const override { return "ERequestDgn"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  void OnLoopStep() override;
  void OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::string WaitingFor() const override;

  const RequestOutcome& Outcome() const { return outcome_; }

 private:
  enum class State : std::uint8_t {
    kIdle,       // not started, or done
    kWaitSlot,   // waiting for a moment free of the DGN's periodic frames
    kSent,       // the request is out; waiting for its own frame
    kListening,  // collecting what the device sends until the silence time is over
  };
  void MoveTo(State next);
  void Step();
  bool SlotFree(std::uint32_t nowMs) const;
  void Send();
  void Finish();
  bool IsOwnRequest(const DataLog& log, int index, const framework::FrameRecord& frame) const;
  std::optional<RequestReply::Kind> ReplyKind(const DataLog& log, int index,
                                              const framework::FrameRecord& frame);

  const EWatchDeviceRhythm* rhythmWatch_;
  const DeviceRhythm* rhythm_;
  const std::uint8_t* dut_;
  Plan plan_;
  Judge judge_;
  std::uint32_t listenMs_;
  State state_ = State::kIdle;
  std::uint32_t stateSinceMs_ = 0;
  std::optional<std::uint32_t> dueBeforeWait_;  // the DGN's next due time when the wait began
  bool transportOpen_ = false;                  // a TP.CM for the DGN came from the device
  bool transportWhole_ = false;                 // and the whole message after it
  std::uint32_t lastTransportMs_ = 0;
  RequestOutcome outcome_;
  DataLog* log_ = nullptr;
};

// Passes the criterion when the reply came within the window, fails it when it
// came later; either way with "<about>: Delay = <ms>".
void JudgeDelay(Test& test, std::uint16_t id, const std::string& about, const RequestReply& reply,
                std::uint32_t windowMs, const DataLog& log);

// The checks of a NAK that answers a request or a command: the
// criteria each one decides (0: not judged). `codeOk` says which codes pass.
struct NakCriteria {
  std::uint16_t code = 0;         // the code is what the test expects
  std::uint16_t requester = 0;    // byte 4 names the tester
  std::uint16_t dgn = 0;          // bytes 5-7 name the DGN
  std::uint16_t destination = 0;  // sent to the tester, not to all
};
// Decides the criteria from one NAK that answers `requester` about `expectedDgn`;
// "DGN 1FEE5: ..." notes.
void JudgeNak(Test& test, const NakCriteria& criteria, const Acknowledgment& ack,
              std::uint32_t expectedDgn, const std::function<bool(std::uint8_t)>& codeOk,
              const DataLog& log, int index, std::uint8_t requester = kTesterAddress);

}  // namespace vlt::engine
