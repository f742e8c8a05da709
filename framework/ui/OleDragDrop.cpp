// OLE-shaped drag and drop on Qt: global blocks, the registry of drop targets, the bridge from
// Qt's drag events to drop targets, the Qt drag behind DoDragDrop, and the synthetic drops.
#include "framework/ui/OleDragDrop.h"

#include "framework/rtl/Encoding.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/ControlWidget.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <cstring>
#include <map>

struct TGlobalBlock {
    std::vector<char> Bytes;
};

HGLOBAL GlobalAlloc(UINT, std::size_t Bytes) {
    auto* B = new TGlobalBlock;
    B->Bytes.assign(Bytes, 0);
    return B;
}

void* GlobalLock(HGLOBAL Block) { return Block ? Block->Bytes.data() : nullptr; }

BOOL GlobalUnlock(HGLOBAL Block) { return Block ? 1 : 0; }

std::size_t GlobalSize(HGLOBAL Block) { return Block ? Block->Bytes.size() : 0; }

HGLOBAL GlobalFree(HGLOBAL Block) {
    delete Block;
    return nullptr;
}

void ReleaseStgMedium(STGMEDIUM* Medium) {
    if (!Medium) return;
    if (Medium->tymed == TYMED_HGLOBAL && !Medium->pUnkForRelease) GlobalFree(Medium->hGlobal);
    *Medium = STGMEDIUM();
}

HRESULT OleInitialize(void*) { return S_OK; }

void OleUninitialize() {}

// ---------------------------------------------------------------------------------------------
// Drop targets

namespace {

std::map<HWND, IDropTarget*>& targets() {
    static std::map<HWND, IDropTarget*> Map;
    return Map;
}

TDragRunner& dragRunner() {
    static TDragRunner Runner;
    return Runner;
}

Word rtfFormat() { return static_cast<Word>(RegisterClipboardFormat(QStringLiteral("Rich Text Format"))); }

HGLOBAL blockOf(const void* Data, std::size_t Bytes) {
    HGLOBAL B = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, Bytes);
    if (Bytes) std::memcpy(GlobalLock(B), Data, Bytes);
    return B;
}

// The formats a drop offers, over fixed contents.
class TFormatList : public IEnumFORMATETC {
public:
    TFormatList(std::vector<FORMATETC> Formats, std::size_t Index = 0) : FFormats(std::move(Formats)), FIndex(Index) {}
    HRESULT Next(ULONG Celt, FORMATETC* Elements, ULONG* Fetched) override {
        ULONG N = 0;
        while (N < Celt && FIndex < FFormats.size()) Elements[N++] = FFormats[FIndex++];
        if (Fetched) *Fetched = N;
        return N == Celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG Celt) override {
        FIndex += Celt;
        if (FIndex <= FFormats.size()) return S_OK;
        FIndex = FFormats.size();
        return S_FALSE;
    }
    HRESULT Reset() override {
        FIndex = 0;
        return S_OK;
    }
    HRESULT Clone(std::unique_ptr<IEnumFORMATETC>& Enum) override {
        Enum = std::make_unique<TFormatList>(FFormats, FIndex);
        return S_OK;
    }

private:
    std::vector<FORMATETC> FFormats;
    std::size_t FIndex;
};

class TContentsDataObject : public IDataObject {
public:
    explicit TContentsDataObject(const TDropContents& Contents) : FContents(Contents) {}

    HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) override {
        Medium = STGMEDIUM();
        if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
        Medium.tymed = TYMED_HGLOBAL;
        if (Format.cfFormat == CF_UNICODETEXT) {
            Medium.hGlobal = blockOf(FContents.Text.utf16(), (FContents.Text.size() + 1) * 2);
        } else if (Format.cfFormat == CF_TEXT) {
            TBytes Bytes = TEncoding::ANSI()->GetBytes(FContents.Text);
            Bytes.push_back(0);
            Medium.hGlobal = blockOf(Bytes.data(), Bytes.size());
        } else if (Format.cfFormat == rtfFormat()) {
            std::vector<Byte> Bytes = FContents.Rtf;
            Bytes.push_back(0);
            Medium.hGlobal = blockOf(Bytes.data(), Bytes.size());
        } else {
            Medium.hGlobal = dropFilesBlock();
        }
        return S_OK;
    }
    HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const FORMATETC& Format) override {
        if (Format.dwAspect != DVASPECT_CONTENT || !(Format.tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        for (const FORMATETC& F : formats())
            if (F.cfFormat == Format.cfFormat) return S_OK;
        return DV_E_FORMATETC;
    }
    HRESULT GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& Out) override {
        Out.ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT SetData(const FORMATETC&, STGMEDIUM&, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD Direction, std::unique_ptr<IEnumFORMATETC>& Enum) override {
        if (Direction != DATADIR_GET) {
            Enum.reset();
            return E_NOTIMPL;
        }
        Enum = std::make_unique<TFormatList>(formats());
        return S_OK;
    }
    HRESULT DAdvise(const FORMATETC&, DWORD, void*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(void** Enum) override {
        if (Enum) *Enum = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    TDropContents FContents;

    std::vector<FORMATETC> formats() const {
        std::vector<FORMATETC> F;
        const auto add = [&F](Word Cf) {
            FORMATETC E;
            E.cfFormat = Cf;
            F.push_back(E);
        };
        if (FContents.HasText) {
            add(CF_UNICODETEXT);
            add(CF_TEXT);
        }
        if (!FContents.Rtf.empty()) add(rtfFormat());
        if (!FContents.Files.empty()) add(CF_HDROP);
        return F;
    }
    HGLOBAL dropFilesBlock() const {
        std::vector<char16_t> Names;
        for (const String& File : FContents.Files) {
            Names.insert(Names.end(), File.utf16(), File.utf16() + File.size());
            Names.push_back(0);
        }
        Names.push_back(0);
        DROPFILES Header;
        Header.pFiles = sizeof(DROPFILES);
        Header.fWide = 1;
        const std::size_t Bytes = sizeof(DROPFILES) + Names.size() * 2;
        HGLOBAL B = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, Bytes);
        auto* P = static_cast<char*>(GlobalLock(B));
        std::memcpy(P, &Header, sizeof(Header));
        std::memcpy(P + sizeof(Header), Names.data(), Names.size() * 2);
        return B;
    }
};

// Reads a format of a data object as bytes; empty when it does not deliver it.
std::vector<char> formatBytes(IDataObject* DataObj, Word Cf) {
    FORMATETC F;
    F.cfFormat = Cf;
    STGMEDIUM M;
    if (DataObj->GetData(F, M) != S_OK) return {};
    const auto* P = static_cast<const char*>(GlobalLock(M.hGlobal));
    std::vector<char> Bytes(P, P + GlobalSize(M.hGlobal));
    ReleaseStgMedium(&M);
    return Bytes;
}

// What a data object offers, as Qt MIME data for a drag.
QMimeData* mimeDataOf(IDataObject* DataObj) {
    auto* Mime = new QMimeData;
    if (const auto U = formatBytes(DataObj, CF_UNICODETEXT); U.size() >= 2) {
        Mime->setText(String::fromUtf16(reinterpret_cast<const char16_t*>(U.data())));
    } else if (const auto A = formatBytes(DataObj, CF_TEXT); !A.empty()) {
        Mime->setText(TEncoding::ANSI()->GetString(TBytes(A.begin(), std::find(A.begin(), A.end(), 0))));
    }
    if (const auto R = formatBytes(DataObj, rtfFormat()); !R.empty())
        Mime->setData(QStringLiteral("text/rtf"), QByteArray(R.data(), static_cast<int>(std::strlen(R.data()))));
    return Mime;
}

TDropContents contentsOf(const QMimeData* Mime) {
    TDropContents C;
    if (Mime->hasText()) {
        C.Text = Mime->text();
        C.HasText = true;
    }
    if (Mime->hasFormat(QStringLiteral("text/rtf"))) {
        const QByteArray R = Mime->data(QStringLiteral("text/rtf"));
        C.Rtf.assign(R.begin(), R.end());
    }
    // A list of addresses: local files become the file list, other links text.
    String Links;
    for (const QUrl& Url : Mime->urls()) {
        if (Url.isLocalFile())
            C.Files.push_back(Url.toLocalFile());
        else
            Links += (Links.isEmpty() ? String() : QStringLiteral("\r\n")) + Url.toString();
    }
    if (!C.HasText && !Links.isEmpty()) {
        C.Text = Links;
        C.HasText = true;
    }
    return C;
}

DWORD keyStateOf(Qt::KeyboardModifiers Mods, Qt::MouseButtons Buttons) {
    DWORD K = 0;
    if (Buttons & Qt::LeftButton) K |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) K |= MK_RBUTTON;
    if (Mods & Qt::ShiftModifier) K |= MK_SHIFT;
    if (Mods & Qt::ControlModifier) K |= MK_CONTROL;
    return K;
}

Qt::DropActions actionsOf(DWORD Effects) {
    Qt::DropActions A;
    if (Effects & DROPEFFECT_COPY) A |= Qt::CopyAction;
    if (Effects & DROPEFFECT_MOVE) A |= Qt::MoveAction;
    if (Effects & DROPEFFECT_LINK) A |= Qt::LinkAction;
    return A;
}

DWORD effectOf(Qt::DropAction Action) {
    switch (Action) {
        case Qt::CopyAction:
            return DROPEFFECT_COPY;
        case Qt::MoveAction:
            return DROPEFFECT_MOVE;
        case Qt::LinkAction:
            return DROPEFFECT_LINK;
        default:
            return DROPEFFECT_NONE;
    }
}

Qt::DropAction actionOf(DWORD Effect) {
    if (Effect & DROPEFFECT_MOVE) return Qt::MoveAction;
    if (Effect & DROPEFFECT_COPY) return Qt::CopyAction;
    if (Effect & DROPEFFECT_LINK) return Qt::LinkAction;
    return Qt::IgnoreAction;
}

// The drag now over a registered window: its data object lives from enter to leave or drop.
struct TActiveDrop {
    HWND Wnd = nullptr;
    std::unique_ptr<IDataObject> Data;
};
TActiveDrop& activeDrop() {
    static TActiveDrop Drop;
    return Drop;
}

HRESULT qtDrag(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD* Effect) {
    QObject Anchor;
    QWidget* From = QApplication::widgetAt(QCursor::pos());
    auto* Drag = new QDrag(From ? static_cast<QObject*>(From) : &Anchor);
    Drag->setMimeData(mimeDataOf(DataObj));
    const Qt::DropAction Done = Drag->exec(actionsOf(OkEffects), Qt::MoveAction);
    const DWORD Result = effectOf(Done);
    if (Source) Source->GiveFeedback(Result);
    if (Effect) *Effect = Result;
    return Result == DROPEFFECT_NONE ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
}

}  // namespace

