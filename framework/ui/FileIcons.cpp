// File-type icons: the MIME type of a name by its extension, its icon from the icon theme, and
// our own drawn document and folder icons where the theme has nothing (as on a bare machine).
#include "framework/ui/FileIcons.h"

#include "framework/ui/DeviceContext.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <map>
#include <mutex>
#include <set>

struct TIconHandle {
    QImage Image;  // ARGB32
};

namespace {

std::mutex& iconLock() {
    static std::mutex Lock;
    return Lock;
}

std::set<const TIconHandle*>& liveIcons() {
    static std::set<const TIconHandle*> Icons;
    return Icons;
}

bool isLiveIcon(HICON Icon) {
    std::lock_guard<std::mutex> Guard(iconLock());
    return Icon && liveIcons().count(Icon) != 0;
}

HICON makeIcon(QImage Image) {
    auto* H = new TIconHandle{Image.convertToFormat(QImage::Format_ARGB32)};
    std::lock_guard<std::mutex> Guard(iconLock());
    liveIcons().insert(H);
    return H;
}

// A sheet of paper with its top-right corner folded, or a folder.
QImage drawnIcon(int Size, bool Folder) {
    QImage Image(Size, Size, QImage::Format_ARGB32);
    Image.fill(0);
    QPainter P(&Image);
    P.setRenderHint(QPainter::Antialiasing, true);
    const double S = Size;
    P.setPen(QPen(QColor(96, 96, 96), std::max(1.0, S / 16)));
    if (Folder) {
        QPainterPath Path;
        Path.moveTo(S * 0.06, S * 0.22);
        Path.lineTo(S * 0.40, S * 0.22);
        Path.lineTo(S * 0.48, S * 0.32);
        Path.lineTo(S * 0.94, S * 0.32);
        Path.lineTo(S * 0.94, S * 0.84);
        Path.lineTo(S * 0.06, S * 0.84);
        Path.closeSubpath();
        P.setBrush(QColor(240, 200, 90));
        P.drawPath(Path);
        return Image;
    }
    const double L = S * 0.19, R = S * 0.81, T = S * 0.06, B = S * 0.94, Fold = S * 0.25;
    QPainterPath Page;
    Page.moveTo(L, T);
    Page.lineTo(R - Fold, T);
    Page.lineTo(R, T + Fold);
    Page.lineTo(R, B);
    Page.lineTo(L, B);
    Page.closeSubpath();
    P.setBrush(Qt::white);
    P.drawPath(Page);
    QPainterPath Corner;
    Corner.moveTo(R - Fold, T);
    Corner.lineTo(R - Fold, T + Fold);
    Corner.lineTo(R, T + Fold);
    P.setBrush(QColor(210, 210, 210));
    P.drawPath(Corner);
    return Image;
}

enum class TIconKind { Document, Folder, Typed };

struct TIconKey {
    TIconKind Kind;
    String Mime;  // for Typed
};

// What an icon stands for: an existing folder, a known type, or a plain document.
TIconKey keyOf(const String& PathOrExtension, bool UseExtensionOnly) {
    if (PathOrExtension.isEmpty()) return {TIconKind::Document, {}};
    if (!UseExtensionOnly && QFileInfo(PathOrExtension).isDir()) return {TIconKind::Folder, {}};
    String Name = PathOrExtension;
    // A bare extension ("mp4" or ".mp4") names the type directly.
    if (!Name.contains(QLatin1Char('/')) && !Name.contains(QLatin1Char('\\')) &&
        (Name.startsWith(QLatin1Char('.')) || !Name.contains(QLatin1Char('.'))))
        Name = QStringLiteral("file.") + (Name.startsWith(QLatin1Char('.')) ? Name.mid(1) : Name);
    Name = Name.mid(std::max(Name.lastIndexOf(QLatin1Char('/')), Name.lastIndexOf(QLatin1Char('\\'))) + 1);
    static const QMimeDatabase Database;
    const QMimeType Type = Database.mimeTypeForFile(Name, QMimeDatabase::MatchExtension);
    if (!Type.isValid() || Type.isDefault()) return {TIconKind::Document, {}};
    return {TIconKind::Typed, Type.name()};
}

QImage iconImage(const TIconKey& Key, int Size) {
    Size = std::max(1, Size);
    if (Key.Kind == TIconKind::Folder) {
        const QIcon Themed = QIcon::fromTheme(QStringLiteral("folder"));
        if (!Themed.isNull()) return Themed.pixmap(Size, Size).toImage().scaled(Size, Size);
        return drawnIcon(Size, true);
    }
    if (Key.Kind == TIconKind::Typed) {
        static const QMimeDatabase Database;
        const QMimeType Type = Database.mimeTypeForName(Key.Mime);
        for (const String& Name : {Type.iconName(), Type.genericIconName()}) {
            const QIcon Themed = QIcon::fromTheme(Name);
            if (!Themed.isNull()) return Themed.pixmap(Size, Size).toImage().scaled(Size, Size);
        }
    }
    return drawnIcon(Size, false);
}

// The two shared lists and the index of each kind of icon in them.
struct TFileIconCache {
    std::unique_ptr<TCustomImageList> Small{new TCustomImageList(nullptr, 16, 16)};
    std::unique_ptr<TCustomImageList> Large{new TCustomImageList(nullptr, 32, 32)};
    std::map<String, int> Indexes;
};

std::mutex& cacheLock() {
    static std::mutex Lock;
    return Lock;
}

TFileIconCache& cache() {
    static TFileIconCache Cache;
    return Cache;
}

void addImage(TCustomImageList* List, const QImage& Image) {
    TBitmap B;
    B.SetPixelFormat(pf32bit);
    B.SetSize(Image.width(), Image.height());
    *BitmapQImage(&B) = Image.convertToFormat(QImage::Format_ARGB32);
    List->Add(&B, nullptr);
}

}  // namespace

