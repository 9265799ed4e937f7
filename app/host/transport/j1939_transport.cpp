#include "host/transport/j1939_transport.h"

#include <algorithm>

namespace vlt::host {

namespace {

constexpr std::int64_t kMicrosPerMs = 1000;
constexpr std::uint8_t kNoLimitPerCts = 0xFF;
constexpr std::uint32_t kTpPgnMask = 0x3FFFF;  // extended data page, data page, PF, PS

constexpr const char* kDropNames[kTransportDropKinds] = {
    "tp_drop_announcement", "tp_drop_lost",    "tp_drop_repeated",
    "tp_drop_out_of_order", "tp_drop_short",   "tp_drop_timeout",
    "tp_drop_replaced",     "tp_drop_aborted", "tp_drop_bad_cts",
};

std::uint8_t PacketsFor(std::size_t size) {
  return static_cast<std::uint8_t>((size + kTpPacketBytes - 1) / kTpPacketBytes);
}

std::uint32_t PgnField(std::span<const std::uint8_t> data) {
  return (data[5] | (data[6] << 8) | (data[7] << 16)) & kTpPgnMask;
}

std::array<std::uint8_t, 8> ControlBytes(std::uint8_t control, std::uint8_t b1, std::uint8_t b2,
                                         std::uint8_t b3, std::uint8_t b4, std::uint32_t pgn) {
  return {control,
          b1,
          b2,
          b3,
          b4,
          static_cast<std::uint8_t>(pgn),
          static_cast<std::uint8_t>(pgn >> 8),
          static_cast<std::uint8_t>(pgn >> 16)};
}

BusFrame TpFrame(std::uint32_t pgn, std::uint8_t destination, std::uint8_t source,
                 const std::array<std::uint8_t, 8>& data) {
  BusFrame frame;
  frame.id = MakeIdentifier(kTpPriority, pgn | destination, source);
  frame.length = 8;
  frame.data = data;
  return frame;
}

bool Pdu1(std::uint32_t dgn) {
  return ((dgn >> 8) & 0xFF) < kFirstBroadcastPduFormat;
}

// The DGN a whole message goes by: a PDU1 group carries its destination.
std::uint32_t MessageDgn(std::uint32_t pgn, std::uint8_t destination) {
  const std::uint32_t dgn = pgn & kDgnMask;
  return Pdu1(dgn) ? (dgn & 0x1FF00) | destination : dgn;
}

}  // namespace

const char* TransportDropName(TransportDrop reason) {
  return kDropNames[static_cast<std::size_t>(reason)];
}

void AppendTransportCounters(const TransportCounters& c, std::string& text) {
  auto add = [&text](const char* name, std::uint64_t value) {
    text += ' ';
    text += name;
    text += '=';
    text += std::to_string(value);
  };
  add("tp_assembled", c.assembled);
  for (std::size_t i = 0; i < kTransportDropKinds; ++i) add(kDropNames[i], c.drops[i]);
  add("tp_stray", c.strayFrames);
  add("tp_sent", c.sent);
  add("tp_send_failed", c.sendFailed);
  add("tp_send_refused", c.sendRefused);
  add("tp_aborts_sent", c.abortsSent);
}

// ---------------------------------------------------------------------------
// Assembler

TransportAssembler::TransportAssembler(std::uint8_t ownAddress, Callbacks callbacks,
                                       TransportCounters& counters)
    : ownAddress_(ownAddress), callbacks_(std::move(callbacks)), counters_(counters) {}

void TransportAssembler::OnFrame(const BusFrame& frame, std::int64_t nowMicros) {
  // TP frames live on data page 0 only; anything else is an ordinary group.
  if (frame.ReservedBit() != 0) return;
  if (frame.Pgn() == kPgnTpCm) OnControl(frame, nowMicros);
  if (frame.Pgn() == kPgnTpDt) OnData(frame, nowMicros);
}

void TransportAssembler::OnControl(const BusFrame& frame, std::int64_t nowMicros) {
  if (frame.length < 8) {
    ++counters_.strayFrames;
    return;
  }
  const std::span<const std::uint8_t> data = frame.Data();
  const std::uint8_t source = frame.SourceAddress();
  const std::uint8_t destination = frame.DestinationAddress();
  switch (data[0]) {
    case kTpBam:
    case kTpRts:
      OnAnnouncement(frame, nowMicros);
      return;
    case kTpCts:
    case kTpEndOfMessageAck: {
      // From the receiver to the originator. Only one session runs between two
      // nodes, so the pair finds it; the PGN field is not needed and some
      // stacks fill it wrongly.
      const Key key{destination, source};
      auto it = sessions_.find(key);
      if (it == sessions_.end() || it->second.role != Session::Role::kPassive) {
        ++counters_.strayFrames;
        return;
      }
      if (data[0] == kTpCts) {
        OnCts(it->second, key, data, nowMicros);
      } else if (it->second.state == Session::State::kWaitAck) {
        Finish(key);
      } else {
        // The receiver has it all while the host missed packets.
        Drop(key, TransportDrop::kLostPacket, 0);
      }
      return;
    }
    case kTpAbort: {
      bool known = false;
      for (const Key& key : {Key{source, destination}, Key{destination, source}}) {
        if (sessions_.contains(key)) {
          Drop(key, TransportDrop::kAborted, 0);
          known = true;
        }
      }
      if (!known) ++counters_.strayFrames;
      return;
    }
    default:
      ++counters_.strayFrames;
      return;
  }
}

void TransportAssembler::OnAnnouncement(const BusFrame& frame, std::int64_t nowMicros) {
  const std::span<const std::uint8_t> data = frame.Data();
  const bool bam = data[0] == kTpBam;
  const std::uint8_t source = frame.SourceAddress();
  const std::uint8_t destination = frame.DestinationAddress();
  const bool toGlobal = destination == kGlobalAddress;
  if (bam != toGlobal) {
    ++counters_.drops[static_cast<std::size_t>(TransportDrop::kBadAnnouncement)];
    return;
  }
  const Key key{source, destination};
  if (sessions_.contains(key)) Drop(key, TransportDrop::kReplaced, 0);

  const bool toUs =
      !bam && destination == ownAddress_ && (!callbacks_.answering || callbacks_.answering());
  const std::uint16_t size = static_cast<std::uint16_t>(data[1] | (data[2] << 8));
  const std::uint8_t packets = data[3];
  if (size == 0 || size > kMaxTransportBytes || packets != PacketsFor(size)) {
    ++counters_.drops[static_cast<std::size_t>(TransportDrop::kBadAnnouncement)];
    if (toUs) {
      const std::uint8_t reason = size > kMaxTransportBytes ? kAbortTooLong : kAbortOther;
      SendControl(source, ControlBytes(kTpAbort, reason, 0xFF, 0xFF, 0xFF, PgnField(data)));
    }
    return;
  }
  Session session;
  session.role =
      bam ? Session::Role::kBroadcast : (toUs ? Session::Role::kReceiver : Session::Role::kPassive);
  session.priority = frame.Priority();
  session.pgn = PgnField(data);
  session.size = size;
  session.packets = packets;
  session.maxPerCts = data[4];
  session.data.resize(size);
  Session& added = sessions_.emplace(key, std::move(session)).first->second;
  switch (added.role) {
    case Session::Role::kBroadcast:
      added.state = Session::State::kWaitData;
      added.blockEnd = packets;
      added.deadline = nowMicros + kTpT1Ms * kMicrosPerMs;
      break;
    case Session::Role::kPassive:
      added.state = Session::State::kWaitCts;
      added.deadline = nowMicros + kTpT3Ms * kMicrosPerMs;
      break;
    case Session::Role::kReceiver:
      SendCts(key, added, nowMicros);
      break;
  }
}

void TransportAssembler::OnCts(Session& session, const Key& key, std::span<const std::uint8_t> data,
                               std::int64_t nowMicros) {
  const std::uint8_t count = data[1];
  const std::uint8_t next = data[2];
  if (count == 0) {  // the receiver holds the transfer
    session.state = Session::State::kWaitCts;
    session.deadline = nowMicros + kTpT4Ms * kMicrosPerMs;
    return;
  }
  if (next == 0 || next > session.packets) {
    Drop(key, TransportDrop::kBadCts, 0);
    return;
  }
  if (next > session.nextSequence) {  // the receiver has packets the host never saw
    Drop(key, TransportDrop::kLostPacket, 0);
    return;
  }
  // A CTS for packets already seen asks for them again: they come once more.
  session.nextSequence = next;
  session.lastSequence = static_cast<std::uint8_t>(next - 1);
  // More than the message has left means the rest: the originator sends just that.
  session.blockEnd = static_cast<std::uint8_t>(std::min<int>(next + count - 1, session.packets));
  session.state = Session::State::kWaitData;
  session.deadline = nowMicros + kTpT2Ms * kMicrosPerMs;
}

void TransportAssembler::OnData(const BusFrame& frame, std::int64_t nowMicros) {
  const Key key{frame.SourceAddress(), frame.DestinationAddress()};
  auto it = sessions_.find(key);
  if (it == sessions_.end() || it->second.state != Session::State::kWaitData || frame.length == 0) {
    ++counters_.strayFrames;
    return;
  }
  Session& session = it->second;
  const std::uint8_t sequence = frame.data[0];
  if (sequence != session.nextSequence) {
    if (sequence != 0 && sequence == session.lastSequence) {
      Drop(key, TransportDrop::kRepeatedPacket, kAbortDuplicateSequence);
    } else if (sequence > session.nextSequence) {
      Drop(key, TransportDrop::kLostPacket, kAbortBadSequence);
    } else {
      Drop(key, TransportDrop::kOutOfOrder, kAbortBadSequence);
    }
    return;
  }
  const std::size_t offset = (sequence - 1) * kTpPacketBytes;
  const std::size_t needed = std::min(kTpPacketBytes, session.size - offset);
  if (frame.length < 1 + needed) {
    Drop(key, TransportDrop::kShortPacket, kAbortOther);
    return;
  }
  std::copy_n(frame.data.begin() + 1, needed, session.data.begin() + offset);
  session.lastSequence = sequence;
  ++session.nextSequence;

  if (sequence == session.packets) {
    switch (session.role) {
      case Session::Role::kBroadcast:
        Finish(key);
        return;
      case Session::Role::kReceiver:
        SendControl(key.first,
                    ControlBytes(kTpEndOfMessageAck, static_cast<std::uint8_t>(session.size),
                                 static_cast<std::uint8_t>(session.size >> 8), session.packets,
                                 0xFF, session.pgn));
        Finish(key);
        return;
      case Session::Role::kPassive:
        session.state = Session::State::kWaitAck;
        session.deadline = nowMicros + kTpT3Ms * kMicrosPerMs;
        return;
    }
  }
  if (sequence == session.blockEnd && session.role != Session::Role::kBroadcast) {
    if (session.role == Session::Role::kReceiver) {
      SendCts(key, session, nowMicros);
    } else {
      session.state = Session::State::kWaitCts;
      session.deadline = nowMicros + kTpT3Ms * kMicrosPerMs;
    }
    return;
  }
  session.deadline = nowMicros + kTpT1Ms * kMicrosPerMs;
}

void TransportAssembler::SendCts(const Key& key, Session& session, std::int64_t nowMicros) {
  const std::size_t remaining = session.packets - session.nextSequence + 1;
  const std::size_t limit =
      session.maxPerCts == 0 || session.maxPerCts == kNoLimitPerCts ? remaining : session.maxPerCts;
  const auto count = static_cast<std::uint8_t>(std::min(remaining, limit));
  session.state = Session::State::kWaitData;
  session.blockEnd = static_cast<std::uint8_t>(session.nextSequence + count - 1);
  session.deadline = nowMicros + kTpT2Ms * kMicrosPerMs;
  SendControl(key.first,
              ControlBytes(kTpCts, count, session.nextSequence, 0xFF, 0xFF, session.pgn));
}

void TransportAssembler::SendControl(std::uint8_t destination, std::array<std::uint8_t, 8> data) {
  if (data[0] == kTpAbort) ++counters_.abortsSent;
  if (callbacks_.send) callbacks_.send(TpFrame(kPgnTpCm, destination, ownAddress_, data));
}

void TransportAssembler::Finish(const Key& key) {
  auto node = sessions_.extract(key);
  Session& session = node.mapped();
  TransportMessage message;
  message.priority = session.priority;
  message.reservedBit = static_cast<std::uint8_t>((session.pgn >> 17) & 1);
  message.dgn = MessageDgn(session.pgn, key.second);
  message.sourceAddress = key.first;
  message.destination = key.second;
  message.data = std::move(session.data);
  ++counters_.assembled;
  if (callbacks_.deliver) callbacks_.deliver(message);
}

void TransportAssembler::Drop(const Key& key, TransportDrop reason, std::uint8_t abortReason) {
  auto it = sessions_.find(key);
  if (it == sessions_.end()) return;
  ++counters_.drops[static_cast<std::size_t>(reason)];
  const bool answer = it->second.role == Session::Role::kReceiver && abortReason != 0;
  const std::uint32_t pgn = it->second.pgn;
  sessions_.erase(it);
  if (answer) SendControl(key.first, ControlBytes(kTpAbort, abortReason, 0xFF, 0xFF, 0xFF, pgn));
}

void TransportAssembler::RunDue(std::int64_t nowMicros) {
  for (auto it = sessions_.begin(); it != sessions_.end();) {
    const Key key = it->first;
    const bool due = it->second.deadline <= nowMicros;
    ++it;
    if (due) Drop(key, TransportDrop::kTimeout, kAbortTimeout);
  }
}

std::optional<std::int64_t> TransportAssembler::NextDeadlineMicros() const {
  std::optional<std::int64_t> next;
  for (const auto& [key, session] : sessions_) {
    if (!next || session.deadline < *next) next = session.deadline;
  }
  return next;
}

// ---------------------------------------------------------------------------
// Sender

TransportSender::TransportSender(Callbacks callbacks, TransportCounters& counters)
    : callbacks_(std::move(callbacks)), counters_(counters) {}

std::uint32_t TransportSender::PgnOf(const Session& session) const {
  const TransportMessage& m = session.message;
  const std::uint32_t dgn = m.dgn & kDgnMask;
  return (static_cast<std::uint32_t>(m.reservedBit & 1) << 17) | (Pdu1(dgn) ? dgn & 0x1FF00 : dgn);
}

bool TransportSender::Send(std::uint64_t tag, TransportMessage message, std::int64_t nowMicros) {
  if (message.data.empty() || message.data.size() > kMaxTransportBytes) {
    ++counters_.sendRefused;
    return false;
  }
  message.dgn &= kDgnMask;
  message.destination = Pdu1(message.dgn) ? static_cast<std::uint8_t>(message.dgn) : kGlobalAddress;
  const bool busy = std::any_of(sessions_.begin(), sessions_.end(), [&](const Session& s) {
    return s.message.sourceAddress == message.sourceAddress &&
           s.message.destination == message.destination;
  });
  Session session;
  session.tag = tag;
  session.packets = PacketsFor(message.data.size());
  session.message = std::move(message);
  sessions_.push_back(std::move(session));
  if (!busy) Start(sessions_.back(), nowMicros);
  return true;
}

void TransportSender::Start(Session& session, std::int64_t nowMicros) {
  const auto size = static_cast<std::uint16_t>(session.message.data.size());
  const auto low = static_cast<std::uint8_t>(size);
  const auto high = static_cast<std::uint8_t>(size >> 8);
  session.nextSequence = 1;
  if (session.message.destination == kGlobalAddress) {
    session.state = Session::State::kBam;
    session.deadline = nowMicros + kBamPacketGapMs * kMicrosPerMs;
    SendControl(session, ControlBytes(kTpBam, low, high, session.packets, 0xFF, PgnOf(session)));
  } else {
    session.state = Session::State::kWaitCts;
    session.deadline = nowMicros + kTpT3Ms * kMicrosPerMs;
    // Offering all packets in one CTS rather than "no limit" (FFh): some receivers
    // echo this byte back as the CTS's packet count.
    SendControl(session,
                ControlBytes(kTpRts, low, high, session.packets, session.packets, PgnOf(session)));
  }
}

void TransportSender::SendControl(const Session& session, std::array<std::uint8_t, 8> data) {
  if (data[0] == kTpAbort) ++counters_.abortsSent;
  if (callbacks_.send) {
    callbacks_.send(session.tag, TpFrame(kPgnTpCm, session.message.destination,
                                         session.message.sourceAddress, data));
  }
}

void TransportSender::SendPacket(Session& session, std::uint8_t sequence) {
  std::array<std::uint8_t, 8> data;
  data.fill(0xFF);  // the last packet's unused bytes
  data[0] = sequence;
  const std::vector<std::uint8_t>& bytes = session.message.data;
  const std::size_t offset = (sequence - 1) * kTpPacketBytes;
  const std::size_t n = std::min(kTpPacketBytes, bytes.size() - offset);
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, data.begin() + 1);
  if (callbacks_.send) {
    callbacks_.send(session.tag, TpFrame(kPgnTpDt, session.message.destination,
                                         session.message.sourceAddress, data));
  }
}

