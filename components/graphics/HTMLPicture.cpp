// THTMLPicture, its GIF frame scanning and animation, and THTMLPictureCache.
#include "components/graphics/HTMLPicture.h"

#include "components/graphics/GDIPicture.h"
#include "framework/rtl/Files.h"

#include <cstring>

namespace {

constexpr int kTickHundredths = 10;  // one animation tick is 100 ms

Word wordAt(const Byte* P) { return static_cast<Word>(P[0] | (P[1] << 8)); }

// A graphic control extension directly followed by an image descriptor starts a frame.
bool isFrameStart(const Byte* Data, Int64 Size, Int64 Pos) {
    return Data[Pos] == 0x21 && Pos + 9 < Size && Data[Pos + 1] == 0xF9 && Data[Pos + 2] == 4 && Data[Pos + 8] == 0x2C;
}

struct FrameInfo {
    Byte Packed = 0;
    Word Delay = 0;
    Word Left = 0, Top = 0, Width = 0, Height = 0;
};

// Visits the frame starts in order, numbered from 1, until Visit returns false.
template <class F>
void scanFrames(TMemoryStream* Data, F Visit) {
    const auto* Bytes = static_cast<const Byte*>(Data->Memory());
    const Int64 Size = Data->Size();
    int Number = 0;
    for (Int64 Pos = 0; Pos < Size; ++Pos) {
        if (!isFrameStart(Bytes, Size, Pos)) continue;
        FrameInfo Info;
        Info.Packed = Bytes[Pos + 3];
        Info.Delay = wordAt(Bytes + Pos + 4);
        // The descriptor's fields run to Pos + 16; a truncated one reads as zero.
        Word Fields[4] = {0, 0, 0, 0};
        for (int I = 0; I < 4; ++I)
            if (Pos + 10 + 2 * I < Size) Fields[I] = wordAt(Bytes + Pos + 9 + 2 * I);
        Info.Left = Fields[0];
        Info.Top = Fields[1];
        Info.Width = Fields[2];
        Info.Height = Fields[3];
        if (!Visit(++Number, Info)) break;
    }
    Data->SetPosition(0);
}

}  // namespace

THTMLPicture::THTMLPicture() : FDatastream(std::make_unique<TMemoryStream>()) {}

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::fireChange() {
    if (OnChange) OnChange(this);
}

bool THTMLPicture::IsGIF() const {
    return FDatastream->Size() >= 5 && std::memcmp(FDatastream->Memory(), "GIF8", 4) == 0;
}

int THTMLPicture::FrameCount() {
    if (FFrameCount != -1) return FFrameCount;
    if (!IsGIF()) return -1;
    int Count = 0;
    scanFrames(FDatastream.get(), [&Count](int, const FrameInfo&) {
        ++Count;
        return true;
    });
    FFrameCount = Count;
    return FFrameCount;
}

int THTMLPicture::GetFrameTime(int i) {
    if (!IsGIF()) return -1;
    int Result = -1;
    scanFrames(FDatastream.get(), [&](int Number, const FrameInfo& Info) {
        if (Number != i) return true;
        Result = Info.Delay;
        FFrameTransp = (Info.Packed & 0x01) != 0;
        FFrameDisposal = (Info.Packed >> 2) & 0x07;
        return false;
    });
    return Result;
}

void THTMLPicture::LoadPicture() {
    if (FDatastream->Size() == 0) return;
    FWidth = 0;
    FHeight = 0;
    FFrameXPos = FFrameYPos = 0;
    FAnimMaxX = FAnimMaxY = 0;
    if (IsGIF() && FrameCount() > 0) {
        const auto* Bytes = static_cast<const Byte*>(FDatastream->Memory());
        if (FDatastream->Size() >= 10) {
            FAnimMaxX = wordAt(Bytes + 6);
            FAnimMaxY = wordAt(Bytes + 8);
        }
        scanFrames(FDatastream.get(), [this](int Number, const FrameInfo& Info) {
            if (Number != FFrame) return true;
            FFrameXPos = Info.Left;
            FFrameYPos = Info.Top;
            FFrameXSize = Info.Width;
            FFrameYSize = Info.Height;
            return false;
        });
    }
    const TSize Size = MeasurePictureBytes(FDatastream.get());
    FWidth = Size.cx;
    FHeight = Size.cy;
}

void THTMLPicture::storeBytes(TStream* Stream) {
    const TBytes Bytes = Stream->ReadToEnd();
    FDatastream->Clear();
    if (!Bytes.empty()) FDatastream->WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    FDatastream->SetPosition(0);
    FIsEmpty = false;
    FFrameCount = -1;
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    storeBytes(Stream);
    LoadPicture();
    fireChange();
}

void THTMLPicture::ReadData(TStream* Stream) {
    if (!Stream) return;
    storeBytes(Stream);
    LoadPicture();
}

void THTMLPicture::WriteData(TStream* Stream) { SaveToStream(Stream); }

void THTMLPicture::SaveToStream(TStream* Stream) {
    if (!Stream) return;
    FDatastream->SaveToStream(Stream);
}

