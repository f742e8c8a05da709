// TAdvEdit: construction, destruction, the settings objects and the message routing.
#include "components/controls/AdvEdit.h"

#include "components/controls/AdvEdit_Internal.h"
#include "components/controls/ControlScaling.h"
#include "framework/rtl/ClassRegistry.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/OleDragDrop.h"
#include "framework/ui/PlatformFacts.h"

namespace {

// The unit's start-up and exit: OLE for the drop target, the label class for the form reader.
struct TAdvEditUnit {
    TAdvEditUnit() {
        OleInitialize(nullptr);
        try {
            RegisterClass<TAdvEditLabel>();
        } catch (const EFilerError&) {
        }
    }
    ~TAdvEditUnit() { OleUninitialize(); }
} AdvEditUnit;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Settings objects

TLookupSettings::TLookupSettings()
    : FDisplayList(std::make_unique<TStringList>()),
      FValueList(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()) {
    FFont->SetName(QStringLiteral("Arial"));
    FFont->SetSize(8);
}

TLookupSettings::~TLookupSettings() = default;

void TLookupSettings::SetDisplayList(TStrings* Value) { FDisplayList->Assign(Value); }

void TLookupSettings::SetValueList(TStrings* Value) { FValueList->Assign(Value); }

void TLookupSettings::SetNumChars(int Value) {
    if (Value > 0) FNumChars = Value;
}

void TLookupSettings::SetFont(TFont* Value) { FFont->Assign(Value); }

void TLookupSettings::AddPair(const String& DisplayText, const String& Value) {
    FDisplayList->Add(DisplayText);
    FValueList->Add(Value);
}

void TLookupSettings::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TLookupSettings*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FDisplayList->Assign(S->FDisplayList.get());
    FValueList->Assign(S->FValueList.get());
    FDisplayCount = S->FDisplayCount;
    FColor = S->FColor;
    FEnabled = S->FEnabled;
    FNumChars = S->FNumChars;
    FCaseSensitive = S->FCaseSensitive;
    FHistory = S->FHistory;
    FMulti = S->FMulti;
    FSeparator = S->FSeparator;
    FAcceptOnTab = S->FAcceptOnTab;
    FShowValue = S->FShowValue;
    FSearchValue = S->FSearchValue;
    FFont->Assign(S->FFont.get());
    FSpacing = S->FSpacing;
    FValueSeparator = S->FValueSeparator;
}

void TPersistence::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TPersistence*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FEnable = S->FEnable;
    FKey = S->FKey;
    FSection = S->FSection;
    FLocation = S->FLocation;
}

void TAdvEditLabel::SetEnabled(bool Value) {
    // Disabled with its edit unless it is to stay enabled.
    TLabel::SetEnabled(Value || FAlwaysEnable);
}

// ---------------------------------------------------------------------------------------------
// Life cycle

TAdvEdit::TAdvEdit(TComponent* AOwner)
    : TCustomEdit(AOwner),
      FLabelFont(std::make_unique<TFont>()),
      FPersistence(std::make_unique<TPersistence>()),
      FLookup(std::make_unique<TLookupSettings>()) {
    FLabelFont->OnChange = [this](TObject*) { labelFontChanged(); };
    const TPlatformFacts& Facts = PlatformFacts();
    FIsWinXP = Facts.MajorVersion > 5 || (Facts.MajorVersion == 5 && Facts.MinorVersion > 0);
    FIsThemed = HIWORD(GetSystemLibraryVersionMS(QStringLiteral("COMCTL32.DLL"))) > 5;
    FDesignTime = ComponentState().Contains(csDesigning) && AOwner && !AOwner->ComponentState().Contains(csReading) &&
                  !AOwner->ComponentState().Contains(csLoading);
    if (!ComponentState().Contains(csDesigning)) createLookupPopup();
}

TAdvEdit::~TAdvEdit() = default;

void TAdvEdit::BeforeDestruction() {
    FDestroying = true;
    if (FLabel) {
        TAdvEditLabel* Label = FLabel;
        FLabel = nullptr;
        Label->SetParent(nullptr);
        Label->Free();
    }
    TCustomEdit::BeforeDestruction();
}

void TAdvEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FLabel) FLabel = nullptr;
    if (AComponent == FLookupList) FLookupList = nullptr, FLookupListBox = nullptr;
}

