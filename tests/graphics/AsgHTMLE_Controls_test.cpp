// The grid renderer's window-free routines: reading and rewriting CONTROL tags, colour names,
// hexadecimal pairs and line breaks.
#include "components/graphics/AsgHTMLE.h"

#include <gtest/gtest.h>

namespace {

using namespace AsgHTMLE;

String S(const char* Text) { return String::fromUtf8(Text); }

// Two of each kind, in an order that puts editable controls between the others.
const char* const kForm =
    "<CONTROL TYPE=\"BUTTON\" ID=\"b1\" VALUE=\"Go\" WIDTH=\"40\">"
    "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">"
    "Name <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"Ann\" WIDTH=\"80\" MAXLEN=\"12\" PROP=\"p&amp;q\">"
    "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"20\">"
    "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"false\" WIDTH=\"20\">"
    "<CONTROL TYPE=\"COMBO\" ID=\"m1\" VALUE=\"one\" WIDTH=\"60\">"
    "<CONTROL TYPE=\"PASSWORD\" ID=\"p1\" VALUE=\"\" WIDTH=\"60\">";

TEST(AsgHTMLEControls, ParseControlTagReadsEachAttributeAtItsFirstOccurrence) {
    const TControlTag T =
        ParseControlTag(S("CONTROL type=\"edit\" Id=\"Name\" VALUE=\"a &amp; &quot;b&quot; &eacute;\" WIDTH=\"80\" "
                          "height=\"30\" PROP=\"p&lt;\" MAXLEN=\"5\">"));
    EXPECT_EQ(T.Type, S("EDIT"));
    EXPECT_EQ(T.ID, S("Name"));
    EXPECT_EQ(T.Value, S("a & \"b\" \u00e9"));
    EXPECT_EQ(T.Width, S("80"));
    EXPECT_EQ(T.Height, S("30"));
    EXPECT_EQ(T.Prop, S("p<"));
    EXPECT_EQ(T.MaxLen, S("5"));

    const TControlTag Bare = ParseControlTag(S("CONTROL TYPE=CHECK ID=\"x>"));
    EXPECT_TRUE(Bare.Type.isEmpty());  // no quotes: no value
    EXPECT_TRUE(Bare.ID.isEmpty());    // an opening quote without its closer
    EXPECT_TRUE(Bare.Width.isEmpty());
}

TEST(AsgHTMLEControls, SetControlValueWritesTheTagAnewInItsOwnOrder) {
    struct Case {
        const char* Text;
        const char* Expected;
    } Cases[] = {
        {"x<control id=\"a\" value=\"x\" type=\"edit\" width=\"80\" height=\"30\">y",
         "x<CONTROL ID=\"a\" VALUE=\"new &amp; &lt;\" WIDTH=\"80\" TYPE=\"EDIT\" HEIGHT=\"30\">y"},
        {"<CONTROL HEIGHT=\"9\" MAXLEN=\"4\" PROP=\"&eacute;\" TYPE=\"combo\" WIDTH=\"70\" ID=\"a\">",
         "<CONTROL ID=\"a\" VALUE=\"new &amp; &lt;\" WIDTH=\"70\" TYPE=\"COMBO\" PROP=\"&eacute;\" MAXLEN=\"4\" "
         "HEIGHT=\"9\">"},
        // Only the first control with the ID changes.
        {"<CONTROL ID=\"a\" TYPE=\"EDIT\"><CONTROL ID=\"a\" TYPE=\"EDIT\">",
         "<CONTROL ID=\"a\" VALUE=\"new &amp; &lt;\" WIDTH=\"\" TYPE=\"EDIT\"><CONTROL ID=\"a\" TYPE=\"EDIT\">"},
    };
    for (const Case& C : Cases) {
        String Text = S(C.Text);
        EXPECT_TRUE(SetControlValue(Text, S("a"), S("new & <")));
        EXPECT_EQ(Text, S(C.Expected)) << C.Text;
    }
    String Unknown = S(kForm);
    EXPECT_FALSE(SetControlValue(Unknown, S("E1"), S("x")));  // IDs compare exactly
    EXPECT_EQ(Unknown, S(kForm));
}

TEST(AsgHTMLEControls, ValuesRoundTripThroughTheTag) {
    for (const char* Value : {"a & b", "say \"hi\"", "<b>bold</b>", "\u00e9t\u00e9 \u00bb", "&amp; stays", ""}) {
        String Text = S(kForm);
        ASSERT_TRUE(SetControlValue(Text, S("e1"), S(Value)));
        String Read = S("untouched");
        EXPECT_TRUE(GetControlValue(Text, S("e1"), Read));
        EXPECT_EQ(Read, S(Value));
        // The other controls keep their values.
        EXPECT_TRUE(GetControlValue(Text, S("m1"), Read));
        EXPECT_EQ(Read, S("one"));
    }
    String Kept = S("untouched");
    EXPECT_FALSE(GetControlValue(S(kForm), S("none"), Kept));
    EXPECT_EQ(Kept, S("untouched"));
}

TEST(AsgHTMLEControls, NextControlIDSkipsButtonsAndBoxes) {
    const struct {
        const char* Current;
        const char* Next;
    } Cases[] = {
        {"", "e1"}, {"b1", "e1"}, {"e1", "m1"}, {"r1", "m1"}, {"m1", "p1"}, {"p1", ""}, {"unknown", ""},
    };
    for (const auto& C : Cases) EXPECT_EQ(NextControlID(S(kForm), S(C.Current)), S(C.Next)) << C.Current;
    EXPECT_EQ(NextControlID(S("no controls <b>here</b>"), String()), String());
}

TEST(AsgHTMLEControls, PropMaxLenAndPresence) {
    EXPECT_EQ(GetControlProp(S(kForm), S("e1")), S("p&q"));
    EXPECT_EQ(GetControlProp(S(kForm), S("m1")), String());
    EXPECT_EQ(GetControlMaxLen(S(kForm), S("e1")), 12);
    EXPECT_EQ(GetControlMaxLen(S(kForm), S("m1")), 0);  // no MAXLEN
    EXPECT_EQ(GetControlMaxLen(S(kForm), S("none")), 0);
    EXPECT_TRUE(HasControlTag(S("a <control")));
    EXPECT_FALSE(HasControlTag(S("a CONTROL b")));
}

TEST(AsgHTMLEControls, UncheckRadioControlsLeavesOtherControlsAlone) {
    const String Text = UncheckRadioControls(S(kForm));
    String Value;
    for (const char* ID : {"r1", "r2"}) {
        EXPECT_TRUE(GetControlValue(Text, S(ID), Value));
        EXPECT_EQ(Value, S("FALSE")) << ID;
    }
    EXPECT_TRUE(GetControlValue(Text, S("c1"), Value));
    EXPECT_EQ(Value, S("TRUE"));
    EXPECT_TRUE(Text.contains(S("<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"20\">")));
}

TEST(AsgHTMLEControls, ColourNames) {
    const struct {
        const char* Name;
        TColor Color;
    } Cases[] = {
        {"clred", 0x0000FF},
        {"cl3ddkshadow", static_cast<TColor>(0xFF000015)},  // first in the table's order
        {"clyellow", 0x00FFFF},                             // last
        {"clbtnface", clBtnFace},
        {"clRed", 0},  // the lookup is exact: callers lower-case first
        {"clzzz", 0},  // after the last name
        {"red", 0},
        {"", 0},
        {"#FF8000", 0x0080FF},
        {"#ff8000", 0x0080FF},
        {"#FF80", 0x0080FF},  // a missing pair reads 0
        {"#GG0010", 0x100000},
    };
    for (const auto& C : Cases) EXPECT_EQ(AsgHTMLE::ParseColorName(S(C.Name)), C.Color) << C.Name;
}

TEST(AsgHTMLEControls, HexPairAt) {
    const struct {
        const char* Text;
        int Position, Value;
    } Cases[] = {
        {"#A0ff", 2, 0xA0}, {"#A0ff", 4, 0xFF}, {"#A0ff", 5, 0}, {"#A0ff", 0, 0}, {"#AZ", 2, 0}, {"", 1, 0},
    };
    for (const auto& C : Cases) EXPECT_EQ(HexPairAt(S(C.Text), C.Position), C.Value) << C.Text << " " << C.Position;
}

TEST(AsgHTMLEControls, LineBreaksAndSmallReaders) {
    const struct {
        const char* Text;
        bool Flag;
        const char* Expected;
    } Cases[] = {
        {"a\r\nb", true, "a<BR>b"}, {"a\r\nb", false, "a b"}, {"<b>\r\n<i>", false, "<b><i>"},
        {"<b>\r", false, "<b>"},    {"x>\ry", false, "x> y"}, {"x\r<i>", false, "x <i>"},
    };
    for (const auto& C : Cases) EXPECT_EQ(AsgHTMLE::LineBreaksToBR(S(C.Text), C.Flag), S(C.Expected)) << C.Text;

    int Position = -1;
    EXPECT_EQ(PosIgnoreCaseOut(S("AB"), S("xaBc"), Position), 2);
    EXPECT_EQ(Position, 2);
    EXPECT_EQ(PasswordMask(S("s\u00e9cret")), S("******"));
}

}  // namespace
