// TGraphic and TBitmap: pictures on raster images.
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Graphics.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

void TGraphic::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Changed();
}

void TGraphic::SetModified(bool Value) {
    if (Value)
        Changed();
    else
        FModified = false;
}

void TGraphic::Changed() {
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
    TMemoryStream Bytes;
    Bytes.LoadFromFile(FileName);
    LoadFromStream(&Bytes);
}

void TGraphic::SaveToFile(const String& FileName) {
    TMemoryStream Bytes;
    SaveToStream(&Bytes);
    SaveFileAtomically(FileName, Bytes.Memory(), Bytes.Size());
}

// ---------------------------------------------------------------------------------------------

TBitmapImage* BitmapImageOf(TBitmap* Bitmap) { return Bitmap->FImage.get(); }

namespace {

// The canvas of a bitmap draws on the bitmap's own image.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
    ~TBitmapCanvas() override { FreeHandle(); }

protected:
    void CreateHandle() override { SetHandle(CreateImageDC(&BitmapImageOf(FBitmap)->Image)); }
    void FreeHandle() override {
        if (!HandleAllocated()) return;
        HDC DC = Handle();
        SetHandle(nullptr);
        DeleteDC(DC);
    }

private:
    TBitmap* FBitmap;
};

QImage::Format qFormatOf(TPixelFormat Format) {
    switch (Format) {
        case pf24bit:
            return QImage::Format_BGR888;
        case pf32bit:
            return QImage::Format_ARGB32;
        case pf15bit:
            return QImage::Format_RGB555;
        case pf16bit:
            return QImage::Format_RGB16;
        default:
            return QImage::Format_RGB32;
    }
}

QImage newImage(int Width, int Height, TPixelFormat Format) {
    if (Width <= 0 || Height <= 0) return {};
    QImage Image(Width, Height, qFormatOf(Format));
    if (Image.isNull())
        throw EOutOfMemory(QStringLiteral("Not enough memory for a %1 x %2 bitmap").arg(Width).arg(Height));
    Image.fill(0xFFFFFFFFu);
    return Image;
}

std::uint32_t readLE32(const Byte* P) { return P[0] | (P[1] << 8) | (P[2] << 16) | (std::uint32_t(P[3]) << 24); }

void writeLE32(Byte* P, std::uint32_t V) {
    for (int I = 0; I < 4; ++I) P[I] = static_cast<Byte>(V >> (8 * I));
}

// Bitmap resources hold a device-independent bitmap without the file header: put one in front
// so the codec reads it as a BMP file.
QByteArray withBitmapFileHeader(const QByteArray& Bytes) {
    const auto* P = reinterpret_cast<const Byte*>(Bytes.constData());
    if (Bytes.size() < 40 || Bytes.startsWith("BM")) return Bytes;
    const std::uint32_t HeaderSize = readLE32(P);
    if (HeaderSize != 40 && HeaderSize != 108 && HeaderSize != 124) return Bytes;
    const unsigned BitCount = P[14] | (P[15] << 8);
    const std::uint32_t Compression = readLE32(P + 16);
    const std::uint32_t ColorsUsed = readLE32(P + 32);
    std::uint32_t PaletteSize = 0;
    if (BitCount <= 8) PaletteSize = (ColorsUsed ? ColorsUsed : (1u << BitCount)) * 4;
    if (HeaderSize == 40 && Compression == 3) PaletteSize += 12;  // the three colour masks
    QByteArray File(14, '\0');
    auto* H = reinterpret_cast<Byte*>(File.data());
    H[0] = 'B';
    H[1] = 'M';
    writeLE32(H + 2, static_cast<std::uint32_t>(14 + Bytes.size()));
    writeLE32(H + 10, 14 + HeaderSize + PaletteSize);
    return File + Bytes;
}

}  // namespace

QImage* BitmapQImage(TBitmap* Bitmap) {
    if (!Bitmap) return nullptr;
    // Nobody else may paint on the image while the canvas holds a painter on it.
    if (Bitmap->Canvas()->HandleAllocated()) DCReleasePainter(Bitmap->Canvas()->Handle());
    return &BitmapImageOf(Bitmap)->Image;
}

