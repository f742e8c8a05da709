#include "components/controls/AdvPanel.h"

#include "framework/rtl/Clock.h"
#include "framework/rtl/ComponentStream.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Registry.h"
#include "framework/ui/Forms.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <string>
#include <vector>

namespace {

// A 300 x 200 panel with a visible top caption (20 pixels) on a shown form.
class AdvPanelTest : public ::testing::Test {
protected:
    FakeClock Clock;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TAdvPanel* Panel = nullptr;
    std::vector<std::string> Events;

    void SetUp() override {
        Events.clear();
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 600, 400);
        Panel = new TAdvPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->Caption()->SetVisible(true);
        Panel->OnMinimize = [this](TObject*) { Events.push_back("minimize"); };
        Panel->OnMaximize = [this](TObject*) { Events.push_back("maximize"); };
        Panel->OnEndCollapsExpand = [this](TObject*) { Events.push_back("end"); };
    }

    static void pump() {
        for (int I = 0; I < 3; ++I) Application->ProcessMessages();
    }
};

TEST_F(AdvPanelTest, StartsWithItsPublishedDefaults) {
    EXPECT_EQ(Panel->Width(), 300);
    EXPECT_EQ(Panel->Height(), 200);
    EXPECT_EQ(Panel->FullHeight(), 200);
    EXPECT_EQ(Panel->CaptionHeight(), 20);
    EXPECT_EQ(Panel->Version(), QStringLiteral("2.5.4.1"));
    Panel->SetVersion(QStringLiteral("1.0.0.0"));
    EXPECT_EQ(Panel->Version(), QStringLiteral("2.5.4.1"));
    EXPECT_EQ(Panel->CollapsColor(), clGray);
    EXPECT_EQ(Panel->URLColor(), clBlue);
    EXPECT_TRUE(Panel->AutoHideChildren());
    EXPECT_TRUE(Panel->Buffered());
    EXPECT_EQ(Panel->BevelOuter(), bvRaised);
}

TEST_F(AdvPanelTest, CollapsesToTheCaptionAndExpandsBack) {
    struct Case {
        const char* Name;
        TCaptionPosition Position;
        int Left, Width, BorderWidth;
        bool Shadow;
        int CollapsedLeft, CollapsedWidth, CollapsedHeight;
    };
    const Case Cases[] = {
        {"top", cpTop, 0, 300, 1, false, 0, 300, 18},
        {"top with a shadow", cpTop, 0, 300, 1, true, 0, 300, 24},
        {"left", cpLeft, 100, 150, 0, false, 100, 20, 200},
        {"right keeps its right edge", cpRight, 100, 150, 0, false, 230, 20, 200},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TearDown();
        SetUp();
        Panel->Caption()->SetPosition(C.Position);
        Panel->SetBorderWidth(C.BorderWidth);
        Panel->SetBorderShadow(C.Shadow);
        Panel->SetLeft(C.Left);
        Panel->SetWidth(C.Width);
        Panel->SetHeight(200);
        Panel->SetCollaps(true);
        EXPECT_TRUE(Panel->Collaps());
        EXPECT_EQ(Panel->Left(), C.CollapsedLeft);
        EXPECT_EQ(Panel->Width(), C.CollapsedWidth);
        EXPECT_EQ(Panel->Height(), C.CollapsedHeight);
        Panel->SetCollaps(false);
        EXPECT_EQ(Panel->Left(), C.Left);
        EXPECT_EQ(Panel->Width(), C.Width);
        EXPECT_EQ(Panel->Height(), 200);
    }
}

