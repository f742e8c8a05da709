// The watch's drawing: face, ticks, numbers and the AM/PM box into the cache; the pointers over a
// copy of the cache; the roll of the AM/PM box.
#include "components/dropdowns/AdvWatch.h"

#include "components/graphics/AdvGDIP.h"
#include "framework/gdiplus/GdiPlusTypes.h"
#include "framework/rtl/Clock.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Picture.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// P(angle, distance): clockwise from 12 o'clock; a negative distance lies behind the centre.
TGPPointF pointAt(double CX, double CY, double AngleDeg, double Distance) {
    return MakeGPPointF(float(CX + std::sin(AngleDeg * kDegree) * Distance),
                        float(CY - std::cos(AngleDeg * kDegree) * Distance));
}

// The three low bytes taken as they stand, with no system colour resolved.
ARGB rawColor(TColor Color, Byte Alpha) {
    return ComposeARGB(Alpha, Byte(Color & 0xFF), Byte((Color >> 8) & 0xFF), Byte((Color >> 16) & 0xFF));
}

void addRoundRect(TGPGraphicsPath& Path, float X, float Y, float W, float H, float Radius) {
    const float D = Radius * 2;
    Path.AddArc(X, Y, D, D, 180, 90);
    Path.AddArc(X + W - D, Y, D, D, 270, 90);
    Path.AddArc(X + W - D, Y + H - D, D, D, 0, 90);
    Path.AddArc(X, Y + H - D, D, D, 90, 90);
    Path.CloseFigure();
}

void smooth(TGPGraphics& G) {
    G.SetSmoothingMode(SmoothingModeAntiAlias);
    G.SetTextRenderingHint(TextRenderingHintAntiAlias);
}

void drawLine(TGPGraphics& G, TGPPen& Pen, const TGPPointF& A, const TGPPointF& B) {
    G.DrawLine(&Pen, A.X, A.Y, B.X, B.Y);
}

void drawLine(TGPGraphics& G, ARGB Color, float Width, const TGPPointF& A, const TGPPointF& B) {
    TGPPen Pen(Color, Width);
    drawLine(G, Pen, A, B);
}

TGPPointF moved(TGPPointF P, float DX, float DY) { return MakeGPPointF(P.X + DX, P.Y + DY); }

// GDI+ text in the font, centred at the top of Box.
void DrawWatchText(TGPGraphics& G, const String& Text, TFont* Font, const TGPRectF& Box) {
    std::unique_ptr<TGPFont> F(G.MakeFont(Font));
    TGPStringFormat Format(0, 0);
    Format.SetAlignment(StringAlignmentCenter);
    Format.SetLineAlignment(StringAlignmentNear);
    Format.SetHotkeyPrefix(HotkeyPrefixShow);
    Format.SetTrimming(StringTrimmingNone);
    TGPSolidBrush Brush(ColorToARGB(Font->Color()));
    G.DrawString(Text, int(Text.size()), F.get(), Box, &Format, &Brush);
}

// A PNG at its natural size at the top left; any other image stretched over the client area with
// the colour of its top-left pixel transparent.
void DrawGraphicGDIP(TGPGraphics& G, TGraphic* Graphic, int W, int H) {
    auto* Stream = new TMemoryStream();
    try {
        Graphic->SaveToStream(Stream);
    } catch (const std::bad_alloc&) {
        delete Stream;
        throw Exception(QStringLiteral("Could not allocate memory for image"));
    }
    Stream->SetPosition(0);
    auto* Adapter = new TStreamAdapter(Stream, soOwned);
    std::unique_ptr<TGPBitmap> Image(new TGPBitmap(Adapter));
    Adapter->Release();
    if (Image->GetWidth() == 0) return;  // not decoded: nothing drawn
    if (Image->GetFormat() == ifPNG) {
        G.DrawImage(Image.get(), 0, 0);
        return;
    }
    ARGB Key = 0;
    Image->GetPixel(0, 0, Key);
    TGPImageAttributes Attributes;
    Attributes.SetColorKey(Key, Key);
    G.DrawImage(Image.get(), MakeGPRectF(0, 0, float(W), float(H)), 0, 0, float(Image->Width()), float(Image->Height()),
                UnitPixel, &Attributes);
}

