// Drawing utilities: gradients, frames, buttons, underline, indicators, bitmaps, layered calls.
#include "components/graphics/AdvUtilDraw.h"

#include "framework/rtl/Resources.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Controls.h"
#include "framework/ui/FrameControls.h"
#include "framework/ui/UxTheme.h"

#include <algorithm>
#include <memory>

namespace {

int roundInt(Extended X) { return static_cast<int>(Round(X)); }

void setPenAndBrush(TCanvas* Canvas, TColor Color) {
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
}

void line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

TColor channelMix(TColor From, TColor To, Extended Fraction) {
    auto Mix = [&](int F, int T) { return F + roundInt((T - F) * Fraction); };
    return RGB(Mix(GetRValue(From), GetRValue(To)), Mix(GetGValue(From), GetGValue(To)),
               Mix(GetBValue(From), GetBValue(To)));
}

// The tone of a button state: Background, Hover, Selected or Disabled for states 0-3.
const TColorTone& toneOf(const TColorTones& Tones, int State) {
    switch (State) {
        case 1:
            return Tones.Hover;
        case 2:
            return Tones.Selected;
        case 3:
            return Tones.Disabled;
        default:
            return Tones.Background;
    }
}

// Draws one themed part, binding the theme calls by name each time so a missing or replaced
// library is noticed; false when the theme cannot draw it (the caller falls back to the
// classic look).
bool drawThemedPart(TCanvas* Canvas, HWND Window, const char16_t* ClassName, int Part, int State, const TRect& R) {
    HMODULE Lib = LoadLibrary(String::fromUtf16(UxThemeLibraryName));
    if (!Lib) return false;
    const auto IsActive = GetProcAddressAs<TIsThemeActive>(Lib, "IsThemeActive");
    const auto Open = GetProcAddressAs<TOpenThemeData>(Lib, "OpenThemeData");
    const auto Draw = GetProcAddressAs<TDrawThemeBackground>(Lib, "DrawThemeBackground");
    const auto Close = GetProcAddressAs<TCloseThemeData>(Lib, "CloseThemeData");
    bool Drawn = false;
    if (IsActive && Open && Draw && Close && IsActive()) {
        if (HTHEME Theme = Open(Window, ClassName)) {
            Drawn = SUCCEEDED(Draw(Theme, Canvas->Handle(), Part, State, &R, nullptr));
            Close(Theme);
        }
    }
    FreeLibrary(Lib);
    return Drawn;
}

void frameControl(TCanvas* Canvas, TRect R, UINT Kind, UINT State) {
    DrawFrameControl(Canvas->Handle(), &R, Kind, State);
}

// "&&" is "&", "&x" marks x as the access key (its index in the result, -1 when none).
String stripPrefix(const String& Caption, int& AccessKey) {
    String Result;
    AccessKey = -1;
    for (int I = 0; I < Caption.size(); ++I) {
        if (Caption[I] == u'&' && I + 1 < Caption.size()) {
            ++I;
            if (Caption[I] != u'&' && AccessKey < 0) AccessKey = static_cast<int>(Result.size());
        }
        Result += Caption[I];
    }
    return Result;
}

void drawCaption(TCanvas* Canvas, TRect R, bool ShowPrefix, const String& Caption) {
    R.Top += 4;
    int AccessKey = -1;
    const String Text = ShowPrefix ? stripPrefix(Caption, AccessKey) : Caption;
    const TSize Size = Canvas->TextExtent(Text);
    const int X = R.Left + (R.Width() - Size.cx) / 2, Y = R.Top + (R.Height() - Size.cy) / 2;
    Canvas->Brush()->SetStyle(bsClear);
    if (AccessKey < 0) {
        Canvas->TextOut(X, Y, Text);
        return;
    }
    // The access key is drawn underlined between the plain parts around it.
    const String Before = Text.left(AccessKey), Key = Text.mid(AccessKey, 1), After = Text.mid(AccessKey + 1);
    const int KeyX = X + Canvas->TextWidth(Before);
    Canvas->TextOut(X, Y, Before);
    const TFontStyles Style = Canvas->Font()->Style();
    Canvas->Font()->SetStyle(TFontStyles(Style).Include(fsUnderline));
    const int AfterX = KeyX + Canvas->TextWidth(Key);
    Canvas->TextOut(KeyX, Y, Key);
    Canvas->Font()->SetStyle(Style);
    Canvas->TextOut(AfterX, Y, After);
}

void drawArrowPolygon(TCanvas* Canvas, const std::vector<TPoint>& Points, TColor Color) {
    setPenAndBrush(Canvas, Color);
    Canvas->Polygon(Points);
}

// Client position of character Index in a single-line edit showing Text in Font: after the
// edit's one-pixel left margin, on the first line.
TPoint editCharPos(TCanvas* Canvas, const String& Text, int Index) {
    return {1 + Canvas->TextWidth(Text.left(std::max(0, Index))), 0};
}

}  // namespace

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R, bool Horizontal) {
    if (R.Top == R.Bottom) return;
    if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
    FromColor = ColorToRGB(FromColor);
    ToColor = ColorToRGB(ToColor);
    if (FromColor == clNone || ToColor == clNone) {
        // Two missing colours leave the rectangle as it is.
        if (FromColor == ToColor) return;
        setPenAndBrush(Canvas, FromColor == clNone ? ToColor : FromColor);
        Canvas->Rectangle(R);
        return;
    }
    const int Length = (Horizontal ? R.Width() : R.Height()) - 1;
    Steps = std::max(1, std::min(Steps, Length));
    const Extended Band = static_cast<Extended>(Length) / Steps;
    const int Edge = Horizontal ? R.Right : R.Bottom;
    for (int I = 0; I <= Steps; ++I) {
        setPenAndBrush(Canvas, channelMix(FromColor, ToColor, static_cast<Extended>(I) / Steps));
        const int Start = (Horizontal ? R.Left : R.Top) + static_cast<int>(Trunc(I * Band));
        const int End = std::min(Edge, Start + static_cast<int>(Trunc(Band + 1)));
        if (Horizontal)
            Canvas->Rectangle(Start, R.Top, End, R.Bottom);
        else
            Canvas->Rectangle(R.Left, Start, R.Right, End);
    }
}

void FillMirrorGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor,
                        TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool SidesOnly, bool Fill) {
    if (Fill && Color != clNone) {
        if (MirrorColor == clNone && ColorTo == clNone) {
            setPenAndBrush(Canvas, Color);
            Canvas->Pen()->SetWidth(1);
            Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom + 1);
        } else if (MirrorColor == clNone) {
            DrawGradient(Canvas, Color, ColorTo, 128, R, !Vertical);
        } else {
            TRect First = R, Second = R;
            if (Vertical)
                First.Bottom = Second.Top = R.Top + R.Height() / 2;
            else
                First.Right = Second.Left = R.Left + R.Width() / 2;
            DrawGradient(Canvas, Color, ColorTo, 128, First, !Vertical);
            DrawGradient(Canvas, MirrorColor, MirrorColorTo, 128, Second, !Vertical);
        }
    }
    if (BorderColor == clNone) return;
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    if (SidesOnly) {
        line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
        line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    } else {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Rectangle(R);
    }
}

TColor InterpolateColor(TColor FromColor, TColor ToColor, int RangeStart, int RangeEnd, int Offset) {
    if (ToColor == clNone) return FromColor;
    FromColor = ColorToRGB(FromColor);
    ToColor = ColorToRGB(ToColor);
    const int Range = RangeEnd - RangeStart;
    if (Range == 0) return FromColor;
    return channelMix(FromColor, ToColor, static_cast<Extended>(Offset) / Range);
}

