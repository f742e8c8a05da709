#include "components/controls/AdvPanelSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

String N(long long Value) { return QString::number(Value); }

// Stands in for the panel: wires the change events as the panel does and records their order.
struct OwnerSpy {
    std::vector<std::string> Events;
    std::vector<TObject*> Senders;

    void record(const char* Name, TObject* Sender) {
        Events.emplace_back(Name);
        Senders.push_back(Sender);
    }
    void watch(TPanelCaption& C) {
        C.OnChange = [this](TObject* S) { record("Change", S); };
        C.OnShadeChange = [this](TObject* S) { record("Shade", S); };
        C.OnStateChange = [this](TObject* S) { record("State", S); };
        C.OnPositionChange = [this](TObject* S) { record("Position", S); };
        C.OnFontChange = [this](TObject* S) { record("Font", S); };
    }
    void watch(TPanelStatusBar& B) {
        B.OnChange = [this](TObject* S) { record("Change", S); };
    }
    std::vector<std::string> take() {
        std::vector<std::string> Taken;
        Taken.swap(Events);
        Senders.clear();
        return Taken;
    }
};

using Events = std::vector<std::string>;
const Events ShadeThenChange = {"Shade", "Change"};
const Events ChangeOnly = {"Change"};
const Events Nothing = {};

std::unique_ptr<TBitmap> makeBitmap(int Width, int Height, TColor Color) {
    auto B = std::make_unique<TBitmap>(Width, Height);
    B->Canvas()->Brush()->SetColor(Color);
    B->Canvas()->FillRect(TRect(0, 0, Width, Height));
    return B;
}

// A panel stand-in that sizes itself on request and notes the flags it saw.
class SizingOwner : public TComponent, public IAutoSizeOwner {
public:
    SizingOwner() : TComponent(nullptr) {}
    void DoAutoSize() override {
        ++Calls;
        if (Sizer) SeenFlags = {Sizer->Enabled(), Sizer->Width(), Sizer->Height()};
    }
    TAutoSize* Sizer = nullptr;
    int Calls = 0;
    std::vector<bool> SeenFlags;
};

