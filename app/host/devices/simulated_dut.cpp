#include "host/devices/simulated_dut.h"

namespace vlt::host {

void SimulatedDut::Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  if (!Powered()) return;
  const auto held = HeldAddress();
  if (held) {
    rvc_.Poll(*held, nowMicros, pending_);
    // Its own traffic waits for the claim's quiet time, the heartbeat too.
    if (Operating()) {
      diagnostics_.Poll(*held, DeviceDsa(), nowMicros, pending_);
      rvc_.Dimmer().Poll(*held, nowMicros, pending_);
    }
  }
  std::vector<BusFrame> due;
  pending_.TakeDue(nowMicros, due);
  // A reboot waits until what it owes (the ACK of the reset) has left.
  if (const auto reboot = diagnostics_.RebootDueMicros(); reboot && *reboot <= nowMicros) {
    own_.Send(due, held, nowMicros, out);
    if (own_.Idle()) {
      diagnostics_.RebootDone();
      SetPower(false, nowMicros);
      SetPower(true, nowMicros);
    }
    return;
  }
  const auto stateDue = StateDeadlineMicros();
  if (stateDue && *stateDue <= nowMicros) OnStateDeadline(nowMicros, due);
  own_.Send(due, HeldAddress(), nowMicros, out);
}

std::optional<std::int64_t> SimulatedDut::NextDeadlineMicros() const {
  if (!Powered()) return std::nullopt;
  const bool held = HeldAddress().has_value();
  const auto rvc = held ? rvc_.NextDeadlineMicros() : std::nullopt;
  const auto diagnostics = held && Operating() ? diagnostics_.NextDeadlineMicros() : std::nullopt;
  const auto load = Operating() ? rvc_.Dimmer().NextReportMicros() : std::nullopt;
  return Earliest(Earliest(Earliest(StateDeadlineMicros(), pending_.NextDueMicros()),
                           Earliest(rvc, Earliest(diagnostics, load))),
                  own_.NextDeadlineMicros(HeldAddress()));
}

bool SimulatedDut::Act(DeviceAction action, std::int64_t nowMicros) {
  if (action == DeviceAction::kSwitch) {
    OnSwitch(nowMicros);
  } else {
    diagnostics_.SetFaultCondition(action == DeviceAction::kFaultOn, nowMicros);
  }
  return true;
}

void SimulatedDut::OnNetworkFrame(const BusFrame& frame, std::int64_t nowMicros) {
  const auto held = HeldAddress();
  if (!held) return;
  own_.Heard(frame, *held, nowMicros);
  if (diagnostics_.OnFrame(frame, *held, DeviceDsa(), nowMicros, pending_)) return;
  rvc_.OnFrame(frame, *held, nowMicros, pending_);
}

void SimulatedDut::OnSwitch(std::int64_t nowMicros) {
  if (Powered()) rvc_.Dimmer().Switch(HeldAddress(), nowMicros, pending_);
}

void SimulatedDut::ForgetSincePowerUp() {
  pending_.Clear();
  rvc_.Restart();
  own_.Restart();
  diagnostics_.Restart();
  claimsSent_ = 0;
}

std::int64_t SimulatedDut::AnswerDueMicros(std::int64_t nowMicros) const {
  return nowMicros + MsToMicros(Has(DutFault::kSlowAnswer) ? kSlowAnswerMs : Timing().reactionMs);
}

std::int64_t SimulatedDut::QuietAfterClaimMs() const {
  return Has(DutFault::kShortQuiet) ? kHastyMs : Timing().firstStatusAfterClaimMs;
}

BusFrame SimulatedDut::NextClaim(std::uint8_t sourceAddress) {
  const bool later = claimsSent_++ > 0;
  return ClaimFrame(sourceAddress, ClaimName(common_, kind_, later), ClaimDestination());
}

void SimulatedDut::AnswerRequest(const BusFrame& request, std::optional<std::uint8_t> held,
                                 std::int64_t nowMicros) {
  if (Has(DutFault::kIgnoresRequests)) return;
  const std::uint8_t destination = request.DestinationAddress();
  if (!held) {
    if (destination == kGlobalAddress) {
      pending_.Add(AnswerDueMicros(nowMicros),
                   ClaimFrame(kNullAddress, ClaimName(common_, kind_, true)));
    }
    return;
  }
  if (destination != *held && destination != kGlobalAddress) return;
  const std::uint8_t from =
      Has(DutFault::kAnswerFromOtherAddress) ? NeighbourAddress(*held) : *held;
  pending_.Add(AnswerDueMicros(nowMicros), NextClaim(from));
}

void SimulatedDut::Defend(std::uint8_t address, std::int64_t nowMicros) {
  const std::int64_t due = AnswerDueMicros(nowMicros);
  if (Has(DutFault::kTalksBeforeDefence)) pending_.Add(due, StatusFrame(common_, address));
  pending_.Add(due, NextClaim(address));
}

void SimulatedDut::SendStatus(std::uint8_t address, std::int64_t nowMicros,
                              std::vector<BusFrame>& out) {
  out.push_back(StatusFrame(common_, address));
  nextStatusMicros_ = host::NextStatusMicros(nextStatusMicros_, nowMicros, Timing().statusPeriodMs);
}

}  // namespace vlt::host
