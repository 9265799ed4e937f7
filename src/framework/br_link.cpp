#include "framework/br_link.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace vlt::framework {

namespace {
constexpr const char* kInitErrorCaption = "Module Initialization Error";

std::string WithCode(const char* text, int code) {
  char buffer[128];
  std::snprintf(buffer, sizeof(buffer), text, code);
  return buffer;
}

std::string NoHostText(const std::string& where) {
  return "No host answers at " + where +
         ": start vlt-host there, or set VLT_RUN_DIR to the run folder of the vlt-host that runs.";
}

std::string ToolSlotText(const std::string& where, int code) {
  return "The tester's own slot in " + where + " could not be made (code " + std::to_string(code) +
         ").";
}
}  // namespace

BRLink::BRLink(platform::Mailslots& mailslots, platform::Clock& clock, platform::Prompter& prompter,
               LogOutput& log)
    : mailslots_(mailslots), clock_(clock), prompter_(prompter), log_(log) {}

void BRLink::Open() {
  char name[16];
  std::snprintf(name, sizeof(name), "MORVEL%03d", clock_.UtcMillisecondField() % 1000);
  toolName_ = name;

  if (const int error = OpenSlots(); error != 0) {
    state_ = State::kFailed;
    // With the host's slot open, it is the tester's own slot that failed: no
    // host to start, but a folder to look at.
    MarkDown(hostSlotOpen_ ? ToolSlotText(HostLocation(), error) : NoHostText(HostLocation()));
    prompter_.MessageBox(
        kInitErrorCaption,
        WithCode(hostSlotOpen_ ? "An error has occurred with the Brantel connection.  Code %4x"
                               : "This program must be run through Brantel.  Code %4x",
                 error));
    return;
  }
  WriteAnyState(RegistrationMessage(toolName_));
  state_ = State::kRegistered;
}

int BRLink::OpenSlots() {
  if (!hostSlotOpen_) {
    if (const int error = mailslots_.OpenHost(); error != 0) return error;
    hostSlotOpen_ = true;
  }
  if (!toolSlotOpen_) {
    if (const int error = mailslots_.CreateToolSlot(toolName_); error != 0) return error;
    toolSlotOpen_ = true;
  }
  return 0;
}

bool BRLink::Reregister() {
  if (closing_.load() || !down_.load()) return false;
  // A host that left may come back under the same path: look for it anew.
  hostSlotOpen_ = false;
  if (OpenSlots() != 0) return false;
  // The new host's mode is its own until it reports it.
  hostMode_ = 0xFF;
  hostEcho_ = 0xFF;
  // Before the write: an acknowledgement read at once must not be overwritten.
  const State before = state_.exchange(State::kRegistered);
  if (WriteAnyState(RegistrationMessage(toolName_))) return true;
  State expected = State::kRegistered;
  state_.compare_exchange_strong(expected, before);
  return false;
}

void BRLink::MarkDown(std::string reason) {
  {
    std::lock_guard lock(downMutex_);
    downReason_ = std::move(reason);
  }
  down_ = true;
}

std::string BRLink::DownReason() const {
  std::lock_guard lock(downMutex_);
  return downReason_;
}

void BRLink::ReceivePass() {
  // Only a pass that may read counts: a link the host closed, or never opened,
  // hears nothing, and no host is silent on it.
  const State now = state_.load();
  if (now == State::kRegistered || now == State::kConnected) ++polls_;
  for (int n = 0; n < kMaxMessagesPerPass; ++n) {
    const State state = state_.load();
    if (state != State::kRegistered && state != State::kConnected) break;
    if (!mailslots_.NextMessageSize()) break;
    ++received_;
    buffer_.fill(0xFF);
    const auto read = mailslots_.Read(buffer_);
    if (!read) {
      // The buffer holds only the fill; reading it as a message would fake an
      // acknowledgement, so the message is dropped and the pass ends here.
      ++readFailures_;
      log_.AppendLogLine("Mailslot read failed.");
      break;
    }
    Dispatch(std::span<const std::uint8_t>(buffer_.data(), std::min(*read, buffer_.size())));
  }
  SendPass();
}

void BRLink::Dispatch(std::span<const std::uint8_t> bytes) {
  const HostMessage message = ParseHostMessage(bytes);
  switch (message.kind) {
    case HostMessage::Kind::kAcknowledge:
      toolId_ = message.toolId;
      state_ = State::kConnected;
      down_ = false;
      break;
    case HostMessage::Kind::kClose:
      state_ = State::kClosed;
      toolId_ = 0;
      if (!closing_.load()) {
        MarkDown("The link to the host is lost: the host at " + HostLocation() + " closed it.");
      }
      break;
    case HostMessage::Kind::kFrame: {
      ++framesReceived_;
      if (message.dataCut) ++framesCut_;
      FrameMessage frame = message.frame;
      frame.ownTransmission = TakeOwnEcho(frame);
      if (!framesEnabled_.load()) {
        ++framesDropped_;
        break;
      }
      parsers_.ForEach([&](BRParser& parser) { parser.OnFrame(frame); });
      break;
    }
    case HostMessage::Kind::kModeReport:
      hostMode_ = message.hostMode;
      hostEcho_ = message.echoFlag;
      break;
    case HostMessage::Kind::kUnknown:
      ++unknownType_;
      break;
    case HostMessage::Kind::kMalformed:
      ++malformed_;
      break;
  }
}

