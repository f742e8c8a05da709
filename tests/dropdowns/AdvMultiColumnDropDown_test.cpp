// The multi-column drop-down and its popup grid: completion while typing, Enter and Esc, the
// closed keys, the search in the open popup, whole-row heights and scaled columns, the wheel,
// the style table; the grid's rows, measured sizes, header, lines, selection and OnSelect.
#include "components/dropdowns/AdvMultiColumnDropDown.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/ImgList.h"
#include "tests/dropdowns/DropDownFixture.h"

#include <map>

using namespace advdropdown;
using namespace advmulticolumn;

namespace {

class TTestMultiColumn : public TAdvMultiColumnDropDown {
public:
    using TAdvMultiColumnDropDown::ClosePopup;
    using TAdvMultiColumnDropDown::ControlKeyPress;
    using TAdvMultiColumnDropDown::OpenPopup;
    using TAdvMultiColumnDropDown::TAdvMultiColumnDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

class MultiColumnTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        M = new TTestMultiColumn(Form.get());
        M->SetParent(Form.get());
        M->SetBounds(10, 40, 200, 21);
        for (int I = 0; I < 3; ++I) M->Columns()->Add()->SetHeader(QStringLiteral("Col %1").arg(I));
        addEntry({"Apple", "red", "1"});
        addEntry({"Apricot", "orange", "2"});
        addEntry({"Banana", "yellow"});
        M->EndUpdate();
        Form->Show();
    }
    void addEntry(std::initializer_list<const char*> Lines) {
        TDropDownItem* Item = M->Items()->Add();
        for (const char* L : Lines) Item->Text()->Add(QString::fromUtf8(L));
    }
    // A key as typed: down, the character, up.
    void type(Char C) {
        const Word VK = C.toUpper().unicode();
        M->Perform(WM_KEYDOWN, VK, 0);
        M->Perform(WM_CHAR, C.unicode(), 0);
        M->Perform(WM_KEYUP, VK, 0);
    }
    void press(Word VK) {
        M->Perform(WM_KEYDOWN, VK, 0);
        M->Perform(WM_KEYUP, VK, 0);
    }
    String selected() const { return M->Text().mid(M->SelStart(), M->SelLength()); }
    bool shown() const { return M->Popup() && M->Popup()->Visible(); }

    TTestMultiColumn* M = nullptr;
};

TEST_F(MultiColumnTest, TypingCompletesFromTheLookupColumn) {
    const struct {
        bool CaseSensitive;  // a change of it starts from an empty edit
        Char Key;
        const char* Text;
        const char* Selected;
        int Index;
    } Steps[] = {
        {false, u'a', "apple", "pple", 0},
        {false, u'p', "apple", "ple", 0},
        {false, u'r', "apricot", "icot", 1},
        // No match: the text is cut to what was typed, the entry stays.
        {false, u'x', "aprx", "", 1},
        {true, u'a', "a", "", -1},
        {false, u'A', "Apple", "pple", 0},
        // Case-sensitive "AP" no longer starts "Apple": the entry stays.
        {true, u'P', "AP", "", 0},
    };
    bool Case = false;
    for (const auto& S : Steps) {
        if (S.CaseSensitive != Case && S.Key != u'P') M->SetItemIndex(-1);
        Case = S.CaseSensitive;
        M->SetCaseSensitive(Case);
        type(S.Key);
        EXPECT_EQ(M->Text(), QString::fromUtf8(S.Text)) << S.Key.toLatin1();
        EXPECT_EQ(selected(), QString::fromUtf8(S.Selected)) << S.Key.toLatin1();
        EXPECT_EQ(M->ItemIndex(), S.Index) << S.Key.toLatin1();
    }
}

TEST_F(MultiColumnTest, EnterTakesTheExactLettersAndEscRestores) {
    M->SetText(QStringLiteral("BANANA"));
    press(VK_RETURN);
    EXPECT_EQ(M->Text(), QStringLiteral("Banana"));
    EXPECT_EQ(M->ItemIndex(), 2);
    // Esc returns to the entry chosen when the popup was last opened.
    M->SetItemIndex(1);
    M->OpenPopup();
    M->ClosePopup(false);
    M->SetItemIndex(2);
    press(VK_ESCAPE);
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Apricot"));
    // A value no entry has, and an entry without the lookup column's line, find nothing.
    EXPECT_EQ(M->GetItemIndex(QStringLiteral("Banana")), 2);
    EXPECT_EQ(M->GetItemIndex(QStringLiteral("banana")), -1);
    M->SetLookupColumn(2);
    EXPECT_EQ(M->GetItemIndex(QStringLiteral("2")), 1);
    EXPECT_EQ(M->GetItemIndex(QStringLiteral("9")), -1);
    M->SetItemIndex(2);
    EXPECT_EQ(M->Text(), String());
    M->SetItemIndex(3);  // past the entries: ignored
    EXPECT_EQ(M->ItemIndex(), 2);
}

