#include "host/devices/simulated_dut.h"

namespace vlt::host {

void SimulatedDut::Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  if (!Powered()) return;
  if (const auto held = HeldAddress()) {
    rvc_.Poll(*held, nowMicros, pending_);
    if (Operating()) rvc_.Dimmer().Poll(*held, nowMicros, pending_);
  }
  pending_.TakeDue(nowMicros, out);
  const auto due = StateDeadlineMicros();
  if (due && *due <= nowMicros) OnStateDeadline(nowMicros, out);
}

std::optional<std::int64_t> SimulatedDut::NextDeadlineMicros() const {
  if (!Powered()) return std::nullopt;
  const auto rvc = HeldAddress() ? rvc_.NextDeadlineMicros() : std::nullopt;
  const auto load = Operating() ? rvc_.Dimmer().NextReportMicros() : std::nullopt;
  return Earliest(Earliest(StateDeadlineMicros(), pending_.NextDueMicros()), Earliest(rvc, load));
}

bool SimulatedDut::Act(DeviceAction action, std::int64_t nowMicros) {
  if (action == DeviceAction::kSwitch) {
    OnSwitch(nowMicros);
  } else {
    faultCondition_ = action == DeviceAction::kFaultOn;
  }
  return true;
}

void SimulatedDut::OnNetworkFrame(const BusFrame& frame, std::int64_t nowMicros) {
  if (const auto held = HeldAddress()) rvc_.OnFrame(frame, *held, nowMicros, pending_);
}

void SimulatedDut::OnSwitch(std::int64_t nowMicros) {
  if (Powered()) rvc_.Dimmer().Switch(HeldAddress(), nowMicros, pending_);
}

void SimulatedDut::ForgetSincePowerUp() {
  pending_.Clear();
  rvc_.Restart();
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
