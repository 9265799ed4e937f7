#include "gui/save_questions.h"

namespace vlt::gui {

SaveQuestion ProfileQuestion() {
  return {kSaveProfileStatement, kSaveProfileQuestion, "&Yes", "&No"};
}

SaveQuestion LogQuestion() {
  return {kUnsavedLogStatement, kUnsavedLogQuestion, "&Save Log...", "&Discard Log"};
}

SaveQuestion UnreadNameQuestion(const std::string& warning) {
  return {warning, kUnreadNameQuestion, "&Read ADDRESS_CLAIM", "Run &Anyway"};
}

bool MayClose(OperatorDialogs& dialogs, std::initializer_list<UnsavedWork> work) {
  for (const UnsavedWork& piece : work) {
    if (!piece.unsaved) continue;
    switch (dialogs.AskToSave(piece.question)) {
      case SaveAnswer::kCancel:
        return false;
      case SaveAnswer::kSave:
        if (!piece.save()) return false;
        break;
      case SaveAnswer::kDiscard:
        break;
    }
  }
  return true;
}

}  // namespace vlt::gui
