// Watches: elements that also look at the frames their data log records. A
// watch's `parsing` is separate from `active`: a watch that has ended (no
// longer holds or blocks) may go on judging frames until it stops parsing.
#pragma once

#include <cstdint>
#include <memory>

#include "data/specifier.h"
#include "engine/element.h"

namespace vlt::engine {

inline constexpr std::uint32_t kAddressClaimDgn = 0xEE00;
inline constexpr std::uint32_t kRequestDgn = 0xEA00;

class EWatch : public Element {
 public:
  // Holds and blocks; attaches itself to `log` when given. The filter is not
  // owned (the shared always-matching specifier when null).
  EWatch(Test* test, DataLog* log, const data::Specifier* filter = nullptr);

  std::string GetName() const override { return "EWatch"; }
  void DescribeStatus(const std::string& prefix, std::vector<std::string>& lines) const override;
  void Start() override;
  void OnLoggedFrame(DataLog& log, int index, const framework::FrameRecord& frame) override;
  void Reset() override;
  std::string GetMarker() const override;

  virtual bool IsParsing() const { return parsing_; }
  virtual void OnMatch(DataLog& /*log*/, int /*index*/, const framework::FrameRecord& /*frame*/) {}

  DataLog* Log() const { return log_; }

 protected:
  void SetFilter(const data::Specifier* filter) { filter_ = filter; }

  bool parsing_ = false;  // the watch wants frames

 private:
  DataLog* log_;
  const data::Specifier* filter_;
};

// A watch of one DGN (default ADDRESS_CLAIM) from any source address.
class EWatchForDGN : public EWatch {
 public:
  EWatchForDGN(Test* test, DataLog* log);

  std::string GetName() const override { return "EWatchForDGN"; }

  std::uint32_t Dgn() const { return dgn_; }
  // The filter follows from the next frame on.
  void SetDgn(std::uint32_t dgn);

 private:
  std::uint32_t dgn_ = kAddressClaimDgn;
  std::unique_ptr<data::SpecByDGN> dgnFilter_;
};

}  // namespace vlt::engine