TEST_F(AdvPanelTest, EveryCollapseRequestFiresItsEventsFirst) {
    struct Case {
        const char* Name;
        bool From, To;
        std::vector<std::string> Events;
    };
    const Case Cases[] = {
        {"collapse", false, true, {"minimize", "end"}},
        {"expand", true, false, {"maximize", "end"}},
        {"collapse a collapsed panel", true, true, {"end"}},
        {"expand an expanded panel", false, false, {"end"}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        Panel->SetCollaps(C.From);
        Events.clear();
        // The handlers see the state before the request.
        Panel->OnMinimize = [this](TObject*) { Events.push_back(Panel->Height() == 200 ? "minimize" : "late"); };
        Panel->OnMaximize = [this](TObject*) { Events.push_back(Panel->Height() == 18 ? "maximize" : "late"); };
        Panel->SetCollaps(C.To);
        EXPECT_EQ(Events, C.Events);
        EXPECT_EQ(Panel->Collaps(), C.To);
    }
}

TEST_F(AdvPanelTest, AnimatesInStepsWithMessagesArrivingBetweenThem) {
    Form->Show();
    Panel->SetBorderWidth(1);
    Panel->SetCollapsSteps(4);
    std::vector<int> Heights;
    int Paints = 0;
    Panel->OnResize = [&](TObject*) { Heights.push_back(Panel->Height()); };
    Panel->OnPaint = [&](TObject*, TCanvas*, const TRect&) { ++Paints; };
    // A click on the caption posted as the collapse begins arrives during the animation: its
    // request fires its event and changes nothing.
    Panel->Caption()->SetMinMaxCaption(true);
    Panel->OnMinimize = [&](TObject*) {
        Events.push_back("minimize");
        PostMessage(Panel->Handle(), WM_LBUTTONUP, 0, PointToLParam(50, 5));
    };
    pump();
    Paints = 0;
    Panel->SetCollaps(true);
    EXPECT_EQ(Heights, (std::vector<int>{156, 112, 68, 24, 18}));
    EXPECT_EQ(Events, (std::vector<std::string>{"minimize", "maximize", "end"}));
    EXPECT_GT(Paints, 0) << "the panel painted between the steps";
    EXPECT_EQ(Panel->Color(), clGray) << "collapsed in the collapse colour";

    Heights.clear();
    Events.clear();
    Panel->SetCollaps(false);
    EXPECT_EQ(Heights, (std::vector<int>{63, 108, 153, 198, 200}));
    EXPECT_EQ(Panel->Color(), clBtnFace);
    Panel->SetCollaps(false);
    EXPECT_EQ(Events, (std::vector<std::string>{"maximize", "end", "end"})) << "no change: only the end event";
}

TEST_F(AdvPanelTest, CollapsingHidesTheBodysChildrenAndKeepsHiddenOnesHidden) {
    const auto child = [this](int Top, bool Visible) {
        auto* C = new TPanel(Form.get());
        C->SetParent(Panel);
        C->SetBounds(10, Top, 50, 20);
        C->SetVisible(Visible);
        return C;
    };
    TPanel* Body = child(60, true);
    TPanel* Hidden = child(100, false);
    TPanel* OnCaption = child(2, true);
    Panel->SetCollaps(true);
    EXPECT_FALSE(Body->Visible());
    EXPECT_TRUE(OnCaption->Visible()) << "a child on the visible caption bar stays";
    Panel->SetCollaps(false);
    EXPECT_TRUE(Body->Visible());
    EXPECT_FALSE(Hidden->Visible());
    EXPECT_TRUE(OnCaption->Visible());
}

// A form stores a collapsed panel's height and, as "FullHeight", its expanded one: read back, the
// panel stays collapsed without animating and expands to the stored extent.
TEST_F(AdvPanelTest, ACollapsedPanelReadFromAFormExpandsToItsStoredFullHeight) {
    Panel->SetCollaps(true);
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Panel);

    auto* Read = new TAdvPanel(Form.get());
    Read->SetParent(Form.get());
    Read->Caption()->SetVisible(true);
    Read->SetCollapsSteps(4);
    int Resizes = 0;
    Read->OnResize = [&](TObject*) { ++Resizes; };
    // The published values come first, while the form is loading.
    Read->SetLoading(true);
    Read->SetHeight(18);
    Read->SetCollaps(true);
    EXPECT_EQ(Resizes, 1) << "loading only sets the flag";
    Stream.SetPosition(0);
    ReadComponentFromStream(&Stream, Read);
    EXPECT_TRUE(Read->Collaps());
    EXPECT_EQ(Read->Height(), 18);
    EXPECT_EQ(Read->FullHeight(), 200);
    Read->SetCollaps(false);
    EXPECT_EQ(Read->Height(), 200);
}

