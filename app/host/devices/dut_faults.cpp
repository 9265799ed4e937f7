#include "host/devices/dut_faults.h"

namespace vlt::host {

namespace {
constexpr std::uint8_t kForBoth = kForStatic | kForDynamic;
}  // namespace

// Criteria are written test: id, as the test reports name them.
const std::array<DutFaultInfo, kDutFaultCount> kDutFaults{{
    {DutFault::kLateClaim, "late-claim", kForStatic,
     "claims its address 6 s after power-up instead of after 100 ms",
     "A-10: no claim within 5 s, the test is aborted"},
    {DutFault::kTalksFirst, "talks-first", kForBoth,
     "sends a status frame before its first claim (static) or request (dynamic)",
     "A-10 0x104; A-40, A-70 0x403; A-50 0x505; A-60 0x602"},
    {DutFault::kClaimEe05, "claim-ee05", kForStatic,
     "sends its claims to address 05h (DGN EE05h) instead of to all",
     "A-10 0x105, then aborted (no EE00h claim)"},
    {DutFault::kWrongAac, "wrong-aac", kForBoth,
     "claims with the arbitrary-address-capable bit of the other kind (static 1, dynamic 0)",
     "A-10 0x102; A-60 0x601"},
    {DutFault::kWrongMfg, "wrong-mfg", kForBoth,
     "claims with bit 0 of its manufacturer code flipped", "A-10 0x107; A-60 0x605"},
    {DutFault::kWrongDsa, "wrong-dsa", kForStatic, "claims and works at the address below its DSA",
     "A-10 0x103"},
    {DutFault::kTwoAddresses, "two-addresses", kForBoth,
     "static: also claims the address below its own 310 ms after its claim; dynamic: requests "
     "and claims two addresses each time",
     "A-10 0x106, 0x103; A-40, A-70 0x407; A-90 0x407, 0x907"},
    {DutFault::kShortQuiet, "short-quiet", kForBoth,
     "sends its first status frame 100 ms after its claim instead of after 300 ms",
     "A-10 0x108; A-60 0x607; A-90 0x904"},
    {DutFault::kSlowAnswer, "slow-answer", kForBoth,
     "answers requests and defends its address after 300 ms instead of after 5 ms",
     "A-20, A-30 0x203; A-80 0x802; A-110 0xB03"},
    {DutFault::kTalksBeforeDefence, "talks-before-defence", kForBoth,
     "reacts to another node's claim of its address with a status frame first",
     "A-20, A-30 0x202; A-80 0x803; A-90 0x403"},
    {DutFault::kDifferentReclaim, "different-reclaim", kForBoth,
     "every claim after its first carries bit 0 of the identity number flipped",
     "A-20, A-30 0x204; A-80 0x804; A-90 0x808; A-110 0xB01"},
    {DutFault::kIgnoresRequests, "ignores-requests", kForBoth,
     "never answers a request for ADDRESS_CLAIM", "A-110: no answer, aborted after 5 s"},
    {DutFault::kAnswerFromOtherAddress, "answer-from-other-address", kForBoth,
     "answers requests for its claim from the address below its own", "A-110 0xB02"},
    {DutFault::kJ1939Yield, "j1939-yield", kForStatic,
     "gives its address up to a higher-priority NAME with cannot-claim (from FEh) and falls "
     "silent",
     "A-30 0x201, 0x203"},
    {DutFault::kNoRequest, "no-request", kForDynamic,
     "claims an address straight away, without a request for it first",
     "A-40 0x403; A-70 0x403, 0x701; A-60 0x609; A-90 0x403"},
    {DutFault::kRequestFromTarget, "request-from-target", kForDynamic,
     "sends its requests from the target address instead of from FEh",
     "A-40, A-70 0x401; A-50 0x503; A-90 0x401"},
    {DutFault::kGlobalRequest, "global-request", kForDynamic,
     "sends its requests to FFh instead of to the target",
     "A-40, A-70 0x406, 0x402; A-50 0x508; A-90 0x406"},
    {DutFault::kShortRequest, "short-request", kForDynamic,
     "sends its requests with 3 data bytes instead of 8",
     "A-40, A-70 0x404; A-50 0x506; A-90 0x404"},
    {DutFault::kOutOfRange, "out-of-range", kForDynamic,
     "takes its addresses from the 16 below its category's range",
     "A-40, A-70 0x402; A-50 0x504; A-90 0x402"},
    {DutFault::kRequestEeff, "request-eeff", kForDynamic, "requests DGN EEFFh instead of EE00h",
     "A-40, A-70 0x403, 0x405; A-50 0x507; A-60 0x603; A-90 0x405"},
    {DutFault::kShortWait, "short-wait", kForDynamic,
     "claims 100 ms after its request instead of after 260 ms",
     "A-70 0x701; A-60 0x608; A-90 0x903"},
    {DutFault::kTalksInWait, "talks-in-wait", kForDynamic,
     "sends a status frame 100 ms into the wait after each request",
     "A-50 0x505; A-60 0x602; A-90 0x902"},
    {DutFault::kClaimsUnrequested, "claims-unrequested", kForDynamic,
     "claims the address after the one it requested", "A-60 0x604; A-90 0x905"},
    {DutFault::kIgnoresHigherClaim, "ignores-higher-claim", kForDynamic,
     "never gives an address up: claims its target despite a higher-priority claim and "
     "defends against every rival",
     "A-50 0x502, 0x501; A-90 0x901; A-100 never settles, aborted after 60 s"},
    {DutFault::kYieldsAlways, "yields-always", kForDynamic,
     "gives its address up to any rival, even one with a lower-priority NAME", "A-80 0x801, 0x802"},
    {DutFault::kRetriesSameTarget, "retries-same-target", kForDynamic,
     "after losing its target at start-up, requests the same address again", "A-50 0x501, 0x502"},
    {DutFault::kStaleStatusAddress, "stale-status-address", kForDynamic,
     "after moving, keeps sending its status frames from the first address it held",
     "A-90 0x901, 0x906"},
    {DutFault::kRangeOnly, "range-only", kForDynamic,
     "sends cannot-claim (from FEh) once its own range is taken, without trying the spare "
     "addresses",
     "A-100 0xA02, 0xA01"},
    {DutFault::kRequestsGlobally, "requests-globally", kForDynamic,
     "J1939 practice: sends one request for ADDRESS_CLAIM to FFh at power-up, claims its DSA "
     "260 ms later unless a higher-priority NAME claimed it meanwhile, else the next address "
     "no such NAME holds; after losing an address it claims the next one without a request",
     "A-40, A-70 0x402, 0x406; A-50 0x508, 0x502, 0x501; A-90 0x403, 0x905 (RV-C asks for a "
     "request to each target before its claim); A-60 passes",
     true},
    {DutFault::kTracksNames, "tracks-names", kForDynamic,
     "J1939 practice: remembers the NAME at each address it hears claimed; a NAME claiming a "
     "new address frees the one it held before",
     "nothing", true},
}};

const DutFaultInfo& FaultInfo(DutFault fault) {
  return kDutFaults[static_cast<std::size_t>(fault)];
}

std::optional<DutFault> FaultByName(std::string_view name, bool variant) {
  for (const DutFaultInfo& info : kDutFaults) {
    if (info.name == name && info.variant == variant) return info.fault;
  }
  return std::nullopt;
}

bool FaultApplies(DutFault fault, DutKind kind) {
  return (FaultInfo(fault).kinds & (kind == DutKind::kStatic ? kForStatic : kForDynamic)) != 0;
}

std::string DutFaults::Names() const {
  std::string names;
  for (const DutFaultInfo& info : kDutFaults) {
    if (!Has(info.fault)) continue;
    if (!names.empty()) names += ',';
    names += info.name;
  }
  return names;
}

namespace {

constexpr std::size_t kHelpIndent = 8;
constexpr std::size_t kHelpWidth = 86;

// Words of `text` on lines of at most kHelpWidth characters, each after `indent`.
void AppendWrapped(std::string& out, std::string_view text, std::size_t indent) {
  out.append(indent, ' ');
  std::size_t column = indent;
  bool lineEmpty = true;
  while (!text.empty()) {
    const std::size_t end = text.find(' ');
    const std::string_view word = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!lineEmpty && column + 1 + word.size() > kHelpWidth) {
      out += '\n';
      out.append(indent, ' ');
      column = indent;
      lineEmpty = true;
    }
    if (!lineEmpty) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    lineEmpty = false;
  }
  out += '\n';
}

}  // namespace

std::string FaultHelpText(bool variants) {
  std::string text;
  for (const DutFaultInfo& info : kDutFaults) {
    if (info.variant != variants) continue;
    std::string head = "  ";
    head += info.name;
    head += info.kinds == kForBoth     ? "  (static, dynamic)"
            : info.kinds == kForStatic ? "  (static)"
                                       : "  (dynamic)";
    text += head + '\n';
    AppendWrapped(text, info.does, kHelpIndent);
    AppendWrapped(text, "trips: " + std::string(info.trips), kHelpIndent);
  }
  return text;
}

}  // namespace vlt::host
