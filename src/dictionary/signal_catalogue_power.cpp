// Signal catalogue, power: DC sources and batteries, chargers, solar charge controllers,
// DC generators, and the AC and DC loads, dimmers and indicators.
//
// One block per status DGN, headed by its name and the command DGN that sets
// its signals; each row gives kind, name, status DGN, command DGN, value
// maker, position (byte; then bit and width for bit fields) and label.
#include "dictionary/signal_catalogue_parts.h"

namespace vlt::dictionary::catalogue {

namespace {

// clang-format off
constexpr EntryRow kRows[] = {
    // 1FFFD DC_SOURCE_STS_1
    {kWord, "dcDC_Voltage", 0x1FFFD, 0, kVdc,    {2}, L4},
    {kUint, "dcDC_Current", 0x1FFFD, 0, kAmps32, {4}, L4},

    // 1FFFC DC_SOURCE_STS_2
    {kWord, "dcDC_Temp",     0x1FFFC, 0, kTempF,                      {2},    L4},
    {kByte, "dcAbsSOC",      0x1FFFC, 0, kPct,                        {4},    L4},
    {kWord, "dcTimeRmng",    0x1FFFC, 0, kMinWord,                    {5},    L4},
    {kFlag, "dcTimeRmngDir", 0x1FFFC, 0, Flag("To Empty", "To Full"), {7, 0}, L4},

    // 1FFFB DC_SOURCE_STS_3
    {kByte, "dcHealth",   0x1FFFB, 0, kPct,        {2}, L4},
    {kWord, "dcCap_Rmng", 0x1FFFB, 0, kAhWord,     {3}, L4},
    {kByte, "dcRelSOC",   0x1FFFB, 0, kPct,        {5}, L4},
    {kWord, "dcRipple",   0x1FFFB, 0, kMilliVolts, {6}, L4},

    // 1FED0 DC_DISCONNECT_STS, set through 1FECF
    EntryRow{kFlag, "ddCircuit_Sts",     0x1FED0, 0x1FECF, kDisconnectedConnected, {1, 0}, L1}.Identifier(0x6504),
    {kFlag,         "ddLast_Command",    0x1FED0, 0x1FECF, kDisconnectConnect,     {1, 2}, L1},
    {kFlag,         "ddBypass_Detected", 0x1FED0, 0x1FECF, kNormalBypass,          {1, 4}, L1},

    // 1FEC9 DC_SOURCE_STS_4
    {kByte, "dcDesired_Chrg", 0x1FEC9, 0, kDCChargeState, {2},       L4},
    {kWord, "dcDesired_Volt", 0x1FEC9, 0, kVdc,           {3},       L4},
    {kWord, "dcDesired_Curr", 0x1FEC9, 0, kAdc,           {5},       L4},
    {kBits, "dcBatt_Type",    0x1FEC9, 0, kBatteryType,   {7, 0, 4}, L4},

    // 1FEC8 DC_SOURCE_STS_5
    {kUint, "dcHiPrecsnVoltage", 0x1FEC8, 0, kVdcMilli32, {2}, L4},
    {kWord, "dcRateOfCharge",    0x1FEC8, 0, kVoltRate,   {6}, L4},

    // 1FEC7 DC_SOURCE_STS_6
    {kFlag, "dcHiVoltLimSts",  0x1FEC7, 0, kNotReachedReached,     {2, 0}, L4},
    {kFlag, "dcHiVoltDiscSts", 0x1FEC7, 0, kConnectedDisconnected, {2, 2}, L4},
    {kFlag, "dcLoVoltLimSts",  0x1FEC7, 0, kNotReachedReached,     {2, 4}, L4},
    {kFlag, "dcLoVoltDiscSts", 0x1FEC7, 0, kConnectedDisconnected, {2, 6}, L4},
    {kFlag, "dcSOCLimSts",     0x1FEC7, 0, kNotReachedReached,     {3, 0}, L4},
    {kFlag, "dcSOCDiscSts",    0x1FEC7, 0, kConnectedDisconnected, {3, 2}, L4},
    {kFlag, "dcLoTempLimSts",  0x1FEC7, 0, kNotReachedReached,     {3, 4}, L4},
    {kFlag, "dcLoTempDiscSts", 0x1FEC7, 0, kConnectedDisconnected, {3, 6}, L4},
    {kFlag, "dcHiTempLimSts",  0x1FEC7, 0, kNotReachedReached,     {4, 0}, L4},
    {kFlag, "dcHiTempDiscSts", 0x1FEC7, 0, kConnectedDisconnected, {4, 2}, L4},
    {kFlag, "dcHiCurrLimSts",  0x1FEC7, 0, kNotReachedReached,     {4, 4}, L4},
    {kFlag, "dcHiCurrDiscSts", 0x1FEC7, 0, kConnectedDisconnected, {4, 6}, L4},

    // 1FEAC DC_SOURCE_STS_7
    {kWord, "dcInputToday",  0x1FEAC, 0, kAmpHours, {2}, L4},
    {kWord, "dcOutputToday", 0x1FEAC, 0, kAmpHours, {4}, L4},

    // 1FEAB DC_SOURCE_STS_8
    {kWord, "dcInputYesterday",  0x1FEAB, 0, kAmpHours, {2}, L4},
    {kWord, "dcOutputYesterday", 0x1FEAB, 0, kAmpHours, {4}, L4},

    // 1FEAA DC_SOURCE_STS_9
    {kWord, "dcInputDayB4Yday",  0x1FEAA, 0, kAmpHours, {2}, L4},
    {kWord, "dcOutputDayB4Yday", 0x1FEAA, 0, kAmpHours, {4}, L4},

    // 1FEA9 DC_SOURCE_STS_10
    {kWord, "dcInputSevenDay",  0x1FEA9, 0, kAmpHours, {2}, L4},
    {kWord, "dcOutputSevenDay", 0x1FEA9, 0, kAmpHours, {4}, L4},

    // 1FEA5 DC_SOURCE_STS_11, set through 1FEA4
    {kFlag, "dcPowerStatus",     0x1FEA5, 0x1FEA4, kOffOn,                 {2, 0}, L4},
    {kFlag, "dcChargeBusStatus", 0x1FEA5, 0x1FEA4, kDisconnectedConnected, {2, 2}, L4},
    {kFlag, "dcChargeDetected",  0x1FEA5, 0x1FEA4, kNoYes,                 {2, 4}, L4},
    {kFlag, "dcReserveStatus",   0x1FEA5, 0x1FEA4, kOkLow,                 {2, 6}, L4},
    {kWord, "dcFullCapacity",    0x1FEA5, 0x1FEA4, kAhWord,                {3},    L4},
    {kWord, "dcPowerInOut",      0x1FEA5, 0x1FEA4, kSignedWatts,           {5},    L4},

    // 1FDF8 DC_SOURCE_STS_12
    {kWord, "dcCycles",       0x1FDF8, 0, kU16,      {2}, L4},
    {kWord, "dcMaxDischarge", 0x1FDF8, 0, kAmpHours, {4}, L4},
    {kWord, "dcAveDischarge", 0x1FDF8, 0, kAmpHours, {6}, L4},

    // 1FDF7 DC_SOURCE_CONFIG_STS_1, set through 1FDF6
    {kByte, "dcPeukertExpnt",  0x1FDF7, 0x1FDF6, kPeukert,         {1}, L1},
    {kByte, "dcTempCoeffcnt",  0x1FDF7, 0x1FDF6, kTempCoefficient, {2}, L1},
    {kByte, "dcChgEffcyFctr",  0x1FDF7, 0x1FDF6, kPct,             {3}, L1},
    {kByte, "dcAveragingFltr", 0x1FDF7, 0x1FDF6, kSecByte,         {4}, L1},
    {kWord, "dcFullCapacity",  0x1FDF7, 0x1FDF6, kAhWord,          {5}, L1},
    {kByte, "dcTailCurrent",   0x1FDF7, 0x1FDF6, kAdcByte,         {7}, L1},

    // 1FDF5 DC_SOURCE_CONFIG_STS_2, set through 1FDF4
    {kWord, "dcChargedVoltage",  0x1FDF5, 0x1FDF4, kVdc,         {1},       L1},
    {kWord, "dcShuntRatingVltg", 0x1FDF5, 0x1FDF4, kMilliVolts,  {3},       L1},
    {kWord, "dcShuntRatingCurr", 0x1FDF5, 0x1FDF4, kAmpsWord,    {5},       L1},
    {kBits, "BatteryType",       0x1FDF5, 0x1FDF4, kBatteryType, {7, 0, 4}, L1},

    // 1FDF4 DC_SOURCE_CONFIG_CMD_2
    {kFlag, "DCClearHistoryCmd",   0x1FDF4, 0, kNoActionClearHistory, {1, 0}, L1},
    {kFlag, "DCResetSOCtoFull",    0x1FDF4, 0, kNoActionActivate,     {1, 2}, L1},
    {kFlag, "DCResetHealthToFull", 0x1FDF4, 0, kNoActionActivate,     {1, 4}, L1},

    // 1FDE7 DC_SOURCE_STS_13
    {kWord, "dcLowestVltg",  0x1FDE7, 0, kVdcMilli, {2}, L4},
    {kWord, "dcHighestVltg", 0x1FDE7, 0, kVdcMilli, {4}, L4},

    // 1FDDE DC_SOURCE_CONFIG_CMD_3
    {kBits, "DCDeviceFunction",     0x1FDDE, 0, kDCSourceFunction, {2, 0, 4}, L4},
    {kByte, "DCPrimaryInstance",    0x1FDDE, 0, kU8,               {3},       L4},
    {kByte, "DCSecondaryInstance",  0x1FDDE, 0, kU8,               {4},       L4},
    {kBits, "dcsDeviceFunction",    0x1FDDE, 0, kDCSourceFunction, {2, 0, 4}, L4},
    {kByte, "dcsPrimaryInstance",   0x1FDDE, 0, kU8,               {3},       L4},
    {kByte, "dcsSecondaryInstance", 0x1FDDE, 0, kU8,               {4},       L4},

    // 1FDA9 (unnamed) DC source load control
    {kByte, "dcDesiredLoadState",  0x1FDA9, 0, kDesiredLoadState, {2}, L4},
    {kWord, "dcDesiredMinVolts",   0x1FDA9, 0, kVdc,              {3}, L4},
    {kWord, "dcDesiredMaxCurrent", 0x1FDA9, 0, kAdc,              {5}, L4},

    // 1FDA6 (unnamed) DC source configuration 4, set through 1FDA7
    {kWord, "dcSOCFullSynchTime",  0x1FDA6, 0x1FDA7, kMinWord,         {1},       L1},
    {kByte, "dcStdDepthOfCharge",  0x1FDA6, 0x1FDA7, kPct,             {3},       L1},
    {kBits, "dcCurrSmthngMethod",  0x1FDA6, 0x1FDA7, kSmoothingMethod, {4, 0, 4}, L1},
    {kBits, "dcVoltSmthngMethod",  0x1FDA6, 0x1FDA7, kSmoothingMethod, {4, 4, 4}, L1},
    {kByte, "dcCurrSmthngPeriod",  0x1FDA6, 0x1FDA7, kSecByte,         {5},       L1},
    {kByte, "dcVoltSmthngPeriod",  0x1FDA6, 0x1FDA7, kSecByte,         {6},       L1},
    {kByte, "dcMinChrgDschrgCycl", 0x1FDA6, 0x1FDA7, kPct,             {7},       L1},

    // 1FDA5 (unnamed) DC source status 14
    {kUint, "dcCumDischarge",  0x1FDA5, 0, kAh32,   {2}, L4},
    {kWord, "dcLastDischarge", 0x1FDA5, 0, kAhWord, {6}, L4},

    // 1FDA4 (unnamed) DC source status 15
    {kUint, "dcCumCharge",  0x1FDA4, 0, kAh32,   {2}, L4},
    {kWord, "dcLastCharge", 0x1FDA4, 0, kAhWord, {6}, L4},

    // 1FDA3 (unnamed) DC source status 16
    {kWord, "dcChrgCyclsStarted", 0x1FDA3, 0, kU16, {2}, L4},
    {kWord, "dcChrgCyclsCompltd", 0x1FDA3, 0, kU16, {4}, L4},
    {kWord, "dcStndrdizedCycles", 0x1FDA3, 0, kU16, {6}, L4},

    // 1FDA2 (unnamed) DC source status 17
    {kWord, "dcTimeSinceFull",    0x1FDA2, 0, kMinWord,              {2},       L4},
    {kWord, "dcCurrCycleTime",    0x1FDA2, 0, kMinWord,              {4},       L4},
    {kBits, "dcChrgDischrgState", 0x1FDA2, 0, kChargeDischargeState, {6, 0, 4}, L4},

    // 1FE95 BATTERY_STS_1
    {kWord, "baBattVoltage", 0x1FE95, 0, kVdc,    {2}, L4},
    {kUint, "baBattCurrent", 0x1FE95, 0, kAmps32, {4}, L4},

    // 1FE94 BATTERY_STS_2
    {kWord, "baBattTemp",     0x1FE94, 0, kTempF,                      {2},    L4},
    {kByte, "baBattSOC",      0x1FE94, 0, kPct,                        {4},    L4},
    {kWord, "baBattTime",     0x1FE94, 0, kMinWord,                    {5},    L4},
    {kFlag, "baBattTimeGoal", 0x1FE94, 0, Flag("To Empty", "To Full"), {7, 0}, L4},

    // 1FE93 BATTERY_STS_3
    {kByte, "baBattHealth",  0x1FE93, 0, kPct,        {2}, L4},
    {kWord, "baBattCapRmng", 0x1FE93, 0, kAhWord,     {3}, L4},
    {kByte, "baBattRelCap",  0x1FE93, 0, kPct,        {5}, L4},
    {kWord, "baBattRipple",  0x1FE93, 0, kMilliVolts, {6}, L4},

    // 1FE92 BATTERY_STS_4
    {kByte, "baDesiredChrg", 0x1FE92, 0, kDCChargeState, {2},       L4},
    {kWord, "baDesiredVolt", 0x1FE92, 0, kVdc,           {3},       L4},
    {kWord, "baDesiredCurr", 0x1FE92, 0, kAdc,           {5},       L4},
    {kBits, "baBattType",    0x1FE92, 0, kBatteryType,   {7, 0, 4}, L4},

    // 1FE91 BATTERY_STS_5
    {kUint, "baHiPrecVoltage", 0x1FE91, 0, kVdcMilli32, {2}, L4},
    {kWord, "baChargeRate",    0x1FE91, 0, kVoltRate,   {6}, L4},

    // 1FE90 BATTERY_STS_6
    {kFlag, "baHiVoltLimSts",  0x1FE90, 0, kNotReachedReached,     {2, 0}, L4},
    {kFlag, "baHiVoltDiscSts", 0x1FE90, 0, kConnectedDisconnected, {2, 2}, L4},
    {kFlag, "baLoVoltLimSts",  0x1FE90, 0, kNotReachedReached,     {2, 4}, L4},
    {kFlag, "baLoVoltDiscSts", 0x1FE90, 0, kConnectedDisconnected, {2, 6}, L4},
    {kFlag, "baSOCLimSts",     0x1FE90, 0, kNotReachedReached,     {3, 0}, L4},
    {kFlag, "baSOCDiscSts",    0x1FE90, 0, kConnectedDisconnected, {3, 2}, L4},
    {kFlag, "baLoTempLimSts",  0x1FE90, 0, kNotReachedReached,     {3, 4}, L4},
    {kFlag, "baLoTempDiscSts", 0x1FE90, 0, kConnectedDisconnected, {3, 6}, L4},
    {kFlag, "baHiTempLimSts",  0x1FE90, 0, kNotReachedReached,     {4, 0}, L4},
    {kFlag, "baHiTempDiscSts", 0x1FE90, 0, kConnectedDisconnected, {4, 2}, L4},
    {kFlag, "baHiCurrLimSts",  0x1FE90, 0, kNotReachedReached,     {4, 4}, L4},
    {kFlag, "baHiCurrDiscSts", 0x1FE90, 0, kConnectedDisconnected, {4, 6}, L4},

    // 1FE8F BATTERY_STS_7
    {kWord, "baTodaysInput",  0x1FE8F, 0, kAmpHours, {2}, L4},
    {kWord, "baTodaysOutput", 0x1FE8F, 0, kAmpHours, {4}, L4},

    // 1FE8E BATTERY_STS_8
    {kWord, "baYstdysInput",  0x1FE8E, 0, kAmpHours, {2}, L4},
    {kWord, "baYstdysOutput", 0x1FE8E, 0, kAmpHours, {4}, L4},

    // 1FE8D BATTERY_STS_9
    {kWord, "baDayBfrInput",  0x1FE8D, 0, kAmpHours, {2}, L4},
    {kWord, "baDayBfrOutput", 0x1FE8D, 0, kAmpHours, {4}, L4},

    // 1FE8C BATTERY_STS_10
    {kWord, "baLast7DayInput",  0x1FE8C, 0, kAmpHours, {2}, L4},
    {kWord, "baLast7DayOutput", 0x1FE8C, 0, kAmpHours, {4}, L4},

    // 1FE8B BATTERY_STS_11
    {kFlag, "baDischargeSts",   0x1FE8B, 0, kOffOn,                 {2, 0}, L4},
    {kFlag, "baChargeBusSts",   0x1FE8B, 0, kDisconnectedConnected, {2, 2}, L4},
    {kFlag, "baChargeDetected", 0x1FE8B, 0, kNoYes,                 {2, 4}, L4},
    {kFlag, "baReserveStatus",  0x1FE8B, 0, kOkLow,                 {2, 6}, L4},
    {kWord, "baFullCapacity",   0x1FE8B, 0, kAhWord,                {3},    L4},
    {kWord, "baDCPower",        0x1FE8B, 0, kSignedWatts,           {5},    L4},

    // 1FE8A BATTERY_CMD
    {kFlag, "baLoadDisconnect",   0x1FE8A, 0, kConnectDisconnect,    {1, 0}, L1},
    {kFlag, "BAChargeDisconnect", 0x1FE8A, 0, kConnectDisconnect,    {1, 2}, L1},
    {kFlag, "BAClearHistory",     0x1FE8A, 0, kNoActionClearHistory, {1, 4}, L1},
    {kFlag, "BAQueryCellStatus",  0x1FE8A, 0, kNoActionActivate,     {1, 6}, L1},
    {kFlag, "BALoadDisconnect",   0x1FE8A, 0, kConnectDisconnect,    {1, 0}, L1},

    // 1FDF3 BATTERY_STS_12
    {kWord, "baCycles",       0x1FDF3, 0, kU16,      {2}, L4},
    {kWord, "baMaxDischarge", 0x1FDF3, 0, kAmpHours, {4}, L4},
    {kWord, "baAveDischarge", 0x1FDF3, 0, kAmpHours, {6}, L4},

    // 1FDF2 BATTERY_STS_13
    {kWord, "baLowestVltg",  0x1FDF2, 0, kVdcMilli, {2}, L4},
    {kWord, "baHighestVltg", 0x1FDF2, 0, kVdcMilli, {4}, L4},

    // 1FDF1 BATTERY_SUMMARY
    {kByte, "baSeriesString",   0x1FDF1, 0, kU8,               {2},       L4},
    {kByte, "baModuleCount",    0x1FDF1, 0, kU8,               {3},       L4},
    {kByte, "baCellsPerModule", 0x1FDF1, 0, kU8,               {4},       L4},
    {kByte, "BASeriesString",   0x1FDF1, 0, kU8,               {2},       L4},
    {kBits, "baVoltageSts",     0x1FDF1, 0, kExtremeUnderOver, {5, 0, 3}, L4},
    {kBits, "baTemperatureSts", 0x1FDF1, 0, kExtremeUnderOver, {5, 3, 3}, L4},

    // 1FDDD CELL_DETAIL
    {kFlag, "baCellBalancng", 0x1FDDD, 0, kInactiveActive, {3, 0}, L8},
    {kWord, "baCellVoltage",  0x1FDDD, 0, kVdcMilli,       {4},    L8},
    {kWord, "baCellTemp",     0x1FDDD, 0, kTempF,          {6},    L8},

    // 1FDA8 (unnamed) battery load control
    {kByte, "baDesiredLoadState",  0x1FDA8, 0, kDesiredLoadState, {2}, L4},
    {kWord, "baDesiredMinVolts",   0x1FDA8, 0, kVdc,              {3}, L4},
    {kWord, "baDesiredMaxCurrent", 0x1FDA8, 0, kAdc,              {5}, L4},

    // 1FEB3 SOLAR_CNTRLR_STS_1
    {kWord, "soChargeVoltage",    0x1FEB3, 0, kVdc,          {1}, L1},
    {kWord, "soChargeCurrent",    0x1FEB3, 0, kAdc,          {3}, L1},
    {kByte, "soChargeCurrentPct", 0x1FEB3, 0, kPct,          {5}, L1},
    {kByte, "soChargeState",      0x1FEB3, 0, kChargerState, {6}, L1},

    // 1FEB2 SOLAR_CNTRLR_CONFIG_STS, set through 1FEB0
    {kByte, "soChargeAlgorithm",   0x1FEB2, 0x1FEB0, kChargeAlgorithm,   {1},       L1},
    {kFlag, "soBattSensorPresent", 0x1FEB2, 0x1FEB0, kNoYes,             {3, 0},    L1},
    {kFlag, "soLinkageMode",       0x1FEB2, 0x1FEB0, kIndependentLinked, {3, 2},    L1},
    {kBits, "soBatteryType",       0x1FEB2, 0x1FEB0, kBatteryType,       {3, 4, 4}, L1},
    {kWord, "soBattBankSize",      0x1FEB2, 0x1FEB0, kAhWord,            {4},       L1},
    {kByte, "soMaxChrgCurrent",    0x1FEB2, 0x1FEB0, kAdcByte,           {7},       L1},

    // 1FEB1 SOLAR_CNTRLR_CMD
    {kByte, "SOSolarCommand",    0x1FEB1, 0, kSolarCommand,         {1},    L1},
    {kFlag, "SODefPowerUpState", 0x1FEB1, 0, kDisabledEnabled,      {2, 0}, L1},
    {kFlag, "SOClearHistory",    0x1FEB1, 0, kNoActionClearHistory, {2, 2}, L1},

    // 1FEAF SOLAR_EQUALIZATION_STS
    {kWord, "soEqTimeRemaining",   0x1FEAF, 0, kMinWord,        {1},    L1},
    {kFlag, "soPreChargingStatus", 0x1FEAF, 0, kOffPreCharging, {3, 0}, L1},

    // 1FEAE SOLAR_EQUALIZATION_CONFIG_STS, set through 1FEAD
    {kWord, "soEqlztnVoltage", 0x1FEAE, 0x1FEAD, kVdc,     {1}, L1},
    {kWord, "soEqlztnTime",    0x1FEAE, 0x1FEAD, kMinWord, {3}, L1},

    // 1FE85 SOLAR_CNTRLR_STS_2
    {kWord, "soRatedBattVoltage", 0x1FE85, 0, kVdc, {1}, L1},
    {kWord, "soRatedChrgCurrent", 0x1FE85, 0, kAdc, {3}, L1},

    // 1FE84 SOLAR_CNTRLR_STS_3
    {kWord, "soRatedInputVoltage", 0x1FE84, 0, kVdc,   {1}, L1},
    {kWord, "soRatedInputCurrent", 0x1FE84, 0, kAdc,   {3}, L1},
    {kWord, "soRatedOverPower",    0x1FE84, 0, kWatts, {5}, L1},

    // 1FE83 SOLAR_CNTRLR_STS_4
    {kWord, "soTodaysCharge",     0x1FE83, 0, kAhWord, {1}, L1},
    {kWord, "soYesterdayCharge",  0x1FE83, 0, kAhWord, {3}, L1},
    {kWord, "soDayBeforeYCharge", 0x1FE83, 0, kAhWord, {5}, L1},

    // 1FE82 SOLAR_CNTRLR_STS_5
    {kWord, "soSevenDayCharge",  0x1FE82, 0, kAhWord, {1}, L1},
    {kUint, "soCumulativePower", 0x1FE82, 0, kKwh32,  {3}, L1},

    // 1FE81 SOLAR_CNTRLR_STS_6
    {kWord, "soOperatingDays",  0x1FE81, 0, kDaysWord, {1}, L1},
    {kWord, "soControllerTemp", 0x1FE81, 0, kTempF,    {3}, L1},

    // 1FE80 SOLAR_CNTRLR_BATTERY_STS
    {kByte, "soChargerPriority", 0x1FE80, 0, kU8,       {2}, L1},
    {kWord, "soBatteryVoltage",  0x1FE80, 0, kVdc,      {3}, L1},
    {kWord, "soBatteryCurrent",  0x1FE80, 0, kAdc,      {5}, L1},
    {kByte, "soBatteryTemp",     0x1FE80, 0, kTempByte, {7}, L1},

    // 1FDFF SOLAR_CNTRLR_SOLAR_ARRAY_STS
    {kWord, "soArrayInputVoltage", 0x1FDFF, 0, kVdc, {1}, L1},
    {kWord, "soArrayInputCurrent", 0x1FDFF, 0, kAdc, {3}, L1},

    // 1FDFE SOLAR_CNTRLR_CONFIG_STS_2, set through 1FDFD
    {kWord, "soBulkAbsorpVoltage", 0x1FDFE, 0x1FDFD, kVdc, {1}, L1},
    {kWord, "soFloatVoltage",      0x1FDFE, 0x1FDFD, kVdc, {3}, L1},
    {kWord, "soChgReturnVoltage",  0x1FDFE, 0x1FDFD, kVdc, {5}, L1},

    // 1FDFC SOLAR_CNTRLR_CONFIG_STS_3, set through 1FDFB
    {kWord, "soBattLoVltWarning", 0x1FDFC, 0x1FDFB, kVdc, {1}, L1},
    {kWord, "soBattHiVoltLimit",  0x1FDFC, 0x1FDFB, kVdc, {3}, L1},
    {kWord, "soBattLoVoltLimit",  0x1FDFC, 0x1FDFB, kVdc, {5}, L1},

    // 1FDFA SOLAR_CNTRLR_CONFIG_STS_4, set through 1FDF9
    {kWord, "soBattHiVltLimRtrn", 0x1FDFA, 0x1FDF9, kVdc,            {1}, L1},
    {kWord, "soBattLoVltLimRtrn", 0x1FDFA, 0x1FDF9, kVdc,            {3}, L1},
    {kByte, "soBattLoVoltDelay",  0x1FDFA, 0x1FDF9, kSecByte,        {5}, L1},
    {kByte, "soAbsorptionTime",   0x1FDFA, 0x1FDF9, kMinByte,        {6}, L1},
    {kByte, "soTempCompFactor",   0x1FDFA, 0x1FDF9, kMilliVoltsPerK, {7}, L1},

    // 1FDCF SOLAR_CNTRLR_CONFIG_STS_5, set through 1FDCE
    {kByte, "soChargerPriority5", 0x1FDCF, 0x1FDCE, kU8,       {1}, L1},
    {kByte, "soHiTempLimit",      0x1FDCF, 0x1FDCE, kTempByte, {2}, L1},
    {kByte, "soLoTempLimit",      0x1FDCF, 0x1FDCE, kTempByte, {3}, L1},

    // 1FEC6 GENERATOR_DC_STS_1
    {kWord, "dgChargeVoltage",    0x1FEC6, 0, kVdc,          {1}, L1},
    {kWord, "dgChargeCurrent",    0x1FEC6, 0, kAdc,          {3}, L1},
    {kByte, "dgChargeCurrentPct", 0x1FEC6, 0, kPct,          {5}, L1},
    {kByte, "dgChargeState",      0x1FEC6, 0, kChargerState, {6}, L1},

    // 1FEC5 GENERATOR_DC_CONFIG_STS, set through 1FEC3
    {kByte, "dgChargeAlgorithm",   0x1FEC5, 0x1FEC3, kChargeAlgorithm,   {1},       L1},
    {kFlag, "dgBattSensorPresent", 0x1FEC5, 0x1FEC3, kNoYes,             {3, 0},    L1},
    {kFlag, "dgLinkageMode",       0x1FEC5, 0x1FEC3, kIndependentLinked, {3, 2},    L1},
    {kBits, "dgBatteryType",       0x1FEC5, 0x1FEC3, kBatteryType,       {6, 0, 4}, L1},
    {kWord, "dgBattBankSize",      0x1FEC5, 0x1FEC3, kAhWord,            {4},       L1},
    {kByte, "dgMaxChrgCurrent",    0x1FEC5, 0x1FEC3, kAdcByte,           {7},       L1},

    // 1FEC4 GENERATOR_DC_CMD
    {kByte, "DGDCOutputCommand", 0x1FEC4, 0, kDCGeneratorOutputCommand, {1},    L1},
    {kFlag, "DGDefPowerUpState", 0x1FEC4, 0, kDisabledEnabled,          {2, 0}, L1},

    // 1FEC2 GENERATOR_DC_EQUALIZATION_STS
    {kWord, "dgEqTimeRemaining",   0x1FEC2, 0, kMinWord,        {1},    L1},
    {kFlag, "dgPreChargingStatus", 0x1FEC2, 0, kOffPreCharging, {3, 0}, L1},

    // 1FEC1 GEN_DC_EQUALIZATION_CONFIG_STS, set through 1FEC0
    {kWord, "dgEqlztnVoltage", 0x1FEC1, 0x1FEC0, kVdc,     {1}, L1},
    {kWord, "dgEqlztnTime",    0x1FEC1, 0x1FEC0, kMinWord, {3}, L1},

    // 1FDDC GENERATOR_DC_STS_2
    {kByte, "dgChargingPriority", 0x1FDDC, 0, kU8,    {1}, L1},
    {kWord, "dgChargeVoltage2",   0x1FDDC, 0, kVdc,   {2}, L1},
    {kWord, "dgChargeCurrent2",   0x1FDDC, 0, kAdc,   {4}, L1},
    {kWord, "dgUnitTemperature",  0x1FDDC, 0, kTempF, {6}, L1},

    // 1FDDB GENERATOR_DC_CONFIG_STS_2, set through 1FDDA
    {kByte, "dgMaxChgCurrent",     0x1FDDB, 0x1FDDA, kPct,      {1}, L1},
    {kByte, "dgChgLmtPerBankSize", 0x1FDDB, 0x1FDDA, kPct,      {2}, L1},
    {kByte, "dgDefaultBattTemp",   0x1FDDB, 0x1FDDA, kTempByte, {3}, L1},
    {kWord, "dgRechargeVoltage",   0x1FDDB, 0x1FDDA, kVdc,      {4}, L1},

    // 1FDD9 GENERATOR_DC_CONFIG_STS_3, set through 1FDD8
    {kWord, "dgBulkVoltage",       0x1FDD9, 0x1FDD8, kVdc,            {1}, L1},
    {kWord, "dgAbsorptionVoltage", 0x1FDD9, 0x1FDD8, kVdc,            {3}, L1},
    {kWord, "dgFloatVoltage",      0x1FDD9, 0x1FDD8, kVdc,            {5}, L1},
    {kByte, "dgTempCompConstant",  0x1FDD9, 0x1FDD8, kMilliVoltsPerK, {7}, L1},

    // 1FDD7 GENERATOR_DC_CONFIG_STS_4, set through 1FDD6
    {kWord, "dgBulkTime",       0x1FDD7, 0x1FDD6, kMinWord, {1}, L1},
    {kWord, "dgAbsorptionTime", 0x1FDD7, 0x1FDD6, kMinWord, {3}, L1},
    {kWord, "dgFloatTime",      0x1FDD7, 0x1FDD6, kMinWord, {5}, L1},

    // 1FFCA CHARGER_AC_STS_1
    {kWord, "chRMSVoltage",    0x1FFCA, 0, kVac,     {1},    L1},
    {kWord, "chRMSCurrent",    0x1FFCA, 0, kAac,     {3},    L1},
    {kWord, "chFrequency",     0x1FFCA, 0, kHz,      {5},    L1},
    {kFlag, "chOpenGround",    0x1FFCA, 0, kOkFault, {7, 0}, L1},
    {kFlag, "chOpenNeutral",   0x1FFCA, 0, kOkFault, {7, 2}, L1},
    {kFlag, "chRevPolarity",   0x1FFCA, 0, kOkFault, {7, 4}, L1},
    {kFlag, "chGroundCurrent", 0x1FFCA, 0, kOkFault, {7, 6}, L1},

    // 1FFC9 CHARGER_AC_STS_2
    {kWord, "chPeakVoltage",    0x1FFC9, 0, kVac,     {1}, L1},
    {kWord, "chPeakCurrent",    0x1FFC9, 0, kAac,     {3}, L1},
    {kWord, "chGroundCurrent2", 0x1FFC9, 0, kAac,     {5}, L1},
    {kByte, "chCapacity",       0x1FFC9, 0, kAacByte, {7}, L1},

    // 1FFC8 CHARGER_AC_STS_3
    {kFlag, "chWaveForm",       0x1FFC8, 0, kSineNotSine, {1, 0},    L1},
    {kBits, "chACPhase",        0x1FFC8, 0, kACPhase,     {1, 2, 4}, L1},
    {kWord, "chRealPower",      0x1FFC8, 0, kWatts,       {2},       L1},
    {kWord, "chReactvPower",    0x1FFC8, 0, kVAr,         {4},       L1},
    {kByte, "chHarmDistortion", 0x1FFC8, 0, kPct,         {6},       L1},
    {kByte, "chCompLeg",        0x1FFC8, 0, kU8,          {7},       L1},

    // 1FF8A CHARGER_AC_STS_4
    {kByte, "chACVoltageFault",   0x1FF8A, 0, kACVoltageFault,            {1},       L1},
    {kFlag, "chSurgeProtFault",   0x1FF8A, 0, kOkFault,                   {2, 0},    L1},
    {kFlag, "chHighFreqFault",    0x1FF8A, 0, kOkFault,                   {2, 2},    L1},
    {kFlag, "chLowFreqFault",     0x1FF8A, 0, kOkFault,                   {2, 4},    L1},
    {kFlag, "chBypassMode",       0x1FF8A, 0, kNormalBypass,              {2, 6},    L1},
    {kBits, "chQualificationSts", 0x1FF8A, 0, Choices(4, kQualification), {3, 0, 4}, L1},

    // 1FF89 CHARGER_ACFAULT_CONFIG_STS_1, set through 1FF87
    {kByte, "chFltLvl:ExtLoVLmt", 0x1FF89, 0x1FF87, kVacByte,      {1},    L1},
    {kByte, "chFltLvl:LoVLmt",    0x1FF89, 0x1FF87, kVacByte,      {2},    L1},
    {kByte, "chFltLvl:HiVLmt",    0x1FF89, 0x1FF87, kVacByte,      {3},    L1},
    {kByte, "chFltLvl:ExtHiVLmt", 0x1FF89, 0x1FF87, kVacByte,      {4},    L1},
    {kByte, "chFltQualifyTime",   0x1FF89, 0x1FF87, kSecByte,      {5},    L1},
    {kFlag, "chFltBypassMode",    0x1FF89, 0x1FF87, kNormalBypass, {6, 0}, L1},

    // 1FF88 CHARGER_ACFAULT_CONFIG_STS_2, set through 1FF86
    {kByte, "chFltLvl:HiFreqLmt", 0x1FF88, 0x1FF86, kHzByte, {1}, L1},
    {kByte, "chFltLvl:LoFreqLmt", 0x1FF88, 0x1FF86, kHzByte, {2}, L1},

    // 1FFC7 CHARGER_STS
    {kWord, "chChargeVoltage",   0x1FFC7, 0, kVdc,             {1},       L1},
    {kWord, "chChargeCurrent",   0x1FFC7, 0, kAdc,             {3},       L1},
    {kByte, "chCurrPctOfMax",    0x1FFC7, 0, kPct,             {5},       L1},
    {kByte, "chOperatingState",  0x1FFC7, 0, kChargerState,    {6},       L1},
    {kFlag, "chEnableOnPowerUp", 0x1FFC7, 0, kDisabledEnabled, {7, 0},    L1},
    {kFlag, "chAutoRecharge",    0x1FFC7, 0, kDisabledEnabled, {7, 2},    L1},
    {kBits, "chForceCharge",     0x1FFC7, 0, kForceCharge,     {7, 4, 4}, L1},

    // 1FFC6 CHARGER_CONFIG_STS, set through 1FFC4
    // The CH twins read the settable fields again; they carry no command DGN,
    // whose registration would put a plain entry over their own names.
    {kByte, "chChargeAlgorithm", 0x1FFC6, 0x1FFC4, kChargeAlgorithm, {1},       L1},
    {kByte, "chChargerMode",     0x1FFC6, 0x1FFC4, kChargerMode,     {2},       L1},
    {kFlag, "chBattTempSensor",  0x1FFC6, 0x1FFC4, kNoYes,           {3, 0},    L1},
    {kFlag, "chACInputLine",     0x1FFC6, 0x1FFC4, kLeg1Leg2,        {3, 2},    L1},
    {kBits, "chBatteryType",     0x1FFC6, 0x1FFC4, kBatteryType,     {3, 4, 4}, L1},
    {kWord, "chBattBankSize",    0x1FFC6, 0x1FFC4, kAhWord,          {4},       L1},
    {kWord, "chMaxChrgCurrent",  0x1FFC6, 0x1FFC4, kAdc,             {6},       L1},
    {kBits, "CHBatteryType",     0x1FFC6, 0,       kBatteryType,     {3, 4, 4}, L1},
    {kWord, "CHMaxChrgCurrent",  0x1FFC6, 0,       kAdc,             {6},       L1},

    // 1FFC5 CHARGER_CMD
    {kByte, "CHChargerStatus",   0x1FFC5, 0, kChargerStatusCommand, {1},       L1},
    {kFlag, "CHEnableOnPowerUp", 0x1FFC5, 0, kDisabledEnabled,      {2, 0},    L1},
    {kFlag, "CHAutoRecharge",    0x1FFC5, 0, kDisabledEnabled,      {2, 2},    L1},
    {kBits, "CHForceCharge",     0x1FFC5, 0, kForceCharge,          {2, 4, 4}, L1},
    {kWord, "CHCCCVModeVoltage", 0x1FFC5, 0, kVdc,                  {3},       L1},
    {kWord, "CHCCCVModeCurrent", 0x1FFC5, 0, kAdc,                  {5},       L1},

    // 1FFC2 CHARGER_APS_STS
    {kByte, "chNumAPSInstances", 0x1FFC2, 0, kU8,    {1}, L1},
    {kWord, "chAPSVoltage",      0x1FFC2, 0, kVdc,   {2}, L1},
    {kWord, "chAPSCurrent",      0x1FFC2, 0, kAdc,   {4}, L1},
    {kWord, "chAPSTemperature",  0x1FFC2, 0, kTempF, {6}, L1},

    // 1FFC1 CHARGER_DCBUS_STS
    {kByte, "chNumDCBusInstances", 0x1FFC1, 0, kU8,    {1}, L1},
    {kWord, "chDCBusVoltage",      0x1FFC1, 0, kVdc,   {2}, L1},
    {kWord, "chDCBusCurrent",      0x1FFC1, 0, kAdc,   {4}, L1},
    {kWord, "chDCBusTemperature",  0x1FFC1, 0, kTempF, {6}, L1},

    // 1FFC0 CHARGER_OPS_STS
    {kByte, "chNumOPSInstances", 0x1FFC0, 0, kU8,    {1}, L1},
    {kWord, "chOPSVoltage",      0x1FFC0, 0, kVdc,   {2}, L1},
    {kWord, "chOPSCurrent",      0x1FFC0, 0, kAdc,   {4}, L1},
    {kWord, "chOPSTemperature",  0x1FFC0, 0, kTempF, {6}, L1},

    // 1FF99 CHARGER_EQUALIZATION_STS
    {kWord, "chEqTimeRemaining",   0x1FF99, 0, kMinWord,        {1},    L1},
    {kFlag, "chPreChargingStatus", 0x1FF99, 0, kOffPreCharging, {3, 0}, L1},

    // 1FF98 CHARGER_EQUALIZATION_CONFIG_STS, set through 1FF97
    {kWord, "chEqlztnVoltage", 0x1FF98, 0x1FF97, kVdc,     {1}, L1},
    {kWord, "chEqlztnTime",    0x1FF98, 0x1FF97, kMinWord, {3}, L1},

    // 1FF96 CHARGER_CONFIG_STS_2, set through 1FF95
    {kByte, "chMaxChrgCurrPct",    0x1FF96, 0x1FF95, kPct,      {1}, L1},
    {kByte, "chChrgRtAsPctOfBank", 0x1FF96, 0x1FF95, kPct,      {2}, L1},
    {kByte, "chShoreBreakerSize",  0x1FF96, 0x1FF95, kAacByte,  {3}, L1},
    {kByte, "chDfltBatteryTemp",   0x1FF96, 0x1FF95, kTempByte, {4}, L1},
    {kWord, "chRechargeVoltage",   0x1FF96, 0x1FF95, kVdc,      {5}, L1},

    // 1FECC CHARGER_CONFIG_STS_3, set through 1FECB and 1FECD
    // Inverter settings and charger stage times are listed here beside the
    // charger voltages they overlap.
    {kWord, "inShutdnRecovery",   0x1FECC, 0x1FECD, kVdc,            {4}, L1},
    {kWord, "inGenSuppEngCurr",   0x1FECC, 0x1FECD, kAdc,            {6}, L1},
    {kWord, "chBulkVoltage",      0x1FECC, 0x1FECB, kVdc,            {1}, L1},
    {kWord, "chAbsorpVoltage",    0x1FECC, 0x1FECB, kVdc,            {3}, L1},
    {kWord, "chFloatVoltage",     0x1FECC, 0x1FECB, kVdc,            {5}, L1},
    {kByte, "chTempCompConstant", 0x1FECC, 0x1FECB, kMilliVoltsPerK, {7}, L1},
    {kWord, "chBulkTime",         0x1FECC, 0x1FECB, kMinWord,        {1}, L1},
    {kWord, "chAbsorptionTime",   0x1FECC, 0x1FECB, kMinWord,        {3}, L1},
    {kWord, "chFloatTime",        0x1FECC, 0x1FECB, kMinWord,        {5}, L1},

    // 1FEA3 CHARGER_STS_2
    {kByte, "chDCSourceInst",    0x1FEA3, 0, kU8,       {1}, L1},
    {kByte, "chChargerPriority", 0x1FEA3, 0, kU8,       {2}, L1},
    {kWord, "chChargingVoltage", 0x1FEA3, 0, kVdc,      {3}, L1},
    {kWord, "chChargingCurrent", 0x1FEA3, 0, kAdc,      {5}, L1},
    {kByte, "chChargerTemp",     0x1FEA3, 0, kTempByte, {7}, L1},

    // 1FEA1 CHARGER_CONFIG_STS_5, set through 1FEA2
    {kByte, "chDCSrcInstSetting", 0x1FEA1, 0x1FEA2, kU8, {1}, L1},
    {kByte, "chPrioritySetting",  0x1FEA1, 0x1FEA2, kU8, {2}, L1},

    // 1FDAA (unnamed) charger properties
    {kWord, "chSupportedBattTypes", 0x1FDAA, 0, kHex16,   {4},    L1},
    {kFlag, "chBattType12Cnfgable", 0x1FDAA, 0, kNoYes,   {6, 0}, L1},
    {kFlag, "chBattType13Cnfgable", 0x1FDAA, 0, kNoYes,   {6, 2}, L1},
    {kByte, "chChrgCurrMaxSetng",   0x1FDAA, 0, kAdcByte, {1},    L1},
    {kByte, "chChrgCurrMinSetng",   0x1FDAA, 0, kAdcByte, {2},    L1},
    {kByte, "chChrgCurrResolution", 0x1FDAA, 0, kAdcByte, {3},    L1},
    {kWord, "chSupportedBattTypes", 0x1FDAA, 0, kHex16,   {4},    L1},
    {kFlag, "chBattType12Cnfgable", 0x1FDAA, 0, kNoYes,   {6, 0}, L1},
    {kFlag, "chBattType13Cnfgable", 0x1FDAA, 0, kNoYes,   {6, 2}, L1},

    // 1FDCA CHARGER_STS_3
    {kFlag, "chDeratingStatus", 0x1FDCA, 0, kOkDerating,    {1, 0}, L1},
    {kByte, "chDeratingReason", 0x1FDCA, 0, kDeratingCause, {2},    L1},

    // 1FFBF AC_LOAD_STS, set through 1FFBE
    {kByte, "alOpStatus",       0x1FFBF, 0x1FFBE, kPct,        {2},       L3},
    {kFlag, "alOpMode",         0x1FFBF, 0x1FFBE, kAutoManual, {3, 0},    L3},
    {kFlag, "alVariableLvl",    0x1FFBF, 0x1FFBE, kNoYes,      {3, 2},    L3},
    {kBits, "alPriority",       0x1FFBF, 0x1FFBE, kU4,         {3, 4, 4}, L3},
    {kByte, "alDelay",          0x1FFBF, 0x1FFBE, kSecsPlus,   {4},       L3},
    {kByte, "alDemandCurrent",  0x1FFBF, 0x1FFBE, kAacByte,    {5},       L3},
    {kWord, "alPresentCurrent", 0x1FFBF, 0x1FFBE, kAac,        {6},       L3},

    // 1FFBD DC_LOAD_STS, set through 1FFBC
    {kByte, "dlOpStatus",       0x1FFBD, 0x1FFBC, kPct,        {2},       L3},
    {kFlag, "dlOpMode",         0x1FFBD, 0x1FFBC, kAutoManual, {3, 0},    L3},
    {kFlag, "dlVariableLvl",    0x1FFBD, 0x1FFBC, kNoYes,      {3, 2},    L3},
    {kBits, "dlPriority",       0x1FFBD, 0x1FFBC, kU4,         {3, 4, 4}, L3},
    {kByte, "dlDelay",          0x1FFBD, 0x1FFBC, kSecsPlus,   {4},       L3},
    {kByte, "dlDemandCurrent",  0x1FFBD, 0x1FFBC, kAdcByte,    {5},       L3},
    {kWord, "dlPresentCurrent", 0x1FFBD, 0x1FFBC, kAdc,        {6},       L3},

    // 1FFBC DC_LOAD_CMD
    {kFlag, "DLInterlock",      0x1FFBC, 0, Flag("None", "Interlock A"), {3, 2},    L3},
    {kBits, "DLDriveDirection", 0x1FFBC, 0, kLoadDirection,              {3, 4, 4}, L3},
    {kByte, "DLCommand",        0x1FFBC, 0, kLoadCommand,                {4},       L3},
    {kByte, "DLDelay",          0x1FFBC, 0, kSecsPlus,                   {5},       L3},

    // 1FFBB DC_DIMMER_STS_1, set through 1FFB9
    {kByte, "dmMasterLevel", 0x1FFBB, 0x1FFB9, kPct, {1},       L1},
    {kByte, "dmRedLevel",    0x1FFBB, 0x1FFB9, kPct, {2},       L1},
    {kByte, "dmGreenLevel",  0x1FFBB, 0x1FFB9, kPct, {3},       L1},
    {kByte, "dmBlueLevel",   0x1FFBB, 0x1FFB9, kPct, {4},       L1},
    {kBits, "dmOnDuration",  0x1FFBB, 0x1FFB9, kU4,  {5, 0, 4}, L1},
    {kBits, "dmOffDuration", 0x1FFBB, 0x1FFB9, kU4,  {5, 4, 4}, L1},
    {kByte, "dmWhiteLevel",  0x1FFBB, 0x1FFB9, kPct, {6},       L1},

    // 1FFB9 DC_DIMMER_CMD_1
    {kByte, "DMRampTime", 0x1FFB9, 0, kSecTenth, {7}, L1},

    // 1FFBA DC_DIMMER_STS_2
    {kByte, "dmMasterCurrent", 0x1FFBA, 0, kAdcByte, {1},    L1},
    {kByte, "dmRedCurrent",    0x1FFBA, 0, kAdcByte, {2},    L1},
    {kByte, "dmGreenCurrent",  0x1FFBA, 0, kAdcByte, {3},    L1},
    {kByte, "dmBlueCurrent",   0x1FFBA, 0, kAdcByte, {4},    L1},
    {kFlag, "dmMasterFault",   0x1FFBA, 0, kOkFault, {5, 0}, L1},
    {kFlag, "dmRedFault",      0x1FFBA, 0, kOkFault, {5, 2}, L1},
    {kFlag, "dmGreenFault",    0x1FFBA, 0, kOkFault, {5, 4}, L1},
    {kFlag, "dmBlueFault",     0x1FFBA, 0, kOkFault, {5, 6}, L1},
    {kByte, "dmWhiteCurrent",  0x1FFBA, 0, kAdcByte, {6},    L1},
    {kFlag, "dmWhiteFault",    0x1FFBA, 0, kOkFault, {7, 0}, L1},

    // 1FFB8 DIGITAL_INPUT_STS
    {kByte, "diPosition",     0x1FFB8, 0, kU8, {2},       L5},
    {kBits, "diInputType",    0x1FFB8, 0, kU4, {4, 0, 4}, L5},
    {kBits, "diNumPositions", 0x1FFB8, 0, kU4, {4, 4, 4}, L5},

    // 1FEDD AC_LOAD_STS_2
    {kFlag, "alLockStatus",        0x1FEDD, 0, kUnlockedLocked,  {1, 0}, L1},
    {kFlag, "alOvercurrentStatus", 0x1FEDD, 0, kOkFault,         {1, 2}, L1},
    {kFlag, "alOverrideStatus",    0x1FEDD, 0, kInactiveActive,  {1, 4}, L1},
    {kFlag, "alEnableStatus",      0x1FEDD, 0, kEnabledDisabled, {1, 6}, L1},
    {kByte, "alLastCommand",       0x1FEDD, 0, kLoadCommand,     {2},    L1},
    {kFlag, "alInterlock",         0x1FEDD, 0, kInactiveActive,  {3, 0}, L1},

    // 1FEDC DC_LOAD_STS_2
    {kFlag, "dlLockStatus",        0x1FEDC, 0, kUnlockedLocked,  {1, 0},    L1},
    {kFlag, "dlOvercurrentStatus", 0x1FEDC, 0, kOkFault,         {1, 2},    L1},
    {kFlag, "dlOverrideStatus",    0x1FEDC, 0, kInactiveActive,  {1, 4},    L1},
    {kFlag, "dlEnableStatus",      0x1FEDC, 0, kEnabledDisabled, {1, 6},    L1},
    {kByte, "dlLastCommand",       0x1FEDC, 0, kLoadCommand,     {2},       L1},
    {kFlag, "dlInterlock",         0x1FEDC, 0, kInactiveActive,  {3, 0},    L1},
    {kBits, "dlDriveDirection",    0x1FEDC, 0, kLoadDirection,   {3, 2, 4}, L1},

    // 1FEDA DC_DIMMER_STS_3, set through 1FEDB
    {kByte, "dmDimmerLevel",       0x1FEDA, 0x1FEDB, kPct,             {2},    L3},
    {kFlag, "dmLockStatus",        0x1FEDA, 0x1FEDB, kUnlockedLocked,  {3, 0}, L3},
    {kFlag, "dmOvercurrentStatus", 0x1FEDA, 0x1FEDB, kOkFault,         {3, 2}, L3},
    {kFlag, "dmOverrideStatus",    0x1FEDA, 0x1FEDB, kInactiveActive,  {3, 4}, L3},
    {kFlag, "dmEnableStatus",      0x1FEDA, 0x1FEDB, kEnabledDisabled, {3, 6}, L3},
    {kByte, "dmDurationRemaining", 0x1FEDA, 0x1FEDB, kSecsPlus,        {4},    L3},
    {kByte, "dmLastCommand",       0x1FEDA, 0x1FEDB, kDimmerCommand,   {5},    L3},
    {kFlag, "dmInterlockStatus",   0x1FEDA, 0x1FEDB, kInactiveActive,  {6, 0}, L3},
    {kFlag, "dmLoadStatus",        0x1FEDA, 0x1FEDB, kOffOn,           {6, 2}, L3},

    // 1FEDB DC_DIMMER_CMD_2
    {kByte, "DMCommand",         0x1FEDB, 0, kDimmerCommand,              {3},    L3},
    {kByte, "DMCommandDuration", 0x1FEDB, 0, kSecsPlus,                   {4},    L3},
    {kFlag, "DMInterlock",       0x1FEDB, 0, Flag("None", "Interlock A"), {5, 0}, L3},
    {kWord, "DMRampTime",        0x1FEDB, 0, kRampTime,                   {6},    L1},

    // 1FED7 GENERIC_INDICATOR_STS, set through 1FED9
    {kByte, "giBrightness",    0x1FED7, 0x1FED9, kPct,           {2},    L6},
    {kByte, "giDelayDuration", 0x1FED7, 0x1FED9, kSecsPlus,      {4},    L6},
    {kFlag, "giLED1Status",    0x1FED7, 0x1FED9, kOffOn,         {5, 0}, L6},
    {kFlag, "giLED2Status",    0x1FED7, 0x1FED9, kOffOn,         {5, 2}, L6},
    {kByte, "giLastCommand",   0x1FED7, 0x1FED9, kGenIndCommand, {6},    L6},

    // 1FED9 GENERIC_INDICATOR_CMD
    {kByte, "GICommand", 0x1FED9, 0, kGenIndCommand, {6}, L6},
};
// clang-format on

}  // namespace

std::span<const EntryRow> PowerRows() {
  return kRows;
}

}  // namespace vlt::dictionary::catalogue