TEST(AdvPanelSettingsTest, ValuesAtCreation) {
    TPanelCaption C;
    TPanelStatusBar B;
    TPanelPosition P(nullptr);
    TAutoSize A(nullptr);
    struct Case {
        const char* Name;
        std::function<String()> Actual;
        String Expected;
    };
    const std::vector<Case> Cases = {
        {"Caption.Height", [&] { return N(C.Height()); }, N(20)},
        {"Caption.Text", [&] { return C.Text(); }, String()},
        {"Caption.Color", [&] { return N(C.Color()); }, N(clHighlight)},
        {"Caption.Font.Color", [&] { return N(C.Font()->Color()); }, N(clHighlightText)},
        {"Caption.Visible", [&] { return N(C.Visible()); }, N(false)},
        {"Caption.CloseButton", [&] { return N(C.CloseButton()); }, N(false)},
        {"Caption.MinMaxButton", [&] { return N(C.MinMaxButton()); }, N(false)},
        {"Caption.MinMaxButtonColor", [&] { return N(C.MinMaxButtonColor()); }, N(clWhite)},
        {"Caption.CloseButtonColor", [&] { return N(C.CloseButtonColor()); }, N(clWhite)},
        {"Caption.pictures empty",
         [&] {
             return N(C.MinGlyph()->Empty() && C.MaxGlyph()->Empty() && C.CloseMinGlyph()->Empty() &&
                      C.CloseMaxGlyph()->Empty() && C.Background()->Empty());
         },
         N(true)},
        {"Caption.CloseColor", [&] { return N(C.CloseColor()); }, N(clBtnFace)},
        {"Caption.ShadeLight", [&] { return N(C.ShadeLight()); }, N(200)},
        {"Caption.ShadeGrain", [&] { return N(C.ShadeGrain()); }, N(32)},
        {"Caption.ShadeType", [&] { return N(C.ShadeType()); }, N(stNormal)},
        {"Caption.Shape", [&] { return N(C.Shape()); }, N(advpanel::csRectangle)},
        {"Caption.Flat", [&] { return N(C.Flat()); }, N(false)},
        {"Caption.Indent", [&] { return N(C.Indent()); }, N(0)},
        {"Caption.TopIndent", [&] { return N(C.TopIndent()); }, N(0)},
        {"Caption.ButtonPosition", [&] { return N(C.ButtonPosition()); }, N(cbpRight)},
        {"Caption.ColorTo", [&] { return N(C.ColorTo()); }, N(clNone)},
        {"Caption.Position", [&] { return N(C.Position()); }, N(cpTop)},
        {"Caption.MinMaxCaption", [&] { return N(C.MinMaxCaption()); }, N(false)},
        {"Caption.CloseButtonHoverColor", [&] { return N(C.CloseButtonHoverColor()); }, N(clNone)},
        {"Caption.MinMaxButtonHoverColor", [&] { return N(C.MinMaxButtonHoverColor()); }, N(clNone)},
        {"Caption.GradientDirection", [&] { return N(C.GradientDirection()); }, N(advpanel::gdHorizontal)},
        {"Caption.OfficeHint empty", [&] { return N(C.OfficeHint()->IsEmpty()); }, N(true)},
        {"StatusBar.ImageIndex", [&] { return N(B.ImageIndex()); }, N(-1)},
        {"StatusBar.Text", [&] { return B.Text(); }, String()},
        {"StatusBar.Color", [&] { return N(B.Color()); }, N(clBtnFace)},
        {"StatusBar.ColorTo", [&] { return N(B.ColorTo()); }, N(clNone)},
        {"StatusBar.GradientDirection", [&] { return N(B.GradientDirection()); }, N(advpanel::gdHorizontal)},
        {"StatusBar.Visible", [&] { return N(B.Visible()); }, N(false)},
        {"StatusBar.Height", [&] { return N(B.Height()); }, N(18)},
        {"StatusBar.BevelInner", [&] { return N(B.BevelInner()); }, N(false)},
        {"StatusBar.Font.Name", [&] { return B.Font()->Name(); }, QStringLiteral("Tahoma")},
        {"StatusBar.BorderStyle", [&] { return N(B.BorderStyle()); }, N(bsNone)},
        {"StatusBar.BorderColor", [&] { return N(B.BorderColor()); }, N(clBlack)},
        {"StatusBar.TopIndent", [&] { return N(B.TopIndent()); }, N(0)},
        {"Position.Save", [&] { return N(P.Save()); }, N(false)},
        {"Position.Key", [&] { return P.Key(); }, String()},
        {"Position.Section", [&] { return P.Section(); }, String()},
        {"Position.Location", [&] { return N(P.Location()); }, N(clRegistry)},
        {"AutoSize.Height", [&] { return N(A.Height()); }, N(true)},
        {"AutoSize.Width", [&] { return N(A.Width()); }, N(true)},
        {"AutoSize.Enabled", [&] { return N(A.Enabled()); }, N(false)},
    };
    for (const Case& Row : Cases) EXPECT_EQ(Row.Actual().toStdString(), Row.Expected.toStdString()) << Row.Name;
}

// ---------------------------------------------------------------------------------------------
// Caption

class PanelCaptionTest : public ::testing::Test {
protected:
    PanelCaptionTest() { Spy.watch(Caption); }
    TPanelCaption Caption;
    OwnerSpy Spy;
};

