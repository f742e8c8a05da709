// The grid's look presets as property snapshots, their names, addresses shown as links, and the
// thin scroll indicators.
#include "components/dropdowns/AdvColorPickerDropDown.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridSettings.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// Records the colour scheme a look hands to the grid's styling.
class TLookGrid : public TVidIvezadOrir {
public:
    using TVidIvezadOrir::TVidIvezadOrir;
    int Scheme = -1;
    void SetLoading(bool On) { On ? IncludeState(csLoading) : ExcludeState(csLoading); }
    void SetStyle(TZirOdadStyle AStyle) override { Scheme = AStyle; }
};

using TSnapshot = std::map<std::string, long long>;

TSnapshot snapshot(TLookGrid* G) {
    TControlLook* L = G->ControlLook();
    return {
        {"FixedGradientFrom", L->FixedGradientFrom()},
        {"FixedGradientTo", L->FixedGradientTo()},
        {"FixedGradientMirrorFrom", L->FixedGradientMirrorFrom()},
        {"FixedGradientMirrorTo", L->FixedGradientMirrorTo()},
        {"FixedGradientHoverFrom", L->FixedGradientHoverFrom()},
        {"FixedGradientHoverTo", L->FixedGradientHoverTo()},
        {"FixedGradientHoverMirrorFrom", L->FixedGradientHoverMirrorFrom()},
        {"FixedGradientHoverMirrorTo", L->FixedGradientHoverMirrorTo()},
        {"FixedGradientDownFrom", L->FixedGradientDownFrom()},
        {"FixedGradientDownTo", L->FixedGradientDownTo()},
        {"FixedGradientDownMirrorFrom", L->FixedGradientDownMirrorFrom()},
        {"FixedGradientDownMirrorTo", L->FixedGradientDownMirrorTo()},
        {"TesselGradientFrom", G->TesselGradientFrom()},
        {"TesselGradientTo", G->TesselGradientTo()},
        {"TesselGradientMirrorFrom", G->TesselGradientMirrorFrom()},
        {"TesselGradientMirrorTo", G->TesselGradientMirrorTo()},
        {"SortHeaderColor", G->SortSettings()->HeaderColor()},
        {"FixedColor", G->FixedColor()},
        {"GridFixedLineColor", G->GridFixedLineColor()},
        {"GridLineColor", G->GridLineColor()},
        {"ActiveCellColor", G->ActiveCellColor()},
        {"ActiveCellColorTo", G->ActiveCellColorTo()},
        {"SelectionColor", G->SelectionColor()},
        {"SelectionColorTo", G->SelectionColorTo()},
        {"SelectionTextColor", G->SelectionTextColor()},
        {"SearchFooterColor", G->SearchFooter()->Color()},
        {"SearchFooterColorTo", G->SearchFooter()->ColorTo()},
        {"BorderColor", G->BorderColor()},
        {"ScrollType", G->ScrollType()},
        {"SelectionStyle", G->SelectionStyle()},
        {"ComponentStyle", G->ComponentStyle()},
        {"Scheme", G->Scheme},
    };
}

// Every property a look may write gets a value of its own that no look writes.
void seed(TLookGrid* G) {
    TControlLook* L = G->ControlLook();
    TColor C = 0x010100;
    const auto next = [&C] { return ++C; };
    L->SetFixedGradientFrom(next());
    L->SetFixedGradientTo(next());
    L->SetFixedGradientMirrorFrom(next());
    L->SetFixedGradientMirrorTo(next());
    L->SetFixedGradientHoverFrom(next());
    L->SetFixedGradientHoverTo(next());
    L->SetFixedGradientHoverMirrorFrom(next());
    L->SetFixedGradientHoverMirrorTo(next());
    L->SetFixedGradientDownFrom(next());
    L->SetFixedGradientDownTo(next());
    L->SetFixedGradientDownMirrorFrom(next());
    L->SetFixedGradientDownMirrorTo(next());
    G->SetTesselGradientFrom(next());
    G->SetTesselGradientTo(next());
    G->SetTesselGradientMirrorFrom(next());
    G->SetTesselGradientMirrorTo(next());
    G->SortSettings()->SetHeaderColor(next());
    G->SetFixedColor(next());
    G->SetGridFixedLineColor(next());
    G->SetGridLineColor(next());
    G->SetActiveCellColor(next());
    G->SetActiveCellColorTo(next());
    G->SetSelectionColor(next());
    G->SetSelectionColorTo(next());
    G->SetSelectionTextColor(next());
    G->SearchFooter()->SetColor(next());
    G->SearchFooter()->SetColorTo(next());
    G->SetBorderColor(next());
    G->SetScrollType(ssFlat);
    G->SetSelectionStyle(ssWin7);
    G->SetComponentStyle(tsOffice2003Olive);
    G->Scheme = -1;
}