TEST_F(AdvPanelTest, ChildrenAlignBelowTheCaptionAndAboveTheStatusBar) {
    auto* Child = new TPanel(Form.get());
    Child->SetParent(Panel);
    Child->SetAlign(alClient);
    EXPECT_EQ(Child->Top(), 18) << "the caption's height less 2";
    Panel->StatusBar()->SetVisible(true);
    Panel->Realign();
    EXPECT_EQ(Child->Top() + Child->Height(), 200 - 18);
}

TEST_F(AdvPanelTest, AutomaticSizingFollowsTheTextAndTheIndents) {
    Panel->SetText(QStringLiteral("Hello"));
    Panel->AutoSize()->SetWidth(false);
    Panel->AutoSize()->SetEnabled(true);
    const int Plain = Panel->Height();
    EXPECT_LT(Plain, 60);
    Panel->SetTopIndent(7);
    Panel->SetBottomIndent(3);
    EXPECT_EQ(Panel->Height(), Plain + 10);
    Panel->SetText(QStringLiteral("Hello<br>World"));
    EXPECT_GT(Panel->Height(), Plain + 10);

    int Resizes = 0;
    Panel->OnResize = [&](TObject*) { ++Resizes; };
    Panel->SetText(Panel->Text());
    EXPECT_EQ(Resizes, 0) << "the same text changes nothing";
}