TEST_F(PanelCaptionTest, EachWriterNotifiesItsEventsOnceAndNothingWhenUnchanged) {
    struct Case {
        const char* Name;
        std::function<void(TPanelCaption&)> Set;
        Events Expected;
    };
    const std::vector<Case> Cases = {
        {"Shape", [](TPanelCaption& C) { C.SetShape(advpanel::csRounded); }, ShadeThenChange},
        {"Color", [](TPanelCaption& C) { C.SetColor(clRed); }, ShadeThenChange},
        {"Flat", [](TPanelCaption& C) { C.SetFlat(true); }, ShadeThenChange},
        {"ShadeGrain", [](TPanelCaption& C) { C.SetShadeGrain(64); }, ShadeThenChange},
        {"ShadeType", [](TPanelCaption& C) { C.SetShadeType(stHBump); }, ShadeThenChange},
        {"Visible", [](TPanelCaption& C) { C.SetVisible(true); }, {"Change", "State"}},
        {"Position", [](TPanelCaption& C) { C.SetPosition(cpLeft); }, {"Position"}},
        {"Text", [](TPanelCaption& C) { C.SetText(QStringLiteral("<b>x</b>")); }, ChangeOnly},
        {"Height", [](TPanelCaption& C) { C.SetHeight(24); }, ChangeOnly},
        {"Indent", [](TPanelCaption& C) { C.SetIndent(4); }, ChangeOnly},
        {"TopIndent", [](TPanelCaption& C) { C.SetTopIndent(3); }, ChangeOnly},
        {"ColorTo", [](TPanelCaption& C) { C.SetColorTo(clBlue); }, ChangeOnly},
        {"CloseColor", [](TPanelCaption& C) { C.SetCloseColor(clGray); }, ChangeOnly},
        {"CloseButton", [](TPanelCaption& C) { C.SetCloseButton(true); }, ChangeOnly},
        {"CloseButtonColor", [](TPanelCaption& C) { C.SetCloseButtonColor(clBlack); }, ChangeOnly},
        {"MinMaxButton", [](TPanelCaption& C) { C.SetMinMaxButton(true); }, ChangeOnly},
        {"MinMaxButtonColor", [](TPanelCaption& C) { C.SetMinMaxButtonColor(clBlack); }, ChangeOnly},
        {"GradientDirection", [](TPanelCaption& C) { C.SetGradientDirection(advpanel::gdVertical); }, ChangeOnly},
        {"ButtonPosition", [](TPanelCaption& C) { C.SetButtonPosition(cbpLeft); }, ChangeOnly},
        {"MinMaxCaption", [](TPanelCaption& C) { C.SetMinMaxCaption(true); }, Nothing},
        {"CloseButtonHoverColor", [](TPanelCaption& C) { C.SetCloseButtonHoverColor(clRed); }, Nothing},
        {"MinMaxButtonHoverColor", [](TPanelCaption& C) { C.SetMinMaxButtonHoverColor(clRed); }, Nothing},
    };
    for (const Case& Row : Cases) {
        TPanelCaption C;
        OwnerSpy S;
        S.watch(C);
        Row.Set(C);
        EXPECT_EQ(S.Events, Row.Expected) << Row.Name;
        for (TObject* Sender : S.Senders) EXPECT_EQ(Sender, &C) << Row.Name;
        S.take();
        Row.Set(C);
        EXPECT_EQ(S.take(), Nothing) << Row.Name << " set again to the same value";
    }
}

TEST_F(PanelCaptionTest, ShadeLightRaisesLowValuesAndAlwaysNotifies) {
    const struct { int Value, Stored; } Cases[] = {{150, 200}, {-5, 200}, {200, 200}, {255, 255}, {300, 300}};
    for (const auto& Row : Cases) {
        Caption.SetShadeLight(Row.Value);
        EXPECT_EQ(Caption.ShadeLight(), Row.Stored) << Row.Value;
        EXPECT_EQ(Spy.take(), ShadeThenChange) << Row.Value;
        Caption.SetShadeLight(Row.Value);
        EXPECT_EQ(Spy.take(), ShadeThenChange) << Row.Value << " set again";
    }
}

