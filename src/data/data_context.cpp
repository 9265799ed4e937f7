#include "data/data_context.h"

#include <algorithm>

namespace vlt::data {

TransmitPacer::TransmitPacer(framework::BRLink& link, platform::Clock& clock)
    : link_(link), clock_(clock) {}

void TransmitPacer::Queue(const void* owner, std::vector<std::vector<std::uint8_t>> messages) {
  std::lock_guard lock(mutex_);
  std::erase_if(queue_, [owner](const Entry& e) { return e.owner == owner; });
  for (auto& message : messages) queue_.push_back({owner, std::move(message)});
  PumpLocked();
}

void TransmitPacer::Cancel(const void* owner) {
  std::lock_guard lock(mutex_);
  std::erase_if(queue_, [owner](const Entry& e) { return e.owner == owner; });
}

void TransmitPacer::Pump() {
  std::lock_guard lock(mutex_);
  PumpLocked();
}

void TransmitPacer::PumpLocked() {
  if (queue_.empty()) return;
  const std::int64_t now = clock_.NowMicros();
  if (sentAny_ && now - lastSentMicros_ < kGapMicros) return;
  link_.Write(queue_.front().message);
  queue_.pop_front();
  lastSentMicros_ = now;
  sentAny_ = true;
}

std::size_t TransmitPacer::QueuedCount() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

DataContext::DataContext(framework::LogOutput& log) : log_(log) {}

DataContext::DataContext(framework::BRToolApp& app)
    : log_(app.Log()),
      app_(&app),
      pacer_(std::make_unique<framework::Registered<TransmitPacer>>(app.Link().Parsers(),
                                                                    app.Link(), app.Clock())) {}

DataContext::~DataContext() = default;

std::uint8_t DataContext::ToolAddress() const {
  return app_ != nullptr ? app_->ToolSourceAddress() : framework::kToolAddress;
}

std::uint32_t DataContext::SlowCounter() const {
  return app_ != nullptr ? app_->SlowCounter() : 0;
}

framework::BRMasterParser* DataContext::MasterParser() const {
  return app_ != nullptr ? &app_->MasterParser() : nullptr;
}

const framework::DgnTable* DataContext::TargetTable() const {
  return app_ != nullptr ? &app_->TargetDgnTable() : nullptr;
}

const framework::DgnTable& DataContext::GlobalTable() const {
  static const framework::DgnTable kGlobal = framework::DgnTable::For(framework::kGlobalAddress);
  return app_ != nullptr ? app_->GlobalDgnTable() : kGlobal;
}

bool DataContext::Write(std::span<const std::uint8_t> message) {
  return app_ != nullptr && app_->Link().Write(message);
}

void DataContext::SendPaced(const void* owner, std::vector<std::vector<std::uint8_t>> messages) {
  if (pacer_ != nullptr) pacer_->Queue(owner, std::move(messages));
}

void DataContext::CancelPaced(const void* owner) {
  if (pacer_ != nullptr) pacer_->Cancel(owner);
}

}  // namespace vlt::data
