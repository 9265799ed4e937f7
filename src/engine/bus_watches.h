// Watches the tests use to find and answer the device under test: waiting for
// traffic from one address, answering a request for ADDRESS_CLAIM, and finding
// the device by a DGN it transmits. All see every frame of their data log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/watch.h"

namespace vlt::settings {
class SettingManager;
}

namespace vlt::engine {

// Ends after `needed` frames from the address in `addressSetting` of `store`.
class EWaitForActivityAtAddress : public EWatch {
 public:
  static constexpr std::uint32_t kDefaultNeeded = 5;
  EWaitForActivityAtAddress(Test* test, DataLog* log, std::string addressSetting,
                            settings::SettingManager* store)
      : EWatch(test, log), addressSetting_(std::move(addressSetting)), settingsStore_(store) {}
  std::string GetName() const override { return "EWaitForActivityAtAddress"; }
  void Start() override;
  void OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::string WaitingFor() const override;
  std::uint8_t Address() const { return address_; }
  std::uint32_t Count() const { return count_; }

 private:
  std::uint32_t count_ = 0;
  std::uint32_t needed_ = kDefaultNeeded;
  std::uint8_t address_ = 0;
  std::string addressSetting_;
  settings::SettingManager* settingsStore_;
};

inline constexpr const char* kDsaForClaimingSetting = "DSA For Address Claiming";

// The address an answer to a request for ADDRESS_CLAIM contests: the request's
// target, or for a request to all (normal J1939 practice) the address the DUT
// is expected to take, "DSA For Address Claiming": no node can hold FFh.
std::uint8_t ContestedAddress(Test& test, std::uint8_t requestTarget);

// Answers one request for ADDRESS_CLAIM `delay` ms after it arrived, with the
// profile's NAME (changed by `nameKind`) from the address it contests.
// The due time is checked on every loop step and the loop wakes for it, so the
// answer leaves within a fraction of a millisecond of it.
class ERespondWithAddressClaimed : public EWatch {
 public:
  static constexpr std::uint32_t kNothingDue = 0xFFFFFFFF;
  static constexpr std::uint32_t kDefaultDelayMs = 200;

  ERespondWithAddressClaimed(Test* test, DataLog* log, std::uint32_t nameKind);
  std::string GetName() const override { return "ERespondWithAddressClaimed"; }
  void Start() override;
  bool ReadsDutName() const override { return true; }
  void OnEvent(std::uint32_t code) override;
  void OnLoopStep() override;
  void OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) override;
  // When the answer leaves (ms, common time base), or kNothingDue.
  std::uint32_t Due() const;
  std::uint8_t Responder() const { return responder_; }

 private:
  void AnswerIfDue();
  // When the request arrived, within the millisecond its stamp names.
  std::int64_t ArrivalMicros(const framework::FrameRecord& request) const;

  std::optional<std::int64_t> dueMicros_;  // common time base
  std::uint32_t delay_ = kDefaultDelayMs;
  std::uint8_t responder_ = 0xFF;
  std::uint32_t nameKind_;
  std::string claimText_;
};

// Finds the device by "Identifying DGN" (and "Identifying Instance" unless
// "N/D") and stores its source address through `result`.
class EFindDevice : public EWatch {
 public:
  static constexpr std::uint8_t kAnyInstance = 0xFF;
  // Instance 0 is an instance only for this DGN.
  static constexpr std::uint32_t kInstanceZeroDgn = 0x1FFB7;

  EFindDevice(Test* test, DataLog* log, std::uint8_t* result)
      : EWatch(test, log), result_(result) {}
  std::string GetName() const override { return "EFindDevice"; }
  void Start() override;
  void OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) override;
  std::string WaitingFor() const override;
  std::uint32_t Dgn() const { return dgn_; }
  std::uint8_t Instance() const { return instance_; }

 private:
  std::uint32_t dgn_ = 0;
  std::uint8_t instance_ = kAnyInstance;
  std::uint8_t* result_;
};

}  // namespace vlt::engine
