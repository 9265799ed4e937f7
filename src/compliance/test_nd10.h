// ND-10: sets the tool's address and the host's Echo|Tools mode and ends when
// the host confirms; no watches, criteria or report.
#pragma once

#include "engine/test.h"

namespace vlt::compliance {

class Test_ND10 : public engine::Test {
 public:
  static constexpr std::uint16_t kCatalogueIndex = 22;

  explicit Test_ND10(const engine::TestContext& context);

  void WriteReport() override {}
  void Finish() override;
};

}  // namespace vlt::compliance