TEST_F(PanelCaptionTest, PictureWritersCopyAndNotifyPerPicture) {
    struct Case {
        const char* Name;
        void (TPanelCaption::*Set)(TBitmap*);
        TBitmap* (TPanelCaption::*Get)() const;
        Events Expected;
    };
    const Case Cases[] = {
        {"Background", &TPanelCaption::SetBackground, &TPanelCaption::Background, ShadeThenChange},
        {"CloseMinGlyph", &TPanelCaption::SetCloseMinGlyph, &TPanelCaption::CloseMinGlyph, ChangeOnly},
        {"CloseMaxGlyph", &TPanelCaption::SetCloseMaxGlyph, &TPanelCaption::CloseMaxGlyph, ChangeOnly},
        {"MinGlyph", &TPanelCaption::SetMinGlyph, &TPanelCaption::MinGlyph, Nothing},
        {"MaxGlyph", &TPanelCaption::SetMaxGlyph, &TPanelCaption::MaxGlyph, Nothing},
    };
    for (const Case& Row : Cases) {
        auto Picture = makeBitmap(3, 2, clRed);
        (Caption.*Row.Set)(Picture.get());
        EXPECT_EQ(Spy.take(), Row.Expected) << Row.Name;
        TBitmap* Held = (Caption.*Row.Get)();
        ASSERT_NE(Held, Picture.get()) << Row.Name;
        EXPECT_EQ(Held->Width(), 3) << Row.Name;
        EXPECT_EQ(Held->Canvas()->Pixels(1, 1), clRed) << Row.Name;
        // A copy: the caller's picture may change or go away.
        Picture.reset();
        EXPECT_EQ(Held->Height(), 2) << Row.Name;
        (Caption.*Row.Set)(Held);
        EXPECT_EQ(Spy.take(), Nothing) << Row.Name << " given its own picture";
    }
}

