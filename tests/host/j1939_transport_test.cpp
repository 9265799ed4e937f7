// The transport state machines on their own, on virtual time: what reaches the
// tools whole, what is dropped and why, and what the host sends as receiver and
// as originator.
#include "host/transport/j1939_transport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace vlt::host {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kDut = 0x80;
constexpr std::uint8_t kOther = 0x81;
constexpr std::uint32_t kProductId = 0xFEEB;     // PDU2: goes by BAM or to one node
constexpr std::uint32_t kProprietaryA = 0xEF00;  // PDU1: carries its destination

BusFrame Frame(std::uint32_t pgn, std::uint8_t destination, std::uint8_t source, const Bytes& data,
               std::uint8_t priority = kTpPriority) {
  auto frame = MakeBusFrame(priority, pgn | destination, source, data);
  return *frame;
}

Bytes Control(std::uint8_t control, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
              std::uint8_t b4, std::uint32_t pgn) {
  return {control,
          b1,
          b2,
          b3,
          b4,
          static_cast<std::uint8_t>(pgn),
          static_cast<std::uint8_t>(pgn >> 8),
          static_cast<std::uint8_t>(pgn >> 16)};
}

std::uint8_t Packets(std::size_t size) {
  return static_cast<std::uint8_t>((size + 6) / 7);
}

BusFrame Announce(std::uint8_t control, std::uint8_t source, std::uint8_t destination,
                  std::size_t size, std::uint32_t pgn = kProductId, std::uint8_t perCts = 0xFF) {
  return Frame(kPgnTpCm, destination, source,
               Control(control, static_cast<std::uint8_t>(size),
                       static_cast<std::uint8_t>(size >> 8), Packets(size), perCts, pgn));
}

BusFrame Cts(std::uint8_t receiver, std::uint8_t originator, std::uint8_t count, std::uint8_t next,
             std::uint32_t pgn = kProductId) {
  return Frame(kPgnTpCm, originator, receiver, Control(kTpCts, count, next, 0xFF, 0xFF, pgn));
}

BusFrame Eoma(std::uint8_t receiver, std::uint8_t originator, std::size_t size,
              std::uint32_t pgn = kProductId) {
  return Frame(kPgnTpCm, originator, receiver,
               Control(kTpEndOfMessageAck, static_cast<std::uint8_t>(size),
                       static_cast<std::uint8_t>(size >> 8), Packets(size), 0xFF, pgn));
}

BusFrame Abort(std::uint8_t from, std::uint8_t to, std::uint8_t reason = 1) {
  return Frame(kPgnTpCm, to, from, Control(kTpAbort, reason, 0xFF, 0xFF, 0xFF, kProductId));
}

BusFrame Packet(std::uint8_t source, std::uint8_t destination, const Bytes& message,
                std::uint8_t sequence) {
  Bytes data(8, 0xFF);
  data[0] = sequence;
  for (std::size_t i = 0; i < 7; ++i) {
    const std::size_t at = (sequence - 1) * 7u + i;
    if (at < message.size()) data[1 + i] = message[at];
  }
  return Frame(kPgnTpDt, destination, source, data);
}

Bytes Message(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return bytes;
}

std::uint8_t Control(const BusFrame& frame) {
  return frame.data[0];
}

// One assembler at the tool's address and what it hands out.
struct AssemblerRig {
  void Feed(const BusFrame& frame) { assembler_.OnFrame(frame, now_); }
  void AdvanceMs(std::int64_t ms) {
    now_ += ms * 1000;
    assembler_.RunDue(now_);
  }
  void FeedPackets(std::uint8_t source, std::uint8_t destination, const Bytes& message,
                   std::uint8_t first, std::uint8_t last, std::int64_t gapMs = 0) {
    for (int s = first; s <= last; ++s) {
      AdvanceMs(gapMs);
      Feed(Packet(source, destination, message, static_cast<std::uint8_t>(s)));
    }
  }
  std::uint64_t Dropped(TransportDrop reason) const { return counters_.Drops(reason); }

