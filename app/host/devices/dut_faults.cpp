#include "host/devices/dut_faults.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace vlt::host {

namespace {
constexpr std::uint8_t kForBoth = kForStatic | kForDynamic;
constexpr FaultGroup kRequests = FaultGroup::kRequests;
constexpr FaultGroup kTraffic = FaultGroup::kTraffic;
constexpr FaultGroup kDiagnostics = FaultGroup::kDiagnostics;
constexpr FaultGroup kCommands = FaultGroup::kCommands;
}  // namespace

const std::array<DutFaultInfo, kDutFaultCount> kDutFaults{{
    {DutFault::kLateClaim, "late-claim", kForStatic,
     "claims its address 6 s after power-up instead of after 100 ms"},
    {DutFault::kTalksFirst, "talks-first", kForBoth,
     "sends a status frame before its first claim (static) or request (dynamic)"},
    {DutFault::kClaimEe05, "claim-ee05", kForStatic,
     "sends its claims to address 05h (DGN EE05h) instead of to all"},
    {DutFault::kClaimTo00, "claim-to-00", kForStatic,
     "sends its claims to address 00h (identifier 18EE00xx) instead of to all (18EEFFxx)"},
    {DutFault::kWrongAac, "wrong-aac", kForBoth,
     "claims with the arbitrary-address-capable bit of the other kind (static 1, dynamic 0)"},
    {DutFault::kWrongMfg, "wrong-mfg", kForBoth,
     "claims with bit 0 of its manufacturer code flipped"},
    {DutFault::kWrongDsa, "wrong-dsa", kForStatic, "claims and works at the address below its DSA"},
    {DutFault::kTwoAddresses, "two-addresses", kForBoth,
     "static: also claims the address below its own 310 ms after its claim; dynamic: requests "
     "and claims two addresses each time"},
    {DutFault::kShortQuiet, "short-quiet", kForBoth,
     "sends its first status frame 100 ms after its claim instead of after 300 ms"},
    {DutFault::kSlowAnswer, "slow-answer", kForBoth,
     "answers requests and defends its address after 300 ms instead of after 5 ms"},
    {DutFault::kTalksBeforeDefence, "talks-before-defence", kForBoth,
     "reacts to another node's claim of its address with a status frame first"},
    {DutFault::kDifferentReclaim, "different-reclaim", kForBoth,
     "every claim after its first carries bit 0 of the identity number flipped"},
    {DutFault::kIgnoresRequests, "ignores-requests", kForBoth,
     "never answers a request for ADDRESS_CLAIM"},
    {DutFault::kAnswerFromOtherAddress, "answer-from-other-address", kForBoth,
     "answers requests for its claim from the address below its own"},
    {DutFault::kJ1939Yield, "j1939-yield", kForStatic,
     "gives its address up to a higher-priority NAME with cannot-claim (from FEh) and falls "
     "silent"},
    {DutFault::kNoRequest, "no-request", kForDynamic,
     "claims an address straight away, without a request for it first"},
    {DutFault::kRequestFromTarget, "request-from-target", kForDynamic,
     "sends its requests from the target address instead of from FEh"},
    {DutFault::kGlobalRequest, "global-request", kForDynamic,
     "sends its requests to FFh instead of to the target"},
    {DutFault::kShortRequest, "short-request", kForDynamic,
     "sends its requests with 3 data bytes instead of 8"},
    {DutFault::kOutOfRange, "out-of-range", kForDynamic,
     "takes its addresses from the 16 below its category's range"},
    {DutFault::kRequestEeff, "request-eeff", kForDynamic, "requests DGN EEFFh instead of EE00h"},
    {DutFault::kShortWait, "short-wait", kForDynamic,
     "claims 100 ms after its request instead of after 260 ms"},
    {DutFault::kTalksInWait, "talks-in-wait", kForDynamic,
     "sends a status frame 100 ms into the wait after each request"},
    {DutFault::kClaimsUnrequested, "claims-unrequested", kForDynamic,
     "claims the address after the one it requested"},
    {DutFault::kIgnoresHigherClaim, "ignores-higher-claim", kForDynamic,
     "never gives an address up: claims its target despite a higher-priority claim and "
     "defends against every rival"},
    {DutFault::kYieldsAlways, "yields-always", kForDynamic,
     "gives its address up to any rival, even one with a lower-priority NAME"},
    {DutFault::kRetriesSameTarget, "retries-same-target", kForDynamic,
     "after losing its target at start-up, requests the same address again"},
    {DutFault::kStaleStatusAddress, "stale-status-address", kForDynamic,
     "after moving, keeps sending its status frames from the first address it held"},
    {DutFault::kRangeOnly, "range-only", kForDynamic,
     "sends cannot-claim (from FEh) once its own range is taken, without trying the spare "
     "addresses"},
    {DutFault::kNakGlobal, "nak-global", kForBoth,
     "NAKs a global request for a DGN it lacks instead of keeping silent", false, kRequests},
    {DutFault::kNoNak, "no-nak", kForBoth,
     "never NAKs: a request to its address for a DGN it lacks, or a command it cannot carry out, "
     "goes unanswered",
     false, kRequests},
    {DutFault::kNakToGlobal, "nak-to-global", kForBoth,
     "sends its NAKs to all nodes (E8FFh) instead of to the requester", false, kRequests},
    {DutFault::kNakWrongDgn, "nak-wrong-dgn", kForBoth,
     "names the DGN after the requested or commanded one in bytes 5-7 of its NAKs", false,
     kRequests},
    {DutFault::kNakWrongCode, "nak-wrong-code", kForBoth,
     "NAKs with code 3 (conditions do not allow) instead of 1", false, kRequests},
    {DutFault::kNakOwnAddress, "nak-own-address", kForBoth,
     "puts its own address in byte 4 of its NAKs instead of the requester's", false, kRequests},
    {DutFault::kNakSupported, "nak-supported", kForBoth,
     "answers a request to its address for a DGN it has with the DGN and a NAK", false, kRequests},
    {DutFault::kAnswersUnsupported, "answers-unsupported", kForBoth,
     "answers a request for a DGN it lacks with a frame of that DGN (all FFh)", false, kRequests},
    {DutFault::kAnswersOtherTarget, "answers-other-target", kForBoth,
     "answers requests addressed to other nodes as if they were addressed to it", false, kRequests},
    {DutFault::kLateAnswer, "late-answer", kForBoth,
     "answers requests (the DGN, a NAK, PRODUCT_ID) after 300 ms instead of after 5 ms", false,
     kRequests},
    {DutFault::kShortAnswer, "short-answer", kForBoth,
     "answers requests for its status DGN with 6 data bytes (its periodic frames keep 8)", false,
     kRequests},
    {DutFault::kIgnoresRvcRequest, "ignores-rvc-request", kForBoth,
     "answers only 3-byte J1939 requests, never the 8-byte RV-C form (requests for its claim "
     "excepted)",
     false, kRequests},
    {DutFault::kWrongInstance, "wrong-instance", kForBoth,
     "answers a request naming its instance with a frame of the next instance", false, kRequests},
    {DutFault::kProductIdNoDelimiters, "product-id-no-delimiters", kForBoth,
     "sends PRODUCT_ID with blanks where the '*' delimiters belong", false, kRequests},
    {DutFault::kProductIdControlChars, "product-id-control-chars", kForBoth,
     "sends PRODUCT_ID with tabs (09h) in place of its blanks", false, kRequests},
    {DutFault::kProductIdFastBam, "product-id-fast-bam", kForBoth,
     "sends the PRODUCT_ID packets 10 ms apart instead of 50 ms", false, kRequests},
    {DutFault::kProductIdSlowBam, "product-id-slow-bam", kForBoth,
     "sends the PRODUCT_ID packets 600 ms apart instead of 50 ms", false, kRequests},
    {DutFault::kProductIdRtsCts, "product-id-rts-cts", kForBoth,
     "sends PRODUCT_ID to the requester by RTS/CTS instead of by BAM", false, kRequests},
    {DutFault::kProductIdUnrequested, "product-id-unrequested", kForBoth,
     "sends PRODUCT_ID by itself every 5 s besides its answers", false, kRequests},
    {DutFault::kProductIdBadCount, "product-id-bad-count", kForBoth,
     "announces one PRODUCT_ID packet more than it sends", false, kRequests},
    {DutFault::kProductIdNoPadding, "product-id-no-padding", kForBoth,
     "fills the last PRODUCT_ID packet with 00h instead of FFh", false, kRequests},
    {DutFault::kProductIdBadSequence, "product-id-bad-sequence", kForBoth,
     "numbers its PRODUCT_ID packets from 0 instead of from 1", false, kRequests},
    {DutFault::kPropBroadcast, "prop-broadcast", kForBoth,
     "sends a proprietary frame (EF00h) to all nodes (EFFFh) every 5 s", false, kTraffic},
    {DutFault::kPropReacts, "prop-reacts", kForBoth,
     "answers a proprietary frame addressed to another node with its status", false, kTraffic},
    {DutFault::kPropActs, "prop-acts", kForBoth,
     "takes a proprietary frame addressed to another node for a toggle of its load, reported "
     "by its next periodic status only",
     false, kTraffic},
    {DutFault::kProprietaryB, "proprietary-b", kForBoth,
     "sends a J1939 proprietary-B frame (DGN 0FF00h) every 5 s", false, kTraffic},
    {DutFault::kShortDlc, "short-dlc", kForBoth,
     "sends its status frames with 7 data bytes instead of 8", false, kTraffic},
    {DutFault::kZeroFill, "zero-fill", kForBoth,
     "fills the unused bytes of its status frames with 00h instead of FFh", false, kTraffic},
    {DutFault::kHighPriority, "high-priority", kForBoth,
     "sends its status frames at priority 3 instead of 6", false, kTraffic},
    {DutFault::kReservedBitSet, "reserved-bit", kForBoth,
     "sends its status frames with identifier bit 25 (reserved) set", false, kTraffic},
    {DutFault::kBurst, "burst", kForBoth, "sends each status frame twice, the copy 1 ms after it",
     false, kTraffic},
    {DutFault::kUndocumentedDgn, "undocumented-dgn", kForBoth,
     "sends DGN 1FF00h, which the standard does not publish, every 5 s", false, kTraffic},
    {DutFault::kSilent6s, "silent-6s", kForBoth,
     "sends nothing from 10 s to 16 s of every 30 s after power-up", false, kTraffic},
    {DutFault::kUnclaimedAddress, "unclaimed-address", kForBoth,
     "sends every frame but its claims from the address below the one it claims", false, kTraffic},
    {DutFault::kFiltersSa, "filters-sa", kForBoth,
     "obeys commands for its load only from the first address that commanded it", false, kCommands},
    {DutFault::kCommandAnswerLate, "command-answer-late", kForBoth,
     "answers commands for its load (the status, a NAK) after 300 ms instead of after 5 ms", false,
     kCommands},
    {DutFault::kIgnoresCommands, "ignores-commands", kForBoth,
     "neither obeys nor answers any command for its load", false, kCommands},
    {DutFault::kEmptyCmdActs, "empty-cmd-acts", kForBoth,
     "toggles its load on a command whose fields are all FFh (no data)", false, kCommands},
    {DutFault::kEmptyCmdSilent, "empty-cmd-silent", kForBoth,
     "answers a command whose fields are all FFh with neither its status nor a NAK", false,
     kCommands},
    {DutFault::kRefusesSilently, "refuses-silently", kForBoth,
     "ignores a level out of range without a NAK", false, kCommands},
    {DutFault::kNakCode0, "nak-code-0", kForBoth,
     "answers a level out of range with code 0 (ACK) instead of 5", false, kCommands},
    {DutFault::kRefusedCmdActs, "refused-cmd-acts", kForBoth,
     "takes a level out of range as 100 %, with its status and the NAK", false, kCommands},
    {DutFault::kWrongInstanceActs, "wrong-instance-acts", kForBoth,
     "obeys a command for any instance as if it named its load", false, kCommands},
    {DutFault::kWrongInstanceNak, "wrong-instance-nak", kForBoth,
     "NAKs a command for an instance it lacks (code 1) instead of ignoring it", false, kCommands},
    {DutFault::kNoLocalStatus, "no-local-status", kForBoth,
     "its status never shows what its wall switch did", false, kCommands},
    {DutFault::kLocalStatusLate, "local-status-late", kForBoth,
     "reports what its wall switch did only with its next periodic status", false, kCommands},
    {DutFault::kNoHeartbeat, "no-heartbeat", kForBoth,
     "sends no DM_RV by itself while it has no fault (answers requests for it)", false,
     kDiagnostics},
    {DutFault::kSlowHeartbeat, "slow-heartbeat", kForBoth,
     "sends its DM_RV heartbeat every 7000 ms instead of every 5000 ms", false, kDiagnostics},
    {DutFault::kDmRvShort, "dmrv-short", kForBoth, "sends every DM_RV with 6 data bytes", false,
     kDiagnostics},
    {DutFault::kHeartbeatLampOn, "heartbeat-lamp-on", kForBoth,
     "turns the yellow lamp on in its DM_RV without a fault", false, kDiagnostics},
    {DutFault::kDmRvZeroFill, "dmrv-zero-fill", kForBoth,
     "fills bytes 6 and 7 of its DM_RV with 00h instead of FFh", false, kDiagnostics},
    {DutFault::kDmRvBadStatus, "dmrv-bad-status", kForBoth,
     "sends 10b (error) as the on/off operating status of its DM_RV", false, kDiagnostics},
    {DutFault::kDmRvNoDsa, "dmrv-no-dsa", kForBoth, "puts FFh in byte 1 of its DM_RV, not its DSA",
     false, kDiagnostics},
    {DutFault::kDmRvIgnoresRequest, "dmrv-ignores-request", kForBoth,
     "never answers a request for DM_RV", false, kDiagnostics},
    {DutFault::kDmRvLateAnswer, "dmrv-late-answer", kForBoth,
     "answers a request for DM_RV after 300 ms instead of after 5 ms", false, kDiagnostics},
    {DutFault::kFaultNotReported, "fault-not-reported", kForBoth,
     "never reports its fault condition: its DM_RV stays without a fault", false, kDiagnostics},
    {DutFault::kFaultLate, "fault-late", kForBoth,
     "reports a fault 400 ms after its condition came instead of after 50 ms", false, kDiagnostics},
    {DutFault::kFaultNotRepeated, "fault-not-repeated", kForBoth,
     "reports a fault once, then only every 5000 ms", false, kDiagnostics},
    {DutFault::kFaultSlowRepeat, "fault-slow-repeat", kForBoth,
     "repeats a fault every 1500 ms instead of every 1000 ms", false, kDiagnostics},
    {DutFault::kDmRvMultipacket, "dmrv-multipacket", kForBoth,
     "reports its fault by BAM, two faults in one multi-packet DM_RV", false, kDiagnostics},
    {DutFault::kLampsOffWithFault, "lamps-off-with-fault", kForBoth,
     "reports its fault with both lamps off", false, kDiagnostics},
    {DutFault::kFaultBadFmi, "fault-bad-fmi", kForBoth, "reports its fault with FMI 24", false,
     kDiagnostics},
    {DutFault::kFaultOtherDsa, "fault-other-dsa", kForBoth,
     "reports its fault under the DSA below its own", false, kDiagnostics},
    {DutFault::kNoClearMsg, "no-clear-msg", kForBoth,
     "sends nothing when a fault goes: its next DM_RV is the heartbeat 5000 ms later", false,
     kDiagnostics},
    {DutFault::kClearMsgLate, "clear-msg-late", kForBoth,
     "reports a fault gone 1500 ms after its condition went instead of after 50 ms", false,
     kDiagnostics},
    {DutFault::kFaultAfterClear, "fault-after-clear", kForBoth,
     "reports the fault once more 500 ms after reporting it gone", false, kDiagnostics},
    {DutFault::kFastHeartbeatAfterClear, "fast-heartbeat-after-clear", kForBoth,
     "keeps sending its DM_RV every 1000 ms after a fault went", false, kDiagnostics},
    {DutFault::kResetAnyAddress, "reset-any-address", kForBoth,
     "takes GENERAL_RESET addressed to any node as its own: ACKs it and acts", false, kDiagnostics},
    {DutFault::kResetNoAck, "reset-no-ack", kForBoth, "acts on GENERAL_RESET without an ACK", false,
     kDiagnostics},
    {DutFault::kResetIgnored, "reset-ignored", kForBoth,
     "keeps a fault reported after its cause went, and ignores GENERAL_RESET", false, kDiagnostics},
    {DutFault::kResetAckToGlobal, "reset-ack-to-global", kForBoth,
     "sends its ACK of GENERAL_RESET to all nodes (E8FFh) instead of to the sender", false,
     kDiagnostics},
    {DutFault::kResetKeepsFaults, "reset-keeps-faults", kForBoth,
     "keeps a fault reported after its cause went; ACKs GENERAL_RESET but clears nothing", false,
     kDiagnostics},
    {DutFault::kResetReboots, "reset-reboots", kForBoth,
     "reboots on GENERAL_RESET clear faults (claims its address again after the ACK)", false,
     kDiagnostics},
    {DutFault::kRequestsGlobally, "requests-globally", kForDynamic,
     "J1939 practice: sends one request for ADDRESS_CLAIM to FFh at power-up, claims its DSA "
     "260 ms later unless a higher-priority NAME claimed it meanwhile, else the next address "
     "no such NAME holds; after losing an address it claims the next one without a request "
     "(RV-C asks for a request to each target before its claim)",
     true},
    {DutFault::kTracksNames, "tracks-names", kForDynamic,
     "J1939 practice: remembers the NAME at each address it hears claimed; a NAME claiming a "
     "new address frees the one it held before",
     true},
    {DutFault::kLatchingFaults, "latching-faults", kForBoth,
     "keeps reporting its fault after the cause went, until a GENERAL_RESET clears faults", true,
     kDiagnostics},
    {DutFault::kSlowClear, "slow-clear", kForBoth,
     "reports a fault gone 600 ms after its cause went (RV-C's prose allows 1000 ms, its "
     "conformance test 250 ms)",
     true, kDiagnostics},
    {DutFault::kNoGeneralReset, "no-general-reset", kForBoth,
     "lacks the optional GENERAL_RESET: NAKs it (code 1) and does nothing", true, kDiagnostics},
}};

