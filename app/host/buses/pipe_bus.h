// A frame pipe: an external program, run through /bin/sh -c, that exchanges frames
// with the host as candump -L lines on its standard input and output. The host's
// end of the pipe is the bus; the program's process is the device's power.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "host/buses/candump_line.h"
#include "host/buses/external_bus.h"
#include "platform/clock.h"

namespace vlt::host {

// A stopped program gets this long after SIGTERM before SIGKILL.
inline constexpr std::int64_t kPipeKillGraceMicros = 1'000'000;
// Lines for the program beyond this many bytes are dropped: a program that does
// not read must not make the host grow without end.
inline constexpr std::size_t kMaxPipeOutputBytes = 4 * 1024 * 1024;

struct PipeBusCounters {
  CandumpCounts in;
  std::uint64_t sent = 0;     // frames written to the program
  std::uint64_t dropped = 0;  // frames for the program that found no room or no program
  std::uint64_t starts = 0;
  std::uint64_t exits = 0;  // ended without being powered off
};

class PipeBus final : public ExternalBus, public DevicePower {
 public:
  // `report` gets what a person should know (the program died, a bad line).
  PipeBus(const platform::Clock& clock, std::string command, BusReceiver receiver,
          std::function<void(const std::string&)> report);
  ~PipeBus() override;
  PipeBus(const PipeBus&) = delete;
  PipeBus& operator=(const PipeBus&) = delete;

  // ExternalBus
  void Put(const BusFrame& frame) override;
  std::string StatsText() const override;
  void AppendPollFds(std::vector<pollfd>& fds) override;
  void Service(std::span<const pollfd> fds, std::int64_t nowMicros) override;
  std::optional<std::int64_t> NextDeadlineMicros() const override;
  void RunDue(std::int64_t nowMicros) override;
  DevicePower* Device() override { return this; }
  bool Shutdown(std::int64_t nowMicros) override;
  std::string Name() const override { return "pipe"; }

  // DevicePower: on starts the program, off ends it.
  void SetPower(bool on, std::int64_t nowMicros) override;
  bool Powered() const override;
  // Tells the running program as a comment line on its stdin ("# dut fault on").
  bool Act(DeviceAction action, std::int64_t nowMicros) override;
  std::string Describe() const override { return "pipe " + command_; }

  const PipeBusCounters& Counters() const { return counters_; }
  pid_t Pid() const { return pid_; }

 private:
  enum class State {
    kOff,       // no program
    kRunning,   // the program runs and carries frames
    kStopping,  // SIGTERM sent; SIGKILL at killDeadline_ unless it ends first
  };
  bool Start();
  void ReadFrames();
  void WriteFrames();
  void Reap();  // the program has ended: collect it
  void CloseStream();
  void HandleLine(std::string_view line);

  const platform::Clock& clock_;
  std::string command_;
  BusReceiver receiver_;
  std::function<void(const std::string&)> report_;
  State state_ = State::kOff;
  bool restart_ = false;  // powered on again while stopping
  pid_t pid_ = -1;
  int pidFd_ = -1;   // readable when the program ends
  int stream_ = -1;  // the host's end: the program's stdin and stdout
  std::int64_t killDeadline_ = 0;
  std::string out_;
  CandumpLineSplitter splitter_;
  StampMapper stamps_;
  std::uint64_t reportedLines_ = 0;
  PipeBusCounters counters_;
};

}  // namespace vlt::host
