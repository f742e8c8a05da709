#include "components/dropdowns/AdvCalculatorDropdown.h"

#include "components/dropdowns/AdvDropDownText.h"
#include "framework/rtl/Character.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/SysUtils.h"

#include <climits>
#include <cmath>

using namespace advdropdown;
using namespace calcpanel;

namespace {

// The key codes the panel's buttons carry in their Tag.
enum TCalcKey {
    ckAdd = 10,
    ckSubtract = 11,
    ckMultiply = 12,
    ckDivide = 13,
    ckSign = 14,
    ckDecimal = 15,
    ckClear = 16,
    ckEquals = 17,
    ckPercent = 18,
    ckAllClear = 30,
    ckBack = 31,
    ckClearEntry = 32,
    ckMemoryClear = 33,
    ckMemoryRecall = 34,
    ckMemoryStore = 35,
    ckMemoryAdd = 36,
    ckSquareRoot = 37,
    ckReciprocal = 38,
};

// Pending operators.
constexpr int opNone = -1, opAdd = 0, opMultiply = 1, opSubtract = 2, opDivide = 3;

const String kError = QStringLiteral("Error");

Char DS() { return FormatSettings.DecimalSeparator; }
Char TS() { return FormatSettings.ThousandSeparator; }

}  // namespace

TAdvCalculatorDropdown::TAdvCalculatorDropdown(TComponent* AOwner)
    : TAdvDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>()) {
    SetDropDownColor(clWhite);
    SetDropDownWidth(230);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetEditType(etFloat);
    SetPrecision(2);
    SetSigned(true);
    // The base made its popup before this class existed: the panel comes now.
    if (!ComponentState().Contains(csDesigning)) CreateDropDownForm();
}

void TAdvCalculatorDropdown::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAdvButtonPanel) FAdvButtonPanel = nullptr;
}

TAdvCalculatorDropdown::~TAdvCalculatorDropdown() = default;

// ---------------------------------------------------------------------------------------------
// Popup

void TAdvCalculatorDropdown::CreateDropDownForm() {
    TAdvDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FAdvButtonPanel) {
        FAdvButtonPanel = new TCustomButtonPanel(this);
        FAdvButtonPanel->SetParent(FDropDownForm);
        FAdvButtonPanel->SetAdvDropDown(this);
        FAdvButtonPanel->SetHeight(150);
        FAdvButtonPanel->InitButtons();
    }
    SetControl(FAdvButtonPanel);
    FAdvButtonPanel->OnButtonClick = [this](TObject* Sender, int Index) { CalcButtonClick(Sender, Index); };
}

void TAdvCalculatorDropdown::BeforeDropDown() {
    const TWeak<TAdvCalculatorDropdown> Self(this);
    TAdvDropDown::BeforeDropDown();
    if (!Self) return;
    if (!FAdvButtonPanel && FDropDownForm) CreateDropDownForm();
    // A popup closed by another window's activation keeps the shown value.
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (FAdvButtonPanel) {
        FAdvButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
        FAdvButtonPanel->SetColor(DropDownColor());
        FAdvButtonPanel->UpdateButtonLayout();
    }
    // "-" is an operator while the popup is open.
    SetSigned(false);
    FNewval = true;
    FDecim = 0;
    FCalcClosed = false;
}

void TAdvCalculatorDropdown::ClosePopup(bool Cancelled) {
    const TWeak<TAdvCalculatorDropdown> Self(this);
    TAdvDropDown::ClosePopup(Cancelled);
    if (Self) SetSigned(true);
}

bool TAdvCalculatorDropdown::popupHidden() const { return FCalcClosed || (FDropDownForm && !FDropDownForm->Visible()); }

// ---------------------------------------------------------------------------------------------
// Values

long double TAdvCalculatorDropdown::DisplayValue() const { return StrToFloat(RemoveThousandSeparators(GetText())); }

long double TAdvCalculatorDropdown::Value() {
    if (GetText().isEmpty()) SetText(QStringLiteral("0"));
    Extended Result = 0;
    return TryStrToFloat(RemoveThousandSeparators(GetText()), Result) ? Result : 0;
}

void TAdvCalculatorDropdown::SetValue(long double Value) { SetText(Format(QStringLiteral("%g"), {Value})); }