HICON FileTypeIcon(const String& FileNameOrExtension, int Size) {
    return makeIcon(iconImage(keyOf(FileNameOrExtension, false), Size));
}

HICON GenericFileIcon(int Size, bool Folder) { return makeIcon(drawnIcon(std::max(1, Size), Folder)); }

BOOL DestroyIcon(HICON Icon) {
    {
        std::lock_guard<std::mutex> Guard(iconLock());
        if (!Icon || liveIcons().erase(Icon) == 0) return 0;
    }
    delete Icon;
    return 1;
}

TSize IconSize(HICON Icon) {
    if (!isLiveIcon(Icon)) return {0, 0};
    return {Icon->Image.width(), Icon->Image.height()};
}

BOOL DrawIconEx(HDC DC, int X, int Y, HICON Icon, int Width, int Height, UINT StepIfAniCur, HBRUSH FlickerFreeDraw,
                UINT Flags) {
    if (!DC || !isLiveIcon(Icon)) return 0;
    const QImage& Image = Icon->Image;
    const int W = Width > 0 ? Width : Image.width();
    const int H = Height > 0 ? Height : Image.height();
    if ((Flags & DI_NORMAL) == DI_MASK) {
        // The mask alone: black where the icon is opaque.
        QImage Mask(Image.size(), QImage::Format_ARGB32);
        for (int Row = 0; Row < Image.height(); ++Row)
            for (int Col = 0; Col < Image.width(); ++Col)
                Mask.setPixel(Col, Row, qAlpha(Image.pixel(Col, Row)) != 0 ? 0xFF000000u : 0xFFFFFFFFu);
        DCDrawImage(DC, Bounds(X, Y, W, H), Mask, Mask.rect(), false);
        return 1;
    }
    DCDrawImage(DC, Bounds(X, Y, W, H), Image, Image.rect(), true);
    return 1;
}

BOOL DrawIcon(HDC DC, int X, int Y, HICON Icon) { return DrawIconEx(DC, X, Y, Icon, 0, 0, 0, nullptr, DI_NORMAL); }

void IconToBitmap(HICON Icon, TBitmap* Bitmap) {
    if (!Bitmap) return;
    if (!isLiveIcon(Icon)) throw EInvalidGraphic(QStringLiteral("Invalid icon handle"));
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(Icon->Image.width(), Icon->Image.height());
    *BitmapQImage(Bitmap) = Icon->Image;
}

void IconToPicture(HICON Icon, TIcon* Picture) {
    if (!Picture) return;
    TBitmap B;
    IconToBitmap(Icon, &B);
    Picture->Assign(&B);
}

TCustomImageList* FileIconImageList(bool Large) {
    std::lock_guard<std::mutex> Guard(cacheLock());
    return Large ? cache().Large.get() : cache().Small.get();
}

int FileIconIndex(const String& PathOrExtension, bool UseExtensionOnly) {
    const TIconKey Key = keyOf(PathOrExtension, UseExtensionOnly);
    const String Name = Key.Kind == TIconKind::Folder     ? QStringLiteral(":folder")
                        : Key.Kind == TIconKind::Document ? QStringLiteral(":document")
                                                          : Key.Mime;
    std::lock_guard<std::mutex> Guard(cacheLock());
    TFileIconCache& C = cache();
    const auto It = C.Indexes.find(Name);
    if (It != C.Indexes.end()) return It->second;
    addImage(C.Small.get(), iconImage(Key, 16));
    addImage(C.Large.get(), iconImage(Key, 32));
    const int Index = C.Small->Count() - 1;
    C.Indexes.emplace(Name, Index);
    return Index;
}
