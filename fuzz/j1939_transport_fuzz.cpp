// Feeds arbitrary frame sequences, on arbitrary time steps, to the host's
// transport: the assembler (as the tool's address) and the sender's answers
// path. Besides the sanitizers it checks what the host promises its tools: a
// message arrives whole, between 1 and 1785 bytes, and what the host sends is a
// well-formed TP.CM from its own address.
//
// Input: records of 14 bytes: time step in ms (1), identifier (4, little-endian),
// length (1, taken modulo 9), data (8).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "host/transport/j1939_transport.h"

namespace {

using namespace vlt::host;

constexpr std::size_t kRecordBytes = 14;

void CheckSent(const BusFrame& frame, std::uint8_t own) {
  if (frame.SourceAddress() != own || frame.length != 8 || frame.Pgn() != kPgnTpCm) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  TransportCounters counters;
  std::int64_t now = 0;
  TransportAssembler assembler(kToolAddress,
                               {[](const TransportMessage& m) {
                                  if (m.data.empty() || m.data.size() > kMaxTransportBytes)
                                    std::abort();
                                  if (m.dgn > kDgnMask) std::abort();
                                },
                                [](const BusFrame& f) { CheckSent(f, kToolAddress); },
                                {}},
                               counters);
  TransportSender sender({[](std::uint64_t, const BusFrame& f) {
                            if (f.length != 8 || f.SourceAddress() != kToolAddress) std::abort();
                          },
                          [](std::uint64_t, const TransportMessage& m, bool) {
                            if (m.data.size() != 100) std::abort();
                          }},
                         counters);
  // One session each way for the bus to answer or break.
  TransportMessage toNode;
  toNode.dgn = 0xEF80;
  toNode.sourceAddress = kToolAddress;
  toNode.data.assign(100, 0x55);
  sender.Send(1, toNode, now);

  for (std::size_t at = 0; at + kRecordBytes <= size; at += kRecordBytes) {
    const std::uint8_t* r = bytes + at;
    now += r[0] * 1000;
    sender.RunDue(now);
    assembler.RunDue(now);
    BusFrame frame;
    frame.id =
        (r[1] | (r[2] << 8) | (r[3] << 16) | (static_cast<std::uint32_t>(r[4]) << 24)) & 0x1FFFFFFF;
    frame.length = static_cast<std::uint8_t>(r[5] % 9);
    for (std::size_t i = 0; i < 8; ++i) frame.data[i] = r[6 + i];
    if (!sender.OnFrame(frame, now)) assembler.OnFrame(frame, now);
    if (assembler.OpenSessions() > 256 * 256 || sender.OpenSessions() > 1) std::abort();
  }
  // Every session ends: nothing waits for ever.
  now += 60'000'000;
  sender.RunDue(now);
  assembler.RunDue(now);
  if (assembler.OpenSessions() != 0 || sender.OpenSessions() != 0) std::abort();
  return 0;
}
