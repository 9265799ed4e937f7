#include "host/devices/dynamic_dut.h"

namespace vlt::host {

namespace {

AddressRange EffectiveRange(const DynamicDutConfig& config) {
  AddressRange range = kDsaCategoryRanges[config.category % (kMaxDsaCategory + 1)];
  if (config.common.faults.Has(DutFault::kOutOfRange)) {
    range.low = static_cast<std::uint8_t>(range.low - kOutOfRangeShift);
    range.high = static_cast<std::uint8_t>(range.high - kOutOfRangeShift);
  }
  return range;
}

bool IsSpareAddress(std::uint8_t address) {
  return address >= kFirstSpareAddress && address <= kLastSpareAddress && address != kToolAddress;
}

}  // namespace

DynamicDut::DynamicDut(DynamicDutConfig config, std::int64_t nowMicros)
    : SimulatedDut(config.common, DutKind::kDynamic), range_(EffectiveRange(config)) {
  dsa_ = config.dsa.value_or(kDsaCategoryRanges[config.category % (kMaxDsaCategory + 1)].low);
  if (Has(DutFault::kOutOfRange)) dsa_ = static_cast<std::uint8_t>(dsa_ - kOutOfRangeShift);
  target_ = address_ = dsa_;
  if (Common().poweredAtStart) MoveTo(State::kBooting, nowMicros);
}

std::uint8_t DynamicDut::Address() const {
  switch (state_) {
    case State::kSeeking:
    case State::kWaiting:
      return target_;
    case State::kCannotClaim:
      return kNullAddress;
    default:
      return address_;
  }
}

void DynamicDut::MoveTo(State next, std::int64_t nowMicros) {
  state_ = next;
  stateSinceMicros_ = nowMicros;
  switch (next) {
    case State::kOff:
      ForgetSincePowerUp();
      break;
    case State::kBooting:
      // A reboot forgets what it heard and starts from its DSA.
      ForgetSincePowerUp();
      taken_.reset();
      heardNames_.fill(std::nullopt);
      askedAll_ = false;
      firstHeld_.reset();
      target_ = address_ = dsa_;
      secondTarget_.reset();
      break;
    case State::kSeeking:
    case State::kClaimed:
    case State::kCannotClaim:
      break;
    case State::kWaiting:
      waitStatusSent_ = false;
      break;
    case State::kRunning:
      StartStatus(nowMicros);
      break;
  }
}

void DynamicDut::SetPower(bool on, std::int64_t nowMicros) {
  if (on && state_ == State::kOff) MoveTo(State::kBooting, nowMicros);
  if (!on && state_ != State::kOff) MoveTo(State::kOff, nowMicros);
}

// The range from the address after `address` round to `address` itself, then the
// spare addresses; never one known to be taken, nor `besides`.
std::optional<std::uint8_t> DynamicDut::CandidateAfter(std::uint8_t address,
                                                       std::optional<std::uint8_t> besides) const {
  const auto free = [&](std::uint8_t a) { return !taken_.test(a) && a != besides; };
  const int size = range_.high - range_.low + 1;
  const int start = range_.Contains(address) ? address - range_.low + 1 : 0;
  for (int i = 0; i < size; ++i) {
    const auto candidate = static_cast<std::uint8_t>(range_.low + (start + i) % size);
    if (free(candidate)) return candidate;
  }
  if (Has(DutFault::kRangeOnly)) return std::nullopt;
  for (int a = kFirstSpareAddress; a <= kLastSpareAddress; ++a) {
    const auto candidate = static_cast<std::uint8_t>(a);
    if (IsSpareAddress(candidate) && free(candidate)) return candidate;
  }
  return std::nullopt;
}

std::uint8_t DynamicDut::NextInRange(std::uint8_t address) const {
  return address >= range_.high || address < range_.low ? range_.low
                                                        : static_cast<std::uint8_t>(address + 1);
}

void DynamicDut::SeekAfter(std::uint8_t lost, std::int64_t nowMicros) {
  const auto next = CandidateAfter(lost, std::nullopt);
  if (!next) {
    pending_.Clear();
    pending_.Add(nowMicros + MsToMicros(Timing().reactionMs),
                 ClaimFrame(kNullAddress, ClaimName(Common(), DutKind::kDynamic, true)));
    MoveTo(State::kCannotClaim, nowMicros);
    return;
  }
  target_ = *next;
  secondTarget_.reset();
  if (Has(DutFault::kTwoAddresses)) secondTarget_ = CandidateAfter(target_, target_);
  MoveTo(State::kSeeking, nowMicros);
}

bool DynamicDut::Yields(bool rivalOutranks) const {
  if (Has(DutFault::kYieldsAlways)) return true;
  return rivalOutranks && !Has(DutFault::kIgnoresHigherClaim);
}

void DynamicDut::OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) {
  if (state_ == State::kOff || state_ == State::kBooting) return;
  if (IsRequestForClaim(frame)) {
    OnRequest(frame, nowMicros);
  } else if (IsClaim(frame)) {
    OnClaim(frame, nowMicros);
  } else {
    OnNetworkFrame(frame, nowMicros);
  }
}

