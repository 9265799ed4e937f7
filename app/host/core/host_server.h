// The host's side of the tool protocol: the tool table, the host's mode and echo
// flag, and the simulated bus. Time comes from the injected clock and tools are
// reached through ToolPorts, so the same core serves real sockets in vlt-host and
// in-process tools in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/buses/bus_frame.h"
#include "host/buses/external_bus.h"
#include "host/buses/sim_bus.h"
#include "host/transport/j1939_transport.h"
#include "platform/clock.h"

namespace vlt::host {

// Where the host's messages to one tool go. Sends never wait: a tool that does not
// take a message now gets it later from the host's queue.
class ToolPort {
 public:
  enum class SendResult {
    kSent,
    kBusy,  // the tool's queue is full; try again when WaitFd() is writable
    kGone,  // the tool's slot is closed; the tool is forgotten
  };
  virtual ~ToolPort() = default;
  virtual SendResult TrySend(std::span<const std::uint8_t> message) = 0;
  // Descriptor that polls writable when the tool can take more; -1 when none.
  virtual int WaitFd() const { return -1; }
};

// Opens the port of a tool from the slot name of its registration; null when the
// slot cannot be reached.
using ToolPortFactory = std::function<std::unique_ptr<ToolPort>(const std::string& slotName)>;

inline constexpr std::size_t kDefaultMaxQueuedMessages = 1'000'000;
// The mode the host starts in: host mode 3 ("Tools" for the tool), echo off.
inline constexpr std::uint8_t kStartHostMode = 3;
inline constexpr std::uint8_t kStartEchoFlag = 0;

struct HostConfig {
  bool stampedFrames = false;  // 03h frame messages with time stamp instead of 00h
  std::size_t maxQueuedMessages = kDefaultMaxQueuedMessages;  // per tool; beyond: dropped
  std::function<void(const std::string&)> log;                // tool registrations and removals
};

struct HostCounters {
  std::uint64_t toolMessages = 0;  // datagrams received from tools
  std::uint64_t registrations = 0;
  std::uint64_t removals = 0;
  std::uint64_t transmits = 0;
  std::uint64_t modeSets = 0;
  std::uint64_t modeQueries = 0;
  std::uint64_t probes = 0;
  std::uint64_t controls = 0;
  std::uint64_t unknown = 0;
  std::uint64_t malformed = 0;
  std::uint64_t unregistered = 0;      // from a sender that is not a registered tool
  std::uint64_t longTransmits = 0;     // more data than a transport message holds: not sent
  std::uint64_t unreachableTools = 0;  // registered with a slot that cannot be opened
  std::uint64_t lostTools = 0;         // slot closed without a removal
  std::uint64_t busFrames = 0;         // frames delivered to the tools
  std::uint64_t ownEchoes = 0;         // a tool's own frames echoed back to it
  std::uint64_t messagesSent = 0;      // messages handed to tools
  std::uint64_t messagesDropped = 0;   // a tool's queue was full
  TransportCounters transport;         // multi-packet messages both ways
  std::uint64_t framesSent = 0;        // of messagesSent, frame messages (00h or 03h)
};

// One line of name=value pairs, for the control socket's "stats".
std::string CountersText(const HostCounters& counters, std::size_t toolCount);

class HostServer {
 public:
  HostServer(const platform::Clock& clock, HostConfig config, ToolPortFactory portFactory);
  ~HostServer();
  HostServer(const HostServer&) = delete;
  HostServer& operator=(const HostServer&) = delete;

  // One datagram from a tool. `sender` identifies the sending socket (its path);
  // empty when the sender has no address.
  void HandleToolMessage(const std::string& sender, std::span<const std::uint8_t> bytes);

  // The one entry for frames from nodes outside this host: every tool and every
  // simulated device gets them. `stampMicros` (host clock) is when the bus saw
  // the frame; without it, now.
  void ReceiveBusFrame(const BusFrame& frame, std::optional<std::int64_t> stampMicros);
  void InjectBusFrame(const BusFrame& frame) { ReceiveBusFrame(frame, std::nullopt); }

  // The wire outside that every frame sent from the host's side goes onto (tools'
  // transmissions, simulated devices' frames); null: the simulated bus alone.
  void SetWire(BusWire* wire) { wire_ = wire; }
  BusWire* Wire() const { return wire_; }
  // Sees every bus frame once, with the host clock time it was seen at.
  using FrameTap = std::function<void(const BusFrame& frame, std::int64_t micros)>;
  void SetFrameTap(FrameTap tap) { tap_ = std::move(tap); }

