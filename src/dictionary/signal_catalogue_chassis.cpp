// Signal catalogue, chassis: chassis and suspension, leveling, slide rooms, awnings, TV
// lifts, steps, locks and windows, motors and shades, tires, compass and GPS,
// valves.
//
// One block per status DGN, headed by its name and the command DGN that sets
// its signals; each row gives kind, name, status DGN, command DGN, value
// maker, position (byte; then bit and width for bit fields) and label.
#include "dictionary/signal_catalogue_parts.h"

namespace vlt::dictionary::catalogue {

namespace {

// clang-format off
constexpr EntryRow kRows[] = {
    // 1FFED LEVELING_CONTROL_STS, set through 1FFEE
    {kByte, "lvOperatingMode",     0x1FFED, 0x1FFEE, kLevelingOpModeCmd, {0},    L0},
    {kFlag, "lvHydrStableSts",     0x1FFED, 0x1FFEE, kNoYes,             {1, 0}, L0},
    {kFlag, "lvAirSleepSts",       0x1FFED, 0x1FFEE, kInactiveActive,    {1, 2}, L0},
    {kFlag, "lvAirReleveling",     0x1FFED, 0x1FFEE, kInactiveActive,    {1, 4}, L0},
    {kFlag, "lvInitlSlopeWarning", 0x1FFED, 0x1FFEE, kOkWarning,         {1, 6}, L0},
    {kFlag, "lvFinalSlopeWarning", 0x1FFED, 0x1FFEE, kOkWarning,         {2, 0}, L0},
    {kFlag, "lvMasterWarning",     0x1FFED, 0x1FFEE, kOkWarning,         {2, 2}, L0},
    {kFlag, "lv_LR_Lower",         0x1FFED, 0x1FFEE, kNoActionLower,     {3, 0}, L0},
    {kFlag, "lv_LR_Raise",         0x1FFED, 0x1FFEE, kNoActionRaise,     {3, 2}, L0},
    {kFlag, "lv_RF_Lower",         0x1FFED, 0x1FFEE, kNoActionLower,     {3, 4}, L0},
    {kFlag, "lv_RF_Raise",         0x1FFED, 0x1FFEE, kNoActionRaise,     {3, 6}, L0},
    {kFlag, "lv_RR_Lower",         0x1FFED, 0x1FFEE, kNoActionLower,     {4, 0}, L0},
    {kFlag, "lv_RR_Raise",         0x1FFED, 0x1FFEE, kNoActionRaise,     {4, 2}, L0},
    {kFlag, "lv_LF_Lower",         0x1FFED, 0x1FFEE, kNoActionLower,     {4, 4}, L0},
    {kFlag, "lv_LF_Raise",         0x1FFED, 0x1FFEE, kNoActionRaise,     {4, 6}, L0},
    {kFlag, "lv_LM_Lower",         0x1FFED, 0x1FFEE, kNoActionLower,     {5, 0}, L0},
    {kFlag, "lv_LM_Raise",         0x1FFED, 0x1FFEE, kNoActionRaise,     {5, 2}, L0},
    {kFlag, "lv_RM_Lower",         0x1FFED, 0x1FFEE, kNoActionLower,     {5, 4}, L0},
    {kFlag, "lv_RM_Raise",         0x1FFED, 0x1FFEE, kNoActionRaise,     {5, 6}, L0},
    {kFlag, "lv_TNG_Lower",        0x1FFED, 0x1FFEE, kNoActionLower,     {6, 0}, L0},
    {kFlag, "lv_TNG_Raise",        0x1FFED, 0x1FFEE, kNoActionRaise,     {6, 2}, L0},
    {kFlag, "lvParkBrakeLock",     0x1FFED, 0x1FFEE, kInactiveActive,    {7, 0}, L0},
    {kFlag, "lvIgnitionLock",      0x1FFED, 0x1FFEE, kInactiveActive,    {7, 2}, L0},
    {kFlag, "lvLowVoltageLock",    0x1FFED, 0x1FFEE, kInactiveActive,    {7, 4}, L0},
    {kFlag, "lvOtherLock",         0x1FFED, 0x1FFEE, kInactiveActive,    {7, 6}, L0},

    // 1FFEE LEVELING_CONTROL_CMD
    {kFlag, "LV_LR_Lower",  0x1FFEE, 0, kNoActionLower, {0, 0}, L0},
    {kFlag, "LV_LR_Raise",  0x1FFEE, 0, kNoActionRaise, {0, 2}, L0},
    {kFlag, "LV_RF_Lower",  0x1FFEE, 0, kNoActionLower, {0, 4}, L0},
    {kFlag, "LV_RF_Raise",  0x1FFEE, 0, kNoActionRaise, {0, 6}, L0},
    {kFlag, "LV_RR_Lower",  0x1FFEE, 0, kNoActionLower, {1, 0}, L0},
    {kFlag, "LV_RR_Raise",  0x1FFEE, 0, kNoActionRaise, {1, 2}, L0},
    {kFlag, "LV_LF_Lower",  0x1FFEE, 0, kNoActionLower, {1, 4}, L0},
    {kFlag, "LV_LF_Raise",  0x1FFEE, 0, kNoActionRaise, {1, 6}, L0},
    {kFlag, "LV_LM_Lower",  0x1FFEE, 0, kNoActionLower, {2, 0}, L0},
    {kFlag, "LV_LM_Raise",  0x1FFEE, 0, kNoActionRaise, {2, 2}, L0},
    {kFlag, "LV_RM_Lower",  0x1FFEE, 0, kNoActionLower, {2, 4}, L0},
    {kFlag, "LV_RM_Raise",  0x1FFEE, 0, kNoActionRaise, {2, 6}, L0},
    {kFlag, "LV_TNG_Lower", 0x1FFEE, 0, kNoActionLower, {3, 0}, L0},
    {kFlag, "LV_TNG_Raise", 0x1FFEE, 0, kNoActionRaise, {3, 2}, L0},

    // 1FFEC LEVELING_JACK_STS
    {kBits, "lvJackType",          0x1FFEC, 0, kJackType,          {0, 0, 4}, L0},
    {kBits, "lvJackCount",         0x1FFEC, 0, kU4,                {0, 4, 4}, L0},
    {kFlag, "lvLRJackExtension",   0x1FFEC, 0, kRetractedExtended, {1, 0},    L0},
    {kFlag, "lvRFJackExtension",   0x1FFEC, 0, kRetractedExtended, {1, 2},    L0},
    {kFlag, "lvRRJackExtension",   0x1FFEC, 0, kRetractedExtended, {1, 4},    L0},
    {kFlag, "lvLFJackExtension",   0x1FFEC, 0, kRetractedExtended, {1, 6},    L0},
    {kFlag, "lvAux1JackExtension", 0x1FFEC, 0, kRetractedExtended, {2, 0},    L0},
    {kFlag, "lvAux2JackExtension", 0x1FFEC, 0, kRetractedExtended, {2, 2},    L0},
    {kFlag, "lvAux3JackExtension", 0x1FFEC, 0, kRetractedExtended, {2, 4},    L0},
    {kFlag, "lvAux4JackExtension", 0x1FFEC, 0, kRetractedExtended, {2, 6},    L0},
    {kFlag, "lvLRJackStability",   0x1FFEC, 0, kNoLoadLoaded,      {3, 0},    L0},
    {kFlag, "lvRFJackStability",   0x1FFEC, 0, kNoLoadLoaded,      {3, 2},    L0},
    {kFlag, "lvRRJackStability",   0x1FFEC, 0, kNoLoadLoaded,      {3, 4},    L0},
    {kFlag, "lvLFJackStability",   0x1FFEC, 0, kNoLoadLoaded,      {3, 6},    L0},
    {kFlag, "lvAux1JackStability", 0x1FFEC, 0, kNoLoadLoaded,      {4, 0},    L0},
    {kFlag, "lvAux2JackStability", 0x1FFEC, 0, kNoLoadLoaded,      {4, 2},    L0},
    {kFlag, "lvAux3JackStability", 0x1FFEC, 0, kNoLoadLoaded,      {4, 4},    L0},
    {kFlag, "lvAux4JackStability", 0x1FFEC, 0, kNoLoadLoaded,      {4, 6},    L0},

    // 1FFEB LEVELING_SENSOR_STS
    {kFlag, "lvAttitudeDriver", 0x1FFEB, 0, kAboveBelow, {0, 0}, L0},
    {kFlag, "lvAttitudeFront",  0x1FFEB, 0, kAboveBelow, {0, 2}, L0},
    {kFlag, "lvAttitudePassgr", 0x1FFEB, 0, kAboveBelow, {0, 4}, L0},
    {kFlag, "lvAttitudeRear",   0x1FFEB, 0, kAboveBelow, {0, 6}, L0},
    {kWord, "lvPitch",          0x1FFEB, 0, kAngle,      {1},    L0},
    {kWord, "lvRoll",           0x1FFEB, 0, kAngle,      {3},    L0},
    {kWord, "lvSecPitch",       0x1FFEB, 0, kAngle,      {5},    L0},
    {kByte, "lvSnsrInstance",   0x1FFEB, 0, kU8,         {7},    L0},

    // 1FFEA HYDRAULIC_PUMP_STS
    {kFlag, "lvHydPumpHiPrSw",    0x1FFEA, 0, kOffOn,         {0, 0}, L0},
    {kFlag, "lvHydPumpMinPrSw",   0x1FFEA, 0, kOffOn,         {0, 2}, L0},
    {kFlag, "lvHydPumpLoFluid",   0x1FFEA, 0, kOkLow,         {0, 4}, L0},
    {kFlag, "lvHydPumpRunSts",    0x1FFEA, 0, kOffOn,         {0, 6}, L0},
    {kFlag, "lvHydPumpDirection", 0x1FFEA, 0, kPumpDirection, {1, 0}, L0},
    {kWord, "lvHydPumpVoltage",   0x1FFEA, 0, kVdc,           {2},    L0},
    {kWord, "lvHydPumpCurrent",   0x1FFEA, 0, kAdc,           {4},    L0},
    {kWord, "lvHydPumpTemp",      0x1FFEA, 0, kTempF,         {6},    L0},

    // 1FFE9 LEVELING_AIR_STS
    {kByte, "lvLRAirBagPressure",   0x1FFE9, 0, kPsiByte, {0}, L0},
    {kByte, "lvRFAirBagPressure",   0x1FFE9, 0, kPsiByte, {1}, L0},
    {kByte, "lvRRAirBagPressure",   0x1FFE9, 0, kPsiByte, {2}, L0},
    {kByte, "lvLFAirBagPressure",   0x1FFE9, 0, kPsiByte, {3}, L0},
    {kByte, "lvLTagAirBagPressure", 0x1FFE9, 0, kPsiByte, {4}, L0},
    {kByte, "lvRTagAirBagPressure", 0x1FFE9, 0, kPsiByte, {5}, L0},
    {kByte, "lvSystemAirPressure",  0x1FFE9, 0, kPsiByte, {6}, L0},

    // 1FEBC HYDRAULIC_PUMP_CMD
    {kFlag, "HYPumpRunCommand", 0x1FEBC, 0, kDisabledEnabled, {1, 0}, L0},
    {kFlag, "HYPumpDirection",  0x1FEBC, 0, kPumpDirection,   {1, 2}, L0},

    // 1FFF4 CHASSIS_MOBILITY_STS
    {kWord, "cmEngine RPM",       0x1FFF4, 0, kRpm,                        {0},       L0},
    {kWord, "cmVehicle Spd",      0x1FFF4, 0, kKph,                        {2},       L0},
    {kFlag, "cmPark Brake",       0x1FFF4, 0, Flag("Released", "Engaged"), {4, 0},    L0},
    {kFlag, "cmTrans Lock",       0x1FFF4, 0, kUnlockedLocked,             {4, 2},    L0},
    {kBits, "cmTurn Signals",     0x1FFF4, 0, kTurnSignalStatus,           {4, 4, 4}, L0},
    {kFlag, "cmIgnition Switch",  0x1FFF4, 0, kOffOn,                      {5, 0},    L0},
    {kBits, "cmAccessory Switch", 0x1FFF4, 0, Choices(3, kOffOnChoices),   {5, 2, 3}, L0},
    {kByte, "cmTrans Gear",       0x1FFF4, 0, Choices(8, kGear),           {6},       L0},

    // 1FFF2 AAS_STS, set through 1FFF1
    {kFlag, "aaOpState",     0x1FFF2, 0x1FFF1, kOffOn,             {0, 0},    L0},
    {kBits, "aaOpMode",      0x1FFF2, 0x1FFF1, kAASOpMode,         {0, 2, 4}, L0},
    {kByte, "aaLF_SnsrMode", 0x1FFF2, 0x1FFF1, kPct,               {1},       L0},
    {kByte, "aaRF_SnsrMode", 0x1FFF2, 0x1FFF1, kPct,               {2},       L0},
    {kByte, "aaRR_SnsrMode", 0x1FFF2, 0x1FFF1, kPct,               {3},       L0},
    {kByte, "aaLR_SnsrMode", 0x1FFF2, 0x1FFF1, kPct,               {4},       L0},
    {kFlag, "aaTagAxlePos",  0x1FFF2, 0x1FFF1, Flag("Down", "Up"), {5, 0},    L0},

    // 1FFEF AAS_SENSOR_STS
    {kFlag,    "aaLF_LoRideSts",   0x1FFEF, 0, kUnderOver, {0, 0},    L0},
    {kFlag,    "aaLF_MedRideSts",  0x1FFEF, 0, kUnderOver, {0, 2},    L0},
    {kFlag,    "aaLF_HiRideSts",   0x1FFEF, 0, kUnderOver, {0, 4},    L0},
    {kFlag,    "aaLF_Transition",  0x1FFEF, 0, kNoYes,     {0, 6},    L0},
    {kRawBits, "aaLF_QuadEncASts", 0x1FFEF, 0, kZeroOne,   {1, 0, 2}, L0},
    {kRawBits, "aaLF_QuadEncBSts", 0x1FFEF, 0, kZeroOne,   {1, 2, 2}, L0},
    {kFlag,    "aaRF_LoRideSts",   0x1FFEF, 0, kUnderOver, {2, 0},    L0},
    {kFlag,    "aaRF_MedRideSts",  0x1FFEF, 0, kUnderOver, {2, 2},    L0},
    {kFlag,    "aaRF_HiRideSts",   0x1FFEF, 0, kUnderOver, {2, 4},    L0},
    {kFlag,    "aaRF_Transition",  0x1FFEF, 0, kNoYes,     {2, 6},    L0},
    {kRawBits, "aaRF_QuadEncASts", 0x1FFEF, 0, kZeroOne,   {3, 0, 2}, L0},
    {kRawBits, "aaRF_QuadEncBSts", 0x1FFEF, 0, kZeroOne,   {3, 2, 2}, L0},
    {kRawBits, "aaSS_QuadEncASts", 0x1FFEF, 0, kZeroOne,   {3, 4, 2}, L0},
    {kRawBits, "aaSS_QuadEncBSts", 0x1FFEF, 0, kZeroOne,   {3, 6, 2}, L0},
    {kFlag,    "aaLR_LoRideSts",   0x1FFEF, 0, kUnderOver, {4, 0},    L0},
    {kFlag,    "aaLR_MedRideSts",  0x1FFEF, 0, kUnderOver, {4, 2},    L0},
    {kFlag,    "aaLR_HiRideSts",   0x1FFEF, 0, kUnderOver, {4, 4},    L0},
    {kFlag,    "aaLR_Transition",  0x1FFEF, 0, kNoYes,     {4, 6},    L0},
    {kRawBits, "aaLR_QuadEncASts", 0x1FFEF, 0, kZeroOne,   {5, 0, 2}, L0},
    {kRawBits, "aaLR_QuadEncBSts", 0x1FFEF, 0, kZeroOne,   {5, 2, 2}, L0},
    {kFlag,    "aaRR_LoRideSts",   0x1FFEF, 0, kUnderOver, {6, 0},    L0},
    {kFlag,    "aaRR_MedRideSts",  0x1FFEF, 0, kUnderOver, {6, 2},    L0},
    {kFlag,    "aaRR_HiRideSts",   0x1FFEF, 0, kUnderOver, {6, 4},    L0},
    {kFlag,    "aaRR_Transition",  0x1FFEF, 0, kNoYes,     {6, 6},    L0},
    {kRawBits, "aaRR_QuadEncASts", 0x1FFEF, 0, kZeroOne,   {7, 0, 2}, L0},
    {kRawBits, "aaRR_QuadEncBSts", 0x1FFEF, 0, kZeroOne,   {7, 2, 2}, L0},

    // 1FED1 SUSPENSION_AIR_PRESSURE_STS
    {kByte, "aaSuspSystemPressure", 0x1FED1, 0, kPsiByte, {0}, L0},
    {kByte, "aaSteerLeftPressure",  0x1FED1, 0, kPsiByte, {1}, L0},
    {kByte, "aaSteerRightPressure", 0x1FED1, 0, kPsiByte, {2}, L0},
    {kByte, "aaDriveLeftPressure",  0x1FED1, 0, kPsiByte, {3}, L0},
    {kByte, "aaDriveRightPressure", 0x1FED1, 0, kPsiByte, {4}, L0},
    {kByte, "aaTagLeftPressure",    0x1FED1, 0, kPsiByte, {5}, L0},
    {kByte, "aaTagRightPressure",   0x1FED1, 0, kPsiByte, {6}, L0},

    // 1FEA8 CHASSIS_MOBILITY_STS_2
    {kWord, "cmSteerAngle",       0x1FEA8, 0, kSteerAngle, {0},    L0},
    {kFlag, "cmHeadlight Switch", 0x1FEA8, 0, kOffOn,      {2, 0}, L0},
    {kByte, "cmFuelLevel",        0x1FEA8, 0, kPct,        {3},    L0},
    {kUint, "cmOdometer",         0x1FEA8, 0, kOdometer,   {4},    L0},

    // 1FFE8 SLIDE_STS
    {kByte, "srMotion",       0x1FFE8, 0, Choices(8, kMotion),              {1},    L9},
    {kByte, "srPosition",     0x1FFE8, 0, kPct,                             {2},    L9},
    {kFlag, "srLockSts",      0x1FFE8, 0, kSecuredNotSecured,               {3, 0}, L9},
    {kFlag, "srUnlockSts",    0x1FFE8, 0, Flag("Unlocked", "Not Unlocked"), {3, 2}, L9},
    {kFlag, "srBrakeSts",     0x1FFE8, 0, kUnlockedLocked,                  {3, 6}, L9},
    {kFlag, "srUserLockSts",  0x1FFE8, 0, kOffOn,                           {3, 4}, L9},
    {kFlag, "srParkBrakeSts", 0x1FFE8, 0, kOkToMove,                        {4, 0}, L9},
    {kFlag, "srLevelerSts",   0x1FFE8, 0, kOkToMove,                        {4, 2}, L9},
    {kFlag, "srIgnitionSts",  0x1FFE8, 0, kOkToMove,                        {4, 4}, L9},
    {kFlag, "srAirSealSts",   0x1FFE8, 0, kOkToMove,                        {4, 6}, L9},
    {kFlag, "srVoltageSts",   0x1FFE8, 0, kOkToMove,                        {5, 0}, L9},

    // 1FFE7 SLIDE_CMD
    {kByte, "SRMotion",        0x1FFE7, 0, kExtendRetract,    {2},    L9},
    {kFlag, "SRUserLockCmd",   0x1FFE7, 0, kOffOn,            {1, 0}, L9},
    {kFlag, "SRAirSealDefCmd", 0x1FFE7, 0, kNoActionActivate, {1, 2}, L9},
    {kFlag, "SRAirSealVacCmd", 0x1FFE7, 0, kNoActionActivate, {1, 4}, L9},
    {kFlag, "SRMechLockCmd",   0x1FFE7, 0, kUnlockedLocked,   {1, 6}, L9},

    // 1FFE6 SLIDE_SENSOR_STS
    {kFlag, "srUpFrLockLmtSw",   0x1FFE6, 0, kUnlockedLocked,                    {1, 0}, L9},
    {kFlag, "srUpRrLockLmtSw",   0x1FFE6, 0, kUnlockedLocked,                    {1, 2}, L9},
    {kFlag, "srLoFrLockLmtSw",   0x1FFE6, 0, kUnlockedLocked,                    {1, 4}, L9},
    {kFlag, "srLoRrLockLmtSw",   0x1FFE6, 0, kUnlockedLocked,                    {1, 6}, L9},
    {kFlag, "srUpFrUnlockLmtSw", 0x1FFE6, 0, kNotUnlockedUnlocked,               {2, 0}, L9},
    {kFlag, "srUpRrUnlockLmtSw", 0x1FFE6, 0, kNotUnlockedUnlocked,               {2, 2}, L9},
    {kFlag, "srLoFrUnlockLmtSw", 0x1FFE6, 0, kNotUnlockedUnlocked,               {2, 4}, L9},
    {kFlag, "srLoRrUnlockLmtSw", 0x1FFE6, 0, kNotUnlockedUnlocked,               {2, 6}, L9},
    {kFlag, "srUpFrRetLmtSw",    0x1FFE6, 0, kNotRetractedRetracted,             {3, 0}, L9},
    {kFlag, "srUpRrRetLmtSw",    0x1FFE6, 0, kNotRetractedRetracted,             {3, 2}, L9},
    {kFlag, "srLoFrRetLmtSw",    0x1FFE6, 0, kNotRetractedRetracted,             {3, 4}, L9},
    {kFlag, "srLoRrRetLmtSw",    0x1FFE6, 0, kNotRetractedRetracted,             {3, 6}, L9},
    {kFlag, "srUpFrExtLmtSw",    0x1FFE6, 0, kNotExtendedExtended,               {4, 0}, L9},
    {kFlag, "srUpRrExtLmtSw",    0x1FFE6, 0, kNotExtendedExtended,               {4, 2}, L9},
    {kFlag, "srLoFrExtLmtSw",    0x1FFE6, 0, kNotExtendedExtended,               {4, 4}, L9},
    {kFlag, "srLoRrExtLmtSw",    0x1FFE6, 0, kNotExtendedExtended,               {4, 6}, L9},
    {kFlag, "srFloorUpLmtSw",    0x1FFE6, 0, Flag("Not Up", "Up"),               {5, 0}, L9},
    {kFlag, "srFloorDnLmtSw",    0x1FFE6, 0, Flag("Not Down", "Down"),           {5, 2}, L9},
    {kFlag, "srAirSealVacSw",    0x1FFE6, 0, Flag("Not Evacuated", "Evacuated"), {6, 0}, L9},

    // 1FEF3 AWNING_STS
    {kByte, "awAwningMotion",      0x1FEF3, 0, Choices(8, kMotion),              {1},    L1},
    {kByte, "awAwningPosition",    0x1FEF3, 0, kPct,                             {2},    L1},
    {kFlag, "awAwningLockSts",     0x1FEF3, 0, kUnlockedLocked,                  {3, 0}, L1},
    {kFlag, "awAwningUnlockSts",   0x1FEF3, 0, Flag("Unlocked", "Not Unlocked"), {3, 2}, L1},
    {kFlag, "awAwningUserLock",    0x1FEF3, 0, kOffOn,                           {3, 4}, L1},
    {kFlag, "awAwningMotorBrake",  0x1FEF3, 0, kUnlockedLocked,                  {3, 6}, L1},
    {kFlag, "awAwningParkBrake",   0x1FEF3, 0, kOkToMove,                        {4, 0}, L1},
    {kFlag, "awAwningIgnitionKey", 0x1FEF3, 0, kOkToMove,                        {4, 2}, L1},
    {kFlag, "awAwningVoltage",     0x1FEF3, 0, kOkToMove,                        {4, 4}, L1},
    {kFlag, "awAwningLight",       0x1FEF3, 0, kOffOn,                           {5, 0}, L1},
    {kFlag, "awAwningSecLight",    0x1FEF3, 0, kOffOn,                           {5, 2}, L1},

    // 1FEF2 AWNING_CMD
    {kByte, "AWAwningMotion",    0x1FEF2, 0, kExtendRetract,  {1},    L1},
    {kByte, "AWAwningMoveToPos", 0x1FEF2, 0, kPct,            {3},    L1},
    {kFlag, "AWAwningUserLock",  0x1FEF2, 0, kOffOn,          {2, 0}, L1},
    {kFlag, "AWAwningLockCmd",   0x1FEF2, 0, kUnlockedLocked, {2, 2}, L1},
    {kFlag, "AWAwningLight",     0x1FEF2, 0, kOffOn,          {4, 0}, L1},
    {kFlag, "AWAwningSecLight",  0x1FEF2, 0, kOffOn,          {4, 2}, L1},

    // 1FDCD AWNING_STS_2, set through 1FDCC
    {kByte, "awMotionSensitivity", 0x1FDCD, 0x1FDCC, kPct,                                 {1},       L1},
    {kFlag, "awCalibrationSts",    0x1FDCD, 0x1FDCC, Flag("Calibrated", "Not Calibrated"), {2, 0},    L1},
    {kFlag, "awExtLockParkBrake",  0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {3, 0},    L1},
    {kFlag, "awExtLockTransLock",  0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {3, 2},    L1},
    {kFlag, "awExtLockEngLock",    0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {3, 4},    L1},
    {kFlag, "awExtLockIgntionSw",  0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {3, 6},    L1},
    {kFlag, "awExtLockAccSw",      0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {4, 0},    L1},
    {kFlag, "awExtLockCurrGear",   0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {4, 2},    L1},
    {kFlag, "awExtLockSelGear",    0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {4, 4},    L1},
    {kFlag, "awRetLockParkBrake",  0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {5, 0},    L1},
    {kFlag, "awRetLockTransLock",  0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {5, 2},    L1},
    {kFlag, "awRetLockEngLock",    0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {5, 4},    L1},
    {kFlag, "awRetLockIgntionSw",  0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {5, 6},    L1},
    {kFlag, "awRetLockAccSw",      0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {6, 0},    L1},
    {kFlag, "awRetLockCurrGear",   0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {6, 2},    L1},
    {kFlag, "awRetLockSelGear",    0x1FDCD, 0x1FDCC, kDisabledEnabled,                     {6, 4},    L1},
    {kBits, "awExtLockInputFctn",  0x1FDCD, 0x1FDCC, kAwningInputFctn,                     {7, 0, 4}, L1},
    {kBits, "awRetLockInputFctn",  0x1FDCD, 0x1FDCC, kAwningInputFctn,                     {7, 4, 4}, L1},

    // 1FDCC AWNING_CMD_2
    {kFlag, "AWStartCalibration", 0x1FDCC, 0, kNoActionActivate, {2, 0}, L1},

    // 1FDC4 TV_LIFT_STS
    {kByte, "tvMotion",              0x1FDC4, 0, kTVLiftMotion,    {1},    L1},
    {kByte, "tvPosition",            0x1FDC4, 0, kPct,             {2},    L1},
    {kFlag, "tvMechLockStatus",      0x1FDC4, 0, kUnlockedLocked,  {3, 0}, L1},
    {kFlag, "tvUserLockStatus",      0x1FDC4, 0, kOffOn,           {3, 2}, L1},
    {kFlag, "tvBrakeStatus",         0x1FDC4, 0, kUnlockedLocked,  {3, 4}, L1},
    {kFlag, "tvParkedStatus",        0x1FDC4, 0, kOkToMove,        {4, 0}, L1},
    {kFlag, "tvIgnitionStatus",      0x1FDC4, 0, kOkToMove,        {4, 2}, L1},
    {kFlag, "tvLowVoltageStatus",    0x1FDC4, 0, kOkToMove,        {4, 4}, L1},
    {kFlag, "tvGenericLockStatus",   0x1FDC4, 0, kOkToMove,        {4, 6}, L1},
    {kFlag, "tvAutoRetractPark",     0x1FDC4, 0, kDisabledEnabled, {5, 0}, L1},
    {kFlag, "tvAutoRetractIgnition", 0x1FDC4, 0, kDisabledEnabled, {5, 2}, L1},
    {kFlag, "tvOverCurrentStatus",   0x1FDC4, 0, kOkFault,         {5, 4}, L1},
    {kFlag, "tvOverrideStatus",      0x1FDC4, 0, kInactiveActive,  {5, 6}, L1},
    {kFlag, "tvDeployLimitSwitch",   0x1FDC4, 0, kOffOn,           {6, 0}, L1},
    {kFlag, "tvStoreLimitSwitch",    0x1FDC4, 0, kOffOn,           {6, 2}, L1},

    // 1FDC3 TV_LIFT_CMD
    {kFlag, "TVUserLock",            0x1FDC3, 0, kOffOn,               {1, 0}, L1},
    {kFlag, "TVMechLock",            0x1FDC3, 0, kUnlockedLocked,      {1, 2}, L1},
    {kByte, "TVDirection",           0x1FDC3, 0, kTVLiftMotionCommand, {2},    L1},
    {kByte, "TVMoveToPosition",      0x1FDC3, 0, kPct,                 {3},    L1},
    {kFlag, "TVAutoRetractPark",     0x1FDC3, 0, kDisabledEnabled,     {4, 0}, L1},
    {kFlag, "TVAutoRetractIgnition", 0x1FDC3, 0, kDisabledEnabled,     {4, 2}, L1},

    // 1FE89 STEP_STS, set through 1FE88
    {kByte, "esStepMode",          0x1FE89, 0x1FE88, kEntryStepMode,      {1},    L1},
    {kByte, "esStepMotion",        0x1FE89, 0x1FE88, Choices(8, kMotion), {2},    L1},
    {kFlag, "esStepPosition",      0x1FE89, 0x1FE88, kRetractedExtended,  {3, 0}, L1},
    {kFlag, "esBottomObstruction", 0x1FE89, 0x1FE88, kNoYes,              {4, 0}, L1},
    {kFlag, "esFrontObstruction",  0x1FE89, 0x1FE88, kNoYes,              {4, 2}, L1},

    // 1FE87 VEHICLE_ENVIRONMENT_STS, set through 1FE86
    EntryRow{kFlag, "veVentilated_Space",   0x1FE87, 0x1FE86, kNoYes, {0, 0}, L0}.Identifier(0x652E),
    EntryRow{kFlag, "veHeated_Space",       0x1FE87, 0x1FE86, kNoYes, {0, 2}, L0}.Identifier(0x652A),
    EntryRow{kFlag, "veShore_Power_Avlbl",  0x1FE87, 0x1FE86, kNoYes, {0, 4}, L0}.Identifier(0x6556),
    EntryRow{kFlag, "veOpen_Space",         0x1FE87, 0x1FE86, kNoYes, {0, 6}, L0}.Identifier(0x6526),
    EntryRow{kFlag, "veWater_Hookup",       0x1FE87, 0x1FE86, kNoYes, {1, 0}, L0}.Identifier(0x652F),
    EntryRow{kFlag, "veSewer_Hookup",       0x1FE87, 0x1FE86, kNoYes, {1, 2}, L0}.Identifier(0x652B),
    EntryRow{kFlag, "veInternet_Available", 0x1FE87, 0x1FE86, kNoYes, {1, 4}, L0}.Identifier(0x6516),
    EntryRow{kFlag, "veTrailer_Is_Hitched", 0x1FE87, 0x1FE86, kNoYes, {1, 6}, L0}.Identifier(0x652D),
    EntryRow{kFlag, "veTrailer_In_Tow",     0x1FE87, 0x1FE86, kNoYes, {2, 0}, L0}.Identifier(0x6525),
    EntryRow{kFlag, "veVehicle_Stabilized", 0x1FE87, 0x1FE86, kNoYes, {2, 2}, L0}.Identifier(0x652C),
    {kWord,         "veAmbientLight",       0x1FE87, 0x1FE86, kLux,   {3},    L0},

    // 1FEE5 LOCK_STS, set through 1FEE4
    {kFlag, "lkLockStatus",   0x1FEE5, 0x1FEE4, kUnlockedLocked, {1, 0}, L1},
    {kByte, "lkDoorMotion",   0x1FEE5, 0x1FEE4, kOpeningClosing, {2},    L1},
    {kByte, "lkDoorPosition", 0x1FEE5, 0x1FEE4, kPct,            {3},    L1},

    // 1FEE4 LOCK_COMMAND
    {kByte, "LKLockExtraAction", 0x1FEE4, 0, kLockExtraAction, {2}, L1},

    // 1FEE3 WINDOW_STS
    {kByte, "wwWindowMotion",   0x1FEE3, 0, kOpeningClosing, {1},    L1},
    {kByte, "wwWindowPosition", 0x1FEE3, 0, kPct,            {2},    L1},
    {kFlag, "wwWindowLock",     0x1FEE3, 0, kUnlockedLocked, {3, 0}, L1},

    // 1FEE2 WINDOW_CMD
    {kByte, "WWWindowMotion",   0x1FEE2, 0, Choices(8, kWindowOperation), {2},    L1},
    {kByte, "WWWindowPosition", 0x1FEE2, 0, kPct,                         {3},    L1},
    {kFlag, "WWWindowLock",     0x1FEE2, 0, kUnlockedLocked,              {1, 0}, L1},

    // 1FEE0 DC_MOTOR_CONTROL_STS, set through 1FEE1
    {kByte, "mrDutyLevel",         0x1FEE0, 0x1FEE1, kPct,            {2},    L3},
    {kFlag, "mrLockStatus",        0x1FEE0, 0x1FEE1, kUnlockedLocked, {3, 0}, L3},
    {kFlag, "mrMotorStatus",       0x1FEE0, 0x1FEE1, kInactiveActive, {3, 2}, L3},
    {kFlag, "mrForwardStatus",     0x1FEE0, 0x1FEE1, kInactiveActive, {3, 4}, L3},
    {kFlag, "mrReverseStatus",     0x1FEE0, 0x1FEE1, kInactiveActive, {3, 6}, L3},
    {kByte, "mrDurationRemaining", 0x1FEE0, 0x1FEE1, kSecsPlus,       {4},    L3},
    {kByte, "mrLastCommand",       0x1FEE0, 0x1FEE1, kMotorCommand,   {5},    L3},
    {kFlag, "mrOvercurrentStatus", 0x1FEE0, 0x1FEE1, kOkFault,        {6, 0}, L3},
    {kFlag, "mrOverrideStatus",    0x1FEE0, 0x1FEE1, kInactiveActive, {6, 2}, L3},
    {kFlag, "mrDisable1Status",    0x1FEE0, 0x1FEE1, kInactiveActive, {6, 4}, L3},
    {kFlag, "mrDisable2Status",    0x1FEE0, 0x1FEE1, kInactiveActive, {6, 6}, L3},
    {kByte, "mrShortDuration",     0x1FEE0, 0x1FEE1, kSecTenth,       {7},    L3},

    // 1FEE1 DC_MOTOR_CONTROL_CMD
    {kByte, "MRCommand",         0x1FEE1, 0, kMotorCommand, {3}, L3},
    {kByte, "MRCommandDuration", 0x1FEE1, 0, kSecsPlus,     {4}, L3},
    {kByte, "MRInterlock",       0x1FEE1, 0, kHex8,         {5}, L3},

    // 1FEDE WINDOW_SHADE_CONTROL_STS, set through 1FEDF
    {kByte, "shDutyLevel",         0x1FEDE, 0x1FEDF, kPct,            {2},    L3},
    {kFlag, "shLockStatus",        0x1FEDE, 0x1FEDF, kUnlockedLocked, {3, 0}, L3},
    {kFlag, "shMotorStatus",       0x1FEDE, 0x1FEDF, kInactiveActive, {3, 2}, L3},
    {kFlag, "shForwardStatus",     0x1FEDE, 0x1FEDF, kInactiveActive, {3, 4}, L3},
    {kFlag, "shReverseStatus",     0x1FEDE, 0x1FEDF, kInactiveActive, {3, 6}, L3},
    {kByte, "shDurationRemaining", 0x1FEDE, 0x1FEDF, kSecsPlus,       {4},    L3},
    {kByte, "shLastCommand",       0x1FEDE, 0x1FEDF, kMotorCommand,   {5},    L3},
    {kFlag, "shOvercurrentStatus", 0x1FEDE, 0x1FEDF, kOkFault,        {6, 0}, L3},
    {kFlag, "shOverrideStatus",    0x1FEDE, 0x1FEDF, kInactiveActive, {6, 2}, L3},
    {kFlag, "shDisable1Status",    0x1FEDE, 0x1FEDF, kInactiveActive, {6, 4}, L3},
    {kFlag, "shDisable2Status",    0x1FEDE, 0x1FEDF, kInactiveActive, {6, 6}, L3},

    // 1FEDF WINDOW_SHADE_CONTROL_CMD
    {kByte, "SHCommand",         0x1FEDF, 0, kMotorCommand, {3}, L3},
    {kByte, "SHCommandDuration", 0x1FEDF, 0, kSecsPlus,     {4}, L3},
    {kByte, "SHInterlock",       0x1FEDF, 0, kHex8,         {5}, L3},

    // 1FEF1 TIRE_RAW_STS
    {kWord, "tpRawTirePrsr", 0x1FEF1, 0, kKpaWord, {4}, L15},
    {kWord, "tpRawTireTemp", 0x1FEF1, 0, kTempF,   {6}, L15},

    // 1FEF0 TIRE_STS
    {kWord, "tpTirePressure",   0x1FEF0, 0, kKpaWord,               {1},       L16},
    {kWord, "tpTireTemp",       0x1FEF0, 0, kTempF,                 {3},       L16},
    {kByte, "tpTireBattery",    0x1FEF0, 0, kVoltTenth,             {5},       L16},
    {kByte, "tpTireSignalLvl",  0x1FEF0, 0, kPct,                   {6},       L16},
    {kBits, "tpPressureStatus", 0x1FEF0, 0, kTirePressureStatus,    {7, 0, 3}, L16},
    {kBits, "tpTempStatus",     0x1FEF0, 0, kTireTemperatureStatus, {7, 3, 3}, L16},
    {kFlag, "tpBatteryStatus",  0x1FEF0, 0, kOkLow,                 {7, 6},    L16},

    // 1FEEF TIRE_SLOW_LEAK_ALARM
    {kFlag, "tpSlowLeakAlarm", 0x1FEEF, 0, Flag("No Leak", "Slow Leak"), {1, 0}, L16},
    {kWord, "tpSlowLeakRate",  0x1FEEF, 0, kLeakRate,                    {2},    L16},

    // 1FEEE TIRE_TEMPERATURE_CONFIG_STS, set through 1FEEB
    {kWord, "tpExtHighTempLvl", 0x1FEEE, 0x1FEEB, kTempF, {1}, L17},
    {kWord, "tpHighTempLvl",    0x1FEEE, 0x1FEEB, kTempF, {3}, L17},
    {kWord, "tpLowBatteryLvl",  0x1FEEE, 0x1FEEB, kVdc,   {5}, L17},

    // 1FEED TIRE_PRESSURE_CONFIG_STS, set through 1FEEC
    {kWord, "tpExtLowPSILvl", 0x1FEED, 0x1FEEC, kKpaWord,  {1}, L17},
    {kWord, "tpLowPSILvl",    0x1FEED, 0x1FEEC, kKpaWord,  {3}, L17},
    {kWord, "tpSlowLeakLvl",  0x1FEED, 0x1FEEC, kLeakRate, {5}, L17},

    // 1FEEA TIRE_ID_STS, set through 1FEE9
    {kUint, "tpTireSensorID", 0x1FEEA, 0x1FEE9, kHex32, {1}, L16},

    // 1FDED TIRE_HIGH_PRESSURE_CONFIG_STS, set through 1FDEC
    {kWord, "tpExtHighPSILvl", 0x1FDED, 0x1FDEC, kKpaWord, {1}, L17},
    {kWord, "tpHighPSILvl",    0x1FDED, 0x1FDEC, kKpaWord, {3}, L17},

    // 1FFA0 COMPASS_BEARING_STS
    {kWord, "gpAdjCompassBearing",  0x1FFA0, 0, kHeading,                          {0},    L0},
    {kWord, "gpCompassOffset",      0x1FFA0, 0, kHeading,                          {2},    L0},
    {kFlag, "gpCompassCalibration", 0x1FFA0, 0, Flag("Calibrated", "Calibrating"), {4, 0}, L0},

    // 1FF9F COMPASS_CALIBRATE_CMD
    {kByte, "GPCompassCommand", 0x1FF9F, 0, kCompassCommand, {0}, L0},
    {kWord, "GPCompassOffset",  0x1FF9F, 0, kHeading,        {1}, L0},

    // 0FEF3 J1939_GPS_POSITION
    {kUint, "gpLatitude",  0x0FEF3, 0, kLatLong, {0}, L0},
    {kUint, "gpLongitude", 0x0FEF3, 0, kLatLong, {4}, L0},

    // 1FED3 GPS_STS
    {kWord, "gpGPSHeading",          0x1FED3, 0, kHeading,  {0}, L0},
    {kWord, "gpGPSSpeed",            0x1FED3, 0, kKph,      {2}, L0},
    {kWord, "gpGPSAltitude",         0x1FED3, 0, kAltitude, {4}, L0},
    {kByte, "gpGPSSatellitesInView", 0x1FED3, 0, kU8,       {6}, L0},

    // 1FDE5 VALVE_STS
    {kByte, "vlMotion",   0x1FDE5, 0, kOpeningClosing, {1}, L1},
    {kByte, "vlPosition", 0x1FDE5, 0, kPct,            {2}, L1},
    {kWord, "vlPressure", 0x1FDE5, 0, kPsiWord,        {3}, L1},

    // 1FDE4 VALVE_CMD
    {kByte, "VLDesiredPosition", 0x1FDE4, 0, kPct, {2}, L1},
};
// clang-format on

}  // namespace

std::span<const EntryRow> ChassisRows() {
  return kRows;
}

}  // namespace vlt::dictionary::catalogue
