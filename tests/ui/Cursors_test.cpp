// Cursors: resources by number, the shared handle, Screen->Cursors[] and the cursor shown now.
#include "framework/ui/Cursors.h"
#include "framework/rtl/Streams.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

namespace {

// A 16 x 16 cursor: a black square on magenta, hot spot (3, 5).
std::vector<Byte> cursorBytes() {
    TBitmap B;
    B.SetSize(16, 16);
    B.Canvas()->Brush()->SetColor(clFuchsia);
    B.Canvas()->FillRect(Rect(0, 0, 16, 16));
    B.Canvas()->Brush()->SetColor(clBlack);
    B.Canvas()->FillRect(Rect(4, 4, 12, 12));
    TMemoryStream S;
    B.SaveToStream(&S);
    std::vector<Byte> Bytes{3, 0, 5, 0};
    const auto* Data = static_cast<const Byte*>(S.Memory());
    Bytes.insert(Bytes.end(), Data, Data + S.Size());
    return Bytes;
}

TEST(Cursors, ResourcesLoadOnceAndShowThroughScreenCursors) {
    const std::vector<Byte> Bytes = cursorBytes();
    RegisterResource(RT_CURSOR, 7001, Bytes.data(), Bytes.size());
    const HCURSOR H = LoadCursor(HInstance, 7001);
    ASSERT_NE(H, nullptr);
    EXPECT_EQ(LoadCursor(HInstance, QStringLiteral("#7001")), H) << "the same shared handle";
    EXPECT_EQ(CursorHotSpot(H), Point(3, 5));
    EXPECT_EQ(CursorSize(H).cx, 16);
    EXPECT_EQ(LoadCursor(HInstance, 7002), nullptr) << "no such resource";
    const Byte Junk[] = {1, 2, 3, 4, 5, 6};
    RegisterResource(RT_CURSOR, 7003, Junk, sizeof(Junk));
    EXPECT_EQ(LoadCursor(HInstance, 7003), nullptr) << "no bitmap after the hot spot";

    // Given an index, a control can show it.
    Screen->SetCursors(7001, H);
    EXPECT_EQ(Screen->Cursors(7001), H);
    EXPECT_NE(Screen->Cursors(crHandPoint), nullptr);
    TForm Form(nullptr);
    Form.HandleNeeded();
    Form.SetCursor(7001);
    const QCursor Shown = ControlWidgetOf(&Form)->cursor();
    EXPECT_EQ(Shown.shape(), Qt::BitmapCursor);
    EXPECT_EQ(Shown.hotSpot(), QPoint(3, 5));
    Screen->SetCursors(7001, nullptr);

    const HCURSOR Before = SetCursor(H);
    EXPECT_EQ(GetCursor(), H);
    SetCursor(Before);
    UnregisterResource(RT_CURSOR, 7001);
    UnregisterResource(RT_CURSOR, 7003);
}

}  // namespace

namespace {

// Asks for the cursor of each point: the hand on its left half.
class TCursorChooser : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Asked = 0;

protected:
    void Dispatch(TMessage& Message) override {
        if (Message.Msg != WM_SETCURSOR) {
            TCustomControl::Dispatch(Message);
            return;
        }
        ++Asked;
        EXPECT_EQ(LOWORD(DWORD(Message.LParam)), HTCLIENT);
        EXPECT_EQ(HIWORD(DWORD(Message.LParam)), WM_MOUSEMOVE);
        const TPoint P = ScreenToClient(Mouse->CursorPos());
        if (P.X < Width() / 2) ::SetCursor(StockCursor(crHandPoint));
    }
};

TEST(Cursors, EachMoveAsksTheWindowUnderTheMouseForItsCursor) {
    TForm Form(nullptr);
    Form.SetBounds(0, 0, 200, 100);
    auto* C = new TCursorChooser(&Form);
    C->SetParent(&Form);
    C->SetBounds(0, 0, 100, 50);
    C->SetCursor(crCross);
    Form.Show();
    QWidget* W = ControlWidgetOf(C);
    ASSERT_NE(W, nullptr);
    auto moveTo = [&](int X) {
        Mouse->SetCursorPos(C->ClientToScreen(Point(X, 10)));
        QMouseEvent Move(QEvent::MouseMove, QPointF(X, 10), W->mapToGlobal(QPointF(X, 10)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(W, &Move);
    };
    moveTo(10);
    EXPECT_EQ(C->Asked, 1);
    EXPECT_EQ(W->cursor().shape(), Qt::PointingHandCursor);
    moveTo(80);
    EXPECT_EQ(C->Asked, 2);
    EXPECT_EQ(W->cursor().shape(), Qt::CrossCursor) << "left alone, the control's own cursor shows";
    Mouse->ResetCursorPos();
}

}  // namespace