std::unique_ptr<IDataObject> CreateDropDataObject(const TDropContents& Contents) {
    return std::make_unique<TContentsDataObject>(Contents);
}

HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target) {
    TWinControl* Win = FindControl(Wnd);
    if (!Win || !Target) return DRAGDROP_E_INVALIDHWND;
    if (targets().count(Wnd)) return DRAGDROP_E_ALREADYREGISTERED;
    targets()[Wnd] = Target;
    if (QWidget* W = ControlWidgetOf(Win)) W->setAcceptDrops(true);
    return S_OK;
}

HRESULT RevokeDragDrop(HWND Wnd) {
    auto It = targets().find(Wnd);
    if (It == targets().end()) return DRAGDROP_E_NOTREGISTERED;
    targets().erase(It);
    if (activeDrop().Wnd == Wnd) activeDrop() = TActiveDrop();
    if (TWinControl* Win = FindControl(Wnd))
        if (QWidget* W = ControlWidgetOf(Win)) W->setAcceptDrops(false);
    return S_OK;
}

void ForgetDropTarget(HWND Wnd) {
    targets().erase(Wnd);
    if (activeDrop().Wnd == Wnd) activeDrop() = TActiveDrop();
}

IDropTarget* RegisteredDropTarget(HWND Wnd) {
    auto It = targets().find(Wnd);
    return It == targets().end() ? nullptr : It->second;
}