TBitmap::TBitmap() : FImage(std::make_unique<TBitmapImage>()) {}

TBitmap::TBitmap(int AWidth, int AHeight) : TBitmap() { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap() { FCanvas.reset(); }

int TBitmap::Width() const { return FImage->Image.width(); }
void TBitmap::SetWidth(int Value) { SetSize(Value, Height()); }
int TBitmap::Height() const { return FImage->Image.height(); }
void TBitmap::SetHeight(int Value) { SetSize(Width(), Value); }
bool TBitmap::Empty() const { return FImage->Image.isNull(); }

void TBitmap::releaseCanvasHandle() {
    if (FCanvas && FCanvas->HandleAllocated()) DCReleasePainter(FCanvas->Handle());
}

void TBitmap::SetSize(int AWidth, int AHeight) {
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == Width() && AHeight == Height()) return;
    QImage Resized = newImage(AWidth, AHeight, FPixelFormat);
    releaseCanvasHandle();
    // The old picture stays at the top left, as the platform keeps it.
    if (!Resized.isNull() && !Empty()) {
        QPainter P(&Resized);
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.drawImage(0, 0, FImage->Image);
    }
    FImage->Image = std::move(Resized);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (FPixelFormat == Value) return;
    releaseCanvasHandle();
    FPixelFormat = Value;
    if (!Empty()) FImage->Image = FImage->Image.convertToFormat(qFormatOf(Value));
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    const QRgb Rgb = FImage->Image.pixel(0, Height() - 1);
    return RGB(qRed(Rgb), qGreen(Rgb), qBlue(Rgb));
}

void TBitmap::SetTransparentColor(TColor Value) {
    const TTransparentMode Mode = Value == clDefault ? tmAuto : tmFixed;
    if (FTransparentColor == Value && FTransparentMode == Mode) return;
    FTransparentColor = Value;
    FTransparentMode = Mode;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (FTransparentMode == Value) return;
    FTransparentMode = Value;
    // Fixed mode starts from the colour automatic mode sees now.
    if (Value == tmFixed) {
        FTransparentMode = tmAuto;
        FTransparentColor = TransparentColor();
        FTransparentMode = tmFixed;
    } else {
        FTransparentColor = clDefault;
    }
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(this);
        FCanvas->OnChange = [this](TObject*) { Changed(); };
    }
    return FCanvas.get();
}

void* TBitmap::ScanLine(int Row) {
    if (Empty() || Row < 0 || Row >= Height())
        throw EInvalidGraphicOperation(QStringLiteral("Scan line index %1 out of range").arg(Row));
    if (FPixelFormat != pf24bit && FPixelFormat != pf32bit && FPixelFormat != pfDevice && FPixelFormat != pf15bit &&
        FPixelFormat != pf16bit)
        throw EInvalidGraphicOperation(QStringLiteral("Scan lines of palette bitmaps are not supported"));
    releaseCanvasHandle();
    return FImage->Image.scanLine(Row);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!ACanvas || Empty()) return;
    HDC DC = ACanvas->Handle();
    // Drawing a bitmap onto its own canvas reads a copy.
    const QImage Source = ACanvas == FCanvas.get() ? FImage->Image.copy() : FImage->Image;
    if (!Transparent()) {
        DCDrawImage(DC, Rect, Source, Source.rect(), false);
        return;
    }
    const QRgb Key = static_cast<QRgb>(ColorToRGB(TransparentColor()));
    const QRgb KeyRgb = qRgb(Key & 0xFF, (Key >> 8) & 0xFF, (Key >> 16) & 0xFF) & 0xFFFFFF;
    // Glyphs are drawn on every paint: the keyed copy is kept until the pixels change, which
    // gives the image a new cache key (a painter on it is ended first, as it may still draw).
    const bool Keep = ACanvas != FCanvas.get();
    if (Keep && FCanvas && FCanvas->HandleAllocated()) DCReleasePainter(FCanvas->Handle());
    TBitmapImage& I = *FImage;
    if (Keep && !I.Masked.isNull() && I.MaskedKey == I.Image.cacheKey() && I.MaskedColor == KeyRgb) {
        DCDrawImage(DC, Rect, I.Masked, I.Masked.rect(), true);
        return;
    }
    QImage Masked = Source.convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Masked.height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Masked.scanLine(Y));
        for (int X = 0; X < Masked.width(); ++X)
            Line[X] = (Line[X] & 0xFFFFFF) == KeyRgb ? 0u : (Line[X] | 0xFF000000u);
    }
    if (Keep) {
        I.Masked = Masked;
        I.MaskedKey = I.Image.cacheKey();
        I.MaskedColor = KeyRgb;
    }
    DCDrawImage(DC, Rect, Masked, Masked.rect(), true);
}