namespace {

using F = DutFault;

// What each fault does to the verdicts, test by test; the fault table test runs
// every fault through every test of its kind and holds this to the reports.
constexpr FaultTrip kFaultTrips[] = {
    {F::kLateClaim, "A10", {}, TripEnd::kAborts},
    {F::kTalksFirst, "A10", {0x104}},
    {F::kTalksFirst, "A40", {0x403}},
    {F::kTalksFirst, "A50", {0x505}},
    {F::kTalksFirst, "A60", {0x602}},
    {F::kTalksFirst, "A70", {0x403}},
    {F::kClaimEe05, "A10", {0x105}, TripEnd::kAborts},
    {F::kClaimEe05, "A20", {0x202, 0x203}},
    {F::kClaimEe05, "A30", {0x202, 0x203}},
    {F::kClaimEe05, "A110", {}, TripEnd::kAborts},
    {F::kClaimTo00, "A10", {0x105}, TripEnd::kAborts},
    {F::kClaimTo00, "A20", {0x202, 0x203}},
    {F::kClaimTo00, "A30", {0x202, 0x203}},
    {F::kClaimTo00, "A110", {}, TripEnd::kAborts},
    {F::kWrongAac, "A10", {0x102}},
    {F::kWrongAac, "A60", {0x601}},
    {F::kWrongMfg, "A10", {0x107}},
    {F::kWrongMfg, "A60", {0x605}},
    {F::kWrongDsa, "A10", {0x103}},
    {F::kWrongDsa, "A20", {}, TripEnd::kWaits},
    {F::kWrongDsa, "A30", {}, TripEnd::kWaits},
    {F::kTwoAddresses, "A10", {0x103, 0x106, 0x108}},
    {F::kTwoAddresses, "A40", {0x407}},
    {F::kTwoAddresses, "A50", {0x501, 0x509}},
    {F::kTwoAddresses, "A60", {0x604}},
    {F::kTwoAddresses, "A70", {0x407}},
    {F::kTwoAddresses, "A90", {0x407, 0x907}},
    {F::kShortQuiet, "A10", {0x108}},
    {F::kShortQuiet, "A60", {0x607}},
    {F::kShortQuiet, "A90", {0x904}},
    {F::kSlowAnswer, "A20", {0x203}},
    {F::kSlowAnswer, "A30", {0x203}},
    {F::kSlowAnswer, "A110", {0xB03}},
    {F::kSlowAnswer, "A80", {0x802}},
    {F::kTalksBeforeDefence, "A20", {0x202}},
    {F::kTalksBeforeDefence, "A30", {0x202}},
    {F::kTalksBeforeDefence, "A80", {0x803}},
    {F::kTalksBeforeDefence, "A90", {0x403}},
    {F::kDifferentReclaim, "A20", {0x204}},
    {F::kDifferentReclaim, "A30", {0x204}},
    {F::kDifferentReclaim, "A110", {0xB01}, TripEnd::kAborts},
    {F::kDifferentReclaim, "A80", {0x804}},
    {F::kDifferentReclaim, "A90", {0x808}},
    {F::kDifferentReclaim, "A100", {}, TripEnd::kAborts},
    {F::kIgnoresRequests, "A110", {}, TripEnd::kAborts},
    {F::kAnswerFromOtherAddress, "A110", {0xB02}, TripEnd::kAborts},
    {F::kJ1939Yield, "A30", {0x201, 0x203}},
    {F::kNoRequest, "A40", {0x403}},
    {F::kNoRequest, "A50", {0x501, 0x502, 0x505}},
    {F::kNoRequest, "A60", {0x604, 0x609}},
    {F::kNoRequest, "A70", {0x403, 0x701}},
    {F::kNoRequest, "A90", {0x403, 0x905}},
    {F::kRequestFromTarget, "A40", {0x401}},
    {F::kRequestFromTarget, "A50", {0x503}},
    {F::kRequestFromTarget, "A70", {0x401}},
    {F::kRequestFromTarget, "A90", {0x401}},
    {F::kGlobalRequest, "A40", {0x402, 0x406}},
    {F::kGlobalRequest, "A50", {0x501, 0x502, 0x504, 0x505, 0x508}},
    {F::kGlobalRequest, "A70", {0x402, 0x406}},
    {F::kGlobalRequest, "A90", {0x402, 0x406, 0x905}},
    {F::kShortRequest, "A40", {0x404}},
    {F::kShortRequest, "A50", {0x506}},
    {F::kShortRequest, "A70", {0x404}},
    {F::kShortRequest, "A90", {0x404}},
    {F::kOutOfRange, "A40", {0x402}},
    {F::kOutOfRange, "A50", {0x504}},
    {F::kOutOfRange, "A70", {0x402}},
    {F::kOutOfRange, "A90", {0x402}},
    {F::kOutOfRange, "A100", {}, TripEnd::kAborts},
    {F::kRequestEeff, "A40", {0x403, 0x405}},
    {F::kRequestEeff, "A50", {0x501, 0x502, 0x505, 0x507}},
    {F::kRequestEeff, "A60", {0x603, 0x604, 0x609}},
    {F::kRequestEeff, "A70", {0x403, 0x405, 0x701}},
    {F::kRequestEeff, "A90", {0x403, 0x405, 0x905}},
    {F::kShortWait, "A50", {0x502}},
    {F::kShortWait, "A60", {0x607, 0x608}},
    {F::kShortWait, "A70", {0x701}},
    {F::kShortWait, "A90", {0x903}},
    {F::kTalksInWait, "A50", {0x505}},
    {F::kTalksInWait, "A60", {0x602}},
    {F::kTalksInWait, "A90", {0x902}},
    {F::kClaimsUnrequested, "A60", {0x604}},
    {F::kClaimsUnrequested, "A90", {0x905}},
    {F::kClaimsUnrequested, "A100", {}, TripEnd::kAborts},
    {F::kIgnoresHigherClaim, "A50", {0x501, 0x502, 0x505}},
    {F::kIgnoresHigherClaim, "A90", {0x403, 0x901, 0x904, 0x905}},
    {F::kIgnoresHigherClaim, "A100", {}, TripEnd::kAborts},
    {F::kYieldsAlways, "A80", {0x801, 0x802}},
    {F::kRetriesSameTarget, "A50", {0x501, 0x502, 0x505}},
    {F::kStaleStatusAddress, "A90", {0x901, 0x906}},
    {F::kRangeOnly, "A100", {0xA01, 0xA02}},
    {F::kRequestsGlobally, "A40", {0x402, 0x406}},
    {F::kRequestsGlobally, "A50", {0x501, 0x502, 0x504, 0x505, 0x508}},
    {F::kRequestsGlobally, "A70", {0x402, 0x406}},
    {F::kRequestsGlobally, "A90", {0x403, 0x905}},
    {F::kNakGlobal, "ND10", {0x1604}},
    {F::kNakGlobal, "NDINST", {0x1906}},
    {F::kNoNak, "ND20", {0x1705}},
    {F::kNakToGlobal, "ND20", {0x170A}},
    {F::kNakWrongDgn, "ND20", {0x1709}},
    {F::kNakWrongCode, "ND20", {0x1707}},
    {F::kNakOwnAddress, "ND20", {0x1708}},
    {F::kNakSupported, "ND20", {0x1704}},
    {F::kAnswersUnsupported, "ND10", {0x1605}},
    {F::kAnswersUnsupported, "ND20", {0x1705, 0x170B}},
    {F::kAnswersUnsupported, "NDINST", {0x1906}},
    {F::kAnswersOtherTarget, "ND30", {0x1801}},
    {F::kLateAnswer, "ND10", {0x1602}},
    {F::kLateAnswer, "ND20", {0x1702, 0x1706}},
    {F::kLateAnswer, "NDINST", {0x1903}},
    {F::kLateAnswer, "ND40", {0x1A03}},
    {F::kShortAnswer, "ND10", {0x1603}},
    {F::kShortAnswer, "ND20", {0x1703}},
    {F::kIgnoresRvcRequest, "ND10", {0x1601}},
    {F::kIgnoresRvcRequest, "ND20", {0x1701, 0x1705}},
    {F::kIgnoresRvcRequest, "NDINST", {0x1901, 0x1902}},
    {F::kIgnoresRvcRequest, "ND40", {0x1A01, 0x1A02}},
    {F::kWrongInstance, "NDINST", {0x1904}},
    {F::kProductIdNoDelimiters, "ND40", {0x1A0A, 0x1A0B}},
    {F::kProductIdControlChars, "ND40", {0x1A09}},
    {F::kProductIdFastBam, "ND40", {0x1A06}},
    {F::kProductIdSlowBam, "ND40", {0x1A06}},
    {F::kProductIdRtsCts, "ND40", {0x1A04}},
    {F::kProductIdUnrequested, "ND40", {0x1A0C}},
    {F::kProductIdBadCount, "ND40", {0x1A05}},
    {F::kProductIdNoPadding, "ND40", {0x1A08}},
    {F::kProductIdBadSequence, "ND40", {0x1A07}},
    {F::kPropBroadcast, "ND80", {0x1E01}},
    {F::kPropReacts, "ND80", {0x1E04}},
    {F::kPropActs, "ND80", {0x1E05}},
    {F::kProprietaryB, "ND80", {0x1E02}},
    {F::kProprietaryB, "ND90", {0x1F05}},
    {F::kShortDlc, "ND90", {0x1F01}},
    {F::kReservedBitSet, "ND90", {0x1F02}},
    {F::kHighPriority, "ND90", {0x1F03}},
    {F::kUnclaimedAddress, "ND90", {0x1F04}},
    {F::kUndocumentedDgn, "ND90", {0x1F05}},
    {F::kBurst, "ND90", {0x1F06, 0x1F07}},
    {F::kSilent6s, "ND90", {0x1F08, 0x1F09}},
    {F::kZeroFill, "ND90", {0x1F0A}},
    {F::kNoNak, "ND130", {0x2301, 0x2308}},
    {F::kNakToGlobal, "ND130", {0x2306, 0x230D}},
    {F::kNakWrongDgn, "ND130", {0x2305, 0x230C}},
    {F::kNakWrongCode, "ND130", {0x230A}},
    {F::kNakOwnAddress, "ND130", {0x2304, 0x230B}},
    {F::kAnswersUnsupported, "ND130", {0x2308}},
    {F::kLateAnswer, "ND130", {0x2309}},
    {F::kIgnoresRvcRequest, "ND130", {0x2308}},
    {F::kFiltersSa, "ND100", {0x2001}},
    {F::kCommandAnswerLate, "ND100", {0x2002}},
    {F::kIgnoresCommands, "ND100", {0x2001}},
    {F::kIgnoresCommands, "ND110", {0x2102}},
    {F::kIgnoresCommands, "ND130", {0x2301}},
    {F::kIgnoresCommands, "ND140", {0x2403}},
    {F::kCommandAnswerLate, "ND110", {0x2103}},
    {F::kCommandAnswerLate, "ND130", {0x2302}},
    {F::kCommandAnswerLate, "ND140", {0x2404}},
    {F::kEmptyCmdActs, "ND110", {0x2101}},
    {F::kEmptyCmdSilent, "ND110", {0x2102}},
    {F::kRefusesSilently, "ND130", {0x2301}},
    {F::kNakCode0, "ND130", {0x2303}},
    {F::kRefusedCmdActs, "ND130", {0x2307}},
    {F::kWrongInstanceActs, "ND140", {0x2401}},
    {F::kWrongInstanceNak, "ND140", {0x2402}},
    {F::kIgnoresCommands, "ND150", {0x2503}},
    {F::kCommandAnswerLate, "ND150", {0x2504}},
    {F::kNoLocalStatus, "ND150", {0x2501}},
    {F::kLocalStatusLate, "ND150", {0x2502}},
    {F::kNoHeartbeat, "ND50", {0x1B01}},
    {F::kNoHeartbeat, "ND70", {0x1D04}},
    {F::kSlowHeartbeat, "ND50", {0x1B02}},
    {F::kSlowHeartbeat, "ND70", {0x1D04}},
    {F::kDmRvShort, "ND50", {0x1B03}},
    {F::kDmRvShort, "ND60", {0x1C04}},
    {F::kHeartbeatLampOn, "ND50", {0x1B04}},
    {F::kDmRvZeroFill, "ND50", {0x1B05}},
    {F::kDmRvBadStatus, "ND50", {0x1B06}},
    {F::kDmRvNoDsa, "ND50", {0x1B07}},
    {F::kDmRvIgnoresRequest, "ND50", {0x1B08}},
    {F::kDmRvLateAnswer, "ND50", {0x1B09}},
    {F::kFaultNotReported, "ND60", {0x1C01}},
    {F::kFaultNotReported, "ND70", {0x1D01}},
    {F::kFaultLate, "ND60", {0x1C02}},
    {F::kFaultNotRepeated, "ND60", {0x1C03}},
    {F::kFaultSlowRepeat, "ND60", {0x1C03}},
    {F::kDmRvMultipacket, "ND60", {0x1C05}},
    {F::kLampsOffWithFault, "ND60", {0x1C06}},
    {F::kFaultBadFmi, "ND60", {0x1C07}},
    {F::kFaultOtherDsa, "ND60", {0x1C08}},
    {F::kNoClearMsg, "ND70", {0x1D02}},
    {F::kClearMsgLate, "ND70", {0x1D02}},
    {F::kFaultAfterClear, "ND70", {0x1D03}},
    {F::kFastHeartbeatAfterClear, "ND70", {0x1D04}},
    {F::kResetAnyAddress, "ND120", {0x2201}},
    {F::kResetNoAck, "ND120", {0x2202}},
    {F::kResetIgnored, "ND120", {0x2202, 0x2204}},
    {F::kResetAckToGlobal, "ND120", {0x2203}},
    {F::kResetKeepsFaults, "ND120", {0x2204}},
    {F::kResetReboots, "ND120", {0x2205}},
};

constexpr std::string_view kStaticTests[] = {"A10", "A20", "A30", "A110"};
constexpr std::string_view kDynamicTests[] = {"A40", "A50", "A60",  "A70",
                                              "A80", "A90", "A100", "A110"};
// ND-130 ends with the request check of ND-20, so the request faults show there too.
constexpr std::string_view kRequestTests[] = {"ND10", "ND20", "ND30", "NDINST", "ND40", "ND130"};
constexpr std::string_view kTrafficTests[] = {"ND80", "ND90"};
constexpr std::string_view kDiagnosticTests[] = {"ND50", "ND60", "ND70", "ND120"};
constexpr std::string_view kCommandTests[] = {"ND100", "ND110", "ND130", "ND140", "ND150"};

}  // namespace

