// THTMLRadioButton: the radio button of THTMLCheckBox's design (HTMLCheckBox.h): a mini-HTML
// caption beside a glyph in one of six styles. Radio buttons of one parent with the same
// GroupIndex exclude each other; checking one sets its TabStop and fires OnClick, unchecking
// fires nothing. Taking the focus checks it, so tabbing into a button selects it.
#pragma once

#include "components/controls/HTMLCheckBox.h"

class THTMLRadioButton : public TCustomHTMLButton {
public:
    explicit THTMLRadioButton(TComponent* AOwner);

    // Checking unchecks the group's other buttons and fires OnClick; TabStop follows it.
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    // Buttons of the same parent and group index exclude each other.
    Byte GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Byte Value) { FGroupIndex = Value; }

protected:
    // Fires OnClick; called when the button becomes checked.
    virtual void DoClick();
    // Empty: OnClick fires only on checking.
    void Click() override {}

    GlyphPlace placeGlyph() override;
    void paintCorvane(TCanvas* C, const TRect& R) override;
    void activate() override { SetChecked(true); }
    bool hotTracks() const override { return FIsWinXP && themeButtons(); }

    void Dispatch(TMessage& Message) override;
    void DoEnter() override;
    void WMLButtonDown(TMessage& Message);

private:
    bool FChecked = false;
    Byte FGroupIndex = 0;

    void uncheckGroup();
};