void DrawGlossyFrame(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                     TColor UpperLineColor, TColor LowerLineColor, TColor BorderColor, TColor InnerCornerColor,
                     TColor CornerColor, const TRect& Rect, int Position) {
    const TRect R{Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom - 2};
    const int M = R.Top + (R.Bottom - R.Top) / 2;
    const bool LeftEnd = Position == 0 || Position == 1, RightEnd = Position == 0 || Position == 2;
    const int LeftInset = LeftEnd ? 2 : 0, RightInset = RightEnd ? 2 : 0;
    TPen* Pen = Canvas->Pen();
    Pen->SetStyle(psSolid);
    Pen->SetWidth(1);

    Pen->SetColor(UpperLineColor);
    line(Canvas, R.Left, R.Top + 1, R.Right, R.Top + 1);
    if (LeftEnd) line(Canvas, R.Left + 1, R.Top + 1, R.Left + 1, M);
    if (RightEnd) line(Canvas, R.Right - 2, R.Top + 1, R.Right - 2, M);

    Pen->SetColor(LowerLineColor);
    line(Canvas, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
    if (LeftEnd) line(Canvas, R.Left + 1, M, R.Left + 1, R.Bottom - 1);
    if (RightEnd) line(Canvas, R.Right - 2, M, R.Right - 2, R.Bottom - 1);

    Pen->SetColor(BorderColor);
    line(Canvas, R.Left + LeftInset, R.Top, R.Right - RightInset, R.Top);
    line(Canvas, R.Left + LeftInset, R.Bottom, R.Right - RightInset, R.Bottom);
    if (RightEnd) line(Canvas, R.Right - 1, R.Top + 2, R.Right - 1, R.Bottom - 1);
    if (LeftEnd) line(Canvas, R.Left, R.Top + 2, R.Left, R.Bottom - 1);

    // Each rounded corner: the corner pixel shows what lies behind, its three neighbours blend.
    auto Corner = [&](int X, int Y, int DX, int DY) {
        Canvas->SetPixels(X, Y, CornerColor);
        Canvas->SetPixels(X + DX, Y, InnerCornerColor);
        Canvas->SetPixels(X, Y + DY, InnerCornerColor);
        Canvas->SetPixels(X + DX, Y + DY, InnerCornerColor);
    };
    if (LeftEnd) {
        Corner(R.Left, R.Top, 1, 1);
        Corner(R.Left, R.Bottom, 1, -1);
    }
    if (RightEnd) {
        Corner(R.Right - 1, R.Top, -1, 1);
        Corner(R.Right - 1, R.Bottom, -1, -1);
    }

    const TRect Inside{R.Left + LeftInset, R.Top + 2, R.Right - RightInset, R.Bottom - 1};
    if (ColorTo == clNone) {
        setPenAndBrush(Canvas, Color);
        Canvas->Rectangle(Inside);
    } else if (MirrorColor == clNone) {
        DrawGradient(Canvas, Color, ColorTo, 16, Inside, false);
    } else {
        TRect Upper = Inside, Lower = Inside;
        Upper.Bottom = Lower.Top = Inside.Top + Inside.Height() / 2;
        DrawGradient(Canvas, Color, ColorTo, 16, Upper, false);
        DrawGradient(Canvas, MirrorColor, MirrorColorTo, 16, Lower, false);
    }
}

void DrawComboButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, TColorTones Tones,
                     double Scale) {
    TRect B{R.Right - roundInt(17 * Scale), R.Top + 1, R.Right, R.Bottom - 1};
    B.Left -= 2;
    B.Right -= 2;
    const bool Disabled = State == 3;
    if (Style == 0 && drawThemedPart(Canvas, Window, u"combobox", CP_DROPDOWNBUTTON, Disabled ? 4 : 1, B)) return;
    if (Style != 3) {
        frameControl(Canvas, B, DFC_SCROLL,
                     DFCS_SCROLLCOMBOBOX | (Disabled ? DFCS_INACTIVE : 0) | (Style == 2 ? DFCS_FLAT : 0));
        return;
    }
    B.Left += 3;
    setPenAndBrush(Canvas, toneOf(Tones, State).BrushColor);
    Canvas->Rectangle(B);
    Canvas->Pen()->SetColor(Tones.Background.BorderColor);
    line(Canvas, B.Left + 1, B.Top, B.Left + 1, B.Bottom);
    drawArrowPolygon(Canvas, {{B.Left + 5, B.Top + 8}, {B.Left + 11, B.Top + 8}, {B.Left + 8, B.Top + 11}},
                     Tones.Background.TextColor);
}

