// Popup windows of plain controls, window regions and layered windows with per-pixel alpha: a
// popup is placed in screen coordinates and never takes activation, its region shapes it, a
// per-pixel image shows with its alpha and the constant alpha over it, and where windows cannot
// be placed freely the same window is an overlay inside its owner's top-level window.
#include "framework/ui/LayeredWindows.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/WindowFunctions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

namespace {

// A control asking for a popup window, as marker and frame windows do.
class TPopupControl : public TCustomControl {
public:
    TPopupControl(TComponent* AOwner, DWORD Style, DWORD ExStyle)
        : TCustomControl(AOwner), FStyle(Style), FExStyle(ExStyle) {}

protected:
    void CreateParams(TCreateParams& Params) override {
        TCustomControl::CreateParams(Params);
        Params.Style = FStyle;
        Params.ExStyle = FExStyle;
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(ClientRect());
    }

private:
    DWORD FStyle;
    DWORD FExStyle;
};

struct PopupFixture : ::testing::Test {
    TPlatformFactsScope Facts;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    void SetUp() override {
        Form->SetBounds(100, 100, 300, 200);
        Form->Show();
        QApplication::processEvents();
    }
    TPopupControl* makePopup(DWORD Style, DWORD ExStyle = 0) {
        auto* P = new TPopupControl(Form.get(), Style, ExStyle);
        P->SetVisible(false);
        P->SetParent(Form.get());
        return P;
    }
};

TEST_F(PopupFixture, PopupIsAnOwnedWindowAtScreenCoordinatesThatNeverTakesActivation) {
    TPopupControl* P = makePopup(WS_POPUP | WS_DISABLED, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    P->SetBounds(150, 160, 20, 10);
    P->Show();
    QApplication::processEvents();
    QWidget* Window = nullptr;
    for (QWidget* T : QApplication::topLevelWidgets())
        if (T->isVisible() && T->geometry() == QRect(150, 160, 20, 10)) Window = T;
    ASSERT_NE(Window, nullptr) << "a window of its own at screen (150, 160)";
    EXPECT_TRUE(Window->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(Window->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(Window->windowFlags() & Qt::WindowTransparentForInput) << "WS_DISABLED lets input through";
    EXPECT_TRUE(Window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(P->ClientToScreen(Point(1, 2)), Point(151, 162));
    EXPECT_EQ(GetWindowLong(P->Handle(), GWL_EXSTYLE), LONG(WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_NE(QApplication::activeWindow(), Window) << "showing it activates nothing";

    // The form's own picture leaves the popup out.
    TBitmap Shot(300, 200);
    Form->PaintTo(Shot.Canvas(), 0, 0);
    EXPECT_NE(Shot.Canvas()->Pixels(55, 65), clLime);

    P->Hide();
    EXPECT_TRUE(Window->isHidden());
}

TEST_F(PopupFixture, WithoutFreePlacementThePopupIsAnOverlayInItsOwnersWindow) {
    PlatformFacts().FreeWindowPlacement = false;
    TPopupControl* P = makePopup(WS_POPUP | WS_DISABLED);
    const TPoint Origin = Form->ClientToScreen(Point(0, 0));
    P->SetBounds(Origin.X + 30, Origin.Y + 40, 20, 10);
    P->Show();
    QApplication::processEvents();
    QWidget* FormWidget = nullptr;
    for (QWidget* T : QApplication::topLevelWidgets())
        if (T->isVisible() && T->geometry().topLeft() == QPoint(Origin.X, Origin.Y)) FormWidget = T;
    ASSERT_NE(FormWidget, nullptr);
    QWidget* Overlay = nullptr;  // childAt skips widgets that let the mouse through
    for (QWidget* Child : FormWidget->findChildren<QWidget*>())
        if (Child->isVisible() && Child->geometry() == QRect(30, 40, 20, 10)) Overlay = Child;
    ASSERT_NE(Overlay, nullptr);
    EXPECT_FALSE(Overlay->isWindow());
    EXPECT_EQ(Overlay->parentWidget(), FormWidget);
    EXPECT_TRUE(Overlay->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(P->ClientToScreen(Point(0, 0)), Point(Origin.X + 30, Origin.Y + 40));
}

TEST_F(PopupFixture, WindowRegionShapesTheWindowAndIsTakenOver) {
    TPopupControl* P = makePopup(WS_POPUP);
    P->SetBounds(0, 0, 10, 10);
    HWND Wnd = P->Handle();
    HRGN Probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(Wnd, Probe), RGN_ERROR) << "no region yet";

    const TPoint Triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    HRGN Shape = CreatePolygonRgn(Triangle, 3, WINDING);
    EXPECT_TRUE(SetWindowRgn(Wnd, Shape, 1));
    EXPECT_FALSE(DeleteObject(Shape)) << "the window owns the region now";
    EXPECT_EQ(GetWindowRgn(Wnd, Probe), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(Probe, 1, 1));
    EXPECT_FALSE(PtInRegion(Probe, 8, 8));

    // What shows: the painting inside the region only.
    TBitmap Shot(10, 10);
    Shot.Canvas()->Brush()->SetColor(clWhite);
    Shot.Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(DrawWindowAsShown(Wnd, Shot.Canvas()->Handle(), 0, 0));
    EXPECT_EQ(Shot.Canvas()->Pixels(1, 1), clLime);
    EXPECT_EQ(Shot.Canvas()->Pixels(8, 8), clWhite);

    EXPECT_TRUE(SetWindowRgn(Wnd, nullptr, 0));
    EXPECT_EQ(GetWindowRgn(Wnd, Probe), RGN_ERROR);
    EXPECT_FALSE(SetWindowRgn(nullptr, nullptr, 0));
    DeleteObject(Probe);
}

TEST_F(PopupFixture, PerPixelAlphaShowsThePremultipliedSourceUnderTheConstantAlpha) {
    TPopupControl* P = makePopup(WS_POPUP | WS_DISABLED);
    TBitmap Source;
    Source.SetPixelFormat(pf32bit);
    Source.SetSize(4, 1);
    // B, G, R, A premultiplied: opaque blue, half-covered red (128 alpha, red 128), nothing.
    auto* Row = static_cast<Byte*>(Source.ScanLine(0));
    const Byte Pixels[16] = {255, 0, 0, 255, 0, 0, 128, 128, 0, 0, 0, 0, 0, 0, 0, 0};
    std::copy(std::begin(Pixels), std::end(Pixels), Row);

    BLENDFUNCTION Blend;
    Blend.SourceConstantAlpha = 255;
    Blend.AlphaFormat = AC_SRC_ALPHA;
    const TPoint At{10, 20};
    const TSize Size{4, 1};
    const TPoint From{0, 0};
    HWND Wnd = P->Handle();
    ASSERT_TRUE(UpdateLayeredWindow(Wnd, nullptr, &At, &Size, Source.Canvas()->Handle(), &From, 0, &Blend, ULW_ALPHA));
    EXPECT_EQ(P->BoundsRect(), Bounds(10, 20, 4, 1));

    TBitmap Shot(4, 1);
    Shot.Canvas()->Brush()->SetColor(clWhite);
    Shot.Canvas()->FillRect(Rect(0, 0, 4, 1));
    ASSERT_TRUE(DrawWindowAsShown(Wnd, Shot.Canvas()->Handle(), 0, 0));
    EXPECT_EQ(Shot.Canvas()->Pixels(0, 0), clBlue);
    const TColor Half = Shot.Canvas()->Pixels(1, 0);  // red 128 + white 127 = 255; green, blue 127
    EXPECT_NEAR(GetRValue(Half), 255, 2);
    EXPECT_NEAR(GetGValue(Half), 127, 2);
    EXPECT_EQ(Shot.Canvas()->Pixels(3, 0), clWhite) << "alpha 0 shows what lies below";

    // The constant alpha over the pixels.
    Blend.SourceConstantAlpha = 128;
    ASSERT_TRUE(
        UpdateLayeredWindow(Wnd, nullptr, nullptr, nullptr, Source.Canvas()->Handle(), &From, 0, &Blend, ULW_ALPHA));
    EXPECT_NEAR(LayeredWindowOpacity(Wnd), 128 / 255.0, 0.01);
    Shot.Canvas()->FillRect(Rect(0, 0, 4, 1));
    DrawWindowAsShown(Wnd, Shot.Canvas()->Handle(), 0, 0);
    const TColor Faded = Shot.Canvas()->Pixels(0, 0);
    EXPECT_NEAR(GetRValue(Faded), 127, 2);
    EXPECT_NEAR(GetBValue(Faded), 255, 2);
}

}  // namespace
