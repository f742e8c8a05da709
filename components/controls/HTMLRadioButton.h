// THTMLRadioButton: the radio button of THTMLCheckBox's design (HTMLCheckBox.h): a mini-HTML
// caption beside a glyph in one of six styles. Radio buttons of one parent with the same
// GroupIndex exclude each other; checking one sets its TabStop and fires OnClick, unchecking
// fires nothing. Taking the focus checks it, so tabbing into a button selects it.
#pragma once

#include "components/controls/HTMLCheckBox.h"

class THTMLRadioButton : public TCustomControl {
public:
    explicit THTMLRadioButton(TComponent* AOwner);
    ~THTMLRadioButton() override;

    TLeftRight Alignment() const { return FAlignment; }  // default taLeftJustify
    void SetAlignment(TLeftRight Value);
    TButtonType ButtonType() const { return FButtonType; }  // default btClassic
    void SetButtonType(TButtonType Value);
    TTextLayout ButtonVertAlign() const { return FBtnVAlign; }  // default tlTop
    void SetButtonVertAlign(TTextLayout Value);
    // The markup; the class name at creation. Kept in step with the window text.
    String Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // Checking unchecks the group's other buttons and fires OnClick; TabStop follows it.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TColor CheckColor() const { return FCheckColor; }  // default clBlack
    void SetCheckColor(TColor Value);
    TColor DisabledColor() const { return FDisabledColor; }  // default clGray
    void SetDisabledColor(TColor Value);
    bool DisabledShadow() const { return FDisabledShadow; }  // default true
    void SetDisabledShadow(bool Value);
    // The glyph shown pressed; the mouse and Space set it, writing it only stores it.
    bool Down() const { return FDown; }
    void SetDown(bool Value) { FDown = Value; }
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    // Buttons of the same parent and group index exclude each other.
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value) { FGroupIndex = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TPictureContainer* PictureContainer() const { return FContainer; }
    void SetPictureContainer(TPictureContainer* Value);
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    TColor ShadowColor() const { return FShadowColor; }  // default clGray
    void SetShadowColor(TColor Value);
    int ShadowOffset() const { return FShadowOffset; }  // default 1
    void SetShadowOffset(int Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool TransparentChaching() const { return FTransparentCaching; }
    void SetTransparentChaching(bool Value) { FTransparentCaching = Value; }
    TColor URLColor() const { return FURLColor; }  // default clBlue
    void SetURLColor(TColor Value);
    // "1.6.2.0"; writing does nothing.
    String Version() const;
    void SetVersion(const String&) {}

    TAnchorClick OnAnchorClick;
    TAnchorClick OnAnchorEnter;
    TAnchorClick OnAnchorExit;

    int GetVersionNr() const { return 0x01060200; }
    String IsAnchor(int X, int Y);
    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // Fires OnClick; called when the button becomes checked.
    virtual void DoClick();
    // Empty: OnClick fires only on checking.
    void Click() override {}

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

    void WMEraseBkgnd(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMTextChanged(TMessage& Message);

private:
    bool FDown = false;
    bool FChecked = false;
    bool FFocused = false;
    TColor FCheckColor = clBlack;
    Byte FGroupIndex = 0;
    TButtonType FButtonType = btClassic;
    bool FReturnIsTab = false;
    TCustomImageList* FImages = nullptr;
    String FAnchor;
    TColor FURLColor = clBlue;
    std::unique_ptr<THTMLPictureCache> FImageCache;
    TTextLayout FBtnVAlign = tlTop;
    TLeftRight FAlignment = taLeftJustify;
    bool FEllipsis = false;
    String FCaption;
    TPictureContainer* FContainer = nullptr;
    int FShadowOffset = 1;
    TColor FShadowColor = clGray;
    bool FIsWinXP = false;
    bool FHot = false;
    TCursor FOldCursor = crDefault;
    bool FMouseDown = false;
    TColor FDisabledColor = clGray;
    bool FDisabledShadow = true;
    std::unique_ptr<TBitmap> FBkgBmp;
    bool FBkgCache = false;
    bool FTransparentCaching = false;
    bool FTransparent = false;
    double FScaleFactor = 1.0;

    struct GlyphPlace;
    GlyphPlace placeGlyph();
    TRect captionRect(int GlyphOffset) const;
    void paintGlyph(TCanvas* C, const GlyphPlace& G);
    void paintCorvane(TCanvas* C, const TRect& R);
    bool themeButtons() const { return FButtonType == btWinXP || FButtonType == btTheme; }
    void uncheckGroup();
};
