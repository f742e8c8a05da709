// The detail drop-down: completion while typing, the selection by code, Enter and a cancelled
// popup, the keys and the wheel in the open popup, type-ahead on the fake clock, and what a list
// item looks like.
#include "components/dropdowns/AdvDetailDropDown.h"
#include "framework/ui/ImgList.h"
#include "tests/dropdowns/DropDownFixture.h"

using namespace advdropdown;

namespace {

class TTestDetailDropDown : public TAdvDetailDropDown {
public:
    using TAdvDetailDropDown::TAdvDetailDropDown;
    TDropDownForm* Popup() const { return FDropDownForm; }
};

class DetailDropDownTest : public DropDownFixture {
protected:
    void SetUp() override {
        DropDownFixture::SetUp();
        D = new TTestDetailDropDown(Form.get());
        D->SetParent(Form.get());
        D->SetBounds(10, 40, 160, 21);
        for (const char* C : {"Apple", "Apricot", "Banana"}) D->Items()->Add()->SetCaption(QString::fromUtf8(C));
        D->OnSelect = [this](TObject*) { ++Selects; };
        Form->HandleNeeded();
    }
    // A key as the keyboard sends it: down, the character it types (if any), up.
    void type(Word VK, QChar C = QChar()) {
        D->Perform(WM_KEYDOWN, VK, 0);
        if (!C.isNull()) D->Perform(WM_CHAR, C.unicode(), 0);
        D->Perform(WM_KEYUP, VK, 0);
    }
    void typeLetter(char C) { type(static_cast<Word>(QChar(C).toUpper().unicode()), QChar(C)); }
    String selected() const { return D->Text().mid(D->SelStart(), D->SelLength()); }
    TTestDetailDropDown* D = nullptr;
    int Selects = 0;
};

TEST_F(DetailDropDownTest, TypingCompletesWithTheFirstMatchingCaption) {
    const struct {
        const char* Keys;
        const char* Text;
        int SelStart;
        const char* Selected;
        int ItemIndex;
    } Cases[] = {
        {"a", "apple", 1, "pple", 0},   {"ap", "apple", 2, "ple", 0}, {"apr", "apricot", 3, "icot", 1},
        {"ax", "ax", 2, "", 0},  // nothing matches: the completion goes, the item stays
        {"b", "banana", 1, "anana", 2}, {"q", "q", 1, "", -1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Keys);
        D->SetItemIndex(-1);
        Selects = 0;
        for (const char* K = C.Keys; *K; ++K) typeLetter(*K);
        EXPECT_EQ(D->Text(), QString::fromUtf8(C.Text));
        EXPECT_EQ(D->SelStart(), C.SelStart);
        EXPECT_EQ(selected(), QString::fromUtf8(C.Selected));
        EXPECT_EQ(D->ItemIndex(), C.ItemIndex);
        EXPECT_EQ(Selects, 0);  // completion selects silently
    }
}

TEST_F(DetailDropDownTest, MatchCaseBackspaceAndTheWholeRemainder) {
    D->Items()->Items(0)->SetCaption(QStringLiteral("apple"));
    D->Items()->Items(1)->SetCaption(QStringLiteral("apricot"));
    D->Items()->Items(2)->SetCaption(QStringLiteral("banana"));
    D->SetMatchCase(true);
    typeLetter('A');
    EXPECT_EQ(D->Text(), QStringLiteral("A"));
    EXPECT_EQ(D->ItemIndex(), -1);
    D->SetText(String());
    typeLetter('a');
    EXPECT_EQ(D->Text(), QStringLiteral("apple"));

    // Backspace takes the completed part and does not complete again.
    type(VK_BACK, QChar(8));
    EXPECT_EQ(D->Text(), QStringLiteral("a"));
    EXPECT_EQ(D->SelStart(), 1);

    // A caption far longer than 255 characters is completed whole: the text is the caption.
    const String Long = QStringLiteral("z") + String(300, QChar('y'));
    D->Items()->Add()->SetCaption(Long);
    D->SetText(String());
    typeLetter('z');
    EXPECT_EQ(D->Text(), Long);
    EXPECT_EQ(D->ItemIndex(), 3);
}

TEST_F(DetailDropDownTest, NoMatchKeepsTextAfterACaretTheUserPlaced) {
    D->SetText(QStringLiteral("grape"));
    D->SetSelStart(2);
    D->SetSelLength(0);
    typeLetter('x');
    EXPECT_EQ(D->Text(), QStringLiteral("grxape"));
    EXPECT_EQ(D->SelStart(), 3);
}

TEST_F(DetailDropDownTest, ItemIndexEnterAndCancel) {
    // Only a valid new index or -1 is taken.
    for (int Bad : {3, -2}) {
        D->SetItemIndex(Bad);
        EXPECT_EQ(D->ItemIndex(), -1);
    }
    D->SetItemIndex(1);
    EXPECT_EQ(D->Text(), QStringLiteral("Apricot"));
    EXPECT_EQ(D->SelLength(), 7);
    EXPECT_EQ(Selects, 1);
    D->SetItemIndex(-1);
    EXPECT_EQ(D->Text(), String());
    EXPECT_EQ(Selects, 1);

    // Enter on a text that is a caption selects its item; a text that is none changes nothing.
    D->SetText(QStringLiteral("Banana"));
    EXPECT_EQ(D->ItemIndex(), -1);  // text from code completes nothing
    type(VK_RETURN);
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_EQ(Selects, 2);
    D->SetText(QStringLiteral("Cherry"));
    type(VK_RETURN);
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_EQ(D->Text(), QStringLiteral("Cherry"));
    // After a completion to the item, Enter selects nothing new.
    D->SetText(String());
    typeLetter('a');
    D->SetText(QStringLiteral("Apple"));
    type(VK_RETURN);
    EXPECT_EQ(D->ItemIndex(), 0);
    EXPECT_EQ(Selects, 2);

    // A cancelled popup puts back the item it opened with.
    D->SetItemIndex(1);
    D->ShowDropDown();
    ASSERT_TRUE(D->DroppedDown());
    type(VK_DOWN);
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_TRUE(D->DroppedDown());
    type(VK_ESCAPE);
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 1);
    EXPECT_EQ(D->Text(), QStringLiteral("Apricot"));
}

