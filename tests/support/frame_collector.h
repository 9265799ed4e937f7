// Collects the frames a tool hears on its tick thread, so that a test on another
// thread can wait for the ones it wants (tests over real processes and sockets).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "framework/parser.h"

namespace vlt::testing {

struct SeenFrame {
  std::uint32_t dgn;
  std::uint8_t source;
  std::vector<std::uint8_t> data;
};

class FrameCollector : public framework::BRParser {
 public:
  void OnFrame(const framework::FrameMessage& m) override {
    std::lock_guard lock(mutex_);
    frames_.push_back({m.dgn, m.sourceAddress, {m.data.begin(), m.data.end()}});
    changed_.notify_all();
  }
  // Waits until a frame after `from` satisfies the predicate; its index, or -1.
  template <typename Predicate>
  int WaitFor(std::size_t from, Predicate predicate,
              std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex_);
    int found = -1;
    changed_.wait_for(lock, limit, [&] {
      for (std::size_t i = from; i < frames_.size(); ++i) {
        if (predicate(frames_[i])) {
          found = static_cast<int>(i);
          return true;
        }
      }
      return false;
    });
    return found;
  }
  std::size_t Count() {
    std::lock_guard lock(mutex_);
    return frames_.size();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<SeenFrame> frames_;
};

}  // namespace vlt::testing
