// What both simulated DUT models do whatever their addressing: power and the
// deadline loop, the frames they owe the bus, the NAME they claim with, answers to
// requests for ADDRESS_CLAIM, the defence of their address and periodic status.
// Each model keeps its own state machine; this base only serves it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/buses/sim_bus.h"
#include "host/devices/dut_common.h"
#include "host/devices/dut_diagnostics.h"
#include "host/devices/own_frames.h"
#include "host/devices/rvc_responder.h"

namespace vlt::host {

class SimulatedDut : public SimDevice {
 public:
  // Sends what is owed, then lets the model act once its own deadline has come.
  void Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) final;
  std::optional<std::int64_t> NextDeadlineMicros() const final;
  // Takes effect at once, as state deadlines read the timing when asked; frames
  // already owed and the status already due keep their times.
  void SetTiming(const DutTiming& timing) { common_.timing = timing; }
  // A person's action on the device: its fault condition, or its own control.
  bool Act(DeviceAction action, std::int64_t nowMicros) override;
  bool FaultCondition() const { return diagnostics_.FaultCondition(); }

 protected:
  SimulatedDut(const DutCommon& common, DutKind kind)
      : common_(common), kind_(kind), rvc_(common_, kind), diagnostics_(common_), own_(common_) {}

  // The address it holds and works at (claimed, or running); none while it has none.
  virtual std::optional<std::uint8_t> HeldAddress() const = 0;
  // The DSA of its device type, which its DM_RV reports whatever address it holds.
  virtual std::uint8_t DeviceDsa() const = 0;
  // In normal operation: sending its periodic status.
  virtual bool Operating() const = 0;
  // What an RV-C node does with any other frame than the claims and requests for
  // them, while it holds an address.
  void OnNetworkFrame(const BusFrame& frame, std::int64_t nowMicros);

  // The device's own control was worked: the wall switch of its load.
  virtual void OnSwitch(std::int64_t nowMicros);

  // The model's next own deadline (boot, wait, quiet time, status), if any.
  virtual std::optional<std::int64_t> StateDeadlineMicros() const = 0;
  // Called by Poll once StateDeadlineMicros() has come.
  virtual void OnStateDeadline(std::int64_t nowMicros, std::vector<BusFrame>& out) = 0;

  const DutCommon& Common() const { return common_; }
  bool Has(DutFault fault) const { return common_.faults.Has(fault); }
  const DutTiming& Timing() const { return common_.timing; }

  // A power cycle forgets what was asked and starts the claim count afresh.
  void ForgetSincePowerUp();
  // Answers and defences leave after the reaction time, or late with slow-answer.
  std::int64_t AnswerDueMicros(std::int64_t nowMicros) const;
  // How long a new claimer keeps its status traffic back.
  std::int64_t QuietAfterClaimMs() const;
  // The NAME of its first claim since power-up, which rivals are measured against.
  DeviceName OwnName() const { return ClaimName(common_, kind_, false); }
  // Every claim it sends, first or later, goes to ClaimDestination().
  BusFrame NextClaim(std::uint8_t sourceAddress);
  virtual std::uint8_t ClaimDestination() const { return kGlobalAddress; }
  // A request for ADDRESS_CLAIM to `held` or to all is answered with a claim of
  // `held`; without an address (nullopt), J1939 has a node answer only global
  // requests, with cannot-claim.
  void AnswerRequest(const BusFrame& request, std::optional<std::uint8_t> held,
                     std::int64_t nowMicros);
  // Claims `address` again against a rival's claim of it.
  void Defend(std::uint8_t address, std::int64_t nowMicros);
  // Periodic status from `address`, starting at `nowMicros`.
  void StartStatus(std::int64_t nowMicros) {
    nextStatusMicros_ = nowMicros;
    rvc_.Dimmer().StartReports(nowMicros);
  }
  std::int64_t StatusDueMicros() const { return nextStatusMicros_; }
  void SendStatus(std::uint8_t address, std::int64_t nowMicros, std::vector<BusFrame>& out);

  PendingFrames pending_;

 private:
  DutCommon common_;
  DutKind kind_;
  RvcResponder rvc_;            // after common_, which it reads
  DutDiagnostics diagnostics_;  // after common_, which it reads
  OwnFrames own_;               // every frame it sends goes out through it
  int claimsSent_ = 0;          // since power-up
  std::int64_t nextStatusMicros_ = 0;
};

}  // namespace vlt::host
