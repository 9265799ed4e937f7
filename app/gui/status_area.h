// The status area under the log pane: always in sight, whatever the verbose mode.
// The host link and its run folder, the test that runs (with its elapsed time) or
// ran last (with its verdict in colour and the count of criteria that did not
// pass), and, above them in large type, the prompt a test waits on. Below, when
// there is any: where the log was saved, and the window's notes (the host link's
// news, a hint about the profile) that are no part of any report.
#pragma once

#include <QFrame>
#include <QString>
#include <cstdint>
#include <string>

#include "gui/run_status.h"

class QLabel;

namespace vlt::gui {

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

  HostLinkState Link() const { return link_; }
  RunVerdict Verdict() const { return verdict_; }
  QString LinkText() const;
  QString VerdictText() const;
  QString RunText() const;
  QString PromptText() const;
  bool PromptShown() const;
  // Empty while hidden.
  QString SavedText() const;
  QString HostNoteText() const;
  QString ProfileHintText() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Restyle();
  // Shows a note label with `text`, and the notes row while any note shows.
  void ShowNote(QLabel* label, const QString& text);

  QLabel* prompt_;
  QLabel* linkDot_;
  QLabel* linkLabel_;
  QLabel* verdictLabel_;
  QLabel* run_;
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

}  // namespace vlt::gui
