#include "framework/rtl/Variant.h"

#include "framework/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(Variant, ConvertsBetweenKindsByThePlatformsRules) {
    TFormatSettings FS = TFormatSettings::Default();
    FS.DecimalSeparator = u',';
    const FormatSettingsScope Scope(FS);
    struct Case {
        Variant V;
        const char16_t* Text;
        double Number;
    };
    const Case Cases[] = {
        {Variant(), u"", 0},         {Variant(42), u"42", 42},     {Variant(Int64(5000000000)), u"5000000000", 5e9},
        {Variant(2.5), u"2,5", 2.5}, {Variant(true), u"True", -1}, {Variant(u"7,25"), u"7,25", 7.25},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(C.V.AsString(), String::fromUtf16(C.Text));
        EXPECT_DOUBLE_EQ(C.V.AsDouble(), C.Number);
    }
    EXPECT_EQ(Variant(2.5).AsInteger(), 2) << "halves to even";
    EXPECT_EQ(Variant(u" 12 ").AsInteger(), 12);
    EXPECT_THROW(Variant(u"abc").AsDouble(), EVariantTypeCastError);
    EXPECT_TRUE(Variant(3) == Variant(3.0));
    EXPECT_FALSE(Variant(u"3") == Variant(3));
    EXPECT_TRUE(Variant().IsEmpty());
}

}  // namespace
