// J1939 transport (TP.CM / TP.DT): the host assembles multi-packet messages from
// the bus so that tools get them whole, answers RTS/CTS sessions addressed to the
// tool's address, and sends a tool's long transmissions by BAM or RTS/CTS.
// Both state machines live on the time their caller passes in; neither reads a
// clock nor sends by itself: frames to send and finished messages go out through
// the callbacks, timeouts through RunDue/NextDeadlineMicros.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "host/buses/bus_frame.h"

namespace vlt::host {

inline constexpr std::uint32_t kPgnTpCm = 0xEC00;
inline constexpr std::uint32_t kPgnTpDt = 0xEB00;
inline constexpr std::size_t kTpPacketBytes = 7;
inline constexpr std::size_t kMaxTpPackets = 255;
inline constexpr std::size_t kMaxTransportBytes = kTpPacketBytes * kMaxTpPackets;  // 1785
// Transport frames go out at the lowest priority, as J1939 recommends for them.
inline constexpr std::uint8_t kTpPriority = 7;

// TP.CM control bytes.
inline constexpr std::uint8_t kTpRts = 0x10;
inline constexpr std::uint8_t kTpCts = 0x11;
inline constexpr std::uint8_t kTpEndOfMessageAck = 0x13;
inline constexpr std::uint8_t kTpBam = 0x20;
inline constexpr std::uint8_t kTpAbort = 0xFF;

// Connection Abort reasons.
inline constexpr std::uint8_t kAbortTimeout = 3;
inline constexpr std::uint8_t kAbortUnexpectedPacket = 6;
inline constexpr std::uint8_t kAbortBadSequence = 7;
inline constexpr std::uint8_t kAbortDuplicateSequence = 8;
inline constexpr std::uint8_t kAbortTooLong = 9;
inline constexpr std::uint8_t kAbortOther = 250;

// Transport timeouts in milliseconds.
inline constexpr std::int64_t kTpT1Ms = 750;   // between packets of one block or a BAM
inline constexpr std::int64_t kTpT2Ms = 1250;  // from a CTS to its first packet
inline constexpr std::int64_t kTpT3Ms = 1250;  // from the last packet sent to the CTS or EoMA
// From a holding CTS (0 packets) to the next; a holding receiver repeats it every 500 ms.
inline constexpr std::int64_t kTpT4Ms = 1050;
// BAM packets may follow each other after 50 to 200 ms. The shortest gap keeps a
// full 1785-byte BAM to under 13 s of bus time; every receiver must accept it.
inline constexpr std::int64_t kBamPacketGapMs = 50;

// One multi-packet message, whole.
struct TransportMessage {
  std::uint8_t priority = kTpPriority;
  std::uint8_t reservedBit = 0;
  std::uint32_t dgn = 0;  // wire DGN, 17 bits; PDU1 formats carry the destination
  std::uint8_t sourceAddress = 0;
  std::uint8_t destination = kGlobalAddress;
  std::vector<std::uint8_t> data;
};

// Why a message under assembly was dropped. The order is that of the stats.
enum class TransportDrop : std::uint8_t {
  kBadAnnouncement,  // RTS/BAM with a size over 1785 or a packet count that does not fit it
  kLostPacket,       // a sequence number skipped
  kRepeatedPacket,   // the sequence number just received, again
  kOutOfOrder,       // an older sequence number
  kShortPacket,      // a TP.DT with fewer bytes than the message needs
  kTimeout,          // T1, T2, T3 or T4 ran out
  kReplaced,         // a new RTS or BAM from the same sender to the same destination
  kAborted,          // a Connection Abort on the bus
  kBadCts,           // a CTS for packets the message does not have
};
inline constexpr std::size_t kTransportDropKinds = 9;

// Stats names, e.g. "tp_drop_lost".
const char* TransportDropName(TransportDrop reason);

struct TransportCounters {
  std::uint64_t assembled = 0;    // messages delivered whole
  std::uint64_t strayFrames = 0;  // TP frames that belong to no session
  std::uint64_t sent = 0;         // long transmissions completed
  std::uint64_t sendFailed = 0;   // long transmissions aborted or timed out
  std::uint64_t sendRefused = 0;  // over 1785 bytes: not sent at all
  std::uint64_t abortsSent = 0;   // Connection Aborts the host sent
  std::array<std::uint64_t, kTransportDropKinds> drops{};
  std::uint64_t Drops(TransportDrop reason) const {
    return drops[static_cast<std::size_t>(reason)];
  }
};

// Appends " tp_assembled=... tp_drop_...=..." to a stats line.
void AppendTransportCounters(const TransportCounters& counters, std::string& text);

// Reads the bus, follows every TP session on it and delivers the messages that
// arrive whole. Sessions addressed to `ownAddress` are answered (CTS, EoMA, Abort).
class TransportAssembler {
 public:
  struct Callbacks {
    std::function<void(const TransportMessage&)> deliver;
    std::function<void(const BusFrame&)> send;  // frames the host sends as the receiver
    // Whether the own address may answer a new RTS now; null: always. When not,
    // the session is only followed, as one between two other nodes.
    std::function<bool()> answering;
  };

