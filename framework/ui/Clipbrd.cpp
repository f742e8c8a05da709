#include "framework/ui/Clipbrd.h"

#include "framework/rtl/Exceptions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>
#include <QUrl>
#include <mutex>
#include <vector>

namespace {

constexpr UINT kFirstRegisteredFormat = 0xC000;

// Registered names whose content other programs know by a MIME type of their own.
struct KnownFormat {
    const char* Name;
    const char* Mime;
};
constexpr KnownFormat kKnownFormats[] = {
    {"Rich Text Format", "text/rtf"},
    {"HTML Format", "text/html"},
};

struct FormatRegistry {
    std::mutex Lock;
    std::vector<String> Names;  // index + 0xC000 is the id
};
FormatRegistry& registry() {
    static FormatRegistry R;
    return R;
}

String mimeForRegistered(const String& Name) {
    for (const KnownFormat& K : kKnownFormats)
        if (Name.compare(QLatin1String(K.Name), Qt::CaseInsensitive) == 0) return QString::fromLatin1(K.Mime);
    return QStringLiteral("application/x-qvd-format.") + QString::fromLatin1(QUrl::toPercentEncoding(Name));
}

QClipboard* systemClipboard() {
    auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!App) throw EInvalidOperation(QStringLiteral("The clipboard needs the application object"));
    if (QThread::currentThread() != App->thread())
        throw EInvalidOperation(QStringLiteral("The clipboard can only be used on the window thread"));
    return QGuiApplication::clipboard();
}

bool mimeHasFormat(const QMimeData* Data, Word Format) {
    if (!Data) return false;
    switch (Format) {
        case CF_TEXT:
        case CF_UNICODETEXT:
            return Data->hasText();
        case CF_BITMAP:
        case CF_DIB:
            return Data->hasImage();
        case CF_HDROP:
            for (const QUrl& U : Data->urls())
                if (U.isLocalFile()) return true;
            return false;
    }
    const String Name = GetClipboardFormatName(Format);
    return !Name.isEmpty() && Data->hasFormat(mimeForRegistered(Name));
}

}  // namespace

UINT RegisterClipboardFormat(const String& FormatName) {
    if (FormatName.isEmpty()) throw EArgumentException(QStringLiteral("A clipboard format needs a name"));
    FormatRegistry& R = registry();
    std::lock_guard Guard(R.Lock);
    for (std::size_t I = 0; I < R.Names.size(); ++I)
        if (R.Names[I].compare(FormatName, Qt::CaseInsensitive) == 0) return kFirstRegisteredFormat + UINT(I);
    if (R.Names.size() >= 0x4000) throw EOutOfMemory(QStringLiteral("Too many clipboard formats registered"));
    R.Names.push_back(FormatName);
    return kFirstRegisteredFormat + UINT(R.Names.size() - 1);
}

String GetClipboardFormatName(UINT Format) {
    FormatRegistry& R = registry();
    std::lock_guard Guard(R.Lock);
    if (Format < kFirstRegisteredFormat || Format - kFirstRegisteredFormat >= R.Names.size()) return String();
    return R.Names[Format - kFirstRegisteredFormat];
}

// What was written since the outermost Open; nullptr Data until the first write, so reads
// still see the system clipboard until then.
struct TClipboard::Pending {
    std::unique_ptr<QMimeData> Data;
};

TClipboard::TClipboard() : FPending(std::make_unique<Pending>()) {}

TClipboard::~TClipboard() = default;

String TClipboard::AsText() const {
    const QMimeData* Data = FPending->Data ? FPending->Data.get() : systemClipboard()->mimeData();
    return Data && Data->hasText() ? Data->text() : String();
}

void TClipboard::SetAsText(const String& Value) {
    beginWrite();
    FPending->Data->setText(Value);
    endWrite();
}

bool TClipboard::HasFormat(Word Format) const {
    return mimeHasFormat(FPending->Data ? FPending->Data.get() : systemClipboard()->mimeData(), Format);
}

void TClipboard::Clear() {
    Open();
    FPending->Data = std::make_unique<QMimeData>();
    Close();
}

void TClipboard::Open() {
    systemClipboard();  // fails here, not at Close, when used off the window thread
    ++FOpenRefCount;
}

void TClipboard::Close() {
    if (FOpenRefCount == 0) throw EInvalidOperation(QStringLiteral("Clipboard closed more often than opened"));
    if (--FOpenRefCount > 0) return;
    if (FPending->Data) systemClipboard()->setMimeData(FPending->Data.release());
}

// The first write after the outermost Open starts an empty content, as emptying the
// clipboard before filling it does.
void TClipboard::beginWrite() {
    Open();
    if (!FPending->Data) FPending->Data = std::make_unique<QMimeData>();
}

void TClipboard::endWrite() { Close(); }

TClipboard* Clipboard() {
    static std::unique_ptr<TClipboard> Instance = std::make_unique<TClipboard>();
    return Instance.get();
}