void THTMLPicture::LoadFromFile(const String& FileName) {
    try {
        TMemoryStream File;
        File.LoadFromFile(FileName);
        storeBytes(&File);
        LoadPicture();
        fireChange();
    } catch (const Exception&) {
        FIsEmpty = true;
    }
}

void THTMLPicture::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
    if (!FindResource(Instance, ResName, RT_RCDATA)) return;
    TResourceStream Stream(Instance, ResName, RT_RCDATA);
    LoadFromStream(&Stream);
}

void THTMLPicture::LoadFromResourceID(HINSTANCE Instance, int ResID) {
    std::unique_ptr<TResourceStream> Stream(TResourceStream::CreateFromID(Instance, ResID, RT_RCDATA));
    LoadFromStream(Stream.get());
}

void THTMLPicture::LoadFromURL(const String& url) {
    if (url.startsWith(QLatin1String("RES://"), Qt::CaseInsensitive)) {
        FID = url;
        LoadFromResourceName(HInstance, url.mid(6));
        return;
    }
    if (url.startsWith(QLatin1String("FILE://"), Qt::CaseInsensitive)) {
        FID = url;
        // Addresses may come upper-cased (the grid's renderer reads them so): match names in any case.
        LoadFromFile(ResolvePathIgnoringCase(url.mid(7)));
        return;
    }
    if (!FAsynch) {
        FURL = url;
        FID = url;
        return;
    }
    if (FThreadBusy) return;
    // The download would run on a TDownLoadThread, which does nothing: the picture stays empty
    // and busy, and no address is ever fetched.
    FURL = url;
    FThreadBusy = true;
}

void THTMLPicture::SetFrame(int Value) {
    FFrame = Value;
    if (FDatastream->Size() > 0) {
        LoadPicture();
        if (OnFrameChange) OnFrameChange(this);
    }
}

void THTMLPicture::FrameNext() {
    if (FFrame < FFrameCount)
        ++FFrame;
    else
        FFrame = 1;
}

void THTMLPicture::FramePrev() {
    if (FFrame > 1)
        --FFrame;
    else
        FFrame = FFrameCount;
}

bool THTMLPicture::Step() {
    if (FFrameCount < 2 || FIsEmpty) return false;
    if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
    if (FTimerCount * kTickHundredths < FNextCount) {
        ++FTimerCount;
        return false;
    }
    FrameNext();
    LoadPicture();
    FNextCount += GetFrameTime(FFrame);
    ++FTimerCount;
    return true;
}

void THTMLPicture::Assign(TPersistent* Source) {
    FIsEmpty = true;
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    SetFrame(1);
    if (!Source) {
        FDatastream->Clear();
        return;
    }
    if (auto* Other = dynamic_cast<THTMLPicture*>(Source)) {
        if (Other == this) {
            FIsEmpty = FDatastream->Size() == 0;
            return;
        }
        FStretched = Other->FStretched;
        FFrame = Other->FFrame;
        FID = Other->FID;
        Other->FDatastream->SetPosition(0);
        storeBytes(Other->FDatastream.get());
        Other->FDatastream->SetPosition(0);
        LoadPicture();
        fireChange();
        // Then loaded once more through its stream below, as any graphic is.
    }
    if (auto* Picture = dynamic_cast<TPicture*>(Source)) {
        TMemoryStream Temp;
        Picture->SaveToStream(&Temp);
        Temp.SetPosition(0);
        LoadFromStream(&Temp);
        return;
    }
    if (auto* Graphic = dynamic_cast<TGraphic*>(Source)) {
        TMemoryStream Temp;
        Graphic->SaveToStream(&Temp);
        Temp.SetPosition(0);
        LoadFromStream(&Temp);
        return;
    }
    TGraphic::Assign(Source);
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (FIsEmpty || FDatastream->Size() == 0 || !ACanvas) return;
    TRect Target = Rect;
    // Frames come composed as they appear on the GIF's screen; Rect starts at the frame's offset.
    if (!FStretched && FrameCount() > 1)
        Target = Bounds(Rect.Left - FFrameXPos, Rect.Top - FFrameYPos, FWidth, FHeight);
    DrawPictureBytes(FDatastream.get(), ACanvas, Target, 0, true, FFrame - 1);
}

// ---------------------------------------------------------------------------------------------

TDownLoadThread::TDownLoadThread(THTMLPicture* aHTMLPicture) : TThread(true), HTMLPicture(aHTMLPicture) {
    SetFreeOnTerminate(true);
}

// ---------------------------------------------------------------------------------------------

THTMLPictureCache::~THTMLPictureCache() { ClearPictures(); }

THTMLPicture* THTMLPictureCache::AddPicture() {
    auto* Picture = new THTMLPicture();
    Add(Picture);
    return Picture;
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const {
    for (int I = 0; I < Count(); ++I)
        if (Items(I)->ID() == ID) return Items(I);
    return nullptr;
}

void THTMLPictureCache::ClearPictures() {
    for (int I = 0; I < Count(); ++I) delete Items(I);
    Clear();
}

bool THTMLPictureCache::Animate() {
    bool Changed = false;
    for (int I = 0; I < Count(); ++I)
        if (Items(I)->Step()) Changed = true;
    return Changed;
}
