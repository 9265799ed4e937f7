#include "host/devices/static_dut.h"

namespace vlt::host {

StaticDut::StaticDut(StaticDutConfig config, std::int64_t nowMicros)
    : SimulatedDut(config.common, DutKind::kStatic), dsa_(config.address) {
  if (Common().poweredAtStart) MoveTo(State::kBooting, nowMicros);
}

std::uint8_t StaticDut::Address() const {
  return Has(DutFault::kWrongDsa) ? NeighbourAddress(dsa_) : dsa_;
}

void StaticDut::MoveTo(State next, std::int64_t nowMicros) {
  state_ = next;
  stateSinceMicros_ = nowMicros;
  switch (next) {
    case State::kOff:
    case State::kBooting:
      ForgetSincePowerUp();
      break;
    case State::kClaimed:
    case State::kCannotClaim:
      break;
    case State::kRunning:
      StartStatus(nowMicros);
      break;
  }
}

void StaticDut::SetPower(bool on, std::int64_t nowMicros) {
  if (on && state_ == State::kOff) MoveTo(State::kBooting, nowMicros);
  if (!on && state_ != State::kOff) MoveTo(State::kOff, nowMicros);
}

std::uint8_t StaticDut::ClaimDestination() const {
  if (Has(DutFault::kClaimEe05)) return 0x05;
  return Has(DutFault::kClaimTo00) ? 0x00 : kGlobalAddress;
}

void StaticDut::OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) {
  if (state_ == State::kOff || state_ == State::kBooting) return;
  if (IsRequestForClaim(frame)) {
    AnswerRequest(frame, state_ == State::kCannotClaim ? std::nullopt : std::optional{Address()},
                  nowMicros);
    return;
  }
  if (state_ != State::kCannotClaim && IsClaim(frame) && frame.SourceAddress() == Address()) {
    OnClaimOfOwnAddress(frame, nowMicros);
    return;
  }
  OnNetworkFrame(frame, nowMicros);
}

std::optional<std::uint8_t> StaticDut::HeldAddress() const {
  if (state_ == State::kClaimed || state_ == State::kRunning) return Address();
  return std::nullopt;
}

void StaticDut::OnClaimOfOwnAddress(const BusFrame& claim, std::int64_t nowMicros) {
  const DeviceName own = OwnName();
  const DeviceName rival = NameOf(claim);
  if (rival == own) return;
  if (Has(DutFault::kJ1939Yield) && OutranksName(rival, own)) {
    pending_.Clear();
    pending_.Add(AnswerDueMicros(nowMicros), ClaimFrame(kNullAddress, own));
    MoveTo(State::kCannotClaim, nowMicros);
    return;
  }
  Defend(Address(), nowMicros);
}

void StaticDut::OnStateDeadline(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  switch (state_) {
    case State::kOff:
    case State::kCannotClaim:
      return;
    case State::kBooting:
      if (Has(DutFault::kTalksFirst)) out.push_back(StatusFrame(Common(), Address()));
      out.push_back(NextClaim(Address()));
      if (Has(DutFault::kTwoAddresses)) {
        pending_.Add(nowMicros + MsToMicros(kSecondClaimAfterClaimMs),
                     NextClaim(NeighbourAddress(Address())));
      }
      MoveTo(State::kClaimed, nowMicros);
      return;
    case State::kClaimed:
      MoveTo(State::kRunning, nowMicros);
      [[fallthrough]];
    case State::kRunning:
      SendStatus(Address(), nowMicros, out);
      return;
  }
}

std::optional<std::int64_t> StaticDut::StateDeadlineMicros() const {
  switch (state_) {
    case State::kOff:
    case State::kCannotClaim:
      return std::nullopt;
    case State::kBooting:
      return stateSinceMicros_ +
             MsToMicros(Has(DutFault::kLateClaim) ? kLateClaimMs : Timing().bootDelayMs);
    case State::kClaimed:
      return stateSinceMicros_ + MsToMicros(QuietAfterClaimMs());
    case State::kRunning:
      return StatusDueMicros();
  }
  return std::nullopt;
}

std::string StaticDut::Describe() const {
  return "static " + std::to_string(Address());
}

}  // namespace vlt::host
