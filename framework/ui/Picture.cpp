// Codec graphics (icon, PNG, JPEG, GIF) and TPicture with its class registry.
#include "framework/ui/Picture.h"

#include "framework/ui/DeviceContext.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <mutex>
#include <typeinfo>
#include <vector>

struct TCodecImage {
    QImage Image;
    QByteArray Bytes;  // as loaded; empty when the pixels were made here
};

namespace {

QByteArray toByteArray(const TBytes& Bytes) {
    return QByteArray(reinterpret_cast<const char*>(Bytes.data()), static_cast<qsizetype>(Bytes.size()));
}

// Icons hold several sizes: show the largest.
QImage decodeImage(const QByteArray& Bytes, const char* Format) {
    QBuffer Buffer;
    Buffer.setData(Bytes);
    Buffer.open(QIODevice::ReadOnly);
    QImageReader Reader(&Buffer, Format);
    QImage Best;
    do {
        QImage Frame = Reader.read();
        if (Frame.isNull()) break;
        if (Best.isNull() || Frame.width() * Frame.height() > Best.width() * Best.height()) Best = std::move(Frame);
    } while (qstrcmp(Format, "ICO") == 0 && Reader.jumpToNextImage());
    return Best;
}

// Draws any graphic into a transparent image of its size.
QImage renderGraphic(TGraphic* G) {
    if (G->Empty() || G->Width() <= 0 || G->Height() <= 0) return {};
    QImage Image(G->Width(), G->Height(), QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    HDC DC = CreateImageDC(&Image);
    {
        TCanvas Canvas;
        Canvas.SetHandle(DC);
        G->Draw(&Canvas, Bounds(0, 0, G->Width(), G->Height()));
        Canvas.SetHandle(nullptr);
    }
    DeleteDC(DC);
    return Image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCodecGraphic

TCodecGraphic::TCodecGraphic(const char* Format, const char* Kind)
    : FImage(std::make_unique<TCodecImage>()), FFormat(Format), FKind(Kind) {}

TCodecGraphic::~TCodecGraphic() = default;

int TCodecGraphic::Width() const { return FImage->Image.width(); }
int TCodecGraphic::Height() const { return FImage->Image.height(); }
bool TCodecGraphic::Empty() const { return FImage->Image.isNull(); }

void TCodecGraphic::SetWidth(int Value) {
    Value = std::max(0, Value);
    if (Value == Width()) return;
    FImage->Image = Value && Height() ? FImage->Image.copy(0, 0, Value, Height()) : QImage();
    FImage->Bytes.clear();
    Changed();
}

void TCodecGraphic::SetHeight(int Value) {
    Value = std::max(0, Value);
    if (Value == Height()) return;
    FImage->Image = Value && Width() ? FImage->Image.copy(0, 0, Width(), Value) : QImage();
    FImage->Bytes.clear();
    Changed();
}

void TCodecGraphic::Draw(TCanvas* Canvas, const TRect& Rect) {
    if (!Canvas || Empty()) return;
    DCDrawImage(Canvas->Handle(), Rect, FImage->Image, FImage->Image.rect(), true);
}

void TCodecGraphic::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    const QByteArray Bytes = toByteArray(Stream->ReadToEnd());
    QImage Decoded = decodeImage(Bytes, FFormat);
    if (Decoded.isNull()) throw EInvalidGraphic(QStringLiteral("%1 image is not valid").arg(QLatin1String(FKind)));
    if (Decoded.format() != QImage::Format_ARGB32 && Decoded.format() != QImage::Format_RGB32)
        Decoded = Decoded.convertToFormat(Decoded.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    FImage->Image = std::move(Decoded);
    FImage->Bytes = Bytes;
    Changed();
}

void TCodecGraphic::SaveToStream(TStream* Stream) {
    if (!Stream || Empty()) return;
    if (!FImage->Bytes.isEmpty()) {
        Stream->WriteBuffer(FImage->Bytes.constData(), FImage->Bytes.size());
        return;
    }
    encode(Stream);
}

void TCodecGraphic::encode(TStream* Stream) {
    QByteArray Data;
    QBuffer Buffer(&Data);
    Buffer.open(QIODevice::WriteOnly);
    QImageWriter Writer(&Buffer, FFormat);
    if (FQuality > 0) Writer.setQuality(FQuality);
    // JPEG has no alpha: flatten onto white, as the pixels would show on a window.
    QImage Source = FImage->Image;
    if (qstrcmp(FFormat, "JPEG") == 0 && Source.hasAlphaChannel()) {
        QImage Flat(Source.size(), QImage::Format_RGB32);
        Flat.fill(Qt::white);
        QPainter(&Flat).drawImage(0, 0, Source);
        Source = Flat;
    }
    if (!Writer.write(Source))
        throw EInvalidGraphicOperation(
            QStringLiteral("Cannot encode the %1 image: %2").arg(QLatin1String(FKind), Writer.errorString()));
    Stream->WriteBuffer(Data.constData(), Data.size());
}

void TCodecGraphic::Assign(TPersistent* Source) {
    if (Source == this) return;
    if (!Source) {
        FImage->Image = QImage();
        FImage->Bytes.clear();
        Changed();
        return;
    }
    if (auto* Same = dynamic_cast<TCodecGraphic*>(Source); Same && typeid(*Same) == typeid(*this)) {
        *FImage = *Same->FImage;
        FQuality = Same->FQuality;
        SetTransparent(Same->Transparent());
        Changed();
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        QImage Rendered = renderGraphic(G);
        FImage->Image = std::move(Rendered);
        FImage->Bytes.clear();
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

TIcon::TIcon() : TCodecGraphic("ICO", "Icon") {}

TPngImage::TPngImage() : TCodecGraphic("PNG", "PNG") {}

TJPEGImage::TJPEGImage() : TCodecGraphic("JPEG", "JPEG") { setQuality(90); }

void TJPEGImage::SetCompressionQuality(int Value) {
    Value = std::clamp(Value, 1, 100);
    if (Value == quality()) return;
    setQuality(Value);
}

TGIFImage::TGIFImage() : TCodecGraphic("GIF", "GIF") {}

void TGIFImage::encode(TStream*) {
    throw EInvalidGraphicOperation(QStringLiteral("GIF images can only be saved as they were loaded"));
}

// ---------------------------------------------------------------------------------------------
// The graphic class registry

namespace {

struct FileFormat {
    String Extension;  // lower case, no dot
    String Description;
    TGraphicClass GraphicClass;
};

struct FileFormats {
    std::mutex Lock;
    std::vector<FileFormat> Items;
};

FileFormats& fileFormats() {
    static FileFormats Formats{
        {},
        {
            {QStringLiteral("bmp"), QStringLiteral("Bitmaps"), &CreateGraphic<TBitmap>},
            {QStringLiteral("ico"), QStringLiteral("Icons"), &CreateGraphic<TIcon>},
            {QStringLiteral("png"), QStringLiteral("Portable Network Graphics"), &CreateGraphic<TPngImage>},
            {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"), &CreateGraphic<TJPEGImage>},
            {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"), &CreateGraphic<TJPEGImage>},
            {QStringLiteral("jpe"), QStringLiteral("JPEG Image File"), &CreateGraphic<TJPEGImage>},
            {QStringLiteral("gif"), QStringLiteral("GIF Image"), &CreateGraphic<TGIFImage>},
        }};
    return Formats;
}

String normalExtension(String Extension) {
    if (Extension.startsWith(QLatin1Char('.'))) Extension.remove(0, 1);
    return Extension.toLower();
}

// The registered class that makes graphics of Value's own class.
TGraphicClass classOfGraphic(const TGraphic* Value) {
    FileFormats& F = fileFormats();
    std::vector<TGraphicClass> Classes;
    {
        std::lock_guard Guard(F.Lock);
        for (const FileFormat& Item : F.Items) Classes.push_back(Item.GraphicClass);
    }
    for (TGraphicClass Class : Classes) {
        const std::unique_ptr<TGraphic> Sample(Class());
        const TGraphic& S = *Sample;
        if (typeid(S) == typeid(*Value)) return Class;
    }
    return nullptr;
}

// The extension the first bytes announce, "" when none.
String extensionOfContent(const QByteArray& Head) {
    if (Head.startsWith("BM")) return QStringLiteral("bmp");
    if (Head.startsWith("\x89PNG\r\n\x1a\n")) return QStringLiteral("png");
    if (Head.startsWith("\xFF\xD8")) return QStringLiteral("jpg");
    if (Head.startsWith("GIF8")) return QStringLiteral("gif");
    if (Head.size() >= 4 && Head.startsWith(QByteArray("\0\0\1\0", 4))) return QStringLiteral("ico");
    return {};
}

}  // namespace

void TPicture::RegisterFileFormat(const String& AExtension, const String& ADescription, TGraphicClass AGraphicClass) {
    const String Extension = normalExtension(AExtension);
    if (Extension.isEmpty() || !AGraphicClass)
        throw EArgumentException(QStringLiteral("A picture file format needs an extension and a graphic class"));
    FileFormats& F = fileFormats();
    std::lock_guard Guard(F.Lock);
    for (FileFormat& Item : F.Items)
        if (Item.Extension == Extension) {
            Item.Description = ADescription;
            Item.GraphicClass = AGraphicClass;
            return;
        }
    F.Items.push_back({Extension, ADescription, AGraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass) {
    FileFormats& F = fileFormats();
    std::lock_guard Guard(F.Lock);
    std::erase_if(F.Items, [AClass](const FileFormat& Item) { return Item.GraphicClass == AClass; });
}

TGraphicClass TPicture::GraphicClassOfExtension(const String& AExtension) {
    const String Extension = normalExtension(AExtension);
    FileFormats& F = fileFormats();
    std::lock_guard Guard(F.Lock);
    for (const FileFormat& Item : F.Items)
        if (Item.Extension == Extension) return Item.GraphicClass;
    return nullptr;
}

String TPicture::GraphicFilter() {
    FileFormats& F = fileFormats();
    std::lock_guard Guard(F.Lock);
    QStringList Parts;
    for (const FileFormat& Item : F.Items)
        Parts << QStringLiteral("%1 (*.%2)|*.%2").arg(Item.Description, Item.Extension);
    return Parts.join(QLatin1Char('|'));
}

// ---------------------------------------------------------------------------------------------
// TPicture

TPicture::TPicture() = default;

TPicture::~TPicture() {
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::changed() {
    if (OnChange) OnChange(this);
}

void TPicture::takeGraphic(std::unique_ptr<TGraphic> Value) {
    if (FGraphic) FGraphic->OnChange = nullptr;
    FGraphic = std::move(Value);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { changed(); };
    changed();
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (Value == FGraphic.get()) return;
    if (!Value) {
        takeGraphic(nullptr);
        return;
    }
    // A class nobody registered becomes a bitmap, which every graphic can be drawn into.
    TGraphicClass Class = classOfGraphic(Value);
    std::unique_ptr<TGraphic> Copy(Class ? Class() : new TBitmap());
    Copy->Assign(Value);
    takeGraphic(std::move(Copy));
}

TBitmap* TPicture::Bitmap() {
    if (auto* B = dynamic_cast<TBitmap*>(FGraphic.get())) return B;
    auto New = std::make_unique<TBitmap>();
    if (FGraphic) New->Assign(FGraphic.get());
    takeGraphic(std::move(New));
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon() {
    if (auto* I = dynamic_cast<TIcon*>(FGraphic.get())) return I;
    auto New = std::make_unique<TIcon>();
    if (FGraphic) New->Assign(FGraphic.get());
    takeGraphic(std::move(New));
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::LoadFromFile(const String& FileName) {
    const String Extension = QFileInfo(FileName).suffix();
    TGraphicClass Class = GraphicClassOfExtension(Extension);
    if (!Class) throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(Extension));
    // Loaded aside, so a failure leaves the current picture alone.
    std::unique_ptr<TGraphic> Loaded(Class());
    Loaded->LoadFromFile(FileName);
    takeGraphic(std::move(Loaded));
}

void TPicture::SaveToFile(const String& FileName) {
    if (!FGraphic) throw EInvalidGraphic(QStringLiteral("Cannot save an empty picture to \"%1\"").arg(FileName));
    FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
    if (!Stream) return;
    const Int64 Start = Stream->Position();
    QByteArray Head(8, '\0');
    Head.resize(static_cast<qsizetype>(Stream->Read(Head.data(), Head.size())));
    Stream->SetPosition(Start);
    TGraphicClass Class = GraphicClassOfExtension(extensionOfContent(Head));
    if (!Class) throw EInvalidGraphic(QStringLiteral("Unknown picture format"));
    std::unique_ptr<TGraphic> Loaded(Class());
    Loaded->LoadFromStream(Stream);
    takeGraphic(std::move(Loaded));
}

void TPicture::SaveToStream(TStream* Stream) {
    if (FGraphic && Stream) FGraphic->SaveToStream(Stream);
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* P = dynamic_cast<TPicture*>(Source)) {
        if (P != this) SetGraphic(P->Graphic());
        return;
    }
    if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(G);
        return;
    }
    TPersistent::Assign(Source);
}
