// The drop-down unit's text routines beside the edit's value routines: both units link into one
// program, sharing the one hexadecimal digit reader.
#include "components/dropdowns/AdvDropDownText.h"
#include "components/controls/AdvEdit.h"

#include <gtest/gtest.h>

namespace {

TEST(AdvDropDownText, HexReadersOfBothUnitsAgree) {
    for (const char* Text : {"fF", "1g", "-c", ""}) {
        EXPECT_EQ(HexToInt(QString::fromUtf8(Text)), HexTextToInt(QString::fromUtf8(Text))) << Text;
    }
    EXPECT_EQ(HexDigitValue(u'c'), 12);
    EXPECT_EQ(HexDigitValue(u'-'), 0);
}

}  // namespace
