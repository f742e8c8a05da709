#include "tests/dropdowns/WatchFixture.h"

#include "framework/ui/Picture.h"

#include <map>
#include <string>
#include <vector>

namespace {

using Fields = std::map<std::string, std::string>;

std::string hex(Int64 V) { return QString::number(V, 16).toStdString(); }

// Every value of an appearance, by name.
Fields snapshot(TWatchAppearance* A) {
    auto font = [](TFont* F) {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(F->Name())
            .arg(F->Size())
            .arg(F->Color(), 0, 16)
            .arg(F->Style().Bits())
            .toStdString();
    };
    return {
        {"Size", hex(A->Size())},
        {"HourPointer", hex(A->HourPointer())},
        {"BackgroundColor", hex(A->BackgroundColor())},
        {"MinutePointerShadow", hex(A->MinutePointerShadow())},
        {"BackgroundColorTo", hex(A->BackgroundColorTo())},
        {"HourPointerShadow", hex(A->HourPointerShadow())},
        {"SecondPointer", hex(A->SecondPointer())},
        {"BorderColor", hex(A->BorderColor())},
        {"MinutePointer", hex(A->MinutePointer())},
        {"HourFont", font(A->HourFont())},
        {"AMPMFont", font(A->AMPMFont())},
        {"AMPMFrame", hex(A->AMPMFrame())},
        {"Shape", hex(A->Shape())},
        {"PointerStyle", hex(A->PointerStyle())},
        {"HourPointerSize", hex(A->HourPointerSize())},
        {"SecondPointerSize", hex(A->SecondPointerSize())},
        {"MinutePointerSize", hex(A->MinutePointerSize())},
        {"HourColor", hex(A->HourColor())},
        {"MinuteColor", hex(A->MinuteColor())},
        {"CenterPointSize", hex(A->CenterPointSize())},
        {"CenterPointColor", hex(A->CenterPointColor())},
        {"CenterPointBorderColor", hex(A->CenterPointBorderColor())},
        {"BackgroundGradient", hex(A->BackgroundGradient())},
        {"HourMarkLength", hex(A->HourMarkLength())},
        {"HourMarkWidth", hex(A->HourMarkWidth())},
        {"MinuteMarkLength", hex(A->MinuteMarkLength())},
        {"MinuteMarkWidth", hex(A->MinuteMarkWidth())},
        {"BorderWidth", hex(A->BorderWidth())},
        {"AMPMColor", hex(A->AMPMColor())},
        {"AMPMBorderColor", hex(A->AMPMBorderColor())},
        {"CenterPointOuterBorderColor", hex(A->CenterPointOuterBorderColor())},
        {"TickMarks", hex(A->TickMarks())},
        {"HourMarkStyle", hex(A->HourMarkStyle())},
    };
}

Fields defaults() {
    TWatchAppearance A;
    return snapshot(&A);
}

// The names whose values differ, with both values.
std::string differences(const Fields& Actual, const Fields& Expected) {
    std::string Out;
    for (const auto& [Name, Value] : Expected)
        if (Actual.at(Name) != Value) Out += Name + ": " + Actual.at(Name) + " instead of " + Value + "\n";
    return Out;
}

// Changes that fire the appearance's OnChange (fonts are edited in place, the AM/PM colours
// are plain stores).
int firingChanges(const Fields& From, const Fields& To) {
    int N = 0;
    for (const auto& [Name, Value] : To)
        N += Value != From.at(Name) && Name != "HourFont" && Name != "AMPMFont" && Name != "AMPMColor" &&
             Name != "AMPMBorderColor";
    return N;
}

std::string font(const char* Name, int Size, TColor Color, TFontStyles Style) {
    return QStringLiteral("%1 %2 %3 %4").arg(Name).arg(Size).arg(Color, 0, 16).arg(Style.Bits()).toStdString();
}

constexpr TColor kText = clWindowText;
const TFontStyles kPlain{};
const TFontStyles kBold{fsBold};

// The fine set of a colour and a shape.
Fields fine(TColor C, TWatchShape Shape) {
    return {{"CenterPointSize", hex(20)},
            {"HourFont", font("MS Sans Serif", 8, kText, kPlain)},
            {"HourColor", hex(C)},
            {"HourMarkLength", hex(10)},
            {"HourPointer", hex(C)},
            {"HourPointerShadow", hex(clBtnShadow)},
            {"HourPointerSize", hex(2)},
            {"MinuteColor", hex(C)},
            {"MinutePointer", hex(C)},
            {"MinutePointerShadow", hex(clBtnShadow)},
            {"MinutePointerSize", hex(2)},
            {"Shape", hex(Shape)},
            {"CenterPointOuterBorderColor", "0"},
            {"HourMarkWidth", hex(2)},
            {"HourMarkStyle", hex(hmsQuartDblLine)}};
}

Fields with(Fields Base, const Fields& More) {
    for (const auto& [K, V] : More) Base[K] = V;
    return Base;
}

Fields pointers(TColor C) {
    return {{"HourPointer", hex(C)}, {"HourPointerShadow", hex(clBtnShadow)}, {"HourPointerSize", hex(5)}};
}

enum Show { No, Yes, Same };

struct StyleCase {
    const char* Name;
    TWatchStyle Style;
    Fields Set;
    Show AMPM, Numbers;
};

// The default fonts are "Tahoma" 8 and 10 in the window text colour, plain.
std::vector<StyleCase> styleCases() {
    return {
        {"wsClassic", wsClassic,
         with(pointers(0), {{"AMPMFont", font("MS Sans Serif", 10, kText, kPlain)},
                            {"HourFont", font("Comic Sans MS", 10, kText, kBold)},
                            {"HourMarkLength", hex(8)},
                            {"MinuteMarkLength", hex(4)}}),
         Yes, Yes},
        {"wsTower", wsTower,
         with(pointers(0), {{"AMPMFont", font("MS Sans Serif", 10, kText, kPlain)},
                            {"BorderWidth", hex(1)},
                            {"BackgroundColor", hex(0xB1F0FE)},
                            {"BackgroundGradient", hex(wgDiagonalForward)},
                            {"CenterPointColor", hex(0x002BD5)},
                            {"CenterPointSize", hex(6)},
                            {"HourFont", font("Century", 8, kText, kBold)},
                            {"SecondPointer", hex(0x002BD5)},
                            {"Shape", hex(wsRect)},
                            {"PointerStyle", hex(psPointer)},
                            {"BackgroundColorTo", hex(0x5BCCE8)},
                            {"AMPMColor", hex(0xB1F0FE)},
                            {"TickMarks", hex(tmHours)}}),
         Same, No},
        {"wsFluorescent", wsFluorescent,
         with(fine(0xFF3E3E, wsRoundRect), {{"AMPMFont", font("MS Sans Serif", 10, kText, kPlain)},
                                            {"AMPMFrame", hex(apRoundRect)},
                                            {"BorderColor", hex(0xFF3E3E)},
                                            {"BackgroundColor", "0"},
                                            {"BackgroundColorTo", "0"},
                                            {"CenterPointColor", hex(0xFF3E3E)},
                                            {"CenterPointBorderColor", "0"},
                                            {"TickMarks", hex(tmHours)}}),
         No, No},
        {"wsEmerald", wsEmerald,
         with(pointers(0x40FF00), {{"AMPMFont", font("MS Sans Serif", 10, 0xA00000, kPlain)},
                                   {"AMPMFrame", hex(apRoundRect)},
                                   {"BorderColor", hex(0x3AE800)},
                                   {"BackgroundColor", hex(0x3AE800)},
                                   {"BackgroundColorTo", "0"},
                                   {"BackgroundGradient", hex(wgDiagonalForward)},
                                   {"CenterPointBorderColor", hex(0x40FF00)},
                                   {"CenterPointColor", hex(0x38E100)},
                                   {"CenterPointSize", hex(16)},
                                   {"HourFont", font("MS Sans Serif", 8, 0x3AE800, kPlain)},
                                   {"MinutePointer", hex(0x40FF00)},
                                   {"Shape", hex(wsRect)},
                                   {"PointerStyle", hex(psPointer)},
                                   {"AMPMColor", hex(clNone)},
                                   {"CenterPointOuterBorderColor", "0"},
                                   {"HourMarkStyle", hex(hmsQuartDblLine)},
                                   {"HourColor", hex(0x3AE800)},
                                   {"SecondPointer", hex(0x00FFFF)},
                                   {"TickMarks", hex(tmHours)}}),
         No, No},
        {"wsBlueStar", wsBlueStar,
         with(pointers(0xA00000), {{"AMPMFont", font("MS Sans Serif", 10, 0xA00000, kPlain)},
                                   {"AMPMBorderColor", hex(clNone)},
                                   {"AMPMFrame", hex(apRoundRect)},
                                   {"BorderColor", hex(0xFFD5D5)},
                                   {"BackgroundColor", hex(0xFFD5D5)},
                                   {"BackgroundColorTo", hex(0xA00000)},
                                   {"BackgroundGradient", hex(wgRadial)},
                                   {"HourFont", font("MS Sans Serif", 8, 0xFFD5D5, kPlain)},
                                   {"MinutePointer", hex(0xA00000)},
                                   {"Shape", hex(wsRoundRect)},
                                   {"PointerStyle", hex(psPointer)},
                                   {"AMPMColor", hex(clNone)}}),
         Yes, Yes},
        {"wsFuchsia", wsFuchsia,
         with(fine(0xFFD0FF, wsRect), {{"AMPMFont", font("MS Sans Serif", 10, kText, kPlain)},
                                       {"AMPMFrame", hex(apRoundRect)},
                                       {"BorderColor", hex(0xFFD0FF)},
                                       {"BackgroundColor", "0"},
                                       {"BackgroundColorTo", "0"},
                                       {"CenterPointBorderColor", hex(0xDD68DD)},
                                       {"SecondPointer", hex(0xDD68DD)},
                                       {"TickMarks", hex(tmQuartHours)}}),
         No, No},
        {"wsBlack", wsBlack,
         with(pointers(0xFFFFFF), {{"AMPMFont", font("MS Sans Serif", 10, kText, kPlain)},
                                   {"BackgroundColor", hex(0x202020)},
                                   {"CenterPointBorderColor", hex(0xFFFFFF)},
                                   {"CenterPointOuterBorderColor", hex(0xFFFFFF)},
                                   {"CenterPointColor", hex(0xFFFFFF)},
                                   {"HourColor", hex(0x585858)},
                                   {"HourFont", font("Century Gothic", 11, 0xFFFFFF, kPlain)},
                                   {"MinuteColor", hex(0x585858)},
                                   {"MinutePointer", hex(0xFFFFFF)},
                                   {"MinuteMarkLength", hex(4)}}),
         No, Yes},
        {"wsBlackWhite", wsBlackWhite,
         with(pointers(0), {{"BorderWidth", hex(8)},
                            {"CenterPointBorderColor", "0"},
                            {"CenterPointOuterBorderColor", "0"},
                            {"CenterPointSize", hex(8)},
                            {"HourColor", hex(0x585858)},
                            {"HourFont", font("Century Gothic", 14, 0, kBold)},
                            {"MinuteMarkLength", hex(4)},
                            {"SecondPointer", hex(0x000080)},
                            {"PointerStyle", hex(psPointer)},
                            {"TickMarks", hex(tmQuartHours)}}),
         No, Yes},
        {"wsGray",
         wsGray,
         {{"AMPMFont", font("MS Sans Serif", 10, kText, kPlain)},
          {"BackgroundColor", hex(0xD1D1D1)},
          {"BackgroundColorTo", hex(0x6C6C6C)},
          {"BackgroundGradient", hex(wgRadial)},
          {"BorderColor", hex(0x454545)},
          {"CenterPointBorderColor", hex(0x454545)},
          {"HourFont", font("Comic Sans MS", 8, kText, kPlain)},
          {"HourPointer", hex(0x4E4E4E)},
          {"MinutePointer", hex(0x4E4E4E)},
          {"HourPointerShadow", hex(clNone)},
          {"MinutePointerShadow", hex(clNone)},
          {"HourPointerSize", hex(1)},
          {"MinutePointerSize", hex(1)}},
         Yes,
         Yes},
        {"wsSuperNova",
         wsSuperNova,
         {{"BackgroundColorTo", hex(0xD1D3D3)},
          {"BorderColor", hex(clNone)},
          {"CenterPointOuterBorderColor", "0"},
          {"CenterPointSize", hex(10)},
          {"HourMarkLength", hex(40)},  // Round(180 / 4.5)
          {"MinuteMarkLength", hex(60)}},
         No,
         No},
        {"wsSports",
         wsSports,
         {{"BackgroundColor", "0"},
          {"BorderWidth", hex(1)},
          {"CenterPointBorderColor", hex(0xFF0000)},
          {"CenterPointOuterBorderColor", "0"},
          {"CenterPointColor", hex(0x191919)},
          {"CenterPointSize", hex(50)},  // Round(180 / 3.6)
          {"HourColor", hex(0xABB0B1)},
          {"HourFont", font("Times New Roman", 9, 0x797979, kPlain)},
          {"HourPointer", hex(0x0000FF)},
          {"HourPointerShadow", hex(clNone)},
          {"MinutePointerShadow", hex(clNone)},
          {"HourPointerSize", hex(2)},
          {"MinutePointerSize", hex(2)},
          {"MinutePointer", hex(0x00FFFF)},
          {"MinuteMarkLength", hex(1)},
          {"SecondPointer", hex(0x188BFE)},
          {"TickMarks", hex(tmQuartHours)}},
         No,
         Yes},
        {"wsSmooth",
         wsSmooth,
         {{"BackgroundColorTo", hex(0xABB0B1)},
          {"BorderColor", hex(0x585858)},
          {"BorderWidth", hex(1)},
          {"CenterPointBorderColor", "0"},
          {"CenterPointOuterBorderColor", hex(0x4A4A4A)},
          {"CenterPointColor", hex(0xFFFFFF)},
          {"CenterPointSize", hex(6)},
          {"HourColor", hex(0xABB0B1)},
          {"HourFont", font("Times New Roman", 9, 0x797979, kPlain)},
          {"HourPointer", hex(0x4A4A4A)},
          {"MinutePointer", hex(0x4A4A4A)},
          {"HourPointerShadow", hex(0xB2B2B2)},
          {"MinutePointerShadow", hex(0xB2B2B2)},
          {"HourPointerSize", hex(2)},
          {"MinutePointerSize", hex(2)},
          {"MinuteMarkLength", hex(1)},
          {"SecondPointer", hex(0x4A4A4A)},
          {"TickMarks", hex(tmQuartHours)}},
         No,
         Yes},
    };
}

using WatchStylesTest = WatchFixture;

TEST_F(WatchStylesTest, EachStyleWritesItsValues) {
    const Fields Defaults = defaults();
    for (const StyleCase& C : styleCases()) {
        auto* W = new TAdvWatch(Form.get());
        W->SetAnimation(false);
        W->SetAnimationFactor(3);
        // Settings a style must replace; the classic look needs another style before it.
        W->Appearance()->SetBorderWidth(9);
        W->Appearance()->SetMinuteMarkWidth(7);
        W->SetShowAMPM(C.AMPM == Yes ? false : C.AMPM == No);
        W->SetShowNumbers(C.Numbers == Yes ? false : C.Numbers == No);
        const bool AMPMBefore = W->ShowAMPM(), NumbersBefore = W->ShowNumbers();
        if (C.Style == wsClassic) W->SetStyle(wsTower);
        int Fired = 0;
        W->Appearance()->OnChange = [&](TObject*) { ++Fired; };
        W->SetStyle(C.Style);
        const Fields Expected = with(Defaults, C.Set);
        EXPECT_EQ(differences(snapshot(W->Appearance()), Expected), "") << C.Name;
        EXPECT_EQ(Fired, firingChanges(defaults(), Expected)) << C.Name;
        EXPECT_EQ(W->Style(), C.Style);
        EXPECT_EQ(W->ShowAMPM(), C.AMPM == Same ? AMPMBefore : C.AMPM == Yes) << C.Name;
        EXPECT_EQ(W->ShowNumbers(), C.Numbers == Same ? NumbersBefore : C.Numbers == Yes) << C.Name;
        if (C.Style == wsClassic) {
            EXPECT_TRUE(W->Animation());
            EXPECT_EQ(W->AnimationFactor(), 10);
        } else {
            EXPECT_FALSE(W->Animation()) << C.Name;
        }
        W->Free();
    }
}

TEST_F(WatchStylesTest, ANewWatchReadsClassicButShowsTheDefaults) {
    const Fields Defaults = snapshot(Watch->Appearance());
    EXPECT_EQ(differences(Defaults, defaults()), "");
    Watch->Appearance()->SetBorderWidth(9);
    Watch->SetStyle(wsClassic);
    EXPECT_EQ(Watch->Appearance()->BorderWidth(), 9) << "setting the style it reads changes nothing";
    Watch->SetStyle(wsCustom);
    Watch->Appearance()->SetBorderWidth(7);
    Watch->SetStyle(wsCustom);
    EXPECT_EQ(Watch->Appearance()->BorderWidth(), 7);
    EXPECT_EQ(Watch->Style(), wsCustom);
}

// A big control's size-derived lengths stay within the byte fields instead of wrapping.
TEST_F(WatchStylesTest, SizeDerivedLengthsAreClamped) {
    Watch->SetBounds(0, 0, 1000, 900);
    Watch->SetStyle(wsSuperNova);
    EXPECT_EQ(Watch->Appearance()->HourMarkLength(), 200);
    EXPECT_EQ(Watch->Appearance()->MinuteMarkLength(), 255);
    Watch->SetStyle(wsSports);
    EXPECT_EQ(Watch->Appearance()->CenterPointSize(), 250);
    Watch->SetBounds(0, 0, 1200, 1200);
    Watch->SetStyle(wsSuperNova);
    EXPECT_EQ(Watch->Appearance()->HourMarkLength(), 255);
    Watch->SetStyle(wsSports);
    EXPECT_EQ(Watch->Appearance()->CenterPointSize(), 255);
}

struct SchemeCase {
    TTesselStyle Style;
    TColor AMPMBorder, AMPM, Background, BackgroundTo, Border, CPBorder, CP, Marks, Shadows, Second;
};

constexpr SchemeCase kSchemeCases[] = {
    {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF,
     0xFFFFFF},
    {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF,
     0xFFFFFF},
    {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF,
     0xFFFFFF},
    {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF,
     0x808080},
    {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF,
     0x723708},
    {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF,
     0xF2F1F0},
    {tsWindowsXP, 0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
    {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
    {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF,
     0x74706F},
    {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF,
     0xFEDF9A},
    {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
    {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
    {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF,
     0xC7B29F},
    {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0,
     0xD2CDC8},
    {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF,
     0x6D6D6D},
};

// Colours that differ from every default, so the three black values show.
void colourEverything(TWatchAppearance* A) {
    A->SetCenterPointOuterBorderColor(0x123456);
    A->HourFont()->SetColor(0x123456);
    A->AMPMFont()->SetColor(0x123456);
}

TEST_F(WatchStylesTest, ColourSchemes) {
    int Fired = 0;
    Watch->Appearance()->OnChange = [&](TObject*) { ++Fired; };
    for (const SchemeCase& C : kSchemeCases) {
        colourEverything(Watch->Appearance());
        const Fields Before = snapshot(Watch->Appearance());
        Fired = 0;
        Watch->SetComponentStyle(C.Style);
        const TColor FontColor = C.Style == tsOffice2007Obsidian ? 0xF2F1F0 : 0;
        Fields Expected = with(Before, {{"AMPMBorderColor", hex(C.AMPMBorder)},
                                        {"AMPMColor", hex(C.AMPM)},
                                        {"BackgroundColor", hex(C.Background)},
                                        {"BackgroundColorTo", hex(C.BackgroundTo)},
                                        {"BorderColor", hex(C.Border)},
                                        {"CenterPointBorderColor", hex(C.CPBorder)},
                                        {"CenterPointColor", hex(C.CP)},
                                        {"HourColor", hex(C.Marks)},
                                        {"MinuteColor", hex(C.Marks)},
                                        {"HourPointer", hex(C.Marks)},
                                        {"MinutePointer", hex(C.Marks)},
                                        {"HourPointerShadow", hex(C.Shadows)},
                                        {"MinutePointerShadow", hex(C.Shadows)},
                                        {"SecondPointer", hex(C.Second)},
                                        {"CenterPointOuterBorderColor", "0"}});
        Expected["HourFont"] = font("Tahoma", 8, FontColor, kPlain);
        Expected["AMPMFont"] = font("Tahoma", 10, FontColor, kPlain);
        EXPECT_EQ(differences(snapshot(Watch->Appearance()), Expected), "") << C.Style;
        EXPECT_EQ(Fired, firingChanges(Before, Expected)) << C.Style;

        // A bare appearance takes the same scheme.
        TWatchAppearance Bare;
        Bare.Assign(Watch->Appearance());
        colourEverything(&Bare);
        ApplyWatchColorScheme(&Bare, C.Style);
        EXPECT_EQ(differences(snapshot(&Bare), Expected), "") << C.Style;
        Watch->Appearance()->Reset();
    }
}

TEST_F(WatchStylesTest, CustomAndNewerSchemesSetOnlyTheBlackValues) {
    for (TTesselStyle S : {tsCustom, tsWindows8, tsOffice2013White, tsWindows10, tsOffice2016Black}) {
        colourEverything(Watch->Appearance());
        Fields Expected = snapshot(Watch->Appearance());
        Expected["CenterPointOuterBorderColor"] = "0";
        Expected["HourFont"] = font("Tahoma", 8, 0, kPlain);
        Expected["AMPMFont"] = font("Tahoma", 10, 0, kPlain);
        Watch->SetComponentStyle(S);
        EXPECT_EQ(differences(snapshot(Watch->Appearance()), Expected), "") << S;
    }
}

TEST_F(WatchStylesTest, AppearanceAssignAndReset) {
    TWatchAppearance Source;
    Source.SetBackgroundColor(0x112233);
    Source.SetAMPMColor(0x445566);
    Source.SetTickMarks(tmNone);
    Source.HourFont()->SetName("Courier New");
    Source.HourFont()->SetColor(0x0000FF);
    TWatchAppearance Target;
    int Fired = 0;
    Target.OnChange = [&](TObject*) { ++Fired; };
    Target.Assign(&Source);
    EXPECT_EQ(differences(snapshot(&Target), snapshot(&Source)), "");
    Fired = 0;
    Target.Reset();
    EXPECT_EQ(Fired, 0);
    Fields Expected = defaults();
    Expected["HourFont"] = font("Tahoma", 8, 0x0000FF, kPlain);  // Reset keeps a font's colour
    EXPECT_EQ(differences(snapshot(&Target), Expected), "");
}

}  // namespace
