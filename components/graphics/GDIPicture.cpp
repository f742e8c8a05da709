// SniffPictureFormat, the shared GDI+ decoding of picture bytes, and TGDIPPicture.
#include "components/graphics/GDIPicture.h"

#include "components/graphics/AdvGDIP.h"

#include <cstring>
#include <new>
#include <stdexcept>

TPictureFormat SniffPictureFormat(const void* Buffer, std::size_t Size) {
    if (!Buffer || Size < 44) return pfNone;
    const auto* B = static_cast<const Byte*>(Buffer);
    auto dword = [B](std::size_t At) {
        return std::uint32_t(B[At]) | (std::uint32_t(B[At + 1]) << 8) | (std::uint32_t(B[At + 2]) << 16) |
               (std::uint32_t(B[At + 3]) << 24);
    };
    if (B[0] == 0x42 && B[1] == 0x4D) return pfBMP;
    if (B[0] == 0xFF && B[1] == 0xD8) return pfJPG;
    if (B[0] == 0x49 && B[1] == 0x49) return B[2] == 0x2A && B[3] == 0x00 ? pfTiff : pfNone;
    if (B[0] == 0x4D && B[1] == 0x4D) return B[2] == 0x00 && B[3] == 0x2A ? pfTiff : pfNone;
    static const Byte PngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    if (std::memcmp(B, PngSignature, 8) == 0) return pfPNG;
    if (dword(0) == 0x9AC6CDD7u) return pfMetaFile;
    if (dword(0) == 1 && std::memcmp(B + 40, " EMF", 4) == 0) return pfMetaFile;
    if (std::memcmp(B, "GIF", 3) == 0) return pfGIF;
    if ((B[2] | (B[3] << 8)) == 1) return pfICO;
    return pfNone;
}

// ---------------------------------------------------------------------------------------------
// Decoding

namespace {

// A decoded picture: the image and the stream it was read from, freed together.
class TDecodedPicture {
public:
    explicit TDecodedPicture(TMemoryStream* Bytes) {
        auto Copy = std::make_unique<TMemoryStream>();
        try {
            Copy->SetSize(Bytes->Size());
        } catch (const std::bad_alloc&) {
            throw Exception(QStringLiteral("Could not allocate memory for image"));
        } catch (const std::length_error&) {
            throw Exception(QStringLiteral("Could not allocate memory for image"));
        }
        Bytes->SetPosition(0);
        if (Bytes->Size() > 0) std::memcpy(Copy->Memory(), Bytes->Memory(), static_cast<std::size_t>(Bytes->Size()));
        FStream = new TStreamAdapter(Copy.release(), soOwned);
        FImage = std::make_unique<TGPImage>(FStream);
    }
    ~TDecodedPicture() {
        FImage.reset();
        FStream->Release();
    }
    TDecodedPicture(const TDecodedPicture&) = delete;
    TDecodedPicture& operator=(const TDecodedPicture&) = delete;

    TGPImage* Image() const { return FImage.get(); }
    TSize Size() const { return {static_cast<int>(FImage->GetWidth()), static_cast<int>(FImage->GetHeight())}; }
    bool Decoded() const { return Size().cx > 0 && Size().cy > 0; }

private:
    TStreamAdapter* FStream = nullptr;
    std::unique_ptr<TGPImage> FImage;
};

void drawTransparentBitmap(TMemoryStream* Bytes, TCanvas* Canvas, const TRect& Rect) {
    TBitmap Bitmap;
    Bytes->SetPosition(0);
    Bitmap.LoadFromStream(Bytes);
    Bytes->SetPosition(0);
    Bitmap.SetTransparentMode(tmAuto);
    Bitmap.SetTransparent(true);
    Canvas->StretchDraw(Rect, &Bitmap);
}

}  // namespace

TSize MeasurePictureBytes(TMemoryStream* Bytes) {
    if (!Bytes || Bytes->Size() == 0) return {};
    TDecodedPicture Picture(Bytes);
    return Picture.Decoded() ? Picture.Size() : TSize{};
}

TSize DrawPictureBytes(TMemoryStream* Bytes, TCanvas* Canvas, const TRect& Rect, int Angle, bool TransparentBitmap,
                       int Frame) {
    if (!Bytes || !Canvas || Bytes->Size() == 0) return {};
    TDecodedPicture Picture(Bytes);
    if (!Picture.Decoded()) return {};
    if (Frame > 0 && Picture.Image()->GetFormat() == ifGIF &&
        static_cast<UINT>(Frame) < Picture.Image()->GetFrameCount(FrameDimensionTime))
        Picture.Image()->SelectActiveFrame(FrameDimensionTime, static_cast<UINT>(Frame));
    if (TransparentBitmap && Picture.Image()->GetFormat() == ifBMP) {
        drawTransparentBitmap(Bytes, Canvas, Rect);
        return Picture.Size();
    }
    const TSize Size = Picture.Size();
    TGPGraphics Graphics(Canvas->Handle());
    std::unique_ptr<TGPMatrix> Matrix;
    if (Angle != 0) {
        Matrix = std::make_unique<TGPMatrix>();
        Matrix->RotateAt(static_cast<float>(Angle), MakeGPPointF(Size.cx / 2.0f + Rect.Left, Size.cy / 2.0f + Rect.Top),
                         MatrixOrderPrepend);
        Graphics.SetTransform(Matrix.get());
    }
    Graphics.DrawImageRect(Picture.Image(), Rect.Left, Rect.Top, Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
    if (Matrix) Graphics.ResetTransform();
    return Size;
}

// ---------------------------------------------------------------------------------------------
// TGDIPPicture

TGDIPPicture::TGDIPPicture() : FDatastream(std::make_unique<TMemoryStream>()) {}

TGDIPPicture::~TGDIPPicture() = default;

void TGDIPPicture::fireChange() {
    if (OnChange) OnChange(this);
}

TPictureFormat TGDIPPicture::PictureFormat() const {
    return SniffPictureFormat(FDatastream->Memory(), static_cast<std::size_t>(FDatastream->Size()));
}

void TGDIPPicture::storeBytes(TStream* Stream) {
    const TBytes Bytes = Stream->ReadToEnd();
    FDatastream->Clear();
    if (!Bytes.empty()) FDatastream->WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    FDatastream->SetPosition(0);
}

void TGDIPPicture::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    storeBytes(Stream);
    FIsEmpty = false;
    GetImageSizes();
    fireChange();
}