  std::int64_t now_ = 5'000'000;
  TransportCounters counters_;
  std::vector<TransportMessage> delivered_;
  std::vector<BusFrame> sent_;
  TransportAssembler assembler_{kToolAddress,
                                {[this](const TransportMessage& m) { delivered_.push_back(m); },
                                 [this](const BusFrame& f) { sent_.push_back(f); },
                                 {}},
                                counters_};
};

class AssemblerTest : public ::testing::Test, public AssemblerRig {};

TEST_F(AssemblerTest, FullBamArrivesWholeWithItsGroupSourceAndPriority) {
  const Bytes message = Message(kMaxTransportBytes);
  Feed(Announce(kTpBam, kDut, kGlobalAddress, message.size()));
  FeedPackets(kDut, kGlobalAddress, message, 1, 254, 50);
  EXPECT_TRUE(delivered_.empty());  // never half
  FeedPackets(kDut, kGlobalAddress, message, 255, 255, 50);
  ASSERT_EQ(delivered_.size(), 1u);
  EXPECT_EQ(delivered_[0].data, message);
  EXPECT_EQ(delivered_[0].dgn, kProductId);
  EXPECT_EQ(delivered_[0].sourceAddress, kDut);
  EXPECT_EQ(delivered_[0].priority, kTpPriority);
  EXPECT_EQ(counters_.assembled, 1u);
  EXPECT_TRUE(sent_.empty());  // nobody answers a BAM
  EXPECT_EQ(assembler_.OpenSessions(), 0u);
}

TEST_F(AssemblerTest, BrokenBamsAreDroppedWithTheirReason) {
  const Bytes message = Message(30);  // 5 packets
  struct Case {
    const char* what;
    std::function<void(AssemblerRig&)> breakIt;
    TransportDrop reason;
  };
  const Case cases[] = {
      {"lost packet",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 2);
         t.FeedPackets(kDut, kGlobalAddress, message, 4, 5);
       },
       TransportDrop::kLostPacket},
      {"repeated packet",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 2);
         t.FeedPackets(kDut, kGlobalAddress, message, 2, 5);
       },
       TransportDrop::kRepeatedPacket},
      {"out of order",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 3);
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 5);
       },
       TransportDrop::kOutOfOrder},
      {"short packet",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 2);
         t.Feed(Frame(kPgnTpDt, kGlobalAddress, kDut, {3, 1, 2}));
       },
       TransportDrop::kShortPacket},
      {"T1 between packets",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 2);
         t.AdvanceMs(kTpT1Ms);
         t.FeedPackets(kDut, kGlobalAddress, message, 3, 5);
       },
       TransportDrop::kTimeout},
      {"new BAM from the sender",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 2);
         t.Feed(Announce(kTpBam, kDut, kGlobalAddress, 100));
       },
       TransportDrop::kReplaced},
      {"abort",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kGlobalAddress, message, 1, 2);
         t.Feed(Abort(kDut, kGlobalAddress));
         t.FeedPackets(kDut, kGlobalAddress, message, 3, 5);
       },
       TransportDrop::kAborted},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AssemblerRig t;
    t.Feed(Announce(kTpBam, kDut, kGlobalAddress, message.size()));
    c.breakIt(t);
    EXPECT_TRUE(t.delivered_.empty());
    EXPECT_EQ(t.Dropped(c.reason), 1u);
    EXPECT_EQ(t.assembler_.OpenSessions(), c.reason == TransportDrop::kReplaced ? 1u : 0u);
  }
}

TEST_F(AssemblerTest, BamJustInsideT1AndInterleavedSendersBothArrive) {
  const Bytes a = Message(20);
  const Bytes b = Message(9);
  Feed(Announce(kTpBam, kDut, kGlobalAddress, a.size()));
  FeedPackets(kDut, kGlobalAddress, a, 1, 1, kTpT1Ms - 1);
  Feed(Announce(kTpBam, kOther, kGlobalAddress, b.size(), 0xFEDA));
  FeedPackets(kOther, kGlobalAddress, b, 1, 2, 1);
  FeedPackets(kDut, kGlobalAddress, a, 2, 3, kTpT1Ms - 3);
  ASSERT_EQ(delivered_.size(), 2u);
  EXPECT_EQ(delivered_[0].data, b);
  EXPECT_EQ(delivered_[0].dgn, 0xFEDAu);
  EXPECT_EQ(delivered_[1].data, a);
}