using TChanges = std::vector<std::pair<std::string, long long>>;

// Step 2 of every look but glCustom: the gradients and the sort header colour cleared.
const TChanges kCleared = {
    {"FixedGradientMirrorFrom", clNone},  {"FixedGradientMirrorTo", clNone},  {"FixedGradientFrom", clNone},
    {"FixedGradientTo", clNone},          {"TesselGradientFrom", clNone},     {"TesselGradientTo", clNone},
    {"TesselGradientMirrorFrom", clNone}, {"TesselGradientMirrorTo", clNone}, {"SortHeaderColor", clNone},
};
// What every look writes last.
const TChanges kScroll = {{"ScrollType", ssNormal}};
const TChanges kBorder = {{"BorderColor", 0xB99D7F}};
const TChanges kPlainStyle = {{"SelectionStyle", ssDefault}};
// The plain looks' colours, written only when the grid is not loading.
const TChanges kButtonFaceFixed = {
    {"FixedColor", clBtnFace}, {"FixedGradientFrom", clBtnFace}, {"FixedGradientTo", clNone}};
const TChanges kWhiteFixed = {{"FixedGradientFrom", clWhite}, {"FixedGradientTo", clBtnFace}};
const TChanges kLines = {{"GridFixedLineColor", clGray}, {"GridLineColor", clSilver}};
const TChanges kStandardColours = {{"ActiveCellColor", clGray},      {"ActiveCellColorTo", clNone},
                                   {"SelectionColor", clHighlight},  {"SelectionTextColor", clHighlightText},
                                   {"SearchFooterColor", clBtnFace}, {"SearchFooterColorTo", clBtnFace}};
const TChanges kTesselColours = {{"ActiveCellColor", 0xEACAB6},
                                 {"ActiveCellColorTo", clNone},
                                 {"SelectionColor", 0xEACAB6},
                                 {"SelectionColorTo", clNone},
                                 {"SelectionTextColor", clBlack},
                                 {"SearchFooterColor", clNone},
                                 {"SearchFooterColorTo", clNone},
                                 {"FixedGradientFrom", clWhite},
                                 {"FixedGradientHoverFrom", 0xCFD0D1},
                                 {"FixedGradientHoverTo", 0xBEC6C8},
                                 {"FixedGradientHoverMirrorFrom", 0xBEC6C8},
                                 {"FixedGradientHoverMirrorTo", 0xABBCBF},
                                 {"FixedGradientDownFrom", 0x868788},
                                 {"FixedGradientDownTo", 0x737C7E},
                                 {"FixedGradientDownMirrorFrom", 0x737C7E},
                                 {"FixedGradientDownMirrorTo", 0x627376}};

TChanges scheme(TZirOdadStyle Scheme, TTesselStyle Style, TGridSelectionStyle Selection) {
    return {{"Scheme", Scheme}, {"ComponentStyle", Style}, {"SelectionStyle", Selection}};
}

TSnapshot expected(const TSnapshot& Before, std::initializer_list<TChanges> Steps) {
    TSnapshot S = Before;
    for (const TChanges& Step : Steps)
        for (const auto& [Key, Value] : Step) {
            EXPECT_TRUE(S.count(Key)) << Key;
            S[Key] = Value;
        }
    return S;
}

