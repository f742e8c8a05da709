// The watch's 13 styles and the component colour schemes, as tables of values written into the
// appearance.
#include "components/dropdowns/AdvWatch.h"

#include "framework/rtl/SysUtils.h"

#include <algorithm>

namespace {

// ---------------------------------------------------------------------------------------------
// Component colour schemes

struct TWatchScheme {
    TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CenterPointBorder, CenterPoint, Marks, Shadows,
        SecondPointer;
};

constexpr TColor kKeep = clNone;  // rows from tsWindows8 on: nothing beyond the black values

constexpr TWatchScheme kSchemes[] = {
    // AMPMBorder AMPM      Background BackgroundTo Border   CPBorder  CP        Marks     Shadows   Second
    /* tsOffice2003Blue     */ {0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759,
                                0xFFFFFF, 0xFFFFFF},
    /* tsOffice2003Silver   */
    {0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
    /* tsOffice2003Olive    */
    {0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
    /* tsOffice2003Classic  */
    {0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    /* tsOffice2007Luna     */
    {0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
    /* tsOffice2007Obsidian */
    {0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
    /* tsWindowsXP          */ {0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
    /* tsWhidbey            */
    {0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
    /* tsCustom             */ {kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep, kKeep},
    /* tsOffice2007Silver   */
    {0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
    /* tsWindowsVista       */
    {0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
    /* tsWindows7           */
    {0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
    /* tsTerminal           */
    {0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    /* tsOffice2010Blue     */
    {0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
    /* tsOffice2010Silver   */
    {0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
    /* tsOffice2010Black    */
    {0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
};
static_assert(std::size(kSchemes) == tsOffice2010Black + 1);

// ---------------------------------------------------------------------------------------------
// Watch styles

void setFont(TFont* Font, const char* Name, int Size, TFontStyles Style) {
    Font->SetName(QString::fromLatin1(Name));
    if (Size > 0) Font->SetSize(Size);
    Font->SetStyle(Style);
}

// HourPointer c, its shadow clBtnShadow, width 5.
void pointerSet(TWatchAppearance* A, TColor C) {
    A->SetHourPointer(C);
    A->SetHourPointerShadow(clBtnShadow);
    A->SetHourPointerSize(5);
}

// Thin pointers and double quarter marks of one colour on a shape.
void fineSet(TWatchAppearance* A, TColor C, TWatchShape Shape) {
    A->SetCenterPointSize(20);
    A->HourFont()->SetColor(clWindowText);
    setFont(A->HourFont(), "MS Sans Serif", 8, {});
    A->SetHourColor(C);
    A->SetHourMarkLength(10);
    A->SetHourPointer(C);
    A->SetHourPointerShadow(clBtnShadow);
    A->SetHourPointerSize(2);
    A->SetMinuteColor(C);
    A->SetMinutePointer(C);
    A->SetMinutePointerShadow(clBtnShadow);
    A->SetMinutePointerSize(2);
    A->SetShape(Shape);
    A->SetCenterPointOuterBorderColor(0);
    A->SetHourMarkWidth(2);
    A->SetHourMarkStyle(hmsQuartDblLine);
}

// Lengths that follow the control's size still fit the appearance's byte fields.
Byte byteLength(Int64 Value) { return Byte(std::clamp<Int64>(Value, 0, 255)); }

}  // namespace

void ApplyWatchColorScheme(TWatchAppearance* A, TTesselStyle AStyle) {
    A->SetCenterPointOuterBorderColor(0);
    A->HourFont()->SetColor(0);
    A->AMPMFont()->SetColor(0);
    if (AStyle > tsOffice2010Black || AStyle == tsCustom) return;
    const TWatchScheme& S = kSchemes[AStyle];
    A->SetAMPMBorderColor(S.AMPMBorder);
    A->SetAMPMColor(S.AMPM);
    A->SetBackgroundColor(S.Background);
    A->SetBackgroundColorTo(S.BackgroundTo);
    A->SetBorderColor(S.Border);
    A->SetCenterPointBorderColor(S.CenterPointBorder);
    A->SetCenterPointColor(S.CenterPoint);
    A->SetHourColor(S.Marks);
    A->SetMinuteColor(S.Marks);
    A->SetHourPointer(S.Marks);
    A->SetMinutePointer(S.Marks);
    A->SetHourPointerShadow(S.Shadows);
    A->SetMinutePointerShadow(S.Shadows);
    A->SetSecondPointer(S.SecondPointer);
    if (AStyle == tsOffice2007Obsidian) {
        A->AMPMFont()->SetColor(0xF2F1F0);
        A->HourFont()->SetColor(0xF2F1F0);
    }
}

void TAdvWatch::SetComponentStyle(TTesselStyle AStyle) { ApplyWatchColorScheme(FAppearance.get(), AStyle); }

// Fonts are changed in place: the appearance's font writers would copy them over themselves.
void TAdvWatch::SetStyle(TWatchStyle Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    if (Value == wsCustom) return;
    TWatchAppearance* A = FAppearance.get();
    A->Reset();
    const int Wd = Width(), Ht = Height();
    bool ShowAMPM = FShowAMPM, ShowNumbers = FShowNumbers;
    switch (Value) {
        case wsClassic:
            setFont(A->AMPMFont(), "MS Sans Serif", 0, {});
            setFont(A->HourFont(), "Comic Sans MS", 10, {fsBold});
            A->SetHourMarkLength(8);
            pointerSet(A, 0);
            A->SetMinutePointerShadow(clBtnShadow);
            A->SetMinuteMarkLength(4);
            FAnimation = true;
            FAnimationFactor = 10;
            ShowAMPM = ShowNumbers = true;
            break;
        case wsTower:
            setFont(A->AMPMFont(), "MS Sans Serif", 0, {});
            A->SetAMPMFrame(apRect);
            A->SetBorderWidth(1);
            A->SetBackgroundColor(0xB1F0FE);
            A->SetBackgroundGradient(wgDiagonalForward);
            A->SetCenterPointColor(0x002BD5);
            A->SetCenterPointSize(6);
            A->HourFont()->SetColor(clWindowText);
            setFont(A->HourFont(), "Century", 0, {fsBold});
            pointerSet(A, 0);
            A->SetMinutePointerShadow(clBtnShadow);
            A->SetSecondPointer(0x002BD5);
            A->SetShape(wsRect);
            A->SetPointerStyle(psPointer);
            A->SetBackgroundColorTo(0x5BCCE8);
            A->SetAMPMColor(A->BackgroundColor());
            A->SetTickMarks(tmHours);
            ShowNumbers = false;
            break;
        case wsFluorescent:
            A->AMPMFont()->SetColor(clWindowText);
            setFont(A->AMPMFont(), "MS Sans Serif", 10, {});
            A->SetAMPMFrame(apRoundRect);
            A->SetBorderColor(0xFF3E3E);
            A->SetBackgroundColor(0);
            A->SetBackgroundColorTo(0);
            A->SetCenterPointColor(0xFF3E3E);
            A->SetCenterPointBorderColor(0);
            A->SetCenterPointOuterBorderColor(0);
            fineSet(A, 0xFF3E3E, wsRoundRect);
            A->SetTickMarks(tmHours);
            ShowAMPM = ShowNumbers = false;
            break;
        case wsEmerald:
            A->AMPMFont()->SetColor(0xA00000);
            setFont(A->AMPMFont(), "MS Sans Serif", 0, {});
            A->SetAMPMFrame(apRoundRect);
            A->SetBorderColor(0x3AE800);
            A->SetBackgroundColor(0x3AE800);
            A->SetBackgroundColorTo(0);
            A->SetBackgroundGradient(wgDiagonalForward);
            A->SetCenterPointBorderColor(0x40FF00);
            A->SetCenterPointColor(0x38E100);
            A->SetCenterPointSize(16);
            setFont(A->HourFont(), "MS Sans Serif", 0, {});
            A->HourFont()->SetColor(A->BackgroundColor());
            pointerSet(A, 0x40FF00);
            A->SetMinutePointer(0x40FF00);
            A->SetMinutePointerShadow(clBtnShadow);
            A->SetShape(wsRect);
            A->SetPointerStyle(psPointer);
            A->SetAMPMColor(clNone);
            A->SetCenterPointOuterBorderColor(0);
            A->SetHourMarkStyle(hmsQuartDblLine);
            A->SetHourColor(A->BackgroundColor());
            A->SetSecondPointer(0x00FFFF);
            A->SetTickMarks(tmHours);
            ShowAMPM = ShowNumbers = false;
            break;
        case wsBlueStar:
            A->AMPMFont()->SetColor(0xA00000);
            setFont(A->AMPMFont(), "MS Sans Serif", 10, {});
            A->SetAMPMBorderColor(clNone);
            A->SetAMPMFrame(apRoundRect);
            A->SetBorderColor(0xFFD5D5);
            A->SetBackgroundColor(0xFFD5D5);
            A->SetBackgroundColorTo(0xA00000);
            A->SetBackgroundGradient(wgRadial);
            setFont(A->HourFont(), "MS Sans Serif", 8, {});
            A->HourFont()->SetColor(A->BackgroundColor());
            pointerSet(A, 0xA00000);
            A->SetMinutePointer(0xA00000);
            A->SetMinutePointerShadow(clBtnShadow);
            A->SetShape(wsRoundRect);
            A->SetPointerStyle(psPointer);
            A->SetAMPMColor(clNone);
            ShowAMPM = ShowNumbers = true;
            break;
        case wsFuchsia:
            A->AMPMFont()->SetColor(clWindowText);
            setFont(A->AMPMFont(), "MS Sans Serif", 10, {});
            A->SetAMPMFrame(apRoundRect);
            A->SetBorderColor(0xFFD0FF);
            A->SetBackgroundColor(0);
            A->SetBackgroundColorTo(0);
            A->SetCenterPointBorderColor(0xDD68DD);
            fineSet(A, 0xFFD0FF, wsRect);
            A->SetSecondPointer(0xDD68DD);
            A->SetTickMarks(tmQuartHours);
            ShowAMPM = ShowNumbers = false;
            break;
        case wsBlack:
            setFont(A->AMPMFont(), "MS Sans Serif", 0, {});
            A->SetBackgroundColor(0x202020);
            A->SetBackgroundColorTo(clNone);
            A->SetBorderColor(0);
            A->SetCenterPointBorderColor(0xFFFFFF);
            A->SetCenterPointOuterBorderColor(0xFFFFFF);
            A->SetCenterPointColor(0xFFFFFF);
            A->SetHourColor(0x585858);
            A->HourFont()->SetColor(0xFFFFFF);
            setFont(A->HourFont(), "Century Gothic", 11, A->HourFont()->Style());
            pointerSet(A, 0xFFFFFF);
            A->SetMinuteColor(0x585858);
            A->SetMinutePointer(0xFFFFFF);
            A->SetMinutePointerShadow(clBtnShadow);
            A->SetMinuteMarkLength(4);
            ShowAMPM = false;
            ShowNumbers = true;
            break;
        case wsBlackWhite:
            A->SetBackgroundColor(0xFFFFFF);
            A->SetBackgroundColorTo(clNone);
            A->SetBorderColor(0);
            A->SetBorderWidth(8);
            A->SetCenterPointBorderColor(0);
            A->SetCenterPointOuterBorderColor(0);
            A->SetCenterPointColor(0);
            A->SetCenterPointSize(8);
            A->SetHourColor(0x585858);
            A->HourFont()->SetColor(0);
            setFont(A->HourFont(), "Century Gothic", 14, {fsBold});
            pointerSet(A, 0);
            A->SetMinutePointer(0);
            A->SetMinutePointerShadow(clBtnShadow);
            A->SetMinuteMarkLength(4);
            A->SetSecondPointer(0x000080);
            A->SetPointerStyle(psPointer);
            A->SetTickMarks(tmQuartHours);
            ShowAMPM = false;
            ShowNumbers = true;
            break;
        case wsGray:
            setFont(A->AMPMFont(), "MS Sans Serif", 10, A->AMPMFont()->Style());
            A->SetBackgroundColor(0xD1D1D1);
            A->SetBackgroundColorTo(0x6C6C6C);
            A->SetBackgroundGradient(wgRadial);
            A->SetBorderColor(0x454545);
            A->SetCenterPointBorderColor(0x454545);
            A->SetCenterPointColor(0);
            A->SetCenterPointOuterBorderColor(clNone);
            A->SetHourColor(0);
            setFont(A->HourFont(), "Comic Sans MS", 8, {});
            A->SetHourPointer(0x4E4E4E);
            A->SetMinutePointer(0x4E4E4E);
            A->SetHourPointerShadow(clNone);
            A->SetMinutePointerShadow(clNone);
            A->SetHourPointerSize(1);
            A->SetMinutePointerSize(1);
            A->SetMinuteColor(0x808080);
            A->SetSecondPointer(0x0000FF);
            ShowAMPM = ShowNumbers = true;
            break;
        case wsSuperNova:
            A->SetBackgroundColorTo(0xD1D3D3);
            A->SetBorderColor(clNone);
            A->SetCenterPointOuterBorderColor(0);
            A->SetCenterPointSize(10);
            A->SetHourMarkLength(byteLength(Round(std::min(Ht, Wd) / 4.5)));
            A->SetHourPointer(0);
            A->SetHourPointerShadow(clBtnShadow);
            A->SetMinuteColor(0x808080);
            A->SetMinuteMarkLength(byteLength(std::min(Ht, Wd) / 3));
            A->SetMinutePointer(0);
            ShowAMPM = ShowNumbers = false;
            break;
        case wsSports:
            A->SetBackgroundColor(0);
            A->SetBackgroundColorTo(clNone);
            A->SetBorderColor(0);
            A->SetBorderWidth(1);
            A->SetCenterPointBorderColor(0xFF0000);
            A->SetCenterPointOuterBorderColor(0);
            A->SetCenterPointColor(0x191919);
            A->SetCenterPointSize(byteLength(Round(std::min(Ht, Wd) / 3.6)));
            A->SetHourColor(0xABB0B1);
            A->HourFont()->SetColor(0x797979);
            setFont(A->HourFont(), "Times New Roman", 9, A->HourFont()->Style());
            A->SetHourPointer(0x0000FF);
            A->SetHourPointerShadow(clNone);
            A->SetMinutePointerShadow(clNone);
            A->SetHourPointerSize(2);
            A->SetMinutePointerSize(2);
            A->SetMinuteColor(0x808080);
            A->SetMinutePointer(0x00FFFF);
            A->SetMinuteMarkLength(1);
            A->SetSecondPointer(0x188BFE);
            A->SetTickMarks(tmQuartHours);
            ShowAMPM = false;
            ShowNumbers = true;
            break;
        case wsSmooth:
            A->SetBackgroundColor(0xFFFFFF);
            A->SetBackgroundColorTo(0xABB0B1);
            A->SetBorderColor(0x585858);
            A->SetBorderWidth(1);
            A->SetCenterPointBorderColor(0);
            A->SetCenterPointOuterBorderColor(0x4A4A4A);
            A->SetCenterPointColor(0xFFFFFF);
            A->SetCenterPointSize(6);
            A->SetHourColor(0xABB0B1);
            A->HourFont()->SetColor(0x797979);
            setFont(A->HourFont(), "Times New Roman", 9, A->HourFont()->Style());
            A->SetHourPointer(0x4A4A4A);
            A->SetMinutePointer(0x4A4A4A);
            A->SetHourPointerShadow(0xB2B2B2);
            A->SetMinutePointerShadow(0xB2B2B2);
            A->SetHourPointerSize(2);
            A->SetMinutePointerSize(2);
            A->SetMinuteColor(0x808080);
            A->SetMinuteMarkLength(1);
            A->SetSecondPointer(0x4A4A4A);
            A->SetTickMarks(tmQuartHours);
            ShowAMPM = false;
            ShowNumbers = true;
            break;
        case wsCustom:
            break;
    }
    SetShowAMPM(ShowAMPM);
    SetShowNumbers(ShowNumbers);
    Invalidate();
}
