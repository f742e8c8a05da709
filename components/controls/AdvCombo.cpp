// TAdvCustomCombo: properties, colours, the label, focus and the edit part's keys.
#include "components/controls/AdvCombo.h"

#include "components/controls/AdvEdit.h"
#include "components/controls/HTMLCheckBox.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/PlatformFacts.h"

using namespace advcombo;

static_assert(int(advcombo::lpRighBottom) == int(advedit::lpRighBottom),
              "the combo's label places are the edit's first");

namespace {

bool LabelOnLeft(TLabelPosition P) { return P == lpLeftTop || P == lpLeftCenter || P == lpLeftBottom; }
bool LabelOnTop(TLabelPosition P) { return P == lpTopLeft || P == lpTopCenter; }
bool LabelOnRight(TLabelPosition P) { return P == lpRightTop || P == lpRightCenter || P == lpRighBottom; }

}  // namespace

TAdvCustomCombo::TAdvCustomCombo(TComponent* AOwner) : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>()) {
    FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
    OSVERSIONINFOW Info;
    GetVersionEx(&Info);
    FIsWinXP = Info.dwMajorVersion > 5 || (Info.dwMajorVersion == 5 && Info.dwMinorVersion >= 1);
    FIsThemed = (GetSystemLibraryVersionMS(QStringLiteral("comctl32.dll")) >> 16) >= 6;
    FLabelFontDesignHeight = FLabelFont->Height();
    FLabelFont->OnChange = [this](TObject*) { labelFontChanged(); };
}

TAdvCustomCombo::~TAdvCustomCombo() { FLabelFont->OnChange = nullptr; }

void TAdvCustomCombo::BeforeDestruction() {
    // The label goes first, while the box it points at is whole.
    FreeAndNil(FLabel);
    TCustomComboBox::BeforeDestruction();
}

bool TAdvCustomCombo::designing() const { return ComponentState().Contains(csDesigning); }
bool TAdvCustomCombo::loading() const { return ComponentState().Contains(csLoading); }

