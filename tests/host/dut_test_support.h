// Shared by the simulated DUT tests: one tool on the in-process host that writes
// what it sees as short lines ("ms DGN:SA" and, for claims and requests, the data),
// and a rival node that contests claims and answers requests as the tester does.
#pragma once

#include <gtest/gtest.h>

#include <bitset>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/host_protocol.h"
#include "host/core/in_process_host.h"
#include "host/devices/dut_common.h"

namespace vlt::host::testing {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

inline const Bytes kRequestForClaim{0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// The DUT's own NAME with the manufacturer code of the tester's competing claims:
// 0 outranks it, 7FFh yields to it.
inline DeviceName WithManufacturer(DeviceName name, std::uint16_t code) {
  SetManufacturerCode(name, code);
  return name;
}

class DutBench {
 public:
  DutBench() : host_(clock_, Stamped()) {
    tool_ = host_.ConnectTool();
    std::string name = "MORVEL042";
    EXPECT_EQ(tool_->OpenHost(), 0);
    EXPECT_EQ(tool_->CreateToolSlot(name), 0);
    tool_->Write(framework::RegistrationMessage(name));
    Take();
  }

  InProcessHost& Host() { return host_; }
  void SetDut(std::unique_ptr<SimDevice> dut) { host_.SetDut(std::move(dut)); }
  void Advance(std::int64_t ms) { host_.AdvanceMillis(ms); }
  // Times in Take() count from here.
  void MarkOrigin() { originMicros_ = host_.Server().HostMicros(); }
  void PowerOn() {
    MarkOrigin();
    EXPECT_TRUE(host_.Control("dut power on").starts_with("ok on"));
  }
  std::string Status() { return host_.Control("dut status"); }

  void Echo(bool on) { tool_->Write(framework::SetModeMessage(1, 3, on ? 1 : 0)); }
  void Transmit(std::uint8_t source, std::uint32_t dgn, const Bytes& data) {
    tool_->Write(framework::TransmitMessage(source, dgn, 6, data));
  }
  void Request(std::uint8_t destination) {
    Transmit(kNullAddress, kPgnRequest | destination, kRequestForClaim);
  }
  // Another node's claim, straight onto the bus.
  void Claim(std::uint8_t source, const DeviceName& name) {
    host_.InjectFrame(ClaimFrame(source, name));
  }

  // Whether Take() shows DM_RV and ACKNOWLEDGMENT frames (with their data).
  bool diagnostics = false;
  // Every frame since the last call: "ms DGN:SA", the data after claims and requests.
  Lines Take() {
    Lines lines;
    std::uint8_t buffer[framework::kReadBufferBytes];
    while (tool_->NextMessageSize()) {
      const auto n = tool_->Read(buffer);
      const auto m = framework::ParseHostMessage(std::span<const std::uint8_t>(buffer, *n));
      if (m.kind != framework::HostMessage::Kind::kFrame) continue;
      char head[32];
      std::snprintf(head, sizeof(head), "%d %05X:%02X",
                    static_cast<int>((m.frame.hostMicros - originMicros_) / 1000),
                    static_cast<unsigned>(m.frame.dgn), m.frame.sourceAddress);
      std::string line = head;
      const std::uint32_t block = m.frame.dgn & 0x1FF00;
      const bool diagnostic = m.frame.dgn == 0x1FECA || block == 0xE800;
      // The scenes of addressing leave the DUT's health reports aside.
      if (diagnostic && !diagnostics) continue;
      if (block == kPgnAddressClaim || block == kPgnRequest || diagnostic) {
        line += ' ';
        for (const std::uint8_t b : m.frame.data) {
          static constexpr char kDigits[] = "0123456789ABCDEF";
          line += kDigits[b >> 4];
          line += kDigits[b & 15];
        }
      }
      lines.push_back(line);
    }
    return lines;
  }

 private:
  static HostConfig Stamped() {
    HostConfig config;
    config.stampedFrames = true;
    return config;
  }

  platform::ManualClock clock_;
  InProcessHost host_;
  std::unique_ptr<platform::Mailslots> tool_;
  std::uint32_t originMicros_ = 0;
};

// A node that takes the tester's part: it claims every contested address that
// another node claims, at once, and answers a request for an address with a claim
// of it after `answerDelayMs`. Its NAME decides who wins.
class RivalNode final : public SimDevice {
 public:
  RivalNode(DeviceName name, std::bitset<256> contested, std::int64_t answerDelayMs = -1)
      : name_(name), contested_(contested), answerDelayMs_(answerDelayMs) {}

  void SetPower(bool, std::int64_t) override {}
  bool Powered() const override { return true; }
  void OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) override {
    if (IsClaim(frame) && NameOf(frame) != name_ && contested_.test(frame.SourceAddress())) {
      pending_.Add(nowMicros, ClaimFrame(frame.SourceAddress(), name_));
    }
    if (IsRequestForClaim(frame) && answerDelayMs_ >= 0 && !answered_) {
      answered_ = true;  // as the tester's responder: one answer
      pending_.Add(nowMicros + MsToMicros(answerDelayMs_),
                   ClaimFrame(frame.DestinationAddress(), name_));
    }
  }
  void Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) override {
    pending_.TakeDue(nowMicros, out);
  }
  std::optional<std::int64_t> NextDeadlineMicros() const override {
    return pending_.NextDueMicros();
  }
  std::string Describe() const override { return "rival"; }

 private:
  DeviceName name_;
  std::bitset<256> contested_;
  std::int64_t answerDelayMs_;
  bool answered_ = false;
  PendingFrames pending_;
};

inline std::bitset<256> AddressSet(int low, int high) {
  std::bitset<256> set;
  for (int a = low; a <= high; ++a) set.set(static_cast<std::size_t>(a));
  return set;
}

}  // namespace vlt::host::testing
