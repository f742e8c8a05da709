// MiniHTML engine: images in the line, background pictures and the module's drawing routines.
#include "components/graphics/HTMLPicture.h"
#include "components/graphics/MiniHTML_Engine.h"
#include "components/graphics/PictureContainer.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/FileIcons.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/ImgList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

void StretchBitmapToRect(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap) {
    if (!Canvas || !Bitmap || Bitmap->Empty()) return;
    Canvas->StretchDraw(Rect, Bitmap);
}

bool IsDirectory(const String& Path) { return !Path.isEmpty() && DirectoryExists(Path); }

void DrawShellIcon(TCanvas* Canvas, int X, int Y, const String& Source, bool Large, bool Draw, bool Stretch,
                   double Scale, TSize& Size) {
    int Index = 0;
    if (!Source.isEmpty() && !TryValInteger(Source, Index)) Index = FileIconIndex(Source);
    TCustomImageList* List = FileIconImageList(Large);
    Size = {List->Width(), List->Height()};
    if (!Draw || Index < 0 || Index >= List->Count()) return;
    if (!Stretch) {
        List->Draw(Canvas, X, Y, Index);
        return;
    }
    TBitmap Icon(Size.cx, Size.cy);
    List->Draw(Icon.Canvas(), 0, 0, Index);
    const int W = static_cast<int>(Round(Size.cx * Scale));
    const int H = static_cast<int>(Round(Size.cy * Scale));
    StretchBitmapToRect(Canvas, Rect(X, Y, X + W, Y + H), &Icon);
}

void FillGradientBands(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& Rect, int Bands,
                       TColor BorderColor) {
    if (Bands <= 0) Bands = 1;
    const TColor From = ColorToRGB(FromColor);
    const TColor To = ColorToRGB(ToColor);
    const int Extent = Horizontal ? Rect.Width() : Rect.Height();
    const double Band = static_cast<double>(Extent) / Bands;
    const double StepR = static_cast<double>(GetRValue(To) - GetRValue(From)) / Bands;
    const double StepG = static_cast<double>(GetGValue(To) - GetGValue(From)) / Bands;
    const double StepB = static_cast<double>(GetBValue(To) - GetBValue(From)) / Bands;
    const int Size = static_cast<int>(Trunc(Band)) + 1;
    // Each band is one pixel wider than its share and the next one covers the overlap: the
    // colour each line across the gradient ends with is gathered first, and every run of equal
    // colour is filled once.
    std::vector<TColor> Line(static_cast<std::size_t>(std::max(0, Extent)), clNone);
    // Round's halves to even, in the double these values are: four per band, in every paint.
    const auto round = [](double V) { return static_cast<int>(std::lrint(V)); };
    TColor Color = From;
    for (int I = 0; I < Bands; ++I) {
        Color = RGB(GetRValue(From) + round(I * StepR), GetGValue(From) + round(I * StepG),
                    GetBValue(From) + round(I * StepB));
        const int Offset = static_cast<int>(static_cast<std::uint16_t>(std::llrint(I * Band)));
        for (int P = Offset; P < std::min(Extent, Offset + Size); ++P) Line[static_cast<std::size_t>(P)] = Color;
    }
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    for (int P = 0; P < Extent;) {
        const TColor Run = Line[static_cast<std::size_t>(P)];
        int End = P + 1;
        while (End < Extent && Line[static_cast<std::size_t>(End)] == Run) ++End;
        if (Run != clNone) {
            Canvas->Brush()->SetColor(Run);
            Canvas->FillRect(Horizontal ? TRect{Rect.Left + P, Rect.Top, Rect.Left + End, Rect.Bottom}
                                        : TRect{Rect.Left, Rect.Top + P, Rect.Right, Rect.Top + End});
        }
        P = End;
    }
    Canvas->Brush()->SetColor(Color);
    if (BorderColor != clNone) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(BorderColor);
        Canvas->Rectangle(Rect);
    }
}

UINT BidiTextFlags(UINT Flags, TBiDiMode) { return Flags; }

