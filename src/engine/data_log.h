// DataLog: records the frames a test receives while recording, stamps them
// relative to its own start, offers each new frame to its attached watches and
// prints its frames on request.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/specifier.h"
#include "engine/dictionary_hooks.h"
#include "engine/frame_store.h"
#include "framework/common_time_base.h"
#include "framework/frame_record.h"
#include "framework/host_protocol.h"
#include "framework/log_output.h"

namespace vlt::engine {

class EWatch;

// Follows the frame line of each of the tester's own transmissions in reports,
// so a reader tells the frames the tester put on the bus from the device's.
inline constexpr std::string_view kOwnTransmissionMark = "  (sent by tester)";
// A frame's line in a dump or as evidence: its full text, marked when it is the tester's.
std::string DumpLine(const framework::FrameRecord& frame, bool ownTransmission);

// The frame part of a record (type, DGN, source, data) as a message that
// specifiers can match. The data points into `record`.
framework::FrameMessage MessagePart(const framework::FrameRecord& record);

class DataLog {
 public:
  // The log controls, as EDataLogAction numbers them.
  enum class Action : std::uint32_t {
    kRestart = 0,           // empty the frames, record from now
    kStopKeepingClock = 1,  // relative times keep counting
    kPause = 2,             // the pause is taken out of the clock on resume
    kResume = 3,
    kStop = 4,
    kStartWithoutClear = 5,  // keep the frames, time origin now
  };

  explicit DataLog(const framework::CommonTimeBase& time);
  virtual ~DataLog() = default;
  DataLog(const DataLog&) = delete;
  DataLog& operator=(const DataLog&) = delete;

  // Records a frame message (when recording, of the log's type and accepted by
  // its filter) and offers it to every parsing watch in attachment order.
  virtual void OnMessage(const framework::FrameMessage& message);

  void Restart();
  void StopKeepingClock();
  void Pause();
  void Resume();
  void Stop();
  void StartWithoutClearing();
  // Unknown action numbers do nothing.
  void Apply(std::uint32_t action);
  // Back to the constructed state with no frames; the test's start does this.
  void Clear();

  // "Log size : %d msgs", then each frame's full text line and, for frames that
  // `decoder` matches, the decoded text (when `decode` is given).
  void Dump(framework::LogOutput& log, const data::Specifier* decoder,
            const FrameDecodeFn& decode) const;
  // Frame `index` in its full text form, or a "Beyond end of log." line stamped `nowMs`.
  std::string FrameText(int index, std::uint32_t nowMs) const;

  // Also records 03h messages, with the host's stamps: for a log whose watches
  // read the identifier's priority and reserved bit and time frames only against
  // one another.
  void AcceptStampedFrames(bool on) { acceptStamped_ = on; }

  // The watch is not owned; it must live as long as the log (both belong to the test).
  void Attach(EWatch* watch) { watches_.push_back(watch); }

  // Frame `index` (< Size()) rebuilt as a record.
  framework::FrameRecord Frame(std::size_t index) const { return frames_.At(index); }
  // Frame `index` is the echo of the tester's own transmission; false past the end.
  bool OwnTransmission(int index) const;
  std::size_t Size() const { return frames_.Size(); }
  // Moves on whenever the frames are emptied: index i of one generation is
  // another frame than index i of the next.
  std::uint32_t Generation() const { return generation_; }
  bool Recording() const { return recording_; }
  bool Held() const { return held_; }
  bool PauseClock() const { return pauseClock_; }
  std::uint32_t StartTime() const { return startTime_; }
  std::uint8_t MessageType() const { return messageType_; }

 private:
  std::uint32_t Now() const { return time_.NowMs(); }

  const framework::CommonTimeBase& time_;
  std::uint8_t messageType_ = framework::kMsgFrame;
  bool acceptStamped_ = false;
  // Read by the tick thread's OnFrame while the window thread starts the test.
  std::atomic<bool> recording_{false};
  bool held_ = false;        // stopped with the clock running or paused; nothing reads it
  bool pauseClock_ = false;  // a pause whose length leaves the clock on resume
  std::uint32_t pauseStart_ = 0;
  // Frames carry now minus this; 32 bits, as the record's relative time.
  std::uint32_t startTime_ = 0;
  const data::Specifier* filter_;
  FrameStore frames_;
  std::uint32_t generation_ = 0;
  std::vector<EWatch*> watches_;
};

}  // namespace vlt::engine