TEST(GridLooks, EachLookLoadingOrNotGivesItsSnapshot) {
    for (int I = glStandard; I <= glCustom; ++I) {
        for (const bool Loading : {false, true}) {
            const auto Look = static_cast<TGridLook>(I);
            SCOPED_TRACE(testing::Message() << "look " << I << (Loading ? " loading" : ""));
            std::unique_ptr<TLookGrid, TFree> G(new TLookGrid(nullptr));
            G->SetLook(Look == glCustom ? glStandard : glCustom);
            seed(G.get());
            const TSnapshot Before = snapshot(G.get());
            if (Loading) G->SetLoading(true);
            G->SetLook(Look);
            G->SetLoading(false);
            TSnapshot Want;
            const TChanges Tessel =
                Look == glXP ? TChanges{{"FixedGradientTo", clBtnFace}} : TChanges{{"FixedGradientTo", clSilver}};
            switch (Look) {
                case glStandard:
                case glSoft:
                case glClassic:
                    Want = Loading ? expected(Before, {kCleared, kPlainStyle, kScroll, kBorder})
                                   : expected(Before, {kCleared, kPlainStyle, kButtonFaceFixed, kLines,
                                                       kStandardColours, kScroll, kBorder});
                    break;
                case glListView:
                    Want = Loading ? expected(Before, {kCleared, kPlainStyle, kScroll, kBorder})
                                   : expected(Before, {kCleared, kPlainStyle, kWhiteFixed, kLines, kStandardColours,
                                                       kScroll, kBorder});
                    break;
                case glTessel:
                case glXP:
                    Want = Loading ? expected(Before, {kCleared, kPlainStyle, kScroll, kBorder})
                                   : expected(Before, {kCleared, kPlainStyle, kWhiteFixed, kLines, kTesselColours,
                                                       Tessel, kScroll, kBorder});
                    break;
                case glVista:
                    Want =
                        expected(Before, {kCleared, scheme(gsWindowsVista, tsWindowsVista, ssVista), kScroll, kBorder});
                    break;
                case glWin7:
                    Want = expected(Before, {kCleared, scheme(gsWindows7, tsWindows7, ssWin7), kScroll, kBorder});
                    break;
                case glOffice2007:
                    Want = expected(
                        Before, {kCleared, scheme(gsOffice2007Luna, tsOffice2007Luna, ssOffice2007), kScroll, kBorder});
                    break;
                case glCustom:
                    Want = expected(Before, {kScroll});
                    break;
            }
            EXPECT_EQ(snapshot(G.get()), Want);
            EXPECT_EQ(G->Look(), Look);
        }
    }
}

TEST(GridLooks, TheSameLookAgainChangesNothing) {
    std::unique_ptr<TLookGrid, TFree> G(new TLookGrid(nullptr));
    G->SetLook(glTessel);
    seed(G.get());
    const TSnapshot Before = snapshot(G.get());
    G->SetLook(glTessel);
    EXPECT_EQ(snapshot(G.get()), Before);
}

TEST(GridLooks, NamesAndCaptions) {
    const struct {
        TGridLook Look;
        const char* Ident;
        const char* Caption;
    } Cases[] = {
        {glStandard, "glStandard", "Standard"},
        {glSoft, "glSoft", "Soft"},
        {glClassic, "glClassic", "Classic"},
        {glTessel, "glTessel", "Tessel"},
        {glXP, "glXP", "Windows XP"},
        {glListView, "glListView", "ListView"},
        {glVista, "glVista", "Windows Vista"},
        {glWin7, "glWin7", "Windows 7"},
        {glOffice2007, "glOffice2007", "Office2007"},
        {glCustom, "kept", "kept"},
    };
    TGridPtr G(new TVidIvezadOrir(nullptr));
    for (const auto& C : Cases) {
        String Ident = QStringLiteral("kept"), Caption = QStringLiteral("kept");
        G->LookToString(C.Look, Ident);
        G->LookToCaption(C.Look, Caption);
        EXPECT_EQ(Ident, QString::fromLatin1(C.Ident));
        EXPECT_EQ(Caption, QString::fromLatin1(C.Caption));
    }
}

String anchor(const char* Url) { return QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(Url)); }

