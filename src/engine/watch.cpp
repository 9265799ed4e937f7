#include "engine/watch.h"

#include "engine/data_log.h"

namespace vlt::engine {

EWatch::EWatch(Test* test, DataLog* log, const data::Specifier* filter)
    : Element(test, true, true),
      log_(log),
      filter_(filter != nullptr ? filter : &data::SharedSpecifier()) {
  if (log_ != nullptr) log_->Attach(this);
}

void EWatch::DescribeStatus(const std::string& prefix, std::vector<std::string>& lines) const {
  lines.push_back(StatusLine(prefix) + (IsParsing() ? "Pars " : "---- "));
}

void EWatch::Start() {
  active_ = true;
  parsing_ = true;
}

void EWatch::OnLoggedFrame(DataLog& log, int index, const framework::FrameRecord& frame) {
  if (parsing_ && filter_->Matches(MessagePart(frame))) OnMatch(log, index, frame);
}

void EWatch::Reset() {
  active_ = false;
  parsing_ = false;
}

std::string EWatch::GetMarker() const {
  if (IsBlocking()) return std::string(kMarkBlocking);
  if (IsHolding()) return std::string(kMarkHolding);
  const bool parsing = IsParsing();
  if (IsActive() && parsing) return "{\\cf1 \\'DE }";
  if (parsing) return "{\\cf0 \\'DE }";
  if (IsActive()) return std::string(kMarkActive);
  return std::string(kMarkIdle);
}

EWatchForDGN::EWatchForDGN(Test* test, DataLog* log) : EWatch(test, log) {
  SetDgn(kAddressClaimDgn);
}

void EWatchForDGN::SetDgn(std::uint32_t dgn) {
  dgn_ = dgn;
  // A null target is the global address: frames from any source match.
  auto filter = std::make_unique<data::SpecByDGN>(nullptr, data::DgnRef::OfValue(dgn));
  SetFilter(filter.get());
  dgnFilter_ = std::move(filter);
}

}  // namespace vlt::engine