bool TransportSender::OnFrame(const BusFrame& frame, std::int64_t nowMicros) {
  if (frame.ReservedBit() != 0 || frame.Pgn() != kPgnTpCm || frame.length < 8) return false;
  const std::uint8_t control = frame.data[0];
  if (control != kTpCts && control != kTpEndOfMessageAck && control != kTpAbort) return false;
  // From the receiver to us, the originator; one session per pair (see the assembler).
  const std::uint8_t originator = frame.DestinationAddress();
  const std::uint8_t receiver = frame.SourceAddress();
  const auto it = std::find_if(sessions_.begin(), sessions_.end(), [&](const Session& s) {
    return s.state != Session::State::kQueued && s.state != Session::State::kBam &&
           s.message.sourceAddress == originator && s.message.destination == receiver;
  });
  if (it == sessions_.end()) return false;
  const auto index = static_cast<std::size_t>(it - sessions_.begin());
  Session& session = *it;
  if (control == kTpAbort) {
    End(index, false, nowMicros);
    return true;
  }
  if (control == kTpEndOfMessageAck) {
    if (session.state == Session::State::kWaitAck) End(index, true, nowMicros);
    return true;
  }
  const std::uint8_t count = frame.data[1];
  const std::uint8_t next = frame.data[2];
  if (count == 0) {
    session.state = Session::State::kWaitCts;
    session.deadline = nowMicros + kTpT4Ms * kMicrosPerMs;
    return true;
  }
  if (next == 0 || next > session.packets) {
    SendControl(session, ControlBytes(kTpAbort, kAbortOther, 0xFF, 0xFF, 0xFF, PgnOf(session)));
    End(index, false, nowMicros);
    return true;
  }
  // A CTS for more packets than are left asks for the rest.
  const int last = std::min<int>(next + count - 1, session.packets);
  for (int sequence = next; sequence <= last; ++sequence) {
    SendPacket(session, static_cast<std::uint8_t>(sequence));
  }
  const bool all = last == session.packets;
  session.nextSequence = static_cast<std::uint8_t>(last + 1);
  session.state = all ? Session::State::kWaitAck : Session::State::kWaitCts;
  session.deadline = nowMicros + kTpT3Ms * kMicrosPerMs;
  return true;
}