String TAdvCustomCombo::Version() const {
    const auto N = static_cast<unsigned>(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4").arg(N >> 24).arg((N >> 16) & 0xFF).arg((N >> 8) & 0xFF).arg(N & 0xFF);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TAdvCustomCombo::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    SetCtl3D(!Value);
    if (!loading()) {
        if (Value && FFlatParentColor && Parent())
            SetColor(Parent()->Color());
        else
            SetColor(FLoadColor);
    }
    Invalidate();
}

void TAdvCustomCombo::SetEtched(bool Value) {
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TAdvCustomCombo::SetFlatLineColor(TColor Value) {
    if (FFlatLineColor == Value) return;
    FFlatLineColor = Value;
    Invalidate();
}

void TAdvCustomCombo::SetFlatParentColor(bool Value) {
    if (FFlatParentColor == Value) return;
    FFlatParentColor = Value;
    Invalidate();
}

void TAdvCustomCombo::SetButtonWidth(int Value) {
    if (Value < 14 || Value > 32 || Value == FButtonWidth) return;
    FButtonWidth = Value;
    EditFieldChanged();
    Invalidate();
}

void TAdvCustomCombo::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
}

void TAdvCustomCombo::SetFocusBorderColor(TColor Value) {
    if (FFocusBorderColor == Value) return;
    FFocusBorderColor = Value;
    Invalidate();
}

void TAdvCustomCombo::SetDisabledBorder(bool Value) {
    if (FDisabledBorder == Value) return;
    FDisabledBorder = Value;
    Invalidate();
}

void TAdvCustomCombo::SetDropWidth(int Value) {
    FDropWidth = Value;
    if (Value > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TAdvCustomCombo::SetEmptyText(const String& Value) {
    if (FEmptyText == Value) return;
    FEmptyText = Value;
    Invalidate();
}

void TAdvCustomCombo::SetEmptyTextStyle(TFontStyles Value) {
    if (FEmptyTextStyle == Value) return;
    FEmptyTextStyle = Value;
    Invalidate();
}

void TAdvCustomCombo::SetButtonColor(TColor Value) {
    FButtonColor = Value;
    Invalidate();
}

void TAdvCustomCombo::SetButtonTextColor(TColor Value) {
    FButtonTextColor = Value;
    Invalidate();
}

void TAdvCustomCombo::SetButtonBorderColor(TColor Value) {
    FButtonBorderColor = Value;
    Invalidate();
}

void TAdvCustomCombo::SelectItem(const String& AString) {
    const int Index = Items()->IndexOf(AString);
    if (Index < 0) return;
    SetItemIndex(Index);
    Change();
}

void TAdvCustomCombo::SetEnabled(bool Value) {
    const bool Changed = Value != Enabled();
    const bool Live = !loading() && !designing();
    // A flat box shows its parent's colour while disabled.
    if (Changed && FFlat && Live) {
        if (!Value) {
            FDisabledSavedColor = Color();
            FDisabledSavedParentColor = ParentColor();
            FDisabledColorSaved = true;
            if (Parent()) SetColor(Parent()->Color());
        } else if (FDisabledColorSaved) {
            FDisabledColorSaved = false;
            SetColor(FDisabledSavedColor);
            SetParentColor(FDisabledSavedParentColor);
        }
    }
    TCustomComboBox::SetEnabled(Value);
    if (Changed && Live && FLabel && !FLabelAlwaysEnabled) {
        FLabel->SetEnabled(Value);
        updateLabel();
    }
}

void TAdvCustomCombo::Loaded() {
    TCustomComboBox::Loaded();
    if (FDropWidth > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(FDropWidth), 0);
    if (!(FFlatParentColor && !FFlat)) SetColor(FLoadColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        updateLabel();
    }
    FNormalColor = Color();
}

void TAdvCustomCombo::CreateWnd() {
    TCustomComboBox::CreateWnd();
    // A label font set in points at design time grows with the screen's resolution.
    if (!ParentFont() && !LabelCaption().isEmpty() && !designing()) {
        FLabelUpdating = true;
        FLabelFont->SetHeight(static_cast<int>(Round(DPIScaleFactor() * FLabelFontDesignHeight)));
        FLabelUpdating = false;
    }
    if (FDropWidth > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(FDropWidth), 0);
    updateLabel();
}

void TAdvCustomCombo::ChangeScale(int M, int D) {
    TCustomComboBox::ChangeScale(M, D);
    if (!loading()) FLabelFont->SetSize(Font()->Size());
}

void TAdvCustomCombo::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The label

String TAdvCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAdvCustomCombo::SetLabelCaption(const String& Value) {
    if (!FLabel) createLabel();
    FLabel->SetCaption(Value);
    updateLabel();
}

void TAdvCustomCombo::createLabel() {
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
}

void TAdvCustomCombo::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    updateLabel();
}

void TAdvCustomCombo::SetLabelMargin(int Value) {
    FLabelMargin = Value;
    updateLabel();
}

void TAdvCustomCombo::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    updateLabel();
}

void TAdvCustomCombo::SetLabelAlwaysEnabled(bool Value) {
    FLabelAlwaysEnabled = Value;
    if (!FLabel) return;
    if (Value) FLabel->SetEnabled(true);
    updateLabel();
}

void TAdvCustomCombo::SetLabelFont(TFont* Value) { FLabelFont->Assign(Value); }

void TAdvCustomCombo::labelFontChanged() {
    if (!FLabelUpdating) FLabelFontDesignHeight = FLabelFont->Height();
    updateLabel();
}

void TAdvCustomCombo::updateLabel() {
    if (!FLabel) return;
    if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(ParentFont() ? Font() : FLabelFont.get());
    if (FFocusLabel && FHasFocus) {
        TFontStyles Style = FLabel->Font()->Style();
        Style.Include(fsBold);
        FLabel->Font()->SetStyle(Style);
    }
    updateLabelPos();
}

void TAdvCustomCombo::updateLabelPos() {
    if (!FLabel) return;
    TRect Measure = Rect(0, 0, 1000, 255);
    {
        TBitmap Scratch(1, 1);
        Scratch.Canvas()->Font()->Assign(FLabel->Font());
        DrawText(Scratch.Canvas()->Handle(), FLabel->Caption(), -1, Measure,
                 DT_CALCRECT | DT_SINGLELINE | DT_HIDEPREFIX);
    }
    // The combo's places are the typed edit's first thirteen, and its box has no border of its own.
    const TRect Place = LabelPlacement(static_cast<advedit::TLabelPosition>(FLabelPosition), Measure.Width(),
                                       FLabel->Width(), FLabel->Height(), BoundsRect(), FLabelMargin, 0);
    FLabel->SetBounds(Place.Left, Place.Top, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

void TAdvCustomCombo::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FLabel) {
        // An aligned box makes room for its label inside the place it is given.
        const int LW = FLabel->Width() + FLabelMargin, LH = FLabel->Height();
        const TAlign A = Align();
        if (LabelOnLeft(FLabelPosition) && (A == alTop || A == alBottom || A == alClient)) ALeft += LW, AWidth -= LW;
        if (LabelOnTop(FLabelPosition) && (A == alTop || A == alLeft || A == alRight || A == alClient)) ATop += LH;
        if (LabelOnRight(FLabelPosition) && (A == alTop || A == alBottom || A == alClient)) AWidth -= LW;
    }
    TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    updateLabelPos();
}

// ---------------------------------------------------------------------------------------------
// Focus, mouse and list

void TAdvCustomCombo::DoEnter() {
    FHasFocus = true;
    if (FFocusColor != clNone) {
        FNormalColor = Color();
        SetColor(FFocusColor);
    }
    if (FFocusLabel) updateLabel();
    repaintFrame();
    TCustomComboBox::DoEnter();
}

void TAdvCustomCombo::DoExit() {
    FHasFocus = false;
    if (FFocusColor != clNone) SetColor(FNormalColor);
    if (FFocusFontColor != clNone && FSavedFontColor != clNone) {
        Font()->SetColor(FSavedFontColor);
        FSavedFontColor = clNone;
    }
    if (FFocusLabel) updateLabel();
    Invalidate();
    TCustomComboBox::DoExit();
}

void TAdvCustomCombo::WMSetFocus(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (FFocusBorderColor != clNone) Invalidate();
    if (FFocusFontColor != clNone && FSavedFontColor == clNone) {
        FSavedFontColor = Font()->Color();
        Font()->SetColor(FFocusFontColor);
    }
}

void TAdvCustomCombo::WMKillFocus(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    repaintFrame();
}

void TAdvCustomCombo::CMMouseEnter(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (designing()) return;
    FMouseInControl = true;
    if (FAutoFocus) {
        TCustomForm* Form = GetParentForm(this);
        if ((!Form || Form->Active()) && CanFocus()) SetFocus();
    }
    if (FIsWinXP) Invalidate();
    repaintFrame();
}

void TAdvCustomCombo::CMMouseLeave(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (designing()) return;
    FMouseInControl = false;
    FButtonHover = false;
    if (FIsWinXP) Invalidate();
    repaintFrame();
}

void TAdvCustomCombo::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomComboBox::MouseMove(Shift, X, Y);
    const bool Over = X > Width() - FButtonWidth && X < Width();
    if (Over == FButtonHover) return;
    FButtonHover = Over;
    Invalidate();
}

