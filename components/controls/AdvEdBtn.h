// TAdvEditBtn: a typed edit with a button inside its right edge (a push button with glyph and
// caption, or a drop-down arrow; flat or etched, themed or in colours of its own) that can also
// reveal a password while it is held. The button sits in a windowed container, TEditButton,
// that the edit owns.
#pragma once

#include "components/controls/AdvEdit.h"
#include "components/controls/HotSpeedButton.h"
#include "framework/ui/Buttons.h"

namespace advedbtn {
enum TButtonStyle { bsButton, bsDropDown };
}  // namespace advedbtn

// The painted button: a push button or a drop-down arrow, by the owning edit's ButtonStyle.
class TAdvSpeedButton : public THotSpeedButton {
public:
    explicit TAdvSpeedButton(TComponent* AOwner);

    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // The flat look's focused state (the edit has the focus or the pointer).
    bool Focused() const { return FFocused; }
    void SetFocused(bool Value);
    // Forces the raised look, whatever the button's state.
    void SetUp() { FUp = true; }

protected:
    void Paint() override;
    void PaintButton();
    void PaintDropDown();

private:
    bool FEtched = false;
    bool FFocused = false;
    bool FUp = false;
    bool FIsWinXP;  // common controls version 6 or later

    class TAdvEditBtn* owningEdit() const;
    class TEditButton* container() const;
    bool isDown() const;
    bool isDisabled() const;
    // The theme part's state: 4 disabled, 3 down, 2 hot, 1 normal.
    int themeState() const;
    // The custom face: ButtonColor (hot, down), with a line in the edit's BorderColor at the left.
    void paintCustomFace(const TRect& R);
};

// The container of the button: its width is always the button width, the button covers it.
class TEditButton : public TWinControl {
public:
    explicit TEditButton(TComponent* AOwner);

    TAdvSpeedButton* Button() const { return FButton; }
    // Colours of the face and the caption; clNone: the themed or plain look.
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    TColor ButtonColorHot() const { return FButtonColorHot; }
    void SetButtonColorHot(TColor Value);
    TColor ButtonColorDown() const { return FButtonColorDown; }
    void SetButtonColorDown(TColor Value);
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value);
    TColor ButtonTextColor() const { return FButtonTextColor; }
    void SetButtonTextColor(TColor Value);
    TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
    void SetButtonTextColorHot(TColor Value);
    TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
    void SetButtonTextColorDown(TColor Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
    String ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    // Takes the focus after a click; cleared when that control is freed.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
    int ButtonWidth() const { return FBWidth; }  // default 16
    void SetButtonWidth(int Value);

    TNotifyEvent OnClick;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    void WMSize(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CreateButton();
    void AdjustWinSize(int& W, int& H);
    void BtnMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void BtnMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    TAdvSpeedButton* FButton = nullptr;
    TComponentLink<TWinControl> FFocusControl;
    int FBWidth = 16;
    TColor FButtonColorDown = clNone;
    TColor FButtonBorderColor = clNone;
    TColor FButtonColor = clNone;
    TColor FButtonColorHot = clNone;
    TColor FButtonTextColor = clNone;
    TColor FButtonTextColorHot = clNone;
    TColor FButtonTextColorDown = clNone;

    void repaintButton();
};

class TAdvEditBtn : public TAdvEdit {
public:
    explicit TAdvEditBtn(TComponent* AOwner);

    String ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }
    const String& ButtonHint() const { return FButtonHint; }
    void SetButtonHint(const String& Value);
    advedbtn::TButtonStyle ButtonStyle() const { return FButtonStyle; }  // default bsButton
    void SetButtonStyle(advedbtn::TButtonStyle Value);
    int ButtonWidth() const { return FButton ? FButton->ButtonWidth() : 17; }  // default 17
    void SetButtonWidth(int Value);
    // Off: typing, pasting and cutting are dropped; copying, F4 and the button still work.
    bool EditorEnabled() const { return FEditorEnabled; }  // default true
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
    // The button is enabled only while the edit is enabled and not read-only.
    void SetReadOnly(bool Value);
    // A password edit shows its text while the button is held.
    bool ShowPassOnClick() const { return FShowPassOnClick; }
    void SetShowPassOnClick(bool Value) { FShowPassOnClick = Value; }
    TEditButton* Button() const { return FButton; }

    TNotifyEvent OnClickBtn;
    TNotifyEvent OnBtnMouseDown;
    TNotifyEvent OnBtnMouseUp;

    int GetVersionNr() const override { return 0x01030600; }
    // The formatting rectangle: the text ends before the button.
    void SetEditRect();
    // The lowest height that shows the font: tmHeight + min(tmHeight, system font's) / 4.
    int GetMinHeight();
    void SetEnabled(bool Value) override;

protected:
    virtual void DoClickBtn();
    void Loaded() override;
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void Dispatch(TMessage& Message) override;
    void WMKeyDown(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMSize(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CNCommand(TMessage& Message);
    void ResizeControl();
    void UpdateButtonFocus();
    void BtnMouseDown();
    void BtnMouseUp();

    // Extra room kept at the right of the text.
    int FUnitSize = 0;

private:
    TEditButton* FButton = nullptr;
    // The button edit's own switch: the typed edit's stays on, so the keys this edit lets through
    // (Return, Escape, Ctrl+C) keep their rules.
    bool FEditorEnabled = true;
    bool FFlat = false;
    bool FEtched = false;
    bool FMouseInControl = false;
    String FButtonHint;
    advedbtn::TButtonStyle FButtonStyle = advedbtn::bsButton;
    bool FShowPassOnClick = false;
    bool FIsPass = false;

    void enableButton();
};
