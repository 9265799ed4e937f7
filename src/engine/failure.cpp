#include "engine/failure.h"

#include "engine/data_log.h"

namespace vlt::engine {

const char* StateTag(Failure::State state) {
  switch (state) {
    case Failure::State::kPassed:
      return "PASS";
    case Failure::State::kDidNotPass:
      return "DNP ";
    case Failure::State::kUndecided:
      break;
  }
  return "____";
}

std::vector<std::string> Failure::Print(std::uint32_t nowMs) const {
  std::vector<std::string> lines;
  const std::string tag = std::string(StateTag(state_)) + " : ";
  if (text_.size() <= kOneLineChars && note_.size() <= kOneLineChars) {
    lines.push_back(tag + text_ + std::string(kTextColumnChars - text_.size(), ' ') + note_);
  } else {
    lines.push_back(tag + text_);
    lines.push_back("           " + note_);
  }
  if (evidenceLog_ != nullptr && evidenceIndex_ >= 0) {
    lines.push_back("    " + evidenceLog_->FrameText(evidenceIndex_, nowMs));
  }
  return lines;
}

void Failure::Reset() {
  state_ = State::kUndecided;
  note_ = std::string(kUndecidedNote);
  evidenceLog_ = nullptr;
  evidenceIndex_ = -1;
  questioned_ = false;
}

void Failure::SetEvidence(const DataLog* log, int index) {
  if (index >= 0 && log != nullptr) {
    evidenceLog_ = log;
    evidenceIndex_ = index;
  }
}

void Failure::Pass(std::string note, const DataLog* log, int index) {
  if (state_ != State::kUndecided || questioned_) return;
  note_ = std::move(note);
  SetEvidence(log, index);
  state_ = State::kPassed;
}

void Failure::Fail(std::string note, const DataLog* log, int index) {
  note_ = std::move(note);
  SetEvidence(log, index);
  state_ = State::kDidNotPass;
}

void Failure::PassIfUndecided(std::string note) {
  if (state_ != State::kUndecided || questioned_) return;
  note_ = std::move(note);
  state_ = State::kPassed;
}

void Failure::FailIfUndecided(std::string note) {
  if (state_ != State::kUndecided || questioned_) return;
  note_ = std::move(note);
  state_ = State::kDidNotPass;
}

void Failure::FailAdding(std::string note, const DataLog* log, int index) {
  if (state_ != State::kDidNotPass) {
    Fail(std::move(note), log, index);
    return;
  }
  note_ += "; " + note;
}

void Failure::PassAdding(std::string note, const DataLog* log, int index) {
  if (state_ == State::kPassed) {
    note_ += "; " + note;
    return;
  }
  Pass(std::move(note), log, index);
}

void Failure::Question(std::string note, const DataLog* log, int index) {
  if (state_ == State::kDidNotPass) return;
  if (questioned_) {
    note_ += "; " + note;
    return;
  }
  questioned_ = true;
  state_ = State::kUndecided;
  note_ = std::move(note);
  evidenceLog_ = nullptr;
  evidenceIndex_ = -1;
  SetEvidence(log, index);
}

}  // namespace vlt::engine
