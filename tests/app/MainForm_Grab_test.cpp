// The main window shown and grabbed as the screen shows it: 613 x 557, every member drawn at its
// place, the outer panel's colour between the panels, and every caption whole in its control.
#include "app/_mainUnit.h"
#include "framework/ui/Dialogs.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/ShownWindows.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <set>

namespace {

class MainFormGrabTest : public ::testing::Test {
protected:
    void SetUp() override {
        FPreviousMask = StartProgramWindows();
        _mainForm->Show();
        ASSERT_TRUE(PumpUntil([] { return _mainForm->Active(); }));
        QWidget* Window = ShownWindowTitled(_mainForm->Caption());
        ASSERT_NE(Window, nullptr);
        FGrab = Window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    void TearDown() override { FreeProgramWindows(FPreviousMask); }

    // The control's rectangle in the window's client area.
    static QRect placeOf(TControl* Control) {
        const TPoint Origin = Control->ClientToScreen(Point(0, 0));
        const TPoint Window = _mainForm->ClientToScreen(Point(0, 0));
        return QRect(Origin.X - Window.X, Origin.Y - Window.Y, Control->Width(), Control->Height());
    }
    // How many different colours the grab shows inside R.
    int coloursIn(const QRect& R) const {
        std::set<QRgb> Seen;
        for (int y = R.top(); y <= R.bottom(); ++y)
            for (int x = R.left(); x <= R.right(); ++x) Seen.insert(FGrab.pixel(x, y));
        return int(Seen.size());
    }

    TRecordingDialogService Dialogs;
    TDialogServiceGuard Guard{&Dialogs};
    TArithmeticExceptionMask FPreviousMask;
    QImage FGrab;
};

TEST_F(MainFormGrabTest, EveryMemberIsDrawnAtItsPlace) {
    ASSERT_EQ(FGrab.size(), QSize(613, 557));
    T_mainForm* F = _mainForm;
    for (TControl* Control : std::initializer_list<TControl*>{F->TopAdvPanel,
                                                              F->Image1,
                                                              F->LinkAdvLUEdit,
                                                              F->AddAdvToolButton,
                                                              F->AutoCheckBox,
                                                              F->ExampleHTMLabel,
                                                              F->ExampleMemo,
                                                              F->SecondAdvPanel,
                                                              F->Image2,
                                                              F->Image4,
                                                              F->Image3,
                                                              F->SaveToHTMLabel,
                                                              F->SaveAdvDirectoryEdit,
                                                              F->DownloadHTMLabel,
                                                              F->DownloadAdvComboBox,
                                                              F->SaveAsHTMLabel,
                                                              F->AviAdvComboBox,
                                                              F->HQCheckBox,
                                                              F->BottomAdvPanel,
                                                              F->StartAdvToolButton,
                                                              F->StopAdvToolButton,
                                                              F->RemoveAdvToolButton,
                                                              F->PlayAdvToolButton,
                                                              F->OpenAdvToolButton,
                                                              F->MainListView,
                                                              F->RightAdvPanel,
                                                              F->HomepageAdvToolButton,
                                                              F->UpdateAdvToolButton,
                                                              F->SupportAdvToolButton,
                                                              F->HelpAdvToolButton,
                                                              F->ExitAdvToolButton}) {
        SCOPED_TRACE(Control->Name().toStdString());
        const QRect Place = placeOf(Control);
        EXPECT_TRUE(QRect(0, 0, 613, 557).contains(Place));
        // Text, a frame, a picture or a glyph: more than one flat colour.
        EXPECT_GT(coloursIn(Place), 2);
    }
    // Between the panels the outer panel shows, in the window's colour.
    for (const QPoint& P : {QPoint(521, 300), QPoint(300, 86), QPoint(300, 178), QPoint(4, 300)})
        EXPECT_EQ(FGrab.pixel(P) & 0xFFFFFF, 0x64ACD3u) << P.x() << "," << P.y();
}

}  // namespace