HRESULT DoDragDrop(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD* Effect) {
    if (Effect) *Effect = DROPEFFECT_NONE;
    if (!DataObj || !Source) return E_INVALIDARG;
    if (const TDragRunner Runner = dragRunner()) return Runner(DataObj, Source, OkEffects, Effect);
    return qtDrag(DataObj, Source, OkEffects, Effect);
}

TDragRunner SetDragRunner(TDragRunner Runner) {
    TDragRunner Old = dragRunner();
    dragRunner() = std::move(Runner);
    return Old;
}

DWORD SimulateDragOver(HWND Wnd, IDataObject* DataObj, DWORD KeyState, const TPoint& ScreenPt) {
    IDropTarget* Target = RegisteredDropTarget(Wnd);
    if (!Target) return DROPEFFECT_NONE;
    const POINTL Pt{ScreenPt.X, ScreenPt.Y};
    DWORD Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    Target->DragEnter(DataObj, KeyState, Pt, &Effect);
    Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    Target->DragOver(KeyState, Pt, &Effect);
    return Effect;
}

void SimulateDragLeave(HWND Wnd) {
    if (IDropTarget* Target = RegisteredDropTarget(Wnd)) Target->DragLeave();
}

DWORD SimulateDrop(HWND Wnd, IDataObject* DataObj, DWORD KeyState, const TPoint& ScreenPt) {
    IDropTarget* Target = RegisteredDropTarget(Wnd);
    if (!Target) return DROPEFFECT_NONE;
    if (SimulateDragOver(Wnd, DataObj, KeyState, ScreenPt) == DROPEFFECT_NONE) {
        Target->DragLeave();
        return DROPEFFECT_NONE;
    }
    DWORD Effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    Target->Drop(DataObj, KeyState, POINTL{ScreenPt.X, ScreenPt.Y}, &Effect);
    return Effect;
}

// ---------------------------------------------------------------------------------------------
// Qt's drag events

bool DeliverDragEvent(TControl* Control, QEvent* Event) {
    auto* Win = dynamic_cast<TWinControl*>(Control);
    if (!Win || !Win->HandleAllocated()) return false;
    const HWND Wnd = Win->Handle();
    IDropTarget* Target = RegisteredDropTarget(Wnd);
    if (!Target) return false;
    TActiveDrop& Active = activeDrop();
    switch (Event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* E = static_cast<QDropEvent*>(Event);
            const QPoint G = ControlWidgetOf(Win)->mapToGlobal(E->position().toPoint());
            const POINTL Pt{G.x(), G.y()};
            const DWORD Keys = keyStateOf(E->modifiers(), E->buttons());
            DWORD Effect =
                effectOf(E->proposedAction()) | (E->possibleActions() & Qt::MoveAction ? DROPEFFECT_MOVE : 0);
            if (Event->type() == QEvent::DragEnter) {
                Active.Wnd = Wnd;
                Active.Data = CreateDropDataObject(contentsOf(E->mimeData()));
                Target->DragEnter(Active.Data.get(), Keys, Pt, &Effect);
            } else if (Event->type() == QEvent::DragMove) {
                Target->DragOver(Keys, Pt, &Effect);
            } else {
                auto Data = Active.Wnd == Wnd && Active.Data ? std::move(Active.Data)
                                                             : CreateDropDataObject(contentsOf(E->mimeData()));
                Active = TActiveDrop();
                Target->Drop(Data.get(), Keys, Pt, &Effect);
            }
            const Qt::DropAction Action = actionOf(Effect);
            if (Action == Qt::IgnoreAction) {
                E->ignore();
            } else {
                E->setDropAction(Action);
                E->accept();
            }
            return true;
        }
        case QEvent::DragLeave:
            Target->DragLeave();
            if (Active.Wnd == Wnd) Active = TActiveDrop();
            return true;
        default:
            return false;
    }
}
