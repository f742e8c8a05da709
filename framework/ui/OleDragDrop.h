// Drag and drop in the platform's OLE shape, on Qt: data objects with their format lists and
// global memory blocks, drop sources and drop targets, RegisterDragDrop and DoDragDrop.
//
// A window registered as a drop target receives Qt's drags over it as DragEnter, DragOver,
// DragLeave and Drop calls with a data object made from the dragged MIME data (text/plain as
// CF_UNICODETEXT and CF_TEXT, text/rtf as "Rich Text Format", local files of text/uri-list as
// CF_HDROP and other links as text). DoDragDrop runs a Qt drag of the source's data (Escape or a
// release outside every target cancels it); tests replace it with a drag runner of their own and
// deliver drops to a window with SimulateDrop, without a pointer.
//
// Interfaces do not own the objects behind them; an enumerator handed out is owned by the caller.
#pragma once

#include "framework/rtl/ResultCodes.h"
#include "framework/rtl/Types.h"
#include "framework/ui/Clipbrd.h"
#include "framework/ui/Controls.h"

#include <functional>
#include <memory>
#include <vector>

using ULONG = std::uint32_t;

inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF);
inline constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064);
inline constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003);
inline constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100);
inline constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101);
inline constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102);
inline constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
inline constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
inline constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;

inline constexpr DWORD DROPEFFECT_NONE = 0;
inline constexpr DWORD DROPEFFECT_COPY = 1;
inline constexpr DWORD DROPEFFECT_MOVE = 2;
inline constexpr DWORD DROPEFFECT_LINK = 4;

inline constexpr DWORD DVASPECT_CONTENT = 1;
inline constexpr DWORD TYMED_NULL = 0;
inline constexpr DWORD TYMED_HGLOBAL = 1;
inline constexpr DWORD DATADIR_GET = 1;
inline constexpr DWORD DATADIR_SET = 2;

inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_DDESHARE = 0x2000;

struct POINTL {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct DVTARGETDEVICE;

struct FORMATETC {
    Word cfFormat = 0;
    DVTARGETDEVICE* ptd = nullptr;
    DWORD dwAspect = DVASPECT_CONTENT;
    std::int32_t lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

// A block of global memory: allocated, locked for its bytes, sized and freed.
struct TGlobalBlock;
using HGLOBAL = TGlobalBlock*;
HGLOBAL GlobalAlloc(UINT Flags, std::size_t Bytes);
void* GlobalLock(HGLOBAL Block);
BOOL GlobalUnlock(HGLOBAL Block);
std::size_t GlobalSize(HGLOBAL Block);
// Returns nullptr on success.
HGLOBAL GlobalFree(HGLOBAL Block);

struct STGMEDIUM {
    DWORD tymed = TYMED_NULL;
    HGLOBAL hGlobal = nullptr;
    void* pUnkForRelease = nullptr;  // nullptr: the receiver frees the block
};
void ReleaseStgMedium(STGMEDIUM* Medium);

// The header of a CF_HDROP block; the names follow at pFiles.
struct DROPFILES {
    DWORD pFiles = 0;
    POINTL pt;
    BOOL fNC = 0;
    BOOL fWide = 0;
};

class IEnumFORMATETC {
public:
    virtual ~IEnumFORMATETC() = default;
    virtual HRESULT Next(ULONG Celt, FORMATETC* Elements, ULONG* Fetched) = 0;
    virtual HRESULT Skip(ULONG Celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(std::unique_ptr<IEnumFORMATETC>& Enum) = 0;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    virtual HRESULT GetData(const FORMATETC& Format, STGMEDIUM& Medium) = 0;
    virtual HRESULT GetDataHere(const FORMATETC& Format, STGMEDIUM& Medium) = 0;
    virtual HRESULT QueryGetData(const FORMATETC& Format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(const FORMATETC& In, FORMATETC& Out) = 0;
    virtual HRESULT SetData(const FORMATETC& Format, STGMEDIUM& Medium, BOOL Release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD Direction, std::unique_ptr<IEnumFORMATETC>& Enum) = 0;
    virtual HRESULT DAdvise(const FORMATETC& Format, DWORD Flags, void* Sink, DWORD* Connection) = 0;
    virtual HRESULT DUnadvise(DWORD Connection) = 0;
    virtual HRESULT EnumDAdvise(void** EnumAdvise) = 0;
};

class IDropSource {
public:
    virtual ~IDropSource() = default;
    virtual HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) = 0;
    virtual HRESULT GiveFeedback(DWORD Effect) = 0;
};

class IDropTarget {
public:
    virtual ~IDropTarget() = default;
    virtual HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
    virtual HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) = 0;
};

// Nothing to start on Qt; both are kept for the units that call them.
HRESULT OleInitialize(void* Reserved);
void OleUninitialize();

// The window's drags go to Target (not owned) until it is revoked or the window is destroyed.
HRESULT RegisterDragDrop(HWND Wnd, IDropTarget* Target);
HRESULT RevokeDragDrop(HWND Wnd);
IDropTarget* RegisteredDropTarget(HWND Wnd);
// Drops a window's registration without touching the window (it is being destroyed).
void ForgetDropTarget(HWND Wnd);

// Runs a drag of DataObj and returns when it ends: DRAGDROP_S_DROP with the effect the target
// chose, or DRAGDROP_S_CANCEL with DROPEFFECT_NONE.
HRESULT DoDragDrop(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD* Effect);
using TDragRunner = std::function<HRESULT(IDataObject* DataObj, IDropSource* Source, DWORD OkEffects, DWORD* Effect)>;
// Replaces the Qt drag (nullptr: back to it); returns the one replaced.
TDragRunner SetDragRunner(TDragRunner Runner);

// Delivers a whole drop to the drop target registered for Wnd: DragEnter and DragOver at the
// screen point, then Drop when DragOver left an effect, else DragLeave. Returns the effect,
// DROPEFFECT_NONE for a window without a target.
DWORD SimulateDrop(HWND Wnd, IDataObject* DataObj, DWORD KeyState, const TPoint& ScreenPt);
// DragEnter and DragOver only (the pointer resting over the window); DragLeave ends it.
DWORD SimulateDragOver(HWND Wnd, IDataObject* DataObj, DWORD KeyState, const TPoint& ScreenPt);
void SimulateDragLeave(HWND Wnd);

// What a drop carries, as the Qt bridge offers it: a data object of these contents.
struct TDropContents {
    String Text;
    bool HasText = false;
    std::vector<Byte> Rtf;  // empty: none
    std::vector<String> Files;
};
std::unique_ptr<IDataObject> CreateDropDataObject(const TDropContents& Contents);
