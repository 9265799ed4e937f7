// What is asked before the window closes with work that would be lost: first the
// test log in the pane (the evidence the operator came for), then a changed
// profile. Each question can be answered Save, Discard or Cancel; Cancel keeps
// the window open.
#pragma once

#include <functional>
#include <initializer_list>

#include "gui/operator_dialogs.h"

namespace vlt::gui {

inline constexpr const char* kSaveProfileStatement = "The data in the profile has changed.";
inline constexpr const char* kSaveProfileQuestion = "Do you wish to save the profile?";
inline constexpr const char* kUnsavedLogStatement =
    "The log pane holds a test log that has not been saved.";
inline constexpr const char* kUnsavedLogQuestion = "Do you wish to save the log?";

SaveQuestion ProfileQuestion();
SaveQuestion LogQuestion();

// One piece of work that may be unsaved, and how to save it (false when the
// save did not happen: the operator cancelled its file dialog, or it failed).
struct UnsavedWork {
  bool unsaved;
  SaveQuestion question;
  std::function<bool()> save;
};

// Asks about each unsaved piece in turn. False when the window must stay open:
// the operator chose Cancel, or a save did not happen.
bool MayClose(OperatorDialogs& dialogs, std::initializer_list<UnsavedWork> work);

}  // namespace vlt::gui