void TGDIPPicture::LoadFromFile(const String& FileName) {
    try {
        TMemoryStream File;
        File.LoadFromFile(FileName);
        storeBytes(&File);
        FIsEmpty = false;
        FFileName = FileName;
        if (OnClear) OnClear(this);
        GetImageSizes();
        fireChange();
    } catch (const Exception&) {
        FIsEmpty = true;
    }
}

void TGDIPPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
    if (!FindResource(Instance, ResName, RT_RCDATA)) return;
    TResourceStream Stream(Instance, ResName, RT_RCDATA);
    LoadFromStream(&Stream);
}

void TGDIPPicture::LoadFromResourceID(HINSTANCE Instance, int ResID) {
    std::unique_ptr<TResourceStream> Stream(TResourceStream::CreateFromID(Instance, ResID, RT_RCDATA));
    LoadFromStream(Stream.get());
}

void TGDIPPicture::LoadFromURL(const String& URL) {
    if (URL.startsWith(QLatin1String("RES://"), Qt::CaseInsensitive))
        LoadFromResourceName(HInstance, URL.mid(6));
    else if (URL.startsWith(QLatin1String("FILE://"), Qt::CaseInsensitive))
        LoadFromFile(URL.mid(7));
}

void TGDIPPicture::ReadData(TStream* Stream) {
    if (!Stream) return;
    storeBytes(Stream);
    FIsEmpty = false;
}

void TGDIPPicture::WriteData(TStream* Stream) { SaveToStream(Stream); }

void TGDIPPicture::SaveToStream(TStream* Stream) {
    if (!Stream) return;
    FDatastream->SaveToStream(Stream);
}

bool TGDIPPicture::GetImageSizes() {
    if (FIsEmpty || FDatastream->Size() == 0) return false;
    TDecodedPicture Picture(FDatastream.get());
    // Undecodable bytes keep the previous size.
    if (!Picture.Decoded()) return false;
    FWidth = Picture.Size().cx;
    FHeight = Picture.Size().cy;
    return true;
}

void TGDIPPicture::DrawImage(TGPGraphics* Graphics, int X, int Y) {
    if (FIsEmpty || !Graphics || FDatastream->Size() == 0) return;
    TDecodedPicture Picture(FDatastream.get());
    Graphics->DrawImage(Picture.Image(), X, Y);
}

void TGDIPPicture::DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H) {
    if (FIsEmpty || !Graphics || FDatastream->Size() == 0) return;
    TDecodedPicture Picture(FDatastream.get());
    Graphics->DrawImageRect(Picture.Image(), X, Y, W, H);
}

void TGDIPPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (FIsEmpty || FDatastream->Size() == 0 || !ACanvas) return;
    const TSize Size = DrawPictureBytes(FDatastream.get(), ACanvas, Rect, FAngle, FTransparentBitmap);
    if (Size.cx > 0 && Size.cy > 0) {
        FWidth = Size.cx;
        FHeight = Size.cy;
    }
}

void TGDIPPicture::Assign(TPersistent* Source) {
    if (Source == this) return;
    FIsEmpty = true;
    if (!Source) {
        FDatastream->Clear();
        fireChange();
        if (OnClear) OnClear(this);
        return;
    }
    if (auto* Other = dynamic_cast<TGDIPPicture*>(Source)) {
        Other->FDatastream->SetPosition(0);
        storeBytes(Other->FDatastream.get());
        Other->FDatastream->SetPosition(0);
        FIsEmpty = FDatastream->Size() == 0;
    } else if (auto* Picture = dynamic_cast<TPicture*>(Source)) {
        TMemoryStream Temp;
        Picture->SaveToStream(&Temp);
        Temp.SetPosition(0);
        storeBytes(&Temp);
        FIsEmpty = false;
    } else if (auto* Bitmap = dynamic_cast<TBitmap*>(Source)) {
        TMemoryStream Temp;
        if (!Bitmap->Empty()) Bitmap->SaveToStream(&Temp);
        Temp.SetPosition(0);
        storeBytes(&Temp);
        FIsEmpty = FDatastream->Size() == 0;
    } else if (auto* Graphic = dynamic_cast<TGraphic*>(Source)) {
        TMemoryStream Temp;
        Graphic->SaveToStream(&Temp);
        Temp.SetPosition(0);
        storeBytes(&Temp);
        FIsEmpty = false;
    } else {
        // Not a picture: stays marked empty, the bytes as they were.
        GetImageSizes();
        return;
    }
    fireChange();
    GetImageSizes();
}
