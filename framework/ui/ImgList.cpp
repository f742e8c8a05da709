// TCustomImageList and TChangeLink.
#include "framework/ui/ImgList.h"

#include "framework/ui/DeviceContext.h"

#include <algorithm>

// Each image is ARGB32 with alpha as its mask; the colour channels keep the original pixels, so
// an unmasked list can still draw them.
struct TImageListImages {
    std::vector<QImage> List;
};

namespace {

QRgb rgbOf(TColor Color) {
    const TColor C = ColorToRGB(Color);
    return qRgb(GetRValue(C), GetGValue(C), GetBValue(C));
}

// Cuts Image into Width-wide pieces of the list's size; Opaque decides each pixel's mask.
template <class OpaqueFn>
std::vector<QImage> cutImages(const QImage& Source, int Width, int Height, OpaqueFn Opaque) {
    const int Pieces = std::max(1, Source.width() / Width);
    std::vector<QImage> Result;
    for (int I = 0; I < Pieces; ++I) {
        QImage Piece(Width, Height, QImage::Format_ARGB32);
        Piece.fill(0);
        for (int Y = 0; Y < std::min(Height, Source.height()); ++Y) {
            for (int X = 0; X < Width; ++X) {
                const int SX = I * Width + X;
                if (SX >= Source.width()) break;
                const QRgb P = Source.pixel(SX, Y);
                Piece.setPixel(X, Y, (P & 0xFFFFFFu) | (Opaque(SX, Y, P) ? 0xFF000000u : 0u));
            }
        }
        Result.push_back(std::move(Piece));
    }
    return Result;
}

const QImage& requireImage(TBitmap* Image) {
    if (!Image || Image->Empty()) throw EInvalidOperation(QStringLiteral("Invalid image: the bitmap is empty"));
    return *BitmapQImage(Image);
}

std::vector<QImage> imagesWithMask(TBitmap* Image, TBitmap* Mask, int Width, int Height) {
    const QImage Source = requireImage(Image).convertToFormat(QImage::Format_ARGB32);
    if (!Mask || Mask->Empty())
        return cutImages(Source, Width, Height, [](int, int, QRgb P) { return qAlpha(P) != 0; });
    const QImage MaskImage = BitmapQImage(Mask)->convertToFormat(QImage::Format_RGB32);
    // A mask pixel that is set (light) marks a transparent pixel, as in a monochrome mask.
    return cutImages(Source, Width, Height, [&](int X, int Y, QRgb) {
        if (X >= MaskImage.width() || Y >= MaskImage.height()) return true;
        return qGray(MaskImage.pixel(X, Y)) < 128;
    });
}

QImage blended(const QImage& Image, TColor With, int Percent) {
    QImage Result = Image;
    const QRgb W = rgbOf(With);
    auto Mix = [Percent](int A, int B) { return (A * (100 - Percent) + B * Percent) / 100; };
    for (int Y = 0; Y < Result.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Result.scanLine(Y));
        for (int X = 0; X < Result.width(); ++X) {
            const QRgb P = Line[X];
            Line[X] = qRgba(Mix(qRed(P), qRed(W)), Mix(qGreen(P), qGreen(W)), Mix(qBlue(P), qBlue(W)), qAlpha(P));
        }
    }
    return Result;
}

// The disabled look: the dark parts of the image become a flat shape in the two given colours.
QImage silhouette(const QImage& Image, QRgb Color) {
    QImage Result(Image.size(), QImage::Format_ARGB32);
    Result.fill(0);
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X) {
            const QRgb P = Image.pixel(X, Y);
            if (qAlpha(P) != 0 && qGray(P) < 192) Result.setPixel(X, Y, Color | 0xFF000000u);
        }
    return Result;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TChangeLink

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(FSender);
}

// ---------------------------------------------------------------------------------------------
// TCustomImageList

TCustomImageList::TCustomImageList(TComponent* AOwner)
    : TComponent(AOwner), FImages(std::make_unique<TImageListImages>()) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight) : TCustomImageList(AOwner) {
    resize(AWidth, AHeight);
}

TCustomImageList::~TCustomImageList() { detachLinks(); }

void TCustomImageList::BeforeDestruction() {
    TComponent::BeforeDestruction();
    detachLinks();
}

void TCustomImageList::detachLinks() {
    for (TChangeLink* Link : FLinks) Link->SetSender(nullptr);
    FLinks.clear();
}

int TCustomImageList::Count() const { return static_cast<int>(FImages->List.size()); }

void TCustomImageList::resize(int AWidth, int AHeight) {
    if (AWidth < 1 || AHeight < 1)
        throw EInvalidOperation(QStringLiteral("Invalid image size %1 x %2").arg(AWidth).arg(AHeight));
    if (AWidth == FWidth && AHeight == FHeight) return;
    FWidth = AWidth;
    FHeight = AHeight;
    FImages->List.clear();
    Change();
}

void TCustomImageList::SetWidth(int Value) { resize(Value, FHeight); }

void TCustomImageList::SetHeight(int Value) { resize(FWidth, Value); }

void TCustomImageList::SetBkColor(TColor Value) {
    if (FBkColor == Value) return;
    FBkColor = Value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
    if (FDrawingStyle == Value) return;
    FDrawingStyle = Value;
    Change();
}