TEST_F(AssemblerTest, AnnouncementsThatDoNotFitAreRefused) {
  Feed(Frame(kPgnTpCm, kGlobalAddress, kDut, Control(kTpBam, 20, 0, 4, 0xFF, kProductId)));
  Feed(Frame(kPgnTpCm, kGlobalAddress, kDut, Control(kTpBam, 0xFA, 0x06, 255, 0xFF, kProductId)));
  Feed(Announce(kTpBam, kDut, kOther, 20));          // a BAM goes to everyone
  Feed(Announce(kTpRts, kDut, kGlobalAddress, 20));  // an RTS to one node
  EXPECT_EQ(Dropped(TransportDrop::kBadAnnouncement), 4u);
  EXPECT_EQ(assembler_.OpenSessions(), 0u);
  EXPECT_TRUE(sent_.empty());  // none was for the host
  // One for the host is refused aloud: 1786 bytes is "message too long".
  Feed(Frame(kPgnTpCm, kToolAddress, kDut, Control(kTpRts, 0xFA, 0x06, 255, 0xFF, kProductId)));
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(Control(sent_[0]), kTpAbort);
  EXPECT_EQ(sent_[0].data[1], kAbortTooLong);
  EXPECT_EQ(sent_[0].DestinationAddress(), kDut);
}

TEST_F(AssemblerTest, RtsToTheToolIsAnsweredBlockByBlockAndAcknowledged) {
  const Bytes message = Message(40);  // 6 packets, 2 per CTS
  Feed(Announce(kTpRts, kDut, kToolAddress, message.size(), kProductId, 2));
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].id, MakeIdentifier(kTpPriority, kPgnTpCm | kDut, kToolAddress));
  EXPECT_EQ(Bytes(sent_[0].data.begin(), sent_[0].data.end()),
            Control(kTpCts, 2, 1, 0xFF, 0xFF, kProductId));
  FeedPackets(kDut, kToolAddress, message, 1, 2, 10);
  FeedPackets(kDut, kToolAddress, message, 3, 4, 10);
  FeedPackets(kDut, kToolAddress, message, 5, 6, 10);
  ASSERT_EQ(sent_.size(), 4u);
  EXPECT_EQ(sent_[1].data[2], 3);
  EXPECT_EQ(sent_[2].data[2], 5);
  EXPECT_EQ(Bytes(sent_[3].data.begin(), sent_[3].data.end()),
            Control(kTpEndOfMessageAck, 40, 0, 6, 0xFF, kProductId));
  ASSERT_EQ(delivered_.size(), 1u);
  EXPECT_EQ(delivered_[0].data, message);
  EXPECT_EQ(delivered_[0].destination, kToolAddress);
}

TEST_F(AssemblerTest, HostAsReceiverAbortsWhatItCannotTake) {
  const Bytes message = Message(30);
  struct Case {
    const char* what;
    std::function<void(AssemblerRig&)> breakIt;
    TransportDrop reason;
    std::uint8_t abortReason;
  };
  const Case cases[] = {
      {"no packet within T2 of the CTS", [](AssemblerRig& t) { t.AdvanceMs(kTpT2Ms); },
       TransportDrop::kTimeout, kAbortTimeout},
      {"T1 after a packet",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kToolAddress, message, 1, 1);
         t.AdvanceMs(kTpT1Ms);
       },
       TransportDrop::kTimeout, kAbortTimeout},
      {"duplicate packet",
       [&](AssemblerRig& t) {
         t.FeedPackets(kDut, kToolAddress, message, 1, 1);
         t.FeedPackets(kDut, kToolAddress, message, 1, 1);
       },
       TransportDrop::kRepeatedPacket, kAbortDuplicateSequence},
      {"skipped packet", [&](AssemblerRig& t) { t.FeedPackets(kDut, kToolAddress, message, 2, 2); },
       TransportDrop::kLostPacket, kAbortBadSequence},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AssemblerRig t;
    t.Feed(Announce(kTpRts, kDut, kToolAddress, message.size()));
    c.breakIt(t);
    EXPECT_TRUE(t.delivered_.empty());
    EXPECT_EQ(t.Dropped(c.reason), 1u);
    ASSERT_EQ(t.sent_.size(), 2u);  // the CTS, then the abort
    EXPECT_EQ(Control(t.sent_[1]), kTpAbort);
    EXPECT_EQ(t.sent_[1].data[1], c.abortReason);
    EXPECT_EQ(t.counters_.abortsSent, 1u);
  }
}

