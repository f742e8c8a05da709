#include "framework/rtl/Encoding.h"

#include <gtest/gtest.h>

TEST(Encoding, RoundTripsAndBytesOfEachStandardEncoding) {
    struct Case {
        TEncoding* E;
        int CodePage;
        TBytes Bytes;  // of the text "A\u00e9\u20ac"
        String Back;   // what reading the bytes gives
        TBytes Preamble;
    };
    const String Text = QStringLiteral("A\u00e9\u20ac");
    const Case Cases[] = {
        {TEncoding::UTF8(), 65001, {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC}, Text, {0xEF, 0xBB, 0xBF}},
        {TEncoding::Unicode(), 1200, {0x41, 0, 0xE9, 0, 0xAC, 0x20}, Text, {0xFF, 0xFE}},
        {TEncoding::BigEndianUnicode(), 1201, {0, 0x41, 0, 0xE9, 0x20, 0xAC}, Text, {0xFE, 0xFF}},
        {TEncoding::ANSI(), 1252, {0x41, 0xE9, 0x80}, Text, {}},
        {TEncoding::ASCII(), 20127, {0x41, '?', '?'}, QStringLiteral("A??"), {}},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(C.E->CodePage(), C.CodePage);
        EXPECT_EQ(C.E->GetBytes(Text), C.Bytes) << C.CodePage;
        EXPECT_EQ(C.E->GetString(C.Bytes), C.Back) << C.CodePage;
        EXPECT_EQ(C.E->GetPreamble(), C.Preamble) << C.CodePage;
        EXPECT_EQ(TEncoding::GetEncoding(C.CodePage), C.E);
        EXPECT_TRUE(TEncoding::IsStandardEncoding(C.E));
    }
    EXPECT_EQ(TEncoding::Default(), TEncoding::ANSI());
    EXPECT_EQ(TEncoding::GetEncoding(932), nullptr);
    // A character Windows-1252 lacks, and bytes it leaves unassigned.
    EXPECT_EQ(TEncoding::ANSI()->GetBytes(QStringLiteral("\u4e00")), TBytes{'?'});
    EXPECT_EQ(TEncoding::ANSI()->GetString({0x81}), QString(QChar(0x81)));
}

TEST(Encoding, BufferEncodingFromTheByteOrderMark) {
    struct Case {
        TBytes Buffer;
        TEncoding* Found;
        int Length;
    };
    const Case Cases[] = {
        {{0xEF, 0xBB, 0xBF, 'a'}, TEncoding::UTF8(), 3},
        {{0xFF, 0xFE, 'a', 0}, TEncoding::Unicode(), 2},
        {{0xFE, 0xFF, 0, 'a'}, TEncoding::BigEndianUnicode(), 2},
        {{'a', 'b'}, TEncoding::Default(), 0},
        {{}, TEncoding::Default(), 0},
    };
    for (const Case& C : Cases) {
        TEncoding* E = nullptr;
        EXPECT_EQ(TEncoding::GetBufferEncoding(C.Buffer, E), C.Length);
        EXPECT_EQ(E, C.Found);
    }
    // A given encoding looks only for its own mark.
    TEncoding* E = TEncoding::UTF8();
    EXPECT_EQ(TEncoding::GetBufferEncoding({0xFF, 0xFE, 'a', 0}, E), 0);
    EXPECT_EQ(E, TEncoding::UTF8());
    EXPECT_EQ(TEncoding::UTF8()->GetString({'x', 'a', 'b', 'c'}, 1, 2), QStringLiteral("ab"));
    EXPECT_EQ(TEncoding::UTF8()->GetString({'x'}, 3, 2), String());
}