TEST(GridLooks, AddressesShownAsLinks) {
    const struct {
        const char* Text;
        String Shown;
    } Cases[] = {
        {"see http://a.b/c now", QStringLiteral("see ") + anchor("http://a.b/c") + QStringLiteral(" now")},
        {"WWW.Example.com", anchor("WWW.Example.com")},
        {"write Mailto:me@x.org", QStringLiteral("write ") + anchor("Mailto:me@x.org")},
        {"hTTps://s.net", anchor("hTTps://s.net")},
        {"nntp://news.x", anchor("nntp://news.x")},
        {"FILE://c/d", anchor("FILE://c/d")},
        {"ftp://f.x", anchor("ftp://f.x")},
        // The first prefix in the order wins: HTTP:// before WWW., WWW. before HTTPS://, FILE:// before FTP://.
        {"www.a.com http://b.com", QStringLiteral("www.a.com ") + anchor("http://b.com")},
        {"https://a.com www.b.com", QStringLiteral("https://a.com ") + anchor("www.b.com")},
        {"ftp://a.x file://b", QStringLiteral("ftp://a.x ") + anchor("file://b")},
        {"<b>go</b> www.x.y", QStringLiteral("&lt;b&gt;go&lt;/b&gt; ") + anchor("www.x.y")},
        {"<b>no address</b>", QStringLiteral("<b>no address</b>")},
    };
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetURLShowInText(true);
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Text);
        G->SetCells(1, 1, QString::fromLatin1(C.Text));
        EXPECT_EQ(G->GetCellEx(1, 1), C.Shown);
    }
    G->SetURLShowInText(false);
    G->SetCells(1, 1, QStringLiteral("www.x.y"));
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("www.x.y"));
}

TEST(GridLooks, TwoThinScrollIndicators) {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetBounds(0, 0, 200, 150);
    G->CreateScrollControls();
    G->CreateScrollControls();  // what exists is not made again
    std::vector<TScrollControl*> Made;
    for (int I = 0; I < G->ControlCount(); ++I)
        if (auto* S = dynamic_cast<TScrollControl*>(G->Controls(I))) Made.push_back(S);
    ASSERT_EQ(Made.size(), 2u);
    TScrollControl* V = Made[0]->Direction() == sdVertical ? Made[0] : Made[1];
    TScrollControl* H = V == Made[0] ? Made[1] : Made[0];
    EXPECT_EQ(V->Direction(), sdVertical);
    EXPECT_EQ(H->Direction(), sdHorizontal);
    EXPECT_EQ(V->Width(), 6);
    EXPECT_EQ(V->Align(), alRight);
    EXPECT_EQ(H->Height(), 6);
    EXPECT_EQ(H->Align(), alBottom);
    for (TScrollControl* S : Made) {
        EXPECT_EQ(S->Owner(), G.get());
        EXPECT_EQ(S->Parent(), G.get());
        EXPECT_TRUE(S->DoubleBuffered());
        EXPECT_TRUE(S->Visible());
    }
    G->FreeScrollControls();
}

TEST(GridLooks, PickerHooksFireWithTheCurrentCell) {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->ColorSelect();  // unassigned: nothing, no editor made
    std::vector<std::string> Seen;
    G->OnColorSelect = [&](TObject*, int ACol, int ARow, TColor Color, const String& Value) {
        Seen.push_back("colour " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + std::to_string(Color) +
                       " " + Value.toStdString());
    };
    G->OnImageSelect = [&](TObject*, int ACol, int ARow, int Index) {
        Seen.push_back("image " + std::to_string(ACol) + "," + std::to_string(ARow) + " " + std::to_string(Index));
    };
    G->FocusCell(2, 3);
    G->GetColorPickerDropDown()->SetSelectedColor(0x0000FF);
    G->ColorSelect();
    G->ImageSelect();
    ASSERT_EQ(Seen.size(), 2u);
    EXPECT_EQ(Seen[0].rfind("colour 2,3 255 ", 0), 0u) << Seen[0];
    EXPECT_EQ(Seen[1], "image 2,3 -1");
    bool Insert = true;
    G->OnCanInsertRow = [](TObject*, int ARow, bool& CanInsert) { CanInsert = ARow != 4; };
    G->CanInsertRow(4, Insert);
    EXPECT_FALSE(Insert);
}

}  // namespace
