// The edits' drag and drop pieces: a reader of a dropped data object's formats, a drop target
// with overridable hooks, a drop source, and a data object offering a text (and, while RTF
// exchange is on, Rich Text Format) with its format enumerator.
#pragma once

#include "framework/rtl/StringList.h"
#include "framework/ui/OleDragDrop.h"

#include <memory>

// The number of "Rich Text Format" (0 until a format reader registers it).
extern Word RTFClipboardFormat;
// Dropped RTF is read and RTF is offered only while this is on; nothing turns it on.
extern bool RTFExchangeEnabled;

// DROPEFFECT_COPY with Control held in the key state, else DROPEFFECT_MOVE.
DWORD EffectFromKeys(DWORD Keys);

// Reads the formats of a dropped data object.
class TEnumFormats : public TObject {
public:
    // Raises EAssertionFailed "Cannot get the format enumerator" when the object lists none.
    explicit TEnumFormats(IDataObject* DataObject);
    ~TEnumFormats() override;

    IDataObject* DataObject() const { return FDataObject; }
    void SetDataObject(IDataObject* Value);
    int Count() const { return FCount; }
    bool Valid() const { return FValid; }
    const FORMATETC& FormatEtc() const { return FFormatEtc; }
    DWORD Aspect() const { return FFormatEtc.dwAspect; }
    void SetAspect(DWORD Value) { FFormatEtc.dwAspect = Value; }
    Word Format() const { return FFormatEtc.cfFormat; }
    void SetFormat(Word Value) { FFormatEtc.cfFormat = Value; }
    int Index() const { return FFormatEtc.lindex; }
    void SetIndex(int Value) { FFormatEtc.lindex = Value; }
    DWORD Medium() const { return FFormatEtc.tymed; }
    void SetMedium(DWORD Value) { FFormatEtc.tymed = Value; }
    TStringList* Files() const { return FFiles.get(); }

    bool Reset();
    bool Next();
    // Walks the formats until ClipFormat, which stays current; false when absent.
    bool HasFormat(Word ClipFormat);
    bool HasText() { return HasFormat(CF_UNICODETEXT) || HasFormat(CF_TEXT); }
    bool HasRTF() { return RTFClipboardFormat != 0 && HasFormat(RTFClipboardFormat); }
    bool HasFile() { return HasFormat(CF_HDROP); }
    String Text();
    String RTF();
    // The names of the CF_HDROP block into Files; false when there are none.
    bool ReadFiles();

private:
    IDataObject* FDataObject = nullptr;
    std::unique_ptr<IEnumFORMATETC> FEnumerator;
    FORMATETC FFormatEtc;
    bool FValid = false;
    int FCount = 0;
    std::unique_ptr<TStringList> FFiles;

    void enumerate();
    // The current format's data in a global block (freed by the caller), nullptr when none.
    HGLOBAL handle(DWORD Tymed);
    String formatText(Word Cf);
};

// A drop target whose hooks a control overrides; every call answers S_OK and refuses through
// the effect only.
class TAEDropTarget : public IDropTarget {
public:
    HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) override;
    HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) override;
    HRESULT DragLeave() override { return S_OK; }
    HRESULT Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) override;

protected:
    virtual void DropText(const TPoint& Pt, const String& S) {}
    virtual void DropRTF(const TPoint& Pt, const String& S) {}
    virtual void DropFiles(const TPoint& Pt, TStrings* Files) {}
    virtual void DragMouseMove(const TPoint& Pt, bool& Allow) { Allow = true; }

private:
    // The dragged data carries something this target takes.
    bool FOk = false;
};

class TAEDropSource : public IDropSource {
public:
    HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) override;
    HRESULT GiveFeedback(DWORD Effect) override;
    bool NoAccept() const { return FNoAccept; }

private:
    bool FNoAccept = false;
};

// Offers a text as CF_TEXT and CF_UNICODETEXT (and RTF while the exchange is on).
class TSourceDataObject : public IDataObject {
public:
    TSourceDataObject(const String& Text, const String& Rtf) : FTextData(Text), FRtfData(Rtf) {}
    HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) override;
    HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const FORMATETC& Format) override;
    HRESULT GetCanonicalFormatEtc(const FORMATETC& In, FORMATETC& Out) override;
    HRESULT SetData(const FORMATETC&, STGMEDIUM&, BOOL) override { return DV_E_FORMATETC; }
    HRESULT EnumFormatEtc(DWORD Direction, std::unique_ptr<IEnumFORMATETC>& Enum) override;
    HRESULT DAdvise(const FORMATETC&, DWORD, void*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(void** Enum) override;

private:
    String FTextData;
    String FRtfData;
};

// CF_TEXT, CF_UNICODETEXT and the RTF format, in that order.
class TSourceEnumFormatEtc : public IEnumFORMATETC {
public:
    explicit TSourceEnumFormatEtc(int Index = 0) : FIndex(Index) {}
    HRESULT Next(ULONG Celt, FORMATETC* Elements, ULONG* Fetched) override;
    HRESULT Skip(ULONG Celt) override;
    HRESULT Reset() override;
    HRESULT Clone(std::unique_ptr<IEnumFORMATETC>& Enum) override;

private:
    int FIndex = 0;
};

// Drags a text out; DRAGDROP_S_CANCEL when the last feedback had no effect.
HRESULT StartTextDoDragDrop(const String& Text, const String& Rtf, DWORD OkEffects, DWORD& Effect);
