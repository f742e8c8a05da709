// TAdvCustomDropDown: construction, properties, copying, streaming and the framework hooks.
#include "components/dropdowns/AdvDropDown.h"

#include "framework/rtl/ComponentStream.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/PlatformFacts.h"

using namespace advdropdown;

TAdvCustomDropDown::TAdvCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner),
      FDropDownHeader(std::make_unique<THeaderAppearance>(this)),
      FButtonAppearance(std::make_unique<TAdvButtonAppearance>()),
      FDropDownFooter(std::make_unique<TFooterAppearance>(this)),
      FLabelFont(std::make_unique<TFont>()) {
    SetBounds(Left(), Top(), 200, 21);
    FButtonWidth = 17;
    if (!designing()) CreateDropDownForm();
    CreateDropDownButton();
    TControlStyle Style = ControlStyle();
    Style.Exclude(csSetCaption);
    SetControlStyle(Style);
    SetReadOnly(false);
    FDropPosition = dpAuto;
    SetText(String());
    FOldText.clear();
    FUserDropDownWidth = FUserDropDownHeight = -1;
    FDropDownHeader->OnChange = [this](TObject* Sender) { HeaderChanged(Sender); };
    FDropDownHeader->OnButtonsChanged = [this](TObject* Sender) { HeaderChanged(Sender); };
    FDropDownFooter->OnChange = [this](TObject* Sender) { FooterChanged(Sender); };
    FDropDownFooter->OnButtonsChanged = [this](TObject* Sender) { FooterChanged(Sender); };
    FDefaultHandling = true;
    FIsThemed = PlatformFacts().ComCtlMajorVersion > 5;
    FDoShowBusy = false;
    FCanUndo = true;
    FAutoThousandSeparator = true;
    SetSelectionColorStyle(scOffice2007);
    FFocusDraw = true;
    SetComponentStyle(tsOffice2007Luna);
    FLblFntHeight = FLabelFont->Height();
    FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
    FLblUpdate = false;
}

TAdvCustomDropDown::~TAdvCustomDropDown() { FLabelFont->OnChange = nullptr; }

// ---------------------------------------------------------------------------------------------
// Popup, button and drop-down settings

void TAdvCustomDropDown::CreateDropDownForm() {
    if (FDropDownForm) return;
    FDropDownForm = new TDropDownForm(this, 0);
    FDropDownForm->SetAdvDropDown(this);
    FDropDownForm->SetBorderStyle(bsNone);
    FDropDownForm->SetVisible(false);
    FDropDownForm->SetWidth(FDropDownWidth);
    FDropDownForm->SetHeight(FDropDownHeight);
    FDropDownForm->OnClose = [](TObject*, TCloseAction&) {};
    FDropDownForm->OnHide = [this](TObject*) { AfterClosePopup(); };
    FDropDownForm->OnKeyPress = [this](TObject*, Char& Key) { PopupKeyPress(Key); };
    FDropDownForm->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { PopupKeyDown(Key, Shift); };
    FDropDownForm->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { PopupKeyUp(Key, Shift); };
    FDropDownForm->OnMouseWheelDown = [this](TObject*, TShiftState Shift, TPoint Pos, bool& Handled) {
        PopupWheelDown(Shift, Pos, Handled);
    };
    FDropDownForm->OnMouseWheelUp = [this](TObject*, TShiftState Shift, TPoint Pos, bool& Handled) {
        PopupWheelUp(Shift, Pos, Handled);
    };
    FDropDownForm->OnDestroy = [this](TObject*) {
        FDropDownForm = nullptr;
        PopupDestroyed();
    };
    FDropDownForm->OnSizing = [this](TObject*) { PopupSizing(); };
    FDropDownForm->SetDoubleBuffered(true);
}

void TAdvCustomDropDown::CreateDropDownButton() {
    if (!FButton) {
        FButton = new TDropDownEditButton(this);
        FButton->SetParent(this);
        FButton->OnClick = [this](TObject* Sender) { DropButtonClick(Sender); };
    }
    UpdateDropDownButton();
}

