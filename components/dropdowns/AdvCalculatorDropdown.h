// TAdvCalculatorDropdown: a number edit whose popup is a pocket calculator. The edit is the
// display: every key reads the operand back from the shown text (rounded to the precision), so
// what is shown is what the next operation works with. Operators chain from left to right
// without precedence; the accumulator, the pending operator and the memory survive from one
// opening to the next. Keys arrive from the panel (CalcButtonClick), typed into the open popup
// (CalcKeyPress) and typed into the edit (KeyPress).
#pragma once

#include "components/dropdowns/AdvDropDown.h"
#include "components/dropdowns/CalcButtonPanel.h"

#include <memory>

class TAdvCalculatorDropdown : public TAdvDropDown {
public:
    // White popup 230 wide without header or footer; a float edit with two decimals.
    explicit TAdvCalculatorDropdown(TComponent* AOwner);
    ~TAdvCalculatorDropdown() override;

    calcpanel::TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(calcpanel::TButtonAppearance* Value) { FCalcButtonAppearance->Assign(Value); }
    // The display groups thousands (the edit becomes a money edit).
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool Value);
    using TAdvCustomDropDown::Precision;
    using TAdvCustomDropDown::SetPrecision;
    // The display value; 0 when the text is no number. Writing shows it in "%g" form.
    long double Value();
    void SetValue(long double Value);
    TCustomButtonPanel* ButtonPanel() const { return FAdvButtonPanel; }

    // The equals key.
    void CalcResult() { DoEquals(); }
    void SetComponentStyle(TTesselStyle AStyle) override;
    void KeyPress(Char& Key) override;
    // A panel button by its index, as the panel's OnButtonClick reports it.
    void CalcButtonClick(TObject* Sender, int Index);

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void ClosePopup(bool Cancelled) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void PopupKeyPress(Char& Key) override;
    void PopupKeyDown(Word& Key, TShiftState Shift) override;
    // Before every key of the panel and of the open popup; for descendants.
    virtual void BeforeButtonClick() {}
    void Dispatch(TMessage& Message) override;

    // The key engine.
    void ApplyPendingOperation();
    void DoPlus();
    void DoMinus();
    void DoMultiply();
    void DoDivide();
    void DoEquals();
    void DoPercent();
    void CalcKeyPress(Char Key);
    // The shown text as a number; raises EConvertError when it is none.
    long double DisplayValue() const;

private:
    TCustomButtonPanel* FAdvButtonPanel = nullptr;
    int FDecim = 0;        // place divisor of the next decimal digit; 0: integer digits
    bool FNewval = false;  // the next digit starts a new number
    long double FPrevval = 0;
    int FPrevop = -1;  // -1 none, 0 add, 1 multiply, 2 subtract, 3 divide
    bool FCalcClosed = true;
    std::unique_ptr<calcpanel::TButtonAppearance> FCalcButtonAppearance;
    long double FMVal = 0;
    bool FShowThousandSeparator = false;
    bool FTypedThrough = false;  // a window character the calculator has seen already

    bool popupHidden() const;
    bool maxLengthReached() const;
    void typeDigit(int Digit);
    void changeSign();
    void decimalPoint();
    void clearAll();
    void back();
    void setOperator(int Op);
    void setErrorText();
    void zeroIfEmptyOrError();
    void typedKey(Char& Key);
    bool operatorKey(Char Key);
};
