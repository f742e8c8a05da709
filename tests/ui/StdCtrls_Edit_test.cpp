// The edit's window-side messages: the formatting rectangle, character positions against what
// is drawn, the border it paints, the change notification, and focus moves between tab stops.
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QLineEdit>
#include <chrono>

namespace {

template <class Pred>
bool pumpUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Done() && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

class EditMessagesTest : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);

    void SetUp() override { Form->SetBounds(0, 0, 300, 200); }

    TEdit* newEdit(int Width = 120) {
        auto* E = new TEdit(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(10, 10, Width, 21);
        E->Font()->SetName(QStringLiteral("Arial"));
        E->Font()->SetSize(10);
        return E;
    }

    static std::unique_ptr<TBitmap> render(TWinControl* Control) {
        auto B = std::make_unique<TBitmap>(Control->Width(), Control->Height());
        Control->PaintTo(B->Canvas(), 0, 0);
        return B;
    }

    static TPoint posFromChar(TCustomEdit* E, int Index) {
        const LRESULT R = E->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
        if (R == -1) return {-1, -1};
        return {static_cast<std::int16_t>(LOWORD(static_cast<DWORD>(R))),
                static_cast<std::int16_t>(HIWORD(static_cast<DWORD>(R)))};
    }
    static int charFromPos(TCustomEdit* E, int X, int Y) {
        return LOWORD(static_cast<DWORD>(E->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(Word(X), Word(Y)))));
    }
    static TRect formatRect(TCustomEdit* E) {
        TRect R;
        E->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&R));
        return R;
    }
    // The first column, from Left on, holding dark ink between Top and Bottom.
    static int firstInk(TBitmap* B, int Left, int Top, int Bottom) {
        for (int X = std::max(0, Left); X < B->Width(); ++X)
            for (int Y = Top; Y < Bottom; ++Y) {
                const TColor C = B->Canvas()->Pixels(X, Y);
                if (GetRValue(C) < 128 && GetGValue(C) < 128 && GetBValue(C) < 128) return X;
            }
        return -1;
    }
};

// Character positions and the text as drawn agree, with the border, a formatting rectangle of
// the caller's, each alignment and a text scrolled to its end.
TEST_F(EditMessagesTest, CharacterPositionsAgreeWithTheDrawnText) {
    struct Case {
        const char* Name;
        TBorderStyle Border;
        bool Ctl3D;
        TAlignment Alignment;
        bool OwnRect;
        const char* Text;
    };
    const Case Cases[] = {
        {"sunken border", bsSingle, true, taLeftJustify, false, "H|H|H"},
        {"thin border", bsSingle, false, taLeftJustify, false, "H|H|H"},
        {"no border, own rectangle", bsNone, true, taLeftJustify, true, "H|H|H"},
        {"right aligned", bsSingle, true, taRightJustify, false, "H|H|H"},
        {"centred, own rectangle", bsSingle, true, taCenter, true, "H|H|H"},
        {"scrolled to the end", bsSingle, true, taLeftJustify, false, "HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH|H"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TEdit* E = newEdit();
        E->SetColor(clWhite);
        E->SetBorderStyle(C.Border);
        E->SetCtl3D(C.Ctl3D);
        E->SetAlignment(C.Alignment);
        E->SetText(QString::fromLatin1(C.Text));
        const int B = E->BorderSize();
        EXPECT_EQ(B, C.Border == bsNone ? 0 : C.Ctl3D ? 2 : 1);
        const TRect Own = Rect(17, 3, 100, 19);
        if (C.OwnRect) E->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Own));
        const TRect R = formatRect(E);
        if (C.OwnRect)
            EXPECT_EQ(R, Own);
        else
            EXPECT_EQ(R, Rect(B + 1, B + 1, E->Width() - B - 1, E->Height() - B));
        const int Last = static_cast<int>(E->Text().size()) - 1;
        E->SetSelStart(Last + 1);
        E->HandleNeeded();
        auto Bmp = render(E);
        const TPoint First = posFromChar(E, 0);
        const TPoint End = posFromChar(E, Last);
        // Each character starts at its position: the ink of "|" lies just right of it.
        const int Bar = static_cast<int>(E->Text().lastIndexOf(u'|'));
        const TPoint BarPos = posFromChar(E, Bar);
        const int BarInk = firstInk(Bmp.get(), BarPos.X, R.Top + 2, R.Bottom - 2);
        EXPECT_GE(BarInk, BarPos.X);
        EXPECT_LE(BarInk, BarPos.X + 3);
        for (int I = 0; I <= Last; ++I) {
            const TPoint P = posFromChar(E, I);
            if (P.X < R.Left || P.X >= R.Right) continue;
            EXPECT_EQ(charFromPos(E, P.X + 1, P.Y + 2), I) << "character " << I;
        }
        EXPECT_EQ(posFromChar(E, Last + 1), Point(-1, -1)) << "past the end";
        if (C.Alignment == taLeftJustify && First.X >= 0) {
            EXPECT_EQ(First.X, R.Left);
        }
        if (C.Alignment == taRightJustify) {
            EXPECT_NEAR(End.X, R.Right - 10, 3);
        }
        if (QString::fromLatin1(C.Text).size() > 10) {
            EXPECT_LT(First.X, R.Left) << "the start is scrolled out of view";
            EXPECT_EQ(charFromPos(E, R.Right - 1, R.Top + 2), Last + 1) << "the end is in view";
        }
        E->Free();
    }
}

