// What the signal catalogue's tables are made of: the value makers of the RV-C
// data types by short name, the choice lists only the catalogue uses, and the
// per-family tables that SignalCatalogueRows joins.
#pragma once

#include <span>
#include <string_view>

#include "dictionary/dict_rows.h"
#include "values/enumeration.h"

namespace vlt::dictionary::catalogue {

using enum EntryKind;

// An enumeration of the shared set, by its class name.
constexpr MakerSpec Enum(std::string_view className) {
  return Shared(className);
}

// The enumerations the catalogue reads, by their class names less "ValueMaker".
// clang-format off
inline constexpr MakerSpec kAASOpMode = Enum("ValueMakerAASOpMode");
inline constexpr MakerSpec kACComponentMode = Enum("ValueMakerACComponentMode");
inline constexpr MakerSpec kACComponentState = Enum("ValueMakerACComponentState");
inline constexpr MakerSpec kACCompressorSts = Enum("ValueMakerACCompressorSts");
inline constexpr MakerSpec kACOpMode = Enum("ValueMakerACOpMode");
inline constexpr MakerSpec kACPhase = Enum("ValueMakerACPhase");
inline constexpr MakerSpec kACVoltageFault = Enum("ValueMakerACVoltageFault");
inline constexpr MakerSpec kAGSCritType = Enum("ValueMakerAGSCritType");
inline constexpr MakerSpec kAltimeterCommand = Enum("ValueMakerAltimeterCommand");
inline constexpr MakerSpec kAuthDurationUnit = Enum("ValueMakerAuthDurationUnit");
inline constexpr MakerSpec kAutoDumpCommand = Enum("ValueMakerAutoDumpCommand");
inline constexpr MakerSpec kAutoFillLastOp = Enum("ValueMakerAutoFillLastOp");
inline constexpr MakerSpec kAwningInputFctn = Enum("ValueMakerAwningInputFctn");
inline constexpr MakerSpec kBatteryType = Enum("ValueMakerBatteryType");
inline constexpr MakerSpec kBrokerDiscCommand = Enum("ValueMakerBrokerDiscCommand");
inline constexpr MakerSpec kBrokerTestCommand = Enum("ValueMakerBrokerTestCommand");
inline constexpr MakerSpec kCANBitRate = Enum("ValueMakerCANBitRate");
inline constexpr MakerSpec kCANProtocol = Enum("ValueMakerCANProtocol");
inline constexpr MakerSpec kCANTermination = Enum("ValueMakerCANTermination");
inline constexpr MakerSpec kChargeAlgorithm = Enum("ValueMakerChargeAlgorithm");
inline constexpr MakerSpec kChargeDischargeState = Enum("ValueMakerChargeDischargeState");
inline constexpr MakerSpec kChargerMode = Enum("ValueMakerChargerMode");
inline constexpr MakerSpec kChargerState = Enum("ValueMakerChargerState");
inline constexpr MakerSpec kChargerStatusCommand = Enum("ValueMakerChargerStatusCommand");
inline constexpr MakerSpec kCompassCommand = Enum("ValueMakerCompassCommand");
inline constexpr MakerSpec kConnSts = Enum("ValueMakerConnSts");
inline constexpr MakerSpec kDCChargeState = Enum("ValueMakerDCChargeState");
inline constexpr MakerSpec kDCGeneratorOutputCommand = Enum("ValueMakerDCGeneratorOutputCommand");
inline constexpr MakerSpec kDCSourceFunction = Enum("ValueMakerDCSourceFunction");
inline constexpr MakerSpec kDayOfWeek = Enum("ValueMakerDayOfWeek");
inline constexpr MakerSpec kDeratingCause = Enum("ValueMakerDeratingCause");
inline constexpr MakerSpec kDesiredLoadState = Enum("ValueMakerDesiredLoadState");
inline constexpr MakerSpec kDimmerCommand = Enum("ValueMakerDimmerCommand");
inline constexpr MakerSpec kDomePosition = Enum("ValueMakerDomePosition");
inline constexpr MakerSpec kDriverCommand = Enum("ValueMakerDriverCommand");
inline constexpr MakerSpec kDriverShutdown = Enum("ValueMakerDriverShutdown");
inline constexpr MakerSpec kDriverTempWarning = Enum("ValueMakerDriverTempWarning");
inline constexpr MakerSpec kDriverType = Enum("ValueMakerDriverType");
inline constexpr MakerSpec kDumpCommand = Enum("ValueMakerDumpCommand");
inline constexpr MakerSpec kDumpMode = Enum("ValueMakerDumpMode");
inline constexpr MakerSpec kEntryStepMode = Enum("ValueMakerEntryStepMode");
inline constexpr MakerSpec kExtendRetract = Enum("ValueMakerExtendRetract");
inline constexpr MakerSpec kExtremeUnderOver = Enum("ValueMakerExtremeUnderOver");
inline constexpr MakerSpec kForceCharge = Enum("ValueMakerForceCharge");
inline constexpr MakerSpec kGasSensorType = Enum("ValueMakerGasSensorType");
inline constexpr MakerSpec kGenCommand = Enum("ValueMakerGenCommand");
inline constexpr MakerSpec kGenIndCommand = Enum("ValueMakerGenIndCommand");
inline constexpr MakerSpec kGenStatus = Enum("ValueMakerGenStatus");
inline constexpr MakerSpec kGensetType = Enum("ValueMakerGensetType");
inline constexpr MakerSpec kHeatSource = Enum("ValueMakerHeatSource");
inline constexpr MakerSpec kInverterStatus = Enum("ValueMakerInverterStatus");
inline constexpr MakerSpec kJackType = Enum("ValueMakerJackType");
inline constexpr MakerSpec kLevelingOpModeCmd = Enum("ValueMakerLevelingOpModeCmd");
inline constexpr MakerSpec kLoadCommand = Enum("ValueMakerLoadCommand");
inline constexpr MakerSpec kLoadDirection = Enum("ValueMakerLoadDirection");
inline constexpr MakerSpec kLockExtraAction = Enum("ValueMakerLockExtraAction");
inline constexpr MakerSpec kMonth = Enum("ValueMakerMonth");
inline constexpr MakerSpec kMotorCommand = Enum("ValueMakerMotorCommand");
inline constexpr MakerSpec kOpeningClosing = Enum("ValueMakerOpeningClosing");
inline constexpr MakerSpec kPreHeatStatus = Enum("ValueMakerPreHeatStatus");
inline constexpr MakerSpec kRGBWColorChasingDirection = Enum("ValueMakerRGBWColorChasingDirection");
inline constexpr MakerSpec kRGBWColorChasingPattern = Enum("ValueMakerRGBWColorChasingPattern");
inline constexpr MakerSpec kRGBWColorFadeMode = Enum("ValueMakerRGBWColorFadeMode");
inline constexpr MakerSpec kRGBWFadeType = Enum("ValueMakerRGBWFadeType");
inline constexpr MakerSpec kRGBWOutputControlType = Enum("ValueMakerRGBWOutputControlType");
inline constexpr MakerSpec kReferFuelSource = Enum("ValueMakerReferFuelSource");
inline constexpr MakerSpec kReferOpMode = Enum("ValueMakerReferOpMode");
inline constexpr MakerSpec kRevisionType = Enum("ValueMakerRevisionType");
inline constexpr MakerSpec kSecurityApprovalUnit = Enum("ValueMakerSecurityApprovalUnit");
inline constexpr MakerSpec kSmoothingMethod = Enum("ValueMakerSmoothingMethod");
inline constexpr MakerSpec kSolarCommand = Enum("ValueMakerSolarCommand");
inline constexpr MakerSpec kStackMode = Enum("ValueMakerStackMode");
inline constexpr MakerSpec kSubnetID = Enum("ValueMakerSubnetID");
inline constexpr MakerSpec kTVLiftMotion = Enum("ValueMakerTVLiftMotion");
inline constexpr MakerSpec kTVLiftMotionCommand = Enum("ValueMakerTVLiftMotionCommand");
inline constexpr MakerSpec kTempSensorLocation = Enum("ValueMakerTempSensorLocation");
inline constexpr MakerSpec kThermOpMode = Enum("ValueMakerThermOpMode");
inline constexpr MakerSpec kTirePressureStatus = Enum("ValueMakerTirePressureStatus");
inline constexpr MakerSpec kTireTemperatureStatus = Enum("ValueMakerTireTemperatureStatus");
inline constexpr MakerSpec kTurnSignalStatus = Enum("ValueMakerTurnSignalStatus");
inline constexpr MakerSpec kWaterHeaterCommand = Enum("ValueMakerWaterHeaterCommand");
inline constexpr MakerSpec kWaterHeaterEnginePreheat = Enum("ValueMakerWaterHeaterEnginePreheat");
inline constexpr MakerSpec kWaterHeaterOpMode = Enum("ValueMakerWaterHeaterOpMode");
inline constexpr MakerSpec kWirelessBatteryStatus = Enum("ValueMakerWirelessBatteryStatus");
inline constexpr MakerSpec kWirelessConnectionType = Enum("ValueMakerWirelessConnectionType");
inline constexpr MakerSpec kWirelessInitiatorLastCmd = Enum("ValueMakerWirelessInitiatorLastCmd");
inline constexpr MakerSpec kWirelessPairingInitiatorCommand = Enum("ValueMakerWirelessPairingInitiatorCommand");
inline constexpr MakerSpec kWirelessPairingInitiatorStatus = Enum("ValueMakerWirelessPairingInitiatorStatus");
inline constexpr MakerSpec kWirelessPairingResponderCommand = Enum("ValueMakerWirelessPairingResponderCommand");
inline constexpr MakerSpec kWirelessPairingResponderStatus = Enum("ValueMakerWirelessPairingResponderStatus");
inline constexpr MakerSpec kWirelessResponderLastCmd = Enum("ValueMakerWirelessResponderLastCmd");
// clang-format on

// Plain numbers; a decimal field of b bits reads its all-ones code as "N/D".
inline constexpr MakerSpec kU3 = DecByte(7);
inline constexpr MakerSpec kU4 = DecByte(15);
inline constexpr MakerSpec kU5 = DecByte(31);
inline constexpr MakerSpec kU6 = DecByte(63);
inline constexpr MakerSpec kU8 = DecByte(255);
inline constexpr MakerSpec kU16 = Shared("ValueMakerDecWord");
inline constexpr MakerSpec kU24 = Shared("ValueMakerDec3Byte");
inline constexpr MakerSpec kU32 = Shared("ValueMakerDecUint");
inline constexpr MakerSpec kHex8 = Shared("ValueMakerHexByte");
inline constexpr MakerSpec kHex16 = Shared("ValueMakerHexWord");
inline constexpr MakerSpec kHex24 = Shared("ValueMakerHex3Byte");
inline constexpr MakerSpec kHex32 = Shared("ValueMakerHexUint");
inline constexpr MakerSpec kHex5 = Shared("ValueMakerHex5Byte");
inline constexpr MakerSpec kPacketBytes = Shared("ValueMakerFullPacket");
inline constexpr MakerSpec kPlain = Shared("ValueMaker");

// RV-C composite types.
inline constexpr MakerSpec kPct = Shared("ValueMakerRVCPct");  // 0.5 % per bit
inline constexpr MakerSpec kSecsPlus = Shared("ValueMakerSecsPlusByte");
inline constexpr MakerSpec kTankLevel = Shared("ValueMakerTankLevel");
inline constexpr MakerSpec kTimeOfDay = Shared("ValueMakerTimeOfDay");
inline constexpr MakerSpec kDate = Shared("ValueMakerTimeYMD");
inline constexpr MakerSpec kTime = Shared("ValueMakerTimeHMS");
inline constexpr MakerSpec kRunTime = Shared("ValueMakerGenRunTime");
inline constexpr MakerSpec kDsa = Shared("ValueMakerDSA");
inline constexpr MakerSpec kMfgCode = Shared("ValueMakerMfgId");
inline constexpr MakerSpec kAsciiId = Shared("ValueMakerASCII_Id");
inline constexpr MakerSpec kSecurity1 = Shared("ValueMakerSecurityCategory1");
inline constexpr MakerSpec kSecurity2 = Shared("ValueMakerSecurityCategory2");
inline constexpr MakerSpec kSecurity3 = Shared("ValueMakerSecurityCategory3");
inline constexpr MakerSpec kSecurity4 = Shared("ValueMakerSecurityCategory4");

// Physical quantities. Scale and offset repeat the shared makers' exactly, so
// that rows reuse them instead of building copies.
inline constexpr MakerSpec kVdc = FlexWord("%0.2f Vdc", 0.05, 0);
inline constexpr MakerSpec kVdcMilli = FlexWord("%0.3f Vdc", 0.001, 0);
inline constexpr MakerSpec kVdcMilli32 = FlexUint("%0.3f Vdc", 0.001, 0);
inline constexpr MakerSpec kVac = FlexWord("%0.2f Vac", 0.05, 0);
inline constexpr MakerSpec kVacByte = FlexByte("%0.0f Vac", 1, 0);
inline constexpr MakerSpec kVoltTenth = FlexByte("%0.1f V", 0.1, 0);
inline constexpr MakerSpec kMilliVolts = FlexWord("%0.0f mV", 1, 0);
inline constexpr MakerSpec kVoltRate = FlexWord("%0.0f mV/s", 1, -32000);
inline constexpr MakerSpec kMilliVoltsPerK = FlexByte("%0.0f mV/K", 1, 0);
inline constexpr MakerSpec kAdc = FlexWord("%0.1f Adc", 0.05, -1600);
inline constexpr MakerSpec kAdcByte = FlexByte("%0.0f Adc", 1, 0);
inline constexpr MakerSpec kAac = FlexWord("%0.1f Aac", 0.05, -1600);
inline constexpr MakerSpec kAacByte = FlexByte("%0.0f Aac", 1, 0);
inline constexpr MakerSpec kAmps32 = FlexUint("%0.3f A", 0.001, -2000000);
inline constexpr MakerSpec kAmpsWord = FlexWord("%0.0f A", 1, 0);
inline constexpr MakerSpec kAhWord = FlexWord("%0.0f AHr", 1, 0);
inline constexpr MakerSpec kAh32 = FlexUint("%0.0f AHr", 1, 0);
inline constexpr MakerSpec kAmpHours = FlexWord("%.0f A*h", 1, 0);
inline constexpr MakerSpec kWatts = FlexWord("%0.0f W", 1, 0);
inline constexpr MakerSpec kSignedWatts = FlexWord("%0.0f W", 1, -32000);
inline constexpr MakerSpec kVAr = FlexWord("%0.0f VAr", 1, -32000);
inline constexpr MakerSpec kKwh32 = FlexUint("%0.0f kWh", 1, 0);
inline constexpr MakerSpec kHz = FlexWord("%0.1f Hz", 0.0078125, 0);
inline constexpr MakerSpec kHzByte = FlexByte("%0.0f Hz", 1, 0);
inline constexpr MakerSpec kOhms = FlexByte("%0.0f Ohm", 1, 0);
inline constexpr MakerSpec kTempF = FlexWord(
    "%0.1f \xB0"
    "F",
    0.05625, -459.4);  // RV-C temperature word: 1/32 degC from -273 degC
inline constexpr MakerSpec kTempByte = FlexByte(
    "%0.1f \xB0"
    "F",
    1.8, -40);  // RV-C temperature byte: 1 degC from -40 degC
inline constexpr MakerSpec kDeltaC = FlexByte(
    "%0.1f \xB0"
    "C",
    0.1, 0);  // dead bands
inline constexpr MakerSpec kTempCoefficient = FlexByte(
    "%0.2f %%/\xB0"
    "C",
    0.01, 0);
inline constexpr MakerSpec kKelvin = FlexWord("%.0f \xB0K", 1, 0);
inline constexpr MakerSpec kPsiWord = FlexWord("%0.1f PSI", 0.0145, 0);     // 100 Pa per bit
inline constexpr MakerSpec kKpaWord = FlexWord("%5.0f PSI", 0.1450377, 0);  // 1 kPa per bit
inline constexpr MakerSpec kPsiByte = FlexByte("%3.0f PSI", 1, 0);
inline constexpr MakerSpec kOilPressure = FlexByte("%0.0f kPa", 4, 0);
inline constexpr MakerSpec kLeakRate = FlexWord("%0.0f kPa/h", 1, 0);
inline constexpr MakerSpec kMbar = FlexWord("%6.1f mBar", 0.1, 0);
inline constexpr MakerSpec kHeading = FlexWord("%3.0f\xB0", 0.0078125, 0);
inline constexpr MakerSpec kAngle = FlexWord("%0.1f\xB0", 0.0078125, -250);
inline constexpr MakerSpec kSteerAngle = FlexWord("%0.3f rad", 0.0009765625, -31.374);
inline constexpr MakerSpec kLatLong = FlexUint("%0.7f\xB0", 0.0000001, -210);
inline constexpr MakerSpec kAltitude = FlexWord("%0.1f m", 0.125, -2500);
inline constexpr MakerSpec kOdometer = FlexUint("%0.0f m", 1, 0);
inline constexpr MakerSpec kKph = FlexWord("%0.1f kph", 0.00390625, 0);
inline constexpr MakerSpec kKphByte = FlexByte("%0.0f kph", 1, 0);
inline constexpr MakerSpec kRpm = FlexWord("%0.0f rpm", 0.125, 0);
inline constexpr MakerSpec kFuelRate = FlexWord("%0.2f L/h", 0.05, 0);
inline constexpr MakerSpec kLitres = FlexWord("%0.0f ltr", 1, 0);
inline constexpr MakerSpec kKlux = FlexByte("%0.0f kLux", 1, 0);
inline constexpr MakerSpec kLux = FlexWord("%0.0f lux", 1, 0);
inline constexpr MakerSpec kPeukert = FlexByte("%0.2f", 0.01, 1);
inline constexpr MakerSpec kMillis = FlexWord("%.0f ms", 1, 0);
inline constexpr MakerSpec kMillisByte = FlexByte("%0.0f ms", 1, 0);
inline constexpr MakerSpec kSecByte = FlexByte("%0.0f sec", 1, 0);
inline constexpr MakerSpec kSecWord = FlexWord("%0.0f sec", 1, 0);
inline constexpr MakerSpec kSecTenth = FlexByte("%0.1f sec", 0.1, 0);
inline constexpr MakerSpec kHalfSec = FlexWord("%.1f sec", 0.5, 0);
inline constexpr MakerSpec kRampTime = FlexWord("%0.1f sec", 0.1, 0);
inline constexpr MakerSpec kMinByte = FlexByte("%0.0f min", 1, 0);
inline constexpr MakerSpec kMinWord = FlexWord("%0.0f min", 1, 0);
inline constexpr MakerSpec kDays = FlexByte("%0.0f days", 1, 0);
inline constexpr MakerSpec kDaysWord = FlexWord("%0.0f days", 1, 0);

// Two-bit states, key 0 first; most are flags of the shared set.
inline constexpr MakerSpec kOffOn = Flag("Off", "On");
inline constexpr MakerSpec kNoYes = Flag("No", "Yes");
inline constexpr MakerSpec kDisabledEnabled = Flag("Disabled", "Enabled");
inline constexpr MakerSpec kEnabledDisabled = Flag("Enabled", "Disabled");
inline constexpr MakerSpec kInactiveActive = Flag("Inactive", "Active");
inline constexpr MakerSpec kOkFault = Flag("Ok", "Fault");
inline constexpr MakerSpec kOkWarning = Flag("Ok", "Warning");
inline constexpr MakerSpec kOkLow = Flag("Ok", "Low");
inline constexpr MakerSpec kOkDerating = Flag("Ok", "Derating");
inline constexpr MakerSpec kAutoManual = Flag("Auto", "Manual");
inline constexpr MakerSpec kManualAutomatic = Flag("Manual", "Automatic");
inline constexpr MakerSpec kAutoOn = Flag("Auto", "On");
inline constexpr MakerSpec kUnderOver = Flag("Under", "Over");
inline constexpr MakerSpec kZeroOne = Flag("Zero", "One");
inline constexpr MakerSpec kLeg1Leg2 = Flag("Leg 1", "Leg 2");
inline constexpr MakerSpec kSineNotSine = Flag("Sine", "Not Sine");
inline constexpr MakerSpec kNormalBypass = Flag("Normal", "Bypass");
inline constexpr MakerSpec kNoActionLower = Flag("No Action", "Lower");
inline constexpr MakerSpec kNoActionRaise = Flag("No Action", "Raise");
inline constexpr MakerSpec kNoActionActivate = Flag("No Action", "Activate");
inline constexpr MakerSpec kNoActionClearHistory = Flag("No Action", "Clear History");
inline constexpr MakerSpec kRetractedExtended = Flag("Retracted", "Extended");
inline constexpr MakerSpec kNotRetractedRetracted = Flag("Not Retracted", "Retracted");
inline constexpr MakerSpec kNotExtendedExtended = Flag("Not Extended", "Extended");
inline constexpr MakerSpec kNotUnlockedUnlocked = Flag("Not Unlocked", "Unlocked");
inline constexpr MakerSpec kUnlockedLocked = Flag("Unlocked", "Locked");
inline constexpr MakerSpec kLockedUnlocked = Flag("Locked", "Unlocked");
inline constexpr MakerSpec kSecuredNotSecured = Flag("Secured", "Not Secured");
inline constexpr MakerSpec kOkToMove = Flag("Ok To Move", "Do Not Move");
inline constexpr MakerSpec kNoLoadLoaded = Flag("No Load", "Loaded");
inline constexpr MakerSpec kAboveBelow = Flag("At or Above", "Below");
inline constexpr MakerSpec kClosedOpen = Flag("Closed", "Open");
inline constexpr MakerSpec kClosedFlushing = Flag("Closed", "Flushing");
inline constexpr MakerSpec kRequiredDelivered = Flag("Required", "Delivered");
inline constexpr MakerSpec kNotReachedReached = Flag("Not Reached", "Limit Reached");
inline constexpr MakerSpec kConnectedDisconnected = Flag("Connected", "Disconnected");
inline constexpr MakerSpec kDisconnectedConnected = Flag("Disconnected", "Connected");
inline constexpr MakerSpec kDisconnectConnect = Flag("Disconnect", "Connect");
inline constexpr MakerSpec kConnectDisconnect = Flag("Connect", "Disconnect");
inline constexpr MakerSpec kIndependentLinked = Flag("Independent", "Linked");
inline constexpr MakerSpec kOffPreCharging = Flag("Off", "PreCharging");
inline constexpr MakerSpec kHotWaterHeating = Flag("Hot Water", "Heating");
inline constexpr MakerSpec kPumpDirection = Flag("Extend", "Retract");
inline constexpr MakerSpec kNormalBusOff = Flag("Normal", "Bus Off");
inline constexpr MakerSpec kRemoteLocal = Flag("Remote", "Local");
inline constexpr MakerSpec kLocalRemote = Flag("Local", "Remote");
inline constexpr MakerSpec kDecrementIncrement = Flag("Decrement", "Increment");
inline constexpr MakerSpec kWrvc = Flag("Non-WRV-C", "WRV-C");
inline constexpr MakerSpec kInsecureSecure = Flag("Insecure", "Secure");
inline constexpr MakerSpec kStopSearch = Flag("Stop", "Search");
inline constexpr MakerSpec kHiddenVisible = Flag("Hidden", "Visible");
inline constexpr MakerSpec kAcceptDenyNonSecure = Flag("AcceptNonSecure", "DenyNonSecure");
inline constexpr MakerSpec kUnsafeMotionSafe = Flag("Unsafe", "Motion-Safe");
inline constexpr MakerSpec kRejectApprove = Flag("Reject", "Approve");

// Choice lists of single signals.
inline constexpr values::EnumerationChoice kMotion[] = {
    {0, "No Motion"}, {1, "Extending"}, {2, "Retracting"}};
inline constexpr values::EnumerationChoice kWindowOperation[] = {
    {1, "Stop"}, {2, "Open"}, {3, "Close"}};
// Three-bit fields with two named states (RV-C reserves the other codes).
inline constexpr values::EnumerationChoice kOffOnChoices[] = {{0, "Off"}, {1, "On"}};
inline constexpr values::EnumerationChoice kAtsSource[] = {{0, "Primary"}, {1, "Secondary"}};
// The AC qualification status is a 4-bit field; ValueMakerQualificationStatus
// reads a whole byte, whose reserved high bits would turn every value "Invalid".
inline constexpr values::EnumerationChoice kQualification[] = {
    {0, "No AC Present"}, {1, "AC Bad"}, {2, "Waiting"}, {3, "Qualifying"}, {4, "AC Good"}};
// J1939 gear: 125 is neutral, lower keys reverse, higher forward.
inline constexpr values::EnumerationChoice kGear[] = {
    {124, "Reverse 1"}, {125, "Neutral"},   {126, "Forward 1"}, {127, "Forward 2"},
    {128, "Forward 3"}, {129, "Forward 4"}, {130, "Forward 5"}, {131, "Forward 6"},
    {132, "Forward 7"}, {251, "Park"}};

// The family tables, each DGN by DGN.
std::span<const EntryRow> PowerRows();
std::span<const EntryRow> AcPowerRows();
std::span<const EntryRow> ComfortRows();
std::span<const EntryRow> ChassisRows();
std::span<const EntryRow> SystemRows();

}  // namespace vlt::dictionary::catalogue
