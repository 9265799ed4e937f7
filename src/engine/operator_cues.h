// What a test asks of the person at the bench besides key presses and yes/no
// answers: when to switch the DUT off or on, that it must be running, and what
// to do to it (cause a fault, remove its cause, work its own control). The memo
// lines say it to a person reading the log pane; every front end hears it here,
// at the moment the test is ready: an operator that acts by itself does it, a
// window or a terminal asks the person and reports when they confirmed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vlt::engine {

enum class OperatorCue : std::uint8_t {
  // Nothing to do for an operator that acts by itself: the memo asks a person
  // to see to something the test checks itself (shown until the DUT is heard).
  kNone = 0,
  // The network must be empty: the DUT powered off or disconnected.
  kPowerOff,
  // The test listens for the DUT's first frames: it may be powered now. Given
  // only once every element the prompt let start is started, so a DUT that
  // talks in the millisecond it gets power is heard from its first frame.
  kPowerOn,
  // The DUT must be powered and talking before the test goes on; the test
  // waits until the operator says it is done.
  kNormalOperation,
  // "cause a fault": the DUT must meet a condition it reports as a fault.
  kCauseFault,
  // "remove the cause": the condition goes; the DUT's report of it is judged.
  kRemoveFault,
  // "work the DUT's own control": a switch or button on the device itself.
  kWorkControl,
};

// Whether the test waits until the operator has done what the cue asks.
constexpr bool CueWaits(OperatorCue cue) {
  return cue == OperatorCue::kNormalOperation || cue == OperatorCue::kCauseFault ||
         cue == OperatorCue::kRemoveFault || cue == OperatorCue::kWorkControl;
}

class OperatorCues {
 public:
  virtual ~OperatorCues() = default;
  // On the tick thread; must not wait. `memo` is the line the log pane shows.
  virtual void Cue(OperatorCue cue, std::string_view memo) = 0;
  // A prompt the test answers from the key state ("Press <space> ..."): shown
  // to the operator like a cue, done once the key is down.
  virtual void KeyPrompt(std::string_view /*prompt*/) {}
  // Whether what the last cue asked for is done; asked on the tick thread at
  // every test event while the test waits for it.
  virtual bool CueDone() const { return true; }
  // When it was done, on the clock's own line (platform::Clock::NowMicros):
  // the host's confirmation for an operator that acts by itself, the press of
  // OK or Enter for a person. None while not done, or when not known.
  virtual std::optional<std::int64_t> CueDoneAtMicros() const { return std::nullopt; }
  // A person confirms after acting, so frames since the prompt count; an
  // operator that acts by itself does it at the moment it reports.
  virtual bool PersonActs() const { return true; }
};

}  // namespace vlt::engine