TEST_F(DetailDropDownTest, KeysAndWheelSelectInTheOpenPopup) {
    for (int I = 0; I < 9; ++I) D->Items()->Add()->SetCaption(QStringLiteral("Extra %1").arg(I));
    D->ShowDropDown();
    ASSERT_TRUE(D->DroppedDown());
    TAdvCustomItemSelector* S = D->ItemSelector();
    ASSERT_EQ(S->Items()->Count(), 12);
    const int Page = S->GetVisibleItemCount();
    ASSERT_GT(Page, 1);
    const struct {
        Word Key;
        int ItemIndex;
    } Steps[] = {
        {VK_DOWN, 0},
        {VK_DOWN, 1},
        {VK_UP, 0},
        {VK_UP, 0},
        {VK_NEXT, Page},
        {VK_PRIOR, 0},
        {VK_END, 11},
        {VK_DOWN, 11},
        {VK_HOME, 0},
        {VK_NEXT, Page},
        {VK_NEXT, 2 * Page > 11 ? 11 : 2 * Page},
    };
    int Expected = Selects;
    int Last = -1;
    for (const auto& St : Steps) {
        SCOPED_TRACE(testing::Message() << St.Key);
        type(St.Key);
        EXPECT_TRUE(D->DroppedDown());
        EXPECT_EQ(D->ItemIndex(), St.ItemIndex);
        EXPECT_EQ(S->ItemIndex(), St.ItemIndex);
        EXPECT_EQ(D->Text(), D->Items()->Items(St.ItemIndex)->Caption());
        if (St.ItemIndex != Last) ++Expected;
        Last = St.ItemIndex;
    }
    EXPECT_EQ(Selects, Expected);
    // The wheel steps too, still without closing.
    D->HideDropDown(false);
    D->SetItemIndex(0);
    D->ShowDropDown();
    D->Popup()->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, Word(static_cast<std::int16_t>(-120))), PointToLParam(-500, -500));
    EXPECT_TRUE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 1);
    // A click in the popup takes the item and closes it.
    TRect R;
    S->SelectorPanel()->GetItemRect(2, R);
    S->SelectorPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(R.Left + 3, R.Top + 3));
    EXPECT_FALSE(D->DroppedDown());
    EXPECT_EQ(D->ItemIndex(), 2);
    EXPECT_EQ(D->Text(), QStringLiteral("Banana"));
    // Closed, Up and Down step through the items.
    type(VK_DOWN);
    EXPECT_EQ(D->ItemIndex(), 3);
    type(VK_UP);
    EXPECT_EQ(D->ItemIndex(), 2);
}