void TAdvCustomCombo::Change() {
    const TWeak<TAdvCustomCombo> Self(this);
    TCustomComboBox::Change();
    if (Self && !FEmptyText.isEmpty()) Invalidate();
}

void TAdvCustomCombo::DropDown() {
    Invalidate();
    TCustomComboBox::DropDown();
}

void TAdvCustomCombo::CloseUp() {
    const TWeak<TAdvCustomCombo> Self(this);
    TCustomComboBox::CloseUp();
    if (!Self) return;
    Invalidate();
    if (OnDropUp) FireEvent(OnDropUp, this);
}

void TAdvCustomCombo::repaintFrame() { Invalidate(); }

bool TAdvCustomCombo::hot() const { return !designing() && (FMouseInControl || FHasFocus || Focused()); }

// ---------------------------------------------------------------------------------------------
// The edit part

void TAdvCustomCombo::EditWndProc(TMessage& Message) {
    const auto Key = static_cast<Word>(Message.WParam);
    switch (Message.Msg) {
        case WM_LBUTTONDOWN:
            // A click on the hint puts the caret into the empty edit.
            if (Text().isEmpty() && !FEmptyText.isEmpty() && FEmptyTextFocused) {
                SetFocus();
                Invalidate();
                return;
            }
            break;
        case WM_CHAR:
            if (Key == VK_RETURN && FReturnIsTab) return;
            if (Key == VK_TAB && DroppedDown()) return;
            break;
        case WM_KEYDOWN:
            if (Key == VK_TAB && DroppedDown()) {
                TCustomComboBox::EditWndProc(Message);
                return;
            }
            if (Key == VK_RETURN && FReturnIsTab) FGotEnter = true;
            break;
        case WM_KEYUP:
            if (Key == VK_TAB && DroppedDown() && Style() != csSimple) {
                // After the key's own processing: close, keep the pick, then move on.
                PostMessage(Handle(), CB_SHOWDROPDOWN, 0, 0);
                PostMessage(Handle(), CB_SETCURSEL, static_cast<WPARAM>(ItemIndex()), 0);
                PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            }
            if (Key == VK_RETURN && FReturnIsTab && FGotEnter) {
                FGotEnter = false;
                PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            }
            break;
        default:
            break;
    }
    TCustomComboBox::EditWndProc(Message);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TAdvCustomCombo::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case CM_FONTCHANGED:
            CMFontChanged(Message);
            break;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(Message);
            break;
        case CM_MOUSEENTER:
            CMMouseEnter(Message);
            break;
        case CM_MOUSELEAVE:
            CMMouseLeave(Message);
            break;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(Message);
            break;
        case CM_COLORCHANGED:
            CMColorChanged(Message);
            break;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(Message);
            break;
        case WM_SETFOCUS:
            WMSetFocus(Message);
            break;
        case WM_KILLFOCUS:
            WMKillFocus(Message);
            break;
        default:
            TCustomComboBox::Dispatch(Message);
            break;
    }
}

void TAdvCustomCombo::CMFontChanged(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    updateLabel();
}

void TAdvCustomCombo::CMParentFontChanged(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (FLabel) FLabel->SetParentFont(ParentFont());
    updateLabel();
}

void TAdvCustomCombo::CMEnabledChanged(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    Invalidate();
}

void TAdvCustomCombo::CMColorChanged(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (loading()) FLoadColor = Color();
}

void TAdvCustomCombo::CMVisibleChanged(TMessage& Message) {
    TCustomComboBox::Dispatch(Message);
    if (FLabel) FLabel->SetVisible(Visible());
}
