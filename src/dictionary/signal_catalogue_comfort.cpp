// Signal catalogue, comfort: thermostats, air conditioners, furnaces, heat pumps and floor
// heat, water heaters and pumps, fans, the refrigerator, weather, tanks and
// waste dumping.
//
// One block per status DGN, headed by its name and the command DGN that sets
// its signals; each row gives kind, name, status DGN, command DGN, value
// maker, position (byte; then bit and width for bit fields) and label.
#include "dictionary/signal_catalogue_parts.h"

namespace vlt::dictionary::catalogue {

namespace {

// clang-format off
constexpr EntryRow kRows[] = {
    // 1FFF5 GAS_SENSOR_STS
    {kByte, "gsGasSensorType",   0x1FFF5, 0, kGasSensorType,  {1},    L1},
    {kWord, "gsPartsPerMillion", 0x1FFF5, 0, kU16,            {2},    L1},
    {kFlag, "gsAlarmSts",        0x1FFF5, 0, kInactiveActive, {4, 0}, L1},
    {kFlag, "gsWarningSts",      0x1FFF5, 0, kOkWarning,      {4, 2}, L1},
    {kFlag, "gsDCSupplySts",     0x1FFF5, 0, kOkFault,        {4, 4}, L1},
    {kFlag, "gsSensorSts",       0x1FFF5, 0, kOkFault,        {4, 6}, L1},

    // 1FFE4 FURNACE_STS, set through 1FFE3
    {kBits, "fuHeatSource",      0x1FFE4, 0x1FFE3, kHeatSource, {1, 2, 6}, L1},
    {kFlag, "fuOpMode",          0x1FFE4, 0x1FFE3, kAutoManual, {1, 0},    L1},
    {kByte, "fuFanSpeed",        0x1FFE4, 0x1FFE3, kPct,        {2},       L1},
    {kByte, "fuHeatLevel",       0x1FFE4, 0x1FFE3, kPct,        {3},       L1},
    {kByte, "fuDeadBand",        0x1FFE4, 0x1FFE3, kDeltaC,     {4},       L1},
    {kByte, "fuSecDeadBand",     0x1FFE4, 0x1FFE3, kDeltaC,     {5},       L1},
    {kFlag, "fuOvercurrentSts",  0x1FFE4, 0x1FFE3, kOkFault,    {6, 0},    L1},
    {kFlag, "fuUndercurrentSts", 0x1FFE4, 0x1FFE3, kOkFault,    {6, 2},    L1},
    {kFlag, "fuTempWarning",     0x1FFE4, 0x1FFE3, kOkWarning,  {6, 4},    L1},
    {kFlag, "fuAnalogInputSts",  0x1FFE4, 0x1FFE3, kOffOn,      {6, 6},    L1},

    // 1FFE2 THERMOSTAT_STS_1, set through 1FEF9
    {kBits, "thOpMode",    0x1FFE2, 0x1FEF9, kThermOpMode,     {1, 0, 4}, L1},
    {kFlag, "thFanMode",   0x1FFE2, 0x1FEF9, kAutoOn,          {1, 4},    L1},
    {kFlag, "thSchedMode", 0x1FFE2, 0x1FEF9, kDisabledEnabled, {1, 6},    L1},
    {kByte, "thFanSpeed",  0x1FFE2, 0x1FEF9, kPct,             {2},       L1},
    {kWord, "thHeatSetPt", 0x1FFE2, 0x1FEF9, kTempF,           {3},       L1},
    {kWord, "thCoolSetPt", 0x1FFE2, 0x1FEF9, kTempF,           {5},       L1},

    // 1FFE1 AIR_CONDITIONER_STS, set through 1FFE0
    {kByte, "acOpMode",         0x1FFE1, 0x1FFE0, kACOpMode, {1}, L1},
    {kByte, "acMaxFanSpeed",    0x1FFE1, 0x1FFE0, kPct,      {2}, L1},
    {kByte, "acMaxOutputLevel", 0x1FFE1, 0x1FFE0, kPct,      {3}, L1},
    {kByte, "acFanSpeed",       0x1FFE1, 0x1FFE0, kPct,      {4}, L1},
    {kByte, "acOutputLevel",    0x1FFE1, 0x1FFE0, kPct,      {5}, L1},
    {kByte, "acDeadBand",       0x1FFE1, 0x1FFE0, kDeltaC,   {6}, L1},
    {kByte, "acSecDeadBand",    0x1FFE1, 0x1FFE0, kDeltaC,   {7}, L1},

    // 1FF9C THERMOSTAT_AMBIENT_STS
    {kWord, "thAmbient Temp", 0x1FF9C, 0, kTempF, {1}, L1},

    // 1FF9B HEAT_PUMP_STS, set through 1FF9A
    {kByte, "hpOpMode",         0x1FF9B, 0x1FF9A, kACOpMode, {1}, L1},
    {kByte, "hpMaxOutputLevel", 0x1FF9B, 0x1FF9A, kPct,      {2}, L1},
    {kByte, "hpOutputLevel",    0x1FF9B, 0x1FF9A, kPct,      {3}, L1},
    {kByte, "hpDeadBand",       0x1FF9B, 0x1FF9A, kDeltaC,   {4}, L1},
    {kByte, "hpSecDeadBand",    0x1FF9B, 0x1FF9A, kDeltaC,   {5}, L1},
    {kByte, "hpFanSpeed",       0x1FF9B, 0x1FF9A, kPct,      {6}, L1},

    // 1FEFC FLOOR_HEAT_STS, set through 1FEFB
    EntryRow{kFlag, "fhFHeat_OpMode", 0x1FEFC, 0x1FEFB, kAutoManual,      {1, 0}, L1}.Identifier(0x6442),
    EntryRow{kFlag, "fhFHeat_OpSts",  0x1FEFC, 0x1FEFB, kOffOn,           {1, 2}, L1}.Identifier(0x6441),
    {kFlag,         "fhElement_Sts",  0x1FEFC, 0x1FEFB, kOffOn,           {1, 4}, L1},
    EntryRow{kFlag, "fhSched_Sts",    0x1FEFC, 0x1FEFB, kDisabledEnabled, {1, 6}, L1}.Identifier(0x6443),
    {kWord,         "fhFloor_Temp",   0x1FEFC, 0x1FEFB, kTempF,           {2},    L1},
    EntryRow{kWord, "fhSet_Point",    0x1FEFC, 0x1FEFB, kTempF,           {4},    L1}.Identifier(0x6440),
    {kByte,         "fhDead_Band",    0x1FEFC, 0x1FEFB, kDeltaC,          {6},    L1},

    // 1FEFB FLOOR_HEAT_CMD
    // Listed as its own command; the set point is read only here.
    {kWord, "FHSet_Point", 0x1FEFB, 0, kTempF, {2}, L1},

    // 1FEFA THERMOSTAT_STS_2, set through 1FEF8
    {kByte, "thCurrSchedInst", 0x1FEFA, 0x1FEF8, kU8,    {1},    L1},
    {kByte, "thNumSchedInst",  0x1FEFA, 0x1FEF8, kU8,    {2},    L1},
    {kFlag, "thRdcdNoiseMode", 0x1FEFA, 0x1FEF8, kOffOn, {3, 0}, L1},
    {kFlag, "thEcoMode",       0x1FEFA, 0x1FEF8, kOffOn, {3, 2}, L1},
    {kFlag, "thTurboMode",     0x1FEFA, 0x1FEF8, kOffOn, {3, 4}, L1},

    // 1FEF7 THERMOSTAT_SCHEDULE_STS_1, set through 1FEF5
    {kByte, "thsStartHour", 0x1FEF7, 0x1FEF5, kU8,    {2}, L10},
    {kByte, "thsStartMin",  0x1FEF7, 0x1FEF5, kU8,    {3}, L10},
    {kWord, "thsHeatSetPt", 0x1FEF7, 0x1FEF5, kTempF, {4}, L10},
    {kWord, "thsCoolSetPt", 0x1FEF7, 0x1FEF5, kTempF, {6}, L10},

    // 1FEF6 THERMOSTAT_SCHEDULE_STS_2, set through 1FEF4
    {kFlag, "thsOnSunday",    0x1FEF6, 0x1FEF4, kNoYes, {2, 0}, L10},
    {kFlag, "thsOnMonday",    0x1FEF6, 0x1FEF4, kNoYes, {2, 2}, L10},
    {kFlag, "thsOnTuesday",   0x1FEF6, 0x1FEF4, kNoYes, {2, 4}, L10},
    {kFlag, "thsOnWednesday", 0x1FEF6, 0x1FEF4, kNoYes, {2, 6}, L10},
    {kFlag, "thsOnThursday",  0x1FEF6, 0x1FEF4, kNoYes, {3, 0}, L10},
    {kFlag, "thsOnFriday",    0x1FEF6, 0x1FEF4, kNoYes, {3, 2}, L10},
    {kFlag, "thsOnSaturday",  0x1FEF6, 0x1FEF4, kNoYes, {3, 4}, L10},

    // 1FDC9 AIR_COND_STS_2
    {kBits, "acCompressorSts", 0x1FDC9, 0, kACCompressorSts, {1, 0, 4}, L1},
    {kFlag, "acRdcdNoiseMode", 0x1FDC9, 0, kOffOn,           {1, 4},    L1},
    {kWord, "acExteriorTemp",  0x1FDC9, 0, kTempF,           {2},       L1},
    {kWord, "acCoilTemp",      0x1FDC9, 0, kTempF,           {4},       L1},
    {kFlag, "acCoilTempError", 0x1FDC9, 0, kOkFault,         {6, 0},    L1},
    {kFlag, "acCoilFreezeDet", 0x1FDC9, 0, kNoYes,           {6, 2},    L1},
    {kFlag, "acExtTempError",  0x1FDC9, 0, kOkFault,         {6, 4},    L1},
    {kFlag, "acDefrostActive", 0x1FDC9, 0, kInactiveActive,  {6, 6},    L1},

    // 1FDAD AIR_COND_COMPNT_STS, set through 1FDAC
    {kBits, "acCmpntMode",         0x1FDAD, 0x1FDAC, kACComponentMode,  {2, 0, 4}, L21},
    {kFlag, "acCmpntDeIcing",      0x1FDAD, 0x1FDAC, kInactiveActive,   {2, 4},    L21},
    {kByte, "acCmpntOutputLevel",  0x1FDAD, 0x1FDAC, kPct,              {3},       L21},
    {kByte, "acCmpntOutputResltn", 0x1FDAD, 0x1FDAC, kU8,               {4},       L21},
    {kBits, "acCmpntState",        0x1FDAD, 0x1FDAC, kACComponentState, {5, 0, 4}, L21},
    {kWord, "acCmpntDelayTimer",   0x1FDAD, 0x1FDAC, kSecWord,          {6},       L21},

    // 1FDAB AIR_COND_COMPNT_STS_2
    {kWord, "acCmpntCurrent", 0x1FDAB, 0, kAac,   {2}, L21},
    {kWord, "acCmpntVoltage", 0x1FDAB, 0, kVac,   {4}, L21},
    {kWord, "acCmpntPower",   0x1FDAB, 0, kWatts, {6}, L21},

    // 1FDA1 (unnamed) furnace configuration, set through 1FDA0
    {kBits, "fuTempSnsrLocation", 0x1FDA1, 0x1FDA0, kTempSensorLocation, {1, 0, 4}, L1},

    // 1FFF7 WATERHEATER_STS, set through 1FFF6
    {kByte, "whOpMode",          0x1FFF7, 0x1FFF6, kWaterHeaterOpMode,     {1},    L1},
    {kWord, "whSetPoint",        0x1FFF7, 0x1FFF6, kTempF,                 {2},    L1},
    {kWord, "whWaterTemp",       0x1FFF7, 0x1FFF6, kTempF,                 {4},    L1},
    {kFlag, "whThermostatSts",   0x1FFF7, 0x1FFF6, Flag("Met", "Not Met"), {6, 0}, L1},
    {kFlag, "whBurnerSts",       0x1FFF7, 0x1FFF6, kOffOn,                 {6, 2}, L1},
    {kFlag, "whACElementSts",    0x1FFF7, 0x1FFF6, kOffOn,                 {6, 4}, L1},
    {kFlag, "whHiTempLimitSts",  0x1FFF7, 0x1FFF6, Flag("Ok", "Tripped"),  {6, 6}, L1},
    {kFlag, "whIgnitionFailSts", 0x1FFF7, 0x1FFF6, kOkFault,               {7, 0}, L1},
    {kFlag, "whACFailureSts",    0x1FFF7, 0x1FFF6, kOkFault,               {7, 2}, L1},
    {kFlag, "whDCPowerSts",      0x1FFF7, 0x1FFF6, kOkFault,               {7, 4}, L1},
    {kFlag, "whDCWarningSts",    0x1FFF7, 0x1FFF6, kOkWarning,             {7, 6}, L1},

    // 1FFF6 WATERHEATER_CMD
    {kBits, "WHElectricLevel", 0x1FFF6, 0, kU4, {6, 0, 4}, L1},

    // 1FE99 WATERHEATER_STS_2
    {kBits, "whElectricLevel",      0x1FE99, 0, kU4,                       {1, 0, 4}, L1},
    {kBits, "whMaxElectLevel",      0x1FE99, 0, kU4,                       {1, 4, 4}, L1},
    {kBits, "whEnginePreheat",      0x1FE99, 0, kWaterHeaterEnginePreheat, {2, 0, 4}, L1},
    {kFlag, "whLowCoolantWrng",     0x1FE99, 0, kOkLow,                    {2, 4},    L1},
    {kFlag, "whHotWaterPriority",   0x1FE99, 0, kHotWaterHeating,          {2, 6},    L1},
    {kFlag, "whBurnerOutputSts",    0x1FE99, 0, kOffOn,                    {3, 0},    L1},
    {kFlag, "whBurnerIndicator",    0x1FE99, 0, kOffOn,                    {3, 2},    L1},
    {kFlag, "whElecLoOutputSts",    0x1FE99, 0, kOffOn,                    {3, 4},    L1},
    {kFlag, "whElecHiOutputSts",    0x1FE99, 0, kOffOn,                    {3, 6},    L1},
    {kFlag, "whOvercurrentSts",     0x1FE99, 0, kOkFault,                  {4, 0},    L1},
    {kFlag, "whUndercurrentSts",    0x1FE99, 0, kOkFault,                  {4, 2},    L1},
    {kFlag, "whBurnerTempSts",      0x1FE99, 0, kOkWarning,                {4, 4},    L1},
    {kFlag, "whBurnerInputSts",     0x1FE99, 0, kOffOn,                    {4, 6},    L1},
    {kFlag, "whIndOvercurSts",      0x1FE99, 0, kOkFault,                  {5, 0},    L1},
    {kFlag, "whIndUndercurrSts",    0x1FE99, 0, kOkFault,                  {5, 2},    L1},
    {kFlag, "whIntTempSts",         0x1FE99, 0, kOkWarning,                {5, 4},    L1},
    {kFlag, "whACLoOvercurSts",     0x1FE99, 0, kOkFault,                  {6, 0},    L1},
    {kFlag, "whACLoUndercurrSts",   0x1FE99, 0, kOkFault,                  {6, 2},    L1},
    {kFlag, "whACLoTempSts",        0x1FE99, 0, kOkWarning,                {6, 4},    L1},
    {kFlag, "whACLoInputSts",       0x1FE99, 0, kOffOn,                    {6, 6},    L1},
    {kFlag, "whACHiOvercurSts",     0x1FE99, 0, kOkFault,                  {7, 0},    L1},
    {kFlag, "whACHiUndercurrSts",   0x1FE99, 0, kOkFault,                  {7, 2},    L1},
    {kFlag, "whACHiTempSts",        0x1FE99, 0, kOkWarning,                {7, 4},    L1},
    {kFlag, "whACHiInputSts",       0x1FE99, 0, kOffOn,                    {7, 6},    L1},
    {kBits, "whElecElemLvl",        0x1FE99, 0, kU4,                       {1, 0, 4}, L1},
    {kBits, "whElecElemMaxLvl",     0x1FE99, 0, kU4,                       {1, 4, 4}, L1},
    {kBits, "whEnginePreheatSts",   0x1FE99, 0, kWaterHeaterEnginePreheat, {2, 0, 4}, L1},
    {kFlag, "whCoolantLevel",       0x1FE99, 0, kOkLow,                    {2, 4},    L1},
    {kFlag, "whHotWaterPriority",   0x1FE99, 0, kHotWaterHeating,          {2, 6},    L1},
    {kFlag, "whBurnerOutputSts2",   0x1FE99, 0, kOffOn,                    {3, 0},    L1},
    {kFlag, "whBurnerIndictrSts",   0x1FE99, 0, kOffOn,                    {3, 2},    L1},
    {kFlag, "whElecLoOutputSts2",   0x1FE99, 0, kOffOn,                    {3, 4},    L1},
    {kFlag, "whElecHiOutputSts2",   0x1FE99, 0, kOffOn,                    {3, 6},    L1},
    {kFlag, "whBurnerOverCurrnt",   0x1FE99, 0, kOkFault,                  {4, 0},    L1},
    {kFlag, "whBurnerUnderCurrnt",  0x1FE99, 0, kOkFault,                  {4, 2},    L1},
    {kFlag, "whBurnerTemperature",  0x1FE99, 0, kOkWarning,                {4, 4},    L1},
    {kFlag, "whBurnerInputSts2",    0x1FE99, 0, kOffOn,                    {4, 6},    L1},
    {kFlag, "whBrnrIndOverCurr",    0x1FE99, 0, kOkFault,                  {5, 0},    L1},
    {kFlag, "whBrnrIndUnderCurr",   0x1FE99, 0, kOkFault,                  {5, 2},    L1},
    {kFlag, "whBrnrIndTemp",        0x1FE99, 0, kOkWarning,                {5, 4},    L1},
    {kFlag, "whElecLowOverCurrnt",  0x1FE99, 0, kOkFault,                  {6, 0},    L1},
    {kFlag, "whElecLowUnderCurrnt", 0x1FE99, 0, kOkFault,                  {6, 2},    L1},
    {kFlag, "whElecLowTemperature", 0x1FE99, 0, kOkWarning,                {6, 4},    L1},
    {kFlag, "whElecLowInputSts",    0x1FE99, 0, kOffOn,                    {6, 6},    L1},
    {kFlag, "whElecHiOverCurrnt",   0x1FE99, 0, kOkFault,                  {7, 0},    L1},
    {kFlag, "whElecHiUnderCurrnt",  0x1FE99, 0, kOkFault,                  {7, 2},    L1},
    {kFlag, "whElecHiTemperature",  0x1FE99, 0, kOkWarning,                {7, 4},    L1},
    {kFlag, "whElecHiInputSts",     0x1FE99, 0, kOffOn,                    {7, 6},    L1},

    // 1FE98 WATERHEATER_CMD_2
    {kBits, "WHEnginePreheat2",   0x1FE98, 0, kPreHeatStatus,      {1, 0, 4}, L1},
    {kByte, "WHWaterHeaterCmd",   0x1FE98, 0, kWaterHeaterCommand, {2},       L1},
    {kFlag, "WHHotWaterPriority", 0x1FE98, 0, kHotWaterHeating,    {3, 0},    L1},

    // 1FE97 CIRCULATION_PUMP_STS, set through 1FE96
    {kBits, "cpPumpOutput",      0x1FE97, 0x1FE96, kWaterHeaterEnginePreheat, {1, 0, 4}, L1},
    {kFlag, "cpPumpOverCurrnt",  0x1FE97, 0x1FE96, kOkFault,                  {2, 0},    L1},
    {kFlag, "cpPumpUnderCurrnt", 0x1FE97, 0x1FE96, kOkFault,                  {2, 2},    L1},
    {kFlag, "cpPumpTemperature", 0x1FE97, 0x1FE96, kOkWarning,                {2, 4},    L1},

    // 1FD9F (unnamed) circulation pump timers
    {kWord, "cpPumpOverrideTimer", 0x1FD9F, 0, kMinWord, {1}, L1},

    // 1FD9E (unnamed) water heater timers
    {kWord, "whSysTimer",   0x1FD9E, 0, kMinWord, {1}, L1},
    {kWord, "whWaterTimer", 0x1FD9E, 0, kMinWord, {3}, L1},

    // 1FD9D (unnamed) water heater timer configuration, set through 1FD9C
    {kWord, "whSysTimerStartVal",   0x1FD9D, 0x1FD9C, kMinWord, {1}, L1},
    {kWord, "whWaterTimerStartVal", 0x1FD9D, 0x1FD9C, kMinWord, {3}, L1},

    // 1FEA7 ROOF_FAN_STS, set through 1FEA6
    {kFlag, "vfSystemStatus", 0x1FEA7, 0x1FEA6, kOffOn,                    {1, 0},    L1},
    {kFlag, "vfFanMode",      0x1FEA7, 0x1FEA6, kAutoOn,                   {1, 2},    L1},
    {kFlag, "vfSpeedMode",    0x1FEA7, 0x1FEA6, kAutoManual,               {1, 4},    L1},
    {kFlag, "vfLight",        0x1FEA7, 0x1FEA6, kOffOn,                    {1, 6},    L1},
    {kByte, "vfFanSpeed",     0x1FEA7, 0x1FEA6, kPct,                      {2},       L1},
    {kFlag, "vfFanDirection", 0x1FEA7, 0x1FEA6, Flag("Air Out", "Air In"), {3, 0},    L1},
    {kBits, "vfDomePosition", 0x1FEA7, 0x1FEA6, kDomePosition,             {3, 2, 4}, L1},
    {kFlag, "vfRainSensor",   0x1FEA7, 0x1FEA6, Flag("No Rain", "Rain"),   {3, 6},    L1},
    {kWord, "vfTemperature",  0x1FEA7, 0x1FEA6, kTempF,                    {4},       L1},
    {kWord, "vfSetPoint",     0x1FEA7, 0x1FEA6, kTempF,                    {6},       L1},

    // 1FDE3 ROOF_FAN_STS_2, set through 1FDE2
    {kByte,    "vfDomeMotion",        0x1FDE3, 0x1FDE2, kOpeningClosing,                {1},       L1},
    {kByte,    "vfPosition",          0x1FDE3, 0x1FDE2, kPct,                           {2},       L1},
    {kFlag,    "vfRainDetected",      0x1FDE3, 0x1FDE2, kNoYes,                         {3, 0},    L1},
    {kFlag,    "vfRainSenseMode",     0x1FDE3, 0x1FDE2, Flag("Use Sensor", "Override"), {3, 2},    L1},
    {kFlag,    "vfDomeSetptControl",  0x1FDE3, 0x1FDE2, kDisabledEnabled,               {3, 4},    L1},
    {kFlag,    "vfDomeAutoCloseWFan", 0x1FDE3, 0x1FDE2, kDisabledEnabled,               {3, 6},    L1},
    {kFlag,    "vfFanAutoStopWClose", 0x1FDE3, 0x1FDE2, kDisabledEnabled,               {4, 0},    L1},
    {kRawBits, "vfFanSpeedSteps",     0x1FDE3, 0x1FDE2, kU8,                            {4, 2, 6}, L1},

    // 1FDE2 ROOF_FAN_CMD_2
    {kFlag,    "VFRainSenseMode",     0x1FDE2, 0, Flag("Use Sensor", "Override"), {3, 0},    L1},
    {kFlag,    "VFDomeSetptControl",  0x1FDE2, 0, kDisabledEnabled,               {3, 2},    L1},
    {kFlag,    "VFDomeAutoCloseWFan", 0x1FDE2, 0, kDisabledEnabled,               {3, 4},    L1},
    {kFlag,    "VFFanAutoStopWClose", 0x1FDE2, 0, kDisabledEnabled,               {3, 6},    L1},
    {kFlag,    "VFFanSpeedAdjust",    0x1FDE2, 0, kDecrementIncrement,            {4, 0},    L1},
    {kRawBits, "VFFanStepIncrement",  0x1FDE2, 0, kU8,                            {4, 2, 6}, L1},

    // 1FD9B (unnamed) temperature-controlled fan, set through 1FD9A
    {kFlag, "fnOpMode",       0x1FD9B, 0x1FD9A, kAutoManual, {1, 0}, L1},
    {kByte, "fnOpLevel",      0x1FD9B, 0x1FD9A, kPct,        {2},    L1},
    {kWord, "fnFanRPM",       0x1FD9B, 0x1FD9A, kU16,        {3},    L1},
    {kWord, "fnMeasuredTemp", 0x1FD9B, 0x1FD9A, kTempF,      {5},    L1},

    // 1FD99 (unnamed) temperature-controlled fan configuration, set through 1FD98
    {kFlag, "fnFanSpeedSensor",  0x1FD99, 0x1FD98, kNoYes,           {1, 0}, L1},
    {kFlag, "fnTempControlMode", 0x1FD99, 0x1FD98, kDisabledEnabled, {1, 2}, L1},
    {kWord, "fnSetPointStart",   0x1FD99, 0x1FD98, kTempF,           {2},    L1},
    {kWord, "fnSetPointFanMax",  0x1FD99, 0x1FD98, kTempF,           {4},    L1},
    {kByte, "fnDeadBand",        0x1FD99, 0x1FD98, kDeltaC,          {6},    L1},

    // 1FDD3 REFRIGERATOR_STS, set through 1FDD2
    {kFlag, "rfLightStatus",   0x1FDD3, 0x1FDD2, kOffOn,           {1, 0},    L19},
    {kFlag, "rfDoorSwitch",    0x1FDD3, 0x1FDD2, kClosedOpen,      {1, 2},    L19},
    {kWord, "rfCurrentTemp",   0x1FDD3, 0x1FDD2, kTempF,           {2},       L19},
    {kWord, "rfSetPoint",      0x1FDD3, 0x1FDD2, kTempF,           {4},       L19},
    {kBits, "rfFuelSource",    0x1FDD3, 0x1FDD2, kReferFuelSource, {6, 0, 4}, L19},
    {kBits, "rfOperatingMode", 0x1FDD3, 0x1FDD2, kReferOpMode,     {6, 4, 4}, L19},
    {kByte, "rfCmprssrSpeed",  0x1FDD3, 0x1FDD2, kPct,             {7},       L19},

    // 1FFA5 WEATHER_STS_1, set through 1FFA1
    {kWord, "wsExteriorAirTemp",     0x1FFA5, 0x1FFA1, kTempF, {0}, L0},
    {kWord, "wsAlternativeAirTemp",  0x1FFA5, 0x1FFA1, kTempF, {2}, L0},
    {kWord, "wsAbsoluteAirPressure", 0x1FFA5, 0x1FFA1, kMbar,  {4}, L0},
    {kByte, "wsRelativeHumidity",    0x1FFA5, 0x1FFA1, kPct,   {6}, L0},

    // 1FFA4 WEATHER_STS_2
    {kByte, "wsWindSpeed",      0x1FFA4, 0, kKphByte, {0}, L0},
    {kWord, "wsWindDirection",  0x1FFA4, 0, kHeading, {1}, L0},
    {kByte, "wsSolarIntensity", 0x1FFA4, 0, kKlux,    {3}, L0},
    {kByte, "wsRainIntensity",  0x1FFA4, 0, kPct,     {4}, L0},

    // 1FFA3 ALTIMETER_STS
    {kWord, "wsCompensatedAirPressure", 0x1FFA3, 0, kMbar,     {0}, L0},
    {kWord, "wsBasisAirPressure",       0x1FFA3, 0, kMbar,     {2}, L0},
    {kWord, "wsAltitude",               0x1FFA3, 0, kAltitude, {4}, L0},

    // 1FFA2 ALTIMETER_CMD
    {kByte, "WSAltimeterCommand", 0x1FFA2, 0, kAltimeterCommand, {0}, L0},
    {kWord, "WSPressureValue",    0x1FFA2, 0, kMbar,             {1}, L0},

    // 1FDE1 WEATHER_ALARM_STS, set through 1FDE0
    {kWord, "wsAirTempHiAlarmLevel",   0x1FDE1, 0x1FDE0, kTempF,   {0}, L0},
    {kWord, "wsAirTempLoAlarmLevel",   0x1FDE1, 0x1FDE0, kTempF,   {2}, L0},
    {kByte, "wsHumidityAlarmLevel",    0x1FDE1, 0x1FDE0, kPct,     {4}, L0},
    {kByte, "wsWindSpeedAlarmLevel",   0x1FDE1, 0x1FDE0, kKphByte, {5}, L0},
    {kByte, "wsRainIntensityAlarmLvl", 0x1FDE1, 0x1FDE0, kPct,     {6}, L0},

    // 1FFB7 TANK_STS, set through 1FFB6
    // The precision is the resolution byte inside the level pair.
    {kWord,         "tkTank_Level",     0x1FFB7, 0x1FFB6, kTankLevel, {1}, L1},
    {kWord,         "tkTank_Abs_Lvl",   0x1FFB7, 0x1FFB6, kLitres,    {3}, L1},
    EntryRow{kWord, "tkTank_Size",      0x1FFB7, 0x1FFB6, kLitres,    {5}, L1}.Identifier(0x6423),
    EntryRow{kByte, "tkTank_Precision", 0x1FFB7, 0x1FFB6, kU8,        {2}, L1}.Identifier(0x6422),

    // 1FFB3 WATER_PUMP_STS, set through 1FFB2
    {kFlag, "wpPump_Op_Status",     0x1FFB3, 0x1FFB2, kOffOn,   {0, 0}, L0},
    {kFlag, "wpPump_Run_Status",    0x1FFB3, 0x1FFB2, kOffOn,   {0, 2}, L0},
    {kFlag, "wpWater_Src_Detected", 0x1FFB3, 0x1FFB2, kNoYes,   {0, 4}, L0},
    {kWord, "wpSystem_Pressure",    0x1FFB3, 0x1FFB2, kPsiWord, {1},    L0},
    {kWord, "wpPump_Prsr_Setting",  0x1FFB3, 0x1FFB2, kPsiWord, {3},    L0},
    {kWord, "wpRegulator_Setting",  0x1FFB3, 0x1FFB2, kPsiWord, {5},    L0},
    {kByte, "wpOperating_Current",  0x1FFB3, 0x1FFB2, kAdcByte, {7},    L0},

    // 1FFB1 AUTOFILL_STS, set through 1FFB0
    {kFlag, "wfFill_Op_Status",      0x1FFB1, 0x1FFB0, kOffOn,          {0, 0},    L0},
    {kFlag, "wfFill_Valve_Status",   0x1FFB1, 0x1FFB0, kClosedOpen,     {0, 2},    L0},
    {kBits, "wfFill_Last_Operation", 0x1FFB1, 0x1FFB0, kAutoFillLastOp, {0, 4, 4}, L0},

    // 1FFAF WASTEDUMP_STS, set through 1FFAE
    {kFlag, "wdBlackValveSts",      0x1FFAF, 0x1FFAE, kClosedOpen,         {0, 0},    L0},
    {kFlag, "wdGrayValveSts",       0x1FFAF, 0x1FFAE, kClosedOpen,         {0, 2},    L0},
    {kFlag, "wdSafetyLockSts",      0x1FFAF, 0x1FFAE, kUnlockedLocked,     {0, 4},    L0},
    {kFlag, "wdSewerHosePosition",  0x1FFAF, 0x1FFAE, kRetractedExtended,  {0, 6},    L0},
    {kByte, "wdSewerHoseMotion",    0x1FFAF, 0x1FFAE, Choices(8, kMotion), {1},       L0},
    {kFlag, "wdBlackFlushSts",      0x1FFAF, 0x1FFAE, kClosedFlushing,     {2, 0},    L0},
    {kFlag, "wdGrayFlushSts",       0x1FFAF, 0x1FFAE, kClosedFlushing,     {2, 2},    L0},
    {kFlag, "wdBlackAdditiveSts",   0x1FFAF, 0x1FFAE, kRequiredDelivered,  {2, 4},    L0},
    {kFlag, "wdGrayAdditiveSts",    0x1FFAF, 0x1FFAE, kRequiredDelivered,  {2, 6},    L0},
    {kBits, "wdBlackAutoDumpMode",  0x1FFAF, 0x1FFAE, kDumpMode,           {3, 0, 4}, L0},
    {kBits, "wdGrayAutoDumpMode",   0x1FFAF, 0x1FFAE, kDumpMode,           {3, 4, 4}, L0},
    {kByte, "wdBlackAutoDumpLevel", 0x1FFAF, 0x1FFAE, kPct,                {5},       L0},
    {kByte, "wdGrayAutoDumpLevel",  0x1FFAF, 0x1FFAE, kPct,                {6},       L0},

    // 1FFAE WASTEDUMP_CMD
    {kByte, "WDBlackTankCmd",     0x1FFAE, 0, kDumpCommand,     {0}, L0},
    {kByte, "WDGrayTankCmd",      0x1FFAE, 0, kDumpCommand,     {1}, L0},
    {kByte, "WDHoseExtensionCmd", 0x1FFAE, 0, kExtendRetract,   {2}, L0},
    {kByte, "WDBlackAutoDumpCmd", 0x1FFAE, 0, kAutoDumpCommand, {3}, L0},
    {kByte, "WDGrayAutoDumpCmd",  0x1FFAE, 0, kAutoDumpCommand, {4}, L0},
};
// clang-format on

}  // namespace

std::span<const EntryRow> ComfortRows() {
  return kRows;
}

}  // namespace vlt::dictionary::catalogue