// Same size and the same bytes in every row.
bool samePixels(TBitmap& A, TBitmap& B) {
    if (A.Width() != B.Width() || A.Height() != B.Height() || A.PixelFormat() != B.PixelFormat()) return false;
    if (A.PixelFormat() != pfDevice && A.PixelFormat() != pf32bit) return false;
    const size_t Row = size_t(A.Width()) * 4;
    for (int Y = 0; Y < A.Height(); ++Y)
        if (std::memcmp(A.ScanLine(Y), B.ScanLine(Y), Row) != 0) return false;
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The whole watch

void TAdvWatch::Paint() {
    TCustomControl::Paint();
    DrawWatch();
}

// Outside painting the watch draws straight onto its window (the backing image, shown at once).
bool TAdvWatch::drawsDirectly() const { return ClientWidth() > 0 && ClientHeight() > 0; }

void TAdvWatch::followLiveHalf() {
    if (FSettings->Auto()) setHalfOf(GetDisplayTime());
}

void TAdvWatch::DrawWatch() {
    if (!drawsDirectly()) return;
    const int W = ClientWidth(), H = ClientHeight();
    const TRect Client = Rect(0, 0, W, H);
    if (FSettings->Auto()) {
        Word Hour, M, S, MS;
        DecodeTime(GetDisplayTime(), Hour, M, S, MS);
        FAM = Hour < 12;
    }
    // The new face is drawn beside the one the frame was drawn over: when both come out the
    // same, so does the frame.
    if (!FSpareCache) FSpareCache = std::make_unique<TBitmap>();
    TBitmap* Face = FSpareCache.get();
    // The pixels outside the face keep what the window shows under the watch.
    Face->SetSize(W, H);
    Face->Canvas()->CopyRect(Client, Canvas(), Client);
    // The face is the dearest part of a paint; the same look over the same ground is the cache.
    const TFaceKey Key = faceKey();
    if (faceCacheHolds(Key, *Face)) {
        showPointers();
        return;
    }
    if (!FFaceUnder) FFaceUnder = std::make_unique<TBitmap>();
    FFaceUnder->Assign(Face);
    drawFace(Face, geometry());
    if (!samePixels(*Face, *FBKGCache)) FFrameCurrent = false;
    std::swap(FSpareCache, FBKGCache);
    rememberFace(Key, *FFaceUnder);
    showPointers();
}

void TAdvWatch::drawFace(TBitmap* Face, const TWatchGeometry& Geo) {
    {
        TGPGraphics G(Face->Canvas()->Handle());
        smooth(G);
        DrawBackground(&G, Geo, Face->Width(), Face->Height());
        DrawTickMarks(&G, Geo);
    }
    DrawNumbers(Face->Canvas(), Geo);
    DrawAMPM(Face->Canvas());
}

TAdvWatch::TFaceKey TAdvWatch::faceKey() const {
    const TWatchAppearance* A = FAppearance.get();
    auto Drawn = [](TColor C) { return C == clNone ? clNone : ColorToRGB(C); };
    TFaceKey Key;
    Key.W = ClientWidth();
    Key.H = ClientHeight();
    Key.ShowAMPM = FShowAMPM;
    Key.ShowNumbers = FShowNumbers;
    Key.AM = FAM;
    Key.Colors = {Drawn(A->BackgroundColor()), Drawn(A->BackgroundColorTo()), Drawn(A->BorderColor()),
                  Drawn(A->HourColor()),       Drawn(A->MinuteColor()),       Drawn(A->AMPMColor()),
                  Drawn(A->AMPMBorderColor()), Drawn(A->HourFont()->Color()), Drawn(A->AMPMFont()->Color())};
    return Key;
}

// The cache is the face this paint would draw: drawn from the same look, over ground that is the
// same wherever the face lets the ground show.
bool TAdvWatch::faceCacheHolds(const TFaceKey& Key, TBitmap& Under) {
    if (!(Key == FFaceKey) || !FFaceMeasured || !FFaceUnder || !FFaceAppearance->DrawsLike(*FAppearance)) return false;
    if (FBKGCache->Width() != Key.W || FBKGCache->Height() != Key.H) return false;
    if (Under.PixelFormat() != FFaceUnder->PixelFormat() || Under.PixelFormat() != pfDevice) return false;
    const int W = Key.W;
    // A scan line ends the bitmap's painting: one per row, not per pixel (the pixels come in
    // row order).
    int Row = -1;
    const std::uint32_t *Now = nullptr, *Then = nullptr;
    for (const int P : FFaceShowsUnder) {
        if (P / W != Row) {
            Row = P / W;
            Now = static_cast<const std::uint32_t*>(Under.ScanLine(Row));
            Then = static_cast<const std::uint32_t*>(FFaceUnder->ScanLine(Row));
        }
        if (Now[P % W] != Then[P % W]) return false;
    }
    return true;
}

// A new look: which pixels of the face let the ground show, found by drawing it over black and
// over white (a pixel the face covers whole comes out the same on both).
void TAdvWatch::rememberFace(const TFaceKey& Key, TBitmap& Under) {
    if (Key == FFaceKey && FFaceAppearance && FFaceAppearance->DrawsLike(*FAppearance) && FFaceMeasured) return;
    FFaceKey = Key;
    if (!FFaceAppearance) FFaceAppearance = std::make_unique<TWatchAppearance>();
    FFaceAppearance->Assign(FAppearance.get());
    FFaceShowsUnder.clear();
    FFaceMeasured = false;
    // A face that cannot be measured (a picture in it) is never kept.
    if (Under.PixelFormat() != pfDevice || !FFaceAppearance->DrawsLike(*FAppearance)) return;
    TBitmap OnBlack(Key.W, Key.H), OnWhite(Key.W, Key.H);
    OnBlack.Canvas()->Brush()->SetColor(clBlack);
    OnBlack.Canvas()->FillRect(Rect(0, 0, Key.W, Key.H));
    OnWhite.Canvas()->Brush()->SetColor(clWhite);
    OnWhite.Canvas()->FillRect(Rect(0, 0, Key.W, Key.H));
    const TWatchGeometry Geo = geometry();
    drawFace(&OnBlack, Geo);
    drawFace(&OnWhite, Geo);
    for (int Y = 0; Y < Key.H; ++Y) {
        const auto* B = static_cast<const std::uint32_t*>(OnBlack.ScanLine(Y));
        const auto* Wh = static_cast<const std::uint32_t*>(OnWhite.ScanLine(Y));
        for (int X = 0; X < Key.W; ++X)
            if (B[X] != Wh[X]) FFaceShowsUnder.push_back(Y * Key.W + X);
    }
    FFaceMeasured = true;
}

void TAdvWatch::RefreshPointers() {
    if (!drawsDirectly()) return;
    // Nothing on screen to keep up to date: the next paint draws the new time.
    if (!Showing()) {
        followLiveHalf();
        Invalidate();
        return;
    }
    TCanvas* Target = Canvas();
    Target->Handle();  // paints a watch not yet painted, which fills the cache
    followLiveHalf();
    const int W = ClientWidth(), H = ClientHeight();
    if (FBKGCache->Width() != W || FBKGCache->Height() != H) {
        DrawWatch();
        return;
    }
    showPointers();
}

// The pointers over a copy of the cache, shown at once. The frame is kept between paints and
// ticks: the live clock shows ten a second, a new second in one of them.
void TAdvWatch::showPointers() {
    const int W = ClientWidth(), H = ClientHeight();
    if (!FFrame) FFrame = std::make_unique<TBitmap>();
    if (FFrame->Width() != W || FFrame->Height() != H) {
        FFrame->SetSize(W, H);
        FFrameCurrent = false;
    }
    // The anti-aliased pointers are the dearest part of a paint (the raster engine blends long
    // wide lines on other threads and waits for them): a repaint over the same face with the
    // same pointers shows the frame drawn before.
    const TPointerLook Look = pointerLook();
    if (!FFrameCurrent || !(Look == FFrameLook)) {
        const TRect Client = Rect(0, 0, W, H);
        FFrame->Canvas()->CopyRect(Client, FBKGCache->Canvas(), Client);
        {
            TGPGraphics G(FFrame->Canvas()->Handle());
            smooth(G);
            DrawPointers(&G, Look);
        }
        FFrameLook = Look;
        FFrameCurrent = true;
    }
    showFrame(FFrame.get());
}

void TAdvWatch::showFrame(TBitmap* Frame) {
    const TRect Client = Rect(0, 0, ClientWidth(), ClientHeight());
    Canvas()->CopyRect(Client, Frame->Canvas(), Client);
}

// ---------------------------------------------------------------------------------------------
// Face, ticks and numbers

void TAdvWatch::DrawBackground(TGPGraphics* G, const TWatchGeometry& Geo, int W, int H) {
    TWatchAppearance* A = FAppearance.get();
    if (TGraphic* Graphic = A->Picture()->Graphic(); Graphic && !Graphic->Empty()) {
        DrawGraphicGDIP(*G, Graphic, W, H);
    } else {
        TGPGraphicsPath Shape(FillModeAlternate);
        switch (A->Shape()) {
            case wsCircle:
                Shape.AddEllipse(float(Geo.CX - Geo.R), float(Geo.CY - Geo.R), float(2 * Geo.R), float(2 * Geo.R));
                break;
            case wsRect:
                Shape.AddRectangle(MakeGPRectF(0, 0, float(W), float(H)));
                break;
            case wsRoundRect:
                addRoundRect(Shape, 0, 0, float(W), float(H), 8);
                break;
        }
        const TColor To = A->BackgroundColorTo() == clNone ? A->BackgroundColor() : A->BackgroundColorTo();
        if (A->BackgroundGradient() == wgRadial) {
            TGPPathGradientBrush Brush(&Shape);
            Brush.SetCenterPoint(MakeGPPointF(float(Geo.CX), float(Geo.CY)));
            Brush.SetCenterColor(ColorToARGB(A->BackgroundColor()));
            const ARGB Surround = rawColor(To, 255);
            int Count = 1;
            Brush.SetSurroundColors(&Surround, Count);
            G->FillPath(&Brush, &Shape);
        } else {
            const LinearGradientMode Mode = A->BackgroundGradient() == wgVertical ? LinearGradientModeVertical
                                            : A->BackgroundGradient() == wgDiagonalForward
                                                ? LinearGradientModeForwardDiagonal
                                                : LinearGradientModeBackwardDiagonal;
            TGPLinearGradientBrush Brush(MakeGPRectF(0, 0, float(W), float(H)), ColorToARGB(A->BackgroundColor()),
                                         ColorToARGB(To), Mode);
            G->FillPath(&Brush, &Shape);
        }
    }
    if (A->BorderWidth() <= 0) return;
    TGPPen Pen(ColorToARGB(A->BorderColor()), float(A->BorderWidth()));
    switch (A->Shape()) {
        case wsCircle:
            G->DrawEllipse(&Pen, float(Geo.CX - Geo.R), float(Geo.CY - Geo.R), float(2 * Geo.R), float(2 * Geo.R));
            break;
        case wsRect:
            G->DrawRectangle(&Pen, 0, 0, float(W - 1), float(H - 1));
            break;
        case wsRoundRect: {
            TGPGraphicsPath Path(FillModeAlternate);
            addRoundRect(Path, 0, 0, float(W - 1), float(H - 1), 8);
            G->DrawPath(&Pen, &Path);
            break;
        }
    }
}

void TAdvWatch::DrawTickMarks(TGPGraphics* G, const TWatchGeometry& Geo) {
    TWatchAppearance* A = FAppearance.get();
    if (A->TickMarks() == tmNone) return;
    const double RT = Geo.RT;
    const double RI = A->HourMarkLength() > 0 ? RT - A->HourMarkLength() : RT * 0.9;
    // One pen per kind of mark: the marks of a kind look alike.
    TGPPen HourPen(ColorToARGB(A->HourColor()), A->HourMarkWidth());
    for (int Hour = 0; Hour < 12; ++Hour) {
        const double Angle = Hour * 30.0;
        const TGPPointF From = pointAt(Geo.CX, Geo.CY, Angle, RI), To = pointAt(Geo.CX, Geo.CY, Angle, RT);
        const bool Quarter = Hour % 3 == 0;
        if (!Quarter && A->TickMarks() != tmAll && A->TickMarks() != tmHours) continue;
        if (Quarter && A->HourMarkStyle() == hmsQuartDblLine) {
            // 3 and 9 o'clock split up and down, 12 and 6 left and right.
            const bool Horizontal = Hour == 3 || Hour == 9;
            const float DX = Horizontal ? 0 : 2, DY = Horizontal ? 2 : 0;
            drawLine(*G, HourPen, moved(From, -DX, -DY), moved(To, -DX, -DY));
            drawLine(*G, HourPen, moved(From, DX, DY), moved(To, DX, DY));
        } else {
            drawLine(*G, HourPen, From, To);
        }
    }
    if (A->TickMarks() != tmAll) return;
    const double RM = A->MinuteMarkLength() > 0 ? RT - A->MinuteMarkLength() : RT * 0.95;
    TGPPen MinutePen(ColorToARGB(A->MinuteColor()), A->MinuteMarkWidth());
    for (int Minute = 0; Minute < 60; ++Minute) {
        if (Minute % 5 == 0) continue;
        const double Angle = Minute * 6.0;
        drawLine(*G, MinutePen, pointAt(Geo.CX, Geo.CY, Angle, RM), pointAt(Geo.CX, Geo.CY, Angle, RT));
    }
}

void TAdvWatch::DrawNumbers(TCanvas* C, const TWatchGeometry& Geo) {
    if (!FShowNumbers) return;
    TWatchAppearance* A = FAppearance.get();
    const double RT = Geo.RT;
    const int B = A->HourMarkLength() > 0 ? A->HourMarkLength() : int(Round(RT - RT * 0.9)) + 2;
    const int RN = Geo.RT - 2 * B - 2 + B / 2;
    C->Font()->Assign(A->HourFont());
    C->Brush()->SetStyle(bsClear);
    for (int I = 1; I <= 12; ++I) {
        if (A->TickMarks() == tmQuartHours && I % 3 != 0) continue;
        const String Text = QString::number(I);
        const TSize Size = C->TextExtent(Text);
        const int Pull = I == 10 ? int(Round(Size.cy * 0.2)) : I == 11 ? int(Round(Size.cy * 0.15)) : 0;
        const double D = RN - Pull;
        const int X = Geo.CX + int(Round(std::sin(I * 30.0 * kDegree) * D)) - Size.cx / 2;
        const int Y = Geo.CY - int(Round(std::cos(I * 30.0 * kDegree) * D)) - Size.cy / 2;
        C->TextOut(X, Y, Text);
    }
    C->Brush()->SetStyle(bsSolid);
}

TRect TAdvWatch::GetAMPMRect() const {
    if (!FShowAMPM) return Rect(-1, -1, -1, -1);
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(FAppearance->AMPMFont());
    TRect R = Rect(0, 0, 200, 200);
    DrawText(Measure.Canvas()->Handle(), QStringLiteral("AM"), -1, R, DT_CALCRECT);
    const int W = R.Width(), H = R.Height();
    const TWatchGeometry Geo = geometry();
    const int Left = Geo.CX - (W + 8) / 2;
    const int Top = Geo.CY + int(Round((Geo.R - H) / 3.0));
    return Rect(Left, Top, Left + W + 8, Top + H);
}

void TAdvWatch::DrawAMPMBox(TCanvas* C, const TRect& Box) {
    TWatchAppearance* A = FAppearance.get();
    if (A->AMPMFrame() == apRect)
        C->Rectangle(Box);
    else
        C->RoundRect(Box.Left, Box.Top, Box.Right, Box.Bottom, 5, 5);
}

void TAdvWatch::DrawAMPM(TCanvas* C) {
    if (!FShowAMPM) return;
    TWatchAppearance* A = FAppearance.get();
    const TRect Box = GetAMPMRect();
    if (A->AMPMColor() != clNone || A->AMPMBorderColor() != clNone) {
        C->Brush()->SetStyle(A->AMPMColor() == clNone ? bsClear : bsSolid);
        if (A->AMPMColor() != clNone) C->Brush()->SetColor(A->AMPMColor());
        C->Pen()->SetStyle(A->AMPMBorderColor() == clNone ? psClear : psSolid);
        if (A->AMPMBorderColor() != clNone) C->Pen()->SetColor(A->AMPMBorderColor());
        C->Pen()->SetWidth(1);
        DrawAMPMBox(C, Box);
        C->Brush()->SetStyle(bsSolid);
        C->Pen()->SetStyle(psSolid);
    }
    TGPGraphics G(C->Handle());
    smooth(G);
    DrawWatchText(G, FAM ? QStringLiteral("AM") : QStringLiteral("PM"), A->AMPMFont(),
                  MakeGPRectF(float(Box.Left), float(Box.Top), float(Box.Width()), float(Box.Height())));
}

// The box rolls its text over like a drum: a strip with "AM" above "PM" slides through the box
// one pixel per frame, 10 ms apart.
void TAdvWatch::rollAMPMBox() {
    if (!drawsDirectly()) return;
    TWatchAppearance* A = FAppearance.get();
    const TRect Box = GetAMPMRect();
    const TRect Inner = Rect(Box.Left + 1, Box.Top + 1, Box.Right - 1, Box.Bottom - 1);
    const int W = Inner.Width(), H = Inner.Height();
    if (W <= 0 || H <= 0) return;
    Canvas()->Handle();  // the cache holds the face before the first frame is made from it
    TBitmap Strip(W, 2 * H);
    Strip.Canvas()->Brush()->SetColor(A->AMPMColor());
    Strip.Canvas()->FillRect(Rect(0, 0, W, 2 * H));
    {
        TGPGraphics G(Strip.Canvas()->Handle());
        smooth(G);
        DrawWatchText(G, QStringLiteral("AM"), A->AMPMFont(), MakeGPRectF(0, 0, float(W), float(H)));
        DrawWatchText(G, QStringLiteral("PM"), A->AMPMFont(), MakeGPRectF(0, float(H), float(W), float(H)));
    }
    const int ClientW = ClientWidth(), ClientH = ClientHeight();
    const TRect Client = Rect(0, 0, ClientW, ClientH);
    const TWeak<TAdvWatch> Alive(this);
    int Offset = FAM ? H : 0;
    for (int Frame = 0; Frame < H; ++Frame) {
        Offset += FAM ? -1 : 1;
        TBitmap Image(ClientW, ClientH);
        Image.Canvas()->CopyRect(Client, FBKGCache->Canvas(), Client);
        Image.Canvas()->CopyRect(Inner, Strip.Canvas(), Rect(0, Offset, W, Offset + H));
        Image.Canvas()->Brush()->SetStyle(bsClear);
        Image.Canvas()->Pen()->SetColor(A->AMPMBorderColor());
        DrawAMPMBox(Image.Canvas(), Box);
        {
            TGPGraphics G(Image.Canvas()->Handle());
            smooth(G);
            DrawPointers(&G, pointerLook());
        }
        showFrame(&Image);
        Sleep(10);
        if (!Alive) return;
    }
}

// ---------------------------------------------------------------------------------------------
// Pointers

TAdvWatch::TPointerLook TAdvWatch::pointerLook() const {
    TWatchAppearance* A = FAppearance.get();
    const TWatchGeometry Geo = geometry();
    TPointerLook L{};
    L.CX = Geo.CX;
    L.CY = Geo.CY;
    L.R = Geo.R;
    Word MS;
    DecodeTime(GetDisplayTime(), L.Hour, L.Minute, L.Second, MS);
    L.Style = A->PointerStyle();
    L.HourColor = ColorToARGB(A->HourPointer());
    L.MinuteColor = ColorToARGB(A->MinutePointer());
    L.HasHourShadow = A->HourPointerShadow() != clNone;
    L.HourShadow = rawColor(A->HourPointerShadow(), 80);
    L.HasMinuteShadow = A->MinutePointerShadow() != clNone;
    L.MinuteShadow = rawColor(A->MinutePointerShadow(), 80);
    L.HourWidth = A->HourPointerSize();
    L.MinuteWidth = A->MinutePointerSize();
    L.ShowsSecond = FSettings->Auto() && FSettings->Second();
    L.SecondColor = ColorToARGB(A->SecondPointer());
    L.SecondWidth = A->SecondPointerSize();
    L.CenterSize = A->CenterPointSize();
    L.HasCenterColor = A->CenterPointColor() != clNone;
    L.CenterColor = ColorToARGB(A->CenterPointColor());
    L.HasCenterOuter = A->CenterPointOuterBorderColor() != clNone;
    L.CenterOuterColor = ColorToARGB(A->CenterPointOuterBorderColor());
    L.HasCenterBorder = A->CenterPointBorderColor() != clNone;
    L.CenterBorderColor = ColorToARGB(A->CenterPointBorderColor());
    return L;
}

void TAdvWatch::DrawPointers(TGPGraphics* G, const TPointerLook& L) {
    const double CX = L.CX, CY = L.CY, R = L.R;
    const double HourAngle = (L.Hour % 12) * 30.0 + L.Minute * 0.5;
    const double MinuteAngle = L.Minute * 6.0;
    const double SecondAngle = L.Second * 6.0;
    auto at = [&](double Angle, double Distance) { return pointAt(CX, CY, Angle, Distance); };

    if (L.Style == psPointer) {
        auto drawPolygon = [&](double Angle, double Length, ARGB Color, float DX, float DY) {
            TGPPointF Points[4] = {at(Angle, -0.1 * R), at(Angle + 90, -0.05 * R), at(Angle, Length),
                                   at(Angle - 90, -0.05 * R)};
            for (TGPPointF& P : Points) P = moved(P, DX, DY);
            TGPSolidBrush Brush(Color);
            G->FillPolygon(&Brush, Points, 4);
        };
        if (L.HasHourShadow) drawPolygon(HourAngle, 0.5 * R, L.HourShadow, 1, 3);
        drawPolygon(HourAngle, 0.5 * R, L.HourColor, 0, 0);
        if (L.HasMinuteShadow) drawPolygon(MinuteAngle, 0.7 * R, L.MinuteShadow, 1, 3);
        drawPolygon(MinuteAngle, 0.7 * R, L.MinuteColor, 0, 0);
    } else {
        const double Tail = L.Style == psShortLine ? 0 : 0.1 * R;
        const float HourWidth = L.HourWidth, MinuteWidth = L.MinuteWidth;
        const TGPPointF HourTip = at(HourAngle, 0.5 * R), MinuteTip = at(MinuteAngle, 0.7 * R);
        if (L.HasHourShadow)
            drawLine(*G, L.HourShadow, HourWidth, moved(at(HourAngle, -Tail), -1, 3),
                     moved(at(HourAngle, 0.46 * R), -1, 3));
        drawLine(*G, L.HourColor, HourWidth, at(HourAngle, -Tail), HourTip);
        if (L.Style == psLineArrow) {
            drawLine(*G, L.HourColor, HourWidth, at(HourAngle + 10, 0.4 * R), HourTip);
            drawLine(*G, L.HourColor, HourWidth, HourTip, at(HourAngle - 10, 0.4 * R));
        }
        if (L.HasMinuteShadow)
            drawLine(*G, L.MinuteShadow, MinuteWidth, moved(at(MinuteAngle, -Tail), 0, 3),
                     moved(at(MinuteAngle, 0.65 * R), 0, 3));
        drawLine(*G, L.MinuteColor, MinuteWidth, at(MinuteAngle, -Tail), MinuteTip);
        if (L.Style == psLineArrow) {
            drawLine(*G, L.MinuteColor, MinuteWidth, at(MinuteAngle + 7, 0.6 * R), MinuteTip);
            drawLine(*G, L.MinuteColor, MinuteWidth, MinuteTip, at(MinuteAngle - 7, 0.6 * R));
        }
    }

    if (L.ShowsSecond) drawLine(*G, L.SecondColor, L.SecondWidth, at(SecondAngle, -0.2 * R), at(SecondAngle, 0.9 * R));

    const int C = L.CenterSize;
    if (C <= 0) return;
    const float Half = C / 2.0f;
    if (L.HasCenterColor) {
        TGPSolidBrush Brush(L.CenterColor);
        G->FillEllipse(&Brush, float(CX - Half), float(CY - Half), float(C), float(C));
    }
    int U = 0;
    if (L.HasCenterOuter) {
        U = int(Round(C * 0.2));
        TGPPen Pen(L.CenterOuterColor, float(U));
        G->DrawEllipse(&Pen, float(CX - Half), float(CY - Half), float(C), float(C));
    }
    if (L.HasCenterBorder) {
        const float Inner = float(C - U);
        TGPPen Pen(L.CenterBorderColor, float(Round(C * 0.1)));
        G->DrawEllipse(&Pen, float(CX - Inner / 2), float(CY - Inner / 2), Inner, Inner);
    }
}
