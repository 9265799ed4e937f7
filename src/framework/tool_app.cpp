#include "framework/tool_app.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace vlt::framework {

namespace {
constexpr std::chrono::microseconds kTickPause{1000};

// atoi's reading: leading blanks, a sign, digits; anything else ends the number.
std::uint8_t LowByteOfDecimal(const std::string& text) {
  long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<std::uint8_t>(static_cast<unsigned long>(value) & 0xFF);
}
}  // namespace

void ThreadTickDriver::Start(TickLoop& loop) {
  thread_ = std::make_unique<TickThread>(loop, [this, &loop] {
    mailslots_.WaitForMessage(std::chrono::microseconds(loop.PauseMicros()));
  });
  thread_->Start();
}

void ThreadTickDriver::Stop() {
  if (thread_) thread_->Stop();
}

void ThreadTickDriver::Idle() {
  std::this_thread::sleep_for(kTickPause);
}

CommandLineAddresses ParseCommandLineAddresses(const std::vector<std::string>& args) {
  CommandLineAddresses result;
  std::vector<std::string> tokens;
  for (const auto& arg : args) {
    if (!arg.empty()) tokens.push_back(arg);
  }
  if (tokens.size() > 1) {
    result.target = LowByteOfDecimal(tokens[tokens.size() - 2]);
    result.second = LowByteOfDecimal(tokens.back());
  }
  return result;
}

BRToolApp::BRToolApp(platform::Clock& clock, platform::Mailslots& mailslots,
                     platform::Prompter& prompter, TickDriver& driver)
    : clock_(clock),
      mailslots_(mailslots),
      prompter_(prompter),
      driver_(driver),
      timeBase_(clock) {}

BRToolApp::~BRToolApp() {
  BRToolApp::ShutDown();
}

void BRToolApp::InitInstance(const std::vector<std::string>& args) {
  slowCounter_ = 0;
  toolSourceAddress_ = kToolAddress;
  arguments_.clear();
  for (const auto& arg : args) {
    if (!arg.empty()) arguments_.push_back(arg);
  }
  const CommandLineAddresses addresses = ParseCommandLineAddresses(args);
  targetAddress_ = addresses.target;
  secondAddress_ = addresses.second;
  targetTable_ = DgnTable::For(targetAddress_);
  globalTable_ = DgnTable::For(0xFF);

  link_ = std::make_unique<BRLink>(mailslots_, clock_, prompter_, log_);
  link_->Open();
  loop_ = std::make_unique<TickLoop>(*link_, clock_, runningTest_, slowCounter_);
  driver_.Start(*loop_);
  running_ = true;
  master_ = std::make_unique<Registered<BRMasterParser>>(link_->Parsers());
  link_->QueueControl({0xFF, 0xFFFFFFFF, 0});
}

void BRToolApp::ShutDown() {
  if (!running_) return;
  running_ = false;
  link_->BeginClose();
  const std::int64_t start = clock_.NowMicros();
  while (link_->GetState() != BRLink::State::kClosed &&
         clock_.NowMicros() - start <= kCloseWaitMicros) {
    driver_.Idle();
  }
  driver_.Stop();
  master_.reset();
}

ValmoraApp::~ValmoraApp() {
  ValmoraApp::ShutDown();
}

void ValmoraApp::InitInstance(const std::vector<std::string>& args) {
  BRToolApp::InitInstance(args);
  productId_ =
      std::make_unique<Registered<ProductIDParser>>(Link().Parsers(), &TargetDgnTable().address);
  activity_ = std::make_unique<Registered<ActivityParser>>(Link().Parsers());
}

void ValmoraApp::ShutDown() {
  activity_.reset();
  productId_.reset();
  BRToolApp::ShutDown();
}

}  // namespace vlt::framework
