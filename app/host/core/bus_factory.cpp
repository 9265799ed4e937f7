#include "host/core/bus_factory.h"

#include "host/buses/can_adapter_bus.h"
#include "host/buses/pipe_bus.h"
#include "host/buses/replay_bus.h"

namespace vlt::host {

std::unique_ptr<ExternalBus> MakeExternalBus(const BusChoice& choice, const platform::Clock& clock,
                                             BusReceiver receiver,
                                             std::function<void(const std::string&)> report,
                                             std::string& error) {
  switch (choice.kind) {
    case BusChoice::Kind::kSim:
      return nullptr;
    case BusChoice::Kind::kPipe: {
      auto bus =
          std::make_unique<PipeBus>(clock, choice.argument, std::move(receiver), std::move(report));
      bus->SetPower(true, clock.NowMicros());
      if (!bus->Powered()) {
        error = "cannot start the bus program '" + choice.argument + "'";
        return nullptr;
      }
      return bus;
    }
    case BusChoice::Kind::kReplay: {
      auto bus = std::make_unique<ReplayBus>(std::move(receiver));
      error = bus->Load(choice.argument);
      if (!error.empty()) return nullptr;
      const CandumpCounts& counts = bus->LineCounts();
      if (const std::uint64_t skipped =
              counts.shortIds + counts.remote + counts.fd + counts.malformed + counts.tooLong;
          skipped > 0) {
        report("replay: " + std::to_string(skipped) + " lines of " + choice.argument +
               " skipped (" + counts.Text("") + ")");
      }
      return bus;
    }
    case BusChoice::Kind::kCan: {
      auto bus = std::make_unique<CanAdapterBus>(choice.plugin, choice.argument,
                                                 std::move(receiver), std::move(report));
      error = bus->Open();
      if (!error.empty()) return nullptr;
      return bus;
    }
  }
  return nullptr;
}

}  // namespace vlt::host
