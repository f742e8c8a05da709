// The texts the bars write, compared pixel for pixel with the expected text drawn where the
// routines must place it: the classic bar's formatted value, the range indicator's limited value
// and the multi-level bar's percentage.
#include "components/graphics/AdvUtilCells.h"
#include "components/graphics/AdvUtilDraw.h"
#include "tests/support/Paper.h"

#include <gtest/gtest.h>

namespace {

// Paper with the font the bars write in.
class TextPaper : public Paper {
public:
    TextPaper(int W, int H) : Paper(W, H) {
        Canvas()->Font()->SetName(QStringLiteral("Arial"));
        Canvas()->Font()->SetHeight(-14);
        Canvas()->Font()->SetColor(clBlack);
    }
};

TEST(DrawClassicProgress, WritesTheFormattedValueCentred) {
    struct Case {
        double Value;
        int Min, Max;
        const char* Format;
        bool Printing;
        const char* Text;
    };
    const Case Cases[] = {
        {7, 0, 10, "%d items", false, "7 items"},
        {7.26, 0, 10, "%.1f", false, "7.3"},
        {7.26, 0, 10, "done %.1f", false, "done 7.3"},  // the "d" of a word asks for no integer
        {150, 0, 100, "", false, "150%"},
        {42.6, 0, 100, "", false, "43%"},
        {50, 0, 100, "", true, "50%"},  // a printer's y axis runs upwards: one text height lower here
    };
    const TColor Bar = RGB(200, 200, 200);
    const TRect R = Rect(4, 4, 124, 28);
    for (const Case& C : Cases) {
        TextPaper Got(130, 50), Expected(130, 50);
        // One colour on both sides, so only the text and where it stands can differ.
        DrawClassicProgress(Got.Canvas(), R, Bar, clBlack, Bar, clBlack, C.Value, 0, 0, C.Min, C.Max,
                            QString::fromLatin1(C.Format), clNone, C.Printing);
        TCanvas* E = Expected.Canvas();
        E->Brush()->SetColor(Bar);
        E->FillRect(R);
        const String Text = QString::fromLatin1(C.Text);
        const TSize Extent = E->TextExtent(Text);
        E->Brush()->SetStyle(bsClear);
        E->TextRect(R, R.Left + (R.Width() - Extent.cx) / 2,
                    R.Top + (R.Height() - Extent.cy * (C.Printing ? -1 : 1)) / 2, Text);
        std::string Where;
        EXPECT_EQ(Got.Differences(Expected, Where), 0) << C.Format << " " << C.Value << " first at " << Where;
        EXPECT_GT(Got.Count(Bar), 0);
    }
}

TEST(DrawRangeIndicator, WritesTheLimitedValueAtTheTopCentre) {
    struct Case {
        int Value, Range;
        const char* Text;
    };
    const Case Cases[] = {{99, 10, "10"}, {-99, 10, "-10"}, {3, 10, "3"}, {0, 10, "0"}};
    const TRect R = Rect(0, 0, 80, 30);
    for (const Case& C : Cases) {
        TextPaper Got(90, 40), Expected(90, 40);
        DrawRangeIndicator(Got.Canvas(), R, C.Value, C.Range, true, clRed, clLime);
        DrawRangeIndicator(Expected.Canvas(), R, C.Value, C.Range, false, clRed, clLime);
        TCanvas* E = Expected.Canvas();
        const String Text = QString::fromLatin1(C.Text);
        E->Brush()->SetStyle(bsClear);
        // The rectangle shrunk by 2: (2, 2, 78, 28).
        E->TextOut(2 + (76 - E->TextWidth(Text)) / 2, 2, Text);
        std::string Where;
        EXPECT_EQ(Got.Differences(Expected, Where), 0) << C.Value << " first at " << Where;
    }
}

TEST(DrawCellProgress, WritesThePositionCentredOverTheBar) {
    TFont Font;
    Font.SetName(QStringLiteral("Arial"));
    Font.SetSize(9);
    Font.SetStyle(TFontStyles{fsBold});
    TProgressLook L;
    L.Level0Color = L.Level1Color = L.Level2Color = L.Level3Color = RGB(0, 160, 0);
    L.Level0ColorTo = L.Level1ColorTo = L.Level2ColorTo = L.Level3ColorTo = clNone;
    L.Level1Perc = 50;
    L.Level2Perc = 80;
    L.BorderColor = clBlack;
    L.ShowBorder = true;
    L.BackgroundColor = RGB(250, 250, 250);
    L.FontColor = RGB(0, 0, 255);
    L.CompletionSmooth = true;
    L.Font = &Font;
    const TRect R = Rect(3, 3, 105, 25);
    for (int Position : {0, 37, 100, 250}) {
        TextPaper Got(110, 30), Expected(110, 30);
        L.ShowPercentage = true;
        DrawCellProgress(Got.Canvas(), R, Position, L);
        L.ShowPercentage = false;
        DrawCellProgress(Expected.Canvas(), R, Position, L);
        TCanvas* E = Expected.Canvas();
        E->Font()->Assign(&Font);
        E->Font()->SetColor(L.FontColor);
        E->Brush()->SetStyle(bsClear);
        const String Text = QString::number(Position) + u'%';
        const TSize Extent = E->TextExtent(Text);
        E->TextOut(R.Left + R.Width() / 2 - Extent.cx / 2, R.Top + R.Height() / 2 - Extent.cy / 2, Text);
        std::string Where;
        EXPECT_EQ(Got.Differences(Expected, Where), 0) << Position << " first at " << Where;
        EXPECT_GT(Got.Count(RGB(0, 0, 255)), 3) << Position;
    }
}

}  // namespace
