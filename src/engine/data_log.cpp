#include "engine/data_log.h"

#include <algorithm>
#include <cstdio>

#include "dictionary/frame_text.h"
#include "engine/watch.h"

namespace vlt::engine {

framework::FrameMessage MessagePart(const framework::FrameRecord& record) {
  framework::FrameMessage message;
  message.type = record.messageType;
  message.dgn = record.dgn;
  message.sourceAddress = record.sourceAddress;
  message.priority = record.priority;
  message.reservedBit = record.reservedBit;
  const std::size_t length = std::min<std::size_t>(record.length, framework::kMaxFrameDataBytes);
  message.data = std::span<const std::uint8_t>(record.data, length);
  return message;
}

DataLog::DataLog(const framework::CommonTimeBase& time)
    : time_(time), filter_(&data::SharedSpecifier()) {}

void DataLog::OnMessage(const framework::FrameMessage& message) {
  const bool typeTaken = message.type == messageType_ ||
                         (acceptStamped_ && message.type == framework::kMsgStampedFrame);
  if (!recording_ || !typeTaken || !filter_->Matches(message)) return;
  // The watches see this record, not the store: a watch may restart the log under them.
  const framework::FrameRecord frame =
      framework::FrameRecord::FromFrame(message, Now(), startTime_);
  frames_.Append(frame, message.ownTransmission);
  const int index = static_cast<int>(frames_.Size()) - 1;
  for (std::size_t i = 0; i < watches_.size(); ++i) {
    EWatch* watch = watches_[i];
    if (watch->IsParsing()) watch->OnLoggedFrame(*this, index, frame);
  }
}

void DataLog::Restart() {
  frames_.Clear();
  ++generation_;
  recording_ = true;
  held_ = false;
  pauseClock_ = false;
  pauseStart_ = 0;
  startTime_ = Now();
}

void DataLog::StopKeepingClock() {
  recording_ = false;
  held_ = true;
  pauseClock_ = false;
  pauseStart_ = Now();
}

void DataLog::Pause() {
  recording_ = false;
  held_ = true;
  pauseClock_ = true;
  pauseStart_ = Now();
}

void DataLog::Resume() {
  if (pauseClock_) startTime_ += Now() - pauseStart_;
  pauseClock_ = false;
  held_ = false;
  recording_ = true;
}

void DataLog::Stop() {
  recording_ = false;
  held_ = false;
  pauseClock_ = false;
}

void DataLog::StartWithoutClearing() {
  startTime_ = Now();
  pauseClock_ = false;
  held_ = false;
  recording_ = true;
}

void DataLog::Apply(std::uint32_t action) {
  switch (static_cast<Action>(action)) {
    case Action::kRestart:
      Restart();
      break;
    case Action::kStopKeepingClock:
      StopKeepingClock();
      break;
    case Action::kPause:
      Pause();
      break;
    case Action::kResume:
      Resume();
      break;
    case Action::kStop:
      Stop();
      break;
    case Action::kStartWithoutClear:
      StartWithoutClearing();
      break;
  }
}

void DataLog::Clear() {
  recording_ = false;
  held_ = false;
  pauseClock_ = false;
  pauseStart_ = 0;
  startTime_ = 0;
  frames_.Clear();
  ++generation_;
}

void DataLog::Dump(framework::LogOutput& log, const data::Specifier* decoder,
                   const FrameDecodeFn& decode) const {
  char size[48];
  std::snprintf(size, sizeof(size), "Log size : %d msgs", static_cast<int>(frames_.Size()));
  log.AppendLogLine(size);
  framework::FrameRecord frame;  // one record reused: a long log is dumped without copies
  for (std::size_t i = 0; i < frames_.Size(); ++i) {
    frames_.Read(i, frame);
    log.AppendLogLine(DumpLine(frame, frames_.OwnTransmission(i)));
    if (decoder != nullptr && decode && decoder->Matches(MessagePart(frame))) {
      log.AppendLogLine(decode(frame));
    }
  }
}

std::string DumpLine(const framework::FrameRecord& frame, bool ownTransmission) {
  std::string line = dictionary::DescribeFrame(frame, true);
  if (ownTransmission) line += kOwnTransmissionMark;
  return line;
}

bool DataLog::OwnTransmission(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < frames_.Size() &&
         frames_.OwnTransmission(static_cast<std::size_t>(index));
}

std::string DataLog::FrameText(int index, std::uint32_t nowMs) const {
  if (index >= 0 && static_cast<std::size_t>(index) < frames_.Size()) {
    const auto at = static_cast<std::size_t>(index);
    return DumpLine(frames_.At(at), frames_.OwnTransmission(at));
  }
  return dictionary::DescribeFrame(framework::FrameRecord::FromText("Beyond end of log.", nowMs),
                                   true);
}

}  // namespace vlt::engine
