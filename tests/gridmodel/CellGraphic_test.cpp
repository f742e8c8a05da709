// The cell graphic record: setters by kind, turns of the angle, the packed button size, what
// Assign copies, what a graphic frees with itself, and the file picture's sizes.
#include "components/grid/model/CellGraphic.h"
#include "components/grid/model/FilePicture.h"
#include "components/grid/model/GridLists.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/Picture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A bitmap that counts the instances alive.
class TCountedBitmap : public TBitmap {
public:
    TCountedBitmap() { ++Alive; }
    ~TCountedBitmap() override { --Alive; }
    static int Alive;
};
int TCountedBitmap::Alive = 0;

class TCountedStrings : public TStringList {
public:
    TCountedStrings() { ++Alive; }
    ~TCountedStrings() override { --Alive; }
    static int Alive;
};
int TCountedStrings::Alive = 0;

TEST(CellGraphic, ANewGraphicIsNoneAndEmpty) {
    // Kinds are stored by their ordinals.
    EXPECT_EQ(int(ctNone), 2);
    EXPECT_EQ(int(ctEmpty), 10);
    EXPECT_EQ(int(ctRowCheckBox), 20);
    EXPECT_EQ(int(ctTriStateCheckBox), 31);
    EXPECT_EQ(int(ctDataPicture), 33);
    TCellGraphic G;
    EXPECT_EQ(G.CellType(), ctNone);
    EXPECT_FALSE(G.CellCreated());
    EXPECT_TRUE(G.CellVar().IsEmpty());
    EXPECT_EQ(G.CellCheckBoxState(), cbUnchecked);
}

TEST(CellGraphic, AngleIsBroughtIntoOneTurn) {
    struct Case {
        short In;
        int Out;
    } Cases[] = {{-90, 270}, {720, 360}, {360, 360}, {0, 0}, {-720, 0}, {450, 90}, {-1, 359}};
    for (const Case& C : Cases) {
        TCellGraphic G;
        G.SetAngle(C.In);
        EXPECT_EQ(G.CellType(), ctRotated);
        EXPECT_EQ(G.CellAngle(), C.Out) << C.In;
    }
}

TEST(CellGraphic, ButtonsPackWidthLowAndHeightHigh) {
    TCellGraphic G;
    G.SetCellBoolean(true);
    G.SetButton(80, 24, QStringLiteral("Go"), haCenter, vaFull);
    EXPECT_EQ(G.CellType(), ctButton);
    EXPECT_EQ(G.CellIndex(), (24 << 16) | 80);
    EXPECT_FALSE(G.CellBoolean()) << "a new button is not pushed";
    EXPECT_EQ(G.CellText(), QStringLiteral("Go"));
    EXPECT_EQ(G.CellHAlign(), haCenter);
    EXPECT_EQ(G.CellVAlign(), vaFull);
    TBitmap Glyph;
    G.SetBitButton(0x12345, 3, QString(), &Glyph, haLeft, vaTop);
    EXPECT_EQ(G.CellType(), ctBitButton);
    EXPECT_EQ(G.CellIndex() & 0xFFFF, 0x2345) << "the width keeps its low 16 bits";
    EXPECT_EQ(G.CellIndex() >> 16, 3);
    EXPECT_EQ(G.CellBitmap(), &Glyph);
}

