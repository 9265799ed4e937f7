#include "dictionary/dict_labels.h"

#include <gtest/gtest.h>

#include "data/data_test_support.h"

namespace vlt::dictionary {
namespace {

using data::testing::Bytes;
using data::testing::Frame;

TEST(DictLabels, NameTheSendersInstanceAsLaidOut) {
  struct Case {
    LabelFunction label;
    std::uint32_t dgn;
    Bytes data;
    std::string expected;
  } cases[] = {
      {L0, 0x1FFFF, {1}, "x"},
      {L1, 0x1FFF7, {7}, "x [  7]"},
      {L1, 0x1FFF7, {}, "x [255]"},  // no instance byte: not available
      {L2, 0x1FECA, {0, 66}, "x [ 66]"},
      {L3, 0x1FFBF, {5, 0x81}, "x [  5]"},
      {L3, 0x1FFBF, {5, 0x12}, "x [G12]"},
      {L4, 0x1FFFD, {1, 2}, "x [  1:  2]"},
      {L5, 0x1FFB8, {9, 3, 0, 0, 0x0E}, "x [  9]"},
      {L5, 0x1FFB8, {9, 3, 0, 0, 0x02}, "x [02:003]"},
      {L6, 0x1FED7, {9, 3, 0, 0x01}, "x [01:003]"},
      {L7, 0x1FEFE, {1, 0, 5}, "x [  1: QT]"},
      {L7, 0x1FEFE, {1, 0, 9}, "x [  1:  9]"},
      {L8, 0x1FDDD, {1, 2, 254}, "x [  1:  2]"},
      {L8, 0x1FDDD, {1, 2, 3}, "x [  1:  2:  3]"},
      {L9, 0x1FFE8, {5}, "x [GEN]"},
      {L9, 0x1FFE8, {8}, "x [  8]"},
      {L10, 0x1FEF7, {1, 250}, "x [  1:Sto]"},
      {L10, 0x1FEF7, {1, 4}, "x [  1:  4]"},
      {L11, 0x1FFD7, {0x12}, "x [ 2:I2]"},
      {L11, 0x1FFD7, {0x41}, "x [ 1:O1]"},
      {L12, 0x1FFAD, {0x19}, "x [1:Sec:Inp:L2]"},
      {L13, 0x1FEBB, {17}, "x [SP:L1]"},
      {L14, 0x1FFDF, {17}, "x [ 1:L1]"},
      {L13, 0x1FEBB, {0x35}, "x [ 5: 3]"},
      {L15, 0x1FEF1, {0x78, 0x56, 0x34, 0x12}, "x [12345678]"},
      {L16, 0x1FEF0, {0x23}, "x [A2:T3]"},
      {L17, 0x1FEEE, {0x23}, "x [A2]"},
      {L18, 0x1FED8, {0x10, 0xFA}, "x [ 528]"},
      {L19, 0x1FDD3, {0x45}, "x [ 5:Fr]"},
      {L19, 0x1FDD3, {0xC5}, "x [ 5: 3]"},
      {L20, 0x1FDD1, {0x01, 0x01, 7}, "x [  257:  7]"},
      {L21, 0x1FDAD, {1, 0x00}, "x [ 1: all ]"},
      {L21, 0x1FDAD, {1, 0x30}, "x [ 1:**: 3]"},
      {L21, 0x1FDAD, {1, 0x22}, "x [ 1:HS: 2]"},
      {L21, 0x1FDAD, {1, 0x27}, "x [ 1: 7: 2]"},
      {L22, 0x1FDB4, {0x81, 2}, "x [129/  2]"},
      {L23, 0x1FD06, {0x34, 0x12}, "x [1234]"},
      {L24, 0x1FE9F, {3, 66, 0, 0, 0, 9}, "x [INV:  9   3]"},
      {L24, 0x1FE9F, {3, 66, 0, 0, 0, 0xFE}, "x [INV   3]"},
      {L25, 0x0EA05, {}, "x [  5]"},
      {L26, 0x16F42, {1, 2}, "x [INV   1:  2]"},
      {L27, 0x1FD97, {66, 3, 0x14}, "x [INV:3  4:F]"},
      {L27, 0x1FD97, {66, 3, 0x34}, "x [INV:3  4:?]"},
  };
  for (const Case& c : cases) {
    const auto frame = Frame(c.dgn, 0x80, c.data);
    EXPECT_EQ(c.label("x", frame.frame), c.expected) << c.expected;
  }
}

}  // namespace
}  // namespace vlt::dictionary