TEST_F(DetailDropDownTest, TypeAheadLastsFiveHundredMillisecondsFromItsFirstKey) {
    D->Items()->Items(2)->SetCaption(QStringLiteral("Blueberry"));
    D->Items()->Add()->SetCaption(QStringLiteral("Banana"));
    D->ShowDropDown();
    ASSERT_TRUE(D->DroppedDown());
    D->Perform(WM_KEYDOWN, 'B', 0);
    EXPECT_EQ(D->ItemIndex(), 2);
    Clock.Advance(300);
    D->Perform(WM_KEYDOWN, 'A', 0);  // "BA"
    EXPECT_EQ(D->ItemIndex(), 3);
    EXPECT_TRUE(D->DroppedDown());
    Clock.Advance(150);  // a key that gives no letter neither joins nor restarts the search
    D->Perform(WM_KEYDOWN, VK_F2, 0);
    Clock.Advance(60);  // 510 ms after the first key: the search is empty again
    D->Perform(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(D->ItemIndex(), 0);
    // A stale selection (the items shrank since the popup was filled) is ignored.
    D->HideDropDown(false);
    D->ShowDropDown();
    D->Items()->Delete(3);
    D->Items()->Delete(2);
    const int Before = Selects;
    D->ItemSelector()->SetItemIndex(3);
    EXPECT_EQ(D->ItemIndex(), 0);
    EXPECT_EQ(Selects, Before);
    EXPECT_TRUE(D->DroppedDown());
}

TEST_F(DetailDropDownTest, ListItemsShowImageCaptionAndNotes) {
    TImageList Images(nullptr);
    TBitmap Red(16, 16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    Images.AddMasked(&Red, clNone);
    D->SetImages(&Images);
    D->SetItemHeight(30);
    D->Items()->Items(0)->SetImageIndex(0);
    D->Items()->Items(0)->SetNotes(QStringLiteral("<b>round</b> and red"));
    D->SetDropDownColor(clWhite);
    D->ShowDropDown();
    ASSERT_TRUE(D->DroppedDown());
    TCustomItemSelector* P = D->ItemSelector()->SelectorPanel();
    TRect R;
    P->GetItemRect(0, R);
    EXPECT_EQ(R.Height(), 30);
    EXPECT_EQ(R.Width(), D->Popup()->Width() - 2 - 4);
    P->Invalidate();
    TBitmap B(P->Width(), P->Height());
    P->PaintTo(B.Canvas(), 0, 0);
    // The image: 2 pixels in, centred in the 30-pixel row (rows 7 to 22).
    EXPECT_EQ(B.Canvas()->Pixels(R.Left + 2 + 8, R.Top + 7), clRed);
    EXPECT_EQ(B.Canvas()->Pixels(R.Left + 2 + 8, R.Top + 22), clRed);
    EXPECT_EQ(B.Canvas()->Pixels(R.Left + 2 + 8, R.Top + 5), clWhite);
    // Caption on the first line and notes below it, right of the image.
    const auto inkIn = [](TBitmap& In, const TRect& Area) {
        int N = 0;
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X) N += In.Canvas()->Pixels(X, Y) != clWhite;
        return N;
    };
    const int TextLeft = R.Left + 2 + 16 + 4 + 4;
    EXPECT_GT(inkIn(B, Rect(TextLeft, R.Top + 2, TextLeft + 60, R.Top + 16)), 10);
    EXPECT_GT(inkIn(B, Rect(TextLeft, R.Top + 18, TextLeft + 60, R.Bottom)), 10);
    // Own drawing replaces everything but the state background.
    int Calls = 0;
    D->OnDrawSelectedImage = [&](TObject* Sender, TCanvas*, const TRect&) {
        EXPECT_EQ(Sender, D);
        ++Calls;
    };
    P->Invalidate();
    TBitmap Own(P->Width(), P->Height());
    P->PaintTo(Own.Canvas(), 0, 0);
    EXPECT_GE(Calls, 3);
    EXPECT_EQ(inkIn(Own, R), 0);
}

}  // namespace
