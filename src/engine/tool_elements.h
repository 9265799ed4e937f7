// Bus and tool elements that act on the host and the bus: the host's mute/echo
// mode, the tool's own address, waiting for a quiet bus, and sending a request
// for ADDRESS_CLAIM or an ADDRESS_CLAIMED of the tool's own.
#pragma once

#include <cstdint>
#include <string>

#include "engine/element.h"
#include "settings/setting_text.h"

namespace vlt::settings {
class SettingManager;
}

namespace vlt::engine {

// Tool modes: 0 Silent, 1 Housekeeping, 2 Tools, 3 Normal, +4 with echo.
inline constexpr std::uint32_t kToolModeTools = 2;
inline constexpr std::uint32_t kToolModeEchoTools = 6;
inline constexpr std::uint32_t kUnknownToolMode = 255;  // also: take the mode from a source
std::string ToolModeName(std::uint32_t mode);

inline constexpr std::size_t kNameTextChars = 23;  // "00 EE 00 01 02 03 04 05"
inline constexpr const char* kFullClaimSetting = "Full ADDRESS_CLAIM Value";
// How a NAME read from the profile is changed before the tool claims with it.
inline constexpr std::uint32_t kNameKindLowest = 0;   // manufacturer code 0: wins arbitration
inline constexpr std::uint32_t kNameKindHighest = 1;  // manufacturer code 7FFh: loses it
void ApplyNameKind(std::uint32_t nameKind, settings::NameBytes& name);
// "<text> is not a valid value for <setting>".
std::string NotValidLine(const std::string& text, const std::string& setting);

// Sets the host's mode and blocks until the host reports it, repeating every 250 ms.
class ESetToolMode : public Element {
 public:
  ESetToolMode(Test* test, std::uint32_t mode);
  // The mode is read from `source` at each start (a mode saved earlier in the run).
  ESetToolMode(Test* test, const std::uint32_t* source);
  std::string GetName() const override { return "ESetToolMode"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  std::string WaitingFor() const override;
  std::uint32_t WantedMode() const { return wantedMode_; }

 private:
  std::uint32_t CurrentMode() const;
  const std::uint32_t* modeSource_;
  std::uint32_t configuredMode_;
  std::uint32_t wantedMode_;
};

// Queries the host's mode into `target`, repeating every 100 ms until a mode is known.
class EGetToolMode : public Element {
 public:
  EGetToolMode(Test* test, std::uint32_t* target)
      : Element(test, true, true), modeTarget_(target) {}
  std::string GetName() const override { return "EGetToolMode"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  std::string WaitingFor() const override;

 private:
  std::uint32_t* modeTarget_;
};

class ESetToolAddress : public Element {
 public:
  ESetToolAddress(Test* test, const std::uint8_t* source)
      : Element(test, false, false), addressSource_(source) {}
  ESetToolAddress(Test* test, std::uint8_t address)
      : Element(test, false, false), ownAddress_(address), addressSource_(&ownAddress_) {}
  std::string GetName() const override { return "ESetToolAddress"; }
  void Start() override;

 private:
  std::uint8_t ownAddress_ = 0;
  const std::uint8_t* addressSource_;
};

// Blocks until the master parser's frame count has not changed for more than `quietLimit` ms.
class EEmptyNetwork : public Element {
 public:
  static constexpr std::uint32_t kDefaultQuietMs = 1000;
  explicit EEmptyNetwork(Test* test, std::uint32_t quietLimitMs = kDefaultQuietMs)
      : Element(test, true, true), quietLimit_(quietLimitMs) {}
  std::string GetName() const override { return "EEmptyNetwork"; }
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  std::string WaitingFor() const override;

 private:
  std::uint32_t FrameCount() const;
  std::uint32_t quietLimit_;
  std::uint32_t quiet_ = 0;
  std::uint32_t lastCount_ = 0;
};

// A request for ADDRESS_CLAIM from the null address to the byte `destination` points at.
class ESendRequestForAddressMsg : public Element {
 public:
  ESendRequestForAddressMsg(Test* test, const std::uint8_t* destination)
      : Element(test, false, false), destination_(destination) {}
  std::string GetName() const override { return "ESendRequestForAddressMsg"; }
  void Start() override;

 private:
  const std::uint8_t* destination_;
};

// One ADDRESS_CLAIMED with the profile's NAME (changed by `nameKind`), from the
// address in `addressSetting` of `store`, or from the tool's address without a store.
class ESendAddressClaimed : public Element {
 public:
  ESendAddressClaimed(Test* test, std::uint32_t nameKind, std::string addressSetting = {},
                      settings::SettingManager* store = nullptr)
      : Element(test, true, true),
        nameKind_(nameKind),
        addressSetting_(std::move(addressSetting)),
        settingsStore_(store) {}
  std::string GetName() const override { return "ESendAddressClaimed"; }
  void Start() override;
  bool ReadsDutName() const override { return true; }
  std::uint8_t SourceAddress() const { return sourceAddress_; }

 private:
  std::uint32_t nameKind_;
  std::uint8_t sourceAddress_ = 0xFF;
  std::string addressSetting_;
  settings::SettingManager* settingsStore_;
};

}  // namespace vlt::engine