TEST_F(EditMessagesTest, AlignmentChangesInPlaceAndANewSizeRestoresTheDefaultRectangle) {
    TEdit* E = newEdit();
    E->SetText(QStringLiteral("ab"));
    const HWND Window = E->Handle();
    const int Left = posFromChar(E, 0).X;
    E->SetAlignment(taRightJustify);
    EXPECT_EQ(E->Handle(), Window) << "no new window";
    EXPECT_GT(posFromChar(E, 0).X, Left + 50);

    const TRect Own = Rect(30, 2, 90, 18);
    E->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&Own));
    EXPECT_EQ(formatRect(E), Own);
    E->SetWidth(150);
    const TRect Default = Rect(3, 3, 147, E->Height() - 2);
    EXPECT_EQ(formatRect(E), Default);
    E->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Own));
    E->Perform(EM_SETRECTNP, 0, 0);
    EXPECT_EQ(formatRect(E), Default) << "a null rectangle restores the default";
}

TEST_F(EditMessagesTest, TheControlPaintsItsBorderAndBackground) {
    struct Case {
        TBorderStyle Border;
        bool Ctl3D;
        TColor Corner;  // (0, 0)
        TColor Inner;   // (1, 1)
    };
    const Case Cases[] = {
        {bsSingle, true, clBtnShadow, cl3DDkShadow},
        {bsSingle, false, clWindowFrame, clYellow},
        {bsNone, true, clYellow, clYellow},
    };
    for (const Case& C : Cases) {
        TEdit* E = newEdit();
        E->SetColor(clYellow);
        E->SetBorderStyle(C.Border);
        E->SetCtl3D(C.Ctl3D);
        auto B = render(E);
        EXPECT_EQ(B->Canvas()->Pixels(0, 0), ColorToRGB(C.Corner));
        EXPECT_EQ(B->Canvas()->Pixels(1, 1), ColorToRGB(C.Inner));
        EXPECT_EQ(B->Canvas()->Pixels(E->Width() - 1, E->Height() - 1), ColorToRGB(C.Border == bsNone ? clYellow
                                                                                   : C.Ctl3D          ? clBtnHighlight
                                                                                                      : clWindowFrame));
        EXPECT_EQ(B->Canvas()->Pixels(E->Width() / 2, E->Height() - 4), ColorToRGB(clYellow)) << "background";
        E->Free();
    }
}

// A class that swallows the next change notification, as typed edits do while they reformat.
class TSwallowingEdit : public TEdit {
public:
    using TEdit::TEdit;
    bool BlockChange = false;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg == CN_COMMAND && HIWORD(static_cast<DWORD>(Message.WParam)) == EN_CHANGE && BlockChange) {
            BlockChange = false;
            return;
        }
        TEdit::Dispatch(Message);
    }
};