void TAdvEdit::Loaded() {
    TCustomEdit::Loaded();
    const bool Designing = ComponentState().Contains(csDesigning);
    if (!Designing) Init();
    if (FLoadedHeight > 0) {
        SetHeight(static_cast<int>(Round(DPIScaleFactor() * FLoadedHeight)));
        SetBounds(Left(), Top(), Width(), Height());
    }
    if (!Designing) LoadPersist();
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    FLblFntHeight = FLabelFont->Height();
    if (FLabel && ParentFont() && !FShowError) FLabel->Font()->Assign(Font());
    if (Screen) FLookup->Font()->SetSize(MulDiv(FLookup->Font()->Size(), Screen->PixelsPerInch(), 96));
}

void TAdvEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    applyAlignment(FEditAlign);
    SetFlatRect(FFlat);
    if (!ComponentState().Contains(csDesigning) && !ParentFont() && FLabel && FLblFntHeight != 0) {
        FLblUpdate = true;
        FLabelFont->SetHeight(static_cast<int>(Round(DPIScaleFactor() * FLblFntHeight)));
        FLblUpdate = false;
    }
    // The error state is taken whatever ShowError says; only the colours wait for it.
    FError = !ValidateValue(Text());
    if (FError && Enabled() && FShowError) UpdateErrorColors();
}

void TAdvEdit::SetParent(TWinControl* AParent) {
    TCustomEdit::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        UpdateLabel();
    }
}

// ---------------------------------------------------------------------------------------------
// Message routing

void TAdvEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_CHAR:
            WMChar(Message);
            break;
        case WM_KEYDOWN:
            WMKeyDown(Message);
            break;
        case WM_KEYUP:
            WMKeyUp(Message);
            break;
        case WM_SYSKEYDOWN:
            WMSysKeyDown(Message);
            break;
        case WM_PASTE:
            WMPaste(Message);
            break;
        case WM_CUT:
            WMCut(Message);
            break;
        case WM_COPY:
            WMCopy(Message);
            break;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        case WM_PAINT:
            WMPaint(Message);
            break;
        case WM_NCPAINT:
            WMNCPaint(Message);
            break;
        case WM_ERASEBKGND:
            WMEraseBkgnd(Message);
            break;
        case WM_MOUSEMOVE:
            WMMouseMove(Message);
            break;
        case WM_LBUTTONDOWN:
            WMLButtonDown(Message);
            break;
        case WM_LBUTTONUP:
            WMLButtonUp(Message);
            break;
        case WM_DESTROY:
            WMDestroy(Message);
            break;
        case CN_COMMAND:
            CNCommand(Message);
            break;
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            break;
        case CM_SHOWINGCHANGED:
            CMShowingChanged(Message);
            break;
        case CM_HINTSHOW:
            CMHintShow(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_CANCELMODE:
            CMCancelMode(Message);
            break;
        case CM_WANTSPECIALKEY:
            CMWantSpecialKey(Message);
            break;
        default:
            TCustomEdit::Dispatch(Message);
            break;
    }
}

void TAdvEdit::WMDestroy(TMessage& Message) {
    if (!ComponentState().Contains(csLoading)) {
        if (!ComponentState().Contains(csDesigning)) {
            // A store that fails while the control goes is dropped: nothing may escape a destructor.
            try {
                SavePersist();
            } catch (...) {
                if (!goingAway()) throw;
            }
        }
        revokeDropTarget();
    }
    TCustomEdit::Dispatch(Message);
}

bool TAdvEdit::goingAway() const {
    // Freed itself, or with a parent or owner that is being freed.
    if (FDestroying) return true;
    for (const TControl* C = this; C; C = C->Parent())
        if (C->ComponentState().Contains(csDestroying)) return true;
    return Owner() && Owner()->ComponentState().Contains(csDestroying);
}

void TAdvEdit::CNCommand(TMessage& Message) {
    if (HIWORD(static_cast<DWORD>(Message.WParam)) == EN_CHANGE) {
        // What the edit paints under and beside the editor's text follows the text.
        if (!FEmptyText.isEmpty() || FErrorMarkerLen > 0) Invalidate();
        // Swallows the notification of a text the edit rewrote itself, once.
        if (FBlockChange) {
            FBlockChange = false;
            return;
        }
        if (FTransparent) Invalidate();
        if (FShowURL && IsUrlText(Text()) != FIsUrl) ApplyURLLook(!FIsUrl);
    }
    TCustomEdit::Dispatch(Message);
}
