// One frame of each DGN family through the program's dictionary, with the values
// worked out by hand from the RV-C layout: scaled quantities, enumerations, the
// instance labels, and the not-available codes left out or shown as "N/D" and
// "Err".
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/data_test_support.h"
#include "dictionary/dictionary.h"
#include "framework/log_output.h"

namespace vlt::dictionary {
namespace {

using data::testing::Bytes;
using data::testing::Frame;

constexpr const char* kDegreesF =
    "\xB0"
    "F";

class CatalogueDecoding : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dictionary_ = new MainDictionary(values::SharedValueMakers::Instance(), global_);
  }
  static void TearDownTestSuite() {
    delete dictionary_;
    dictionary_ = nullptr;
  }

  static std::string Decode(std::uint32_t dgn, const Bytes& data) {
    return dictionary_->DecodeToText(Frame(dgn, 0x80, data).frame);
  }
  static std::string Value(std::string_view name, std::uint32_t dgn, const Bytes& data) {
    return dictionary_->ValueOf(name, Frame(dgn, 0x80, data).frame);
  }

  static inline const framework::DgnTable global_ = framework::DgnTable::For(0xFF);
  static inline MainDictionary* dictionary_ = nullptr;
};

TEST_F(CatalogueDecoding, DateAndTime) {
  // 2024-03-17, a Monday, 10:30:00; the time zone byte is not available.
  EXPECT_EQ(Decode(0x1FFFF, {0x18, 0x03, 0x11, 0x02, 0x0A, 0x1E, 0x00, 0xFF}),
            "dtYear=24  dtMonth=3  dtDay=17  dtDow=Monday  dtHour=10  dtMinute=30  dtSecond=0  ");
  EXPECT_EQ(Value("dtYear", 0x1FFFF, {0xFF, 0x03}), "N/D");
  EXPECT_EQ(Value("gpdGPSDow", 0x1FEA0, {0, 0, 0, 0x00}), "Invalid");  // the week starts at 1
}

TEST_F(CatalogueDecoding, DcSource) {
  // Instance 1 at priority 120: 280 x 0.05 V, and 2,000,012,500 mA less 2,000,000 A.
  EXPECT_EQ(Decode(0x1FFFD, {0x01, 0x78, 0x18, 0x01, 0xD4, 0xC4, 0x35, 0x77}),
            "dcDC_Voltage [  1:120]=14.00 Vdc  dcDC_Current [  1:120]=12.500 A  ");
  // No temperature (FFFFh), state of charge at its error code, an hour to empty.
  EXPECT_EQ(Decode(0x1FFFC, {0x01, 0x78, 0xFF, 0xFF, 0xFE, 0x3C, 0x00, 0xFC}),
            "dcAbsSOC [  1:120]=Err  dcTimeRmng [  1:120]=60 min  "
            "dcTimeRmngDir [  1:120]=To Empty  ");
}