void TBitmap::LoadFromFile(const String& FileName) {
    if (!QFileInfo(FileName).isFile())
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(FileName));
    QImageReader Reader(FileName);
    QImage Loaded = Reader.read();
    if (Loaded.isNull())
        throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid: %1 (%2)").arg(FileName, Reader.errorString()));
    const TPixelFormat Format = Loaded.hasAlphaChannel() ? pf32bit : pf24bit;
    releaseCanvasHandle();
    FImage->Image = Loaded.convertToFormat(qFormatOf(Format));
    FPixelFormat = Format;
    Changed();
}

void TBitmap::SaveToFile(const String& FileName) {
    if (Empty()) throw EInvalidGraphic(QStringLiteral("Cannot save an empty bitmap to \"%1\"").arg(FileName));
    const String Suffix = QFileInfo(FileName).suffix().toLower();
    const QByteArray Format = Suffix == QLatin1String("png")                                      ? "PNG"
                              : Suffix == QLatin1String("jpg") || Suffix == QLatin1String("jpeg") ? "JPEG"
                                                                                                  : "BMP";
    releaseCanvasHandle();
    // Written to a temporary file and renamed, so a failure never leaves half a file.
    QSaveFile File(FileName);
    if (!File.open(QIODevice::WriteOnly))
        throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, File.errorString()));
    if (!FImage->Image.save(&File, Format.constData()) || !File.commit()) {
        File.cancelWriting();
        throw EFCreateError(QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, File.errorString()));
    }
}

void TBitmap::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    const TBytes Bytes = Stream->ReadToEnd();
    const QByteArray Data = withBitmapFileHeader(
        QByteArray::fromRawData(reinterpret_cast<const char*>(Bytes.data()), static_cast<qsizetype>(Bytes.size())));
    QImage Loaded;
    if (Bytes.empty() || !Loaded.loadFromData(Data) || Loaded.isNull())
        throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
    const TPixelFormat Format = Loaded.hasAlphaChannel() ? pf32bit : pf24bit;
    releaseCanvasHandle();
    FImage->Image = Loaded.convertToFormat(qFormatOf(Format));
    FPixelFormat = Format;
    Changed();
}

void TBitmap::SaveToStream(TStream* Stream) {
    if (!Stream) return;
    if (Empty()) throw EInvalidGraphic(QStringLiteral("Cannot save an empty bitmap"));
    releaseCanvasHandle();
    QByteArray Data;
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::WriteOnly);
    if (!FImage->Image.save(&Buffer, "BMP")) throw EInvalidGraphic(QStringLiteral("Cannot encode the bitmap"));
    Stream->WriteBuffer(Data.constData(), Data.size());
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
    TResourceStream Stream(Instance, ResName, RT_BITMAP);
    LoadFromStream(&Stream);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
    std::unique_ptr<TResourceStream> Stream(TResourceStream::CreateFromID(Instance, ResID, RT_BITMAP));
    LoadFromStream(Stream.get());
}

void TBitmap::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (!Source) {
        releaseCanvasHandle();
        FImage->Image = QImage();
        Changed();
        return;
    }
    if (auto* B = dynamic_cast<TBitmap*>(Source)) {
        releaseCanvasHandle();
        FImage->Image = BitmapQImage(B)->copy();
        FPixelFormat = B->FPixelFormat;
        FTransparentColor = B->FTransparentColor;
        FTransparentMode = B->FTransparentMode;
        SetTransparent(B->Transparent());
        Changed();
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        releaseCanvasHandle();
        FImage->Image = newImage(G->Width(), G->Height(), FPixelFormat);
        if (!G->Empty()) Canvas()->Draw(0, 0, G);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}