void TransportSender::RunDue(std::int64_t nowMicros) {
  while (true) {
    const auto it = std::find_if(sessions_.begin(), sessions_.end(), [&](const Session& s) {
      return s.state != Session::State::kQueued && s.deadline <= nowMicros;
    });
    if (it == sessions_.end()) return;
    const auto index = static_cast<std::size_t>(it - sessions_.begin());
    Session& session = *it;
    if (session.state == Session::State::kBam) {
      SendPacket(session, session.nextSequence);
      if (session.nextSequence == session.packets) {
        End(index, true, nowMicros);
      } else {
        ++session.nextSequence;
        session.deadline = nowMicros + kBamPacketGapMs * kMicrosPerMs;
      }
    } else {
      SendControl(session, ControlBytes(kTpAbort, kAbortTimeout, 0xFF, 0xFF, 0xFF, PgnOf(session)));
      End(index, false, nowMicros);
    }
  }
}

void TransportSender::End(std::size_t index, bool sent, std::int64_t nowMicros) {
  Session ended = std::move(sessions_[index]);
  sessions_.erase(sessions_.begin() + static_cast<std::ptrdiff_t>(index));
  ++(sent ? counters_.sent : counters_.sendFailed);
  if (callbacks_.finished) callbacks_.finished(ended.tag, ended.message, sent);
  const auto next = std::find_if(sessions_.begin(), sessions_.end(), [&](const Session& s) {
    return s.message.sourceAddress == ended.message.sourceAddress &&
           s.message.destination == ended.message.destination;
  });
  if (next != sessions_.end() && next->state == Session::State::kQueued) Start(*next, nowMicros);
}

std::optional<std::int64_t> TransportSender::NextDeadlineMicros() const {
  std::optional<std::int64_t> next;
  for (const Session& s : sessions_) {
    if (s.state == Session::State::kQueued) continue;
    if (!next || s.deadline < *next) next = s.deadline;
  }
  return next;
}

}  // namespace vlt::host