namespace minihtml {

THTMLPicture* TMarkupEngine::findPicture(const TImageSource& Source) {
    THTMLPicture* Picture = nullptr;
    if (Source.Kind == TImageSourceKind::Container && Container) {
        Picture = Container->FindPicture(Source.Value);
    } else if (Source.Kind == TImageSourceKind::Url && PictureCache) {
        Picture = PictureCache->FindPicture(Source.Value);
        if (!Picture) {
            Picture = PictureCache->AddPicture();
            Picture->SetAsynch(false);
            Picture->LoadFromURL(Source.Value);
        }
    }
    if (!Picture || Picture->Empty() || Picture->Width() <= 0 || Picture->Height() <= 0) return nullptr;
    return Picture;
}

// Image-list and shell-icon sources of BODY: drawn once, in their own size or stretched.
void TMarkupEngine::drawSourceOnce(const TImageSource& Source, int X, int Y, bool FromRight) {
    if (Source.Kind == TImageSourceKind::ImageList) {
        if (!Images || Source.Index < 0 || Source.Index >= Images->Count()) return;
        if (FromRight) X -= Images->Width();
        if (StretchImages) {
            TBitmap Image;
            Images->GetBitmap(Source.Index, &Image);
            StretchBitmapToRect(Canvas,
                                Bounds(X, Y, static_cast<int>(Round(Images->Width() * ImageScale)),
                                       static_cast<int>(Round(Images->Height() * ImageScale))),
                                &Image);
        } else {
            Images->Draw(Canvas, X, Y, Source.Index);
        }
    } else if (Source.Kind == TImageSourceKind::SmallShell || Source.Kind == TImageSourceKind::LargeShell) {
        const bool Large = Source.Kind == TImageSourceKind::LargeShell;
        TSize Size;
        DrawShellIcon(Canvas, X, Y, Source.Value, Large, false, false, 1.0, Size);
        // Without an image list the icon's own width places it at the right edge.
        if (FromRight) X -= Images ? Images->Width() : Size.cx;
        DrawShellIcon(Canvas, X, Y, Source.Value, Large, true, StretchImages, ImageScale, Size);
    }
}

// A picture in its own size with its top-left at (X, Y); an animated one shows its selected frame.
void TMarkupEngine::drawPictureAt(THTMLPicture* Picture, int X, int Y) {
    Picture->SetStretch(false);
    if (Picture->FrameCount() > 1) {
        X += Picture->FrameXPos();
        Y += Picture->FrameYPos();
    }
    Picture->Draw(Canvas, Bounds(X, Y, Picture->Width(), Picture->Height()));
}

void TMarkupEngine::tilePicture(THTMLPicture* Picture) {
    const int W = Picture->Width(), H = Picture->Height();
    SaveDC(FDC);
    IntersectClipRect(FDC, DrawRect.Left, DrawRect.Top, DrawRect.Right, DrawRect.Bottom);
    for (int Y = DrawRect.Top; Y < DrawRect.Bottom; Y += H)
        for (int X = DrawRect.Left; X < DrawRect.Right; X += W) drawPictureAt(Picture, X, Y);
    RestoreDC(FDC, -1);
}

void TMarkupEngine::drawPictureColumn(THTMLPicture* Picture) {
    const int W = Picture->Width(), H = Picture->Height();
    SaveDC(FDC);
    IntersectClipRect(FDC, DrawRect.Left, DrawRect.Top, DrawRect.Right, DrawRect.Bottom);
    for (int Y = DrawRect.Top; Y < DrawRect.Bottom; Y += H) drawPictureAt(Picture, DrawRect.Right - W, Y);
    RestoreDC(FDC, -1);
}

bool TMarkupEngine::handleImage(const TMarkupTag& Tag, TLineValues& Line) {
    const String Attrs = MarkupAttributeText(Tag);
    // The grid reads SRC upper-cased: container names match in any case, files resolve ignoring it.
    const TImageSource Source = ParseImageSource(MarkupAttribute(Attrs, QStringLiteral("SRC"), !Grid));
    const String Align = MarkupAttribute(Attrs, QStringLiteral("ALIGN"));
    const String Float = MarkupAttribute(Attrs, QStringLiteral("FLOAT"));
    const int Valign = Align == QLatin1String("MIDDLE") ? 1 : Align == QLatin1String("TOP") ? 2 : 0;
    const int TextHeight = ghHeight();
    const int DpiX = GetDeviceCaps(FDC, LOGPIXELSX), DpiY = GetDeviceCaps(FDC, LOGPIXELSY);
    const auto shiftFor = [&](int ImageHeight) {
        if (Grid || ImageHeight >= TextHeight || Valign == 2) return 0;  // the grid draws at the line's top
        return Valign == 1 ? (TextHeight - ImageHeight) / 2 : TextHeight - ImageHeight;
    };

    // Layout size, and what to draw where relative to the image's top-left corner.
    int W = 0, H = 0;
    std::function<void(int X, int Y)> Paint;
    THTMLPicture* Picture = nullptr;
    if (Source.Kind == TImageSourceKind::ImageList) {
        if (!Images || Source.Index < 0 || Source.Index >= Images->Count()) return true;
        W = MulDiv(Images->Width(), DpiX, 96);
        H = MulDiv(Images->Height(), DpiY, 96);
        const int Shift = shiftFor(Images->Height());
        Paint = [this, Source, Shift](int X, int Y) {
            if (StretchImages) {
                TBitmap Image;
                Images->GetBitmap(Source.Index, &Image);
                StretchBitmapToRect(Canvas,
                                    Bounds(X, Y + Shift, static_cast<int>(Round(Images->Width() * ImageScale)),
                                           static_cast<int>(Round(Images->Height() * ImageScale))),
                                    &Image);
            } else {
                Images->Draw(Canvas, X, Y + Shift, Source.Index);
            }
        };
    } else if (Source.Kind == TImageSourceKind::SmallShell || Source.Kind == TImageSourceKind::LargeShell) {
        const bool Large = Source.Kind == TImageSourceKind::LargeShell;
        TSize Size;
        DrawShellIcon(Canvas, 0, 0, Source.Value, Large, false, false, 1.0, Size);
        W = MulDiv(Size.cx, DpiX, 96);
        H = MulDiv(Size.cy, DpiY, 96);
        Paint = [this, Source, Large](int X, int Y) {
            TSize Drawn;
            DrawShellIcon(Canvas, X, Y, Source.Value, Large, true, StretchImages, ImageScale, Drawn);
        };
    } else if ((Picture = findPicture(Source))) {
        const int PW = Picture->Width(), PH = Picture->Height();
        const int AW = clampMarkupPixels(ValInteger(MarkupAttribute(Attrs, QStringLiteral("WIDTH"))));
        const int AH = clampMarkupPixels(ValInteger(MarkupAttribute(Attrs, QStringLiteral("HEIGHT"))));
        int DW = PW, DH = PH;
        if (AW > 0 && AH > 0)
            DW = AW, DH = AH;
        else if (AW > 0)
            DW = AW, DH = static_cast<int>(Round(static_cast<double>(PH) * AW / PW));
        else if (AH > 0)
            DH = AH, DW = static_cast<int>(Round(static_cast<double>(PW) * AH / PH));
        const bool Sized = AW > 0 || AH > 0;
        if (Sized) {
            W = MulDiv(DW, DpiX, 96);
            H = MulDiv(DH, DpiY, 96);
        } else {
            W = MulDiv(Picture->MaxWidth(), DpiX, 96);
            H = MulDiv(Picture->MaxHeight(), DpiY, 96);
        }
        const int Shift = Sized ? 0 : shiftFor(PH);
        Paint = [this, Picture, Sized, DW, DH, Shift](int X, int Y) {
            if (Sized) {
                Picture->SetStretch(true);
                Picture->Draw(Canvas, Bounds(X, Y, DW, DH));
                return;
            }
            if (Picture->FrameCount() > 1 && FCallerBk != clNone) {
                const TColor Saved = Canvas->Brush()->Color();
                const TBrushStyle SavedStyle = Canvas->Brush()->Style();
                Canvas->Brush()->SetColor(FCallerBk);
                Canvas->Brush()->SetStyle(bsSolid);
                Canvas->FillRect(Bounds(X, Y, Picture->MaxWidth(), Picture->MaxHeight()));
                Canvas->Brush()->SetColor(Saved);
                Canvas->Brush()->SetStyle(SavedStyle);
            }
            drawPictureAt(Picture, X, Y + Shift);
        };
    } else {
        return true;  // nothing to show takes no room
    }
    ++FImageCount;

    const int X = HitX - FLineRect.Left;
    if (FInAnchor && Line.Width < X && X < Line.Width + W && FLineRect.Top < HitY && HitY < FLineRect.Top + H) {
        Line.ImageAnchorHit = true;
        Out.AnchorHref = FAnchorRef;
        if (Grid || !FAnchorTitle.isEmpty()) Out.AnchorTitle = FAnchorTitle;
        FAnchorHitPending = true;
    }
    const int LineWidth = FLineRect.Right - FLineRect.Left;
    if (FFirstPass && LineWidth < Line.Width + W && W < LineWidth) return false;  // starts the next line

    if (drawing() && !FHidden) {
        int DrawX = FRunX;
        if (Float == QLatin1String("LEFT")) DrawX = DrawRect.Left;
        if (Float == QLatin1String("RIGHT") && !Grid) DrawX = FLineRect.Right - W;
        Paint(DrawX, FLineRect.Top);
    }
    Line.Width += W + 2;
    FRunX += W + 2;
    Line.Height = std::max(Line.Height, H);
    FLineContent = true;

    const String Upper = UpperCase(Tag.Text);
    if (HasMarkupAttribute(Attrs, QStringLiteral("ALIGN"))) {
        if (Upper.contains(QLatin1String("\"TOP")))
            Line.TextRaise = Line.Height - TextHeight;
        else if (Upper.contains(QLatin1String("\"MIDDLE")))
            Line.TextRaise = (Line.Height - TextHeight) / 2;
    }
    if (Upper.contains(QLatin1String("WRAP"))) {
        Line.Height = TextHeight;
        Line.TextRaise = 0;
    }
    if (Float == QLatin1String("LEFT") || Float == QLatin1String("RIGHT")) {
        Line.TextRaise = Line.Height - TextHeight;
        if (Float == QLatin1String("LEFT"))
            FLeftMargin = W + 2;
        else
            FRightMargin = W + 2;
        FFloatHeight = H;
        if (drawing()) Line.Height = TextHeight;
        if (Float == QLatin1String("RIGHT")) Line.Width = DrawRect.Right;
    }
    return true;
}

}  // namespace minihtml