TEST_F(AssemblerTest, SessionBetweenOtherNodesIsFollowedAndDeliveredOnItsAcknowledgment) {
  const Bytes message = Message(20);  // 3 packets
  Feed(Announce(kTpRts, kDut, kOther, message.size(), kProprietaryA));
  Feed(Cts(kOther, kDut, 2, 1, kProprietaryA));
  FeedPackets(kDut, kOther, message, 1, 2, 5);
  Feed(Cts(kOther, kDut, 0, 3, kProprietaryA));  // hold
  AdvanceMs(kTpT4Ms - 1);
  Feed(Cts(kOther, kDut, 2, 2, kProprietaryA));  // packet 2 once more, then 3
  FeedPackets(kDut, kOther, message, 2, 3, 5);
  EXPECT_TRUE(delivered_.empty());  // not before the receiver says it has it all
  Feed(Eoma(kOther, kDut, message.size(), kProprietaryA));
  ASSERT_EQ(delivered_.size(), 1u);
  EXPECT_EQ(delivered_[0].data, message);
  EXPECT_EQ(delivered_[0].dgn, kProprietaryA | kOther);  // PDU1: the destination is part of it
  EXPECT_TRUE(sent_.empty());                            // a bystander never speaks
}

TEST_F(AssemblerTest, BrokenSessionsBetweenOtherNodesAreDroppedSilently) {
  const Bytes message = Message(20);
  struct Case {
    const char* what;
    std::function<void(AssemblerRig&)> breakIt;
    TransportDrop reason;
  };
  const Case cases[] = {
      {"no CTS within T3", [](AssemblerRig& t) { t.AdvanceMs(kTpT3Ms); }, TransportDrop::kTimeout},
      {"hold longer than T4",
       [](AssemblerRig& t) {
         t.Feed(Cts(kOther, kDut, 0, 1));
         t.AdvanceMs(kTpT4Ms);
       },
       TransportDrop::kTimeout},
      {"no EoMA within T3",
       [&](AssemblerRig& t) {
         t.Feed(Cts(kOther, kDut, 3, 1));
         t.FeedPackets(kDut, kOther, message, 1, 3);
         t.AdvanceMs(kTpT3Ms);
       },
       TransportDrop::kTimeout},
      {"receiver aborts",
       [&](AssemblerRig& t) {
         t.Feed(Cts(kOther, kDut, 3, 1));
         t.FeedPackets(kDut, kOther, message, 1, 3);
         t.Feed(Abort(kOther, kDut));
       },
       TransportDrop::kAborted},
      {"CTS beyond the message", [](AssemblerRig& t) { t.Feed(Cts(kOther, kDut, 1, 4)); },
       TransportDrop::kBadCts},
      {"EoMA while the host missed a packet",
       [&](AssemblerRig& t) {
         t.Feed(Cts(kOther, kDut, 3, 1));
         t.FeedPackets(kDut, kOther, message, 1, 1);
         t.Feed(Eoma(kOther, kDut, message.size()));
       },
       TransportDrop::kLostPacket},
      {"new RTS to the same node",
       [&](AssemblerRig& t) {
         t.Feed(Cts(kOther, kDut, 3, 1));
         t.Feed(Announce(kTpRts, kDut, kOther, message.size()));
       },
       TransportDrop::kReplaced},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AssemblerRig t;
    t.Feed(Announce(kTpRts, kDut, kOther, message.size()));
    c.breakIt(t);
    EXPECT_TRUE(t.delivered_.empty());
    EXPECT_EQ(t.Dropped(c.reason), 1u);
    EXPECT_TRUE(t.sent_.empty());
  }
}