TEST(CellGraphic, SettersSetTheirKindAndFieldsOnly) {
    TCellGraphic G;
    G.SetCellErrFrom(4);
    G.SetCheckBox(true, true, true, haBeforeText, vaCenter);
    EXPECT_EQ(G.CellType(), ctDataCheckBox);
    EXPECT_TRUE(G.CellBoolean());
    EXPECT_TRUE(G.CellTransparent());
    EXPECT_EQ(G.CellErrFrom(), 4) << "fields not named stay";
    G.SetCheckBox(cbGrayed, false, haLeft, vaTop);
    EXPECT_EQ(G.CellType(), ctTriStateCheckBox);
    EXPECT_EQ(G.CellCheckBoxState(), cbGrayed);
    EXPECT_FALSE(G.CellBoolean());
    G.SetRadioButton(true, true, haBeforeText, vaTop, rgRow);
    EXPECT_EQ(G.CellType(), ctRadioButton);
    EXPECT_EQ(G.CellAngle(), rgRow);
    TPicture Picture;
    G.SetPicture(&Picture, true, ShrinkWithAspectRatio, 4, haCenter, vaCenter);
    EXPECT_EQ(G.CellType(), ctPicture);
    EXPECT_EQ(G.CellAngle(), ShrinkWithAspectRatio);
    EXPECT_EQ(G.CellIndex(), 4);
    EXPECT_EQ(G.Picture(), &Picture);
    EXPECT_EQ(G.Bitmap(), nullptr) << "the typed view answers only for its class";
    G.SetCellBitmap(nullptr);
    G.SetMultiImage(2, 3, 0, haLeft, vaTop, nullptr);
    EXPECT_EQ(G.CellType(), ctImages);
    EXPECT_TRUE(G.CellBoolean());
    ASSERT_NE(G.IntList(), nullptr);
    EXPECT_EQ(G.IntList()->Col(), 2);
    EXPECT_TRUE(G.CellCreated());
}

TEST(CellGraphic, AssignCopiesFieldsButNoObjects) {
    TCellGraphic Source;
    TBitmap Glyph;
    Source.SetBitButton(10, 20, QStringLiteral("x"), &Glyph, haRight, vaBottom);
    Source.SetCellVar(Variant(true));
    Source.SetCellCheckBoxState(cbGrayed);
    Source.SetCellErrFrom(1);
    Source.SetCellErrLen(2);
    Source.SetCellValue(65537);
    Source.SetCellComment(QStringLiteral("note"));
    Source.SetCommentColor(clRed);
    TCellGraphic Copy;
    Copy.Assign(&Source);
    EXPECT_EQ(Copy.CellType(), ctBitButton);
    EXPECT_EQ(Copy.CellIndex(), Source.CellIndex());
    EXPECT_EQ(Copy.CellText(), QStringLiteral("x"));
    EXPECT_EQ(Copy.CellValue(), 65537);
    EXPECT_EQ(Copy.CellErrLen(), 2);
    EXPECT_EQ(Copy.CellComment(), QStringLiteral("note"));
    EXPECT_EQ(Copy.CommentColor(), clRed);
    EXPECT_EQ(Copy.CellBitmap(), nullptr);
    EXPECT_TRUE(Copy.CellVar().IsEmpty());
    EXPECT_EQ(Copy.CellCheckBoxState(), cbUnchecked);
    TBaseCellGraphic Base;
    Base.Assign(&Source);
    EXPECT_EQ(Base.CellType(), ctBitButton);
    TBitmap Other;
    Copy.Assign(&Other);  // ignored
    EXPECT_EQ(Copy.CellType(), ctBitButton);
}

TEST(CellGraphic, DestroyFreesWhatTheKindOwns) {
    struct Case {
        TCellType Kind;
        bool Created;
        bool Balloon;
        int AliveAfter;
    } Cases[] = {
        {ctBitmap, true, false, 0},      {ctBitmap, false, false, 1},  {ctBitButton, true, false, 0},
        {ctBitButton, false, false, 1},  {ctCheckBox, false, true, 0}, {ctCheckBox, false, false, 1},
        {ctRadioButton, false, true, 0}, {ctRotated, true, false, 1},  {ctProgress, true, false, 1},
    };
    for (const Case& C : Cases) {
        TCountedBitmap::Alive = 0;
        auto* Object = new TCountedBitmap;
        {
            TCellGraphic G;
            G.SetCellType(C.Kind);
            G.SetCellCreated(C.Created);
            G.SetCellBalloon(C.Balloon);
            G.SetCellBitmap(Object);
        }
        EXPECT_EQ(TCountedBitmap::Alive, C.AliveAfter) << C.Kind;
        if (TCountedBitmap::Alive) delete Object;
    }
    TCountedStrings::Alive = 0;
    {
        TCellGraphic Balloon;
        Balloon.SetCellType(ctBalloon);
        Balloon.SetCellBitmap(new TCountedStrings);
        TCellGraphic Radio;
        Radio.SetCellType(ctRadio);
        Radio.SetCellCreated(true);
        Radio.SetCellBitmap(new TCountedStrings);
    }
    EXPECT_EQ(TCountedStrings::Alive, 0);
}