TEST_F(MultiColumnTest, KeysOfTheClosedDropDown) {
    for (int I = 3; I < 25; ++I) addEntry({"Entry", "x"});
    M->EndUpdate();
    // Key, start, index after.
    const struct {
        Word Key;
        int From, To;
    } Cases[] = {
        {VK_NEXT, -1, 0},  {VK_NEXT, 3, 13}, {VK_NEXT, 20, 24}, {VK_PRIOR, 13, 3}, {VK_PRIOR, 5, 0},
        {VK_PRIOR, -1, 0}, {VK_DOWN, -1, 0}, {VK_DOWN, 4, 5},   {VK_DOWN, 24, 24}, {VK_UP, 4, 3},
        {VK_UP, 0, 0},     {VK_END, 4, 4},   {VK_HOME, 4, 4},
    };
    for (const auto& C : Cases) {
        M->SetItemIndex(C.From);
        M->Perform(WM_KEYDOWN, C.Key, 0);
        EXPECT_EQ(M->ItemIndex(), C.To) << C.Key << " from " << C.From;
    }
    // Without typing, End and Home go to the ends.
    M->SetEditorEnabled(false);
    M->SetItemIndex(4);
    M->Perform(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(M->ItemIndex(), 24);
    M->Perform(WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(M->ItemIndex(), 0);
}

TEST_F(MultiColumnTest, TheOpenPopupSearchesTheLookupColumn) {
    M->OpenPopup();
    ASSERT_TRUE(shown());
    Char B = u'b';
    M->ControlKeyPress(B);
    EXPECT_EQ(M->Grid()->Row(), 3);
    EXPECT_EQ(M->Text(), QStringLiteral("Banana"));
    EXPECT_EQ(selected(), QStringLiteral("anana"));
    Char Back = u'\b';
    M->ControlKeyPress(Back);
    EXPECT_EQ(M->Text(), QStringLiteral("B"));
    // A character that continues no match starts a new search of its own.
    Char A = u'a';
    M->ControlKeyPress(A);
    M->ControlKeyPress(A);
    EXPECT_EQ(M->Grid()->Row(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Apple"));
    // Enter in the grid takes its row and closes.
    M->Grid()->Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(M->ItemIndex(), 1);
    M->Grid()->Perform(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(shown());
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Grid()->Perform(WM_GETDLGCODE, 0, 0), 3);
}

TEST_F(MultiColumnTest, ThePopupShowsWholeRowsAndScalesItsColumns) {
    M->DropDownHeader()->SetVisible(false);
    M->DropDownFooter()->SetVisible(false);
    M->SetDropDownSizeable(false);
    M->SetDropDownAutoWidth(false);
    M->SetDropDownWidth(200);
    M->OpenPopup();
    ASSERT_TRUE(shown());
    EXPECT_EQ(M->Popup()->Height(), 181);
    EXPECT_EQ(M->Popup()->Width(), 200);
    EXPECT_EQ(M->Grid()->ColWidths(0), 66);
    EXPECT_EQ(M->Grid()->ColWidths(1), 66);
    EXPECT_EQ(M->Grid()->ColWidths(2), 67);
}

TEST_F(MultiColumnTest, TheWheelScrollsWithoutChoosing) {
    for (int I = 3; I < 30; ++I) addEntry({"More", "x"});
    M->EndUpdate();
    M->SetItemIndex(0);
    M->OpenPopup();
    ASSERT_TRUE(shown());
    REroDavIdev* G = M->Grid();
    const int Before = G->TopRow();
    G->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<Word>(-120)), PointToLParam(20, 40));
    EXPECT_FALSE(G->ConfirmSelection());
    EXPECT_EQ(M->ItemIndex(), 0);
    EXPECT_TRUE(G->TopRow() > Before || G->Row() > 1);
    M->ClosePopup(false);
    EXPECT_EQ(M->ItemIndex(), 0);
}

TEST_F(MultiColumnTest, TheStyleTable) {
    const struct {
        TTesselStyle Style;
        TColor Header, HeaderTo, Lines, HeaderLines, Selection, SelectedText;
        TSelectionColorStyle SelectionStyle;
    } Rows[] = {
        {tsOffice2003Blue, 0xD68759, 0x933803, 0x962D00, 0x962D00, clNone, 0x000000, scOffice2007},
        {tsWindowsXP, clBtnFace, clBtnFace, 0xC0C0C0, 0x000000, clHighlight, clHighlightText, scCustom},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFCF2DA, clNone, 0x000000, scWindowsVista},
        {tsOffice2010Black, 0x828282, clNone, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x000000, scCustom},
        {tsOffice2016Black, 0x444444, clNone, 0x6A6A6A, 0x6A6A6A, 0x444444, 0xFFFFFF, scCustom},
    };
    for (const auto& R : Rows) {
        M->SetComponentStyle(R.Style);
        EXPECT_EQ(M->HeaderColor(), R.Header) << R.Style;
        EXPECT_EQ(M->HeaderColorTo(), R.HeaderTo) << R.Style;
        EXPECT_EQ(M->LineColor(), R.Lines) << R.Style;
        EXPECT_EQ(M->FixedLineColor(), R.HeaderLines) << R.Style;
        EXPECT_EQ(M->SelectionTextColor(), R.SelectedText) << R.Style;
        EXPECT_EQ(M->SelectionColorStyle(), R.SelectionStyle) << R.Style;
        if (R.Selection != clNone) {
            EXPECT_EQ(M->SelectionColor(), R.Selection) << R.Style;
            EXPECT_EQ(M->SelectionColorTo(), R.Selection) << R.Style;
        }
    }
    EXPECT_EQ(M->HeaderFont()->Color(), TColor(0xFFFFFF));
    // tsCustom changes nothing.
    M->SetComponentStyle(tsCustom);
    EXPECT_EQ(M->HeaderColor(), TColor(0x444444));
    // The selection styles set the two line colours.
    M->SetSelectionColorStyle(scWindows7);
    EXPECT_EQ(M->LineColor(), TColor(0xECECF0));
    EXPECT_EQ(M->FixedLineColor(), TColor(0xD4D2D1));
}

// ---------------------------------------------------------------------------------------------
// The popup grid

class PopupGridTest : public MultiColumnTest {
protected:
    std::unique_ptr<TBitmap> render() {
        REroDavIdev* G = M->Grid();
        G->Invalidate();
        auto B = std::make_unique<TBitmap>(G->Width(), G->Height());
        G->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
};

TEST_F(PopupGridTest, RowsCellsAndMeasuredSizes) {
    // The texts the cells are drawn with: an entry's lines, empty where it has none.
    std::map<std::pair<int, int>, String> Drawn;
    M->OnDropDownGetItemText = [&](TObject*, int Col, int Row, String& Text) { Drawn[{Col, Row}] = Text; };
    M->OpenPopup();
    REroDavIdev* G = M->Grid();
    render();
    EXPECT_EQ(Drawn[std::make_pair(0, 1)], QStringLiteral("Apple"));
    EXPECT_EQ(Drawn[std::make_pair(1, 3)], QStringLiteral("yellow"));
    ASSERT_TRUE(Drawn.count({2, 3}));
    EXPECT_EQ(Drawn[std::make_pair(2, 3)], String());
    M->OnDropDownGetItemText = nullptr;
    EXPECT_EQ(G->RowCount(), 4);
    EXPECT_EQ(G->ColCount(), 3);
    EXPECT_EQ(G->RowHeights(0), 25);
    EXPECT_EQ(G->RowHeights(1), 22);
    M->ClosePopup(false);
    // Without entries: the header and one empty row.
    M->Items()->Clear();
    M->OpenPopup();
    EXPECT_EQ(G->RowCount(), 2);
    M->ClosePopup(false);

    addEntry({"Apple", "a long text for the second column"});
    addEntry({"Kiwi"});
    TImageList Images(nullptr);
    Images.SetWidth(16);
    Images.SetHeight(30);
    M->SetImages(&Images);
    M->Items()->Items(1)->SetImageIndex(0);
    M->Columns()->Items(0)->SetAutoSize(true);
    M->Columns()->Items(0)->SetColumnType(ctImage);
    M->Columns()->Items(0)->SetWordwrap(true);
    M->Columns()->Items(1)->SetAutoSize(true);
    M->Columns()->Items(1)->SetWordwrap(true);
    M->SetColumnSizeWithDropDown(false);
    M->OpenPopup();
    TCanvas* C = G->Canvas();
    C->Font()->Assign(M->Columns()->Items(0)->Font());
    const int Apple = C->TextWidth(QStringLiteral("Apple")) + 6;
    const int Kiwi = 16 + 4 + C->TextWidth(QStringLiteral("Kiwi")) + 6;
    EXPECT_EQ(G->ColWidths(0), std::max(Apple, Kiwi));
    EXPECT_EQ(M->Columns()->Items(0)->Width(), G->ColWidths(0));
    EXPECT_EQ(G->ColWidths(1), C->TextWidth(QStringLiteral("a long text for the second column")) + 6);
    // Rows of word-wrapped columns: at least 24; an image cell its height + 6.
    EXPECT_EQ(G->RowHeights(1), 24);
    EXPECT_EQ(G->RowHeights(2), 36);
    M->SetImages(nullptr);
}

TEST_F(PopupGridTest, HeaderLinesAndSelectedRowPixels) {
    M->SetHeaderColor(0xFF0000);
    M->SetHeaderColorTo(0x0000FF);
    M->Columns()->Items(0)->SetColor(0x00FF00);
    M->SetLineColor(0x0000FF);
    M->SetSelectionColorStyle(scCustom);
    M->SetSelectionColor(0x00FFFF);
    M->SetSelectionColorTo(0x00FFFF);
    M->SetItemIndex(1);
    M->OpenPopup();
    REroDavIdev* G = M->Grid();
    const TRect H = G->GetCellRect(1, 0);
    {
        auto B = render();
        TCanvas* C = B->Canvas();
        // An 80-step vertical gradient from blue (top) to red (bottom).
        const TColor Top = C->Pixels(H.Left + 30, H.Top + 1), Bottom = C->Pixels(H.Left + 30, H.Bottom - 3);
        EXPECT_GT(GetBValue(Top), GetRValue(Top));
        EXPECT_GT(GetRValue(Bottom), GetBValue(Bottom));
        // Data row 1 (not selected): the column colour; its bottom line in LineColor.
        const TRect R1 = G->GetCellRect(0, 1);
        EXPECT_EQ(C->Pixels(R1.Left + 30, R1.Top + 5), TColor(0x00FF00));
        EXPECT_EQ(C->Pixels(R1.Left + 30, R1.Bottom - 1), TColor(0x0000FF));
        // The selected row: the selection colour.
        const TRect R2 = G->GetCellRect(1, 2);
        EXPECT_EQ(C->Pixels(R2.Left + 30, R2.Top + 5), TColor(0x00FFFF));
    }
    // With either header colour clNone the header is flat.
    M->ClosePopup(false);
    M->SetHeaderColorTo(clNone);
    M->OpenPopup();
    {
        auto B = render();
        EXPECT_EQ(B->Canvas()->Pixels(H.Left + 30, H.Top + 1), TColor(0xFF0000));
        EXPECT_EQ(B->Canvas()->Pixels(H.Left + 30, H.Bottom - 3), TColor(0xFF0000));
    }
    // Line widths 0, 1 and 2: the bottom line's rows.
    const TRect R1 = G->GetCellRect(0, 1);
    for (int W : {0, 1, 2}) {
        G->SetGridLineWidth(W);
        auto B = render();
        TCanvas* C = B->Canvas();
        const int X = R1.Left + 30;
        const int C1 = (W + 1) / 2;
        if (W == 0) {
            EXPECT_EQ(C->Pixels(X, R1.Bottom - 1), TColor(0x00FF00)) << "no line";
        } else {
            EXPECT_EQ(C->Pixels(X, R1.Bottom - C1), TColor(0x0000FF)) << W;
            EXPECT_EQ(C->Pixels(X, R1.Bottom - C1 - W - 1), TColor(0x00FF00)) << W;
        }
    }
}

TEST_F(PopupGridTest, OnSelectFiresOnReleaseOverADataRowOnly) {
    M->OpenPopup();
    REroDavIdev* G = M->Grid();
    int Selects = 0;
    M->OnSelect = [&](TObject*) { ++Selects; };
    const TRect Header = G->GetCellRect(0, 0);
    G->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Header.Left + 5, Header.Top + 5));
    G->Perform(WM_LBUTTONUP, 0, PointToLParam(Header.Left + 5, Header.Top + 5));
    EXPECT_EQ(Selects, 0);
    EXPECT_TRUE(shown());
    const TRect Row2 = G->GetCellRect(0, 2);
    G->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(Row2.Left + 5, Row2.Top + 5));
    G->Perform(WM_LBUTTONUP, 0, PointToLParam(Row2.Left + 5, Row2.Top + 5));
    EXPECT_EQ(Selects, 1);
    EXPECT_FALSE(shown());
    EXPECT_EQ(M->ItemIndex(), 1);
    EXPECT_EQ(M->Text(), QStringLiteral("Apricot"));
}

}  // namespace