TEST_F(CatalogueDecoding, Tank) {
  // Fresh water 5 of 10, 80 of 200 litres; the precision is the resolution byte.
  EXPECT_EQ(Decode(0x1FFB7, {0x00, 0x05, 0x0A, 0x50, 0x00, 0xC8, 0x00, 0xFF}),
            "tkTank_Level [  0]=  5/ 10  tkTank_Abs_Lvl [  0]=80 ltr  "
            "tkTank_Size [  0]=200 ltr  tkTank_Precision [  0]=10  ");
  // A level without its resolution is an error; the resolution alone is absent.
  EXPECT_EQ(Decode(0x1FFB7, {0x01, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
            "tkTank_Level [  1]=Err  ");
}

TEST_F(CatalogueDecoding, Thermostat) {
  // Heat, fan on, no schedule; 100 half-percent; 77 F (25 C); no cooling set point.
  EXPECT_EQ(Decode(0x1FFE2, {0x02, 0x12, 0x64, 0x40, 0x25, 0xFF, 0xFF, 0xFF}),
            std::string("thOpMode [  2]=Heat  thFanMode [  2]=On  thSchedMode [  2]=Disabled  "
                        "thFanSpeed [  2]= 50.0 %  thHeatSetPt [  2]=77.0 ") +
                kDegreesF + "  ");
  EXPECT_EQ(Value("thOpMode", 0x1FFE2, {0x02, 0xFE}), "Err");  // mode 14 of a 4-bit field
  EXPECT_EQ(Value("thOpMode", 0x1FFE2, {0x02, 0xF7}), "Invalid");
}

TEST_F(CatalogueDecoding, Generator) {
  // Running for 1500 minutes at full load on a 13 V start battery.
  EXPECT_EQ(Decode(0x1FFDC, {0x03, 0xDC, 0x05, 0x00, 0x00, 0xC8, 0x04, 0x01}),
            "gnStatus=Running  gnRunTime=25:00  gnLoad=100.0 %  gnBatteryVolts=13.00 Vdc  ");
  // Line 1 of generator 1: 120 V, 10 A, 60 Hz; open neutral, polarity at its
  // error code, ground current not available.
  EXPECT_EQ(Decode(0x1FFDF, {0x11, 0x60, 0x09, 0xC8, 0x7D, 0x00, 0x1E, 0xE4}),
            "gnRMSVoltage [ 1:L1]=120.00 Vac  gnRMSCurrent [ 1:L1]=10.0 Aac  "
            "gnFrequency [ 1:L1]=60.0 Hz  gnOpenGround [ 1:L1]=Ok  gnOpenNeutral [ 1:L1]=Fault  "
            "gnRevPolarity [ 1:L1]=Err  ");
}

TEST_F(CatalogueDecoding, AgsCriterionEntriesFollowTheCriterionByte) {
  // Criterion 0 (DC voltage), demanding and active: DC instance 1 below 12 V for 300 s.
  EXPECT_EQ(Decode(0x1FEFE, {0x01, 0x00, 0x05, 0x01, 0xF0, 0x00, 0x2C, 0x01}),
            "gcAGSCrit_Dmnd [  1]=Yes  gcAGSCrit_Sts [  1]=Active  "
            "gcAGSCrit_Type [  1]=DC Voltage  gcVdcAGS_DC_Inst=1  gcVdcAGS_Trigger=12.00 Vdc  "
            "gcVdcAGS_TimeUnder=300 sec  ");
  // Criterion 1 (state of charge) reads the same bytes its own way: start at
  // 40 %, stop at 100 %.
  EXPECT_EQ(Decode(0x1FEFE, {0x01, 0x01, 0x00, 0x01, 0x50, 0xC8, 0x2C, 0x01}),
            "gcAGSCrit_Dmnd [  1]=No  gcAGSCrit_Sts [  1]=Inactive  "
            "gcAGSCrit_Type [  1]=DC SoC  gcSoCAGS_DC_Inst=1  gcSoCAGS_Start_Soc= 40.0 %  "
            "gcSoCAGS_End_SoC=100.0 %  gcSocAGS_TimeUnder=300 sec  ");
  EXPECT_EQ(Decode(0x1FED2, {0x03, 0x0F}), "gcTmpAGS_Timer=15 min  ");
}

TEST_F(CatalogueDecoding, Inverter) {
  // Inverting; sensor present, load sense off, inverter on, pass-through not
  // available, generator support at its error code.
  EXPECT_EQ(Decode(0x1FFD4, {0x01, 0x01, 0xD1, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}),
            "inStatus [  1]=Inverting  inBattSnsrPresent [  1]=Yes  "
            "inLoadSenseEnable [  1]=Disabled  inInverterEnable [  1]=Enabled  "
            "inGenSupprtEnable [  1]=Err  ");
  // Output 1 of inverter 1: sine, in phase, 1000 W, no reactive power, 5 % distortion.
  EXPECT_EQ(Decode(0x1FFD5, {0x41, 0xC4, 0xE8, 0x03, 0x00, 0x7D, 0x0A, 0xFF}),
            "inWaveForm [ 1:O1]=Sine  inACPhase [ 1:O1]=In Phase  inRealPower [ 1:O1]=1000 W  "
            "inReactvPower [ 1:O1]=0 VAr  inHarmDistortion [ 1:O1]=  5.0 %  ");
}

TEST_F(CatalogueDecoding, Charger) {
  // Bulk at 14.25 V and 20 A (half of the maximum), enabled on power-up, forced to bulk.
  EXPECT_EQ(Decode(0x1FFC7, {0x01, 0x1D, 0x01, 0x90, 0x7E, 0x64, 0x02, 0x11}),
            "chChargeVoltage [  1]=14.25 Vdc  chChargeCurrent [  1]=20.0 Adc  "
            "chCurrPctOfMax [  1]= 50.0 %  chOperatingState [  1]=Bulk  "
            "chEnableOnPowerUp [  1]=Enabled  chAutoRecharge [  1]=Disabled  "
            "chForceCharge [  1]=Force to Bulk  ");
  EXPECT_EQ(Value("chForceCharge", 0x1FFC7, {1, 0, 0, 0, 0, 0, 0, 0xE0}), "Err");
  // The settable fields also appear, as plain entries, under the command DGN.
  EXPECT_EQ(dictionary_->NamesUnder(0x1FFC4).front(), "CHChargeAlgorithm");
}

TEST_F(CatalogueDecoding, WaterHeater) {
  // Combustion to 140 F (60 C), water temperature at its error code; set point
  // not met, burner on, DC power failed, DC warning not available.
  EXPECT_EQ(Decode(0x1FFF7, {0x01, 0x01, 0xA0, 0x29, 0xFE, 0xFF, 0x05, 0xD0}),
            std::string("whOpMode [  1]=Combustion  whSetPoint [  1]=140.0 ") + kDegreesF +
                "  whWaterTemp [  1]=Err  whThermostatSts [  1]=Not Met  whBurnerSts [  1]=On  "
                "whACElementSts [  1]=Off  whHiTempLimitSts [  1]=Ok  "
                "whIgnitionFailSts [  1]=Ok  whACFailureSts [  1]=Ok  whDCPowerSts [  1]=Fault  ");
}

TEST_F(CatalogueDecoding, Furnace) {
  // Automatic on primary AC, fan full, heat at half, 1.5 C dead band, a temperature warning.
  EXPECT_EQ(Decode(0x1FFE4, {0x01, 0x04, 0xC8, 0x64, 0x0F, 0xFF, 0xD0, 0xFF}),
            "fuHeatSource [  1]=Primary AC  fuOpMode [  1]=Auto  fuFanSpeed [  1]=100.0 %  "
            "fuHeatLevel [  1]= 50.0 %  fuDeadBand [  1]=1.5 \xB0"
            "C  fuOvercurrentSts [  1]=Ok  fuUndercurrentSts [  1]=Ok  "
            "fuTempWarning [  1]=Warning  ");
}

TEST_F(CatalogueDecoding, Slide) {
  // Room 1 extending at 40 %, user-locked, held by the park brake; ignition unknown.
  EXPECT_EQ(Decode(0x1FFE8, {0x01, 0x01, 0x50, 0x14, 0x31, 0xFC, 0xFF, 0xFF}),
            "srMotion [SR1]=Extending  srPosition [SR1]= 40.0 %  srLockSts [SR1]=Secured  "
            "srUnlockSts [SR1]=Not Unlocked  srBrakeSts [SR1]=Unlocked  srUserLockSts [SR1]=On  "
            "srParkBrakeSts [SR1]=Do Not Move  srLevelerSts [SR1]=Ok To Move  "
            "srAirSealSts [SR1]=Ok To Move  srVoltageSts [SR1]=Ok To Move  ");
}

TEST_F(CatalogueDecoding, Leveling) {
  // Left rear lowering; right front lower not available, right front raise at its error code.
  EXPECT_EQ(Decode(0x1FFEE, {0xB1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
            "LV_LR_Lower=Lower  LV_LR_Raise=No Action  LV_RF_Raise=Err  ");
  // Two kick-down jacks, left rear extended and loaded.
  EXPECT_EQ(Decode(0x1FFEC, {0x21, 0xFD, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF, 0xFF}),
            "lvJackType=Kick-Down  lvJackCount=2  lvLRJackExtension=Extended  "
            "lvLRJackStability=Loaded  ");
}

TEST_F(CatalogueDecoding, LockAndWindow) {
  EXPECT_EQ(
      Decode(0x1FEE5, {0x03, 0xFD, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}),
      "lkLockStatus [  3]=Locked  lkDoorMotion [  3]=Closing  lkDoorPosition [  3]=  0.0 %  ");
  EXPECT_EQ(Decode(0x1FEE2, {0x04, 0xFC, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
            "WWWindowMotion [  4]=Open  WWWindowLock [  4]=Unlocked  ");
}

TEST_F(CatalogueDecoding, WindowShade) {
  // Shade 5 (no group), forward at full duty for 6 more minutes; disable 1 at
  // its error code, disable 2 not available.
  EXPECT_EQ(Decode(0x1FEDE, {0x05, 0x80, 0xC8, 0x14, 0xF2, 0x81, 0xE0, 0xFF}),
            "shDutyLevel [  5]=100.0 %  shLockStatus [  5]=Unlocked  shMotorStatus [  5]=Active  "
            "shForwardStatus [  5]=Active  shReverseStatus [  5]=Inactive  "
            "shDurationRemaining [  5]=  6 min  shLastCommand [  5]=Forward  "
            "shOvercurrentStatus [  5]=Ok  shOverrideStatus [  5]=Inactive  "
            "shDisable1Status [  5]=Err  ");
  // A command to a group is labelled with the group.
  EXPECT_EQ(Decode(0x1FEDF, {0x05, 0x03, 0xC8, 0x04, 0x00, 0x00, 0xFF, 0xFF}),
            "SHCommand [G03]=Stop  SHCommandDuration [G03]=  0 sec  SHInterlock [G03]=00  ");
}

TEST_F(CatalogueDecoding, DmRv) {
  // Off, active, yellow lamp at its error code, red lamp not available; an SPN
  // without DSA extension; the occurrence count's all-ones is left out.
  EXPECT_EQ(Decode(0x1FECA, {0xE4, 0x80, 0x00, 0x12, 0x34, 0x7F, 0xFF, 0xFF}),
            "~~OperatingStatus1=Off  ~~OperatingStatus2=Active  ~~YellowLamp=Err  "
            "~~FullCode [128]=[---]  145:20  ");
}

TEST_F(CatalogueDecoding, ProductId) {
  const std::string text = "Valmora*VLT-1*12345*";
  EXPECT_EQ(Decode(0x0FEEB, Bytes(text.begin(), text.end())),
            "idManufacturer=Valmora  idModel=VLT-1  idSerialNumber=12345  ");
}

TEST_F(CatalogueDecoding, GenericConfiguration) {
  // Manufacturer 300 (2Ch plus 1 x 256), function instance 2, function 5,
  // firmware 12, configuration type 258, revision 3.
  EXPECT_EQ(Decode(0x1FED8, {0x2C, 0x11, 0x05, 0x0C, 0x02, 0x01, 0x00, 0x03}),
            "coFunctionInstance [ 300]=2  coFunction [ 300]=5  coFirmwareRevision [ 300]=12  "
            "coConfigType [ 300]=258  coConfigRevision [ 300]=3  ");
}

TEST_F(CatalogueDecoding, ConfigurationIdentifiersReachTheDataItems) {
  framework::LogOutput log;
  data::DataContext context(log);
  struct Case {
    const char* name;
    std::int32_t identifier;
  } cases[] = {{"gnGenset_Type", 0x64EA},
               {"tkTank_Precision", 0x6422},
               {"gdQuiet_Time_End", 0x64E0},
               {"veVehicle_Stabilized", 0x652C},
               {"tkTank_Level", -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(dictionary_->MakeDatumByName(context, c.name, {})->Identifier(), c.identifier)
        << c.name;
  }
}

}  // namespace
}  // namespace vlt::dictionary