void TCustomImageList::SetMasked(bool Value) {
    if (FMasked == Value) return;
    FMasked = Value;
    Change();
}

void TCustomImageList::checkIndex(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EInvalidOperation(QStringLiteral("Image index %1 out of bounds (0..%2)").arg(Index).arg(Count() - 1));
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
    std::vector<QImage> New = imagesWithMask(Image, Mask, FWidth, FHeight);
    const int First = Count();
    for (QImage& I : New) FImages->List.push_back(std::move(I));
    Change();
    return First;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
    const QImage Source = requireImage(Image).convertToFormat(QImage::Format_ARGB32);
    const TColor Key = MaskColor == clDefault ? Image->TransparentColor() : MaskColor;
    const QRgb KeyRgb = rgbOf(Key) & 0xFFFFFFu;
    std::vector<QImage> New =
        cutImages(Source, FWidth, FHeight, [KeyRgb](int, int, QRgb P) { return (P & 0xFFFFFFu) != KeyRgb; });
    const int First = Count();
    for (QImage& I : New) FImages->List.push_back(std::move(I));
    Change();
    return First;
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
    checkIndex(Index);
    std::vector<QImage> New = imagesWithMask(Image, Mask, FWidth, FHeight);
    FImages->List[static_cast<size_t>(Index)] = std::move(New.front());
    Change();
}

void TCustomImageList::Delete(int Index) {
    checkIndex(Index);
    FImages->List.erase(FImages->List.begin() + Index);
    Change();
}

void TCustomImageList::Clear() {
    if (FImages->List.empty()) return;
    FImages->List.clear();
    Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
    checkIndex(CurIndex);
    checkIndex(NewIndex);
    if (CurIndex == NewIndex) return;
    QImage Moved = std::move(FImages->List[static_cast<size_t>(CurIndex)]);
    FImages->List.erase(FImages->List.begin() + CurIndex);
    FImages->List.insert(FImages->List.begin() + NewIndex, std::move(Moved));
    Change();
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) const {
    checkIndex(Index);
    if (!Image) throw EInvalidOperation(QStringLiteral("GetBitmap needs a target bitmap"));
    QImage Source = FImages->List[static_cast<size_t>(Index)];
    if (FBkColor == clNone) {
        Image->SetPixelFormat(pf32bit);
        Image->SetSize(FWidth, FHeight);
        *BitmapQImage(Image) = Source.convertToFormat(BitmapQImage(Image)->format());
        return;
    }
    Image->SetSize(FWidth, FHeight);
    QImage* Target = BitmapQImage(Image);
    Target->fill(QColorOf(FBkColor));
    QPainter P(Target);
    P.drawImage(0, 0, Source);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
    Draw(Canvas, X, Y, Index, FDrawingStyle, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, bool Enabled) const {
    if (!Canvas || Index < 0 || Index >= Count()) return;
    QImage Image = FImages->List[static_cast<size_t>(Index)];
    if (!FMasked) {
        Image = Image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
    } else if (FBkColor != clNone && ADrawingStyle != dsTransparent) {
        QImage Back(Image.size(), QImage::Format_ARGB32);
        Back.fill(QColorOf(FBkColor));
        QPainter P(&Back);
        P.drawImage(0, 0, Image);
        P.end();
        Image = Back;
    }
    HDC DC = Canvas->Handle();
    const TRect Dest = Bounds(X, Y, FWidth, FHeight);
    if (!Enabled) {
        // Light copy one pixel down and right, the grey shape over it.
        const QImage Light = silhouette(Image, rgbOf(clBtnHighlight));
        const QImage Dark = silhouette(Image, rgbOf(clBtnShadow));
        DCDrawImage(DC, Bounds(X + 1, Y + 1, FWidth, FHeight), Light, Light.rect(), true);
        DCDrawImage(DC, Dest, Dark, Dark.rect(), true);
        return;
    }
    if (ADrawingStyle == dsSelected)
        Image = blended(Image, clHighlight, 50);
    else if (ADrawingStyle == dsFocus)
        Image = blended(Image, clHighlight, 25);
    DCDrawImage(DC, Dest, Image, Image.rect(), true);
}

void TCustomImageList::BeginUpdate() { ++FUpdateCount; }

void TCustomImageList::EndUpdate() {
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChanged) Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
    if (!Value || std::find(FLinks.begin(), FLinks.end(), Value) != FLinks.end()) return;
    if (Value->Sender() && Value->Sender() != this) Value->Sender()->UnRegisterChanges(Value);
    Value->SetSender(this);
    FLinks.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
    auto It = std::find(FLinks.begin(), FLinks.end(), Value);
    if (It == FLinks.end()) return;
    FLinks.erase(It);
    Value->SetSender(nullptr);
}

void TCustomImageList::Change() {
    if (FUpdateCount > 0) {
        FChanged = true;
        return;
    }
    FChanged = false;
    if (ComponentState().Contains(csDestroying)) return;
    const TWeak<TCustomImageList> Self(this);
    // A link's handler may unregister links, so walk a copy and skip those gone.
    const std::vector<TChangeLink*> Links = FLinks;
    for (TChangeLink* Link : Links) {
        if (!Self) return;
        if (std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) Link->Change();
    }
    if (Self && OnChange) OnChange(this);
}