void TAdvCalculatorDropdown::SetShowThousandSeparator(bool Value) {
    if (FShowThousandSeparator == Value) return;
    FShowThousandSeparator = Value;
    SetEditType(Value ? etMoney : etFloat);
    SetFloatValue(GetFloatValue());
}

void TAdvCalculatorDropdown::SetComponentStyle(TTesselStyle AStyle) {
    TAdvDropDown::SetComponentStyle(AStyle);
    const TAdvButtonAppearance* B = ButtonAppearance();
    TButtonAppearance* C = FCalcButtonAppearance.get();
    C->SetBorderColor(B->BorderColor());
    C->SetBorderColorHot(B->BorderColorHot());
    C->SetBorderColorDown(B->BorderColorDown());
    C->SetColor(B->Color());
    C->SetColorTo(B->ColorTo());
    C->SetColorDown(B->ColorDown());
    C->SetColorDownTo(B->ColorDownTo());
    C->SetColorHot(B->ColorHot());
    C->SetColorHotTo(B->ColorHotTo());
    C->SetColorDisabled(B->ColorDisabled());
    C->SetColorDisabledTo(B->ColorDisabledTo());
    C->SetBorderColorChecked(B->BorderColorDisabled());
    C->SetColorChecked(B->ColorDisabledTo());
    C->SetColorCheckedTo(B->ColorHotTo());
    if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
        C->SetGlowColorHot(B->ColorHot());
        C->SetGlowColorDown(B->ColorHot());
    } else {
        C->SetGlowColorHot(B->ColorDownTo());
        C->SetGlowColorDown(0xD5C244);
    }
}

// ---------------------------------------------------------------------------------------------
// The operations the keys share

void TAdvCalculatorDropdown::zeroIfEmptyOrError() {
    const String T = GetText();
    if (T.isEmpty() || T == kError) SetText(QStringLiteral("0"));
}

void TAdvCalculatorDropdown::setErrorText() { SetText(kError); }

void TAdvCalculatorDropdown::ApplyPendingOperation() {
    zeroIfEmptyOrError();
    const long double X = DisplayValue();
    try {
        switch (FPrevop) {
            case opAdd:
                FPrevval += X;
                break;
            case opMultiply:
                FPrevval *= X;
                break;
            case opSubtract:
                FPrevval -= X;
                break;
            case opDivide:
                if (X == 0) {
                    FPrevval = 0;
                    setErrorText();
                    return;
                }
                FPrevval /= X;
                break;
            default:
                FPrevval = DisplayValue();
                break;
        }
    } catch (const Exception&) {
        FPrevval = 0;
    }
    SetFloatValue(static_cast<double>(FPrevval));
    FNewval = true;
}

void TAdvCalculatorDropdown::setOperator(int Op) {
    ApplyPendingOperation();
    FPrevop = Op;
}

void TAdvCalculatorDropdown::DoPlus() { setOperator(opAdd); }
void TAdvCalculatorDropdown::DoMinus() { setOperator(opSubtract); }
void TAdvCalculatorDropdown::DoMultiply() { setOperator(opMultiply); }
void TAdvCalculatorDropdown::DoDivide() { setOperator(opDivide); }

void TAdvCalculatorDropdown::DoEquals() {
    ApplyPendingOperation();
    if (GetText().isEmpty()) SetText(QStringLiteral("0"));
    FPrevop = opNone;
    // The accumulator takes the result as shown, rounded to the precision.
    if (GetText() != kError) FPrevval = DisplayValue();
}

void TAdvCalculatorDropdown::DoPercent() {
    zeroIfEmptyOrError();
    const long double X = DisplayValue();
    SetText(Format(QStringLiteral("%g"), {FPrevval * X / 100}));
}

// ---------------------------------------------------------------------------------------------
// Panel keys

bool TAdvCalculatorDropdown::maxLengthReached() const { return MaxLength() > 0 && GetText().size() >= MaxLength(); }

// The digit extends the magnitude: a negative number grows away from zero, as it is shown.
void TAdvCalculatorDropdown::typeDigit(int Digit) {
    double V = GetFloatValue();
    if ((V == 0 && FDecim == 0) || FNewval) {
        SetText(QString::number(Digit));
        FNewval = false;
        return;
    }
    const double Signed = V < 0 ? -Digit : Digit;
    if (FDecim > 0) {
        // Places past the integer range are far below any shown precision.
        if (FDecim > INT_MAX / 10) return;
        V += Signed / FDecim;
        FDecim *= 10;
    } else {
        V = V * 10 + Signed;
    }
    SetFloatValue(V);
}

