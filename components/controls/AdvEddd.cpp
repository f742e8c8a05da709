#include "components/controls/AdvEddd.h"

#include "framework/rtl/Encoding.h"
#include "framework/ui/Clipbrd.h"

#include <cstring>

Word RTFClipboardFormat = 0;
bool RTFExchangeEnabled = false;

DWORD EffectFromKeys(DWORD Keys) { return (Keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE; }

// ---------------------------------------------------------------------------------------------
// TEnumFormats

TEnumFormats::TEnumFormats(IDataObject* DataObject) : FDataObject(DataObject), FFiles(std::make_unique<TStringList>()) {
    enumerate();
    RTFClipboardFormat = static_cast<Word>(RegisterClipboardFormat(QStringLiteral("Rich Text Format")));
}

TEnumFormats::~TEnumFormats() = default;

void TEnumFormats::SetDataObject(IDataObject* Value) {
    FDataObject = Value;
    enumerate();
}

void TEnumFormats::enumerate() {
    FEnumerator.reset();
    if (!FDataObject || FDataObject->EnumFormatEtc(DATADIR_GET, FEnumerator) != S_OK || !FEnumerator)
        throw EAssertionFailed(QStringLiteral("Cannot get the format enumerator"));
    Reset();
}

bool TEnumFormats::Reset() {
    FValid = false;
    FCount = 0;
    return FEnumerator && FEnumerator->Reset() == S_OK;
}

bool TEnumFormats::Next() {
    ++FCount;
    ULONG Fetched = 0;
    FValid = FEnumerator && FEnumerator->Next(1, &FFormatEtc, &Fetched) == S_OK && Fetched == 1;
    return FValid;
}

bool TEnumFormats::HasFormat(Word ClipFormat) {
    Reset();
    while (Next())
        if (FFormatEtc.cfFormat == ClipFormat) return true;
    return false;
}

HGLOBAL TEnumFormats::handle(DWORD Tymed) {
    if (!FValid || !(FFormatEtc.tymed & Tymed)) return nullptr;
    FORMATETC F = FFormatEtc;
    F.tymed = Tymed;
    STGMEDIUM M;
    if (FDataObject->GetData(F, M) != S_OK) return nullptr;
    return M.hGlobal;
}

String TEnumFormats::formatText(Word Cf) {
    if (!HasFormat(Cf)) return {};
    HGLOBAL Block = handle(TYMED_HGLOBAL);
    if (!Block) return {};
    const auto* P = static_cast<const char*>(GlobalLock(Block));
    const std::size_t Size = GlobalSize(Block);
    String Result;
    if (Cf == CF_UNICODETEXT) {
        const auto* W = reinterpret_cast<const char16_t*>(P);
        std::size_t N = 0;
        while (N < Size / 2 && W[N]) ++N;
        Result = String::fromUtf16(W, static_cast<qsizetype>(N));
    } else {
        const std::size_t N = strnlen(P, Size);
        Result = TEncoding::ANSI()->GetString(TBytes(P, P + N));
    }
    GlobalUnlock(Block);
    GlobalFree(Block);
    return Result;
}

String TEnumFormats::Text() { return HasFormat(CF_UNICODETEXT) ? formatText(CF_UNICODETEXT) : formatText(CF_TEXT); }

String TEnumFormats::RTF() { return RTFClipboardFormat ? formatText(RTFClipboardFormat) : String(); }

bool TEnumFormats::ReadFiles() {
    FFiles->Clear();
    if (!HasFile()) return false;
    HGLOBAL Block = handle(TYMED_HGLOBAL);
    if (!Block) return false;
    const auto* P = static_cast<const char*>(GlobalLock(Block));
    const std::size_t Size = GlobalSize(Block);
    if (Size >= sizeof(DROPFILES)) {
        DROPFILES Header;
        std::memcpy(&Header, P, sizeof(Header));
        std::size_t At = Header.pFiles & ~DWORD(1);
        // Names until an empty one, never past the block.
        while (At < Size) {
            String Name;
            if (Header.fWide) {
                std::size_t End = At;
                while (End + 1 < Size && (P[End] || P[End + 1])) End += 2;
                Name = String::fromUtf16(reinterpret_cast<const char16_t*>(P + At),
                                         static_cast<qsizetype>((End - At) / 2));
                At = End + 2;
            } else {
                const std::size_t N = strnlen(P + At, Size - At);
                Name = TEncoding::ANSI()->GetString(TBytes(P + At, P + At + N));
                At += N + 1;
            }
            if (Name.isEmpty()) break;
            FFiles->Add(Name);
        }
    }
    GlobalUnlock(Block);
    GlobalFree(Block);
    return FFiles->Count() > 0;
}

// ---------------------------------------------------------------------------------------------
// TAEDropTarget

namespace {

// A drop the data object cannot describe is refused, nothing thrown.
bool readable(IDataObject* DataObj, std::unique_ptr<TEnumFormats>& Formats) {
    try {
        Formats = std::make_unique<TEnumFormats>(DataObj);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

HRESULT TAEDropTarget::DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL, DWORD* Effect) {
    std::unique_ptr<TEnumFormats> Formats;
    FOk = readable(DataObj, Formats) &&
          (Formats->HasText() || Formats->HasFile() || (RTFExchangeEnabled && Formats->HasRTF()));
    if (Effect) *Effect = FOk ? EffectFromKeys(KeyState) : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT TAEDropTarget::DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) {
    DWORD E = FOk ? EffectFromKeys(KeyState) : DROPEFFECT_NONE;
    bool Allow = true;
    DragMouseMove(Point(Pt.x, Pt.y), Allow);
    if (!Allow) E = DROPEFFECT_NONE;
    if (Effect) *Effect = E;
    return S_OK;
}

HRESULT TAEDropTarget::Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) {
    std::unique_ptr<TEnumFormats> Formats;
    if (!FOk || !readable(DataObj, Formats)) {
        if (Effect) *Effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const TPoint P = Point(Pt.x, Pt.y);
    if (RTFExchangeEnabled && Formats->HasRTF())
        DropRTF(P, Formats->RTF());
    else if (Formats->HasText())
        DropText(P, Formats->Text());
    if (Formats->HasFile() && Formats->ReadFiles()) DropFiles(P, Formats->Files());
    if (Effect) *Effect = EffectFromKeys(KeyState);
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// Drag source

HRESULT TAEDropSource::QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) {
    if (EscapePressed) return DRAGDROP_S_CANCEL;
    if (!(KeyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT TAEDropSource::GiveFeedback(DWORD Effect) {
    FNoAccept = Effect == DROPEFFECT_NONE;
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT TSourceDataObject::QueryGetData(const FORMATETC& Format) {
    const bool Known = Format.cfFormat == CF_TEXT || Format.cfFormat == CF_UNICODETEXT ||
                       (RTFExchangeEnabled && RTFClipboardFormat != 0 && Format.cfFormat == RTFClipboardFormat);
    return Format.dwAspect == DVASPECT_CONTENT && Known && Format.tymed == TYMED_HGLOBAL ? S_OK : DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(const FORMATETC& Format, STGMEDIUM& Medium) {
    Medium = STGMEDIUM();
    if (QueryGetData(Format) != S_OK) return DV_E_FORMATETC;
    TBytes Bytes;
    if (Format.cfFormat == CF_UNICODETEXT) {
        const auto* W = reinterpret_cast<const Byte*>(FTextData.utf16());
        Bytes.assign(W, W + FTextData.size() * 2);
        Bytes.insert(Bytes.end(), {0, 0});
    } else {
        Bytes = TEncoding::ANSI()->GetBytes(Format.cfFormat == CF_TEXT ? FTextData : FRtfData);
        Bytes.push_back(0);
    }
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, Bytes.size());
    if (!Block) return DV_E_FORMATETC;
    std::memcpy(GlobalLock(Block), Bytes.data(), Bytes.size());
    GlobalUnlock(Block);
    Medium.tymed = TYMED_HGLOBAL;
    Medium.hGlobal = Block;
    return S_OK;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(const FORMATETC&, FORMATETC& Out) {
    Out.ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD Direction, std::unique_ptr<IEnumFORMATETC>& Enum) {
    if (Direction != DATADIR_GET) {
        Enum.reset();
        return E_NOTIMPL;
    }
    Enum = std::make_unique<TSourceEnumFormatEtc>();
    return S_OK;
}

HRESULT TSourceDataObject::EnumDAdvise(void** Enum) {
    if (Enum) *Enum = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TSourceEnumFormatEtc::Next(ULONG Celt, FORMATETC* Elements, ULONG* Fetched) {
    const Word Formats[3] = {CF_TEXT, CF_UNICODETEXT, RTFClipboardFormat};
    ULONG N = 0;
    while (N < Celt && FIndex < 3) {
        FORMATETC F;
        F.cfFormat = Formats[FIndex++];
        Elements[N++] = F;
    }
    if (Fetched) *Fetched = N;
    return N == Celt ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG Celt) {
    FIndex += static_cast<int>(Celt);
    if (FIndex < 4) return S_OK;
    FIndex = 3;
    return S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Reset() {
    FIndex = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(std::unique_ptr<IEnumFORMATETC>& Enum) {
    Enum = std::make_unique<TSourceEnumFormatEtc>(FIndex);
    return S_OK;
}

HRESULT StartTextDoDragDrop(const String& Text, const String& Rtf, DWORD OkEffects, DWORD& Effect) {
    TAEDropSource Source;
    TSourceDataObject Data(Text, Rtf);
    const HRESULT Result = DoDragDrop(&Data, &Source, OkEffects, &Effect);
    return Source.NoAccept() ? DRAGDROP_S_CANCEL : Result;
}
