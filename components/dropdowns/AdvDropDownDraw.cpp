#include "components/dropdowns/AdvDropDownDraw.h"

#include "components/graphics/AsgHTMLE.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"

#include <algorithm>

using namespace advdropdown;

namespace {

void setPenAndBrush(TCanvas* Canvas, TColor Color) {
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetColor(Color);
}

int channelOf(TColor C, int Shift) { return static_cast<int>((C >> Shift) & 0xFF); }

}  // namespace

void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps) {
    if (!Canvas) return;
    Steps = std::max(1, Steps);
    FromColor = ColorToRGB(FromColor);
    ToColor = ColorToRGB(ToColor);
    const int Extent = (Horizontal ? R.Width() : R.Height()) - 1;
    const Extended StepSize = static_cast<Extended>(Extent) / Steps;
    Extended Increment[3];
    for (int C = 0; C < 3; ++C)
        Increment[C] = static_cast<Extended>(channelOf(ToColor, 8 * C) - channelOf(FromColor, 8 * C)) / Steps;
    const int Width = static_cast<int>(Round(StepSize));
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetStyle(bsSolid);
    for (int I = 0; I < Steps; ++I) {
        int Channel[3];
        for (int C = 0; C < 3; ++C)
            Channel[C] = channelOf(FromColor, 8 * C) + static_cast<int>(Round(I * Increment[C]));
        setPenAndBrush(Canvas, RGB(Channel[0], Channel[1], Channel[2]));
        const int L = static_cast<int>(Round(I * StepSize));
        if (Horizontal)
            Canvas->Rectangle(R.Left + L, R.Top, R.Left + L + Width + 1, R.Bottom);
        else
            Canvas->Rectangle(R.Left, R.Top + L, R.Right, R.Top + L + Width + 1);
    }
}

TColor BlendColor(TColor Color1, TColor Color2, int Percent) {
    if (Percent >= 100) return Color1;
    if (Percent <= 0) return Color2;
    const TColor C1 = ColorToRGB(Color1);
    const TColor C2 = ColorToRGB(Color2);
    const Extended P = Percent / 100.0L;
    int Channel[3];
    for (int C = 0; C < 3; ++C)
        Channel[C] = static_cast<int>(Round(P * channelOf(C1, 8 * C) + (1 - P) * channelOf(C2, 8 * C)));
    return RGB(Channel[0], Channel[1], Channel[2]);
}

TColor DarkenColor(TColor Color, int PercentR, int PercentG, int PercentB) {
    const TColor C = ColorToRGB(Color);
    const int Percent[3] = {PercentR, PercentG, PercentB};
    int Channel[3];
    for (int I = 0; I < 3; ++I) {
        const int V = channelOf(C, 8 * I);
        Channel[I] =
            V == 0 ? std::max(Percent[I], 0) : static_cast<int>(Round(std::min(Percent[I] + 100, 100) / 100.0L * V));
    }
    return RGB(Channel[0], Channel[1], Channel[2]);
}

void DrawButtonBackground(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor BorderColor,
                          int BorderWidth, TGradientDirection Direction) {
    if (!Canvas) return;
    if (ColorTo != clNone) {
        FillGradient(Canvas, Color, ColorTo, Direction == gdHorizontal, R, 80);
    } else if (Color != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color);
        Canvas->FillRect(R);
    }
    if (BorderColor == clNone || BorderWidth <= 0) return;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(BorderWidth);
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Rectangle(R);
}

void DrawButtonContent(TCanvas* Canvas, TRect R, const String& Caption, TCustomImageList* Images, int ImageIndex) {
    if (!Canvas) return;
    bool ImageDrawn = false;
    if (ImageIndex >= 0 && Images) {
        Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex, true);
        R.Left += Images->Width() + 8;
        ImageDrawn = true;
    }
    if (Caption.isEmpty()) return;
    UINT Format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!ImageDrawn) Format |= DT_CENTER;
    DrawText(Canvas->Handle(), Caption, -1, R, Format);
}

void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R) {
    if (!Canvas || !Bitmap || Bitmap->Empty()) return;
    TBitmap Keyed;
    Keyed.Assign(Bitmap);
    Keyed.SetTransparentColor(Bitmap->Canvas()->Pixels(0, 0));
    Keyed.SetTransparentMode(tmFixed);
    Keyed.SetTransparent(true);
    TBitmap Temp(Bitmap->Width(), Bitmap->Height());
    Temp.Canvas()->Brush()->SetColor(Color);
    Temp.Canvas()->FillRect(Rect(0, 0, Temp.Width(), Temp.Height()));
    Temp.Canvas()->Draw(0, 0, &Keyed);
    Canvas->CopyRect(R, Temp.Canvas(), Rect(0, 0, R.Width(), R.Height()));
}

TSize GetTextSize(TCanvas* Canvas, const String& Text) {
    if (!Canvas || Text.isEmpty()) return TSize{0, 0};
    TRect R = Rect(0, 0, 1000, 500);
    DrawText(Canvas->Handle(), Text, -1, R, DT_CALCRECT | DT_SINGLELINE);
    return TSize{R.Width(), R.Height()};
}

void ShortenText(TCanvas* Canvas, const String& Text, int MaxWidth, String& Result, bool AddEllipsis) {
    Result = Text;
    if (!Canvas || GetTextSize(Canvas, Text).cx <= MaxWidth) return;
    for (int N = 1; N <= Text.size(); ++N) {
        String Candidate = Text.left(Text.size() - N);
        if (AddEllipsis) Candidate += QStringLiteral("...");
        if (GetTextSize(Canvas, Candidate).cx < MaxWidth) {
            Result = Candidate;
            return;
        }
    }
}

void DrawMarkupCaption(TCanvas* Canvas, const String& Text, const TRect& R, TCustomImageList* Images, bool Draw,
                       HWND Handle, TSize& Size) {
    Size = TSize{0, 0};
    if (!Canvas || Text.isEmpty()) return;
    TMarkupRequest Request;
    Request.Canvas = Canvas;
    Request.Text = Text;
    Request.DrawRect = R;
    Request.Images = Images;
    Request.MeasureOnly = !Draw;
    Request.ThemeWindow = Handle;
    const TMarkupResult Result = AsgHTMLE::DrawMarkupText(Request);
    Size = TSize{Result.MeasuredWidth, Result.MeasuredHeight};
}

int GetFontTextHeight(int PixelsPerInch, int Size) {
    TBitmap Surface(1, 1);
    TCanvas* Canvas = Surface.Canvas();
    Canvas->Font()->SetPixelsPerInch(PixelsPerInch);
    Canvas->Font()->SetSize(Size);
    return Canvas->TextHeight(QStringLiteral("0"));
}

double GetDPIScale() {
    const int PPI = Screen ? Screen->PixelsPerInch() : 96;
    if (PPI == 96) return 1.0;
    return static_cast<double>(GetFontTextHeight(PPI, 9)) / GetFontTextHeight(96, 9);
}