TEST(CellGraphic, PictureSizeByStretchModeAndPadding) {
    auto* Picture = new TPicture;
    TBitmap Bmp;
    Bmp.SetSize(200, 100);
    Picture->SetGraphic(&Bmp);
    TCellGraphic G;
    G.SetCellCreated(true);
    struct Case {
        TStretchMode Mode;
        int Padding, cw, rh;
        TPoint Size;
    } Cases[] = {
        {StretchWithAspectRatio, 0, 50, 50, {50, 25}},
        {StretchWithAspectRatio, 0, 400, 100, {200, 100}},
        {ShrinkWithAspectRatio, 0, 50, 50, {50, 25}},
        {ShrinkWithAspectRatio, 0, 400, 400, {200, 100}},
        {Stretch, 4, 60, 40, {56, 36}},
        {Shrink, 4, 60, 40, {56, 36}},
        {Shrink, 0, 400, 300, {200, 100}},
        {noStretch, 0, 10, 10, {200, 100}},
        {Stretch, 80, 60, 40, {0, 0}},
        {StretchWithAspectRatio, 0, 33, 100, {33, 16}},
    };
    for (const Case& C : Cases) {
        G.SetPicture(Picture, false, C.Mode, C.Padding, haLeft, vaTop);
        EXPECT_EQ(G.GetPictureSize(C.cw, C.rh, nullptr, false), C.Size) << C.Mode << " " << C.cw << "x" << C.rh;
    }
    G.SetDataPicture(haLeft, vaTop);
    EXPECT_EQ(G.GetPictureSize(10, 10, &Bmp, true), Point(200, 100)) << "a data picture keeps its size";
    EXPECT_EQ(G.GetPictureSize(10, 10, nullptr, true), Point(0, 0));
    G.SetCellType(ctButton);
    EXPECT_EQ(G.GetPictureSize(10, 10, &Bmp, true), Point(0, 0)) << "other kinds";
    G.SetCellType(ctPicture);  // frees the picture as created
}

TEST(FilePicture, SizesFromTheFileAndNoFailureForBadFiles) {
    TempFolder Folder;
    TBitmap Bmp;
    Bmp.SetSize(30, 20);
    const String Good = Folder.File(QStringLiteral("good.bmp"));
    Bmp.SaveToFile(Good);
    TFilePicture Picture;
    Picture.SetFilename(Good);
    EXPECT_EQ(Picture.Width(), 30);
    EXPECT_EQ(Picture.Height(), 20);
    const String Broken = Folder.File(QStringLiteral("broken.png"));
    TStringList Junk;
    Junk.Add(QStringLiteral("not a picture"));
    Junk.SaveToFile(Broken);
    Picture.SetFilename(Broken);
    EXPECT_EQ(Picture.Filename(), Broken);
    EXPECT_EQ(Picture.Width(), 30) << "a broken file keeps the sizes";
    Picture.SetFilename(Folder.File(QStringLiteral("missing.png")));
    EXPECT_EQ(Picture.Height(), 20);
    TBitmap Target;
    Target.SetSize(10, 10);
    Picture.DrawPicture(Target.Canvas(), Rect(0, 0, 10, 10));  // raises nothing
    Picture.SetFilename(Broken);
    Picture.DrawPicture(Target.Canvas(), Rect(0, 0, 10, 10));
    TFilePicture Copy;
    Copy.Assign(&Picture);
    EXPECT_EQ(Copy.Filename(), Broken);
    EXPECT_EQ(Copy.Width(), 30);
    TBitmap NotAFilePicture;
    EXPECT_THROW(Copy.Assign(&NotAFilePicture), Exception);
}

}  // namespace
