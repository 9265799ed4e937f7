// Signal catalogue, system: date and time, bus statistics and resets, configuration and
// versions, lighting controllers, alarms, seats, the wireless broker and its
// security, the DC component drivers and the product identification.
//
// One block per status DGN, headed by its name and the command DGN that sets
// its signals; each row gives kind, name, status DGN, command DGN, value
// maker, position (byte; then bit and width for bit fields) and label.
#include "dictionary/signal_catalogue_parts.h"

namespace vlt::dictionary::catalogue {

namespace {

// clang-format off
constexpr EntryRow kRows[] = {
    // 1FFFF DATE_TIME_STS, set through 1FFFE
    {kByte, "dtYear",     0x1FFFF, 0x1FFFE, kU8,        {0}, L0},
    {kByte, "dtMonth",    0x1FFFF, 0x1FFFE, kU8,        {1}, L0},
    {kByte, "dtDay",      0x1FFFF, 0x1FFFE, kU8,        {2}, L0},
    {kByte, "dtDow",      0x1FFFF, 0x1FFFE, kDayOfWeek, {3}, L0},
    {kByte, "dtHour",     0x1FFFF, 0x1FFFE, kU8,        {4}, L0},
    {kByte, "dtMinute",   0x1FFFF, 0x1FFFE, kU8,        {5}, L0},
    {kByte, "dtSecond",   0x1FFFF, 0x1FFFE, kU8,        {6}, L0},
    {kByte, "dtTimeZone", 0x1FFFF, 0x1FFFE, kU8,        {7}, L0},

    // 1FEA0 GPS_DATE_TIME_STS
    {kByte, "gpdGPSYear",     0x1FEA0, 0, kU8,        {0}, L0},
    {kByte, "gpdGPSMonth",    0x1FEA0, 0, kU8,        {1}, L0},
    {kByte, "gpdGPSDay",      0x1FEA0, 0, kU8,        {2}, L0},
    {kByte, "gpdGPSDow",      0x1FEA0, 0, kDayOfWeek, {3}, L0},
    {kByte, "gpdGPSHour",     0x1FEA0, 0, kU8,        {4}, L0},
    {kByte, "gpdGPSMinute",   0x1FEA0, 0, kU8,        {5}, L0},
    {kByte, "gpdGPSSecond",   0x1FEA0, 0, kU8,        {6}, L0},
    {kByte, "gpdGPSTimeZone", 0x1FEA0, 0, kU8,        {7}, L0},

    // 1FDDF GPS_TIME_STS
    {kByte, "gpGPSYear",     0x1FDDF, 0, kU8, {0}, L0},
    {kByte, "gpGPSMonth",    0x1FDDF, 0, kU8, {1}, L0},
    {kByte, "gpGPSDay",      0x1FDDF, 0, kU8, {2}, L0},
    {kByte, "gpGPSHour",     0x1FDDF, 0, kU8, {4}, L0},
    {kByte, "gpGPSMinute",   0x1FDDF, 0, kU8, {5}, L0},
    {kByte, "gpGPSSecond",   0x1FDDF, 0, kU8, {6}, L0},
    {kByte, "gpGPSTimeZone", 0x1FDDF, 0, kU8, {7}, L0},

    // 1FFFA COMMUNICATION_STS_1
    {kUint, "csTimerCount",       0x1FFFA, 0, kU32, {0}, L0},
    {kWord, "csReceiveErrCount",  0x1FFFA, 0, kU16, {4}, L0},
    {kWord, "csTransmitErrCount", 0x1FFFA, 0, kU16, {6}, L0},

    // 1FFF9 COMMUNICATION_STS_2
    {kUint, "csTransmitCount", 0x1FFF9, 0, kU32, {0}, L0},
    {kUint, "csReceiveCount",  0x1FFF9, 0, kU32, {4}, L0},

    // 1FFF8 COMMUNICATION_STS_3
    {kWord, "csBusOffErrorCount", 0x1FFF8, 0, kU16, {0}, L0},
    {kWord, "csRxFrameDropCount", 0x1FFF8, 0, kU16, {2}, L0},
    {kWord, "csTxFrameDropCount", 0x1FFF8, 0, kU16, {4}, L0},

    // 1FDE6 CAN_BUS_STS
    {kWord, "bsCANHiDomVoltage", 0x1FDE6, 0, kVdcMilli,       {1},       L1},
    {kWord, "bsCANLoDomVoltage", 0x1FDE6, 0, kVdcMilli,       {3},       L1},
    {kByte, "bsCANBusImpedence", 0x1FDE6, 0, kOhms,           {6},       L1},
    {kBits, "bsProtocol",        0x1FDE6, 0, kCANProtocol,    {5, 0, 4}, L1},
    {kBits, "bsBitRate",         0x1FDE6, 0, kCANBitRate,     {5, 4, 4}, L1},
    {kFlag, "bsNetworkStatus",   0x1FDE6, 0, kNormalBusOff,   {7, 0},    L1},
    {kFlag, "bsRemoteOrLocal",   0x1FDE6, 0, kRemoteLocal,    {7, 2},    L1},
    {kBits, "bsBusTermination",  0x1FDE6, 0, kCANTermination, {7, 4, 4}, L1},

    // 17F00 GENERAL_RESET
    {kFlag, "RSReboot",           0x17F00, 0, kNoActionActivate, {0, 0}, L25},
    {kFlag, "RSClearFaults",      0x17F00, 0, kNoActionActivate, {0, 2}, L25},
    {kFlag, "RSResetToDefaults",  0x17F00, 0, kNoActionActivate, {0, 4}, L25},
    {kFlag, "RSResetStatistics",  0x17F00, 0, kNoActionActivate, {0, 6}, L25},
    {kFlag, "RSTestMode",         0x17F00, 0, kNoActionActivate, {1, 0}, L25},
    {kFlag, "RSResetOEMDefaults", 0x17F00, 0, kNoActionActivate, {1, 2}, L25},
    {kFlag, "RSEnterBootloader",  0x17F00, 0, kNoActionActivate, {1, 4}, L25},
    {kFlag, "RSSaveOEMSettings",  0x17F00, 0, kNoActionActivate, {1, 6}, L25},

    // 1FED8 GENERIC_CONFIG_STS
    {kBits,  "coFunctionInstance", 0x1FED8, 0, kU5,  {1, 3, 5}, L18},
    {kByte,  "coFunction",         0x1FED8, 0, kU8,  {2},       L18},
    {kByte,  "coFirmwareRevision", 0x1FED8, 0, kU8,  {3},       L18},
    {k3Byte, "coConfigType",       0x1FED8, 0, kU24, {4},       L18},
    {kByte,  "coConfigRevision",   0x1FED8, 0, kU8,  {7},       L18},

    // 1FED6 MFG_SPECIFIC_CLAIM_REQUEST
    {kBits, "coMfgSpecClaimRqstLSB", 0x1FED6, 0, kU3, {0, 0, 3}, L18},

    // 1FDD1 DEVICE_STATE_SYNCHRONIZATION
    {k5Byte, "ssSynchPayload", 0x1FDD1, 0, kHex5, {3}, L20},

    // 1FD97 GENERIC_VERSION_STS, set through 1FD96
    {kByte, "gvDSA",      0x1FD97, 0x1FD96, kDsa,          {0},       L27},
    {kByte, "gvInstance", 0x1FD97, 0x1FD96, kU8,           {1},       L27},
    {kBits, "gvSubIndex", 0x1FD97, 0x1FD96, kU4,           {2, 0, 4}, L27},
    {kBits, "gvRevType",  0x1FD97, 0x1FD96, kRevisionType, {2, 4, 3}, L27},
    {kByte, "gvYear",     0x1FD97, 0x1FD96, kU8,           {3},       L27},
    {kByte, "gvMonth",    0x1FD97, 0x1FD96, kMonth,        {4},       L27},
    {kWord, "gvVersion",  0x1FD97, 0x1FD96, kU16,          {5},       L27},
    {kByte, "gvSeries",   0x1FD97, 0x1FD96, kU8,           {7},       L27},

    // 1FDC2 DC_LIGHTING_CTRL_STS_1, set through 1FDBC
    {kBits,       "lcFadeMode",          0x1FDC2, 0x1FDBC, kRGBWColorFadeMode, {1, 0, 4}, L1},
    {kByte,       "lcFadeType",          0x1FDC2, 0x1FDBC, kRGBWFadeType,      {3},       L1},
    {kByte,       "lcFadeSpeed",         0x1FDC2, 0x1FDBC, kMillisByte,        {2},       L1},
    {kFlag,       "lcChasingMode",       0x1FDC2, 0x1FDBC, kDisabledEnabled,   {1, 4},    L1},
    {kFlag,       "lcTempMode",          0x1FDC2, 0x1FDBC, kDisabledEnabled,   {1, 6},    L1},
    {kWord,       "lcColorTemp",         0x1FDC2, 0x1FDBC, kKelvin,            {4},       L1},
    {kFullPacket, "lcLightingCntrlSts1", 0x1FDC2, 0x1FDBC, kPacketBytes,       {},        L1},

    // 1FDC1 DC_LIGHTING_CTRL_STS_2, set through 1FDBB
    {kByte,       "lcChasingPattern",    0x1FDC1, 0x1FDBB, kRGBWColorChasingPattern,   {1}, L1},
    {kByte,       "lcChasingSpeed",      0x1FDC1, 0x1FDBB, kPct,                       {2}, L1},
    {kByte,       "lcChasingDirection",  0x1FDC1, 0x1FDBB, kRGBWColorChasingDirection, {3}, L1},
    {kByte,       "lcChasingWidth",      0x1FDC1, 0x1FDBB, kU8,                        {4}, L1},
    {kFullPacket, "lcLightingCntrlSts2", 0x1FDC1, 0x1FDBB, kPacketBytes,               {},  L1},

    // 1FDC0 DC_LIGHTING_CTRL_STS_3, set through 1FDBA
    {kWord,       "lcMaxColorTemp",      0x1FDC0, 0x1FDBA, kKelvin,                      {3},    L1},
    {kWord,       "lcMinColorTemp",      0x1FDC0, 0x1FDBA, kKelvin,                      {1},    L1},
    {kFlag,       "lcColorTempMinMaxSw", 0x1FDC0, 0x1FDBA, Flag("Green Max", "Red Max"), {5, 0}, L1},
    {kFullPacket, "lcLightingCntrlSts3", 0x1FDC0, 0x1FDBA, kPacketBytes,                 {},     L1},

    // 1FDBF DC_LIGHTING_CTRL_STS_4, set through 1FDB9
    {kFlag,       "lcTimerAction",       0x1FDBF, 0x1FDB9, Flag("Off At End", "On At End"), {1, 0}, L1},
    {kFlag,       "lcTimerGo",           0x1FDBF, 0x1FDB9, Flag("Running", "Stopped"),      {1, 2}, L1},
    {kWord,       "lcTimerValue",        0x1FDBF, 0x1FDB9, kSecWord,                        {2},    L1},
    {kFullPacket, "lcLightingCntrlSts4", 0x1FDBF, 0x1FDB9, kPacketBytes,                    {},     L1},

    // 1FDBD DC_LIGHTING_CTRL_STS_6, set through 1FDB7
    {kByte,       "lcCellIndex Num",     0x1FDBD, 0x1FDB7, kU8,                    {1},    L1},
    {kFlag,       "lcCellEnable",        0x1FDBD, 0x1FDB7, kDisabledEnabled,       {2, 0}, L1},
    {kByte,       "lcCellRedColor",      0x1FDBD, 0x1FDB7, kPct,                   {3},    L1},
    {kByte,       "lcCellGreenColor",    0x1FDBD, 0x1FDB7, kPct,                   {4},    L1},
    {kByte,       "lcCellBlueColor",     0x1FDBD, 0x1FDB7, kPct,                   {5},    L1},
    {kByte,       "lcOutputControlType", 0x1FDBD, 0x1FDB7, kRGBWOutputControlType, {6},    L1},
    {kFullPacket, "lcLightingCntrlSts6", 0x1FDBD, 0x1FDB7, kPacketBytes,           {},     L1},

    // 1FDBE DC_LIGHTING_CTRL_STS_5, set through 1FDB8
    {kFlag,       "lcExternalInputEnable", 0x1FDBE, 0x1FDB8, kDisabledEnabled,  {1, 0}, L1},
    {kFlag,       "lcSaveStatus",          0x1FDBE, 0x1FDB8, kNoActionActivate, {2, 0}, L1},
    {kFlag,       "lcSetToDefault",        0x1FDBE, 0x1FDB8, kNoActionActivate, {2, 2}, L1},
    {kFlag,       "lcAutoTXEnable",        0x1FDBE, 0x1FDB8, kDisabledEnabled,  {3, 0}, L1},
    {kFlag,       "lcUnlockOutputType",    0x1FDBE, 0x1FDB8, kLockedUnlocked,   {4, 0}, L1},
    {kFlag,       "lcUnlockARGBType",      0x1FDBE, 0x1FDB8, kLockedUnlocked,   {4, 2}, L1},
    {kFlag,       "lcTypeWS2812B",         0x1FDBE, 0x1FDB8, kDisabledEnabled,  {6, 0}, L1},
    {kFullPacket, "lcLightingCntrlSts5",   0x1FDBE, 0x1FDB8, kPacketBytes,      {},     L1},

    // 1FDBC DC_LIGHTING_CTRL_CMD_1
    {kFullPacket, "LCLightingCntrlCmd1", 0x1FDBC, 0, kPacketBytes, {}, L1},

    // 1FDBB DC_LIGHTING_CTRL_CMD_2
    {kFullPacket, "LCLightingCntrlCmd2", 0x1FDBB, 0, kPacketBytes, {}, L1},

    // 1FDBA DC_LIGHTING_CTRL_CMD_3
    {kFullPacket, "LCLightingCntrlCmd3", 0x1FDBA, 0, kPacketBytes, {}, L1},

    // 1FDB9 DC_LIGHTING_CTRL_CMD_4
    {kFullPacket, "LCLightingCntrlCmd4", 0x1FDB9, 0, kPacketBytes, {}, L1},

    // 1FDB8 DC_LIGHTING_CTRL_CMD_5
    {kFullPacket, "LCLightingCntrlCmd5", 0x1FDB8, 0, kPacketBytes, {}, L1},

    // 1FDB7 DC_LIGHTING_CTRL_CMD_6
    {kFullPacket, "LCLightingCntrlCmd6", 0x1FDB7, 0, kPacketBytes, {}, L1},

    // 1FE9F GENERIC_ALARM_STS
    {kFlag, "|>AlarmTrggrd", 0x1FE9F, 0, kNoYes,           {6, 6}, L24},
    {kFlag, "|>AlarmReady",  0x1FE9F, 0, kNoYes,           {6, 2}, L24},
    {kFlag, "|>AlarmAcked",  0x1FE9F, 0, kNoYes,           {6, 4}, L24},
    {kFlag, "|>AutoReset",   0x1FE9F, 0, kDisabledEnabled, {6, 0}, L24},
    {kWord, "|>TimeElapsed", 0x1FE9F, 0, kMinWord,         {2},    L24},
    {kFlag, "|>FullTimeRqd", 0x1FE9F, 0, kNoYes,           {4, 6}, L24},
    {kFlag, "|>ForLogging",  0x1FE9F, 0, kNoYes,           {4, 2}, L24},
    {kFlag, "|>ForUser",     0x1FE9F, 0, kNoYes,           {4, 0}, L24},

    // 1FE9E GENERIC_ALARM_CMD
    {kFlag, "|<ReadyAlarm", 0x1FE9E, 0, kNoActionActivate, {6, 2}, L24},
    {kFlag, "|<AckAlarm",   0x1FE9E, 0, kNoActionActivate, {6, 4}, L24},
    {kFlag, "|<AutoReset",  0x1FE9E, 0, kDisabledEnabled,  {6, 0}, L24},

    // 1FDC8 VEHICLE_SEAT_CMD
    {kFullPacket, "VSVehicleSeatCmd", 0x1FDC8, 0, kPacketBytes, {}, L0},

    // 1FDC7 VEHICLE_SEAT_STS
    {kFullPacket, "vsVehicleSeatSts", 0x1FDC7, 0, kPacketBytes, {}, L0},

    // 1FDC6 VEHICLE_SEAT_LT_CMD
    {kFullPacket, "VSVehicleSeatLtCmd", 0x1FDC6, 0, kPacketBytes, {}, L0},

    // 1FDC5 VEHICLE_SEAT_LT_STS
    {kFullPacket, "vsVehicleSeatLtSts", 0x1FDC5, 0, kPacketBytes, {}, L0},

    // 1FDB6 BROKER_STS
    {kByte, "exPairedDeviceCount", 0x1FDB6, 0, kU8,          {1},       L1},
    {kByte, "exActiveConnxnCount", 0x1FDB6, 0, kU8,          {2},       L1},
    {kFlag, "exBrokerIsRemote",    0x1FDB6, 0, kLocalRemote, {3, 0},    L1},
    {kBits, "exBrokerSubnetID",    0x1FDB6, 0, kSubnetID,    {3, 2, 3}, L1},

    // 1FDB4 BROKER_INITIATOR_STS, set through 1FDB5
    {kBits, "exInitrCnxnType",     0x1FDB4, 0x1FDB5, kWirelessConnectionType,         {2, 0, 6}, L22},
    {kFlag, "exInitrCnxnProtocol", 0x1FDB4, 0x1FDB5, kWrvc,                           {2, 6},    L22},
    {kFlag, "exInitrCnxnSecurity", 0x1FDB4, 0x1FDB5, kInsecureSecure,                 {3, 0},    L22},
    {kFlag, "exInitrCnxnSearch",   0x1FDB4, 0x1FDB5, kStopSearch,                     {3, 2},    L22},
    {kByte, "exInitrCnxnPairing",  0x1FDB4, 0x1FDB5, kWirelessPairingInitiatorStatus, {4},       L22},

    // 1FDB2 BROKER_RESPONDER_STS, set through 1FDB3
    {kByte, "exInitrCnxnLastCmd",  0x1FDB2, 0x1FDB3, kWirelessInitiatorLastCmd,       {5},       L22},
    {kBits, "exResprCnxnType",     0x1FDB2, 0x1FDB3, kWirelessConnectionType,         {2, 0, 6}, L22},
    {kFlag, "exResprCnxnProtocol", 0x1FDB2, 0x1FDB3, kWrvc,                           {2, 6},    L22},
    {kFlag, "exResprCnxnVsbility", 0x1FDB2, 0x1FDB3, kHiddenVisible,                  {3, 0},    L22},
    {kFlag, "exResprCnxnSecurity", 0x1FDB2, 0x1FDB3, kAcceptDenyNonSecure,            {3, 2},    L22},
    {kByte, "exResprCnxnPairing",  0x1FDB2, 0x1FDB3, kWirelessPairingResponderStatus, {4},       L22},
    {kByte, "exResprCnxnLastCmd",  0x1FDB2, 0x1FDB3, kWirelessResponderLastCmd,       {5},       L22},

    // 1FDB5 BROKER_INITIATOR_CMD
    {kFlag, "EXInitrCnxnSecurity", 0x1FDB5, 0, kInsecureSecure,                  {3, 0}, L22},
    {kFlag, "EXInitrCnxnSearch",   0x1FDB5, 0, kStopSearch,                      {3, 2}, L22},
    {kByte, "EXInitrCnxnPairing",  0x1FDB5, 0, kWirelessPairingInitiatorCommand, {4},    L22},

    // 1FDB3 BROKER_RESPONDER_CMD
    {kFlag, "EXResprCnxnVsbility", 0x1FDB3, 0, kHiddenVisible,                   {3, 0}, L22},
    {kFlag, "EXResprCnxnSecurity", 0x1FDB3, 0, kAcceptDenyNonSecure,             {3, 2}, L22},
    {kByte, "EXResprCnxnPairing",  0x1FDB3, 0, kWirelessPairingResponderCommand, {4},    L22},

    // 1FDB0 BROKER_CONNECTION_STS, set through 1FDB1
    // After the first text index the text chunk takes the header bytes.
    {kByte,  "exCnxnTextLength", 0x1FDB0, 0x1FDB1, kU8,                {3},       L22},
    {kBits,  "exCnxnStatus",     0x1FDB0, 0x1FDB1, kConnSts,           {4, 0, 3}, L22},
    {kBits,  "exPSCnxnStatus",   0x1FDB0, 0x1FDB1, kConnSts,           {4, 3, 3}, L22},
    {kByte,  "exLastReport",     0x1FDB0, 0x1FDB1, kBrokerDiscCommand, {5},       L22},
    {kByte,  "exCnxnTextIndex",  0x1FDB0, 0x1FDB1, kU8,                {2},       L22},
    {k5Byte, "exCnxnTextData",   0x1FDB0, 0x1FDB1, kHex5,              {3},       L22},

    // 1FDB1 BROKER_CONNECTION_CMD
    {kByte, "EXTestCommand", 0x1FDB1, 0, kBrokerTestCommand, {2}, L22},
    {kByte, "EXCnxnCommand", 0x1FDB1, 0, kBrokerDiscCommand, {3}, L22},

    // 1FD94 (unnamed) wireless provisioning, set through 1FD95
    {kFlag, "exBTProvTrigger",   0x1FD94, 0x1FD95, kNoActionActivate,      {2, 0},    L22},
    {kBits, "exClientBattLevel", 0x1FD94, 0x1FD95, kWirelessBatteryStatus, {3, 0, 3}, L22},

    // 1FD93 (unnamed) authorisation requested
    {kByte, "auCategoryRqsted1", 0x1FD93, 0, kSecurity1,        {2},       L22},
    {kByte, "auCategoryRqsted2", 0x1FD93, 0, kSecurity2,        {3},       L22},
    {kByte, "auCategoryRqsted3", 0x1FD93, 0, kSecurity3,        {4},       L22},
    {kByte, "auCategoryRqsted4", 0x1FD93, 0, kSecurity4,        {5},       L22},
    {kByte, "auDurationRqsted",  0x1FD93, 0, kU8,               {6},       L22},
    {kBits, "auDurationUnit",    0x1FD93, 0, kAuthDurationUnit, {7, 0, 4}, L22},

    // 1FD92 (unnamed) authorisation approved
    {kByte, "auCategoryApprvd1", 0x1FD92, 0, kSecurity1,            {2},       L22},
    {kByte, "auCategoryApprvd2", 0x1FD92, 0, kSecurity2,            {3},       L22},
    {kByte, "auCategoryApprvd3", 0x1FD92, 0, kSecurity3,            {4},       L22},
    {kByte, "auCategoryApprvd4", 0x1FD92, 0, kSecurity4,            {5},       L22},
    {kByte, "auDurationRqsted",  0x1FD92, 0, kU8,                   {6},       L22},
    {kBits, "auDurationUnit",    0x1FD92, 0, kAuthDurationUnit,     {7, 0, 4}, L22},
    {kBits, "auOverallApproval", 0x1FD92, 0, kSecurityApprovalUnit, {7, 4, 4}, L22},

    // 1FD91 (unnamed) authorisation revoked
    {kByte, "AUCategoryRevoke1", 0x1FD91, 0, kSecurity1, {2}, L22},
    {kByte, "AUCategoryRevoke2", 0x1FD91, 0, kSecurity2, {3}, L22},
    {kByte, "AUCategoryRevoke3", 0x1FD91, 0, kSecurity3, {4}, L22},
    {kByte, "AUCategoryRevoke4", 0x1FD91, 0, kSecurity4, {5}, L22},

    // 1FD90 (unnamed) authorisation current
    {kByte, "auCatCurrAuthrzd1", 0x1FD90, 0, kSecurity1, {2}, L22},
    {kByte, "auCatCurrAuthrzd2", 0x1FD90, 0, kSecurity2, {3}, L22},
    {kByte, "auCatCurrAuthrzd3", 0x1FD90, 0, kSecurity3, {4}, L22},
    {kByte, "auCatCurrAuthrzd4", 0x1FD90, 0, kSecurity4, {5}, L22},

    // 1FD8F (unnamed) authorisation preliminary
    {kByte, "auCatPrelAuthrzd1", 0x1FD8F, 0, kSecurity1, {2}, L22},
    {kByte, "auCatPrelAuthrzd2", 0x1FD8F, 0, kSecurity2, {3}, L22},
    {kByte, "auCatPrelAuthrzd3", 0x1FD8F, 0, kSecurity3, {4}, L22},
    {kByte, "auCatPrelAuthrzd4", 0x1FD8F, 0, kSecurity4, {5}, L22},

    // 1FD00 (unnamed) motion-safe client
    {kFlag,  "dsMotionSafeCnxn", 0x1FD00, 0, kUnsafeMotionSafe, {2, 0},    L22},
    {kBits,  "dsSubnetID",       0x1FD00, 0, kSubnetID,         {2, 2, 3}, L22},
    {kMfgId, "dsClientMfgID",    0x1FD00, 0, kMfgCode,          {2, 5, 3}, L22, {3, 0, 8}},
    {kByte,  "dsClientDSA",      0x1FD00, 0, kDsa,              {4},       L22},
    {k3Byte, "dsASCII_ID",       0x1FD00, 0, kAsciiId,          {5},       L22},

    // 1FD01 (unnamed) target by DSA
    {kByte, "dsDSATargetDSA",      0x1FD01, 0, kDsa,      {0},       L0},
    {kByte, "dsDSATargetInstance", 0x1FD01, 0, kU8,       {1},       L0},
    {kByte, "dsDSATargetSecInst",  0x1FD01, 0, kU8,       {2},       L0},
    {kBits, "dsDSATargetSubnetID", 0x1FD01, 0, kSubnetID, {3, 0, 3}, L0},
    {kFlag, "dsDSATargetBroker",   0x1FD01, 0, kNoYes,    {4, 0},    L0},

    // 1FD02 (unnamed) target by DGN
    {k3Byte, "dsDGNTargetDGN",      0x1FD02, 0, kHex24,    {0},       L0},
    {kByte,  "dsDGNTargetInstance", 0x1FD02, 0, kU8,       {3},       L0},
    {kByte,  "dsDGNTargetSecInst",  0x1FD02, 0, kU8,       {4},       L0},
    {kBits,  "dsDGNTargetSubnetID", 0x1FD02, 0, kSubnetID, {5, 0, 3}, L0},
    {kFlag,  "dsDGNTargetBroker",   0x1FD02, 0, kNoYes,    {6, 0},    L0},

    // 1FD03 (unnamed) target by manufacturer
    {kMfgId, "dsMFGTargetMfgID",    0x1FD03, 0, kMfgCode,  {0, 0, 8}, L0, {1, 0, 3}},
    {kByte,  "dsMFGTargetDSA",      0x1FD03, 0, kDsa,      {2},       L0},
    {kByte,  "dsMFGTargetInstance", 0x1FD03, 0, kU8,       {3},       L0},
    {kByte,  "dsMFGTargetSecInst",  0x1FD03, 0, kU8,       {4},       L0},
    {kBits,  "dsMFGTargetSubnetID", 0x1FD03, 0, kSubnetID, {5, 0, 3}, L0},
    {kFlag,  "dsMFGTargetBroker",   0x1FD03, 0, kNoYes,    {6, 0},    L0},

    // 1FD05 (unnamed) tunnel request
    {kByte, "tuRqstSourceAddr", 0x1FD05, 0, kU8,       {2},       L22},
    {kByte, "tuRqstTargetAddr", 0x1FD05, 0, kU8,       {3},       L22},
    {kByte, "tuRqstBrokerInst", 0x1FD05, 0, kU8,       {4},       L22},
    {kByte, "tuRqstSeqVal",     0x1FD05, 0, kU8,       {5},       L22},
    {kByte, "tuRqstTunnelId",   0x1FD05, 0, kU8,       {6},       L22},
    {kBits, "tuRqstSubnetID",   0x1FD05, 0, kSubnetID, {7, 0, 3}, L22},
    {kBits, "tuRqstDuration",   0x1FD05, 0, kU5,       {7, 3, 5}, L22},

    // 1FD06 (unnamed) tunnel status
    {kByte,    "tuAccessAddr",    0x1FD06, 0, kU8,       {2},       L23},
    {kByte,    "tuTargetAddr",    0x1FD06, 0, kU8,       {3},       L23},
    {kRawBits, "tuLocalToBroker", 0x1FD06, 0, kU8,       {4, 0, 1}, L23},
    {kBits,    "tuSubnetID",      0x1FD06, 0, kSubnetID, {4, 2, 3}, L23},
    {kWord,    "tuDuration",      0x1FD06, 0, kSecWord,  {5},       L23},
    {kRawBits, "tuMsgBlocked",    0x1FD06, 0, kU8,       {7, 0, 1}, L23},

    // 1FD07 (unnamed) tunnel maintenance
    {kWord, "tuMntnDuration", 0x1FD07, 0, kSecWord, {2}, L23},

    // 1FD0E (unnamed) authorisation provisional
    {kByte, "auCatProvAuthrzd1", 0x1FD0E, 0, kSecurity1, {2}, L22},
    {kByte, "auCatProvAuthrzd2", 0x1FD0E, 0, kSecurity2, {3}, L22},
    {kByte, "auCatProvAuthrzd3", 0x1FD0E, 0, kSecurity3, {4}, L22},
    {kByte, "auCatProvAuthrzd4", 0x1FD0E, 0, kSecurity4, {5}, L22},

    // 1FD10 (unnamed) modify device instance
    {kFlag, "mfModDevInstAction",  0x1FD10, 0, kNoActionActivate, {0, 0}, L0},
    {kByte, "mfModDevInstDSA",     0x1FD10, 0, kDsa,              {1},    L0},
    {kByte, "mfModDevInstNewInst", 0x1FD10, 0, kU8,               {2},    L0},

    // 1FD11 (unnamed) modify receive instance
    {kFlag, "mfModRxInstAction",  0x1FD11, 0, kNoActionActivate, {0, 0}, L0},
    {kByte, "mfModRxInstDSA",     0x1FD11, 0, kDsa,              {1},    L0},
    {kByte, "mfModRxInstNewInst", 0x1FD11, 0, kU8,               {2},    L0},

    // 1FD12 (unnamed) modify transmit instance
    {kFlag, "mfModTxInstAction",  0x1FD12, 0, kNoActionActivate, {0, 0}, L0},
    {kByte, "mfModTxInstDSA",     0x1FD12, 0, kDsa,              {1},    L0},
    {kByte, "mfModTxInstNewInst", 0x1FD12, 0, kU8,               {2},    L0},

    // 1FD14 (unnamed) override status
    {kFlag, "tuOverrideStatus", 0x1FD14, 0, kInactiveActive, {1, 0}, L1},

    // 1FD15 (unnamed) override request
    {kFlag, "tuOverrideRequest", 0x1FD15, 0, kNoActionActivate, {1, 0}, L1},

    // 1FD16 (unnamed) override command
    {kFlag, "tuOverrideCommand", 0x1FD16, 0, kRejectApprove, {1, 0}, L1},

    // 16F00 DC_COMPNT_DRVR_STS_1
    {kWord, "dvDrvVltg",  0x16F00, 0, kVdc,                   {2},       L26},
    {kWord, "dvDrvCurr",  0x16F00, 0, kAdc,                   {4},       L26},
    {kFlag, "dvStatus",   0x16F00, 0, kOffOn,                 {6, 0},    L26},
    {kFlag, "dvDsrdSts",  0x16F00, 0, kOffOn,                 {6, 2},    L26},
    {kFlag, "dvShtdnSts", 0x16F00, 0, Flag("Ok", "Disabled"), {6, 4},    L26},
    {kFlag, "dvAutoRst",  0x16F00, 0, kManualAutomatic,       {6, 6},    L26},
    {kBits, "dvShutdown", 0x16F00, 0, kDriverShutdown,        {7, 0, 4}, L26},

    // 16E00 DC_COMPNT_DRVR_STS_2
    {kWord, "dvDrvTemp",  0x16E00, 0, kTempF,             {2},       L26},
    {kBits, "dvTempSts",  0x16E00, 0, kDriverTempWarning, {4, 0, 4}, L26},
    {kBits, "dvDrvrType", 0x16E00, 0, kDriverType,        {4, 4, 4}, L26},
    {kFlag, "dvUndrCrnt", 0x16E00, 0, kOkFault,           {5, 0},    L26},
    {kWord, "dvShtdTemp", 0x16E00, 0, kTempF,             {6},       L26},

    // 16D00 DC_COMPNT_DRVR_STS_3
    {kWord, "dvShtdnCnt", 0x16D00, 0, kU16, {2}, L26},
    {kWord, "dvShtdCurr", 0x16D00, 0, kAdc, {4}, L26},
    {kWord, "dvShtdVltg", 0x16D00, 0, kVdc, {6}, L26},

    // 16C00 DC_COMPNT_DRVR_STS_4
    {kWord, "dvCycleCnt", 0x16C00, 0, kU16,     {2}, L26},
    {kUint, "dvOnTime",   0x16C00, 0, kRunTime, {4}, L26},

    // 16B00 DC_COMPNT_DRVR_STS_5
    {k3Byte, "dvShtdDate", 0x16B00, 0, kDate, {2}, L26},
    {k3Byte, "dvShtdTime", 0x16B00, 0, kTime, {5}, L26},

    // 16A00 DC_COMPNT_DRVR_STNGS_1, set through 16100
    {kWord, "dvHiCurLmt", 0x16A00, 0x16100, kAdc,    {2}, L26},
    {kWord, "dvOCTmInst", 0x16A00, 0x16100, kMillis, {4}, L26},
    {kWord, "dvOCTmFltr", 0x16A00, 0x16100, kMillis, {6}, L26},

    // 16900 DC_COMPNT_DRVR_STNGS_2, set through 16200
    {kWord, "dvHiTmpLmt", 0x16900, 0x16200, kTempF, {2}, L26},
    {kWord, "dvHiVltLmp", 0x16900, 0x16200, kVdc,   {4}, L26},
    {kWord, "dvLoVltLim", 0x16900, 0x16200, kVdc,   {6}, L26},

    // 16000 DC_COMPNT_DRVR_CMD
    {kByte, "DVCommand", 0x16000, 0, kDriverCommand, {2}, L26},

    // 16300 DC_COMPNT_DRVR_STS_6
    {kFlag, "dvDirection",    0x16300, 0, Flag("Reverse", "Forward"), {2, 0}, L26},
    {kFlag, "dvPulsing",      0x16300, 0, kNoYes,                     {2, 2}, L26},
    {kFlag, "dvLockSts",      0x16300, 0, kUnlockedLocked,            {2, 4}, L26},
    {kFlag, "dvCmdTimeout",   0x16300, 0, kNoYes,                     {2, 6}, L26},
    {kByte, "dvPWMDuty",      0x16300, 0, kPct,                       {3},    L26},
    {kByte, "dvDelayRemng",   0x16300, 0, kSecByte,                   {4},    L26},
    {kByte, "dvDurtnRemng",   0x16300, 0, kSecByte,                   {5},    L26},
    {kFlag, "dvOverrideActv", 0x16300, 0, kInactiveActive,            {6, 0}, L26},

    // 0FEEB PRODUCT_ID
    {kProductID, "id", 0x0FEEB, 0, kPlain, {}, L0},
};
// clang-format on

}  // namespace

std::span<const EntryRow> SystemRows() {
  return kRows;
}

}  // namespace vlt::dictionary::catalogue
