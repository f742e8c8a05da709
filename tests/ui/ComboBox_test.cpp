#include "framework/ui/ControlWidget.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/StdCtrls.h"
#include "tests/support/ShownWindows.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TComboBox* Box = nullptr;
    std::vector<std::string> Events;

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 200);
        Box = new TComboBox(Form.get());
        Box->SetParent(Form.get());
        for (const char* S : {"Auto", "Quillory", "YouTube"}) Box->Items()->Add(QString::fromLatin1(S));
        Box->OnClick = [this](TObject*) { Events.push_back("click " + Box->Text().toStdString()); };
        Box->OnChange = [this](TObject*) { Events.push_back("change " + std::to_string(Box->ItemIndex())); };
    }
};

TEST_F(ComboBoxTest, ItemIndexAndTextPerStyle) {
    for (bool WithWindow : {false, true}) {
        SCOPED_TRACE(WithWindow ? "with window" : "without window");
        if (WithWindow) Box->HandleNeeded();
        Box->SetStyle(csDropDownList);
        const struct {
            int Set;
            int Index;
            const char* Text;
        } Cases[] = {{1, 1, "Quillory"}, {7, -1, ""}, {-3, -1, ""}, {2, 2, "YouTube"}};
        for (const auto& C : Cases) {
            Box->SetItemIndex(C.Set);
            EXPECT_EQ(Box->ItemIndex(), C.Index) << C.Set;
            EXPECT_EQ(Box->Text(), QString::fromLatin1(C.Text)) << C.Set;
        }
        // A list box shows only its items' texts.
        Box->SetText(QStringLiteral("Nope"));
        EXPECT_EQ(Box->Text(), QStringLiteral("YouTube"));
        Box->SetText(QStringLiteral("Auto"));
        EXPECT_EQ(Box->ItemIndex(), 0);

        Box->SetStyle(csDropDown);
        Box->SetText(QStringLiteral("typed"));
        EXPECT_EQ(Box->Text(), QStringLiteral("typed"));
        EXPECT_EQ(Box->ItemIndex(), -1);
        Box->SetText(QStringLiteral("Quillory"));
        EXPECT_EQ(Box->ItemIndex(), 1);
        EXPECT_TRUE(Events.empty()) << "writes from code fire nothing";
    }
}

TEST_F(ComboBoxTest, UserPickFiresClickThenChange) {
    Box->SetStyle(csDropDownList);
    Box->HandleNeeded();
    Box->SelectItem(1);
    Box->SelectItem(9);  // out of range: nothing
    EXPECT_EQ(Events, (std::vector<std::string>{"click Quillory", "change 1"}));
}

TEST_F(ComboBoxTest, HandlerMayFreeTheBox) {
    TComboBox** Ref = &Box;
    Box->OnClick = [Ref](TObject* Sender) {
        // Freeing the box frees this handler too: keep what is needed on the stack first.
        TComboBox** Target = Ref;
        Sender->Free();
        *Target = nullptr;
    };
    Box->SelectItem(0);
    EXPECT_EQ(Box, nullptr);
}

TEST_F(ComboBoxTest, ItemChangesKeepIndexValid) {
    Box->SetStyle(csDropDownList);
    Box->SetItemIndex(2);
    Box->Items()->Delete(2);
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Text(), String());
    Box->SetItemIndex(1);
    Box->HandleNeeded();
    Box->Items()->Add(QStringLiteral("Vimeo"));
    EXPECT_EQ(Box->ItemIndex(), 1);
    Box->Clear();
    EXPECT_EQ(Box->Items()->Count(), 0);
    EXPECT_EQ(Box->ItemIndex(), -1);
    // State survives a new window.
    Box->Items()->Add(QStringLiteral("A"));
    Box->Items()->Add(QStringLiteral("B"));
    Box->SetItemIndex(1);
    Box->SetDropDownCount(20);
    Box->RecreateWnd();
    EXPECT_EQ(Box->Text(), QStringLiteral("B"));
    EXPECT_EQ(Box->DropDownCount(), 20);
}

// ---------------------------------------------------------------------------------------------
// A user's mouse and keys on the shown box.