  SimBus& Bus() { return bus_; }
  // The device that the control commands power; attached to the bus.
  void SetDut(std::unique_ptr<SimDevice> dut);
  // A device outside the host (a process, ...); the host does not own it.
  void SetExternalDut(DevicePower* dut) { dut_ = dut; }
  DevicePower* Dut() const { return dut_; }
  // Background traffic that "traffic on/off" switch; attached to the bus.
  void SetTraffic(std::unique_ptr<SimDevice> traffic);
  SimDevice* Traffic() const { return traffic_; }

  // Runs the simulated devices and the transport sessions whose deadline has come.
  void RunDue();
  std::optional<std::int64_t> NextDeadlineMicros() const;

  // Hands queued messages to the tools as far as they take them.
  void Flush();
  bool HasPendingOutput() const;
  // Descriptors of the tools that have queued messages, to wait on for writing.
  void PendingOutputFds(std::vector<int>& fds) const;

  // Shutdown: drops what is queued and says goodbye (FEh) to every tool.
  void CloseAllTools();
  // A host killed: every tool and what was queued for it is gone, unsaid.
  void ForgetAllTools();
  // A new host in place of one that ended: no tool, no transport session, the
  // start mode and echo flag. The bus and its devices, the counters and the time
  // stamps go on.
  void Restart();

  std::size_t ToolCount() const;  // registered tools, not counting those closing
  std::uint8_t HostMode() const { return hostMode_; }
  std::uint8_t EchoFlag() const { return echoFlag_; }
  const HostCounters& Counters() const { return counters_; }
  // The time stamp of 03h messages: microseconds since the host started.
  std::uint32_t HostMicros() const;
  std::int64_t NowMicros() const { return clock_.NowMicros(); }

 private:
  struct Tool;

  void Register(const std::string& sender, const std::string& slotName);
  void Transmit(Tool& tool, std::uint8_t sourceAddress, std::uint32_t dgn, std::uint8_t priority,
                std::span<const std::uint8_t> data);
  // Every frame heard on the bus, from the simulated devices or an outside node.
  void FromBus(const BusFrame& frame, std::optional<std::int64_t> stampMicros);
  // Every frame the host's side puts on the bus.
  void PutOnWire(const BusFrame& frame);
  // A frame a tool sends (itself, or the host's transport for it): to the other
  // tools, to the tool itself by the echo rule, then onto the bus.
  void SendForTool(Tool* tool, const BusFrame& frame);
  void DeliverToTools(const BusFrame& frame, const Tool* skip,
                      std::optional<std::int64_t> stampMicros = std::nullopt);
  void DeliverWhole(const TransportMessage& message, Tool* sender);
  std::vector<std::uint8_t> FrameMessage(std::uint32_t wireDgn, std::uint8_t sourceAddress,
                                         std::uint8_t priority, std::uint8_t reservedBit,
                                         std::span<const std::uint8_t> data,
                                         std::optional<std::int64_t> stampMicros) const;
  std::vector<std::uint8_t> FrameMessage(const BusFrame& frame,
                                         std::optional<std::int64_t> stampMicros) const;
  Tool* FindById(std::uint64_t id);
  void Enqueue(Tool& tool, std::span<const std::uint8_t> message);
  void FlushTool(Tool& tool);
  void CountSent(std::span<const std::uint8_t> message);
  void Forget(Tool& tool, const char* why);
  void Sweep();
  Tool* FindBySender(const std::string& sender);
  void Log(const std::string& line) const;

  const platform::Clock& clock_;
  HostConfig config_;
  ToolPortFactory portFactory_;
  std::int64_t startMicros_;
  SimBus bus_;
  DevicePower* dut_ = nullptr;
  BusWire* wire_ = nullptr;
  FrameTap tap_;
  SimDevice* traffic_ = nullptr;
  std::vector<std::unique_ptr<Tool>> tools_;  // registration order
  std::uint32_t nextToolId_ = 1;
  std::uint8_t hostMode_ = kStartHostMode;
  std::uint8_t echoFlag_ = kStartEchoFlag;
  HostCounters counters_;
  TransportAssembler assembler_;
  TransportSender sender_;
  std::optional<std::int64_t> busStamp_;  // of the bus frame being handled
};

}  // namespace vlt::host
