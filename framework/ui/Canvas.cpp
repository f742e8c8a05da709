// TCanvas: drawing through a device context with the canvas's own font, pen and brush.
#include "framework/ui/DeviceContext.h"
#include "framework/ui/FontMapper.h"
#include "framework/ui/Graphics.h"

#include <cstdint>

// The font, pen and brush as the canvas last put them into its handle, resolved to values.
struct TCanvas::TApplied {
    HDC Handle = nullptr;
    bool FontSet = false, PenSet = false, BrushSet = false;
    LOGFONTW LogFont;
    int PixelsPerInch = 96;
    // The font's properties when LogFont was taken, to skip rebuilding it on every call.
    String FontName;
    int FontHeight = 0, FontOrientation = 0;
    std::uint64_t FontStyle = 0;
    TFontCharset FontCharset = 0;
    TFontPitch FontPitch = fpDefault;
    TFontQuality FontQuality = fqDefault;
    COLORREF TextColor = 0;
    TDCPen Pen;
    TPenMode Rop2 = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    TBitmap* BrushBitmap = nullptr;
};

namespace {

bool sameLogFont(const LOGFONTW& A, const LOGFONTW& B) {
    return A.lfHeight == B.lfHeight && A.lfWidth == B.lfWidth && A.lfEscapement == B.lfEscapement &&
           A.lfOrientation == B.lfOrientation && A.lfWeight == B.lfWeight && A.lfItalic == B.lfItalic &&
           A.lfUnderline == B.lfUnderline && A.lfStrikeOut == B.lfStrikeOut && A.lfCharSet == B.lfCharSet &&
           A.lfQuality == B.lfQuality && A.lfPitchAndFamily == B.lfPitchAndFamily &&
           LogFontFaceName(A) == LogFontFaceName(B);
}

}  // namespace

TCanvas::TCanvas()
    : FApplied(std::make_unique<TApplied>()),
      FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {}

TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation(QStringLiteral("Canvas does not allow drawing"));
    applyObjects();
    return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
    if (FHandle == Value) return;
    FHandle = Value;
    *FApplied = TApplied();
    if (FHandle) GetCurrentPositionEx(FHandle, &FPenPos);
}

void TCanvas::applyObjects() {
    TApplied& A = *FApplied;
    if (A.Handle != FHandle) {
        A = TApplied();
        A.Handle = FHandle;
    }
    TDCState& S = FHandle->State;
    const auto TextColor = static_cast<COLORREF>(ColorToRGB(FFont->Color()));
    const TFont& F = *FFont;
    const bool FontKept = A.FontSet && A.FontName == F.Name() && A.FontHeight == F.Height() &&
                          A.FontOrientation == F.Orientation() && A.FontStyle == F.Style().Bits() &&
                          A.FontCharset == F.Charset() && A.FontPitch == F.Pitch() && A.FontQuality == F.Quality() &&
                          A.PixelsPerInch == F.PixelsPerInch();
    const LOGFONTW LF = FontKept ? A.LogFont : LogFontOf(F);
    A.FontName = F.Name();
    A.FontHeight = F.Height();
    A.FontOrientation = F.Orientation();
    A.FontStyle = F.Style().Bits();
    A.FontCharset = F.Charset();
    A.FontPitch = F.Pitch();
    A.FontQuality = F.Quality();
    if (!FontKept && (!A.FontSet || !sameLogFont(LF, A.LogFont) || A.PixelsPerInch != FFont->PixelsPerInch())) {
        S.Font = QFontOf(*FFont);
        S.LogFont = LF;
        S.Escapement = FFont->Orientation();
        S.FontHandle = nullptr;
        A.LogFont = LF;
        A.PixelsPerInch = FFont->PixelsPerInch();
        A.FontSet = true;
        A.TextColor = TextColor;
        S.TextColor = TextColor;
    } else if (A.TextColor != TextColor) {
        A.TextColor = TextColor;
        S.TextColor = TextColor;
    }
    const TDCPen Pen{FPen->Color(), FPen->Width(), FPen->Style()};
    if (!A.PenSet || A.Pen.Color != Pen.Color || A.Pen.Width != Pen.Width || A.Pen.Style != Pen.Style ||
        A.Rop2 != FPen->Mode()) {
        S.Pen = Pen;
        S.PenHandle = nullptr;
        S.Rop2 = FPen->Mode();
        A.Pen = Pen;
        A.Rop2 = FPen->Mode();
        A.PenSet = true;
    }
    // A pattern bitmap may have been drawn on since, so it is always taken again.
    if (!A.BrushSet || A.BrushColor != FBrush->Color() || A.BrushStyle != FBrush->Style() ||
        A.BrushBitmap != FBrush->Bitmap() || FBrush->Bitmap()) {
        S.Brush.Color = FBrush->Color();
        S.Brush.Style = FBrush->Style();
        S.Brush.Pattern = FBrush->Bitmap() && !FBrush->Bitmap()->Empty() ? *BitmapQImage(FBrush->Bitmap()) : QImage();
        S.BrushHandle = nullptr;
        // Only a solid brush puts a background behind text and hatches.
        S.BkMode = FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT;
        S.BkColor = static_cast<COLORREF>(ColorToRGB(FBrush->Color()));
        A.BrushColor = FBrush->Color();
        A.BrushStyle = FBrush->Style();
        A.BrushBitmap = FBrush->Bitmap();
        A.BrushSet = true;
    }
}

