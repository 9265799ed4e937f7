// The tester's link to its host: registration, the receive and send passes the
// tick thread runs every loop, the control queue, writing messages, and closing
// with the removal handshake.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "framework/host_protocol.h"
#include "framework/log_output.h"
#include "framework/parser.h"
#include "platform/clock.h"
#include "platform/mailslots.h"
#include "platform/prompter.h"

namespace vlt::framework {

// One entry of the control queue; kind 0 goes out as 80h, kind 2 as 82h, others as 86h.
struct ControlItem {
  std::uint8_t byteArgument = 0;
  std::uint32_t wordArgument = 0;
  std::uint32_t kind = 0;
};

// What the receive pass counted besides the messages it handled normally.
struct LinkCounters {
  std::uint32_t malformed = 0;    // shorter than their layout, or a length past the message
  std::uint32_t unknownType = 0;  // read, counted and ignored
  std::uint32_t readFailures = 0;
  std::uint32_t framesCut = 0;      // data beyond the record's 1785 bytes dropped
  std::uint32_t framesDropped = 0;  // arrived while frames were not enabled
  // Every frame message read, dropped or not: the host's count of frames sent
  // must meet it, or frames were lost on the way.
  std::uint32_t framesReceived = 0;
};

class BRLink {
 public:
  enum class State : std::int32_t {
    kNotStarted = 0,  // nothing sent yet
    kRegistered = 1,  // registration sent, no answer yet
    kConnected = 2,   // the host acknowledged and gave a tool id
    kClosed = 3,      // the host said goodbye, or the removal countdown ran out
    kFailed = 4,      // a mailslot could not be opened
  };

  static constexpr std::uint32_t kRemovalCountdownPeriods = 60;
  // Under a flood the tick thread must still step the test; the rest waits one loop.
  static constexpr int kMaxMessagesPerPass = 4096;
  // How long, and for how many frames, a transmission waits for the host's echo.
  static constexpr std::int64_t kOwnEchoWaitMicros = 2'000'000;
  static constexpr std::size_t kMaxAwaitedEchoes = 64;

  BRLink(platform::Mailslots& mailslots, platform::Clock& clock, platform::Prompter& prompter,
         LogOutput& log);

  // Opens the mailslots and registers (failures are shown and leave the state at
  // 4, with the link down).
  void Open();

  // Reads and dispatches every pending message, then sends at most one control item.
  void ReceivePass();
  void SendPass();

  // Writes one message; only while connected. False when not written. A mode
  // message (E2h) makes the mode unknown until the host's next report.
  bool Write(std::span<const std::uint8_t> message);
  // A transmit message (01h) with priority 6.
  bool Transmit(std::uint8_t sourceAddress, std::uint32_t dgn, std::span<const std::uint8_t> data);
  bool Transmit(std::uint8_t sourceAddress, std::uint32_t dgn, std::span<const std::uint8_t> data,
                std::uint8_t priority);
  void QueueControl(const ControlItem& item);
  std::size_t ControlQueueSize() const;

  // --- the link's health; the host watchdog (HostWatchdog) judges and mends it ---
  // Down: the host was never reached, closed the link, or stopped answering. A
  // running test aborts, naming DownReason(). The host's acknowledgement of a
  // new registration ends it.
  bool Down() const { return down_.load(); }
  std::string DownReason() const;
  void MarkDown(std::string reason);
  // Window thread, while down: opens the host's slot (and the tool's own, when
  // start-up could not) and writes the registration again. True when it went
  // out; the state is then 1 until the host acknowledges.
  bool Reregister();
  // Where the host is looked for (the run folder), for the operator's messages.
  std::string HostLocation() const { return mailslots_.HostLocation(); }
  // Receive passes run so far in a state that reads (registered or connected):
  // silence only counts while the tool keeps reading.
  std::uint32_t PollCount() const { return polls_.load(); }
  // The clock the link stamps with; the watchdog measures silence on it.
  const platform::Clock& TimeSource() const { return clock_; }