void TAdvCustomDropDown::UpdateDropDownButton() {
    if (!FButton) return;
    FButton->SetButtonWidth(DropDownButtonWidth());
    FButton->SetWidth(DropDownButtonWidth());
    FButton->SetHeight(17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TAdvCustomDropDown::SetDropDownWidth(int Value) {
    if (FDropDownWidth == Value) return;
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TAdvCustomDropDown::SetDropDownHeight(int Value) {
    if (Value < 0 || FDropDownHeight == Value) return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TAdvCustomDropDown::ResetDropDownSize() { FUserDropDownWidth = FUserDropDownHeight = -1; }

void TAdvCustomDropDown::SetDropDownEnabled(bool Value) {
    FDropDownEnabled = Value;
    if (FButton) FButton->SetEnabled(Value);
}

int TAdvCustomDropDown::DropDownButtonWidth() const { return FButtonWidth; }

void TAdvCustomDropDown::SetDropDownButtonWidth(int Value) {
    if (!FButton || FButtonWidth == Value) return;
    FButtonWidth = Value;
    FButton->SetButtonWidth(Value);
    if (FButton->HandleAllocated()) UpdateButtonPosition();
}

void TAdvCustomDropDown::SetDropDownButtonHint(const String& Value) {
    if (FButtonHint == Value) return;
    FButtonHint = Value;
    if (!FButton) return;
    FButton->SetHint(Value);
    FButton->SetShowHint(!Value.isEmpty());
}

TBitmap* TAdvCustomDropDown::DropDownButtonGlyph() const { return FButton ? FButton->Glyph() : nullptr; }

void TAdvCustomDropDown::SetDropDownButtonGlyph(TBitmap* Value) {
    if (FButton) FButton->SetGlyph(Value);
}

void TAdvCustomDropDown::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TAdvCustomDropDown::SetEditorEnabled(bool Value) {
    FEditorEnabled = Value;
    TControlStyle Style = ControlStyle();
    if (Value)
        Style.Include(csDoubleClicks);
    else
        Style.Exclude(csDoubleClicks);
    SetControlStyle(Style);
}

void TAdvCustomDropDown::SetControl(TControl* Value) {
    if (FControl == Value) return;
    if (FControl) {
        FControl->RemoveFreeNotification(this);
        // The control being replaced leaves the popup's client area (one being freed is gone).
        if (!FControl->ComponentState().Contains(csDestroying)) {
            FControl->SetAlign(alNone);
            FControl->SetVisible(false);
        }
    }
    FControl = Value;
    if (FControl) FControl->FreeNotification(this);
}

void TAdvCustomDropDown::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

TSize TAdvCustomDropDown::DropDownSize() const {
    if (FDropDownForm && FDropDownSizeable) return TSize{FDropDownForm->Width(), FDropDownForm->Height()};
    if (FDropDownWidth != 0 && FDropDownHeight != 0) return TSize{FDropDownWidth, FDropDownHeight};
    if (FControl) return TSize{FControl->Width(), FControl->Height()};
    return TSize{0, 0};
}

String TAdvCustomDropDown::Version() const {
    const int V = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg((V >> 24) & 0xFF).arg((V >> 16) & 0xFF).arg((V >> 8) & 0xFF).arg(V & 0xFF);
}

void TAdvCustomDropDown::HeaderChanged(TObject*) {
    if (FDropDownForm && FDroppedDown) FDropDownForm->InitializeAndUpdate();
}

void TAdvCustomDropDown::FooterChanged(TObject*) {
    if (FDropDownForm && FDroppedDown) FDropDownForm->InitializeAndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Copying and streaming

void TAdvCustomDropDown::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TAdvCustomDropDown*>(Source);
    if (!S || S == this) return;
    FFocusDraw = S->FFocusDraw;
    FForceShadow = S->FForceShadow;
    FDropDownEnabled = S->FDropDownEnabled;
    FDropDownColor = S->FDropDownColor;
    FDropDownColorTo = S->FDropDownColorTo;
    FDropDownBorderColor = S->FDropDownBorderColor;
    FDropDownBorderWidth = S->FDropDownBorderWidth;
    FDropDownShadow = S->FDropDownShadow;
    FDropDownWidth = S->FDropDownWidth;
    FDropDownHeight = S->FDropDownHeight;
    FDropDownSizeable = S->FDropDownSizeable;
    FEditType = S->FEditType;
    FReturnIsTab = S->FReturnIsTab;
    FLengthLimit = S->FLengthLimit;
    FPrecision = S->FPrecision;
    FPrefix = S->FPrefix;
    FSuffix = S->FSuffix;
    FDefaultHandling = S->FDefaultHandling;
    FCanUndo = S->FCanUndo;
    FExcelStyleDecimalSeparator = S->FExcelStyleDecimalSeparator;
    FValidChars = S->FValidChars;
    FSigned = S->FSigned;
    FAutoThousandSeparator = S->FAutoThousandSeparator;
    FButtonAppearance->Assign(S->FButtonAppearance.get());
    FDropDownHeader->Assign(S->FDropDownHeader.get());
    FDropDownFooter->Assign(S->FDropDownFooter.get());
    FDropPosition = S->FDropPosition;
    SetDropDownButtonWidth(S->DropDownButtonWidth());
    SetDropDownButtonHint(S->FButtonHint);
    // The control style is left as it is.
    FEditorEnabled = S->FEditorEnabled;
    if (FButton && S->FButton) {
        FButton->SetGlyph(S->FButton->Glyph());
        FButton->SetButtonCaption(S->FButton->ButtonCaption());
    }
    SetImages(S->FImages);
    FSelectionColorStyle = S->FSelectionColorStyle;
    FSelectionColor = S->FSelectionColor;
    FSelectionColorTo = S->FSelectionColorTo;
}

void TAdvCustomDropDown::DefineProperties(TFiler* Filer) {
    TCustomMaskEdit::DefineProperties(Filer);
    // Both are always written; reading stores the number without applying a palette or a style.
    Filer->DefineProperty(
        QStringLiteral("SelectionColorStyle"),
        [this](TReader* Reader) {
            const int V = Reader->ReadInteger();
            if (V < scCustom || V > scWindows7)
                throw EReadError(QStringLiteral("Invalid property value: SelectionColorStyle %1").arg(V));
            FSelectionColorStyle = static_cast<TSelectionColorStyle>(V);
        },
        [this](TWriter* Writer) { Writer->WriteInteger(static_cast<int>(FSelectionColorStyle)); }, true);
    Filer->DefineProperty(
        QStringLiteral("TesselStyle"),
        [this](TReader* Reader) {
            const int V = Reader->ReadInteger();
            if (V < tsOffice2003Blue || V > tsOffice2016Black)
                throw EReadError(QStringLiteral("Invalid property value: TesselStyle %1").arg(V));
            FTesselStyle = static_cast<TTesselStyle>(V);
        },
        [this](TWriter* Writer) { Writer->WriteInteger(static_cast<int>(FTesselStyle)); }, true);
}

// ---------------------------------------------------------------------------------------------
// Framework hooks

void TAdvCustomDropDown::Loaded() {
    TCustomMaskEdit::Loaded();
    FParentFnt = ParentFont();
    SetEditRect();
    UpdateButtonPosition();
    if (FButton) FButton->SetEnabled(Enabled());
    if (!FLabelAlwaysEnabled && FLabel) FLabel->SetEnabled(Enabled());
    UpdateLabel();
    if (ParentFont() && FLabel) FLabel->SetFont(Font());
    if (FLabel) FLblFntHeight = FLabel->Font()->Height();
}

void TAdvCustomDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // What the edit made itself may go first while it is being destroyed.
    if (AComponent == FLabel) FLabel = nullptr;
    if (AComponent == FDropDownForm) FDropDownForm = nullptr;
    if (AComponent == FButton) FButton = nullptr;
    if (ComponentState().Contains(csDestroying)) return;
    if (AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
    if (AComponent == FControl) SetControl(nullptr);
    if (AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAdvCustomDropDown::WndProc(TMessage& Message) {
    const UINT Msg = Message.Msg;
    const TWeak<TAdvCustomDropDown> Alive(this);
    TCustomMaskEdit::WndProc(Message);
    // The button's look depends on the read-only state.
    if (Msg == EM_SETREADONLY && Alive && FButton) FButton->Invalidate();
}

void TAdvCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent()) UpdateLabel();
}

void TAdvCustomDropDown::SetParent(TWinControl* AParent) {
    TCustomMaskEdit::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        FLabel->SetVisible(Visible());
    }
}

void TAdvCustomDropDown::DoLabelClick(TObject* Sender) {
    if (OnLabelClick) FireEvent(OnLabelClick, this);
}

void TAdvCustomDropDown::DoLabelDblClick(TObject* Sender) {
    if (OnLabelDblClick) FireEvent(OnLabelDblClick, this);
}