TEST_F(PanelCaptionTest, FontInPlaceFiresFontChangeOnlyAWholeFontFiresBothOnce) {
    Caption.Font()->SetColor(clRed);
    EXPECT_EQ(Spy.take(), Events{"Font"});

    TFont Other;
    Other.SetName(QStringLiteral("Tahoma"));
    Other.SetColor(clBlue);
    Caption.SetFont(&Other);
    EXPECT_EQ(Spy.take(), (Events{"Font", "Change"}));
    EXPECT_EQ(Caption.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(Caption.Font()->Color(), clBlue);
    EXPECT_NE(Caption.Font(), &Other);

    Caption.SetFont(&Other);
    Caption.SetFont(Caption.Font());
    EXPECT_EQ(Spy.take(), Nothing) << "an equal font";

    EXPECT_THROW(Caption.SetFont(nullptr), EConvertError);
    EXPECT_EQ(Spy.take(), Nothing);
    EXPECT_EQ(Caption.Font()->Color(), clBlue);
    Caption.Font()->SetSize(12);
    EXPECT_EQ(Spy.take(), Events{"Font"}) << "forwarding still works after a failed assignment";
}

TEST_F(PanelCaptionTest, OfficeHintIsCopiedSilently) {
    TAdvHintInfo Hint;
    Hint.SetTitle(QStringLiteral("Tip"));
    Caption.SetOfficeHint(&Hint);
    EXPECT_EQ(Caption.OfficeHint()->Title(), QStringLiteral("Tip"));
    EXPECT_NE(Caption.OfficeHint(), &Hint);
    EXPECT_EQ(Spy.take(), Nothing);
}

TEST_F(PanelCaptionTest, HandlerThatFreesTheCaptionEndsTheNotifications) {
    auto* C = new TPanelCaption;
    std::vector<std::string> Seen;
    C->OnShadeChange = [&](TObject* Sender) {
        Seen.emplace_back("Shade");
        Sender->Free();
    };
    C->OnChange = [&](TObject*) { Seen.emplace_back("Change"); };
    C->SetColor(clRed);
    EXPECT_EQ(Seen, Events{"Shade"});
}

TEST_F(PanelCaptionTest, AssignCopiesTheLookAndKeepsTheTargetsStateAndText) {
    TPanelCaption Source;
    auto Picture = makeBitmap(2, 2, clLime);
    Source.SetBackground(Picture.get());
    Source.SetButtonPosition(cbpLeft);
    Source.SetColor(clRed);
    Source.SetColorTo(clBlue);
    Source.SetCloseColor(clGray);
    Source.SetCloseButton(true);
    Source.SetCloseButtonColor(clBlack);
    Source.SetCloseButtonHoverColor(clYellow);
    Source.SetCloseMinGlyph(Picture.get());
    Source.SetCloseMaxGlyph(Picture.get());
    Source.SetFlat(true);
    Source.Font()->SetColor(clMaroon);
    Source.SetHeight(30);
    Source.SetIndent(5);
    Source.SetMaxGlyph(Picture.get());
    Source.SetMinGlyph(Picture.get());
    Source.SetMinMaxButton(true);
    Source.SetMinMaxButtonColor(clNavy);
    Source.SetMinMaxButtonHoverColor(clAqua);
    Source.SetShadeLight(240);
    Source.SetShadeGrain(10);
    Source.SetShadeType(stLMetal);
    Source.SetShape(advpanel::csSemiRounded);
    Source.SetGradientDirection(advpanel::gdVertical);
    // Not copied:
    Source.SetText(QStringLiteral("source"));
    Source.SetVisible(true);
    Source.SetPosition(cpRight);
    Source.SetTopIndent(7);
    Source.SetMinMaxCaption(true);
    Source.OfficeHint()->SetTitle(QStringLiteral("source hint"));

    Caption.SetText(QStringLiteral("target"));
    Caption.SetTopIndent(2);
    Caption.OfficeHint()->SetTitle(QStringLiteral("target hint"));
    Spy.take();

    Caption.Assign(&Source);
    EXPECT_EQ(Spy.take(), (Events{"Font", "Shade", "Change"}));
    for (TBitmap* B : {Caption.Background(), Caption.CloseMinGlyph(), Caption.CloseMaxGlyph(), Caption.MinGlyph(),
                       Caption.MaxGlyph()}) {
        EXPECT_EQ(B->Width(), 2);
        EXPECT_EQ(B->Canvas()->Pixels(0, 0), clLime);
    }
    EXPECT_EQ(Caption.ButtonPosition(), cbpLeft);
    EXPECT_EQ(Caption.Color(), clRed);
    EXPECT_EQ(Caption.ColorTo(), clBlue);
    EXPECT_EQ(Caption.CloseColor(), clGray);
    EXPECT_TRUE(Caption.CloseButton());
    EXPECT_EQ(Caption.CloseButtonColor(), clBlack);
    EXPECT_EQ(Caption.CloseButtonHoverColor(), clYellow);
    EXPECT_TRUE(Caption.Flat());
    EXPECT_EQ(Caption.Font()->Color(), clMaroon);
    EXPECT_EQ(Caption.Height(), 30);
    EXPECT_EQ(Caption.Indent(), 5);
    EXPECT_TRUE(Caption.MinMaxButton());
    EXPECT_EQ(Caption.MinMaxButtonColor(), clNavy);
    EXPECT_EQ(Caption.MinMaxButtonHoverColor(), clAqua);
    EXPECT_EQ(Caption.ShadeLight(), 240);
    EXPECT_EQ(Caption.ShadeGrain(), 10);
    EXPECT_EQ(Caption.ShadeType(), stLMetal);
    EXPECT_EQ(Caption.Shape(), advpanel::csSemiRounded);
    EXPECT_EQ(Caption.GradientDirection(), advpanel::gdVertical);

    EXPECT_EQ(Caption.Text(), QStringLiteral("target"));
    EXPECT_FALSE(Caption.Visible());
    EXPECT_EQ(Caption.Position(), cpTop);
    EXPECT_EQ(Caption.TopIndent(), 2);
    EXPECT_FALSE(Caption.MinMaxCaption());
    EXPECT_EQ(Caption.OfficeHint()->Title(), QStringLiteral("target hint"));

    // The copy owns its pictures and font.
    Source.Background()->SetWidth(9);
    Source.Font()->SetColor(clOlive);
    EXPECT_EQ(Caption.Background()->Width(), 2);
    EXPECT_EQ(Caption.Font()->Color(), clMaroon);
    EXPECT_EQ(Spy.take(), Nothing);
}

TEST_F(PanelCaptionTest, AssignFromAnotherClassRaisesInvalidCastAndChangesNothing) {
    TPanelStatusBar Bar;
    Bar.SetColor(clRed);
    TPersistent* Sources[] = {&Bar, nullptr};
    for (TPersistent* Source : Sources) {
        try {
            Caption.Assign(Source);
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidCast& E) {
            EXPECT_TRUE(E.Message().contains(QStringLiteral("TPanelCaption"))) << E.Message().toStdString();
        }
    }
    EXPECT_EQ(Caption.Color(), clHighlight);
    EXPECT_EQ(Spy.take(), Nothing);
}

// ---------------------------------------------------------------------------------------------
// Status bar

class PanelStatusBarTest : public ::testing::Test {
protected:
    PanelStatusBarTest() { Spy.watch(Bar); }
    TPanelStatusBar Bar;
    OwnerSpy Spy;
};

TEST_F(PanelStatusBarTest, EveryWriterNotifiesOnceAndNothingWhenUnchanged) {
    TFont Other;
    Other.SetColor(clRed);
    const std::vector<std::pair<const char*, std::function<void(TPanelStatusBar&)>>> Cases = {
        {"ImageIndex", [](TPanelStatusBar& B) { B.SetImageIndex(2); }},
        {"Text", [](TPanelStatusBar& B) { B.SetText(QStringLiteral("Ready")); }},
        {"Color", [](TPanelStatusBar& B) { B.SetColor(clRed); }},
        {"ColorTo", [](TPanelStatusBar& B) { B.SetColorTo(clBlue); }},
        {"GradientDirection", [](TPanelStatusBar& B) { B.SetGradientDirection(advpanel::gdVertical); }},
        {"Visible", [](TPanelStatusBar& B) { B.SetVisible(true); }},
        {"Height", [](TPanelStatusBar& B) { B.SetHeight(22); }},
        {"BevelInner", [](TPanelStatusBar& B) { B.SetBevelInner(true); }},
        {"BorderStyle", [](TPanelStatusBar& B) { B.SetBorderStyle(bsSingle); }},
        {"BorderColor", [](TPanelStatusBar& B) { B.SetBorderColor(clGray); }},
        {"TopIndent", [](TPanelStatusBar& B) { B.SetTopIndent(3); }},
        {"Font", [&](TPanelStatusBar& B) { B.SetFont(&Other); }},
        {"Font in place", [](TPanelStatusBar& B) { B.Font()->SetColor(clGreen); }},
    };
    for (const auto& [Name, Set] : Cases) {
        TPanelStatusBar B;
        OwnerSpy S;
        S.watch(B);
        Set(B);
        EXPECT_EQ(S.Events, ChangeOnly) << Name;
        EXPECT_EQ(S.Senders, std::vector<TObject*>{&B}) << Name;
        S.take();
        Set(B);
        EXPECT_EQ(S.take(), Nothing) << Name << " set again to the same value";
    }
}

TEST_F(PanelStatusBarTest, AssignCopiesTheLookOnceAndKeepsTheTargetsContent) {
    TPanelStatusBar Source;
    Source.SetColor(clRed);
    Source.SetColorTo(clBlue);
    Source.SetGradientDirection(advpanel::gdVertical);
    Source.SetBorderStyle(bsSingle);
    Source.SetBorderColor(clGray);
    Source.Font()->SetColor(clMaroon);
    Source.SetTopIndent(4);
    // Not copied:
    Source.SetVisible(true);
    Source.SetHeight(30);
    Source.SetText(QStringLiteral("source"));
    Source.SetImageIndex(3);
    Source.SetBevelInner(true);
    Bar.SetText(QStringLiteral("target"));
    Spy.take();

    Bar.Assign(&Source);
    EXPECT_EQ(Spy.take(), ChangeOnly);
    EXPECT_EQ(Bar.Color(), clRed);
    EXPECT_EQ(Bar.ColorTo(), clBlue);
    EXPECT_EQ(Bar.GradientDirection(), advpanel::gdVertical);
    EXPECT_EQ(Bar.BorderStyle(), bsSingle);
    EXPECT_EQ(Bar.BorderColor(), clGray);
    EXPECT_EQ(Bar.Font()->Color(), clMaroon);
    EXPECT_EQ(Bar.TopIndent(), 4);
    EXPECT_FALSE(Bar.Visible());
    EXPECT_EQ(Bar.Height(), 18);
    EXPECT_EQ(Bar.Text(), QStringLiteral("target"));
    EXPECT_EQ(Bar.ImageIndex(), -1);
    EXPECT_FALSE(Bar.BevelInner());

    Bar.Assign(&Source);
    EXPECT_EQ(Spy.take(), Nothing) << "nothing left to change";
    Bar.Font()->SetSize(14);
    EXPECT_EQ(Spy.take(), ChangeOnly) << "font changes still reach the owner after a copy";
}

TEST_F(PanelStatusBarTest, AssignFromAnotherClassIsIgnored) {
    TPanelCaption Caption;
    Caption.SetColor(clRed);
    EXPECT_NO_THROW(Bar.Assign(&Caption));
    EXPECT_NO_THROW(Bar.Assign(nullptr));
    EXPECT_EQ(Bar.Color(), clBtnFace);
    EXPECT_EQ(Spy.take(), Nothing);
}

// ---------------------------------------------------------------------------------------------
// Position and automatic sizing

TEST(PanelPositionTest, AssignCopiesAllFourAndRefusesAnotherClass) {
    TPanelPosition Source(nullptr), Target(nullptr);
    Source.SetSave(true);
    Source.SetKey(QStringLiteral("panels.ini"));
    Source.SetSection(QStringLiteral("Main"));
    Source.SetLocation(clInifile);
    Target.Assign(&Source);
    EXPECT_TRUE(Target.Save());
    EXPECT_EQ(Target.Key(), QStringLiteral("panels.ini"));
    EXPECT_EQ(Target.Section(), QStringLiteral("Main"));
    EXPECT_EQ(Target.Location(), clInifile);

    TAutoSize Other(nullptr);
    EXPECT_THROW(Target.Assign(&Other), EInvalidCast);
    EXPECT_THROW(Target.Assign(nullptr), EInvalidCast);
    EXPECT_EQ(Target.Key(), QStringLiteral("panels.ini"));
}

TEST(AutoSizeTest, EnablingSizesTheOwnerAtOnceAndDisablingDoesNothingElse) {
    SizingOwner Owner;
    TAutoSize A(&Owner);
    Owner.Sizer = &A;
    A.SetEnabled(true);
    EXPECT_EQ(Owner.Calls, 1);
    EXPECT_EQ(Owner.SeenFlags, (std::vector<bool>{true, true, true})) << "the flag is stored before the sizing";
    A.SetEnabled(false);
    A.SetWidth(false);
    A.SetHeight(false);
    EXPECT_EQ(Owner.Calls, 1);
    EXPECT_FALSE(A.Enabled());

    TComponent Plain(nullptr);
    TAutoSize WithoutSizer(&Plain);
    EXPECT_NO_THROW(WithoutSizer.SetEnabled(true));
    EXPECT_TRUE(WithoutSizer.Enabled());
}

TEST(AutoSizeTest, AssignSetsTheExtentsBeforeEnablingAndRefusesAnotherClass) {
    SizingOwner Owner;
    TAutoSize Target(&Owner);
    Owner.Sizer = &Target;
    TAutoSize Source(nullptr);
    Source.SetWidth(false);
    Source.SetEnabled(true);
    Target.Assign(&Source);
    EXPECT_EQ(Owner.Calls, 1);
    EXPECT_EQ(Owner.SeenFlags, (std::vector<bool>{true, false, true}));

    TPanelPosition Other(nullptr);
    EXPECT_THROW(Target.Assign(&Other), EConvertError);
    EXPECT_TRUE(Target.Enabled());
    EXPECT_FALSE(Target.Width());
}

}  // namespace