TEST_F(EditMessagesTest, AChangeNotificationCanBeSwallowedOnce) {
    for (bool Windowed : {false, true}) {
        auto* E = new TSwallowingEdit(Form.get());
        E->SetParent(Form.get());
        if (Windowed) E->HandleNeeded();
        int Changes = 0;
        E->OnChange = [&](TObject*) { ++Changes; };
        E->BlockChange = true;
        E->SetText(QStringLiteral("one"));
        E->SetText(QStringLiteral("two"));
        E->SetSelStart(3);
        E->Perform(WM_CHAR, 'x', 0);
        EXPECT_EQ(Changes, 2) << "windowed " << Windowed;
        EXPECT_EQ(E->Text(), QStringLiteral("twox"));
        E->Free();
    }
}

TEST_F(EditMessagesTest, NextDialogControlWalksTheTabStopsBothWays) {
    Form->Show();
    TEdit* A = newEdit();
    TEdit* B = newEdit();
    TEdit* C = newEdit();
    TEdit* Off = newEdit();
    Off->SetEnabled(false);
    B->SetTabOrder(0);  // B, A, C, Off
    const HWND Dlg = Form->Handle();
    EXPECT_EQ(GetNextDlgTabItem(Dlg, nullptr, 0), B->Handle());
    EXPECT_EQ(GetNextDlgTabItem(Dlg, A->Handle(), 0), C->Handle());
    EXPECT_EQ(GetNextDlgTabItem(Dlg, C->Handle(), 0), B->Handle()) << "wraps over the disabled one";
    EXPECT_EQ(GetNextDlgTabItem(Dlg, B->Handle(), 1), C->Handle());
    EXPECT_EQ(GetNextDlgTabItem(nullptr, B->Handle(), 1), nullptr);

    A->SetFocus();
    Form->Perform(WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(Form->ActiveControl(), C);
    Form->Perform(WM_NEXTDLGCTL, 1, 0);
    EXPECT_EQ(Form->ActiveControl(), A);
    Form->Perform(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(B->Handle()), 1);
    EXPECT_EQ(Form->ActiveControl(), B);
}

// Exit and enter handlers that free their own control: the focus walk stops safely.
TEST_F(EditMessagesTest, EnterAndExitHandlersMayFreeTheirControl) {
    Form->Show();
    TEdit* A = newEdit();
    TEdit* B = newEdit();
    TEdit* C = newEdit();
    A->SetFocus();
    ASSERT_TRUE(pumpUntil([&] { return A->Focused(); }));
    int Exits = 0;
    A->OnExit = [&](TObject* Sender) {
        ++Exits;
        static_cast<TEdit*>(Sender)->Free();
    };
    B->SetFocus();
    EXPECT_TRUE(pumpUntil([&] { return Exits == 1 && B->Focused(); }));
    EXPECT_EQ(Form->ComponentCount(), 2);
    int Enters = 0;
    C->OnEnter = [&](TObject* Sender) {
        ++Enters;
        static_cast<TEdit*>(Sender)->Free();
    };
    C->SetFocus();
    EXPECT_TRUE(pumpUntil([&] { return Enters == 1; }));
    EXPECT_EQ(Form->ComponentCount(), 1);
    B->SetFocus();
    EXPECT_TRUE(pumpUntil([&] { return B->Focused(); }));
    EXPECT_EQ(Form->ActiveControl(), B);
}

TEST_F(EditMessagesTest, ThePasswordCharacterIsTheOneShown) {
    TEdit* E = newEdit();
    E->HandleNeeded();
    E->SetText(QStringLiteral("abc"));
    auto* L = ControlWidgetOf(E)->findChild<QLineEdit*>();
    ASSERT_NE(L, nullptr);
    EXPECT_EQ(L->displayText(), QStringLiteral("abc"));
    E->SetPasswordChar(u'*');
    EXPECT_EQ(L->displayText(), QStringLiteral("***"));
    E->Perform(EM_SETPASSWORDCHAR, u'#', 0);
    EXPECT_EQ(L->displayText(), QStringLiteral("###"));
    E->SetPasswordChar(u'\0');
    EXPECT_EQ(L->displayText(), QStringLiteral("abc"));
    E->RecreateWnd();
    E->SetPasswordChar(u'x');
    EXPECT_EQ(ControlWidgetOf(E)->findChild<QLineEdit*>()->displayText(), QStringLiteral("xxx"));
}

}  // namespace
