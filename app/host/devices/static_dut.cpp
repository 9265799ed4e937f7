#include "host/devices/static_dut.h"

namespace vlt::host {

StaticDut::StaticDut(StaticDutConfig config, std::int64_t nowMicros) : config_(config) {
  if (config_.common.poweredAtStart) MoveTo(State::kBooting, nowMicros);
}

std::uint8_t StaticDut::Address() const {
  return Has(DutFault::kWrongDsa) ? NeighbourAddress(config_.address) : config_.address;
}

void StaticDut::MoveTo(State next, std::int64_t nowMicros) {
  state_ = next;
  stateSinceMicros_ = nowMicros;
  switch (next) {
    case State::kOff:
    case State::kBooting:
      pending_.Clear();  // a reboot forgets what it was asked
      claimsSent_ = 0;
      break;
    case State::kClaimed:
    case State::kCannotClaim:
      break;
    case State::kRunning:
      nextStatusMicros_ = nowMicros;
      break;
  }
}

void StaticDut::SetPower(bool on, std::int64_t nowMicros) {
  if (on && state_ == State::kOff) MoveTo(State::kBooting, nowMicros);
  if (!on && state_ != State::kOff) MoveTo(State::kOff, nowMicros);
}

BusFrame StaticDut::NextClaim(std::uint8_t sourceAddress) {
  const bool later = claimsSent_++ > 0;
  return ClaimFrame(sourceAddress, ClaimName(config_.common, DutKind::kStatic, later),
                    Has(DutFault::kClaimEe05) ? 0x05 : kGlobalAddress);
}

void StaticDut::OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) {
  if (state_ == State::kOff || state_ == State::kBooting) return;
  const std::int64_t answerDue =
      nowMicros + MsToMicros(Has(DutFault::kSlowAnswer) ? kSlowAnswerMs : Timing().reactionMs);
  if (IsRequestForClaim(frame) && !Has(DutFault::kIgnoresRequests)) {
    const std::uint8_t destination = frame.DestinationAddress();
    if (state_ == State::kCannotClaim) {
      // J1939: a node without an address answers only global requests.
      if (destination == kGlobalAddress) {
        pending_.Add(answerDue,
                     ClaimFrame(kNullAddress, ClaimName(config_.common, DutKind::kStatic, true)));
      }
      return;
    }
    if (destination != Address() && destination != kGlobalAddress) return;
    const std::uint8_t from =
        Has(DutFault::kAnswerFromOtherAddress) ? NeighbourAddress(Address()) : Address();
    pending_.Add(answerDue, NextClaim(from));
    return;
  }
  if (state_ != State::kCannotClaim && IsClaim(frame) && frame.SourceAddress() == Address()) {
    OnClaimOfOwnAddress(frame, nowMicros);
  }
}

void StaticDut::OnClaimOfOwnAddress(const BusFrame& claim, std::int64_t nowMicros) {
  const DeviceName own = ClaimName(config_.common, DutKind::kStatic, false);
  const DeviceName rival = NameOf(claim);
  if (rival == own) return;
  const std::int64_t due =
      nowMicros + MsToMicros(Has(DutFault::kSlowAnswer) ? kSlowAnswerMs : Timing().reactionMs);
  if (Has(DutFault::kJ1939Yield) && OutranksName(rival, own)) {
    pending_.Clear();
    pending_.Add(due, ClaimFrame(kNullAddress, own));
    MoveTo(State::kCannotClaim, nowMicros);
    return;
  }
  if (Has(DutFault::kTalksBeforeDefence)) pending_.Add(due, StatusFrame(config_.common, Address()));
  pending_.Add(due, NextClaim(Address()));
}

void StaticDut::Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  if (state_ == State::kOff) return;
  pending_.TakeDue(nowMicros, out);
  const auto due = StateDeadlineMicros();
  if (!due || *due > nowMicros) return;
  switch (state_) {
    case State::kOff:
    case State::kCannotClaim:
      return;
    case State::kBooting:
      if (Has(DutFault::kTalksFirst)) out.push_back(StatusFrame(config_.common, Address()));
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
      out.push_back(StatusFrame(config_.common, Address()));
      nextStatusMicros_ = NextStatusMicros(nextStatusMicros_, nowMicros, Timing().statusPeriodMs);
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
      return stateSinceMicros_ +
             MsToMicros(Has(DutFault::kShortQuiet) ? kHastyMs : Timing().firstStatusAfterClaimMs);
    case State::kRunning:
      return nextStatusMicros_;
  }
  return std::nullopt;
}

std::optional<std::int64_t> StaticDut::NextDeadlineMicros() const {
  if (state_ == State::kOff) return std::nullopt;
  return Earliest(StateDeadlineMicros(), pending_.NextDueMicros());
}

std::string StaticDut::Describe() const {
  return "static " + std::to_string(Address());
}

}  // namespace vlt::host
