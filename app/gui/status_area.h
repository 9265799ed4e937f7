// The status area under the log pane: always in sight, whatever the verbose mode.
// The host link and its run folder, the test that runs (with its elapsed time) or
// ran last (with its verdict in colour and the count of criteria that did not
// pass), and, above them in large type, the prompt a test waits on (with OK when
// the operator confirms an action) and what is left of the time limit it waits under. Below, when
// there is any: where the log was saved, and the window's notes (the host link's news, a hint about
// the profile) that are no part of any report. When room is short, the names give way (the test's
// title, the run folder, the notes), never the verdict, counts or times.
#pragma once

#include <QFrame>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "gui/run_status.h"

class QLabel;
class QPushButton;

namespace vlt::gui {

class ElidedLabel;

class StatusArea final : public QFrame {
  Q_OBJECT

 public:
  explicit StatusArea(QWidget* parent);

  void SetLink(HostLinkState state, const std::string& runFolder);
  // The test shown: its code and title, how it stands and for how long it ran.
  void SetRun(const std::string& code, const std::string& title, const RunOutcome& outcome,
              std::int64_t elapsedMillis);
  // Whether the log pane holds a test log that was not saved.
  void SetLogUnsaved(bool unsaved);
  // The file the log was last saved to (UTF-8); empty hides it.
  void SetSavedTo(const std::string& path);
  // The host link's latest news; empty hides it.
  void SetHostNote(const std::string& line);
  // What the profile should say and does not; empty hides it.
  void SetProfileHint(const std::string& text);
  // Empty hides the prompt.
  void SetPrompt(const std::string& prompt);
  // Whether the prompt waits for the operator's OK (an action on the DUT).
  void SetConfirmable(bool confirmable);
  // What is left of the time limit the prompt waits under; none hides the countdown.
  void SetLimitLeft(std::optional<std::int64_t> millis);

  HostLinkState Link() const { return link_; }
  RunVerdict Verdict() const { return verdict_; }
  QString LinkText() const;
  QString VerdictText() const;
  QString RunText() const;
  QString PromptText() const;
  bool PromptShown() const;
  bool OkShown() const;
  QPushButton* OkButton() const { return ok_; }

 Q_SIGNALS:
  // The operator pressed OK: they have done what the prompt asks.
  void Confirmed();

 public:
  QString CountdownText() const;
  bool CountdownShown() const;
  // Empty while hidden.
  QString SavedText() const;
  QString HostNoteText() const;
  QString ProfileHintText() const;

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Restyle();
  // The prompt in the largest type that shows it on one line, else wrapped in smaller type.
  void FitPrompt();
  // Shows a note label with `text`, and the notes row while any note shows.
  void ShowNote(QLabel* label, const QString& text);

  QLabel* prompt_;
  QPushButton* ok_;
  QLabel* countdown_;
  QLabel* linkDot_;
  ElidedLabel* linkLabel_;
  QLabel* verdictLabel_;
  ElidedLabel* runTest_;
  QLabel* runDetail_;
  QLabel* unsaved_;
  QWidget* notes_;
  QLabel* saved_;
  QLabel* hostNote_;
  QLabel* profileHint_;
  bool linkShown_ = false;
  HostLinkState link_ = HostLinkState::kNotConnected;
  std::string runFolder_;
  RunVerdict verdict_ = RunVerdict::kNone;
};

// The verdict's word, as the badge shows it ("PASS", "DNP", "ABORTED", ...).
QString VerdictWord(RunVerdict verdict);
// "Time limit: 4 s left", whole seconds rounded up (m:ss from a minute on).
QString LimitLeftText(std::int64_t millis);

}  // namespace vlt::gui
