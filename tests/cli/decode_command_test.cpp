// vlt decode: frame lines in both written forms, the text printed for them, and
// the messages and exit status for lines that are not frames.
#include "cli/decode_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/terminal.h"
#include "dictionary/frame_line.h"
#include "dictionary/frame_text.h"
#include "framework/tool_dgn.h"

namespace vlt::cli {
namespace {

using dictionary::FrameLineReading;
using dictionary::ReadFrameLine;

TEST(FrameLines, CandumpIdentifiersBecomeTheDgnsTheTesterSeesAndPrintAsTheyCame) {
  struct Case {
    const char* line;
    std::uint32_t toolDgn;
    const char* printed;  // identifier and name
  } cases[] = {
      // A claim to everyone is the tester's ADDRESS_CLAIMED.
      {"18EEFF80#01", 0x0EE00, "18EEFF80  ADDRESS_CLAIMED      "},
      // A claim to node 00h is a claim to one node, not the claim to all.
      {"18EE0080#01", 0x0EEFF, "18EE0080  ADDR_CLAIMED_(invalid) [00]"},
      {"18EE0580#01", 0x0EE05, "18EE0580  ADDR_CLAIMED_(invalid) [05]"},
      {"18EAFFF9#01", 0x0EAFF, "18EAFFF9  REQUEST [FF]"},  // a global request stays global
      {"1DEEFF80#01", 0x1EEFF, "1DEEFF80  "},              // data page 1: not a claim
  };
  for (const Case& c : cases) {
    const auto reading = ReadFrameLine(c.line);
    ASSERT_EQ(reading.kind, FrameLineReading::Kind::kFrame) << c.line;
    EXPECT_EQ(reading.frame.dgn, c.toolDgn) << c.line;
    const std::string printed =
        dictionary::DescribeFrame(dictionary::RecordOf(reading.frame), true);
    EXPECT_EQ(printed.substr(13, std::string_view(c.printed).size()), c.printed) << printed;
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
      {"can0 18EEFF80#R", "remote frame (R); it carries no data"},
      {"can0 20000080#0000", "identifier \"20000080\" is above 1FFFFFFF (an error frame?)"},
      {"can0 18EEFF8#00", "identifier \"18EEFF8\" is not 8 hex digits"},
      {"(17x.1) can0 18EEFF80#00", "time \"(17x.1)\" is not seconds.fraction"},
      {"can0 18EEFF80#00 extra", "unexpected \"extra\" after the frame"},
      {"hello", "\"hello\" is neither a candump frame (ID#DATA) nor a DGN of up to 5 hex digits"},
      {"20000 80",
       "\"20000\" is neither a candump frame (ID#DATA) nor a DGN of up to 5 hex digits"},
      {"0EE00", "no source address after the DGN"},
      {"0EE00 80 1G", "data byte \"1G\" is not 2 hex digits"},
      // Bytes a terminal would act on are shown, not sent.
      {"0EE00 \x1b[2J", "source address \"\\x1B[2J\" is not 2 hex digits"},
      {"(1.5\x9b"
       "2J) 18EEFF80#",
       "time \"(1.5\\x9B2J)\" is not seconds.fraction"},
      {"18EEFF80#0\x07", "data \"0\\x07\" is not hex digits"},
      {"18EEFF80#00 \"\\", "unexpected \"\\\"\\\\\" after the frame"},
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
            "3487918.203  18EEFF80  ADDRESS_CLAIMED                     0EE00:80 "
            " 01 02 63 24 00 8C 00 A0\n"
            "~~NAME=01026324008C00A0  ~~ArbAddrCapable=1  ~~ManufacturerID=291  \n"
            "      0.000  18EA05F9  REQUEST [05]                        0EA05:F9  EB FE 00\n"
            "~~DGNRequest [  5]=FEEB  \n"
            "      0.000  19FFFF80  DATE_TIME_STS                       1FFFF:80  18 03 11 02\n");
  EXPECT_EQ(errors.str(), "vlt decode: line 4: unexpected \"20A1E00FF\" after the frame\n");
}

TEST_F(Decoding, AClaimWithoutDataShowsNoNameInEitherForm) {
  EXPECT_EQ(Decode("0EE00 80\n(2.0) can0 18EEFF80#\n"), kExitOk);
  EXPECT_EQ(out.str(),
            "      0.000  18EEFF80  ADDRESS_CLAIMED                     0EE00:80 \n"
            "~~NAME=N/A  \n"
            "      2.000  18EEFF80  ADDRESS_CLAIMED                     0EE00:80 \n"
            "~~NAME=N/A  \n");
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
