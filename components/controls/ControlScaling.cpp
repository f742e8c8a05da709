#include "components/controls/ControlScaling.h"

#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Graphics.h"

#include <algorithm>

int FontHeightAtDPI(int PixelsPerInch, int PointSize, const String& FaceName) {
    TBitmap Scratch(1, 1);
    TCanvas* C = Scratch.Canvas();
    C->Font()->SetName(FaceName);
    C->Font()->SetHeight(-MulDiv(PointSize, PixelsPerInch, 72));
    return C->TextHeight(QStringLiteral("0"));
}

double DPIScaleFactor(const String& FaceName) {
    const int PixelsPerInch = Screen ? Screen->PixelsPerInch() : 96;
    if (PixelsPerInch == 96) return 1.0;
    const int AtDefault = FontHeightAtDPI(96, 9, FaceName);
    if (AtDefault <= 0) return 1.0;
    return static_cast<double>(FontHeightAtDPI(PixelsPerInch, 9, FaceName)) / AtDefault;
}

int TextMetricHeight(TFont* Font) {
    TBitmap Surface(1, 1);
    Surface.Canvas()->Font()->Assign(Font);
    TEXTMETRICW Metrics{};
    GetTextMetrics(Surface.Canvas()->Handle(), &Metrics);
    return Metrics.tmHeight;
}

int EditMinHeight(TFont* Font) {
    const int FontHeight = TextMetricHeight(Font);
    TFont SystemFont;
    return FontHeight + std::min(FontHeight, TextMetricHeight(&SystemFont)) / 4;
}