void BRLink::SendPass() {
  if (state_.load() != State::kConnected) return;
  ControlItem item;
  {
    std::lock_guard lock(controlMutex_);
    if (controlQueue_.empty()) return;
    item = controlQueue_.back();  // the most recently queued item goes first
    controlQueue_.pop_back();
  }
  const std::uint8_t type = item.kind == 0   ? kMsgControlByte
                            : item.kind == 2 ? kMsgControlWord
                                             : kMsgControlOther;
  Write(ControlMessage(type, toolId_.load(), item.byteArgument, item.wordArgument));
}

bool BRLink::Write(std::span<const std::uint8_t> message) {
  if (state_.load() != State::kConnected) return false;
  if (!message.empty() && message[0] == kMsgTransmit && hostEcho_.load() == 1) {
    AwaitEcho(message);
  }
  if (!message.empty() && message[0] == kMsgSetMode) {
    // The host answers every E2h with a report: until it comes, the last one may
    // predate a mode change still on its way (a restore sent at the end of the
    // last run), and a test would take that old mode for the host's.
    hostMode_ = 0xFF;
    hostEcho_ = 0xFF;
  }
  return mailslots_.Write(message);
}

void BRLink::AwaitEcho(std::span<const std::uint8_t> transmitMessage) {
  const ToolMessage sent = ParseToolMessage(transmitMessage);
  if (sent.kind != ToolMessage::Kind::kTransmit) return;
  std::lock_guard lock(echoMutex_);
  if (awaitedEchoes_.size() >= kMaxAwaitedEchoes) awaitedEchoes_.pop_front();
  awaitedEchoes_.push_back({sent.sourceAddress, sent.dgn & kDgnMask,
                            std::vector<std::uint8_t>(sent.data.begin(), sent.data.end()),
                            clock_.NowMicros()});
  echoesAwaited_ = true;
}

bool BRLink::TakeOwnEcho(FrameMessage& frame) {
  if (!echoesAwaited_.load()) return false;
  std::lock_guard lock(echoMutex_);
  const std::int64_t now = clock_.NowMicros();
  // Echoes come back in the order sent; one that never came (echo switched off
  // meanwhile) must not make a device's frame look like the tool's much later.
  while (!awaitedEchoes_.empty() && now - awaitedEchoes_.front().sentMicros > kOwnEchoWaitMicros) {
    awaitedEchoes_.pop_front();
  }
  const auto match =
      std::find_if(awaitedEchoes_.begin(), awaitedEchoes_.end(), [&](const AwaitedEcho& sent) {
        return sent.dgn == frame.dgn &&
               (sent.sourceAddress == frame.sourceAddress || frame.sourceAddress == kToolAddress) &&
               std::equal(sent.data.begin(), sent.data.end(), frame.data.begin(), frame.data.end());
      });
  const bool own = match != awaitedEchoes_.end();
  if (own) {
    frame.sourceAddress = match->sourceAddress;
    awaitedEchoes_.erase(match);
  }
  echoesAwaited_ = !awaitedEchoes_.empty();
  return own;
}

bool BRLink::WriteAnyState(std::span<const std::uint8_t> message) {
  return mailslots_.Write(message);
}

bool BRLink::Transmit(std::uint8_t sourceAddress, std::uint32_t dgn,
                      std::span<const std::uint8_t> data) {
  return Write(TransmitMessage(sourceAddress, dgn, kTransmitPriority, data));
}

bool BRLink::Transmit(std::uint8_t sourceAddress, std::uint32_t dgn,
                      std::span<const std::uint8_t> data, std::uint8_t priority) {
  return Write(TransmitMessage(sourceAddress, dgn, priority, data));
}

void BRLink::QueueControl(const ControlItem& item) {
  std::lock_guard lock(controlMutex_);
  controlQueue_.push_back(item);
}

std::size_t BRLink::ControlQueueSize() const {
  std::lock_guard lock(controlMutex_);
  return controlQueue_.size();
}

void BRLink::BeginClose() {
  closing_ = true;
  WriteAnyState(RemovalMessage(toolId_.load()));
  removalCountdown_ = kRemovalCountdownPeriods;
}

void BRLink::CountDownRemoval() {
  std::uint32_t current = removalCountdown_.load();
  if (current == 0) return;
  removalCountdown_ = --current;
  if (current == 0) state_ = State::kClosed;
}

std::uint32_t BRLink::AdvanceTickCount() {
  std::uint32_t next = tickCount_.load() + 1;
  if (next > 100) next = 0;
  tickCount_ = next;
  return next;
}

LinkCounters BRLink::Counters() const {
  return {malformed_.load(), unknownType_.load(),   readFailures_.load(),
          framesCut_.load(), framesDropped_.load(), framesReceived_.load()};
}

}  // namespace vlt::framework