  // Shutdown, first half: the removal message (whatever the state) and the
  // countdown. The link never registers again after it.
  void BeginClose();
  bool Closing() const { return closing_.load(); }
  // The tick thread's countdown; sets the state to closed when it runs out.
  void CountDownRemoval();

  State GetState() const { return state_.load(); }
  std::uint32_t ToolId() const { return toolId_.load(); }
  const std::string& ToolName() const { return toolName_; }
  std::uint32_t ReceivedCount() const { return received_.load(); }
  std::uint32_t RemovalCountdown() const { return removalCountdown_.load(); }
  void SetRemovalCountdown(std::uint32_t periods) { removalCountdown_.store(periods); }
  bool FramesEnabled() const { return framesEnabled_.load(); }
  void EnableFrames(bool enabled) { framesEnabled_.store(enabled); }
  std::uint8_t HostMode() const { return hostMode_.load(); }
  std::uint8_t HostEcho() const { return hostEcho_.load(); }
  // The tool mode (0 to 7, or FFh unknown) from the host's last mode report.
  std::uint32_t CurrentToolMode() const { return ToolModeFromHostMode(HostMode(), HostEcho()); }
  LinkCounters Counters() const;

  // The period counter of the tick thread: 1, 2, ..., 100, 0, 1, ...
  std::uint32_t TickCount() const { return tickCount_.load(); }
  std::uint32_t AdvanceTickCount();

  ParserRegistry& Parsers() { return parsers_; }

 private:
  void Dispatch(std::span<const std::uint8_t> bytes);
  bool WriteAnyState(std::span<const std::uint8_t> message);
  // The steps of opening that have not succeeded yet; 0 or the error code.
  int OpenSlots();
  // A transmission the host will echo back (its echo is on): remembered until the echo.
  void AwaitEcho(std::span<const std::uint8_t> transmitMessage);
  // Whether `frame` is the echo of one of this tool's transmissions; a host that
  // reports its echoes under the tool's address gets them back as they went out.
  bool TakeOwnEcho(FrameMessage& frame);

  struct AwaitedEcho {
    std::uint8_t sourceAddress = 0;
    std::uint32_t dgn = 0;
    std::vector<std::uint8_t> data;
    std::int64_t sentMicros = 0;
  };

  platform::Mailslots& mailslots_;
  platform::Clock& clock_;
  platform::Prompter& prompter_;
  LogOutput& log_;

  std::atomic<State> state_{State::kNotStarted};
  std::atomic<std::uint32_t> received_{0};
  mutable std::mutex controlMutex_;
  std::deque<ControlItem> controlQueue_;
  std::atomic<std::uint32_t> toolId_{0};
  std::string toolName_;
  ParserRegistry parsers_;
  std::atomic<std::uint32_t> tickCount_{0};
  std::atomic<std::uint32_t> removalCountdown_{0};
  std::atomic<bool> framesEnabled_{false};
  // Unknown until the host's first report, so a mode query waits for the answer.
  std::atomic<std::uint8_t> hostMode_{0xFF};
  std::atomic<std::uint8_t> hostEcho_{0xFF};

  std::atomic<bool> down_{false};
  mutable std::mutex downMutex_;
  std::string downReason_;
  std::atomic<bool> closing_{false};
  std::atomic<std::uint32_t> polls_{0};
  // Window thread only (Open, Reregister).
  bool hostSlotOpen_ = false;
  bool toolSlotOpen_ = false;

  // Transmit messages come from both threads; the tick thread matches the echoes.
  std::mutex echoMutex_;
  std::deque<AwaitedEcho> awaitedEchoes_;
  std::atomic<bool> echoesAwaited_{false};

  std::array<std::uint8_t, kReadBufferBytes> buffer_{};
  std::atomic<std::uint32_t> malformed_{0}, unknownType_{0}, readFailures_{0}, framesCut_{0},
      framesDropped_{0}, framesReceived_{0};
};

}  // namespace vlt::framework