class ShownComboBoxTest : public ComboBoxTest {
protected:
    void SetUp() override {
        ComboBoxTest::SetUp();
        Form->SetCaption(QStringLiteral("ShownComboBoxTest"));
        Box->SetBounds(20, 20, 150, 21);
        Box->SetStyle(csDropDownList);
        Box->SetItemIndex(0);
        Other = new TEdit(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(20, 60, 150, 21);
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return ShownWindowTitled(Form->Caption()) != nullptr; }));
        Combo = ShownWindowTitled(Form->Caption())->findChild<QComboBox*>();
        ASSERT_NE(Combo, nullptr);
        Box->OnDropDown = [this](TObject*) { Events.push_back("dropdown"); };
        Box->OnCloseUp = [this](TObject*) { Events.push_back("closeup"); };
    }
    void TearDown() override {
        if (Box && Box->DroppedDown()) Box->SetDroppedDown(false);
        Form.reset();
    }

    TEdit* Other = nullptr;
    QComboBox* Combo = nullptr;
};

TEST_F(ShownComboBoxTest, ClickOpensTheListAndAClickOnAnItemPicksIt) {
    QTest::mouseClick(Combo, Qt::LeftButton, Qt::NoModifier, Combo->rect().center());
    ASSERT_TRUE(PumpUntil([&] { return Box->DroppedDown(); }));
    EXPECT_EQ(Events, std::vector<std::string>{"dropdown"}) << "opening the list picks nothing";

    QAbstractItemView* View = Combo->view();
    const QPoint At = View->visualRect(View->model()->index(2, 0)).center();
    QTest::mouseMove(View->viewport(), At);
    QTest::mouseClick(View->viewport(), Qt::LeftButton, Qt::NoModifier, At);
    ASSERT_TRUE(PumpUntil([&] { return !Box->DroppedDown(); }));
    EXPECT_EQ(Box->ItemIndex(), 2);
    EXPECT_EQ(Box->Text(), QStringLiteral("YouTube"));
    EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "closeup", "click YouTube", "change 2"}));
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(ShownComboBoxTest, UpAndDownOnTheClosedBoxMoveTheSelection) {
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    const struct {
        Qt::Key Key;
        int Index;
    } Steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}};
    std::vector<std::string> Expected;
    for (const auto& S : Steps) {
        const int Before = Box->ItemIndex();
        QTest::keyClick(QApplication::focusWidget(), S.Key);
        EXPECT_EQ(Box->ItemIndex(), S.Index);
        EXPECT_TRUE(Box->Focused()) << "the arrow keys stay with the box";
        EXPECT_FALSE(Box->DroppedDown());
        if (S.Index != Before) {
            Expected.push_back("click " + Box->Items()->Strings(S.Index).toStdString());
            Expected.push_back("change " + std::to_string(S.Index));
        }
    }
    EXPECT_EQ(Events, Expected);
}

// The parent hears of the box's changes through WM_COMMAND before the box's own events fire.
class TListeningForm : public TForm {
public:
    using TForm::TForm;
    std::vector<std::string>* Log = nullptr;
    TComboBox* Box = nullptr;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == WM_COMMAND && Box && reinterpret_cast<HWND>(Message.LParam) == Box->Handle())
            Log->push_back("notify " + std::to_string(HIWORD(Message.WParam)) + " " + std::to_string(Box->ItemIndex()));
        TForm::Dispatch(Message);
    }
};

TEST(ComboBoxNotifications, ParentHearsPicksTypingAndTheListOpeningAndClosing) {
    std::vector<std::string> Log;
    TListeningForm Form(nullptr);
    auto* Box = new TComboBox(&Form);
    Box->SetParent(&Form);
    Form.Log = &Log;
    Form.Box = Box;
    for (const char* S : {"Auto", "Quillory"}) Box->Items()->Add(QString::fromLatin1(S));
    Box->OnClick = [&](TObject*) { Log.push_back("click"); };
    Box->OnChange = [&](TObject*) { Log.push_back("change"); };
    Box->OnDropDown = [&](TObject*) { Log.push_back("dropdown"); };
    Box->OnCloseUp = [&](TObject*) { Log.push_back("closeup"); };
    Form.Show();
    Box->SelectItem(1);
    auto* Edit = static_cast<QComboBox*>(HostedWidget(Box))->lineEdit();
    ASSERT_NE(Edit, nullptr);
    Edit->clear();
    QTest::keyClicks(Edit, QStringLiteral("A"));
    Box->SetDroppedDown(true);
    Box->SetDroppedDown(false);
    EXPECT_EQ(Log, (std::vector<std::string>{"notify 1 1", "click", "change", "notify 5 -1", "change", "notify 7 -1",
                                             "dropdown", "notify 8 -1", "closeup"}));
}

