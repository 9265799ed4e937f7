// What the command tests share: the DUT's load as the profile names it - the
// command DGN, the status DGN that reports the load, its instance, the data of
// an On, an Off and a refused command, and the bytes of the status that carry
// the state - and commands sent from any address at any priority, answered by
// that status. The tests learn the state On and Off give from the DUT itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compliance/network_test.h"
#include "values/value_maker_bytes.h"

namespace vlt::compliance {

inline constexpr const char* kCommandDgnSetting = "Command DGN";
inline constexpr const char* kStatusDgnSetting = "Status DGN";
inline constexpr const char* kCommandInstanceSetting = "Command Instance";
inline constexpr const char* kCommandOnSetting = "Command On Data";
inline constexpr const char* kCommandOffSetting = "Command Off Data";
inline constexpr const char* kRefusedCommandSetting = "Refused Command Data";
inline constexpr const char* kStateBytesSetting = "Status State Bytes";
inline constexpr const char* kUnusedInstanceSetting = "Unused Instance";
// Long enough to hear two frames of a status sent every 5000 ms + 20 %.
inline constexpr std::uint32_t kLearnStatusMs = 12000;

class CommandTest : public NetworkTest {
 public:
  // The bytes "Status State Bytes" names, in its order.
  using State = std::vector<std::uint8_t>;
  // A status of the load that came after a command, and the state it shows.
  struct Status {
    const engine::RequestReply* reply;
    State state;
  };
  // What a command is to do to the state.
  enum class Kind : std::uint8_t { kOn, kOff };

  void Finish() override;

 protected:
  // `data`: the command data settings the test sends.
  CommandTest(const engine::TestContext& context, std::uint16_t catalogueIndex,
              std::vector<const char*> data);

  // The settings read; the common start, listening until the load's status came
  // twice; a request for the status when none came.
  void AppendCommandStart();
  // A command of `data` (with the instance in byte 0) from `source` at
  // `priority`, answered by the status DGN; nothing when the settings are unusable.
  std::optional<engine::RequestPlan> CommandPlan(const values::FrameBytes& data,
                                                 std::uint8_t source = engine::kTesterAddress,
                                                 std::uint8_t priority = engine::kRequestPriority,
                                                 std::optional<std::uint8_t> instance = {}) const;
  // The same with the data of a setting this test reads.
  std::optional<engine::RequestPlan> CommandPlan(const char* setting,
                                                 std::uint8_t source = engine::kTesterAddress,
                                                 std::uint8_t priority = engine::kRequestPriority,
                                                 std::optional<std::uint8_t> instance = {}) const;

  // The state a frame shows when it is the load's status from the DUT.
  std::optional<State> StateOf(const framework::FrameRecord& frame) const;
  // The last state the DUT reported before frame `index` of the log.
  std::optional<State> StateBefore(const engine::DataLog& log, int index) const;
  // Every status of the load among the replies, in bus order.
  std::vector<Status> Statuses(const engine::RequestOutcome& outcome) const;
  static std::string StateText(const State& state);
  // "On from address 248, priority 7".
  static std::string CommandLabel(Kind kind, const engine::RequestOutcome& outcome);

  // Whether the command gave the state of its kind: the state that kind gave
  // before, or, the first time, any state but the other kind's. Decides
  // `obeyed` (no such status within the listening time) and `late` (it came
  // after the window), with notes that add up.
  bool JudgeObeyed(Kind kind, const engine::RequestOutcome& outcome, engine::DataLog& log,
                   std::uint16_t obeyed, std::uint16_t late);

  bool Usable() const { return usable_; }
  std::uint32_t CommandDgn() const { return commandDgn_; }
  std::uint32_t StatusDgn() const { return statusDgn_; }
  std::uint8_t Instance() const { return instance_; }
  // "state 00 kept" or "state 00 became C8" for each status that differs from
  // `before`; false when one differs.
  bool StateKept(const std::optional<State>& before, const std::vector<Status>& statuses,
                 std::string& note) const;
  // Decides `criterion` "the command changed the state": against the state
  // reported before the command; PASS on frame `passIndex`, with `noStatus` as
  // its note when no status came.
  void JudgeStateKept(std::uint16_t criterion, const engine::RequestOutcome& outcome,
                      const std::vector<Status>& statuses, engine::DataLog& log, int passIndex,
                      const std::string& noStatus);

 private:
  bool ReadSettings();

  std::vector<const char*> dataSettings_;
  std::vector<values::FrameBytes> data_;
  std::uint32_t commandDgn_ = 0;
  std::uint32_t statusDgn_ = 0;
  std::uint8_t instance_ = 0;
  std::vector<std::uint8_t> stateBytes_;
  bool usable_ = false;
  std::string unusable_;  // why not
  // The state each kind of command gave, once seen.
  std::optional<State> onState_;
  std::optional<State> offState_;
};

}  // namespace vlt::compliance
