// Failure: one pass/fail criterion of a test, with the note given with the
// decision and optionally the frame that decided it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vlt::engine {

class DataLog;

inline constexpr std::string_view kUndecidedNote = "User must inspect log.";
// Text and note up to this length print on one line, the note from column 68.
inline constexpr std::size_t kOneLineChars = 58;
inline constexpr std::size_t kTextColumnChars = 60;

class Failure {
 public:
  enum class State : std::uint32_t {
    kUndecided = 0,   // "____"
    kPassed = 1,      // "PASS"
    kDidNotPass = 2,  // "DNP "
  };

  explicit Failure(std::string text) : text_(std::move(text)) {}
  virtual ~Failure() = default;

  // The criterion's lines; an evidence frame past the end of its log prints as
  // a "Beyond end of log." line stamped `nowMs`.
  virtual std::vector<std::string> Print(std::uint32_t nowMs) const;
  // Undecided again, keeping the text.
  virtual void Reset();

  // Decides only an undecided criterion.
  void Pass(std::string note, const DataLog* log, int index);
  // Always decides, replacing note and evidence.
  void Fail(std::string note, const DataLog* log, int index);
  void PassIfUndecided(std::string note);
  void FailIfUndecided(std::string note);
  // Fails, or adds the note to the notes of an earlier failure (keeping its evidence).
  void FailAdding(std::string note, const DataLog* log, int index);
  // Passes an undecided criterion, or adds the note to an earlier pass.
  void PassAdding(std::string note, const DataLog* log, int index);
  // Leaves the criterion to the operator ("____") with the note, unless it did not
  // pass: no later pass decides it. A second question adds its note.
  void Question(std::string note, const DataLog* log, int index);
  bool Questioned() const { return questioned_; }

  State GetState() const { return state_; }
  const std::string& Text() const { return text_; }
  const std::string& Note() const { return note_; }
  const DataLog* EvidenceLog() const { return evidenceLog_; }
  int EvidenceIndex() const { return evidenceIndex_; }

 private:
  void SetEvidence(const DataLog* log, int index);

  State state_ = State::kUndecided;
  std::string text_;
  std::string note_{kUndecidedNote};
  const DataLog* evidenceLog_ = nullptr;
  int evidenceIndex_ = -1;
  bool questioned_ = false;
};

const char* StateTag(Failure::State state);

}  // namespace vlt::engine
