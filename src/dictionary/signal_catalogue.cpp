// The RV-C signal catalogue: every signal the tester decodes beyond the
// network-management ones (network_entries.cpp), as rows of one table.
#include "dictionary/dict_rows.h"

namespace vlt::dictionary {

std::span<const EntryRow> SignalCatalogueRows() {
  return {};
}

}  // namespace vlt::dictionary
