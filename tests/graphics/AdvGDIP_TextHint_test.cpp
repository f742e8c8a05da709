// The text rendering hint decides whether GDI+ text has smoothed edges.
#include "components/graphics/AdvGDIP.h"

#include "tests/graphics/AdvGDIPTestSupport.h"

#include <gtest/gtest.h>

TEST(AdvGDIPText, RenderingHintDecidesWhetherTextEdgesAreSmoothed) {
    struct Case {
        TextRenderingHint Hint;
        bool Smoothed;
    };
    const Case Cases[] = {
        {TextRenderingHintSingleBitPerPixel, false}, {TextRenderingHintSingleBitPerPixelGridFit, false},
        {TextRenderingHintAntiAlias, true},          {TextRenderingHintAntiAliasGridFit, true},
        {TextRenderingHintClearTypeGridFit, true},
    };
    TGPFont Font(QStringLiteral("Arial"), 16, TFontStyles{}, UnitPixel);
    ASSERT_EQ(Font.Status(), Ok);
    TGPSolidBrush Black(0xFF000000);
    for (const Case& C : Cases) {
        TGPSurface S(120, 40);
        ASSERT_EQ(S.Graphics->SetTextRenderingHint(C.Hint), Ok);
        EXPECT_EQ(S.Graphics->GetTextRenderingHint(), C.Hint);
        ASSERT_EQ(S.Graphics->DrawString(QStringLiteral("Wave Os"), 7, &Font, MakeGPPointF(2, 2), &Black), Ok);
        int Ink = 0, Partial = 0;
        for (int Y = 0; Y < 40; ++Y)
            for (int X = 0; X < 120; ++X) {
                const ARGB P = S.Pixel(X, Y);
                if (P == 0xFF000000)
                    ++Ink;
                else if (P != 0xFFFFFFFF)
                    ++Partial;
            }
        EXPECT_GT(Ink + Partial, 30) << C.Hint;
        EXPECT_EQ(Partial > 0, C.Smoothed) << "hint " << C.Hint << ": " << Partial << " partial pixels";
    }
}
