// What data items reach of the running program, handed to them instead of
// process-wide pointers: the log pane, the profile-modified flag, the host link,
// the master parser's counters, the slow counter, the DGN tables and the pacer
// that spaces out multi-packet commands.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

#include "framework/br_link.h"
#include "framework/dgn_table.h"
#include "framework/log_output.h"
#include "framework/master_parser.h"
#include "framework/parser.h"
#include "framework/tool_app.h"
#include "platform/clock.h"

namespace vlt::data {

// Sends queued transmit messages one at a time, at least kGapMicros apart, from
// the tick thread's periodic calls, so the window thread never sleeps between
// the packets of a command.
class TransmitPacer : public framework::BRParser {
 public:
  static constexpr std::int64_t kGapMicros = 10'000;

  TransmitPacer(framework::BRLink& link, platform::Clock& clock);

  // Queues the messages of one sender; anything it still had queued is dropped,
  // since a newer command supersedes it. The first goes out at once when the
  // gap allows.
  void Queue(const void* owner, std::vector<std::vector<std::uint8_t>> messages);
  void Cancel(const void* owner);
  // Sends the next message when the gap since the last one has passed. While the
  // link is not connected the message is dropped, as a direct write would be.
  void Pump();
  std::size_t QueuedCount() const;

  void OnTick() override { Pump(); }

 private:
  struct Entry {
    const void* owner;
    std::vector<std::uint8_t> message;
  };
  void PumpLocked();

  framework::BRLink& link_;
  platform::Clock& clock_;
  mutable std::mutex mutex_;
  std::deque<Entry> queue_;
  std::int64_t lastSentMicros_ = 0;
  bool sentAny_ = false;
};

class DataContext {
 public:
  // Without a host: nothing is sent or counted and the slow counter stays 0;
  // error lines go to `log`.
  explicit DataContext(framework::LogOutput& log);
  // Over an application whose InitInstance has run; the context must be
  // destroyed before the application is.
  explicit DataContext(framework::BRToolApp& app);
  ~DataContext();
  DataContext(const DataContext&) = delete;
  DataContext& operator=(const DataContext&) = delete;

  void AppendLogLine(std::string_view line) { log_.AppendLogLine(line); }
  framework::LogOutput& Log() { return log_; }

  // Set when a data item accepts a typed value; the main window asks to save.
  void SetProfileModified(bool modified) { profileModified_.store(modified); }
  bool ProfileModified() const { return profileModified_.load(); }

  std::uint8_t ToolAddress() const;
  std::uint32_t SlowCounter() const;
  // Null without an application.
  framework::BRMasterParser* MasterParser() const;
  // The program's target and global tables; a fixed global table without an application.
  const framework::DgnTable* TargetTable() const;
  const framework::DgnTable& GlobalTable() const;

  // Writes a message to the host at once; false when the link is not connected.
  bool Write(std::span<const std::uint8_t> message);
  // Sends the messages paced (see TransmitPacer); nothing without an application.
  void SendPaced(const void* owner, std::vector<std::vector<std::uint8_t>> messages);
  void CancelPaced(const void* owner);
  TransmitPacer* Pacer() { return pacer_.get(); }

 private:
  framework::LogOutput& log_;
  framework::BRToolApp* app_ = nullptr;
  std::unique_ptr<framework::Registered<TransmitPacer>> pacer_;
  std::atomic<bool> profileModified_{false};
};

}  // namespace vlt::data