void DrawPushButton(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, TColorTones Tones,
                    bool ShowPrefix, const String& Caption) {
    const bool Themed = Style == 0 && drawThemedPart(Canvas, Window, u"button", BP_PUSHBUTTON, State + 1, R);
    if (Themed) {
    } else if (Style != 3) {
        const UINT States[] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
        frameControl(Canvas, R, DFC_BUTTON,
                     DFCS_BUTTONPUSH | States[std::clamp(State, 0, 3)] | (Style == 2 ? DFCS_FLAT : 0));
    } else {
        const TColorTone& Tone = toneOf(Tones, State);
        Canvas->Brush()->SetColor(Tone.BrushColor);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Pen()->SetColor(Tone.BorderColor);
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Rectangle(R);
    }
    if (!Caption.isEmpty()) drawCaption(Canvas, R, ShowPrefix, Caption);
}

void DrawSpinButtons(TCanvas* Canvas, HWND Window, const TRect& R, int Style, int State, TColorTones Tones) {
    const TRect S{R.Right - 15 - 1, R.Top - 1, R.Right - 1, R.Bottom - 1};
    const int M = S.Top + (S.Bottom - S.Top) / 2;
    const TRect Up{S.Left, S.Top, S.Right, M}, Down{S.Left, M + 1, S.Right, S.Bottom};
    const bool Disabled = State == 3;
    if (Style == 0) {
        const int ThemeState = Disabled ? 4 : 1;
        if (drawThemedPart(Canvas, Window, u"spin", SPNP_UP, ThemeState, Up) &&
            drawThemedPart(Canvas, Window, u"spin", SPNP_DOWN, ThemeState, Down))
            return;
    }
    if (Style != 3) {
        const UINT Extra = (Disabled ? DFCS_INACTIVE : 0) | (Style == 2 ? DFCS_FLAT : 0);
        frameControl(Canvas, Up, DFC_SCROLL, DFCS_SCROLLUP | Extra);
        frameControl(Canvas, Down, DFC_SCROLL, DFCS_SCROLLDOWN | Extra);
        return;
    }
    setPenAndBrush(Canvas, toneOf(Tones, State).BrushColor);
    Canvas->Rectangle(Up);
    Canvas->Rectangle(Down);
    const int L = S.Left, T = S.Top;
    drawArrowPolygon(Canvas, {{L + 5, T + 5}, {L + 9, T + 5}, {L + 7, T + 3}}, clBlack);
    drawArrowPolygon(Canvas, {{L + 5, M + 2}, {L + 9, M + 2}, {L + 7, M + 4}}, clBlack);
}

void DrawErrorUnderline(TWinControl* Parent, TCanvas* Canvas, const String& Text, const TRect& R, int OffsetY,
                        int ErrorFrom, int ErrorLength) {
    // Measure in the font the edit would show: its parent's.
    TFont Saved;
    Saved.Assign(Canvas->Font());
    if (Parent) Canvas->Font()->Assign(Parent->Font());
    const int Length = static_cast<int>(Text.size());
    TPoint Start = editCharPos(Canvas, Text, std::min(ErrorFrom, Length));
    if (ErrorFrom >= Length) Start.X += 4;
    TPoint End;
    if (ErrorFrom + ErrorLength < Length) {
        End = editCharPos(Canvas, Text, ErrorFrom + ErrorLength - 1);
    } else {
        End = Length > 0 ? editCharPos(Canvas, Text, Length - 1) : editCharPos(Canvas, Text, 0);
        End.X += 4;
        End.Y = Start.Y;
    }
    Canvas->Font()->Assign(&Saved);

    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(2);
    const int Base = R.Top + Start.Y + OffsetY + 3;
    int X = R.Left + Start.X;
    // An error past the text's end marks the place after it instead of running back left.
    const int EndX = R.Left + std::max(End.X, Start.X);
    bool Low = false;
    std::vector<TPoint> Points{{X, Base}};
    while (X + 3 <= EndX) {
        X += 3;
        Low = !Low;
        Points.push_back({X, Base + (Low ? 3 : 0)});
    }
    Points.push_back({EndX + 3, Base + (Low ? 0 : 3)});
    Canvas->Polyline(Points);
}

