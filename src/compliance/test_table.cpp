#include "compliance/test_table.h"

#include <algorithm>
#include <array>

#include "compliance/a100_range_full.h"
#include "compliance/a10_static_boot.h"
#include "compliance/a110_request_response.h"
#include "compliance/a20_a30_static_conflict.h"
#include "compliance/a40_dynamic_boot.h"
#include "compliance/a50_a60_dynamic_startup_conflict.h"
#include "compliance/a70_dynamic_starting_no_conflict.h"
#include "compliance/a80_a90_subsequent_conflict.h"
#include "compliance/instances_request.h"
#include "compliance/nd100_source_address.h"
#include "compliance/nd10_nd20_requests.h"
#include "compliance/nd110_empty_command.h"
#include "compliance/nd120_general_reset.h"
#include "compliance/nd130_nak.h"
#include "compliance/nd140_wrong_instance.h"
#include "compliance/nd150_transparency.h"
#include "compliance/nd30_random_target.h"
#include "compliance/nd40_product_id.h"
#include "compliance/nd50_nd70_dm_rv.h"
#include "compliance/nd80_proprietary.h"
#include "compliance/nd90_traffic_sample.h"
#include "compliance/test_a_read_address.h"

namespace vlt::compliance {
namespace {

using A = TestFamily;
using S = std::string_view;

// The settings each heading shows.
constexpr S kDsa = "DSA For Address Claiming";
constexpr S kTolerance = "250MS Timing Tolerance";
constexpr S kManufacturer = "Manufacturer ID";
constexpr S kName = "Full ADDRESS_CLAIM Value";
constexpr S kCategory = "DSA Category";
constexpr S kIdentifyingDgn = "Identifying DGN";
constexpr S kIdentifyingInstance = "Identifying Instance";

constexpr S kA10Settings[] = {kDsa, kTolerance, kManufacturer, kName};
constexpr S kA20Settings[] = {kDsa, kTolerance};
constexpr S kA30Settings[] = {kDsa};
constexpr S kA40Settings[] = {kCategory};
constexpr S kA60Settings[] = {kTolerance, kManufacturer};
constexpr S kA70Settings[] = {kTolerance, kCategory};
constexpr S kA80Settings[] = {kIdentifyingDgn, kIdentifyingInstance};
constexpr S kA90Settings[] = {kTolerance, kName, kCategory, kIdentifyingDgn, kIdentifyingInstance};
constexpr S kA100Settings[] = {kName, kIdentifyingDgn, kIdentifyingInstance,
                               "Perform Extended Test A-100", "Extended Test Target Address"};
constexpr S kA110Settings[] = {kTolerance, kName, kIdentifyingDgn, kIdentifyingInstance};
constexpr S kND10Settings[] = {kTolerance,          kIdentifyingDgn,     kIdentifyingInstance,
                               "Unsupported DGN 1", "Unsupported DGN 2", "Unsupported DGN 3",
                               "Supported DGN 1",   "Supported DGN 2",   "Supported DGN 3"};
constexpr S kND30Settings[] = {kTolerance,        kIdentifyingDgn,   kIdentifyingInstance,
                               "Supported DGN 1", "Supported DGN 2", "Supported DGN 3"};
constexpr S kInstancesSettings[] = {kTolerance, kIdentifyingDgn, kIdentifyingInstance,
                                    "Unused Instance"};
constexpr S kND40Settings[] = {kTolerance, kIdentifyingDgn, kIdentifyingInstance};
constexpr S kND50Settings[] = {kTolerance, kIdentifyingDgn, kIdentifyingInstance, kDsa};
constexpr S kCommandDgn = "Command DGN";
constexpr S kStatusDgn = "Status DGN";
constexpr S kCommandInstance = "Command Instance";
constexpr S kStateBytes = "Status State Bytes";
constexpr S kND80Settings[] = {
    kTolerance, kIdentifyingDgn, kIdentifyingInstance, "Traffic Sample Seconds",
    kStatusDgn, kStateBytes,     kCommandInstance};
constexpr S kND90Settings[] = {kTolerance, kIdentifyingDgn, kIdentifyingInstance,
                               "Traffic Sample Seconds"};
constexpr S kND100Settings[] = {kTolerance,        kIdentifyingDgn,    kIdentifyingInstance,
                                kCommandDgn,       kStatusDgn,         kCommandInstance,
                                "Command On Data", "Command Off Data", kStateBytes};
constexpr S kND110Settings[] = {kTolerance, kIdentifyingDgn,  kIdentifyingInstance, kCommandDgn,
                                kStatusDgn, kCommandInstance, kStateBytes};
constexpr S kND130Settings[] = {
    kTolerance,       kIdentifyingDgn,    kIdentifyingInstance,   kCommandDgn, kStatusDgn,
    kCommandInstance, "Command Off Data", "Refused Command Data", kStateBytes, "Unsupported DGN 1"};
constexpr S kND140Settings[] = {
    kTolerance,       kIdentifyingDgn,   kIdentifyingInstance, kCommandDgn, kStatusDgn,
    kCommandInstance, "Command On Data", "Command Off Data",   kStateBytes, "Unused Instance"};
constexpr S kND150Settings[] = {kTolerance, kIdentifyingDgn,  kIdentifyingInstance, kCommandDgn,
                                kStatusDgn, kCommandInstance, "Command Off Data",   kStateBytes};
constexpr std::span<const S> kNoSettings{};

// One row of a test that exists: its class gives the catalogue index and how it
// is made and counted.
template <typename T>
constexpr TestRow Row(std::string_view code, TestFamily family, int menuId,
                      std::string_view menuText, bool separatorBefore, std::string_view title,
                      std::string_view specVersion, std::string_view codeRevision,
                      std::span<const std::string_view> settings, bool skippable = true,
                      bool heading = true) {
  return {code,
          family,
          menuId,
          menuText,
          separatorBefore,
          T::kCatalogueIndex,
          title,
          specVersion,
          codeRevision,
          settings,
          engine::MakeRegistered<T>,
          [](const engine::TestContext& context) { return T(context).Criteria().size(); },
          skippable,
          heading};
}

// In menu order. Catalogue indices: 0 Read ADDRESS_CLAIM, 1-11 the A tests, 22 on
// the ND tests.
constexpr std::array kTable = {
    Row<Test_A_ReadAddress>("RAC", A::kAddressing, 32811, "&Read ADDRESS_CLAIM from DUT", false,
                            "Read ADDRESS_CLAIM", "N/A", "N/A", kNoSettings, false, false),
    Row<Test_A10>("A10", A::kAddressing, 32780, "A-&10 Static Boot", true,
                  "Static Addressing Bootup", "10-2025", "10-31-2025", kA10Settings),
    Row<Test_A20>("A20", A::kAddressing, 32781, "A-&20 Static Conflict (LP)", false,
                  "Static Addressing - Lower Priority Conflict", "10-2025", "10-31-2025",
                  kA20Settings),
    Row<Test_A30>("A30", A::kAddressing, 32782, "A-&30 Static Conflict (HP)", false,
                  "Static Addressing - Higher Priority Conflict", "10-2025", "10-31-2025",
                  kA30Settings),
    Row<Test_A40>("A40", A::kAddressing, 32783, "A-&40 Dynamic Boot", true,
                  "Dynamic Addressing Bootup", "10-2025", "11-04-2025", kA40Settings),
    Row<Test_A50>("A50", A::kAddressing, 32784, "A-&50 Dynamic Startup Conflict (HP)", false,
                  "Dynamic Addressing Startup Conflict (High Priority)", "10-2025", "11-04-2025",
                  kA40Settings),
    Row<Test_A60>("A60", A::kAddressing, 32785, "A-&60 Dynamic Startup Conflict (LP)", false,
                  "Dynamic Addressing Startup Conflict (Low Priority)", "10-2025", "11-04-2025",
                  kA60Settings),
    Row<Test_A70>("A70", A::kAddressing, 32786, "A-&70 Dynamic Starting No Conflict", false,
                  "Dynamic Addressing Startup No Conflict", "10-2025", "11-06-2025", kA70Settings),
    Row<Test_A80>("A80", A::kAddressing, 32787, "A-&80 Dynamic Subsequent Conflict (LP)", false,
                  "Dynamic Addressing Subsequent Conflict (Low Priority)", "10-2025", "11-13-2025",
                  kA80Settings),
    Row<Test_A90>("A90", A::kAddressing, 32788, "A-&90 Dynamic Subsequent Conflict (HP)", false,
                  "Dynamic Addressing Subsequent Conflict (High Priority)", "10-2025", "11-13-2025",
                  kA90Settings),
    Row<Test_A100>("A100", A::kAddressing, 32789, "A-100 Dynamic Range &Full", false,
                   "Dynamic Range Full", "10-2025", "11-21-2025", kA100Settings),
    Row<Test_A110>("A110", A::kAddressing, 32790, "A-110 Res&ponse to Request for ADDRESS_CLAIM",
                   true, "Response to Request for ADDRESS_CLAIM", "10-2025", "11-21-2025",
                   kA110Settings),
    Row<Test_ND10>("ND10", A::kNetwork, 32791, "ND-&10 Global Request for DGN", false,
                   "Global Request for DGN", "10-2025", "12-10-2026", kND10Settings),
    Row<Test_ND20>("ND20", A::kNetwork, 32792, "ND-&20 Targeted Request for DGN", false,
                   "Targeted Request for DGN", "10-2025", "12-10-2026", kND10Settings),
    Row<Test_ND30>("ND30", A::kNetwork, 32793, "ND-&30 Request for DGN - Random Target", false,
                   "Request for DGN - Random Target", "10-2025", "12-10-2026", kND30Settings),
    Row<Test_Instances>("NDINST", A::kNetwork, 32826, "Request for DGN - &Instances (Unofficial)",
                        false, "Request for DGN - Instances (Unofficial)", "10-2025", "12-10-2026",
                        kInstancesSettings),
    Row<Test_ND40>("ND40", A::kNetwork, 32794, "ND-&40 PRODUCT_ID", true, "PRODUCT_ID", "10-2025",
                   "12-10-2026", kND40Settings),
    Row<Test_ND50>("ND50", A::kNetwork, 32795, "ND-&50 DM_RV No Faults", true, "DM_RV No Faults",
                   "10-2025", "12-10-2026", kND50Settings),
    Row<Test_ND60>("ND60", A::kNetwork, 32796, "ND-&60 DM_RV with Faults", false,
                   "DM_RV with Faults", "10-2025", "12-10-2026", kND40Settings),
    Row<Test_ND70>("ND70", A::kNetwork, 32797, "ND-&70 DM_RV Fault Clearing", false,
                   "DM_RV Fault Clearing", "10-2025", "12-10-2026", kND40Settings),
    Row<Test_ND80>("ND80", A::kNetwork, 32798, "ND-&80 Proprietary Messages", true,
                   "Proprietary Messages", "10-2025", "12-10-2026", kND80Settings),
    Row<Test_ND90>("ND90", A::kNetwork, 32799, "ND-&90 Network Traffic Sample", true,
                   "Network Traffic Sample", "10-2025", "12-10-2026", kND90Settings),
    Row<Test_ND100>("ND100", A::kNetwork, 32800, "ND-10&0 Ignoring Source Address", true,
                    "Ignoring Source Address", "10-2025", "12-10-2026", kND100Settings),
    Row<Test_ND110>("ND110", A::kNetwork, 32801, "ND-110 &Empty Commands", false, "Empty Commands",
                    "10-2025", "12-10-2026", kND110Settings),
    Row<Test_ND120>("ND120", A::kNetwork, 32802, "ND-120 General Reset - &Clear Faults", false,
                    "General Reset - Clear Faults", "10-2025", "12-10-2026", kND40Settings),
    Row<Test_ND130>("ND130", A::kNetwork, 32803, "ND-130 &NAK", false, "NAK", "10-2025",
                    "12-10-2026", kND130Settings),
    Row<Test_ND140>("ND140", A::kNetwork, 32804, "ND-140 Command with Incorrect Ins&tance", false,
                    "Command with Incorrect Instance", "10-2025", "12-10-2026", kND140Settings),
    Row<Test_ND150>("ND150", A::kNetwork, 32805, "ND-150 T&ransparency of Control", false,
                    "Transparency of Control", "10-2025", "12-10-2026", kND150Settings),
};

}  // namespace

std::span<const TestRow> TestTable() {
  return kTable;
}

const TestRow* FindTest(std::string_view code) {
  const auto it =
      std::find_if(kTable.begin(), kTable.end(), [&](const TestRow& r) { return r.code == code; });
  return it == kTable.end() ? nullptr : &*it;
}

std::string PlainMenuText(const TestRow& row) {
  std::string text;
  for (const char c : row.menuText) {
    if (c != '&') text += c;
  }
  return text;
}

const reports::TestCatalogue& Catalogue() {
  static const reports::TestCatalogue catalogue = [] {
    reports::TestCatalogue built;
    for (const TestRow& row : kTable) {
      if (row.make == nullptr) continue;  // not in the catalogue until its test exists
      built.Add(row.catalogueIndex, row.code, row.title, row.specVersion, row.codeRevision);
    }
    return built;
  }();
  return catalogue;
}

engine::TestIdentity IdentityOf(std::uint16_t catalogueIndex) {
  const reports::TestCatalogue& c = Catalogue();
  return {c.Code(catalogueIndex), c.Title(catalogueIndex), c.SpecVersion(catalogueIndex),
          c.CodeRevision(catalogueIndex)};
}

reports::CatalogueLookup SummaryCatalogue() {
  return [](std::string_view code) -> std::optional<reports::CatalogueVersions> {
    for (const auto& [index, entry] : Catalogue().Entries()) {
      if (entry.code == code) {
        return reports::CatalogueVersions{entry.specVersion, entry.codeRevision};
      }
    }
    return std::nullopt;
  };
}

std::vector<settings::TestHeading> SettingsHeadings() {
  std::vector<settings::TestHeading> headings;
  for (const TestRow& row : kTable) {
    if (!row.heading) continue;
    headings.push_back({row.family == TestFamily::kAddressing
                            ? settings::HeadingGroup::kAddressClaiming
                            : settings::HeadingGroup::kNetwork,
                        PlainMenuText(row),
                        {row.settings.begin(), row.settings.end()}});
  }
  return headings;
}

}  // namespace vlt::compliance
