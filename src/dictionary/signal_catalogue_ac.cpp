// Signal catalogue, AC power: generators and automatic generator starting, inverters,
// transfer switches and the generic AC points (the shared AC status layouts,
// once per device family).
//
// One block per status DGN, headed by its name and the command DGN that sets
// its signals; each row gives kind, name, status DGN, command DGN, value
// maker, position (byte; then bit and width for bit fields) and label.
#include "dictionary/signal_catalogue_parts.h"

namespace vlt::dictionary::catalogue {

namespace {

// clang-format off
constexpr EntryRow kRows[] = {
    // 1FFDF GENERATOR_AC_STS_1
    {kWord, "gnRMSVoltage",    0x1FFDF, 0, kVac,     {1},    L14},
    {kWord, "gnRMSCurrent",    0x1FFDF, 0, kAac,     {3},    L14},
    {kWord, "gnFrequency",     0x1FFDF, 0, kHz,      {5},    L14},
    {kFlag, "gnOpenGround",    0x1FFDF, 0, kOkFault, {7, 0}, L14},
    {kFlag, "gnOpenNeutral",   0x1FFDF, 0, kOkFault, {7, 2}, L14},
    {kFlag, "gnRevPolarity",   0x1FFDF, 0, kOkFault, {7, 4}, L14},
    {kFlag, "gnGroundCurrent", 0x1FFDF, 0, kOkFault, {7, 6}, L14},

    // 1FFDE GENERATOR_AC_STS_2
    {kWord, "gnPeakVoltage",    0x1FFDE, 0, kVac,     {1}, L14},
    {kWord, "gnPeakCurrent",    0x1FFDE, 0, kAac,     {3}, L14},
    {kWord, "gnGroundCurrent2", 0x1FFDE, 0, kAac,     {5}, L14},
    {kByte, "gnCapacity",       0x1FFDE, 0, kAacByte, {7}, L14},

    // 1FFDD GENERATOR_AC_STS_3
    {kFlag, "gnWaveForm",       0x1FFDD, 0, kSineNotSine, {1, 0},    L14},
    {kBits, "gnACPhase",        0x1FFDD, 0, kACPhase,     {1, 2, 4}, L14},
    {kWord, "gnRealPower",      0x1FFDD, 0, kWatts,       {2},       L14},
    {kWord, "gnReactvPower",    0x1FFDD, 0, kVAr,         {4},       L14},
    {kByte, "gnHarmDistortion", 0x1FFDD, 0, kPct,         {6},       L14},
    {kByte, "gnCompLeg",        0x1FFDD, 0, kU8,          {7},       L14},

    // 1FF94 GENERATOR_AC_STS_4
    {kByte, "gnACVoltageFault",   0x1FF94, 0, kACVoltageFault,            {1},       L14},
    {kFlag, "gnSurgeProtFault",   0x1FF94, 0, kOkFault,                   {2, 0},    L14},
    {kFlag, "gnHighFreqFault",    0x1FF94, 0, kOkFault,                   {2, 2},    L14},
    {kFlag, "gnLowFreqFault",     0x1FF94, 0, kOkFault,                   {2, 4},    L14},
    {kFlag, "gnBypassMode",       0x1FF94, 0, kNormalBypass,              {2, 6},    L14},
    {kBits, "gnQualificationSts", 0x1FF94, 0, Choices(4, kQualification), {3, 0, 4}, L14},

    // 1FF93 GENERATOR_ACFAULT_CONFIG_STS_1, set through 1FF91
    {kByte, "gnFltLvl:ExtLoVLmt", 0x1FF93, 0x1FF91, kVacByte,      {1},    L14},
    {kByte, "gnFltLvl:LoVLmt",    0x1FF93, 0x1FF91, kVacByte,      {2},    L14},
    {kByte, "gnFltLvl:HiVLmt",    0x1FF93, 0x1FF91, kVacByte,      {3},    L14},
    {kByte, "gnFltLvl:ExtHiVLmt", 0x1FF93, 0x1FF91, kVacByte,      {4},    L14},
    {kByte, "gnFltQualifyTime",   0x1FF93, 0x1FF91, kSecByte,      {5},    L14},
    {kFlag, "gnFltBypassMode",    0x1FF93, 0x1FF91, kNormalBypass, {6, 0}, L14},

    // 1FF92 GENERATOR_ACFAULT_CONFIG_STS_2, set through 1FF90
    {kByte, "gnFltLvl:HiFreqLmt", 0x1FF92, 0x1FF90, kHzByte, {1}, L14},
    {kByte, "gnFltLvl:LoFreqLmt", 0x1FF92, 0x1FF90, kHzByte, {2}, L14},

    // 1FFDC GENERATOR_STS_1
    {kByte, "gnStatus",       0x1FFDC, 0, kGenStatus, {0}, L0},
    {kUint, "gnRunTime",      0x1FFDC, 0, kRunTime,   {1}, L0},
    {kByte, "gnLoad",         0x1FFDC, 0, kPct,       {5}, L0},
    {kWord, "gnBatteryVolts", 0x1FFDC, 0, kVdc,       {6}, L0},

    // 1FFDB GENERATOR_STS_2
    {kFlag, "gnTempShutdown",    0x1FFDB, 0, kInactiveActive, {0, 0}, L0},
    {kFlag, "gnOilPrsrShutdown", 0x1FFDB, 0, kInactiveActive, {0, 2}, L0},
    {kFlag, "gnOilLevel",        0x1FFDB, 0, kOkLow,          {0, 4}, L0},
    {kFlag, "gnCautionLamp",     0x1FFDB, 0, kOffOn,          {0, 6}, L0},
    {kByte, "gnCoolantTemp",     0x1FFDB, 0, kTempByte,       {1},    L0},
    {kByte, "gnOilPressure",     0x1FFDB, 0, kOilPressure,    {2},    L0},
    {kWord, "gnEngineRPM",       0x1FFDB, 0, kRpm,            {3},    L0},
    {kWord, "gnFuelRate",        0x1FFDB, 0, kFuelRate,       {5},    L0},

    // 1FFDA GENERATOR_CMD
    {kByte, "GNCommand", 0x1FFDA, 0, kGenCommand, {0}, L0},

    // 1FFD9 GENERATOR_START_CONFIG_STS, set through 1FFD8
    EntryRow{kByte, "gnGenset_Type",   0x1FFD9, 0x1FFD8, kGensetType, {1}, L0}.Identifier(0x64EA),
    EntryRow{kByte, "gnGen_Pre_Crank", 0x1FFD9, 0x1FFD8, kSecByte,    {2}, L0}.Identifier(0x64DE),
    EntryRow{kByte, "gnGen_Max_Crank", 0x1FFD9, 0x1FFD8, kSecByte,    {3}, L0}.Identifier(0x64DD),
    EntryRow{kByte, "gnGen_Stop_Time", 0x1FFD9, 0x1FFD8, kSecByte,    {4}, L0}.Identifier(0x64E5),

    // 1FF80 GENERATOR_DEMAND_STS, set through 1FEFF
    {kFlag,         "gdGenerator_Demand",  0x1FF80, 0x1FEFF, kNoYes,          {0, 0}, L0},
    {kFlag,         "gdInternal_Demand",   0x1FF80, 0x1FEFF, kNoYes,          {0, 2}, L0},
    {kFlag,         "gdNetwork_Demand",    0x1FF80, 0x1FEFF, kNoYes,          {0, 4}, L0},
    {kFlag,         "gdExternal_Activity", 0x1FF80, 0x1FEFF, kNoYes,          {0, 6}, L0},
    {kFlag,         "gdManual_Override",   0x1FF80, 0x1FEFF, kOffOn,          {1, 0}, L0},
    {kFlag,         "gdIn_Quiet_Time",     0x1FF80, 0x1FEFF, kNoYes,          {1, 2}, L0},
    {kFlag,         "gdQT_Override",       0x1FF80, 0x1FEFF, kOffOn,          {1, 4}, L0},
    {kFlag,         "gdGenerator_Lock",    0x1FF80, 0x1FEFF, kUnlockedLocked, {1, 6}, L0},
    EntryRow{kWord, "gdQuiet_Time_Begin",  0x1FF80, 0x1FEFF, kTimeOfDay,      {2},    L0}.Identifier(0x64DF),
    EntryRow{kWord, "gdQuiet_Time_End",    0x1FF80, 0x1FEFF, kTimeOfDay,      {4},    L0}.Identifier(0x64E0),
    {kByte,         "gdMin_Cycle_Time",    0x1FF80, 0x1FEFF, kMinByte,        {6},    L0},

    // 1FEFF GENERATOR_DEMAND_CMD
    {kFlag, "GDGenerator_Demand", 0x1FEFF, 0, kNoYes,            {0, 0}, L0},
    {kFlag, "GDQT_Override",      0x1FEFF, 0, kOffOn,            {0, 2}, L0},
    {kFlag, "GDExternalActReset", 0x1FEFF, 0, kNoActionActivate, {0, 4}, L0},
    {kFlag, "GDManual_Override",  0x1FEFF, 0, kOffOn,            {0, 6}, L0},
    {kFlag, "GDGenerator_Lock",   0x1FEFF, 0, kUnlockedLocked,   {1, 0}, L0},
    {kFlag, "GDExternalActSet",   0x1FEFF, 0, kNoActionActivate, {1, 2}, L0},

    // 1FEFE AGS_CRITERION_STS, set through 1FEFD
    // Byte 1 is the criterion the AGS entries select on; each criterion
    // reads bytes 3 to 7 its own way.
    {kFlag,                "gcAGSCrit_Dmnd",     0x1FEFE, 0x1FEFD, kNoYes,          {2, 0}, L1},
    {kFlag,                "gcAGSCrit_Sts",      0x1FEFE, 0x1FEFD, kInactiveActive, {2, 2}, L1},
    {kByte,                "gcAGSCrit_Type",     0x1FEFE, 0x1FEFD, kAGSCritType,    {1},    L1},
    EntryRow{kByteAGSCrit, "gcVdcAGS_DC_Inst",   0x1FEFE, 0x1FEFD, kU8,             {3},    L0}.Criterion(0),
    EntryRow{kWordAGSCrit, "gcVdcAGS_Trigger",   0x1FEFE, 0x1FEFD, kVdc,            {4},    L0}.Criterion(0),
    EntryRow{kWordAGSCrit, "gcVdcAGS_TimeUnder", 0x1FEFE, 0x1FEFD, kSecWord,        {6},    L0}.Criterion(0),
    EntryRow{kByteAGSCrit, "gcSoCAGS_DC_Inst",   0x1FEFE, 0x1FEFD, kU8,             {3},    L0}.Criterion(1),
    EntryRow{kByteAGSCrit, "gcSoCAGS_Start_Soc", 0x1FEFE, 0x1FEFD, kPct,            {4},    L0}.Criterion(1),
    EntryRow{kByteAGSCrit, "gcSoCAGS_End_SoC",   0x1FEFE, 0x1FEFD, kPct,            {5},    L0}.Criterion(1),
    EntryRow{kWordAGSCrit, "gcSocAGS_TimeUnder", 0x1FEFE, 0x1FEFD, kSecWord,        {6},    L0}.Criterion(1),
    EntryRow{kByteAGSCrit, "gcAdcAGS_DC_Inst",   0x1FEFE, 0x1FEFD, kU8,             {3},    L0}.Criterion(2),
    EntryRow{kWordAGSCrit, "gcAdcAGS_Trigger",   0x1FEFE, 0x1FEFD, kAdc,            {4},    L0}.Criterion(2),
    EntryRow{kWordAGSCrit, "gcAdcAGS_TimeOver",  0x1FEFE, 0x1FEFD, kSecWord,        {6},    L0}.Criterion(2),
    EntryRow{kByteAGSCrit, "gcTmpAGS_Temp_Inst", 0x1FEFE, 0x1FEFD, kU8,             {3},    L0}.Criterion(3),
    EntryRow{kWordAGSCrit, "gcTmpAGS_Trigger",   0x1FEFE, 0x1FEFD, kTempF,          {4},    L0}.Criterion(3),
    EntryRow{kWordAGSCrit, "gcTmpAGS_TimeUnder", 0x1FEFE, 0x1FEFD, kSecWord,        {6},    L0}.Criterion(3),
    EntryRow{kByteAGSCrit, "gcVacAGS_ATS_Inst",  0x1FEFE, 0x1FEFD, kU8,             {3},    L0}.Criterion(4),
    EntryRow{kWordAGSCrit, "gcVacAGS_Trigger",   0x1FEFE, 0x1FEFD, kVac,            {4},    L0}.Criterion(4),
    EntryRow{kWordAGSCrit, "gcVacAGS_TimeUnder", 0x1FEFE, 0x1FEFD, kSecWord,        {6},    L0}.Criterion(4),
    EntryRow{kWordAGSCrit, "gcQT_Begin",         0x1FEFE, 0x1FEFD, kTimeOfDay,      {3},    L0}.Criterion(5),
    EntryRow{kWordAGSCrit, "gcQT_End",           0x1FEFE, 0x1FEFD, kTimeOfDay,      {5},    L0}.Criterion(5),
    EntryRow{kWordAGSCrit, "gcSchedAGS_Begin",   0x1FEFE, 0x1FEFD, kTimeOfDay,      {3},    L0}.Criterion(6),
    EntryRow{kWordAGSCrit, "gcSchedAGS_RunTime", 0x1FEFE, 0x1FEFD, kMinWord,        {5},    L0}.Criterion(6),

    // 1FED2 AGS_CRITERION_STS_2
    EntryRow{kByteAGSCrit, "gcVdcAGS_Timer", 0x1FED2, 0, kMinByte, {1}, L0}.Criterion(0),
    EntryRow{kByteAGSCrit, "gcSoCAGS_Timer", 0x1FED2, 0, kMinByte, {1}, L0}.Criterion(1),
    EntryRow{kByteAGSCrit, "gcAdcAGS_Timer", 0x1FED2, 0, kMinByte, {1}, L0}.Criterion(2),
    EntryRow{kByteAGSCrit, "gcTmpAGS_Timer", 0x1FED2, 0, kMinByte, {1}, L0}.Criterion(3),
    EntryRow{kByteAGSCrit, "gcVacAGS_Timer", 0x1FED2, 0, kMinByte, {1}, L0}.Criterion(4),

    // 1FEE6 GEN_DEMAND_CONFIG_STS_depr, set through 1FEE7
    {kFlag, "gxAGSDisable-Park Brake", 0x1FEE6, 0x1FEE7, kInactiveActive, {0, 0}, L0},
    {kFlag, "gxAGSDisable-Ignition",   0x1FEE6, 0x1FEE7, kInactiveActive, {0, 2}, L0},
    {kFlag, "gxAGSDisable-Drive",      0x1FEE6, 0x1FEE7, kInactiveActive, {0, 4}, L0},
    {kFlag, "gxAGSDisable-Motion",     0x1FEE6, 0x1FEE7, kInactiveActive, {0, 6}, L0},
    {kFlag, "gxAGSDisable-OEM_Switch", 0x1FEE6, 0x1FEE7, kInactiveActive, {1, 0}, L0},
    {kFlag, "gxAGSDisable-Srvc_Brake", 0x1FEE6, 0x1FEE7, kInactiveActive, {1, 2}, L0},
    {kFlag, "gxAGSDisable-CO_Detect",  0x1FEE6, 0x1FEE7, kInactiveActive, {1, 4}, L0},
    {kFlag, "gxAGSDisable-Open_Cmptm", 0x1FEE6, 0x1FEE7, kInactiveActive, {1, 6}, L0},
    {kFlag, "gxAGSDisable-Fire_Alarm", 0x1FEE6, 0x1FEE7, kInactiveActive, {2, 0}, L0},
    {kFlag, "gxAGSDisable-Manual_Op",  0x1FEE6, 0x1FEE7, kInactiveActive, {2, 2}, L0},
    {kFlag, "gxAGSDisable-Gen_Fault",  0x1FEE6, 0x1FEE7, kInactiveActive, {2, 4}, L0},
    {kFlag, "gxAGSDisable-Sys_Fault",  0x1FEE6, 0x1FEE7, kInactiveActive, {2, 6}, L0},
    {kFlag, "gxAGSDisable-Shore_Pwr",  0x1FEE6, 0x1FEE7, kInactiveActive, {3, 0}, L0},
    {kFlag, "gxAGSDisable-50A_Shore",  0x1FEE6, 0x1FEE7, kInactiveActive, {3, 2}, L0},
    {kByte, "gxAGSDisable-Time_Span",  0x1FEE6, 0x1FEE7, kDays,           {4},    L0},
    {kByte, "gxAGSDisable-Days_Left",  0x1FEE6, 0x1FEE7, kDays,           {5},    L0},

    // 1FED4 AGS_DEMAND_CONFIG_STS, set through 1FED5
    {kFlag, "gdAGSDisable-Park_Brake", 0x1FED4, 0x1FED5, kInactiveActive, {0, 0}, L0},
    {kFlag, "gdAGSDisable-Ignition",   0x1FED4, 0x1FED5, kInactiveActive, {0, 2}, L0},
    {kFlag, "gdAGSDisable-Drive",      0x1FED4, 0x1FED5, kInactiveActive, {0, 4}, L0},
    {kFlag, "gdAGSDisable-Motion",     0x1FED4, 0x1FED5, kInactiveActive, {0, 6}, L0},
    {kFlag, "gdAGSDisable-OEM_Switch", 0x1FED4, 0x1FED5, kInactiveActive, {1, 0}, L0},
    {kFlag, "gdAGSDisable-Srvc_Brake", 0x1FED4, 0x1FED5, kInactiveActive, {1, 2}, L0},
    {kFlag, "gdAGSDisable-CO_Detect",  0x1FED4, 0x1FED5, kInactiveActive, {1, 4}, L0},
    {kFlag, "gdAGSDisable-Open_Cmptm", 0x1FED4, 0x1FED5, kInactiveActive, {1, 6}, L0},
    {kFlag, "gdAGSDisable-Fire_Alarm", 0x1FED4, 0x1FED5, kInactiveActive, {2, 0}, L0},
    {kFlag, "gdAGSDisable-Manual_Op",  0x1FED4, 0x1FED5, kInactiveActive, {2, 2}, L0},
    {kFlag, "gdAGSDisable-Gen_Fault",  0x1FED4, 0x1FED5, kInactiveActive, {2, 4}, L0},
    {kFlag, "gdAGSDisable-Sys_Fault",  0x1FED4, 0x1FED5, kInactiveActive, {2, 6}, L0},
    {kFlag, "gdAGSDisable-Shore_Pwr",  0x1FED4, 0x1FED5, kInactiveActive, {3, 0}, L0},
    {kFlag, "gdAGSDisable-50A_Shore",  0x1FED4, 0x1FED5, kInactiveActive, {3, 2}, L0},
    {kByte, "gdAGSDisable-Time_Span",  0x1FED4, 0x1FED5, kDays,           {4},    L0},
    {kByte, "gdAGSDisable-Days_Left",  0x1FED4, 0x1FED5, kDays,           {5},    L0},

    // 1FFD7 INVERTER_AC_STS_1
    {kWord, "inRMSVoltage",    0x1FFD7, 0, kVac,     {1},    L11},
    {kWord, "inRMSCurrent",    0x1FFD7, 0, kAac,     {3},    L11},
    {kWord, "inFrequency",     0x1FFD7, 0, kHz,      {5},    L11},
    {kFlag, "inOpenGround",    0x1FFD7, 0, kOkFault, {7, 0}, L11},
    {kFlag, "inOpenNeutral",   0x1FFD7, 0, kOkFault, {7, 2}, L11},
    {kFlag, "inRevPolarity",   0x1FFD7, 0, kOkFault, {7, 4}, L11},
    {kFlag, "inGroundCurrent", 0x1FFD7, 0, kOkFault, {7, 6}, L11},

    // 1FFD6 INVERTER_AC_STS_2
    {kWord, "inPeakVoltage",    0x1FFD6, 0, kVac,     {1}, L11},
    {kWord, "inPeakCurrent",    0x1FFD6, 0, kAac,     {3}, L11},
    {kWord, "inGroundCurrent2", 0x1FFD6, 0, kAac,     {5}, L11},
    {kByte, "inCapacity",       0x1FFD6, 0, kAacByte, {7}, L11},

    // 1FFD5 INVERTER_AC_STS_3
    {kFlag, "inWaveForm",       0x1FFD5, 0, kSineNotSine, {1, 0},    L11},
    {kBits, "inACPhase",        0x1FFD5, 0, kACPhase,     {1, 2, 4}, L11},
    {kWord, "inRealPower",      0x1FFD5, 0, kWatts,       {2},       L11},
    {kWord, "inReactvPower",    0x1FFD5, 0, kVAr,         {4},       L11},
    {kByte, "inHarmDistortion", 0x1FFD5, 0, kPct,         {6},       L11},
    {kByte, "inCompLeg",        0x1FFD5, 0, kU8,          {7},       L11},

    // 1FF8F INVERTER_AC_STS_4
    {kByte, "inACVoltageFault",   0x1FF8F, 0, kACVoltageFault,            {1},       L11},
    {kFlag, "inSurgeProtFault",   0x1FF8F, 0, kOkFault,                   {2, 0},    L11},
    {kFlag, "inHighFreqFault",    0x1FF8F, 0, kOkFault,                   {2, 2},    L11},
    {kFlag, "inLowFreqFault",     0x1FF8F, 0, kOkFault,                   {2, 4},    L11},
    {kFlag, "inBypassMode",       0x1FF8F, 0, kNormalBypass,              {2, 6},    L11},
    {kBits, "inQualificationSts", 0x1FF8F, 0, Choices(4, kQualification), {3, 0, 4}, L11},

    // 1FF8E INVERTER_ACFAULT_CONFIG_STS_1, set through 1FF8C
    {kByte, "inFltLvl:ExtLoVLmt", 0x1FF8E, 0x1FF8C, kVacByte,      {1},    L11},
    {kByte, "inFltLvl:LoVLmt",    0x1FF8E, 0x1FF8C, kVacByte,      {2},    L11},
    {kByte, "inFltLvl:HiVLmt",    0x1FF8E, 0x1FF8C, kVacByte,      {3},    L11},
    {kByte, "inFltLvl:ExtHiVLmt", 0x1FF8E, 0x1FF8C, kVacByte,      {4},    L11},
    {kByte, "inFltQualifyTime",   0x1FF8E, 0x1FF8C, kSecByte,      {5},    L11},
    {kFlag, "inFltBypassMode",    0x1FF8E, 0x1FF8C, kNormalBypass, {6, 0}, L11},

    // 1FF8D INVERTER_ACFAULT_CONFIG_STS_2, set through 1FF8B
    {kByte, "inFltLvl:HiFreqLmt", 0x1FF8D, 0x1FF8B, kHzByte, {1}, L11},
    {kByte, "inFltLvl:LoFreqLmt", 0x1FF8D, 0x1FF8B, kHzByte, {2}, L11},

    // 1FFD4 INVERTER_STS
    {kByte, "inStatus",          0x1FFD4, 0, kInverterStatus,  {1},    L1},
    {kFlag, "inBattSnsrPresent", 0x1FFD4, 0, kNoYes,           {2, 0}, L1},
    {kFlag, "inLoadSenseEnable", 0x1FFD4, 0, kDisabledEnabled, {2, 2}, L1},
    {kFlag, "inInverterEnable",  0x1FFD4, 0, kDisabledEnabled, {2, 4}, L1},
    {kFlag, "inPassthruEnable",  0x1FFD4, 0, kDisabledEnabled, {2, 6}, L1},
    {kFlag, "inGenSupprtEnable", 0x1FFD4, 0, kDisabledEnabled, {3, 0}, L1},

    // 1FFD2 INVERTER_CONFIG_STS_1, set through 1FFD0
    {kWord, "inLoadSenseThold",   0x1FFD2, 0x1FFD0, kWatts,           {1},    L1},
    {kWord, "inLoadSenseIntval",  0x1FFD2, 0x1FFD0, kHalfSec,         {3},    L1},
    {kWord, "inShutdownVMin",     0x1FFD2, 0x1FFD0, kVdc,             {5},    L1},
    {kFlag, "inEnableOnStartup",  0x1FFD2, 0x1FFD0, kDisabledEnabled, {7, 0}, L1},
    {kFlag, "inLoadSnsOnStart",   0x1FFD2, 0x1FFD0, kDisabledEnabled, {7, 2}, L1},
    {kFlag, "inPassThruOnStart",  0x1FFD2, 0x1FFD0, kDisabledEnabled, {7, 4}, L1},
    {kFlag, "inGenSupprtOnStart", 0x1FFD2, 0x1FFD0, kDisabledEnabled, {7, 6}, L1},

    // 1FFD3 INVERTER_CMD
    // Listed after INVERTER_CONFIG_STS_1, whose settings register plain entries
    // under these upper-case names; the real ones must come later to keep them.
    {kFlag, "INInverterEnable",   0x1FFD3, 0, kDisabledEnabled, {1, 0}, L1},
    {kFlag, "INLoadSenseEnable",  0x1FFD3, 0, kDisabledEnabled, {1, 2}, L1},
    {kFlag, "INPassThruEnable",   0x1FFD3, 0, kDisabledEnabled, {1, 4}, L1},
    {kFlag, "INGenSupprtEnable",  0x1FFD3, 0, kDisabledEnabled, {1, 6}, L1},
    {kFlag, "INEnableOnStartup",  0x1FFD3, 0, kDisabledEnabled, {7, 0}, L1},
    {kFlag, "INLoadSnsOnStart",   0x1FFD3, 0, kDisabledEnabled, {7, 2}, L1},
    {kFlag, "INPassThruOnStart",  0x1FFD3, 0, kDisabledEnabled, {7, 4}, L1},
    {kFlag, "INGenSupprtOnStart", 0x1FFD3, 0, kDisabledEnabled, {7, 6}, L1},

    // 1FFD1 INVERTER_CONFIG_STS_2, set through 1FFCF
    {kWord, "inShutdownVMax", 0x1FFD1, 0x1FFCF, kVdc, {1}, L1},
    {kWord, "inWarningVMin",  0x1FFD1, 0x1FFCF, kVdc, {3}, L1},
    {kWord, "inWarningVMax",  0x1FFD1, 0x1FFCF, kVdc, {5}, L1},

    // 1FFCE INVERTER_STATISTICS_STS
    // Two pages share the DGN: the counters, and the voltage extremes.
    {kWord, "inDCUnderVoltCnt",    0x1FFCE, 0, kU16,       {1}, L1},
    {kWord, "inACOutOverloadCnt",  0x1FFCE, 0, kU16,       {3}, L1},
    {kWord, "inLoadSenseEngCnt",   0x1FFCE, 0, kU16,       {5}, L1},
    {kByte, "inLowestDCVoltage",   0x1FFCE, 0, kVoltTenth, {1}, L1},
    {kByte, "inHighestDCVoltage",  0x1FFCE, 0, kVoltTenth, {2}, L1},
    {kByte, "inLowestACInVolts",   0x1FFCE, 0, kVacByte,   {3}, L1},
    {kByte, "inHighestACInVolts",  0x1FFCE, 0, kVacByte,   {4}, L1},
    {kByte, "inLowestACOutVolts",  0x1FFCE, 0, kVacByte,   {5}, L1},
    {kByte, "inHighestACOutVolts", 0x1FFCE, 0, kVacByte,   {6}, L1},

    // 1FFCD INVERTER_APS_STS
    {kByte, "inNumAPSInstances", 0x1FFCD, 0, kU8,    {1}, L1},
    {kWord, "inAPSVoltage",      0x1FFCD, 0, kVdc,   {2}, L1},
    {kWord, "inAPSCurrent",      0x1FFCD, 0, kAdc,   {4}, L1},
    {kWord, "inAPSTemperature",  0x1FFCD, 0, kTempF, {6}, L1},

    // 1FFCC INVERTER_DCBUS_STS
    {kByte, "inNumDCBusInstances", 0x1FFCC, 0, kU8,    {1}, L1},
    {kWord, "inDCBusVoltage",      0x1FFCC, 0, kVdc,   {2}, L1},
    {kWord, "inDCBusCurrent",      0x1FFCC, 0, kAdc,   {4}, L1},
    {kWord, "inDCBusTemperature",  0x1FFCC, 0, kTempF, {6}, L1},

    // 1FFCB INVERTER_OPS_STS
    {kByte, "inNumOPSInstances", 0x1FFCB, 0, kU8,    {1}, L1},
    {kWord, "inOPSVoltage",      0x1FFCB, 0, kVdc,   {2}, L1},
    {kWord, "inOPSCurrent",      0x1FFCB, 0, kAdc,   {4}, L1},
    {kWord, "inOPSTemperature",  0x1FFCB, 0, kTempF, {6}, L1},

    // 1FEE8 INVERTER_DC_STS
    {kWord, "inInputVoltage", 0x1FEE8, 0, kVdc, {1}, L1},
    {kWord, "inInputCurrent", 0x1FEE8, 0, kAdc, {3}, L1},

    // 1FECE INVERTER_CONFIG_STS_3, set through 1FECD
    {kWord, "inDCShutdownDelay", 0x1FECE, 0x1FECD, kSecWord,   {1}, L1},
    {kByte, "inStackMode",       0x1FECE, 0x1FECD, kStackMode, {3}, L1},

    // 1FEBD INVERTER_TEMPERATURE_STS
    {kWord, "inFET1Temperature", 0x1FEBD, 0, kTempF, {1}, L1},
    {kWord, "inTransformerTemp", 0x1FEBD, 0, kTempF, {3}, L1},
    {kWord, "inFET2Temperature", 0x1FEBD, 0, kTempF, {5}, L1},

    // 1FE9B INVERTER_CONFIG_STS_4, set through 1FE9A
    {kWord, "inOutputACVoltage",  0x1FE9B, 0x1FE9A, kVac,     {1}, L1},
    {kByte, "inOutputACFreq",     0x1FE9B, 0x1FE9A, kHzByte,  {3}, L1},
    {kWord, "inOutputPowerLimit", 0x1FE9B, 0x1FE9A, kWatts,   {4}, L1},
    {kWord, "inOutputTimeLimit",  0x1FE9B, 0x1FE9A, kMinWord, {6}, L1},

    // 1FDCB INVERTER_TEMP_STS_2
    {kWord, "inBoardTemp",     0x1FDCB, 0, kTempF, {1}, L1},
    {kWord, "inCapacitorTemp", 0x1FDCB, 0, kTempF, {3}, L1},
    {kWord, "inAmbientTemp",   0x1FDCB, 0, kTempF, {5}, L1},

    // 1FFAD ATS_AC_STS_1
    {kWord, "tsRMSVoltage",    0x1FFAD, 0, kVac,     {1},    L12},
    {kWord, "tsRMSCurrent",    0x1FFAD, 0, kAac,     {3},    L12},
    {kWord, "tsFrequency",     0x1FFAD, 0, kHz,      {5},    L12},
    {kFlag, "tsOpenGround",    0x1FFAD, 0, kOkFault, {7, 0}, L12},
    {kFlag, "tsOpenNeutral",   0x1FFAD, 0, kOkFault, {7, 2}, L12},
    {kFlag, "tsRevPolarity",   0x1FFAD, 0, kOkFault, {7, 4}, L12},
    {kFlag, "tsGroundCurrent", 0x1FFAD, 0, kOkFault, {7, 6}, L12},

    // 1FFAC ATS_AC_STS_2
    {kWord, "tsPeakVoltage",    0x1FFAC, 0, kVac,     {1}, L12},
    {kWord, "tsPeakCurrent",    0x1FFAC, 0, kAac,     {3}, L12},
    {kWord, "tsGroundCurrent2", 0x1FFAC, 0, kAac,     {5}, L12},
    {kByte, "tsCapacity",       0x1FFAC, 0, kAacByte, {7}, L12},

    // 1FFAB ATS_AC_STS_3
    {kFlag, "tsWaveForm",       0x1FFAB, 0, kSineNotSine, {1, 0},    L12},
    {kBits, "tsACPhase",        0x1FFAB, 0, kACPhase,     {1, 2, 4}, L12},
    {kWord, "tsRealPower",      0x1FFAB, 0, kWatts,       {2},       L12},
    {kWord, "tsReactvPower",    0x1FFAB, 0, kVAr,         {4},       L12},
    {kByte, "tsHarmDistortion", 0x1FFAB, 0, kPct,         {6},       L12},
    {kByte, "tsCompLeg",        0x1FFAB, 0, kU8,          {7},       L12},

    // 1FF85 ATS_AC_STS_4
    {kByte, "tsACVoltageFault",   0x1FF85, 0, kACVoltageFault,            {1},       L12},
    {kFlag, "tsSurgeProtFault",   0x1FF85, 0, kOkFault,                   {2, 0},    L12},
    {kFlag, "tsHighFreqFault",    0x1FF85, 0, kOkFault,                   {2, 2},    L12},
    {kFlag, "tsLowFreqFault",     0x1FF85, 0, kOkFault,                   {2, 4},    L12},
    {kFlag, "tsBypassMode",       0x1FF85, 0, kNormalBypass,              {2, 6},    L12},
    {kBits, "tsQualificationSts", 0x1FF85, 0, Choices(4, kQualification), {3, 0, 4}, L12},

    // 1FF84 ATS_ACFAULT_CONFIG_STS_1, set through 1FF82
    {kByte, "tsFltLvl:ExtLoVLmt", 0x1FF84, 0x1FF82, kVacByte,      {1},    L12},
    {kByte, "tsFltLvl:LoVLmt",    0x1FF84, 0x1FF82, kVacByte,      {2},    L12},
    {kByte, "tsFltLvl:HiVLmt",    0x1FF84, 0x1FF82, kVacByte,      {3},    L12},
    {kByte, "tsFltLvl:ExtHiVLmt", 0x1FF84, 0x1FF82, kVacByte,      {4},    L12},
    {kByte, "tsFltQualifyTime",   0x1FF84, 0x1FF82, kSecByte,      {5},    L12},
    {kFlag, "tsFltBypassMode",    0x1FF84, 0x1FF82, kNormalBypass, {6, 0}, L12},

    // 1FF83 ATS_ACFAULT_CONFIG_STS_2, set through 1FF81
    {kByte, "tsFltLvl:HiFreqLmt", 0x1FF83, 0x1FF81, kHzByte, {1}, L12},
    {kByte, "tsFltLvl:LoFreqLmt", 0x1FF83, 0x1FF81, kHzByte, {2}, L12},

    // 1FFAA ATS_STS, set through 1FFA9
    {kBits, "tsSourceInUse",   0x1FFAA, 0x1FFA9, Choices(3, kAtsSource), {1, 0, 3}, L1},
    {kFlag, "tsSwitchingMode", 0x1FFAA, 0x1FFA9, kAutoManual,            {1, 4},    L1},

    // 1FEBB GENERIC_AC_STS_1
    {kWord, "asRMSVoltage",    0x1FEBB, 0, kVac,     {1},    L13},
    {kWord, "asRMSCurrent",    0x1FEBB, 0, kAac,     {3},    L13},
    {kWord, "asFrequency",     0x1FEBB, 0, kHz,      {5},    L13},
    {kFlag, "asOpenGround",    0x1FEBB, 0, kOkFault, {7, 0}, L13},
    {kFlag, "asOpenNeutral",   0x1FEBB, 0, kOkFault, {7, 2}, L13},
    {kFlag, "asRevPolarity",   0x1FEBB, 0, kOkFault, {7, 4}, L13},
    {kFlag, "asGroundCurrent", 0x1FEBB, 0, kOkFault, {7, 6}, L13},

    // 1FEBA GENERIC_AC_STS_2
    {kWord, "asPeakVoltage",    0x1FEBA, 0, kVac,     {1}, L13},
    {kWord, "asPeakCurrent",    0x1FEBA, 0, kAac,     {3}, L13},
    {kWord, "asGroundCurrent2", 0x1FEBA, 0, kAac,     {5}, L13},
    {kByte, "asCapacity",       0x1FEBA, 0, kAacByte, {7}, L13},

    // 1FEB9 GENERIC_AC_STS_3
    {kFlag, "asWaveForm",       0x1FEB9, 0, kSineNotSine, {1, 0},    L13},
    {kBits, "asACPhase",        0x1FEB9, 0, kACPhase,     {1, 2, 4}, L13},
    {kWord, "asRealPower",      0x1FEB9, 0, kWatts,       {2},       L13},
    {kWord, "asReactvPower",    0x1FEB9, 0, kVAr,         {4},       L13},
    {kByte, "asHarmDistortion", 0x1FEB9, 0, kPct,         {6},       L13},
    {kByte, "asCompLeg",        0x1FEB9, 0, kU8,          {7},       L13},

    // 1FEB8 GENERIC_AC_STS_4
    {kByte, "asACVoltageFault",   0x1FEB8, 0, kACVoltageFault,            {1},       L13},
    {kFlag, "asSurgeProtFault",   0x1FEB8, 0, kOkFault,                   {2, 0},    L13},
    {kFlag, "asHighFreqFault",    0x1FEB8, 0, kOkFault,                   {2, 2},    L13},
    {kFlag, "asLowFreqFault",     0x1FEB8, 0, kOkFault,                   {2, 4},    L13},
    {kFlag, "asBypassMode",       0x1FEB8, 0, kNormalBypass,              {2, 6},    L13},
    {kBits, "asQualificationSts", 0x1FEB8, 0, Choices(4, kQualification), {3, 0, 4}, L13},

    // 1FEB7 GENERIC_ACFAULT_CONFIG_STS_1, set through 1FEB5
    {kByte, "asFltLvl:ExtLoVLmt", 0x1FEB7, 0x1FEB5, kVacByte,      {1},    L13},
    {kByte, "asFltLvl:LoVLmt",    0x1FEB7, 0x1FEB5, kVacByte,      {2},    L13},
    {kByte, "asFltLvl:HiVLmt",    0x1FEB7, 0x1FEB5, kVacByte,      {3},    L13},
    {kByte, "asFltLvl:ExtHiVLmt", 0x1FEB7, 0x1FEB5, kVacByte,      {4},    L13},
    {kByte, "asFltQualifyTime",   0x1FEB7, 0x1FEB5, kSecByte,      {5},    L13},
    {kFlag, "asFltBypassMode",    0x1FEB7, 0x1FEB5, kNormalBypass, {6, 0}, L13},

    // 1FEB6 GENERIC_ACFAULT_CONFIG_STS_2, set through 1FEB4
    {kByte, "asFltLvl:HiFreqLmt", 0x1FEB6, 0x1FEB4, kHzByte, {1}, L13},
    {kByte, "asFltLvl:LoFreqLmt", 0x1FEB6, 0x1FEB4, kHzByte, {2}, L13},
};
// clang-format on

}  // namespace

std::span<const EntryRow> AcPowerRows() {
  return kRows;
}

}  // namespace vlt::dictionary::catalogue