std::optional<std::uint8_t> DynamicDut::HeldAddress() const {
  if (state_ == State::kClaimed || state_ == State::kRunning) return address_;
  return std::nullopt;
}

void DynamicDut::OnRequest(const BusFrame& request, std::int64_t nowMicros) {
  if (state_ == State::kCannotClaim) {
    AnswerRequest(request, std::nullopt, nowMicros);
    return;
  }
  // Before its claim it has no address to answer for.
  if (state_ != State::kClaimed && state_ != State::kRunning) return;
  AnswerRequest(request, address_, nowMicros);
}

void DynamicDut::OnClaim(const BusFrame& claim, std::int64_t nowMicros) {
  const std::uint8_t claimed = claim.SourceAddress();
  if (claimed >= kNullAddress) return;  // cannot-claim: no address is taken
  const DeviceName own = OwnName();
  const DeviceName rival = NameOf(claim);
  if (rival == own) return;
  const bool rivalOutranks = OutranksName(rival, own);
  if (Has(DutFault::kTracksNames)) {
    // One NAME is one node: claiming here, it has left wherever it was before.
    for (std::size_t a = 0; a < heardNames_.size(); ++a) {
      if (a != claimed && heardNames_[a] == rival) {
        heardNames_[a].reset();
        taken_.reset(a);
      }
    }
    heardNames_[claimed] = rival;
  }
  if (rivalOutranks) taken_.set(claimed);
  switch (state_) {
    case State::kOff:
    case State::kBooting:
    case State::kCannotClaim:
      return;
    case State::kSeeking:
      if (claimed == target_ && rivalOutranks) SeekAfter(target_, stateSinceMicros_);
      return;
    case State::kWaiting:
      if (claimed != target_ || !Yields(rivalOutranks)) return;
      if (Has(DutFault::kRequestsGlobally)) {
        // Still hearing the answers to its request to all: it claims another
        // address at the end of the same wait.
        if (const auto next = CandidateAfter(target_, std::nullopt)) {
          target_ = *next;
        } else {
          SeekAfter(target_, nowMicros);
        }
        return;
      }
      if (Has(DutFault::kRetriesSameTarget)) {
        MoveTo(State::kSeeking, nowMicros);
      } else {
        SeekAfter(target_, nowMicros);
      }
      return;
    case State::kClaimed:
    case State::kRunning:
      break;
  }
  if (claimed != address_) return;
  if (!Yields(rivalOutranks)) {
    Defend(address_, nowMicros);
    return;
  }
  pending_.Clear();  // answers owed from the lost address go with it
  if (Has(DutFault::kTalksBeforeDefence)) {
    pending_.Add(nowMicros + MsToMicros(Timing().reactionMs), StatusFrame(Common(), address_));
  }
  SeekAfter(address_, nowMicros);
}

