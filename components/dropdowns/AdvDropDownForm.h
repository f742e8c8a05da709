// The popup window of a drop-down edit and the drop button at the edit's right edge.
//
// TDropDownForm is a borderless topmost window owned by the form that holds the edit: it holds
// the picker's control between an optional header and footer, paints its background and border,
// answers its bottom right corner as a sizing grip, and closes itself through its edit when
// another window (not one of its own) becomes active. TDropDownEditButton is the windowed
// container of the painted button TAdvDropDownSpeedButton: a themed combo-box arrow, a flat
// coloured arrow, a glyph or the plain look.
#pragma once

#include "components/controls/HotSpeedButton.h"
#include "components/dropdowns/AdvDropDownTypes.h"
#include "framework/ui/Buttons.h"
#include "framework/ui/Forms.h"

class TAdvCustomDropDown;
class TAdvHeader;
class TAdvFooter;

class TDropDownForm : public TForm {
public:
    // Without a designed layout (the only way it is made): Shadow on, not deactivating, a
    // deactivation cancels.
    TDropDownForm(TComponent* AOwner, int Dummy);
    explicit TDropDownForm(TComponent* AOwner) : TDropDownForm(AOwner, 0) {}
    ~TDropDownForm() override;

    // The tick count of the last deactivation (for the drop button's 250 ms guard).
    DWORD DeActivateTime() const { return FDeActivate; }
    // The drop shadow the edit gives the window class at the next opening.
    bool Shadow() const { return FShadow; }  // default true
    void SetShadow(bool Value) { FShadow = Value; }
    TAdvHeader* Header() const { return FHeader; }
    TAdvFooter* Footer() const { return FFooter; }
    TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
    void SetAdvDropDown(TAdvCustomDropDown* Value) { FAdvDropDown = Value; }
    // Never created by the popup.
    TWinControl* ScrollBox() const { return FScrollBox; }
    // The bottom right corner answers as a sizing grip.
    bool Sizeable() const { return FSizeable; }  // default false
    void SetSizeable(bool Value) { FSizeable = Value; }
    // What a deactivation passes to the edit's ClosePopup as Cancelled.
    bool CancelOnDeActivate() const { return FCancelOnDeActivate; }  // default true
    void SetCancelOnDeActivate(bool Value) { FCancelOnDeActivate = Value; }
    // Skips the popup's own activation handling.
    bool BlockActivate() const { return FBlockActivate; }
    void SetBlockActivate(bool Value) { FBlockActivate = Value; }
    // From the start of a deactivation's handling until the popup was closed by it.
    bool IsDeactivating() const { return FIsDeactivating; }
    void SetIsDeactivating(bool Value) { FIsDeactivating = Value; }

    // Fired on every WM_SIZING, after the default handling.
    TNotifyEvent OnSizing;

    // Brings header and footer in line with the edit's DropDownHeader and DropDownFooter: made
    // when first visible, hidden when no longer; nothing without an edit.
    void InitializeAndUpdate();
    virtual void UpdateSize() {}

protected:
    void CreateParams(TCreateParams& Params) override;
    void AdjustClientRect(TRect& Rect) override;
    void PaintWindow(HDC DC) override;
    virtual void Paint();
    void Dispatch(TMessage& Message) override;
    void WMActivate(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMSizing(TMessage& Message);
    void WMGetDlgCode(TMessage& Message);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    DWORD FDeActivate = 0;
    bool FShadow = true;
    TAdvFooter* FFooter = nullptr;
    TAdvHeader* FHeader = nullptr;
    TAdvCustomDropDown* FAdvDropDown = nullptr;
    TWinControl* FScrollBox = nullptr;
    bool FSizeable = false;
    bool FCancelOnDeActivate = true;
    bool FBlockActivate = false;
    bool FIsDeactivating = false;

    void paintBackground(TCanvas* Canvas);
    void deactivated(HWND Activated);
};

// The painted drop button. ButtonStyle bsDropDown (the edit's) draws the arrow; bsButton a push
// button with a glyph and a caption.
class TAdvDropDownSpeedButton : public THotSpeedButton {
public:
    explicit TAdvDropDownSpeedButton(TComponent* AOwner);

    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    advdropdown::TButtonStyle ButtonStyle() const { return FButtonStyle; }
    // Stores and repaints, also when unchanged.
    void SetButtonStyle(advdropdown::TButtonStyle Value);

protected:
    void Paint() override;

private:
    bool FEtched = false;
    bool FFocused = false;
    bool FIsWinXP;  // the common controls are version 6 or later (taken at creation)
    advdropdown::TButtonStyle FButtonStyle = advdropdown::bsDropDown;

    bool pressed() const { return State() == bsDown || State() == bsExclusive; }
    void paintDropDown();
    void paintButton();
};

// The windowed container of the drop button; its width is always FBWidth.
class TDropDownEditButton : public TWinControl {
public:
    explicit TDropDownEditButton(TComponent* AOwner);

    TAdvDropDownSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
    // The control the button belongs to (the edit); dropped when it is freed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    int ButtonWidth() const { return FBWidth; }  // default 16
    void SetButtonWidth(int Value);

    // The face (clNone: the themed or plain look), under the pointer and pressed.
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value) { FButtonColor = Value; }
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }
    // The arrow (clNone: the edit's font colour), under the pointer and pressed.
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }

    // Fired when the left mouse button is released over the button (not on the press).
    TNotifyEvent OnClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    void WMSize(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

private:
    TAdvDropDownSpeedButton* FButton;
    TWinControl* FFocusControl = nullptr;
    int FBWidth = 16;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColorDown = clNone;

    void AdjustWinSize(int& W, int& H);
    void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
};
