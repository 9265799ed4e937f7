#include "host/core/host_server.h"

#include <algorithm>

#include "framework/host_protocol.h"

namespace vlt::host {

namespace fw = vlt::framework;

struct HostServer::Tool {
  enum class State {
    kActive,   // registered: gets frames, may transmit
    kClosing,  // removal answered; forgotten once the FEh has gone out
    kGone,     // slot closed or taken over; erased at the next sweep
  };
  std::uint32_t id = 0;
  std::string slotName;
  std::string sender;
  std::unique_ptr<ToolPort> port;
  std::deque<std::vector<std::uint8_t>> queue;
  State state = State::kActive;
};

namespace {

// The host mode byte of the tool's "Silent" mode: the tester sends nothing.
constexpr std::uint8_t kSilentHostMode = 2;

// The slot name becomes a path in the run folder: it must stay a plain name there.
bool UsableSlotName(const std::string& name) {
  return !name.empty() && name.size() <= fw::kMaxToolNameChars && name != "." && name != ".." &&
         name.find('/') == std::string::npos;
}

}  // namespace

std::string CountersText(const HostCounters& c, std::size_t toolCount) {
  std::string text = "tools=" + std::to_string(toolCount);
  auto add = [&text](const char* name, std::uint64_t value) {
    text += ' ';
    text += name;
    text += '=';
    text += std::to_string(value);
  };
  add("received", c.toolMessages);
  add("registrations", c.registrations);
  add("removals", c.removals);
  add("transmits", c.transmits);
  add("mode_sets", c.modeSets);
  add("mode_queries", c.modeQueries);
  add("probes", c.probes);
  add("controls", c.controls);
  add("unknown", c.unknown);
  add("malformed", c.malformed);
  add("unregistered", c.unregistered);
  add("long_transmits", c.longTransmits);
  add("unreachable", c.unreachableTools);
  add("lost", c.lostTools);
  add("bus_frames", c.busFrames);
  add("own_echoes", c.ownEchoes);
  add("sent", c.messagesSent);
  add("dropped", c.messagesDropped);
  add("frames_sent", c.framesSent);
  AppendTransportCounters(c.transport, text);
  return text;
}

HostServer::HostServer(const platform::Clock& clock, HostConfig config, ToolPortFactory portFactory)
    : clock_(clock),
      config_(std::move(config)),
      portFactory_(std::move(portFactory)),
      startMicros_(clock.NowMicros()),
      bus_([this](const BusFrame& frame) {
        if (wire_ != nullptr) wire_->Put(frame);
        FromBus(frame, std::nullopt);
      }),
      // The host stands at the tool's address for sessions addressed to it. Its
      // own answers are the tool's frames: the tools see them in an echo mode only.
      assembler_(kToolAddress,
                 {[this](const TransportMessage& message) { DeliverWhole(message, nullptr); },
                  [this](const BusFrame& frame) {
                    if (echoFlag_ == 1) {
                      DeliverToTools(frame, nullptr);
                    } else if (tap_) {
                      tap_(frame, clock_.NowMicros());  // a recording keeps every bus frame
                    }
                    PutOnWire(frame);
                  },
                  // Only a tester that is there and not silent answers for its address.
                  [this] { return ToolCount() > 0 && hostMode_ != kSilentHostMode; }},
                 counters_.transport),
      sender_({[this](std::uint64_t toolId, const BusFrame& frame) {
                 SendForTool(FindById(toolId), frame);
               },
               [this](std::uint64_t toolId, const TransportMessage& message, bool sent) {
                 if (sent) DeliverWhole(message, FindById(toolId));
               }},
              counters_.transport) {}

HostServer::~HostServer() = default;

std::uint32_t HostServer::HostMicros() const {
  return static_cast<std::uint32_t>(clock_.NowMicros() - startMicros_);
}

void HostServer::Log(const std::string& line) const {
  if (config_.log) config_.log(line);
}

HostServer::Tool* HostServer::FindById(std::uint64_t id) {
  for (auto& tool : tools_) {
    if (tool->state == Tool::State::kActive && tool->id == id) return tool.get();
  }
  return nullptr;
}

HostServer::Tool* HostServer::FindBySender(const std::string& sender) {
  if (sender.empty()) return nullptr;
  for (auto& tool : tools_) {
    if (tool->state == Tool::State::kActive && tool->sender == sender) return tool.get();
  }
  return nullptr;
}

std::size_t HostServer::ToolCount() const {
  return static_cast<std::size_t>(std::count_if(tools_.begin(), tools_.end(), [](const auto& t) {
    return t->state == Tool::State::kActive;
  }));
}

void HostServer::HandleToolMessage(const std::string& sender, std::span<const std::uint8_t> bytes) {
  ++counters_.toolMessages;
  const fw::ToolMessage message = fw::ParseToolMessage(bytes);
  using Kind = fw::ToolMessage::Kind;
  if (message.kind == Kind::kMalformed) {
    ++counters_.malformed;
    return;
  }
  if (message.kind == Kind::kUnknown) {
    ++counters_.unknown;
    return;
  }
  if (message.kind == Kind::kRegister) {
    Register(sender, message.toolName);
    Sweep();
    return;
  }
  Tool* tool = FindBySender(sender);
  if (tool == nullptr) {
    ++counters_.unregistered;
    return;
  }
  switch (message.kind) {
    case Kind::kRemove:
      ++counters_.removals;
      Enqueue(*tool, fw::CloseMessage());
      if (tool->state == Tool::State::kActive) tool->state = Tool::State::kClosing;
      Log("tool " + std::to_string(tool->id) + " (" + tool->slotName + ") removed");
      break;
    case Kind::kTransmit:
      Transmit(*tool, message.sourceAddress, message.dgn, message.priority, message.data);
      break;
    case Kind::kSetMode:
      if (message.hostMode == fw::kQueryModeByte && message.echoFlag == fw::kQueryModeByte) {
        ++counters_.modeQueries;
      } else {
        ++counters_.modeSets;
        hostMode_ = message.hostMode;
        echoFlag_ = message.echoFlag;
      }
      Enqueue(*tool, fw::ModeReportMessage(hostMode_, echoFlag_));
      break;
    case Kind::kProbe:
      // Answered so that a quiet bus does not look like a dead host to the tool.
      ++counters_.probes;
      Enqueue(*tool, fw::ModeReportMessage(hostMode_, echoFlag_));
      break;
    case Kind::kControl:
      ++counters_.controls;
      break;
    case Kind::kRegister:
    case Kind::kUnknown:
    case Kind::kMalformed:
      break;
  }
  Sweep();
}

void HostServer::Register(const std::string& sender, const std::string& slotName) {
  if (!UsableSlotName(slotName)) {
    ++counters_.malformed;
    return;
  }
  // A tool that registers again, or a new tool in the slot of an old one, takes
  // the place of the old entry: nothing queued for the old one may reach it.
  for (auto& tool : tools_) {
    if (tool->state == Tool::State::kGone) continue;
    if ((!sender.empty() && tool->sender == sender) || tool->slotName == slotName) {
      Forget(*tool, "replaced by a new registration");
    }
  }
  std::unique_ptr<ToolPort> port = portFactory_ ? portFactory_(slotName) : nullptr;
  if (!port) {
    ++counters_.unreachableTools;
    Log("registration of " + slotName + " ignored: its slot cannot be opened");
    return;
  }
  auto tool = std::make_unique<Tool>();
  tool->id = nextToolId_++;
  tool->slotName = slotName;
  tool->sender = sender;
  tool->port = std::move(port);
  Tool& added = *tool;
  tools_.push_back(std::move(tool));
  ++counters_.registrations;
  Log("tool " + std::to_string(added.id) + " registered: " + slotName);
  Enqueue(added, fw::AcknowledgeMessage(added.id));
}

void HostServer::Transmit(Tool& tool, std::uint8_t sourceAddress, std::uint32_t dgn,
                          std::uint8_t priority, std::span<const std::uint8_t> data) {
  ++counters_.transmits;
  if (data.size() > kMaxCanDataBytes) {
    TransportMessage message;
    message.priority = static_cast<std::uint8_t>(priority & 7);
    message.dgn = WireDgnOf(dgn);
    message.sourceAddress = sourceAddress;
    message.data.assign(data.begin(), data.end());
    if (!sender_.Send(tool.id, std::move(message), clock_.NowMicros())) ++counters_.longTransmits;
    return;
  }
  const auto frame = MakeBusFrame(priority, WireDgnOf(dgn), sourceAddress, data);
  if (frame) SendForTool(&tool, *frame);
}

void HostServer::SendForTool(Tool* tool, const BusFrame& frame) {
  // The tool's own frame comes back only in an echo mode, as the tool asked for,
  // once and as the bus carried it: the tool knows its own transmissions.
  const bool echo = echoFlag_ == 1;
  DeliverToTools(frame, echo ? nullptr : tool);
  if (echo && tool != nullptr) ++counters_.ownEchoes;
  PutOnWire(frame);
}

void HostServer::DeliverWhole(const TransportMessage& message, Tool* sender) {
  const bool echo = echoFlag_ == 1;
  const std::vector<std::uint8_t> bytes =
      FrameMessage(message.dgn, message.sourceAddress, message.priority, message.reservedBit,
                   message.data, busStamp_);
  for (auto& tool : tools_) {
    if (tool->state == Tool::State::kActive && (echo || tool.get() != sender)) {
      Enqueue(*tool, bytes);
    }
  }
  if (echo && sender != nullptr) ++counters_.ownEchoes;
}

void HostServer::FromBus(const BusFrame& frame, std::optional<std::int64_t> stampMicros) {
  DeliverToTools(frame, nullptr, stampMicros);
  // The raw TP frames went to the tools above: they see the bus as it is, and a
  // watch that times the device's first frames must see its TP.CM too. A message
  // completed by this frame carries the frame's stamp.
  const std::int64_t now = clock_.NowMicros();
  busStamp_ = stampMicros;
  if (!sender_.OnFrame(frame, now)) assembler_.OnFrame(frame, now);
  busStamp_.reset();
}

void HostServer::PutOnWire(const BusFrame& frame) {
  bus_.TransmitFromHost(frame, clock_.NowMicros());
  if (wire_ != nullptr) wire_->Put(frame);
}

void HostServer::ReceiveBusFrame(const BusFrame& frame, std::optional<std::int64_t> stampMicros) {
  // The devices hear it before any answer the host's transport gives to it.
  bus_.TransmitFromHost(frame, clock_.NowMicros());
  FromBus(frame, stampMicros);
  Sweep();
}

void HostServer::SetDut(std::unique_ptr<SimDevice> dut) {
  dut_ = dut ? &bus_.Attach(std::move(dut)) : nullptr;
}

void HostServer::SetTraffic(std::unique_ptr<SimDevice> traffic) {
  traffic_ = traffic ? &bus_.Attach(std::move(traffic)) : nullptr;
}

void HostServer::CountSent(std::span<const std::uint8_t> message) {
  ++counters_.messagesSent;
  if (!message.empty() && (message[0] == fw::kMsgFrame || message[0] == fw::kMsgStampedFrame)) {
    ++counters_.framesSent;
  }
}

void HostServer::RunDue() {
  const std::int64_t now = clock_.NowMicros();
  bus_.RunDue(now);
  sender_.RunDue(now);
  assembler_.RunDue(now);
  Sweep();
}

std::optional<std::int64_t> HostServer::NextDeadlineMicros() const {
  std::optional<std::int64_t> next = bus_.NextDeadlineMicros();
  for (const auto due : {sender_.NextDeadlineMicros(), assembler_.NextDeadlineMicros()}) {
    if (due && (!next || *due < *next)) next = due;
  }
  return next;
}

std::vector<std::uint8_t> HostServer::FrameMessage(std::uint32_t wireDgn,
                                                   std::uint8_t sourceAddress,
                                                   std::uint8_t priority, std::uint8_t reservedBit,
                                                   std::span<const std::uint8_t> data,
                                                   std::optional<std::int64_t> stampMicros) const {
  const std::uint32_t toolDgn =
      fw::ToolDgnOfIdentifier(MakeIdentifier(priority, wireDgn, sourceAddress));
  // The 03h stamp wraps with its 32 bits, as the host's own count does.
  const std::uint32_t stamp =
      stampMicros ? static_cast<std::uint32_t>(*stampMicros - startMicros_) : HostMicros();
  return config_.stampedFrames ? fw::StampedFrameMessageBytes(toolDgn, sourceAddress, stamp,
                                                              priority, reservedBit, data)
                               : fw::FrameMessageBytes(toolDgn, sourceAddress, data);
}

std::vector<std::uint8_t> HostServer::FrameMessage(const BusFrame& frame,
                                                   std::optional<std::int64_t> stampMicros) const {
  return FrameMessage(frame.Dgn(), frame.SourceAddress(), frame.Priority(), frame.ReservedBit(),
                      frame.Data(), stampMicros);
}

void HostServer::DeliverToTools(const BusFrame& frame, const Tool* skip,
                                std::optional<std::int64_t> stampMicros) {
  ++counters_.busFrames;
  if (tap_) tap_(frame, stampMicros.value_or(clock_.NowMicros()));
  const std::vector<std::uint8_t> message = FrameMessage(frame, stampMicros);
  for (auto& tool : tools_) {
    if (tool->state == Tool::State::kActive && tool.get() != skip) Enqueue(*tool, message);
  }
}

void HostServer::Enqueue(Tool& tool, std::span<const std::uint8_t> message) {
  if (tool.state == Tool::State::kGone) return;
  if (tool.queue.empty()) {
    switch (tool.port->TrySend(message)) {
      case ToolPort::SendResult::kSent:
        CountSent(message);
        return;
      case ToolPort::SendResult::kGone:
        Forget(tool, "lost: its slot is closed");
        ++counters_.lostTools;
        return;
      case ToolPort::SendResult::kBusy:
        break;
    }
  }
  if (tool.queue.size() >= config_.maxQueuedMessages) {
    ++counters_.messagesDropped;
    return;
  }
  tool.queue.emplace_back(message.begin(), message.end());
}

void HostServer::FlushTool(Tool& tool) {
  while (tool.state != Tool::State::kGone && !tool.queue.empty()) {
    const auto result = tool.port->TrySend(tool.queue.front());
    if (result == ToolPort::SendResult::kBusy) return;
    if (result == ToolPort::SendResult::kGone) {
      Forget(tool, "lost: its slot is closed");
      ++counters_.lostTools;
      return;
    }
    CountSent(tool.queue.front());
    tool.queue.pop_front();
  }
}

void HostServer::Flush() {
  for (auto& tool : tools_) FlushTool(*tool);
  Sweep();
}

void HostServer::Forget(Tool& tool, const char* why) {
  if (tool.state == Tool::State::kActive) {
    Log("tool " + std::to_string(tool.id) + " (" + tool.slotName + ") " + why);
  }
  tool.state = Tool::State::kGone;
  tool.queue.clear();
}

void HostServer::Sweep() {
  for (auto& tool : tools_) {
    if (tool->state == Tool::State::kClosing && tool->queue.empty()) {
      tool->state = Tool::State::kGone;
    }
  }
  std::erase_if(tools_, [](const auto& tool) { return tool->state == Tool::State::kGone; });
}

bool HostServer::HasPendingOutput() const {
  return std::any_of(tools_.begin(), tools_.end(), [](const auto& t) { return !t->queue.empty(); });
}

void HostServer::PendingOutputFds(std::vector<int>& fds) const {
  for (const auto& tool : tools_) {
    if (!tool->queue.empty() && tool->port->WaitFd() >= 0) fds.push_back(tool->port->WaitFd());
  }
}

void HostServer::ForgetAllTools() {
  for (auto& tool : tools_) Forget(*tool, "forgotten: the host ended without a word");
  Sweep();
}

void HostServer::Restart() {
  ForgetAllTools();
  assembler_.ForgetSessions();
  sender_.ForgetSessions();
  hostMode_ = kStartHostMode;
  echoFlag_ = kStartEchoFlag;
}

void HostServer::CloseAllTools() {
  for (auto& tool : tools_) {
    if (tool->state != Tool::State::kActive) continue;
    tool->queue.clear();
    tool->state = Tool::State::kClosing;
    Enqueue(*tool, fw::CloseMessage());
  }
  Sweep();
}

}  // namespace vlt::host