BusFrame DynamicDut::RequestFrame(std::uint8_t target) const {
  const std::uint8_t data[8] = {
      static_cast<std::uint8_t>(Has(DutFault::kRequestEeff) ? 0xFF : 0x00),
      0xEE,
      0x00,
      0xFF,
      0xFF,
      0xFF,
      0xFF,
      0xFF};
  const std::uint8_t length = Has(DutFault::kShortRequest) ? 3 : 8;
  const std::uint8_t destination =
      Has(DutFault::kGlobalRequest) || Has(DutFault::kRequestsGlobally) ? kGlobalAddress : target;
  const std::uint8_t source = Has(DutFault::kRequestFromTarget) ? target : kNullAddress;
  return *MakeBusFrame(kRequestPriority, kPgnRequest | destination, source,
                       std::span<const std::uint8_t>(data, length));
}

std::uint8_t DynamicDut::StatusAddress() const {
  return Has(DutFault::kStaleStatusAddress) && firstHeld_ ? *firstHeld_ : address_;
}

void DynamicDut::SendRequests(std::vector<BusFrame>& out) {
  out.push_back(RequestFrame(target_));
  if (secondTarget_) out.push_back(RequestFrame(*secondTarget_));
}

void DynamicDut::SendClaims(std::vector<BusFrame>& out, std::int64_t nowMicros) {
  address_ = Has(DutFault::kClaimsUnrequested) ? NextInRange(target_) : target_;
  out.push_back(NextClaim(address_));
  if (secondTarget_) out.push_back(NextClaim(*secondTarget_));
  if (!firstHeld_) firstHeld_ = address_;
  MoveTo(State::kClaimed, nowMicros);
}

void DynamicDut::OnStateDeadline(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  switch (state_) {
    case State::kOff:
    case State::kCannotClaim:
      return;
    case State::kBooting:
      if (Has(DutFault::kTalksFirst)) out.push_back(StatusFrame(Common(), target_));
      if (Has(DutFault::kTwoAddresses)) secondTarget_ = CandidateAfter(target_, target_);
      MoveTo(State::kSeeking, nowMicros);  // asks at once
      [[fallthrough]];
    case State::kSeeking:
      // Having asked all nodes once, a J1939 node knows what is free and just claims.
      if (Has(DutFault::kNoRequest) || askedAll_) {
        SendClaims(out, nowMicros);
      } else {
        askedAll_ = Has(DutFault::kRequestsGlobally);
        SendRequests(out);
        MoveTo(State::kWaiting, nowMicros);
      }
      return;
    case State::kWaiting:
      if (Has(DutFault::kTalksInWait) && !waitStatusSent_ &&
          nowMicros >= stateSinceMicros_ + MsToMicros(kHastyMs)) {
        out.push_back(StatusFrame(Common(), target_));
        waitStatusSent_ = true;
      }
      if (nowMicros >= stateSinceMicros_ +
                           MsToMicros(Has(DutFault::kShortWait) ? kHastyMs : kDutRequestWaitMs)) {
        SendClaims(out, nowMicros);
      }
      return;
    case State::kClaimed:
      MoveTo(State::kRunning, nowMicros);
      [[fallthrough]];
    case State::kRunning:
      SendStatus(StatusAddress(), nowMicros, out);
      return;
  }
}

std::optional<std::int64_t> DynamicDut::StateDeadlineMicros() const {
  switch (state_) {
    case State::kOff:
    case State::kCannotClaim:
      return std::nullopt;
    case State::kBooting:
      return stateSinceMicros_ + MsToMicros(Timing().bootDelayMs);
    case State::kSeeking:
      return stateSinceMicros_ + MsToMicros(Timing().reactionMs);
    case State::kWaiting: {
      const std::int64_t claimAt =
          stateSinceMicros_ + MsToMicros(Has(DutFault::kShortWait) ? kHastyMs : kDutRequestWaitMs);
      if (Has(DutFault::kTalksInWait) && !waitStatusSent_) {
        return std::min(claimAt, stateSinceMicros_ + MsToMicros(kHastyMs));
      }
      return claimAt;
    }
    case State::kClaimed:
      return stateSinceMicros_ + MsToMicros(QuietAfterClaimMs());
    case State::kRunning:
      return StatusDueMicros();
  }
  return std::nullopt;
}

std::string DynamicDut::Describe() const {
  return "dynamic " + std::to_string(Address());
}

}  // namespace vlt::host
