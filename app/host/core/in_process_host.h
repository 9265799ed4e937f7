// A vlt-host inside the test process, on virtual time: the same HostServer core
// that vlt-host runs, behind platform::Mailslots instead of sockets.
//
//   platform::ManualClock clock;
//   host::InProcessHost host(clock);
//   host.SetDut(std::make_unique<host::StaticDut>(host::StaticDutConfig{}, clock.NowMicros()));
//   auto slots = host.ConnectTool();      // hand to the tool's link as its Mailslots
//   ... the tool registers, transmits and reads through `slots` ...
//   host.AdvanceMillis(100);              // devices run at their exact deadlines
//
// What a tool writes reaches the host core at once, and the host's answers queue
// up for that tool until NextMessageSize/Read hand them out. Devices run when
// Advance moves the clock; a test that moves the clock itself gets them run (late,
// at the clock's time) at the tool's next read or write, or with CatchUp().
// Every operation takes one lock, so a tool's tick thread may use its endpoint
// while the test thread advances time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/buses/bus_frame.h"
#include "host/buses/sim_bus.h"
#include "host/core/host_server.h"
#include "platform/clock.h"
#include "platform/mailslots.h"

namespace vlt::host {

class InProcessHost {
 public:
  explicit InProcessHost(platform::ManualClock& clock, HostConfig config = {});
  ~InProcessHost();
  InProcessHost(const InProcessHost&) = delete;
  InProcessHost& operator=(const InProcessHost&) = delete;

  // A new tool endpoint. It may outlive the host; it then acts as if no host runs.
  std::unique_ptr<platform::Mailslots> ConnectTool();

  // Moves the clock on, running every device at its exact deadline on the way.
  void Advance(std::int64_t micros);
  void AdvanceMillis(std::int64_t millis) { Advance(millis * 1000); }
  // Runs what fell due because someone else moved the clock.
  void CatchUp();

  // The device that "dut ..." commands power; attached to the bus.
  void SetDut(std::unique_ptr<SimDevice> dut);
  // The traffic that "traffic on/off" switch; attached to the bus.
  void SetTraffic(std::unique_ptr<SimDevice> traffic);
  // Another node on the bus.
  void AddDevice(std::unique_ptr<SimDevice> device);
  // The control socket's commands: "dut power on", "dut power off", "dut status", "stats".
  std::string Control(std::string_view line);
  // A frame from a node outside the host: every tool and device gets it.
  void InjectFrame(const BusFrame& frame);
  // Sees every frame on the bus once, as vlt-host's --record does.
  void SetFrameTap(HostServer::FrameTap tap);

  // While not running, OpenHost fails (ENOENT), writes are lost and nothing is
  // delivered: a missing host. SetRunning(true) after that starts a new one: it
  // knows no tool until it registers again, no transport session begun before,
  // and has the start mode and echo flag. The DUT and the other devices live on
  // with their state (a killed vlt-host would take its DUT with it).
  void SetRunning(bool running);
  // What vlt-host does at its end: FEh to every tool.
  void Shutdown();
  // A vlt-host killed: nothing more reaches the tools, not even what it had
  // queued for them, and its transport sessions stop at once.
  void Crash();

  // Counters, mode and tool count for assertions; not while another thread uses
  // an endpoint.
  const HostServer& Server() const;

 private:
  struct Shared;
  class Endpoint;
  std::shared_ptr<Shared> shared_;
};

}  // namespace vlt::host
