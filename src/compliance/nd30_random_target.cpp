#include "compliance/nd30_random_target.h"

#include <random>

#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/network_messages.h"

namespace vlt::compliance {
namespace {

using engine::RequestOutcome;
using engine::RequestReply;

// After the supported DGNs, the DGNs every RV-C node has or is asked for.
constexpr std::uint32_t kEveryNodeDgns[] = {engine::kProductIdDgn, engine::kDmRvDgn,
                                            engine::kAddressClaimDgn};
constexpr int kSlots = kDgnSlots + 3;
constexpr std::uint8_t kLastNodeAddress = 0xFD;

}  // namespace

EWatchAddressesInUse::EWatchAddressesInUse(engine::Test* test, engine::DataLog* log,
                                           std::bitset<256>* inUse)
    : EWatch(test, log), inUse_(inUse) {
  SetHolds(false);
  SetBlocks(false);
}

void EWatchAddressesInUse::Start() {
  active_ = true;
  parsing_ = true;
  inUse_->reset();
}

void EWatchAddressesInUse::OnMatch(engine::DataLog& log, int index,
                                   const framework::FrameRecord& frame) {
  if (frame.textFlag != 0 || log.OwnTransmission(index)) return;
  inUse_->set(frame.sourceAddress);
}

Test_ND30::Test_ND30(const engine::TestContext& context) : NetworkTest(context, kCatalogueIndex) {
  Append<EWatchAddressesInUse>(log_, &inUse_);
  // Its DM_RV heartbeat heard once is known by its period, never taken for an answer.
  AppendPreamble([this](const engine::DeviceRhythm& rhythm) {
    return HeardTwice(rhythm, SlotDgns(kSupportedDgnSetting)) &&
           rhythm.Count({engine::kDmRvDgn, engine::DeviceRhythm::kAnyInstance}) > 0;
  });
  Append<engine::ECall>([this] { ChooseTargets(); });
  for (std::size_t t = 0; t < kTargets; ++t) {
    for (int slot = 0; slot < kSlots; ++slot) {
      AppendRequest([this, t, slot] { return PlanFor(t, slot); },
                    [this](const RequestOutcome& o, engine::DataLog& log) { Judge(o, log); });
    }
  }
  AddCriterion(kAnswered, "Response to a request addressed to another node.");
  AddCriterion(kNakked, "NAK to a request addressed to another node.");
}

std::vector<std::uint8_t> FreeAddresses(const std::bitset<256>& inUse, std::uint8_t dut,
                                        const std::tm& when, std::size_t count) {
  std::vector<std::uint8_t> free;
  for (int a = 0; a <= kLastNodeAddress; ++a) {
    if (!inUse.test(a) && a != dut && a != engine::kTesterAddress) {
      free.push_back(static_cast<std::uint8_t>(a));
    }
  }
  std::mt19937 random(static_cast<std::uint32_t>(when.tm_sec + 60 * when.tm_min +
                                                 3600 * when.tm_hour + 86400 * when.tm_yday) ^
                      dut);
  std::shuffle(free.begin(), free.end(), random);
  free.resize(std::min(free.size(), count));
  return free;
}

void Test_ND30::ChooseTargets() {
  const std::tm when = Context().localTime ? Context().localTime() : engine::SystemLocalTime();
  const std::vector<std::uint8_t> free = FreeAddresses(inUse_, dut_, when, kTargets);
  targetsText_.clear();
  for (std::size_t t = 0; t < kTargets; ++t) {
    targets_[t] = free[t];
    targetsText_ += (t == 0 ? "" : ", ") + std::to_string(free[t]);
  }
  Write("Requests go to addresses no device holds: " + targetsText_ + ".");
}

std::optional<engine::RequestPlan> Test_ND30::PlanFor(std::size_t target, int slot) {
  engine::RequestPlan plan;
  plan.destination = targets_[target];
  if (slot < kDgnSlots) {
    const auto dgn = SlotDgn(kSupportedDgnSetting, slot + 1);
    if (!dgn) return std::nullopt;
    plan.dgn = *dgn;
  } else {
    plan.dgn = kEveryNodeDgns[slot - kDgnSlots];
  }
  return plan;
}

void Test_ND30::Judge(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string about =
      DgnLabel(outcome.plan.dgn) + " to address " + std::to_string(outcome.plan.destination);
  for (const RequestReply& reply : outcome.replies) {
    if (reply.kind == RequestReply::Kind::kAcknowledgment) {
      FailCriterionAdding(kNakked, about + ": NAK after " + std::to_string(reply.delayMs) + " ms",
                          &log, reply.index);
    } else {
      FailCriterionAdding(kAnswered,
                          about + ": answered after " + std::to_string(reply.delayMs) + " ms", &log,
                          reply.index);
    }
  }
}

void Test_ND30::Finish() {
  if (!Aborted() && !targetsText_.empty()) {
    PassIfUndecided(kAnswered, "Addresses used: " + targetsText_);
    PassIfUndecided(kNakked, "Addresses used: " + targetsText_);
  }
  Test::Finish();
}

}  // namespace vlt::compliance
