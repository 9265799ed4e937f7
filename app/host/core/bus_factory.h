// The external bus that --bus names.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/buses/external_bus.h"
#include "host/core/host_options.h"
#include "platform/clock.h"

namespace vlt::host {

// Null for the simulated bus, and on failure with `error` saying why.
std::unique_ptr<ExternalBus> MakeExternalBus(const BusChoice& choice, const platform::Clock& clock,
                                             BusReceiver receiver,
                                             std::function<void(const std::string&)> report,
                                             std::string& error);

}  // namespace vlt::host