void DrawRangeIndicator(TCanvas* Canvas, const TRect& Rect, int Value, int Range, bool ShowValue, TColor NegativeColor,
                        TColor PositiveColor) {
    const TRect R{Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2};
    const int Half = R.Width() / 2;
    // A range of zero has no scale: the value is limited to it and no bar is drawn.
    const int Limited = Range > 0 ? std::clamp(Value, -Range, Range) : 0;
    if (Range > 0) {
        const int W = roundInt(static_cast<Extended>(Half) * Limited / Range);
        if (Limited < 0) {
            setPenAndBrush(Canvas, NegativeColor);
            Canvas->Rectangle(R.Left + Half + W, R.Top, R.Left + Half, R.Bottom);
        } else {
            setPenAndBrush(Canvas, PositiveColor);
            Canvas->Rectangle(R.Left + Half, R.Top, R.Left + Half + W, R.Bottom);
        }
    }
    if (!ShowValue) return;
    const String Text = IntToStr(Limited);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(R.Left + (R.Width() - Canvas->TextWidth(Text)) / 2, R.Top, Text);
}

void DrawSmallTriangle(TCanvas* Canvas, int X, int Y, TColor Color) {
    drawArrowPolygon(Canvas, {{X - 3, Y}, {X + 3, Y}, {X, Y + 3}}, Color);
}

void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color) {
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->FillRect(R);
}

void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R) {
    if (!Bitmap || Bitmap->Empty()) return;
    const int W = Bitmap->Width(), H = Bitmap->Height();
    TBitmap Copy(W, H);
    TCanvas* Target = Copy.Canvas();
    TCanvas* Source = Bitmap->Canvas();
    const TColor Key = Source->Pixels(0, 0);
    const TColor Background = ColorToRGB(BackgroundColor);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const TColor C = Source->Pixels(X, Y);
            Target->SetPixels(X, Y, C == Key ? Background : C);
        }
    Canvas->CopyRect(Bounds(R.Left, R.Top, W, H), Target, Rect(0, 0, W, H));
}

void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, const TRect& R, const String& ResourceName) {
    TBitmap Bitmap;
    Bitmap.LoadFromResourceName(HInstance, ResourceName);
    DrawBitmapTransparent(Canvas, &Bitmap, BackgroundColor, R);
}

BOOL CallUpdateLayeredWindow(HWND Wnd, HDC DestDC, const TPoint* DestPoint, const TSize* Size, HDC SourceDC,
                             const TPoint* SourcePoint, COLORREF Key, const BLENDFUNCTION* Blend, DWORD Flags) {
    HMODULE User32 = LoadLibrary(QStringLiteral("USER32.DLL"));
    if (!User32) return 1;
    BOOL Result = 1;
    if (const auto Call = GetProcAddressAs<TUpdateLayeredWindow>(User32, "UpdateLayeredWindow"))
        Result = Call(Wnd, DestDC, DestPoint, Size, SourceDC, SourcePoint, Key, Blend, Flags);
    FreeLibrary(User32);
    return Result;
}

BOOL CallSetLayeredWindowAttributes(HWND Wnd, COLORREF Key, Byte Alpha, DWORD Flags) {
    HMODULE User32 = LoadLibrary(QStringLiteral("USER32.DLL"));
    if (!User32) return 1;
    BOOL Result = 1;
    if (const auto Call = GetProcAddressAs<TSetLayeredWindowAttributes>(User32, "SetLayeredWindowAttributes"))
        Result = Call(Wnd, Key, Alpha, Flags);
    FreeLibrary(User32);
    return Result;
}