// One sender for the tool and the frames it sends, with their times.
struct SenderRig {
  struct Finished {
    std::uint64_t tag;
    TransportMessage message;
    bool sent;
  };
  bool Send(std::uint64_t tag, std::uint32_t dgn, const Bytes& data) {
    TransportMessage m;
    m.priority = 6;
    m.dgn = dgn;
    m.sourceAddress = kToolAddress;
    m.data = data;
    return sender_.Send(tag, m, now_);
  }
  void AdvanceMs(std::int64_t ms) {
    // Step by step, as the host's loop wakes at each deadline.
    const std::int64_t target = now_ + ms * 1000;
    while (auto next = sender_.NextDeadlineMicros()) {
      if (*next > target) break;
      now_ = std::max(now_, *next);
      sender_.RunDue(now_);
    }
    now_ = target;
  }
  bool Answer(const BusFrame& frame) { return sender_.OnFrame(frame, now_); }

  std::int64_t now_ = 1'000'000;
  TransportCounters counters_;
  std::vector<std::pair<std::int64_t, BusFrame>> sent_;
  std::vector<Finished> finished_;
  TransportSender sender_{
      {[this](std::uint64_t, const BusFrame& f) { sent_.emplace_back(now_, f); },
       [this](std::uint64_t tag, const TransportMessage& m, bool ok) {
         finished_.push_back({tag, m, ok});
       }},
      counters_};
};

class SenderTest : public ::testing::Test, public SenderRig {};

TEST_F(SenderTest, GlobalMessageGoesByBamAtTheChosenGapAndOthersFromTheSameSourceWait) {
  const Bytes first = Message(20);  // 3 packets
  const Bytes second = Message(9);
  ASSERT_TRUE(Send(1, kProductId, first));
  ASSERT_TRUE(Send(2, 0xFEDA, second));
  AdvanceMs(1000);
  ASSERT_EQ(sent_.size(), 4u + 3u);
  EXPECT_EQ(sent_[0].second, Announce(kTpBam, kToolAddress, kGlobalAddress, 20));
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(sent_[i].second,
              Packet(kToolAddress, kGlobalAddress, first, static_cast<std::uint8_t>(i)));
    EXPECT_EQ(sent_[i].first - sent_[i - 1].first, kBamPacketGapMs * 1000);
  }
  // The second BAM starts once the first has its last packet out.
  EXPECT_EQ(sent_[4].first, sent_[3].first);
  EXPECT_EQ(sent_[4].second, Announce(kTpBam, kToolAddress, kGlobalAddress, 9, 0xFEDA));
  ASSERT_EQ(finished_.size(), 2u);
  EXPECT_EQ(finished_[0].tag, 1u);
  EXPECT_TRUE(finished_[0].sent);
  EXPECT_EQ(counters_.sent, 2u);
}

TEST_F(SenderTest, MessageToOneNodeFollowsTheReceiversCts) {
  const Bytes data = Message(30);  // 5 packets
  ASSERT_TRUE(Send(7, kProprietaryA | kDut, data));
  ASSERT_EQ(sent_.size(), 1u);
  EXPECT_EQ(sent_[0].second, Announce(kTpRts, kToolAddress, kDut, 30, kProprietaryA, 5));
  EXPECT_TRUE(Answer(Cts(kDut, kToolAddress, 2, 1)));
  ASSERT_EQ(sent_.size(), 3u);
  EXPECT_EQ(sent_[2].second, Packet(kToolAddress, kDut, data, 2));
  EXPECT_TRUE(Answer(Eoma(kDut, kToolAddress, 30)));  // too early: packets 3 to 5 not sent
  EXPECT_TRUE(finished_.empty());
  EXPECT_TRUE(Answer(Cts(kDut, kToolAddress, 0, 3)));  // hold: T4 runs
  AdvanceMs(kTpT4Ms - 1);
  EXPECT_TRUE(Answer(Cts(kDut, kToolAddress, 3, 3)));
  ASSERT_EQ(sent_.size(), 6u);
  EXPECT_EQ(sent_[5].second, Packet(kToolAddress, kDut, data, 5));
  EXPECT_TRUE(finished_.empty());                         // sent, but not yet acknowledged
  EXPECT_FALSE(Answer(Cts(kOther, kToolAddress, 1, 1)));  // not this session's receiver
  EXPECT_TRUE(Answer(Eoma(kDut, kToolAddress, 30)));
  ASSERT_EQ(finished_.size(), 1u);
  EXPECT_TRUE(finished_[0].sent);
  EXPECT_EQ(finished_[0].message.data, data);
}