void TAdvCalculatorDropdown::changeSign() {
    const String T = GetText();
    SetText(T.contains(u'-') ? T.mid(1) : QStringLiteral("-") + T);
}

void TAdvCalculatorDropdown::decimalPoint() {
    const String T = GetText();
    if (!T.contains(DS())) SetText(T + DS());
    FDecim = 10;
    if (FNewval) SetText(QStringLiteral("0"));
    FNewval = false;
}

void TAdvCalculatorDropdown::clearAll() {
    SetText(QStringLiteral("0"));
    FPrevval = 0;
    FPrevop = opNone;
}

void TAdvCalculatorDropdown::back() {
    if (FPrevop >= 0) return;
    String S = FloatToStr(GetFloatValue());
    S.chop(1);
    SetText(S);
}

void TAdvCalculatorDropdown::CalcButtonClick(TObject*, int Index) {
    if (!FAdvButtonPanel || Index < 0 || Index >= FAdvButtonPanel->Buttons()->Count()) return;
    const TWeak<TAdvCalculatorDropdown> Self(this);
    BeforeButtonClick();
    if (!Self || !FAdvButtonPanel || Index >= FAdvButtonPanel->Buttons()->Count()) return;
    const int Code = FAdvButtonPanel->Buttons()->Items(Index)->Tag();
    if ((Code >= ckAdd && Code <= ckSign) || (Code >= ckClear && Code <= ckPercent)) FDecim = 0;
    if ((Code >= 0 && Code <= 9) || Code == ckSign || Code == ckDecimal) {
        if (maxLengthReached()) return;
    }
    // "Error" and an empty display count as 0 for the memory; any other text that is no number
    // raises the conversion error.
    auto memoryOperand = [this]() -> long double {
        const String T = GetText();
        return T.isEmpty() || T == kError ? 0 : DisplayValue();
    };
    if (Code >= 0 && Code <= 9) {
        typeDigit(Code);
    } else {
        switch (Code) {
            case ckAdd:
                DoPlus();
                break;
            case ckSubtract:
                DoMinus();
                break;
            case ckMultiply:
                DoMultiply();
                break;
            case ckDivide:
                DoDivide();
                break;
            case ckSign:
                changeSign();
                break;
            case ckDecimal:
                decimalPoint();
                break;
            case ckClear:
            case ckAllClear:
            case ckClearEntry:
                clearAll();
                break;
            case ckEquals:
                DoEquals();
                break;
            case ckPercent:
                DoPercent();
                break;
            case ckBack:
                back();
                break;
            case ckMemoryClear:
                FMVal = 0;
                break;
            case ckMemoryRecall:
                SetFloatValue(static_cast<double>(FMVal));
                break;
            case ckMemoryStore:
                FMVal = memoryOperand();
                break;
            case ckMemoryAdd:
                FMVal += memoryOperand();
                break;
            case ckSquareRoot: {
                const double V = GetFloatValue();
                if (V < 0)
                    setErrorText();
                else
                    SetFloatValue(std::sqrt(V));
                break;
            }
            case ckReciprocal: {
                const double V = GetFloatValue();
                if (V == 0)
                    setErrorText();
                else
                    SetFloatValue(1 / V);
                break;
            }
            default:
                break;
        }
    }
    if (Self) SetModified(true);
}

// ---------------------------------------------------------------------------------------------
// Typed keys

void TAdvCalculatorDropdown::PopupKeyPress(Char& Key) {
    const Char Typed = Key;
    const TWeak<TAdvCalculatorDropdown> Self(this);
    TAdvDropDown::PopupKeyPress(Key);
    if (Self) CalcKeyPress(Typed);
}

// The operator keys typed into the open popup and into the closed edit alike; false for any
// other character.
bool TAdvCalculatorDropdown::operatorKey(Char Key) {
    switch (Key.unicode()) {
        case u'%':
            DoPercent();
            return true;
        case u'*':
            DoMultiply();
            return true;
        case u'+':
            DoPlus();
            return true;
        case u'-':
            DoMinus();
            return true;
        case u'/':
            DoDivide();
            return true;
        case u'=':
            DoEquals();
            return true;
        default:
            return false;
    }
}

