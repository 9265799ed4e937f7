// What is asked before work would be lost: before the window closes, first the
// test log in the pane (the evidence the operator came for), then a changed
// profile; before a command empties or replaces the pane, the log. Each question
// can be answered Save, Discard or Cancel; Cancel leaves everything as it was.
// And before a test runs on a profile that cannot be right, what to do instead.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "gui/operator_dialogs.h"

namespace vlt::gui {

inline constexpr const char* kSaveProfileStatement = "The data in the profile has changed.";
inline constexpr const char* kSaveProfileQuestion = "Do you wish to save the profile?";
inline constexpr const char* kUnsavedLogStatement =
    "The log pane holds a test log that has not been saved.";
inline constexpr const char* kUnsavedLogQuestion = "Do you wish to save the log?";

inline constexpr const char* kUnreadNameQuestion = "Read ADDRESS_CLAIM from the DUT first?";

SaveQuestion ProfileQuestion();
SaveQuestion LogQuestion();
// `warning` says why; Save reads the NAME first, Discard runs the test anyway.
SaveQuestion UnreadNameQuestion(const std::string& warning);

// One piece of work that may be unsaved, and how to save it (false when the
// save did not happen: the operator cancelled its file dialog, or it failed).
struct UnsavedWork {
  bool unsaved;
  SaveQuestion question;
  std::function<bool()> save;
};

// Asks about each unsaved piece in turn. False when the window must stay open
// (or the pane keep its text): the operator chose Cancel, or a save did not happen.
bool MayClose(OperatorDialogs& dialogs, std::initializer_list<UnsavedWork> work);

}  // namespace vlt::gui