TEST_F(SenderTest, SessionsThatFailAreAbortedAndReportedUnsent) {
  struct Case {
    const char* what;
    std::function<void(SenderRig&)> breakIt;
    bool abortSent;
  };
  const Case cases[] = {
      {"no CTS within T3", [](SenderRig& t) { t.AdvanceMs(kTpT3Ms); }, true},
      {"no EoMA within T3",
       [](SenderRig& t) {
         t.Answer(Cts(kDut, kToolAddress, 3, 1));
         t.AdvanceMs(kTpT3Ms);
       },
       true},
      {"hold beyond T4",
       [](SenderRig& t) {
         t.Answer(Cts(kDut, kToolAddress, 0, 1));
         t.AdvanceMs(kTpT4Ms);
       },
       true},
      {"receiver aborts", [](SenderRig& t) { t.Answer(Abort(kDut, kToolAddress)); }, false},
      {"CTS for packets the message lacks",
       [](SenderRig& t) { t.Answer(Cts(kDut, kToolAddress, 1, 4)); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SenderRig t;
    ASSERT_TRUE(t.Send(4, kProprietaryA | kDut, Message(20)));
    t.sent_.clear();
    c.breakIt(t);
    t.AdvanceMs(2000);
    ASSERT_FALSE(t.finished_.empty());
    const auto& mine = std::find_if(t.finished_.begin(), t.finished_.end(),
                                    [](const Finished& f) { return f.tag == 4; });
    ASSERT_NE(mine, t.finished_.end());
    EXPECT_FALSE(mine->sent);
    const bool aborted = std::any_of(t.sent_.begin(), t.sent_.end(), [](const auto& s) {
      return s.second.Pgn() == kPgnTpCm && s.second.data[0] == kTpAbort;
    });
    EXPECT_EQ(aborted, c.abortSent);
    EXPECT_EQ(t.counters_.sendFailed, 1u);
  }
}

TEST_F(SenderTest, CtsAskingForMoreThanIsLeftGetsTheRest) {
  // Some receivers answer with the RTS's per-CTS limit, or with FFh, as the count.
  const Bytes data = Message(20);  // 3 packets
  ASSERT_TRUE(Send(1, kProprietaryA | kDut, data));
  EXPECT_TRUE(Answer(Cts(kDut, kToolAddress, 255, 2)));
  ASSERT_EQ(sent_.size(), 3u);  // the RTS, packets 2 and 3
  EXPECT_EQ(sent_[2].second, Packet(kToolAddress, kDut, data, 3));
  EXPECT_TRUE(Answer(Eoma(kDut, kToolAddress, 20)));
  ASSERT_EQ(finished_.size(), 1u);
  EXPECT_TRUE(finished_[0].sent);
}

TEST_F(AssemblerTest, FollowsAReceiverThatAsksForMoreThanIsLeft) {
  const Bytes message = Message(20);
  Feed(Announce(kTpRts, kDut, kOther, message.size()));
  Feed(Cts(kOther, kDut, 255, 1));
  FeedPackets(kDut, kOther, message, 1, 3);
  Feed(Eoma(kOther, kDut, message.size()));
  ASSERT_EQ(delivered_.size(), 1u);
  EXPECT_EQ(delivered_[0].data, message);
}

}  // namespace
}  // namespace vlt::host
