#include "compliance/nd40_product_id.h"

#include <algorithm>
#include <cstdio>

#include "data/specifier.h"
#include "engine/data_log.h"
#include "engine/network_messages.h"
#include "engine/report_layout.h"

namespace vlt::compliance {
namespace {

using engine::RequestOutcome;
using engine::RequestReply;

constexpr std::size_t kPacketBytes = 7;

bool IsGraphic(std::uint8_t c) {
  return (c >= 0x20 && c <= 0x7E) || c >= 0xA0;
}

bool IsProductIdStart(const framework::FrameRecord& frame) {
  if (frame.textFlag != 0) return false;
  if (const auto a = engine::ReadTransportAnnouncement(frame)) {
    return a->dgn == engine::kProductIdDgn;
  }
  return frame.dgn == engine::kProductIdDgn && frame.length <= engine::kRvcFrameBytes;
}

// The text as a report line may hold it: other bytes as "<09h>".
std::string Printable(const std::string& text) {
  std::string out;
  char code[8];
  for (const char c : text) {
    if (IsGraphic(static_cast<std::uint8_t>(c))) {
      out += c;
    } else {
      std::snprintf(code, sizeof(code), "<%02Xh>",
                    static_cast<unsigned>(static_cast<std::uint8_t>(c)));
      out += code;
    }
  }
  return out;
}

bool IsData(const RequestReply& reply) {
  return engine::DgnWithoutDestination(reply.frame.dgn) == engine::kTpDataDgn;
}

}  // namespace

ProductIdFields SplitProductId(const std::string& text) {
  ProductIdFields fields;
  std::string* parts[] = {&fields.make, &fields.model, &fields.serial, &fields.unit};
  std::size_t field = 0;
  for (const char c : text) {
    if (c == '*') {
      ++fields.delimiters;
      if (field < 3) ++field;
      continue;
    }
    if (fields.delimiters < 4) *parts[field] += c;
  }
  return fields;
}

EWatchProductIds::EWatchProductIds(engine::Test* test, engine::DataLog* log,
                                   const std::uint8_t* dut, std::vector<int>* starts)
    : EWatch(test, log), dut_(dut), starts_(starts) {
  SetHolds(false);
  SetBlocks(false);
}

void EWatchProductIds::Start() {
  active_ = true;
  parsing_ = true;
  starts_->clear();
}

void EWatchProductIds::OnMatch(engine::DataLog& log, int index,
                               const framework::FrameRecord& frame) {
  if (log.OwnTransmission(index) || frame.sourceAddress != *dut_) return;
  if (IsProductIdStart(frame)) starts_->push_back(index);
}

Test_ND40::Test_ND40(const engine::TestContext& context) : NetworkTest(context, kCatalogueIndex) {
  // Watching from the first frame on shows a device that sends PRODUCT_ID by itself.
  Append<EWatchProductIds>(log_, &dut_, &starts_);
  AppendPreamble();
  for (const bool targeted : {true, false}) {
    AppendRequest(
        [this, targeted] {
          engine::RequestPlan plan;
          plan.dgn = engine::kProductIdDgn;
          plan.destination = targeted ? dut_ : framework::kGlobalAddress;
          return std::optional(plan);
        },
        [this, targeted](const RequestOutcome& o, engine::DataLog& log) {
          Judge(o, log, targeted ? kNoTargetedAnswer : kNoGlobalAnswer);
        });
  }
  AddCriterion(kNoTargetedAnswer, "No PRODUCT_ID in response to targeted request.");
  AddCriterion(kNoGlobalAnswer, "No PRODUCT_ID in response to global request.");
  AddCriterion(kLate, "More than 250ms elapsed before request and response.");
  AddCriterion(kNotBam, "PRODUCT_ID not sent by BAM.");
  AddCriterion(kCountMismatch, "TP.CM size or packet count does not match the data.");
  AddCriterion(kPacketGap, "TP.DT packets not 50 to 500ms apart.");
  AddCriterion(kSequence, "TP.DT packets not numbered from 1.");
  AddCriterion(kPadding, "Last TP.DT packet not padded with FFh.");
  AddCriterion(kNotGraphic, "PRODUCT_ID holds characters that are not ISO 8859-1 graphic.");
  AddCriterion(kDelimiters, "PRODUCT_ID has fewer than three '*' delimiters.");
  AddCriterion(kMakeModel, "PRODUCT_ID Make or Model is empty.");
  AddCriterion(kUnrequested, "PRODUCT_ID sent without a request.");
}

void Test_ND40::Judge(const RequestOutcome& outcome, engine::DataLog& log, std::uint16_t none) {
  const std::string asked = none == kNoTargetedAnswer ? "targeted" : "global";
  if (outcome.replies.empty()) {
    FailCriterionAdding(none, asked + ": no PRODUCT_ID", &log, outcome.requestIndex);
    return;
  }
  const RequestReply& first = outcome.replies.front();
  answered_.insert(first.index);
  PassCriterionAdding(none, asked, &log, first.index);
  engine::JudgeDelay(*this, kLate, asked, first, outcome.windowMs, log);
  std::string text;
  const RequestReply* whole = outcome.First(RequestReply::Kind::kData);
  if (whole != nullptr) text.assign(whole->frame.data, whole->frame.data + whole->frame.length);
  if (first.kind == RequestReply::Kind::kTransport) {
    JudgeTransfer(asked, outcome, log, text);
  } else {
    PassCriterionAdding(kNotBam, asked + ": one frame", &log, first.index);
    // A single frame is filled with FFh after the text.
    text.erase(std::find(text.begin(), text.end(), '\xFF'), text.end());
  }
  JudgeText(asked, text, log, whole != nullptr ? whole->index : first.index);
}

void Test_ND40::JudgeTransfer(const std::string& asked, const RequestOutcome& outcome,
                              engine::DataLog& log, std::string& text) {
  const RequestReply& first = outcome.replies.front();
  const auto announcement = engine::ReadTransportAnnouncement(first.frame);
  if (!announcement) return;
  if (announcement->control != engine::kTpBamControl ||
      announcement->destination != framework::kGlobalAddress) {
    const std::string how = announcement->control == engine::kTpRtsControl ? "RTS/CTS" : "TP.CM";
    FailCriterionAdding(
        kNotBam, asked + ": " + how + " to address " + std::to_string(announcement->destination),
        &log, first.index);
  } else {
    PassCriterionAdding(kNotBam, asked + ": BAM", &log, first.index);
  }
  std::vector<const RequestReply*> packets;
  for (const RequestReply& reply : outcome.replies) {
    if (reply.kind == RequestReply::Kind::kTransport && IsData(reply)) packets.push_back(&reply);
  }
  const std::size_t expected = (announcement->size + kPacketBytes - 1) / kPacketBytes;
  const bool countOk = announcement->packets == packets.size() &&
                       announcement->packets == expected &&
                       (text.empty() || text.size() == announcement->size);
  const std::string counts = asked + ": size " + std::to_string(announcement->size) + ", " +
                             std::to_string(announcement->packets) + " packets announced, " +
                             std::to_string(packets.size()) + " sent";
  if (countOk) {
    PassCriterionAdding(kCountMismatch, counts, &log, first.index);
  } else {
    FailCriterionAdding(kCountMismatch, counts, &log, first.index);
  }
  bool sequenceOk = true;
  bool gapsOk = true;
  std::string gapNote;
  std::string rebuilt;
  for (std::size_t i = 0; i < packets.size(); ++i) {
    const framework::FrameRecord& f = packets[i]->frame;
    if (f.length < 1 || f.data[0] != i + 1) {
      if (sequenceOk) {
        FailCriterionAdding(kSequence,
                            asked + ": packet " + std::to_string(i + 1) + " numbered " +
                                std::to_string(f.length > 0 ? f.data[0] : 0),
                            &log, packets[i]->index);
      }
      sequenceOk = false;
    }
    if (i > 0) {
      const std::uint32_t gap = f.timeStamp - packets[i - 1]->frame.timeStamp;
      if ((gap + kStampAllowanceMs < kMinPacketGapMs ||
           gap > kMaxPacketGapMs + kStampAllowanceMs) &&
          gapsOk) {
        gapsOk = false;
        FailCriterionAdding(kPacketGap,
                            asked + ": packets " + std::to_string(i) + " and " +
                                std::to_string(i + 1) + " " + std::to_string(gap) + " ms apart",
                            &log, packets[i]->index);
      }
    }
    for (std::size_t b = 1; b < f.length && b <= kPacketBytes; ++b) rebuilt += char(f.data[b]);
  }
  if (sequenceOk && !packets.empty()) {
    PassCriterionAdding(kSequence, asked + ": 1 to " + std::to_string(packets.size()), &log,
                        packets.front()->index);
  }
  if (gapsOk && packets.size() > 1) PassCriterionAdding(kPacketGap, asked, &log, first.index);
  if (!packets.empty()) {
    const RequestReply& last = *packets.back();
    const std::size_t used = announcement->size - (packets.size() - 1) * kPacketBytes;
    bool padded = true;
    for (std::size_t b = 1 + std::min(used, kPacketBytes); b < last.frame.length; ++b) {
      padded = padded && last.frame.data[b] == 0xFF;
    }
    if (padded) {
      PassCriterionAdding(kPadding, asked, &log, last.index);
    } else {
      FailCriterionAdding(kPadding, asked, &log, last.index);
    }
  }
  if (text.empty())
    text = rebuilt.substr(0, std::min<std::size_t>(rebuilt.size(), announcement->size));
}

void Test_ND40::JudgeText(const std::string& asked, const std::string& text, engine::DataLog& log,
                          int index) {
  if (text.empty()) return;
  if (!text_) text_ = text;
  const auto bad = std::find_if(text.begin(), text.end(),
                                [](char c) { return !IsGraphic(static_cast<std::uint8_t>(c)); });
  if (bad != text.end()) {
    char code[8];
    std::snprintf(code, sizeof(code), "%02Xh",
                  static_cast<unsigned>(static_cast<std::uint8_t>(*bad)));
    FailCriterionAdding(kNotGraphic,
                        asked + ": byte " + std::to_string(bad - text.begin()) + " is " + code,
                        &log, index);
  } else {
    PassCriterionAdding(kNotGraphic, asked, &log, index);
  }
  const ProductIdFields fields = SplitProductId(text);
  const std::string delimiters = asked + ": " + std::to_string(fields.delimiters) + " '*'";
  if (fields.delimiters < 3) {
    FailCriterionAdding(kDelimiters, delimiters, &log, index);
  } else {
    PassCriterionAdding(kDelimiters, delimiters, &log, index);
  }
  if (fields.make.empty() || fields.model.empty()) {
    FailCriterionAdding(kMakeModel,
                        asked + ": Make \"" + fields.make + "\", Model \"" + fields.model + "\"",
                        &log, index);
  } else {
    PassCriterionAdding(kMakeModel, asked, &log, index);
  }
}

void Test_ND40::Finish() {
  if (!Aborted()) {
    for (const int start : starts_) {
      if (answered_.count(start) == 0) {
        FailCriterionAdding(kUnrequested, "a PRODUCT_ID that answered no request", log_, start);
        break;
      }
    }
    PassIfUndecided(kUnrequested, "none");
  }
  Test::Finish();
}

void Test_ND40::WriteReport() {
  engine::Test::WriteReport();
  if (text_) {
    const ProductIdFields fields = SplitProductId(*text_);
    Write(engine::Label("PRODUCT_ID") + Printable(*text_));
    Write(engine::Label("Make") + Printable(fields.make));
    Write(engine::Label("Model") + Printable(fields.model));
    Write(engine::Label("Serial Number") + Printable(fields.serial));
    Write(engine::Label("Unit Number") + Printable(fields.unit));
  }
  Write(engine::Rule('-'));
  DumpDataLog(0, &data::SharedSpecifier());
  Write(engine::Rule('-'));
}

}  // namespace vlt::compliance
