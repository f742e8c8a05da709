// The main window shown and grabbed as the screen shows it: 613 x 557, every member drawn at its
// place, the outer panel's colour between the panels, and every caption whole in its control.
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
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

// The boxes are the library's own and draw as such: the cream link and folder boxes with the
// folder box's browse glyph, the example field see-through on its panel, the flat combos with
// their own drop-down arrows and the texts they hold.
TEST_F(MainFormGrabTest, TheLibrarysBoxesAreDrawn) {
    T_mainForm* F = _mainForm;
    EXPECT_NE(dynamic_cast<TAdvLUEdit*>(F->FindComponent(QStringLiteral("LinkAdvLUEdit"))), nullptr);
    EXPECT_NE(dynamic_cast<TAdvEdit*>(F->FindComponent(QStringLiteral("ExampleMemo"))), nullptr);
    EXPECT_NE(dynamic_cast<TAdvDirectoryEdit*>(F->FindComponent(QStringLiteral("SaveAdvDirectoryEdit"))), nullptr);
    for (const char* Name : {"DownloadAdvComboBox", "AviAdvComboBox"})
        EXPECT_NE(dynamic_cast<TAdvComboBox*>(F->FindComponent(QString::fromLatin1(Name))), nullptr) << Name;

    const QRgb Cream = 0xFFFBF0;
    const QRgb Panel = 0x64ACD3;
    const auto pixel = [this](int X, int Y) { return FGrab.pixel(X, Y) & 0xFFFFFF; };
    // The link box holds the user's text or nothing; a column inside its frame shows the cream.
    const QRect Link = placeOf(F->LinkAdvLUEdit);
    EXPECT_EQ(pixel(Link.right() - 4, Link.center().y()), Cream);

    // The folder box: cream up to its 18-wide button, which shows the folder glyph's colours.
    const QRect Folder = placeOf(F->SaveAdvDirectoryEdit);
    ASSERT_EQ(F->SaveAdvDirectoryEdit->ButtonWidth(), 18);
    EXPECT_EQ(pixel(Folder.right() - 24, Folder.top() + 4), Cream);
    const QRect Button(Folder.right() - 17, Folder.top() + 2, 16, Folder.height() - 4);
    bool Yellow = false;
    for (int y = Button.top(); y <= Button.bottom(); ++y)
        for (int x = Button.left(); x <= Button.right(); ++x) {
            const QRgb P = FGrab.pixel(x, y);
            Yellow = Yellow || (qRed(P) > 160 && qGreen(P) > 120 && qBlue(P) < 90);
        }
    EXPECT_TRUE(Yellow) << "the browse button shows the folder glyph";
    EXPECT_FALSE(F->SaveAdvDirectoryEdit->EditorEnabled());

    // The example field shows the panel behind its text.
    const QRect Example = placeOf(F->ExampleMemo);
    EXPECT_EQ(pixel(Example.right() - 2, Example.center().y()), Panel);
    EXPECT_GT(coloursIn(Example), 2) << "the example link is drawn";

    // Each combo: its text on the left, its arrow on the button at the right.
    for (TAdvComboBox* Box : {F->DownloadAdvComboBox, F->AviAdvComboBox}) {
        SCOPED_TRACE(Box->Name().toStdString());
        const QRect Place = placeOf(Box);
        const int Arrow = Box->Width() - Box->ButtonWidth();
        EXPECT_GT(coloursIn(QRect(Place.left() + 2, Place.top() + 2, Arrow - 4, Place.height() - 4)), 2);
        EXPECT_GT(coloursIn(QRect(Place.left() + Arrow, Place.top() + 2, Box->ButtonWidth() - 2, Place.height() - 4)),
                  1);
    }
}

// Measured in each control's own font, whatever face draws it: a caption clipped or drawn under
// its check box is what a face wider than the layout's makes.
TEST_F(MainFormGrabTest, EveryCaptionFitsItsControl) {
    TBitmap Measure(1, 1);
    const auto widthOf = [&](TControl* Control, const String& Text) {
        Measure.Canvas()->Font()->Assign(Control->Font());
        return Measure.Canvas()->TextWidth(Text);
    };
    constexpr int BoxGap = 4;
    for (TCheckBox* Box : {_mainForm->AutoCheckBox, _mainForm->HQCheckBox, _proxyForm->ProxyCheckBox}) {
        SCOPED_TRACE(Box->Caption().toStdString());
        // The blanks closing the HQ box's caption show nothing.
        String Shown = Box->Caption();
        while (Shown.endsWith(QLatin1Char(' '))) Shown.chop(1);
        EXPECT_LE(widthOf(Box, Shown), Box->Width() - Box->BoxRect().Width() - BoxGap);
    }
    const T_mainForm* F = _mainForm;
    for (TControl* Control : std::initializer_list<TControl*>{
             F->AddAdvToolButton, F->StartAdvToolButton, F->StopAdvToolButton, F->RemoveAdvToolButton,
             F->PlayAdvToolButton, F->OpenAdvToolButton, F->HomepageAdvToolButton, F->UpdateAdvToolButton,
             F->SupportAdvToolButton, F->HelpAdvToolButton, F->ExitAdvToolButton, _waitForm->WaitStaticText,
             _waitForm->Stop1AdvToolButton}) {
        SCOPED_TRACE(Control->Name().toStdString());
        EXPECT_LE(widthOf(Control, Control->Caption()), Control->Width());
    }
    // "Download From:" is wider than the room before the site box and takes two lines, each whole.
    for (const char* Word : {"Download", "From:"})
        EXPECT_LE(widthOf(F->DownloadHTMLabel, QString::fromLatin1(Word)), F->DownloadHTMLabel->Width()) << Word;
}

}  // namespace