std::span<const FaultTrip> FaultTrips() {
  return kFaultTrips;
}

std::span<const std::string_view> TestsFor(DutKind kind, FaultGroup group) {
  switch (group) {
    case FaultGroup::kAddressing:
      if (kind == DutKind::kStatic) return kStaticTests;
      return kDynamicTests;
    case FaultGroup::kRequests:
      return kRequestTests;
    case FaultGroup::kTraffic:
      return kTrafficTests;
    case FaultGroup::kDiagnostics:
      return kDiagnosticTests;
    case FaultGroup::kCommands:
      return kCommandTests;
  }
  return {};
}

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

namespace {

constexpr std::string_view kInstancesCode = "NDINST";

// "A-10" for "A10", "ND-40" for "ND40", as the reports and the menu write a test.
std::string TestTitle(std::string_view code) {
  if (code == kInstancesCode) return "Instances";
  std::string title(code);
  const std::size_t digits = title.find_first_of("0123456789");
  if (digits != std::string::npos && digits > 0) title.insert(digits, "-");
  return title;
}

std::string CriteriaText(const FaultTrip& trip) {
  std::string text;
  char id[8];
  for (const std::uint16_t criterion : trip.criteria) {
    if (criterion == 0) break;
    std::snprintf(id, sizeof(id), "0x%X", criterion);
    text += (text.empty() ? " " : ", ") + std::string(id);
  }
  if (trip.end == TripEnd::kAborts) text += text.empty() ? " aborted" : ", then aborted";
  if (trip.end == TripEnd::kWaits) {
    text += text.empty() ? " run until stopped" : ", then run until stopped";
  }
  return text;
}

// The menu lists the tests by number, A10 to A110, then ND10 to ND150 with the
// Instances test after ND30.
int TestNumber(std::string_view code) {
  constexpr int kNetworkFamily = 1000;
  if (code == kInstancesCode) return kNetworkFamily + 35;
  int number = code.starts_with("ND") ? kNetworkFamily : 0;
  int value = 0;
  for (const char c : code) {
    if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
  }
  return number + value;
}

// "A-10 0x104; 0x403; ...": the tests in menu order, those with the same
// outcome together at the first of them.
std::string TripsText(DutFault fault) {
  std::vector<const FaultTrip*> trips;
  for (const FaultTrip& trip : kFaultTrips) {
    if (trip.fault == fault) trips.push_back(&trip);
  }
  std::stable_sort(trips.begin(), trips.end(), [](const FaultTrip* a, const FaultTrip* b) {
    return TestNumber(a->test) < TestNumber(b->test);
  });
  std::vector<std::pair<std::string, std::string>> groups;  // outcome, tests
  for (const FaultTrip* trip : trips) {
    const std::string outcome = CriteriaText(*trip);
    auto it = std::find_if(groups.begin(), groups.end(),
                           [&](const auto& g) { return g.first == outcome; });
    if (it == groups.end()) {
      groups.emplace_back(outcome, TestTitle(trip->test));
    } else {
      it->second += ", " + TestTitle(trip->test);
    }
  }
  std::string text;
  for (const auto& [outcome, tests] : groups) {
    text += (text.empty() ? "" : "; ") + tests + outcome;
  }
  return text.empty() ? "nothing" : text;
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
    AppendWrapped(text, "trips: " + TripsText(info.fault), kHelpIndent);
  }
  return text;
}

}  // namespace vlt::host
