#include "compliance/test_a_read_address.h"

#include "compliance/test_table.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

namespace {
constexpr std::uint32_t kToolsMode = 2;
}  // namespace

void EWatchForAddressClaim_ARA::Start() {
  EWatchForDGN::Start();
  Log()->Restart();
  test_->Trace("EWatchForAddressClaim blocking.");
}

void EWatchForAddressClaim_ARA::Reset() {
  EWatchForDGN::Reset();
  nameRead_ = false;  // a run aborted before the watch starts read nothing either
}

void EWatchForAddressClaim_ARA::OnMatch(engine::DataLog& /*log*/, int /*index*/,
                                        const framework::FrameRecord& frame) {
  test_->Write("Address Claim Received.   MfgID=" + test_->SignalValue(frame, "~~ManufacturerID") +
               "  ArbAddrCapFlag=" + test_->SignalValue(frame, "~~ArbAddrCapable"));
  const std::string packet = settings::FrameDataText(frame, " ");
  test_->Write("  Packet: " + packet);
  test_->SetValue(kFullClaimSetting, packet);
  nameRead_ = frame.length == settings::kNameBytes;
  active_ = false;
  parsing_ = false;
  test_->Trace("EWatchForAddressClaim complete.");
}

Test_A_ReadAddress::Test_A_ReadAddress(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  engine::DataLog& log = AddDataLog(0);
  Append<engine::ESetToolAddress>(framework::kToolAddress);
  Append<engine::ESetToolMode>(kToolsMode);
  Append<engine::ETextLogMemo>("Start with an empty network, DUT powered off or disconnected.",
                               engine::OperatorCue::kPowerOff);
  Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
  Append<engine::EEmptyNetwork>();
  Append<engine::ETextLogMemo>("Power Up DUT", engine::OperatorCue::kPowerOn);
  watch_ = &Append<EWatchForAddressClaim_ARA>(&log);
}

void Test_A_ReadAddress::Finish() {
  DataLogAt(0)->Stop();
  const std::string value = GetValue(kFullClaimSetting);
  if (!Context().prompter.AskDecision("ADDRESS_CLAIM packet\r\n[ " + value + " ]",
                                      "Save for future tests?")) {
    return;
  }
  // The store's text of a run that heard no claim, or of an earlier run, is no
  // NAME of this DUT: a Yes then keeps the profile as it was.
  if (!watch_->NameRead()) {
    Write("No ADDRESS_CLAIM was read: nothing saved.");
    return;
  }
  Write(std::string("Saving ADDRESS_CLAIM packet as ") + kFullClaimSetting);
  AppSettings().SetValue(kFullClaimSetting, value);
  Context().dataContext.SetProfileModified(true);
}

}  // namespace vlt::compliance