void TAdvCalculatorDropdown::CalcKeyPress(Char Key) {
    const TWeak<TAdvCalculatorDropdown> Self(this);
    BeforeButtonClick();
    if (!Self) return;
    if (Key == DS() && !GetText().contains(DS())) SetText(GetText() + DS());
    if (IsNumber(Key) && maxLengthReached()) return;
    if (operatorKey(Key)) return;
    if (Key == u'\r') {
        DoEquals();
        if (Self) ClosePopup(false);
    } else if (Key == Char(27)) {
        ClosePopup(true);
    } else if (Key == u'c' || Key == u'C') {
        SetText(QStringLiteral("0"));
        FPrevval = 0;
        FNewval = true;
        FPrevop = opNone;
    } else if (Key >= u'0' && Key <= u'9') {
        FNewval = false;
    }
}

void TAdvCalculatorDropdown::PopupKeyDown(Word& Key, TShiftState Shift) {
    const Word Pressed = Key;
    const TWeak<TAdvCalculatorDropdown> Self(this);
    TAdvDropDown::PopupKeyDown(Key, Shift);
    if (!Self) return;
    if (Pressed == VK_TAB || Pressed == VK_F4) {
        ClosePopup(false);
    } else if (Pressed == VK_BACK) {
        String T = GetText();
        const bool WasError = T == kError;
        T.chop(1);
        SetText(WasError || T.isEmpty() ? QStringLiteral("0") : T);
    }
}

void TAdvCalculatorDropdown::KeyPress(Char& Key) {
    // A character typed into the window went through the calculator before the typed entry.
    if (!FTypedThrough) {
        const TWeak<TAdvCalculatorDropdown> Self(this);
        typedKey(Key);
        if (!Self || Key.isNull()) return;
    }
    TAdvDropDown::KeyPress(Key);
}

void TAdvCalculatorDropdown::typedKey(Char& Key) {
    const TWeak<TAdvCalculatorDropdown> Self(this);
    if (popupHidden() && !operatorKey(Key)) {
        if (Key == u'\r') {
            DoEquals();
        } else if (Key == u'c' || Key == u'C') {
            // The accumulator stays.
            SetText(QStringLiteral("0"));
            FNewval = true;
            FPrevop = opNone;
        }
    }
    if (!Self) return;
    if (!IsNumber(Key) && Key != DS() && Key != u'\b' && Key != u'-') {
        Key = QChar();
        return;
    }
    const String T = GetText();
    const int PrefixLength = static_cast<int>(Prefix().size());
    auto caretAfterFirst = [&] {
        SetSelStart(PrefixLength + 1);
        SetSelLength(0);
    };
    if ((T == QStringLiteral("0") || FNewval) && IsNumber(Key)) {
        SetText(QString(Key));
        Key = QChar();
        caretAfterFirst();
        FNewval = false;
        return;
    }
    if (T.size() == 1 && Key == u'\b') {
        SetText(QStringLiteral("0"));
        Key = QChar();
        caretAfterFirst();
        return;
    }
    if (Key == TS() || (Key == DS() && T.contains(DS()))) Key = QChar();
}

void TAdvCalculatorDropdown::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_CHAR) {
        // The calculator sees the character before the typed entry's filter, which knows no
        // operators; what it leaves goes on to be typed.
        Char Key(static_cast<char16_t>(Message.WParam));
        const TWeak<TAdvCalculatorDropdown> Self(this);
        typedKey(Key);
        if (!Self || Key.isNull()) return;
        Message.WParam = Key.unicode();
        FTypedThrough = true;
        TAdvDropDown::Dispatch(Message);
        if (Self) FTypedThrough = false;
        return;
    }
    const UINT Msg = Message.Msg;
    const WPARAM Key = Message.WParam;
    const TWeak<TAdvCalculatorDropdown> Self(this);
    TAdvDropDown::Dispatch(Message);
    if (!Self || Msg != WM_KEYDOWN || Key != VK_DELETE) return;
    const String T = GetText();
    if (T.isEmpty() || T == kError) SetText(QStringLiteral("0"));
}