void TCanvas::Lock() {
    FLock.lock();
    ++FLockCount;
}

void TCanvas::Unlock() {
    if (FLockCount == 0) return;
    --FLockCount;
    FLock.unlock();
}

bool TCanvas::TryLock() {
    if (!FLock.try_lock()) return false;
    ++FLockCount;
    return true;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

HDC TCanvas::requireHandle() {
    HDC DC = Handle();
    DC->State.PenPos = FPenPos;
    return DC;
}

void TCanvas::SetPenPos(const TPoint& Value) { MoveTo(Value.X, Value.Y); }

TRect TCanvas::ClipRect() {
    TRect R;
    GetClipBox(Handle(), &R);
    return R;
}

void TCanvas::MoveTo(int X, int Y) {
    if (FHandle) MoveToEx(FHandle, X, Y, nullptr);
    FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
    HDC DC = requireHandle();
    Changing();
    ::LineTo(DC, X, Y);
    FPenPos = {X, Y};
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    HDC DC = requireHandle();
    Changing();
    DCRectangle(DC, {X1, Y1, X2, Y2});
    Changed();
}

void TCanvas::FillRect(const TRect& R) {
    HDC DC = requireHandle();
    Changing();
    DCFillRect(DC, R, DC->State.Brush);
    Changed();
}

void TCanvas::FrameRect(const TRect& R) {
    HDC DC = requireHandle();
    Changing();
    const TDCState Saved = DC->State;
    DC->State.Pen = {FBrush->Color(), 1, psSolid};
    DC->State.Brush.Style = bsClear;
    DC->State.Brush.Pattern = QImage();
    DC->State.Rop2 = pmCopy;
    DCRectangle(DC, R);
    DC->State = Saved;
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    HDC DC = requireHandle();
    Changing();
    DCRoundRect(DC, {X1, Y1, X2, Y2}, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    HDC DC = requireHandle();
    Changing();
    DCEllipse(DC, {X1, Y1, X2, Y2});
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
    HDC DC = requireHandle();
    Changing();
    DCPolygon(DC, Points);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
    HDC DC = requireHandle();
    Changing();
    DCPolyline(DC, Points);
    if (!Points.empty()) MoveTo(Points.back().X, Points.back().Y);
    Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    HDC DC = requireHandle();
    Changing();
    DCArc(DC, {X1, Y1, X2, Y2}, {X3, Y3}, {X4, Y4}, TArcKind::Arc);
    Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    HDC DC = requireHandle();
    Changing();
    DCArc(DC, {X1, Y1, X2, Y2}, {X3, Y3}, {X4, Y4}, TArcKind::Pie);
    Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    HDC DC = requireHandle();
    Changing();
    DCArc(DC, {X1, Y1, X2, Y2}, {X3, Y3}, {X4, Y4}, TArcKind::Chord);
    Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
    HDC DC = requireHandle();
    Changing();
    DCFloodFill(DC, X, Y, Color, FillStyle);
    Changed();
}

TColor TCanvas::Pixels(int X, int Y) {
    const COLORREF C = GetPixel(Handle(), X, Y);
    return C == CLR_INVALID ? -1 : static_cast<TColor>(C);
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
    HDC DC = Handle();
    Changing();
    SetPixel(DC, X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
    Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
    HDC DC = requireHandle();
    Changing();
    DCTextOut(DC, X, Y, Text, nullptr, false);
    FPenPos = {X + TextWidth(Text), Y};
    MoveToEx(DC, FPenPos.X, FPenPos.Y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
    HDC DC = requireHandle();
    Changing();
    DCTextOut(DC, X, Y, Text, &Rect, FBrush->Style() == bsSolid);
    Changed();
}

TSize TCanvas::TextExtent(const String& Text) {
    // Measuring needs no surface: the font alone decides the size.
    return FontTextExtent(QFontOf(*FFont), Text);
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (!Graphic || Graphic->Empty()) return;
    Graphic->Draw(this, Rect);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (!Canvas) throw EInvalidOperation(QStringLiteral("CopyRect needs a source canvas"));
    HDC SourceDC = Canvas->Handle();
    HDC DC = requireHandle();
    const QImage* SourceImage = DCImage(SourceDC);
    if (!SourceImage || SourceImage->isNull()) return;
    const QRect From = DCToDevice(SourceDC, Source);
    Changing();
    if (SourceImage != DCImage(DC) && SourceImage->rect().contains(From)) {
        // Straight from another surface: no copy of its pixels on the way.
        DCDrawImage(DC, Dest, *SourceImage, From, false);
    } else {
        // Copy first: the source may be this very surface, and what lies outside it copies as zeros.
        const QImage Pixels = SourceImage->copy(From);
        DCDrawImage(DC, Dest, Pixels, Pixels.rect(), false);
    }
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    HDC DC = Handle();
    Changing();
    ::DrawFocusRect(DC, &Rect);
    Changed();
}