TEST(ComboBoxMessages, CurrentSelectionItemTextsAndHeights) {
    TForm Form(nullptr);
    auto* Box = new TComboBox(&Form);
    Box->SetParent(&Form);
    Box->Items()->Add(QStringLiteral("one"));
    Box->Items()->Add(QStringLiteral("three"));
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->Perform(CB_GETCURSEL, 0, 0), 1);
    String Text;
    EXPECT_EQ(Box->Perform(CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(&Text)), 5);
    EXPECT_EQ(Text, QStringLiteral("three"));
    EXPECT_EQ(Box->Perform(CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(&Text)), CB_ERR);
    EXPECT_EQ(Box->Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 16), 0);
    EXPECT_EQ(Box->Perform(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 16);
    EXPECT_EQ(Box->Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0), CB_ERR);
}

// ---------------------------------------------------------------------------------------------
// The frame, the button and the edit part, which the box draws and routes itself.

// Records the edit part's messages and keeps the letter "x" from the edit.
class TEditHookBox : public TComboBox {
public:
    using TComboBox::DropDownButtonRect;
    using TComboBox::EditFieldRect;
    using TComboBox::TComboBox;
    std::vector<UINT> EditMessages;

protected:
    void EditWndProc(TMessage& Message) override {
        EditMessages.push_back(Message.Msg);
        if (Message.Msg == WM_CHAR && Message.WParam == u'x') return;
        TComboBox::EditWndProc(Message);
    }
};

class DrawnComboBoxTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TEditHookBox* Box = nullptr;

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 200);
        Form->SetCaption(QStringLiteral("DrawnComboBoxTest"));
        Box = new TEditHookBox(Form.get());
        Box->SetParent(Form.get());
        Box->SetBounds(20, 20, 150, 21);
        for (const char* S : {"Auto", "Quillory", "YouTube"}) Box->Items()->Add(QString::fromLatin1(S));
    }
    std::unique_ptr<TBitmap> render() {
        auto B = std::make_unique<TBitmap>(Box->Width(), Box->Height());
        Box->PaintTo(B->Canvas(), 0, 0);
        return B;
    }
};

TEST_F(DrawnComboBoxTest, FrameButtonAndFieldArePaintedUnderTheQtBox) {
    Box->SetColor(clYellow);
    Box->HandleNeeded();
    const TRect Field = Box->EditFieldRect(), Button = Box->DropDownButtonRect();
    EXPECT_EQ(Button, Rect(150 - 2 - GetSystemMetrics(SM_CXVSCROLL), 2, 148, 19));
    EXPECT_EQ(Field, Rect(3, 3, Button.Left - 1, 18));
    auto* Edit = ControlWidgetOf(Box)->findChild<QLineEdit*>();
    ASSERT_NE(Edit, nullptr);
    EXPECT_EQ(Edit->geometry(), QRect(Field.Left, Field.Top, Field.Width(), Field.Height()));

    const struct {
        bool Ctl3D;
        TColor Outer;
    } Looks[] = {{true, ColorToRGB(clBtnShadow)}, {false, ColorToRGB(clWindowFrame)}};
    for (const auto& L : Looks) {
        Box->SetCtl3D(L.Ctl3D);
        auto B = render();
        EXPECT_EQ(B->Canvas()->Pixels(0, 10), L.Outer) << L.Ctl3D;
        EXPECT_EQ(B->Canvas()->Pixels(Field.Right - 3, 10), clYellow) << "the Qt box draws no background";
        EXPECT_EQ(B->Canvas()->Pixels(Button.Left + 2, Button.Top + 2), ColorToRGB(clBtnFace));
    }
    // A simple box has no button; its field reaches the frame.
    Box->SetStyle(csSimple);
    EXPECT_TRUE(Box->DropDownButtonRect().IsEmpty());
    EXPECT_EQ(Box->EditFieldRect().Right, 147);
}

