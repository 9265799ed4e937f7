// The application core every front end starts: the command-line addresses, the
// tool source address, the DGN tables, the host link with its tick loop, the
// master parser and the application's two parsers, in start-up order, and the
// shutdown that reverses it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/activity_parser.h"
#include "framework/br_link.h"
#include "framework/common_time_base.h"
#include "framework/dgn_table.h"
#include "framework/log_output.h"
#include "framework/master_parser.h"
#include "framework/product_id_parser.h"
#include "framework/running_test.h"
#include "framework/tick_loop.h"
#include "platform/clock.h"
#include "platform/mailslots.h"
#include "platform/prompter.h"

namespace vlt::framework {

// How the tick loop is driven: a real thread in the programs, by hand in tests.
class TickDriver {
 public:
  virtual ~TickDriver() = default;
  virtual void Start(TickLoop& loop) = 0;
  virtual void Stop() = 0;
  // Lets time pass while the window thread waits for the tick thread.
  virtual void Idle() = 0;
};

// The programs' driver: a thread that waits up to 1 ms for a host message, then steps.
class ThreadTickDriver final : public TickDriver {
 public:
  explicit ThreadTickDriver(platform::Mailslots& mailslots) : mailslots_(mailslots) {}
  void Start(TickLoop& loop) override;
  void Stop() override;
  void Idle() override;

 private:
  platform::Mailslots& mailslots_;
  std::unique_ptr<TickThread> thread_;
};

class BRToolApp {
 public:
  static constexpr std::int64_t kCloseWaitMicros = 2'000'000;

  BRToolApp(platform::Clock& clock, platform::Mailslots& mailslots, platform::Prompter& prompter,
            TickDriver& driver);
  virtual ~BRToolApp();
  BRToolApp(const BRToolApp&) = delete;
  BRToolApp& operator=(const BRToolApp&) = delete;

  // Start-up after the single-instance guard (the program's): addresses from the
  // arguments, DGN tables, host link, tick loop, master parser, start-up control item.
  virtual void InitInstance(const std::vector<std::string>& args);
  // Removal handshake, tick loop stopped, parsers freed. Safe to call twice.
  virtual void ShutDown();

  std::uint8_t TargetAddress() const { return targetAddress_; }
  std::uint8_t SecondAddress() const { return secondAddress_; }
  std::uint8_t ToolSourceAddress() const { return toolSourceAddress_.load(); }
  void SetToolSourceAddress(std::uint8_t address) { toolSourceAddress_.store(address); }
  std::uint32_t SlowCounter() const { return slowCounter_.load(); }
  const std::vector<std::string>& Arguments() const { return arguments_; }
  const DgnTable& TargetDgnTable() const { return targetTable_; }
  const DgnTable& GlobalDgnTable() const { return globalTable_; }

  BRLink& Link() { return *link_; }
  BRMasterParser& MasterParser() { return *master_; }
  TickLoop& Loop() { return *loop_; }
  LogOutput& Log() { return log_; }
  CommonTimeBase& TimeBase() { return timeBase_; }
  RunningTestSlot& RunningTest() { return runningTest_; }
  platform::Clock& Clock() { return clock_; }
  platform::Prompter& Prompter() { return prompter_; }

 protected:
  platform::Clock& clock_;
  platform::Mailslots& mailslots_;
  platform::Prompter& prompter_;
  TickDriver& driver_;

 private:
  std::uint8_t targetAddress_ = 0xFF;
  std::uint8_t secondAddress_ = 0xFF;
  std::atomic<std::uint8_t> toolSourceAddress_{kToolAddress};
  std::vector<std::string> arguments_;
  std::atomic<std::uint32_t> slowCounter_{0};
  DgnTable targetTable_ = DgnTable::For(0xFF);
  DgnTable globalTable_ = DgnTable::For(0xFF);

  LogOutput log_;
  CommonTimeBase timeBase_;
  RunningTestSlot runningTest_;
  std::unique_ptr<BRLink> link_;
  std::unique_ptr<TickLoop> loop_;
  std::unique_ptr<Registered<BRMasterParser>> master_;
  bool running_ = false;
};

// The tester's application: the framework core plus its PRODUCT_ID and activity parsers.
class ValmoraApp : public BRToolApp {
 public:
  using BRToolApp::BRToolApp;
  ~ValmoraApp() override;

  void InitInstance(const std::vector<std::string>& args) override;
  void ShutDown() override;

  ProductIDParser* ProductId() { return productId_.get(); }
  ActivityParser* Activity() { return activity_.get(); }

 private:
  std::unique_ptr<Registered<ProductIDParser>> productId_;
  std::unique_ptr<Registered<ActivityParser>> activity_;
};

// The target address from the arguments: with more than one argument the
// second-to-last as decimal text (non-numeric gives 0); FFh otherwise.
struct CommandLineAddresses {
  std::uint8_t target = 0xFF;
  std::uint8_t second = 0xFF;
};
CommandLineAddresses ParseCommandLineAddresses(const std::vector<std::string>& args);

}  // namespace vlt::framework