  TransportAssembler(std::uint8_t ownAddress, Callbacks callbacks, TransportCounters& counters);

  // Every frame seen on the bus, whoever sent it except the host itself.
  void OnFrame(const BusFrame& frame, std::int64_t nowMicros);
  void RunDue(std::int64_t nowMicros);
  std::optional<std::int64_t> NextDeadlineMicros() const;
  std::size_t OpenSessions() const { return sessions_.size(); }
  // Drops every session unsaid and uncounted, as a host that ended does.
  void ForgetSessions() { sessions_.clear(); }

 private:
  struct Session {
    enum class State {
      kWaitCts,   // passive RTS/CTS: the originator waits for the receiver's CTS
      kWaitData,  // packets expected: a BAM, or the block a CTS asked for
      kWaitAck,   // passive RTS/CTS: all packets seen, waiting for the EoMA
    };
    enum class Role {
      kBroadcast,  // BAM
      kPassive,    // RTS/CTS between two other nodes
      kReceiver,   // RTS/CTS to the host's own address
    };
    Role role = Role::kBroadcast;
    State state = State::kWaitData;
    std::uint8_t priority = kTpPriority;
    std::uint32_t pgn = 0;  // as TP.CM carries it, 18 bits
    std::uint16_t size = 0;
    std::uint8_t packets = 0;
    std::uint8_t maxPerCts = 0;
    std::uint8_t nextSequence = 1;  // of the next packet expected
    std::uint8_t blockEnd = 0;      // last sequence number of the block asked for
    std::uint8_t lastSequence = 0;  // of the last packet taken
    std::int64_t deadline = 0;
    std::vector<std::uint8_t> data;
  };
  using Key = std::pair<std::uint8_t, std::uint8_t>;  // source, destination

  void OnControl(const BusFrame& frame, std::int64_t nowMicros);
  void OnAnnouncement(const BusFrame& frame, std::int64_t nowMicros);
  void OnData(const BusFrame& frame, std::int64_t nowMicros);
  void OnCts(Session& session, const Key& key, std::span<const std::uint8_t> data,
             std::int64_t nowMicros);
  void Finish(const Key& key);
  void Drop(const Key& key, TransportDrop reason, std::uint8_t abortReason);
  void SendCts(const Key& key, Session& session, std::int64_t nowMicros);
  void SendControl(std::uint8_t destination, std::array<std::uint8_t, 8> data);

  std::uint8_t ownAddress_;
  Callbacks callbacks_;
  TransportCounters& counters_;
  std::map<Key, Session> sessions_;
};

// Sends long messages for the tools: BAM to the global address, RTS/CTS to one node.
// One session per source and destination at a time; later messages wait their turn.
class TransportSender {
 public:
  struct Callbacks {
    // A frame of the session started for `tag`.
    std::function<void(std::uint64_t tag, const BusFrame&)> send;
    // The session ended: sent whole (BAM: all packets out; RTS/CTS: acknowledged) or not.
    std::function<void(std::uint64_t tag, const TransportMessage&, bool sent)> finished;
  };

  TransportSender(Callbacks callbacks, TransportCounters& counters);

  // False (counted) when the data do not fit a transport message.
  bool Send(std::uint64_t tag, TransportMessage message, std::int64_t nowMicros);
  // A frame from the bus; true when it was a CTS, EoMA or Abort of a session here.
  bool OnFrame(const BusFrame& frame, std::int64_t nowMicros);
  void RunDue(std::int64_t nowMicros);
  std::optional<std::int64_t> NextDeadlineMicros() const;
  std::size_t OpenSessions() const { return sessions_.size(); }
  // Drops every session unsaid and uncounted, as a host that ended does.
  void ForgetSessions() { sessions_.clear(); }

 private:
  struct Session {
    enum class State {
      kQueued,   // another message from this source to this destination goes first
      kBam,      // BAM: the next packet leaves at the deadline
      kWaitCts,  // RTS sent or a block done: waiting for a CTS (T3, or T4 after a hold)
      kWaitAck,  // all packets sent: waiting for the EoMA (T3)
    };
    std::uint64_t tag = 0;
    State state = State::kQueued;
    TransportMessage message;
    std::uint8_t packets = 0;
    std::uint8_t nextSequence = 1;
    std::int64_t deadline = 0;
  };
  using Key = std::pair<std::uint8_t, std::uint8_t>;

  void Start(Session& session, std::int64_t nowMicros);
  void SendPacket(Session& session, std::uint8_t sequence);
  void SendControl(const Session& session, std::array<std::uint8_t, 8> data);
  void End(std::size_t index, bool sent, std::int64_t nowMicros);
  std::uint32_t PgnOf(const Session& session) const;

  Callbacks callbacks_;
  TransportCounters& counters_;
  std::deque<Session> sessions_;  // submission order; the first of a key is the active one
};

}  // namespace vlt::host