TEST_F(DrawnComboBoxTest, DroppedWidthWidensTheList) {
    Box->SetStyle(csDropDownList);
    EXPECT_EQ(Box->Perform(CB_GETDROPPEDWIDTH, 0, 0), 150);
    EXPECT_EQ(Box->Perform(CB_SETDROPPEDWIDTH, 260, 0), 260);
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Form->Active(); }));
    Box->Perform(CB_SHOWDROPDOWN, 1, 0);
    ASSERT_TRUE(PumpUntil([&] { return Box->DroppedDown(); }));
    auto* Combo = ControlWidgetOf(Box)->findChild<QComboBox*>();
    EXPECT_EQ(Combo->view()->window()->width(), 260);
    // Below the box, not over it.
    const QPoint BoxBottom = ControlWidgetOf(Box)->mapToGlobal(QPoint(0, Box->Height()));
    EXPECT_GE(Combo->view()->window()->geometry().top(), BoxBottom.y());
    Box->Perform(CB_SHOWDROPDOWN, 0, 0);
    EXPECT_FALSE(Box->DroppedDown());
    EXPECT_EQ(Box->Perform(CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(Box->Text(), QStringLiteral("YouTube"));
    EXPECT_EQ(Box->Perform(CB_SETCURSEL, 7, 0), -1);
}

// The open list as a user sees it: as wide as its longest item, never narrower than the box, on
// the screen, with the program's own scroll bar.
class OpenListTest : public DrawnComboBoxTest {
protected:
    const String Longest = QStringLiteral("MPEG for Windows (MPEG2 + MP2) and more");
    QComboBox* Combo = nullptr;

    void SetUp() override {
        DrawnComboBoxTest::SetUp();
        Box->SetStyle(csDropDownList);
        for (int I = 0; I < 8; ++I) Box->Items()->Add(QStringLiteral("Format %1").arg(I));
        Box->Items()->Add(Longest);
        Form->Show();
        ASSERT_TRUE(PumpUntil([&] { return Form->Active(); }));
        Combo = ControlWidgetOf(Box)->findChild<QComboBox*>();
        ASSERT_NE(Combo, nullptr);
    }
    void TearDown() override {
        if (Box->DroppedDown()) Box->SetDroppedDown(false);
    }
    QWidget* open() {
        Box->SetDroppedDown(true);
        return PumpUntil([&] { return Box->DroppedDown(); }) ? Combo->view()->window() : nullptr;
    }
    // The item's row in the list window, and the list window as it shows.
    QRect rowOf(int Index) const {
        QAbstractItemView* View = Combo->view();
        const QRect R = View->visualRect(View->model()->index(Index, 0));
        return QRect(View->viewport()->mapTo(View->window(), R.topLeft()), R.size());
    }
};

int inkRight(const QImage& Image, const QRect& Row) {
    int Right = -1;
    for (int Y = Row.top(); Y <= Row.bottom(); ++Y)
        for (int X = Row.left(); X <= Row.right(); ++X)
            if (qGray(Image.pixel(X, Y)) < 128) Right = std::max(Right, X);
    return Right;
}

TEST_F(OpenListTest, EveryItemReadsWholeInAListAsWideAsTheLongest) {
    const int Last = Box->Items()->Count() - 1;
    Box->SetItemIndex(Last);  // the list opens scrolled to it
    QWidget* List = open();
    ASSERT_NE(List, nullptr);
    EXPECT_GT(List->width(), Box->Width());
    const QImage Shown = List->grab().toImage();
    const QRect Row = rowOf(Last) & Shown.rect();
    // The longest text's ink reaches as far as the whole text does, not the shortened one.
    const int TextWidth = QFontMetrics(Combo->view()->font()).horizontalAdvance(Longest);
    EXPECT_GE(inkRight(Shown, Row) - Row.left(), TextWidth - 6);
    EXPECT_LE(Row.right(), Combo->view()->verticalScrollBar()->mapTo(List, QPoint(0, 0)).x());

    // Short items keep the box's width.
    Box->SetDroppedDown(false);
    Box->Items()->Delete(Last);
    List = open();
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(List->width(), Box->Width());
}

TEST_F(OpenListTest, TheWideListStaysOnTheScreen) {
    const QRect Screen = QGuiApplication::primaryScreen()->geometry();
    Form->SetBounds(Screen.right() - 200, 40, 200, 100);
    ASSERT_TRUE(PumpUntil([&] { return ControlWidgetOf(Box)->mapToGlobal(QPoint(0, 0)).x() > Screen.right() - 200; }));
    QWidget* List = open();
    ASSERT_NE(List, nullptr);
    EXPECT_GT(List->width(), Box->Width());
    EXPECT_LE(List->geometry().right(), Screen.right());
    EXPECT_GE(List->geometry().left(), Screen.left());
}

TEST_F(OpenListTest, ScrollBarIsDrawnLikeTheProgramsOthers) {
    QWidget* List = open();
    ASSERT_NE(List, nullptr);
    QScrollBar* Bar = Combo->view()->verticalScrollBar();
    ASSERT_TRUE(Bar->isVisible());
    EXPECT_EQ(Bar->width(), GetSystemMetrics(SM_CXVSCROLL));
    const QImage Shown = List->grab().toImage();
    const QRect R(Bar->mapTo(List, QPoint(0, 0)), Bar->size());
    int Black = 0, Face = 0;
    for (int Y = R.top(); Y <= R.bottom(); ++Y)
        for (int X = R.left(); X <= R.right(); ++X) {
            const QRgb P = Shown.pixel(X, Y);
            if (qRed(P) < 32 && qGreen(P) < 32 && qBlue(P) < 32) ++Black;
            if (RGB(qRed(P), qGreen(P), qBlue(P)) == ColorToRGB(clBtnFace)) ++Face;
        }
    EXPECT_LT(Black * 10, R.width() * R.height()) << "a black strip";
    EXPECT_GT(Face * 4, R.width() * R.width()) << "arrow buttons in the button face";
    // The track between the arrows in the scroll-bar colour, below the thumb at the top.
    const QRgb Track = Shown.pixel(R.center().x(), R.bottom() - R.width() - 2);
    EXPECT_EQ(RGB(qRed(Track), qGreen(Track), qBlue(Track)), ColorToRGB(clScrollBar));

    // A click on the lower arrow scrolls by one row.
    const int Before = Bar->value();
    QTest::mouseClick(Bar, Qt::LeftButton, {}, QPoint(Bar->width() / 2, Bar->height() - 4));
    EXPECT_EQ(Bar->value(), Before + 1);
}

TEST_F(DrawnComboBoxTest, KeysOfTheEditPartPassItsProcedure) {
    std::vector<int> Chars;
    Box->OnKeyPress = [&](TObject*, Char& Key) { Chars.push_back(Key.unicode()); };
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Form->Active(); }));
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("axb"));
    EXPECT_EQ(Box->Text(), QStringLiteral("ab")) << "the procedure kept the x from the edit";
    EXPECT_EQ(Chars, (std::vector<int>{'a', 'b'}));
    const auto count = [&](UINT Msg) { return std::count(Box->EditMessages.begin(), Box->EditMessages.end(), Msg); };
    EXPECT_EQ(count(WM_KEYDOWN), 3);
    EXPECT_EQ(count(WM_CHAR), 3);
    EXPECT_EQ(count(WM_KEYUP), 3);

    // A list box has no edit part: its keys are the box's own.
    Box->EditMessages.clear();
    Box->SetStyle(csDropDownList);
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(Box->EditMessages.empty());
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(DrawnComboBoxTest, MaxLengthLimitsTypingButNotTextFromCode) {
    Form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Form->Active(); }));
    Box->SetMaxLength(3);
    Box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return Box->Focused(); }));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abcde"));
    EXPECT_EQ(Box->Text(), QStringLiteral("abc"));
    Box->SetText(QStringLiteral("Quillory"));
    EXPECT_EQ(Box->Text(), QStringLiteral("Quillory"));
    EXPECT_EQ(ControlWidgetOf(Box)->findChild<QLineEdit*>()->text(), QStringLiteral("Quillory"));
    Box->SetMaxLength(0);
    Box->SetText(String());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abcde"));
    EXPECT_EQ(Box->Text(), QStringLiteral("abcde")) << "0: no limit";
}

}  // namespace
