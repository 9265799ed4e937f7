// vlt decode: frame lines in both written forms, the text printed for them, and
// the messages and exit status for lines that are not frames.
#include "cli/decode_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/terminal.h"
#include "dictionary/frame_line.h"
#include "framework/tool_dgn.h"

namespace vlt::cli {
namespace {

using dictionary::FrameLineReading;
using dictionary::ReadFrameLine;

TEST(FrameLines, CandumpIdentifiersBecomeTheDgnsTheTesterSees) {
  struct Case {
    std::uint32_t identifier;
    std::uint32_t toolDgn;
  } cases[] = {
      {0x18EEFF80, 0x0EE00},  // a claim to everyone is the tester's ADDRESS_CLAIMED
      {0x18EE0580, 0x0EE05},  // a claim to one node keeps its address
      {0x18EAFFF9, 0x0EAFF},  // a global request stays global
      {0x19FEEB80, 0x1FEEB}, {0x1DEEFF80, 0x1EEFF},  // data page 1: not a claim
  };
  for (const Case& c : cases) {
    EXPECT_EQ(framework::ToolDgnOfIdentifier(c.identifier), c.toolDgn) << std::hex << c.identifier;
  }
}

TEST(FrameLines, BothFormsGiveTheFrameWithItsTimeAndIdentifierFields) {
  const auto candump = ReadFrameLine("(1700000000.123456) can0 1DEEFF80#0102030405060708\r");
  ASSERT_EQ(candump.kind, FrameLineReading::Kind::kFrame);
  EXPECT_EQ(candump.frame.timeStampMs, static_cast<std::uint32_t>(1700000000123ULL));  // mod 2^32
  EXPECT_EQ(candump.frame.dgn, 0x1EEFFu);
  EXPECT_EQ(candump.frame.sourceAddress, 0x80);
  EXPECT_EQ(candump.frame.priority, 7);
  EXPECT_EQ(candump.frame.reservedBit, 0);
  EXPECT_EQ(candump.frame.data, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));

  const auto untimed = ReadFrameLine("  vcan0\t1BEAFFFE#00EE00");
  ASSERT_EQ(untimed.kind, FrameLineReading::Kind::kFrame);
  EXPECT_EQ(untimed.frame.timeStampMs, 0u);
  EXPECT_EQ(untimed.frame.reservedBit, 1);
  EXPECT_EQ(ReadFrameLine("1.5 18EAFFFE#").frame.timeStampMs, 1500u);

  const auto dgnForm = ReadFrameLine("0EE00 80 01 02 03 04 05 06 07 08 09");
  ASSERT_EQ(dgnForm.kind, FrameLineReading::Kind::kFrame);
  EXPECT_EQ(dgnForm.frame.dgn, 0xEE00u);
  EXPECT_EQ(dgnForm.frame.priority, 6);
  EXPECT_EQ(dgnForm.frame.data.size(), 9u);  // an assembled message may be longer

  EXPECT_EQ(ReadFrameLine(" \t ").kind, FrameLineReading::Kind::kBlank);
}

TEST(FrameLines, MalformedLinesSayWhatIsWrong) {
  struct Case {
    const char* line;
    const char* error;
  } cases[] = {
      {"can0 123#1122",
       "11-bit identifier \"123\"; RV-C frames have 29-bit identifiers of 8 hex digits"},
      {"can0 18EEFF80##10102", "CAN FD frame (##); RV-C frames carry at most 8 data bytes"},
      {"can0 18EEFF80#010203040506070809", "data of 9 bytes; a CAN frame carries at most 8"},
      {"can0 18EEFF80#012", "data \"012\" has an odd number of digits"},
      {"can0 18EEFF80#R", "remote frame; it carries no data to decode"},
      {"can0 20000080#0000", "identifier \"20000080\" is above 1FFFFFFF (an error frame?)"},
      {"can0 18EEFF8#00", "identifier \"18EEFF8\" is not 8 hex digits"},
      {"(17x.1) can0 18EEFF80#00", "time \"(17x.1)\" is not seconds.fraction"},
      {"can0 18EEFF80#00 extra", "unexpected \"extra\" after the frame"},
      {"hello", "\"hello\" is neither a candump frame (ID#DATA) nor a DGN of up to 5 hex digits"},
      {"20000 80",
       "\"20000\" is neither a candump frame (ID#DATA) nor a DGN of up to 5 hex digits"},
      {"0EE00", "no source address after the DGN"},
      {"0EE00 80 1G", "data byte \"1G\" is not 2 hex digits"},
      {"0EE00 \x1b[2J", "source address \"?[2J\" is not 2 hex digits"},
  };
  for (const Case& c : cases) {
    const auto reading = ReadFrameLine(c.line);
    EXPECT_EQ(reading.kind, FrameLineReading::Kind::kMalformed) << c.line;
    EXPECT_EQ(reading.error, c.error) << c.line;
  }
}

struct Decoding : ::testing::Test {
  const framework::DgnTable global = framework::DgnTable::For(0xFF);
  const dictionary::MainDictionary dictionary{values::SharedValueMakers::Instance(), global, {}};
  std::ostringstream out, errors;

  int Decode(const std::string& input) {
    std::istringstream in(input);
    return DecodeFrameLines(in, out, errors, dictionary);
  }
};

TEST_F(Decoding, PrintsEachFrameAndTheSignalsOfKnownDgns) {
  EXPECT_EQ(Decode("(1700000000.123456) can0 18EEFF80#01026324008C00A0\n"
                   "\n"
                   "0EA05 F9 EB FE 00\n"
                   "can0 19FFFF80#1803110 20A1E00FF\n"
                   "can0 19FFFF80#18031102\n"),
            kExitDataError);
  EXPECT_EQ(out.str(),
            "3487918.203  18EE0080  ADDRESS_CLAIMED                     0EE00:80 "
            " 01 02 63 24 00 8C 00 A0\n"
            "~~NAME=01026324008C00A0  ~~ArbAddrCapable=1  ~~ManufacturerID=291  \n"
            "      0.000  18EA05F9  REQUEST [05]                        0EA05:F9  EB FE 00\n"
            "~~DGNRequest [  5]=FEEB  \n"
            "      0.000  19FFFF80  DATE_TIME_STS                       1FFFF:80  18 03 11 02\n");
  EXPECT_EQ(errors.str(), "vlt decode: line 4: unexpected \"20A1E00FF\" after the frame\n");
}

TEST_F(Decoding, EveryMalformedLineIsReportedAndAllGoodLinesDecoded) {
  EXPECT_EQ(Decode("123#00\n0EAFF FE 00 EE 00\nnot a frame"), kExitDataError);
  EXPECT_NE(errors.str().find("vlt decode: line 1: 11-bit identifier"), std::string::npos);
  EXPECT_NE(errors.str().find("vlt decode: line 3: \"not\" is neither"), std::string::npos);
  EXPECT_NE(out.str().find("~~DGNRequest [255]=EE00  \n"), std::string::npos);

  out.str("");
  errors.str("");
  EXPECT_EQ(Decode("0EAFF FE 00 EE 00\n"), kExitOk);
  EXPECT_EQ(errors.str(), "");
  EXPECT_EQ(Decode(""), kExitOk);
}

}  // namespace
}  // namespace vlt::cli
