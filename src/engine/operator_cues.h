// What a test asks of the person at the bench besides key presses and yes/no
// answers: when to switch the DUT off or on, and that it must be running. The
// memo lines say it to a person reading the log pane; an operator that acts by
// itself (the command line's) hears it here, at the moment the test is ready.
#pragma once

#include <cstdint>

namespace vlt::engine {

enum class OperatorCue : std::uint8_t {
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
};

class OperatorCues {
 public:
  virtual ~OperatorCues() = default;
  // On the tick thread; must not wait for anything.
  virtual void Cue(OperatorCue cue) = 0;
  // Whether what the last cue asked for is done; asked on the tick thread at
  // every test event while the test waits for it.
  virtual bool CueDone() const { return true; }
};

}  // namespace vlt::engine
