#include "framework/ui/Clipbrd.h"

#include <gtest/gtest.h>
#include <thread>

TEST(Clipbrd, TextRoundTripAndClear) {
    const String Text = QString::fromUtf8("Grüße, 世界 ✓\r\nline two");
    Clipboard()->SetAsText(Text);
    EXPECT_EQ(Clipboard()->AsText(), Text);
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP));
    // Another clipboard object sees the same system clipboard.
    TClipboard Other;
    EXPECT_EQ(Other.AsText(), Text);

    Clipboard()->Clear();
    EXPECT_EQ(Clipboard()->AsText(), String());
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

// Writes inside Open/Close reach the system clipboard only at the outermost Close, while the
// writer already reads back what it wrote.
TEST(Clipbrd, OpenCloseNestAndPublishAtTheOutermostClose) {
    Clipboard()->SetAsText("before");
    TClipboard Other;
    Clipboard()->Open();
    Clipboard()->Open();
    EXPECT_EQ(Clipboard()->AsText(), "before");  // nothing written yet
    Clipboard()->SetAsText("first");
    Clipboard()->SetAsText("during");
    EXPECT_EQ(Clipboard()->AsText(), "during");
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->OpenCount(), 1);
    EXPECT_EQ(Other.AsText(), "before");
    Clipboard()->Close();
    EXPECT_EQ(Other.AsText(), "during");
    EXPECT_EQ(Clipboard()->OpenCount(), 0);
    EXPECT_THROW(Clipboard()->Close(), EInvalidOperation);
    EXPECT_EQ(Clipboard()->OpenCount(), 0);
    EXPECT_EQ(Other.AsText(), "during");
}

TEST(Clipbrd, RegisteredFormatsAreStablePerNameIgnoringCase) {
    const UINT Cells = RegisterClipboardFormat("Test Grid Cells");
    const UINT Column = RegisterClipboardFormat("Test Grid Column");
    EXPECT_GE(Cells, 0xC000u);
    EXPECT_NE(Cells, Column);
    EXPECT_EQ(RegisterClipboardFormat("test grid CELLS"), Cells);
    EXPECT_EQ(GetClipboardFormatName(Cells), "Test Grid Cells");
    EXPECT_EQ(GetClipboardFormatName(CF_TEXT), String());
    EXPECT_THROW(RegisterClipboardFormat(String()), EArgumentException);

    Clipboard()->SetAsText("plain");
    EXPECT_FALSE(Clipboard()->HasFormat(Word(Cells)));
}

TEST(Clipbrd, RefusesWorkerThreads) {
    bool Refused = false;
    std::thread Worker([&] {
        try {
            (void)Clipboard()->AsText();
        } catch (const EInvalidOperation&) {
            Refused = true;
        }
    });
    Worker.join();
    EXPECT_TRUE(Refused);
}
