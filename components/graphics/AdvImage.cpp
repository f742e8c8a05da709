// TAdvImage: image bytes decoded by the framework's picture classes, sized in HIMETRIC.
#include "components/graphics/AdvImage.h"

#include "components/graphics/GDIPicture.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/ExtCtrls.h"

#include <new>
#include <stdexcept>

namespace {

constexpr int kHimetricPerInch = 2540;

}  // namespace

TAdvImage::TAdvImage() : FDatastream(std::make_unique<TMemoryStream>()) {}

TAdvImage::~TAdvImage() = default;

void TAdvImage::fireChange() {
    if (OnChange) OnChange(this);
}

int TAdvImage::Width() const { return gpPicture ? MulDiv(FHimetric.cx, FLogPixX, kHimetricPerInch) : 0; }

int TAdvImage::Height() const { return gpPicture ? MulDiv(FHimetric.cy, fLogPixY, kHimetricPerInch) : 0; }

void TAdvImage::storeBytes(TStream* Stream) {
    const TBytes Bytes = Stream->ReadToEnd();
    FDatastream->Clear();
    if (!Bytes.empty()) FDatastream->WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    FDatastream->SetPosition(0);
}

void TAdvImage::LoadPicture() {
    gpPicture.reset();
    FHimetric = {};
    TMemoryStream Copy;
    try {
        Copy.SetSize(FDatastream->Size());
    } catch (const std::bad_alloc&) {
        throw Exception(QStringLiteral("Could not allocate memory for image"));
    } catch (const std::length_error&) {
        throw Exception(QStringLiteral("Could not allocate memory for image"));
    }
    FDatastream->SaveToStream(&Copy);
    Copy.SetPosition(0);
    // No metafile decoder exists on this platform.
    if (SniffPictureFormat(Copy.Memory(), static_cast<std::size_t>(Copy.Size())) == pfMetaFile)
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    auto Decoded = std::make_unique<TPicture>();
    try {
        Decoded->LoadFromStream(&Copy);
    } catch (const EInvalidGraphic&) {
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    }
    if (!Decoded->Graphic() || Decoded->Graphic()->Empty()) throw Exception(QStringLiteral("Could not load image"));
    FHimetric = {MulDiv(Decoded->Width(), kHimetricPerInch, FLogPixX),
                 MulDiv(Decoded->Height(), kHimetricPerInch, fLogPixY)};
    gpPicture = std::move(Decoded);
}

void TAdvImage::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    storeBytes(Stream);
    FIsEmpty = false;
    LoadPicture();
    fireChange();
}

void TAdvImage::ReadData(TStream* Stream) {
    if (!Stream) return;
    storeBytes(Stream);
    FIsEmpty = false;
    LoadPicture();
}

void TAdvImage::WriteData(TStream* Stream) { SaveToStream(Stream); }

void TAdvImage::SaveToStream(TStream* Stream) {
    if (!Stream) return;
    FDatastream->SaveToStream(Stream);
}

void TAdvImage::LoadFromFile(const String& FileName) {
    try {
        TMemoryStream File;
        File.LoadFromFile(FileName);
        storeBytes(&File);
        FIsEmpty = false;
        LoadPicture();
        fireChange();
    } catch (const Exception&) {
        FIsEmpty = true;
        gpPicture.reset();
    }
}

void TAdvImage::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
    TResourceStream Stream(Instance, ResName, RT_RCDATA);
    LoadFromStream(&Stream);
}

void TAdvImage::LoadFromResourceID(HINSTANCE Instance, int ResID) {
    std::unique_ptr<TResourceStream> Stream(TResourceStream::CreateFromID(Instance, ResID, RT_RCDATA));
    LoadFromStream(Stream.get());
}

void TAdvImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (FIsEmpty || !gpPicture || !ACanvas) return;
    // The picture object renders bottom-up with a negative height: the result is upright.
    ACanvas->StretchDraw(Rect, gpPicture->Graphic());
}

void TAdvImage::loadBytesOf(TGraphic* Graphic) {
    TMemoryStream Temp;
    if (Graphic && !Graphic->Empty()) Graphic->SaveToStream(&Temp);
    Temp.SetPosition(0);
    storeBytes(&Temp);
    FIsEmpty = false;
    LoadPicture();
    fireChange();
}

void TAdvImage::Assign(TPersistent* Source) {
    if (Source == this) return;
    FIsEmpty = true;
    gpPicture.reset();
    FHimetric = {};
    if (!Source) {
        FDatastream->Clear();
        fireChange();
        return;
    }
    if (auto* Other = dynamic_cast<TAdvImage*>(Source)) {
        if (Other->FIsEmpty) return;
        Other->FDatastream->SetPosition(0);
        storeBytes(Other->FDatastream.get());
        Other->FDatastream->SetPosition(0);
        FIsEmpty = false;
        LoadPicture();
        fireChange();
    } else if (auto* Image = dynamic_cast<TImage*>(Source)) {
        loadBytesOf(Image->Picture()->Graphic());
    } else if (auto* Graphic = dynamic_cast<TGraphic*>(Source)) {
        loadBytesOf(Graphic);
    } else if (auto* Picture = dynamic_cast<TPicture*>(Source)) {
        loadBytesOf(Picture->Graphic());
    }
}
