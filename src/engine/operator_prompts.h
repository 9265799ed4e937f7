// The lines a test writes when the person at the bench must act. The front ends
// hear of them as operator cues, never by reading the log pane.
#pragma once

#include <string_view>

namespace vlt::engine {

inline constexpr std::string_view kPowerOffPrompt =
    "Start with an empty network, DUT powered off or disconnected.";
inline constexpr std::string_view kPowerOnPrompt = "Power Up DUT";
inline constexpr std::string_view kNormalOperationPrompt = "Begin with DUT in normal operation.";
inline constexpr std::string_view kDutAloneOnBusPrompt =
    "Make sure DUT is operating and no other devices are on the network.";
// What the operator does to the DUT; each is its cue's memo line.
inline constexpr std::string_view kCauseFaultPrompt = "cause a fault";
inline constexpr std::string_view kRemoveFaultPrompt = "remove the cause";
inline constexpr std::string_view kWorkControlPrompt = "work the DUT's own control";
// The start of every space-bar prompt ("Press <space> to transmit ...").
inline constexpr std::string_view kSpacePromptStart = "Press <space>";
// The question after an aborted run: its answer decides whether a report is written.
inline constexpr std::string_view kLogAbortedQuestion = "Do you want to log the results?";

}  // namespace vlt::engine
