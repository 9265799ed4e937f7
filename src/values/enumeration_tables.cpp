// The RV-C enumerations: name, bit count and (key, text) choices of each, one
// table per RV-C data type. Keys at or above the field's error code (all ones
// minus one) would never be shown, so none are listed.
#include "values/enumeration.h"

namespace vlt::values {

namespace {

constexpr EnumerationChoice kTurnSignalStatus[] = {
    {0, "Off"}, {1, "Left"}, {2, "Right"}, {3, "Hazard"}};
constexpr EnumerationChoice kGensetType[] = {
    {0, "None"},       {1, "Crank/Run"}, {2, "Crank/Stop+Glow"}, {3, "Start/Stop+Prime"},
    {4, "Run Signal"}, {5, "Crank/Stop"}};
constexpr EnumerationChoice kAutoFillLastOp[] = {{0, "Running"},
                                                 {1, "Fill Success"},
                                                 {2, "Fill TimeOut"},
                                                 {3, "Fill Aborted"},
                                                 {4, "Fill Error"}};
constexpr EnumerationChoice kWaterHeaterOpMode[] = {
    {0, "Off"},       {1, "Combustion"},      {2, "Electric"},     {3, "Gas+Electric"},
    {4, "Automatic"}, {5, "Combustion Test"}, {6, "Electric Test"}};
constexpr EnumerationChoice kGasSensorType[] = {{0, "Monoxide"}, {1, "LP Gas"}, {2, "Smoke"}};
constexpr EnumerationChoice kWaterHeaterEnginePreheat[] = {{0, "Off"}, {1, "On"}, {5, "Forced On"}};
constexpr EnumerationChoice kAASOpMode[] = {{0, "Normal"}, {1, "Fly Mode"}, {4, "Reset"}};
constexpr EnumerationChoice kLevelingOpModeCmd[] = {
    {0, "Inactive"},       {1, "SuspRaiseStart"}, {2, "SuspDumpStart"},   {3, "StoreStart"},
    {4, "Manual Air"},     {5, "AutoAirStart"},   {6, "DeployKickDown"},  {7, "Manual Hydrlc"},
    {8, "AutoHydStart"},   {9, "KneelStart"},     {10, "AutoHitchHt"},    {11, "Abort"},
    {12, "Careen Left"},   {13, "Careen Rt"},     {14, "Squat"},          {34, "JackCalibrate"},
    {41, "ManAirFourPt"},  {42, "ManAirBiAxis"},  {43, "ManAirThreePt"},  {44, "ManAirMultiPt"},
    {51, "AutoAirFourPt"}, {52, "AutoAirBiAxis"}, {53, "AutoAirThreePt"}, {54, "AutoAirMultiPt"},
    {71, "ManualFourPt"},  {72, "ManualBiAxis"},  {73, "ManualThreePt"},  {74, "ManualMultiPt"},
    {81, "AutoFourPt"},    {82, "AutoBiAxis"},    {83, "AutoThreePt"},    {84, "AutoMultiPt"},
    {99, "Ack/Clear Err"}};
constexpr EnumerationChoice kJackType[] = {{0, "Conventional"}, {1, "Kick-Down"}};
constexpr EnumerationChoice kHeatSource[] = {
    {0, "Combustion"}, {1, "Primary AC"}, {2, "Secondary AC"}, {3, "Engine Heat"}};
constexpr EnumerationChoice kGenStatus[] = {
    {0, "Stopped"},       {1, "Preheat"},      {2, "Cranking"},     {3, "Running"},
    {4, "Priming"},       {5, "Fault"},        {6, "Eng Run Only"}, {7, "Test Mode"},
    {8, "Volt Adj Mode"}, {9, "Fault Bypass"}, {10, "Config Mode"}};
constexpr EnumerationChoice kGenCommand[] = {
    {0, "Stop"}, {1, "Start"}, {2, "Manual Prime"}, {3, "Manual Preheat"}};
constexpr EnumerationChoice kInverterStatus[] = {
    {0, "Disabled"},   {1, "Inverting"}, {2, "AC Passthru"}, {3, "APS Only"},
    {4, "Load Sense"}, {5, "Waiting"},   {6, "Gen Support"}};
constexpr EnumerationChoice kChargerMode[] = {
    {0, "Stand-alone"}, {1, "Primary"}, {2, "Secondary"}, {3, "Linked to Src"}};
constexpr EnumerationChoice kChargerStatusCommand[] = {
    {0, "Disable"}, {1, "Enable"}, {2, "Equalize"}};
constexpr EnumerationChoice kDumpMode[] = {{0, "Manual"}, {1, "Automatic"}, {2, "Auto w/Additive"}};
constexpr EnumerationChoice kDumpCommand[] = {{0, "Close Valve"},       {1, "Open Valve"},
                                              {2, "Stop Flush"},        {3, "Start Flush"},
                                              {4, "Dispense Additive"}, {5, "Start Dump Cycle"}};
constexpr EnumerationChoice kAutoDumpCommand[] = {
    {0, "Manual"}, {1, "Automatic"}, {2, "Auto w/Additive"}};
constexpr EnumerationChoice kAltimeterCommand[] = {{0, "Set to Sea Lvl"},
                                                   {1, "Set Comp Prsr"},
                                                   {2, "Set Basis Prsr"},
                                                   {3, "Inc Basis Prsr"},
                                                   {4, "Dec Basis Prsr"}};
constexpr EnumerationChoice kCompassCommand[] = {
    {0, "Start Calibration"}, {1, "Set Offset"}, {2, "Inc Offset"}, {3, "Dec Offset"}};
constexpr EnumerationChoice kTirePressureStatus[] = {
    {0, "Ok"}, {1, "Ext. Low"}, {2, "Low"}, {3, "High"}, {4, "Ext. High"}};
constexpr EnumerationChoice kTireTemperatureStatus[] = {{0, "Ok"}, {1, "Ext. High"}, {2, "High"}};
constexpr EnumerationChoice kLockExtraAction[] = {
    {0, "No Action"}, {1, "Open/Ext Door"}, {2, "Close/Ret Door"}};
constexpr EnumerationChoice kDCGeneratorOutputCommand[] = {
    {0, "Disable DC Gen"}, {1, "Enable DC Gen"}, {2, "Start Equalize"}};
constexpr EnumerationChoice kSolarCommand[] = {
    {0, "Disable"}, {1, "Enable"}, {2, "Start Equalize"}, {3, "Top-Up Battery"}};
constexpr EnumerationChoice kDomePosition[] = {
    {0, "Closed"}, {1, "1/4 Open"}, {2, "1/2 Open"}, {3, "3/4 Open"}, {4, "Open"}};
constexpr EnumerationChoice kTVLiftMotion[] = {{0, "No Motion"}, {1, "Deploying"}, {2, "Storing"}};
constexpr EnumerationChoice kTVLiftMotionCommand[] = {{0, "Stop"}, {1, "Deploy"}, {2, "Store"}};
constexpr EnumerationChoice kMonth[] = {{1, "January"},  {2, "February"},  {3, "March"},
                                        {4, "April"},    {5, "May"},       {6, "June"},
                                        {7, "July"},     {8, "August"},    {9, "September"},
                                        {10, "October"}, {11, "November"}, {12, "December"}};
constexpr EnumerationChoice kStackMode[] = {
    {0, "Standalone"},  {1, "Master"},      {2, "Slave"},       {3, "L2 Master"},
    {4, "L1 Master"},   {5, "L2 Slave"},    {6, "L1 Slave"},    {7, "Phs1 Master"},
    {8, "Phs2 Master"}, {9, "Phs3 Master"}, {10, "Phs1 Slave"}, {11, "Phs2 Slave"},
    {12, "Phs3 Slave"}};
constexpr EnumerationChoice kACOpMode[] = {{0, "Auto"}, {1, "Manual"}};
constexpr EnumerationChoice kACVoltageFault[] = {
    {0, "Ok"},           {1, "Extreme Lo V"}, {2, "Low Voltage"}, {3, "High Voltage"},
    {4, "Extreme Hi V"}, {5, "Open Line 1"},  {6, "Open Line 2"}};
constexpr EnumerationChoice kQualificationStatus[] = {
    {0, "No AC Present"}, {1, "AC Bad"}, {2, "Waiting"}, {3, "Qualifying"}, {4, "AC Good"}};
constexpr EnumerationChoice kOpeningClosing[] = {{0, "No Motion"}, {1, "Opening"}, {2, "Closing"}};
constexpr EnumerationChoice kMotorCommand[] = {
    {4, "Stop"},     {16, "Tilt"},           {33, "Lock"},     {34, "Unlock"},
    {65, "Reverse"}, {69, "Toggle Reverse"}, {129, "Forward"}, {133, "Toggle Forward"}};
constexpr EnumerationChoice kLoadCommand[] = {
    {0, "Set Level"}, {1, "Set On"},       {2, "Delayed On"},      {3, "Set Off"},
    {4, "Stop"},      {5, "Toggle"},       {6, "Store + Off"},     {33, "Lock"},
    {34, "Unlock"},   {49, "Start Flash"}, {50, "Flash Momentary"}};
constexpr EnumerationChoice kDimmerCommand[] = {
    {0, "Set Level"},    {1, "Set On"},   {2, "Delayed On"},   {3, "Set Off"},
    {4, "Stop"},         {5, "Toggle"},   {6, "Store + Off"},  {17, "Ramp Level"},
    {18, "Ramp Toggle"}, {19, "Ramp Up"}, {20, "Ramp Down"},   {21, "Ramp UpDown"},
    {33, "Lock"},        {34, "Unlock"},  {49, "Start Flash"}, {50, "Flash Momentary"}};
constexpr EnumerationChoice kGenIndCommand[] = {
    {0, "Set Brightness"}, {1, "Off-Off"},        {2, "On-Off"}, {3, "Off-On"},
    {4, "On-On"},          {17, "Ramp to Level"}, {51, "Flash"}};
constexpr EnumerationChoice kChargeAlgorithm[] = {
    {0, "Const Voltage"}, {1, "Const Current"}, {2, "3-Stage"},    {3, "2-Stage"},
    {4, "Trickle"},       {249, "Custom #2"},   {250, "Custom #1"}};
constexpr EnumerationChoice kPreHeatStatus[] = {
    {0, "Off"}, {1, "On"}, {2, "Forced On"}, {5, "Test"}};
constexpr EnumerationChoice kWaterHeaterCommand[] = {
    {0, "ElecLo On"},     {1, "ElecLo Off"},   {2, "ElecLo Togl"}, {3, "ElecHi On"},
    {4, "ElecHi Off"},    {5, "ElecHi Togl"},  {6, "Burner On"},   {7, "Burner Off"},
    {8, "Burner Togl"},   {9, "Elec Incr"},    {10, "Elec Decr"},  {11, "ElLoTestTogl"},
    {12, "ElHiTestTogl"}, {13, "BrnrTestTogl"}};
constexpr EnumerationChoice kEntryStepMode[] = {
    {0, "User Switch"}, {1, "Door Switch"}, {2, "Keep Extended"}};
constexpr EnumerationChoice kCANProtocol[] = {{0, "RV-C"}, {1, "SAE J1939"}, {2, "NMEA 2000"}};
constexpr EnumerationChoice kCANBitRate[] = {
    {0, "125 kbps"}, {1, "250 kbps"}, {2, "500 kbps"}, {3, "1 Mbps"}};
constexpr EnumerationChoice kCANTermination[] = {{0, "No Termination"}, {1, "UnderTerminated"},
                                                 {2, "Good"},           {3, "OverTerminated"},
                                                 {4, "Bus Short"},      {5, "Unknown Fault"}};
constexpr EnumerationChoice kReferFuelSource[] = {{0, "LP Gas"}, {1, "DC"}, {2, "AC"}};
constexpr EnumerationChoice kReferOpMode[] = {
    {0, "Off"}, {1, "On"}, {2, "Night Mode"}, {3, "Eco Mode"}, {4, "Freezer"}};
constexpr EnumerationChoice kDCSourceFunction[] = {
    {0, "None/Invalid"}, {1, "Source"}, {2, "Load"}, {3, "Bridge"}, {4, "Main Cutoff"}};
constexpr EnumerationChoice kDriverShutdown[] = {
    {0, "Not Shut Down"}, {1, "Over Current"},   {2, "Short Circuit"}, {3, "Over Voltage"},
    {4, "Under Voltage"}, {5, "Under Current"},  {6, "Over Temp"},     {7, "HW Disabled"},
    {8, "Driver Fault"},  {9, "Over MaxOnTime"}, {10, "Recovering"},   {11, "Drvr Supply Lost"}};
constexpr EnumerationChoice kDriverTempWarning[] = {
    {0, "Temp Ok"}, {1, "Temp Warning"}, {2, "Temp Shutdown"}};
constexpr EnumerationChoice kDriverType[] = {
    {0, "High-Side"}, {1, "Low-Side"}, {2, "H-Bridge"}, {3, "Half-Bridge"}, {4, "Breaker"}};
constexpr EnumerationChoice kDriverCommand[] = {
    {1, "Reset Driver"},   {2, "Force Off"},       {3, "Force On"},      {4, "Enter Diag Mode"},
    {5, "Exit Diag Mode"}, {6, "Reset Stats 3"},   {7, "Reset Stats 4"}, {8, "Reset Stats 5"},
    {9, "Reset OverCurr"}, {10, "Reset OverTemp"}, {11, "Reset Voltage"}};
constexpr EnumerationChoice kNakCode[] = {{0, "ACK"},
                                          {1, "NAK"},
                                          {2, "NAK:Bad Source"},
                                          {3, "NAK:Conditions"},
                                          {4, "NAK:Bad Format"},
                                          {5, "NAK:OutOfRange"},
                                          {6, "NAK:Security"},
                                          {7, "NAK:MoreTime"},
                                          {8, "NAK:UserOvride"},
                                          {9, "NAK:DevNotAvail"}};
constexpr EnumerationChoice kWirelessConnectionType[] = {
    {0, "Off"},    {1, "Bluetooth LE"},     {2, "Wifi"},
    {3, "Thread"}, {4, "Bluetooth"},        {5, "Ethernet"},
    {6, "MODnet"}, {60, "Unspec.Wireless"}, {61, "Unspec.Wired"}};
constexpr EnumerationChoice kWirelessPairingInitiatorStatus[] = {
    {0, "Not Found"}, {1, "Found-NoPair"}, {2, "Pairing Rqstd"}, {3, "In Progress"},
    {4, "Paired"},    {128, "Suspended"},  {129, "Rejected"}};
constexpr EnumerationChoice kWirelessInitiatorLastCmd[] = {
    {0, "Cancel Pairing"}, {1, "Begin Pairing"},  {2, "Reset Pairing"}, {128, "Suspend Cnxn"},
    {129, "Reject Cnxn"},  {130, "Restore Cnxn"}, {131, "Reset Cnxn"}};
constexpr EnumerationChoice kWirelessPairingInitiatorCommand[] = {
    {0, "Cancel"}, {1, "Begin Request"}, {2, "Reset"}};
constexpr EnumerationChoice kWirelessPairingResponderStatus[] = {
    {0, "No Requests"}, {1, "Rqst Rcvd"},   {2, "In Progress"},
    {3, "Paired"},      {128, "Suspended"}, {129, "Rejected"}};
constexpr EnumerationChoice kWirelessPairingResponderCommand[] = {
    {0, "Reject Request"}, {1, "Accept Request"}, {2, "Reset"}};
constexpr EnumerationChoice kWirelessResponderLastCmd[] = {
    {0, "Reset Pairing"}, {1, "Accept Pairing"}, {2, "Reject Pairing"},
    {3, "Make Hidden"},   {4, "Make Visible"},   {128, "Suspend Cnxn"},
    {129, "Reject Cnxn"}, {130, "Restore Cnxn"}, {131, "Reset Cnxn"}};
constexpr EnumerationChoice kLoadDirection[] = {
    {0, "Not Driven"}, {1, "Driving Hi"}, {2, "Driving Lo"}};
constexpr EnumerationChoice kDeratingCause[] = {{0, "Not Derating"},    {1, "Hi Internal Temp"},
                                                {2, "Hi Battery Temp"}, {3, "Battery Voltage"},
                                                {4, "AC In Voltage"},   {5, "AC In Current"}};
constexpr EnumerationChoice kACCompressorSts[] = {
    {0, "Off"}, {1, "PreStart"}, {2, "Starting"}, {3, "Running"}};
constexpr EnumerationChoice kACComponentMode[] = {{0, "Frwd/Cool"}, {1, "Rvrs/Heat"}};
constexpr EnumerationChoice kACComponentState[] = {
    {0, "Off"},        {1, "Start Delay"}, {2, "In Startup"}, {3, "Running"},
    {4, "Stop Delay"}, {5, "In Shutdown"}, {6, "Halted"},     {7, "Faulted"}};
constexpr EnumerationChoice kExtremeUnderOver[] = {
    {0, "Normal"}, {1, "Extreme Lo"}, {2, "Low"}, {3, "High"}, {4, "Extreme Hi"}};
constexpr EnumerationChoice kAwningInputFctn[] = {
    {0, "Disabled"},      {1, "Active Lo"},   {2, "Active Hi"},  {3, "Actv Hi-Lo"},
    {4, "Actv Floating"}, {5, "Actv Flt-Lo"}, {6, "Actv Flt-Hi"}};
constexpr EnumerationChoice kRGBWColorFadeMode[] = {
    {0, "Solid Color"},  {1, "Red Fade"},     {2, "Green Fade"},       {3, "Blue Fade"},
    {4, "4 Color Fade"}, {7, "7 Color Fade"}, {8, "Custom Color Fade"}};
constexpr EnumerationChoice kRGBWColorChasingPattern[] = {
    {0, "Dots"},     {1, "Stripes"},      {2, "Custom Stripes"}, {3, "Rainbow"}, {4, "Comet"},
    {5, "Stacking"}, {6, "Rainbow Dots"}, {7, "Wave"},           {8, "Wiping"}};
constexpr EnumerationChoice kRGBWColorChasingDirection[] = {
    {0, "Not Moving"}, {1, "Away"}, {2, "Towards"}};
constexpr EnumerationChoice kRGBWFadeType[] = {{0, "Blend"}, {1, "Dim"}};
constexpr EnumerationChoice kRGBWOutputControlType[] = {
    {0, "RGB Output Control"},
    {1, "RGBW Output Control"},
    {2, "ARGB Output Control"},
    {3, "RGB Color temperature Tuning control"},
    {4, "RGBW Color Temperature Tuning control uses RGB"},
    {5, "Single output PWM control"},
    {6, "Relay Control"}};
constexpr EnumerationChoice kDesiredLoadState[] = {
    {0, "Normal Operation"}, {1, "Stop/Reduce All"}, {2, "Stop Non-Critical"}};
constexpr EnumerationChoice kSmoothingMethod[] = {
    {0, "No Smoothing"}, {1, "Expo Moving Ave"}, {2, "Boxcar"}};
constexpr EnumerationChoice kChargeDischargeState[] = {
    {0, "Unknown State"}, {1, "Discharge Active"}, {2, "Charge Active"}, {3, "Fully Charged"}};
constexpr EnumerationChoice kTempSensorLocation[] = {{0, "External"}, {1, "Integrated"}};
constexpr EnumerationChoice kSubnetID[] = {{0, "Direct"},   {1, "Subnet 1"}, {2, "Subnet 2"},
                                           {3, "Subnet 3"}, {4, "Subnet 4"}, {5, "Subnet 5"}};
constexpr EnumerationChoice kConnSts[] = {{0, "Terminated"}, {1, "Disconnected"}, {2, "Connected"}};
constexpr EnumerationChoice kBrokerTestCommand[] = {{0, "Ping"}};
constexpr EnumerationChoice kBrokerDiscCommand[] = {
    {0, "Reject All"},  {1, "Reject Specific"},  {2, "Suspend All"}, {3, "Suspend Specific"},
    {4, "Restore All"}, {5, "Restore Specific"}, {6, "Reset All"},   {7, "Reset Specific"}};
constexpr EnumerationChoice kAuthDurationUnit[] = {{0, "Until Revoked"}, {1, "Min"},  {2, "Hour"},
                                                   {3, "Day"},           {4, "Week"}, {5, "Month"}};
constexpr EnumerationChoice kSecurityApprovalUnit[] = {
    {0, "All Denied"}, {1, "All Approved"}, {2, "Some Denied"}};
constexpr EnumerationChoice kRevisionType[] = {
    {0, "Hardware"}, {1, "Firmware"}, {2, "Configuration"}};
constexpr EnumerationChoice kDayOfWeek[] = {{1, "Sunday"},    {2, "Monday"},   {3, "Tuesday"},
                                            {4, "Wednesday"}, {5, "Thursday"}, {6, "Friday"},
                                            {7, "Saturday"}};
constexpr EnumerationChoice kAGSCritType[] = {
    {0, "DC Voltage"},     {1, "DC SoC"},     {2, "DC Current"}, {3, "Ambient Temp"},
    {4, "ATS AC Voltage"}, {5, "Quiet Time"}, {6, "Timed Start"}};
constexpr EnumerationChoice kWirelessBatteryStatus[] = {
    {0, "Ok"}, {1, "Low"}, {2, "Extremely Low"}};
constexpr EnumerationChoice kExtendRetract[] = {{0, "Stop"}, {1, "Extend"}, {2, "Retract"}};
constexpr EnumerationChoice kThermOpMode[] = {{1, "Cool"},      {2, "Heat"},
                                              {3, "Heat/Cool"}, {4, "Fan Only"},
                                              {5, "Aux Heat"},  {6, "Wndw Def/Defog"}};
constexpr EnumerationChoice kACPhase[] = {{0, "No Comp Leg"},
                                          {1, "In Phase"},
                                          {2,
                                           "180\xF8"
                                           " Phase"},
                                          {3, "Variable"}};
constexpr EnumerationChoice kChargerState[] = {
    {0, "Undefined"},  {1, "Do Not Charge"}, {2, "Bulk"},  {3, "Absorption"},
    {4, "Overcharge"}, {5, "Equalize"},      {6, "Float"}, {7, "Const V/Const A"}};
constexpr EnumerationChoice kDCChargeState[] = {
    {0, "Default"},    {1, "Do Not Charge"}, {2, "Bulk"},  {3, "Absorption"},
    {4, "Overcharge"}, {5, "Equalize"},      {6, "Float"}, {7, "Const V/A"}};
constexpr EnumerationChoice kBatteryType[] = {{0, "Flooded"},      {1, "Gel"},
                                              {2, "AGM"},          {3, "Li-Fe-Phos"},
                                              {12, "Vendor [12]"}, {13, "Vendor [13]"}};
constexpr EnumerationChoice kForceCharge[] = {
    {0, "Not Forced"}, {1, "Force to Bulk"}, {2, "Force to Float"}};

constexpr EnumerationTable kEnumerationTables[] = {
    {"ValueMakerTurnSignalStatus", 4, kTurnSignalStatus},
    {"ValueMakerGensetType", 8, kGensetType},
    {"ValueMakerAutoFillLastOp", 4, kAutoFillLastOp},
    {"ValueMakerWaterHeaterOpMode", 8, kWaterHeaterOpMode},
    {"ValueMakerGasSensorType", 8, kGasSensorType},
    {"ValueMakerWaterHeaterEnginePreheat", 4, kWaterHeaterEnginePreheat},
    {"ValueMakerAASOpMode", 4, kAASOpMode},
    {"ValueMakerLevelingOpModeCmd", 8, kLevelingOpModeCmd},
    {"ValueMakerJackType", 4, kJackType},
    {"ValueMakerHeatSource", 6, kHeatSource},
    {"ValueMakerGenStatus", 8, kGenStatus},
    {"ValueMakerGenCommand", 8, kGenCommand},
    {"ValueMakerInverterStatus", 8, kInverterStatus},
    {"ValueMakerChargerMode", 8, kChargerMode},
    {"ValueMakerChargerStatusCommand", 8, kChargerStatusCommand},
    {"ValueMakerDumpMode", 4, kDumpMode},
    {"ValueMakerDumpCommand", 8, kDumpCommand},
    {"ValueMakerAutoDumpCommand", 8, kAutoDumpCommand},
    {"ValueMakerAltimeterCommand", 8, kAltimeterCommand},
    {"ValueMakerCompassCommand", 8, kCompassCommand},
    {"ValueMakerTirePressureStatus", 3, kTirePressureStatus},
    {"ValueMakerTireTemperatureStatus", 3, kTireTemperatureStatus},
    {"ValueMakerLockExtraAction", 8, kLockExtraAction},
    {"ValueMakerDCGeneratorOutputCommand", 8, kDCGeneratorOutputCommand},
    {"ValueMakerSolarCommand", 8, kSolarCommand},
    {"ValueMakerDomePosition", 4, kDomePosition},
    {"ValueMakerTVLiftMotion", 8, kTVLiftMotion},
    {"ValueMakerTVLiftMotionCommand", 8, kTVLiftMotionCommand},
    {"ValueMakerMonth", 8, kMonth},
    {"ValueMakerStackMode", 8, kStackMode},
    {"ValueMakerACOpMode", 8, kACOpMode},
    {"ValueMakerACVoltageFault", 8, kACVoltageFault},
    {"ValueMakerQualificationStatus", 8, kQualificationStatus},
    {"ValueMakerOpeningClosing", 8, kOpeningClosing},
    {"ValueMakerMotorCommand", 8, kMotorCommand},
    {"ValueMakerLoadCommand", 8, kLoadCommand},
    {"ValueMakerDimmerCommand", 8, kDimmerCommand},
    {"ValueMakerGenIndCommand", 8, kGenIndCommand},
    {"ValueMakerChargeAlgorithm", 8, kChargeAlgorithm},
    {"ValueMakerPreHeatStatus", 4, kPreHeatStatus},
    {"ValueMakerWaterHeaterCommand", 8, kWaterHeaterCommand},
    {"ValueMakerEntryStepMode", 8, kEntryStepMode},
    {"ValueMakerCANProtocol", 4, kCANProtocol},
    {"ValueMakerCANBitRate", 4, kCANBitRate},
    {"ValueMakerCANTermination", 4, kCANTermination},
    {"ValueMakerReferFuelSource", 4, kReferFuelSource},
    {"ValueMakerReferOpMode", 4, kReferOpMode},
    {"ValueMakerDCSourceFunction", 4, kDCSourceFunction},
    {"ValueMakerDriverShutdown", 4, kDriverShutdown},
    {"ValueMakerDriverTempWarning", 4, kDriverTempWarning},
    {"ValueMakerDriverType", 4, kDriverType},
    {"ValueMakerDriverCommand", 8, kDriverCommand},
    {"ValueMakerNakCode", 8, kNakCode},
    {"ValueMakerWirelessConnectionType", 6, kWirelessConnectionType},
    {"ValueMakerWirelessPairingInitiatorStatus", 8, kWirelessPairingInitiatorStatus},
    {"ValueMakerWirelessInitiatorLastCmd", 8, kWirelessInitiatorLastCmd},
    {"ValueMakerWirelessPairingInitiatorCommand", 8, kWirelessPairingInitiatorCommand},
    {"ValueMakerWirelessPairingResponderStatus", 8, kWirelessPairingResponderStatus},
    {"ValueMakerWirelessPairingResponderCommand", 8, kWirelessPairingResponderCommand},
    {"ValueMakerWirelessResponderLastCmd", 8, kWirelessResponderLastCmd},
    {"ValueMakerLoadDirection", 4, kLoadDirection},
    {"ValueMakerDeratingCause", 8, kDeratingCause},
    {"ValueMakerACCompressorSts", 4, kACCompressorSts},
    {"ValueMakerACComponentMode", 4, kACComponentMode},
    {"ValueMakerACComponentState", 4, kACComponentState},
    {"ValueMakerExtremeUnderOver", 3, kExtremeUnderOver},
    {"ValueMakerAwningInputFctn", 4, kAwningInputFctn},
    {"ValueMakerRGBWColorFadeMode", 4, kRGBWColorFadeMode},
    {"ValueMakerRGBWColorChasingPattern", 8, kRGBWColorChasingPattern},
    {"ValueMakerRGBWColorChasingDirection", 8, kRGBWColorChasingDirection},
    {"ValueMakerRGBWFadeType", 8, kRGBWFadeType},
    {"ValueMakerRGBWOutputControlType", 8, kRGBWOutputControlType},
    {"ValueMakerDesiredLoadState", 8, kDesiredLoadState},
    {"ValueMakerSmoothingMethod", 4, kSmoothingMethod},
    {"ValueMakerChargeDischargeState", 4, kChargeDischargeState},
    {"ValueMakerTempSensorLocation", 4, kTempSensorLocation},
    {"ValueMakerSubnetID", 3, kSubnetID},
    {"ValueMakerConnSts", 3, kConnSts},
    {"ValueMakerBrokerTestCommand", 8, kBrokerTestCommand},
    {"ValueMakerBrokerDiscCommand", 8, kBrokerDiscCommand},
    {"ValueMakerAuthDurationUnit", 4, kAuthDurationUnit},
    {"ValueMakerSecurityApprovalUnit", 4, kSecurityApprovalUnit},
    {"ValueMakerRevisionType", 3, kRevisionType},
    {"ValueMakerDayOfWeek", 8, kDayOfWeek},
    {"ValueMakerAGSCritType", 8, kAGSCritType},
    {"ValueMakerWirelessBatteryStatus", 3, kWirelessBatteryStatus},
    {"ValueMakerExtendRetract", 8, kExtendRetract},
    {"ValueMakerThermOpMode", 4, kThermOpMode},
    {"ValueMakerACPhase", 4, kACPhase},
    {"ValueMakerChargerState", 8, kChargerState},
    {"ValueMakerDCChargeState", 8, kDCChargeState},
    {"ValueMakerBatteryType", 4, kBatteryType},
    {"ValueMakerForceCharge", 4, kForceCharge}};

}  // namespace

std::span<const EnumerationTable> EnumerationTables() {
  return kEnumerationTables;
}

}  // namespace vlt::values
