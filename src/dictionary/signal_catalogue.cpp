// The RV-C signal catalogue: every signal the tester decodes beyond the
// network-management ones (network_entries.cpp). The rows live in one table per
// DGN family (signal_catalogue_*.cpp); this joins them once, in family order.
#include <vector>

#include "dictionary/dict_rows.h"
#include "dictionary/signal_catalogue_parts.h"

namespace vlt::dictionary {

std::span<const EntryRow> SignalCatalogueRows() {
  static const std::vector<EntryRow> rows = [] {
    const std::span<const EntryRow> families[] = {
        catalogue::PowerRows(),   catalogue::AcPowerRows(), catalogue::ComfortRows(),
        catalogue::ChassisRows(), catalogue::SystemRows(),
    };
    std::vector<EntryRow> joined;
    for (const auto family : families) joined.insert(joined.end(), family.begin(), family.end());
    return joined;
  }();
  return rows;
}

}  // namespace vlt::dictionary