TEST_F(AdvPanelTest, StoresSixValuesInOrderAndLoadsThemBack) {
    TempFolder Folder;
    const String Ini = Folder.File(QStringLiteral("panel.ini"));
    Panel->SetBounds(10, 20, 300, 200);
    Panel->Position()->SetLocation(clInifile);
    Panel->Position()->SetKey(Ini);
    Panel->Position()->SetSection(QStringLiteral("Main"));
    Panel->SavePosition();
    QFile File(Ini);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(File.readAll()).remove(u'\r').trimmed(),
              QStringLiteral("[Main]\nTop=20\nLeft=10\nHeight=200\nFullHeight=200\nWidth=300\nCollaps=0"));
    File.close();

    struct Case {
        const char* Collaps;
        bool Collapsed;
    };
    for (const Case& C : {Case{"1", true}, Case{"2", false}, Case{"0", false}}) {
        TIniFile(Ini).WriteString(QStringLiteral("Main"), QStringLiteral("Collaps"), QString::fromLatin1(C.Collaps));
        TIniFile(Ini).WriteInteger(QStringLiteral("Main"), QStringLiteral("Top"), 33);
        Panel->SetCollaps(false);
        Panel->LoadPosition();
        EXPECT_EQ(Panel->Collaps(), C.Collapsed) << "Collaps=" << C.Collaps;
        EXPECT_EQ(Panel->Top(), 33);
        EXPECT_EQ(Panel->FullHeight(), 200);
    }

    // Without a key or a section nothing is written and nothing is read.
    QFile::remove(Ini);
    Panel->Position()->SetSection(String());
    Panel->SavePosition();
    EXPECT_FALSE(QFile::exists(Ini));
    TempFolder Registry;
    SetRegistryFolder(Registry.Path());
    Panel->Position()->SetLocation(clRegistry);
    Panel->Position()->SetKey(String());
    Panel->Position()->SetSection(QStringLiteral("Main"));
    Panel->SavePosition();
    EXPECT_TRUE(QDir(Registry.Path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    SetRegistryFolder(String());
}

TEST_F(AdvPanelTest, TheRegistryKeepsThePositionToo) {
    TempFolder Folder;
    SetRegistryFolder(Folder.Path());
    Panel->Position()->SetKey(QStringLiteral("Software\\Quillory\\Panels"));
    Panel->Position()->SetSection(QStringLiteral("Main"));
    Panel->SetBounds(5, 6, 300, 200);
    Panel->SavePosition();
    Panel->SetBounds(0, 0, 300, 200);
    Panel->LoadPosition();
    EXPECT_EQ(Panel->Left(), 5);
    EXPECT_EQ(Panel->Top(), 6);
    SetRegistryFolder(String());
}

TEST_F(AdvPanelTest, SavingOnTheWayOutSwallowsStoreErrorsThatASaveReports) {
    TempFolder Folder;
    // A folder cannot be written as a file.
    Panel->Position()->SetLocation(clInifile);
    Panel->Position()->SetKey(Folder.Path());
    Panel->Position()->SetSection(QStringLiteral("Main"));
    EXPECT_ANY_THROW(Panel->SavePosition());
    Panel->Position()->SetSave(true);
    Panel->HandleNeeded();
    EXPECT_NO_THROW(Panel->Free());
    Panel = nullptr;
}

TEST_F(AdvPanelTest, AssignCopiesAnotherPanelAndRefusesOtherClasses) {
    auto* Source = new TAdvPanel(Form.get());
    Source->SetColorTo(clRed);
    Source->SetText(QStringLiteral("<b>x</b>"));
    Source->SetCollapsSteps(3);
    Source->SetWidth(123);
    Source->Caption()->SetColor(clGreen);
    Panel->Assign(Source);
    EXPECT_EQ(Panel->ColorTo(), clRed);
    EXPECT_EQ(Panel->Text(), QStringLiteral("<b>x</b>"));
    EXPECT_EQ(Panel->RawText(), QStringLiteral("x"));
    EXPECT_EQ(Panel->CollapsSteps(), 3);
    EXPECT_EQ(Panel->Caption()->Color(), clGreen);
    EXPECT_EQ(Panel->Width(), 300) << "the width is not copied";
    TFont NotAPanel;
    EXPECT_THROW(Panel->Assign(&NotAPanel), EInvalidCast);
}

TEST_F(AdvPanelTest, APanelDroppedOnADesignedFormKeepsParentFontWhileTheCaptionFontMatches) {
    struct Case {
        const char* Name;
        bool Designed, Reading;
        bool ParentFontAfterAColour, ParentFontAfterASize;
    };
    const Case Cases[] = {
        {"dropped", true, false, true, false},
        {"read from a form", true, true, true, true},
        {"made at run time", false, false, true, true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TForm Host(nullptr);
        Host.SetDesigning(C.Designed);
        Host.SetLoading(C.Reading);
        auto* P = new TAdvPanel(&Host);
        Host.SetLoading(false);
        P->SetParent(&Host);
        ASSERT_TRUE(P->ParentFont());
        P->Caption()->Font()->Assign(P->Font());
        P->Caption()->Font()->SetColor(clRed);  // a colour is no part of the font's handle
        EXPECT_EQ(P->ParentFont(), C.ParentFontAfterAColour);
        P->Caption()->Font()->SetSize(P->Font()->Size() + 4);
        EXPECT_EQ(P->ParentFont(), C.ParentFontAfterASize);
    }
}

TEST_F(AdvPanelTest, ColourTonesAndTheOfficeHintByPosition) {
    TColorTones Tones;
    ClearColorTones(Tones);
    Tones.Selected = {0x112233, clNone, 0x445566};
    Tones.Background = {0x778899, clNone, 0x010203};
    Tones.Foreground = {0x0A0B0C, clNone, 0x0D0E0F};
    Panel->SetColorTones(Tones);
    EXPECT_EQ(Panel->Caption()->Color(), 0x112233);
    EXPECT_EQ(Panel->Caption()->CloseColor(), 0x112233);
    EXPECT_EQ(Panel->Color(), 0x778899);
    EXPECT_EQ(Panel->StatusBar()->Color(), 0x0A0B0C);
    EXPECT_EQ(Panel->BevelOuter(), bvNone);
    EXPECT_TRUE(Panel->OptimizePaint());

    TAdvHintInfo* Hint = nullptr;
    Panel->GetOfficeHint(Point(5, 5), Hint);
    EXPECT_EQ(Hint, Panel->OfficeHint()) << "an empty caption hint gives the panel's";
    Panel->Caption()->OfficeHint()->SetTitle(QStringLiteral("Caption"));
    Panel->GetOfficeHint(Point(5, 5), Hint);
    EXPECT_EQ(Hint, Panel->Caption()->OfficeHint());
    Panel->GetOfficeHint(Point(5, 50), Hint);
    EXPECT_EQ(Hint, Panel->OfficeHint());
}

}  // namespace
