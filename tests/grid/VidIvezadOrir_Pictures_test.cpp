// Shown cell graphics: every Add.../Create... against the kind and fields it leaves, ownership of
// created objects, image and container kinds without their prerequisites, balloons, comments and
// markers against the cell's emptiness, rotated text, expand glyphs and scroll bars.
#include "components/graphics/PictureContainer.h"
#include "components/grid/VidIvezadOrir.h"
#include "components/grid/model/FilePicture.h"
#include "components/grid/model/GridAuxSettings.h"
#include "components/grid/model/GridLists.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "tests/grid/GridTestOwner.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TGridPtr newGrid() {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(5);
    G->SetRowCount(6);
    return G;
}

class TCountedBitmap : public TBitmap {
public:
    TCountedBitmap() { ++Alive; }
    ~TCountedBitmap() override { --Alive; }
    static int Alive;
};
int TCountedBitmap::Alive = 0;

class TSelf : public TInterfacedPersistent, public IGridCellObject {
public:
    void Paint(TCanvas*, const TRect&, TObject*, bool, int, int) override {}
    int GetWidth() override { return 0; }
    int GetHeight() override { return 0; }
    bool NeedsBackground() override { return false; }
};

TEST(CellPictures, EveryAddAndCreateGivesItsKindAndFields) {
    auto G = newGrid();
    TImageList Images(nullptr);
    G->SetGridImages(&Images);
    TPictureContainer Container(nullptr);
    G->SetPictureContainer(&Container);
    TBitmap Bmp;
    TIcon Icon;
    TPicture Picture;
    TFilePicture FilePicture;
    TStringList Captions;
    TSelf Self;
    struct Case {
        const char* Name;
        std::function<void(int r)> Add;
        TCellType Kind;
        std::function<bool(const TCellGraphic*)> Fields;
    } Cases[] = {
        {"AddBitmap", [&](int r) { G->AddBitmap(1, r, &Bmp, true, haCenter, vaBottom); }, ctBitmap,
         [&](const TCellGraphic* g) { return g->CellBitmap() == &Bmp && g->CellTransparent() && !g->CellCreated(); }},
        {"CreateBitmap", [&](int r) { G->CreateBitmap(1, r, false, haLeft, vaTop); }, ctBitmap,
         [](const TCellGraphic* g) { return g->Bitmap() && g->CellCreated(); }},
        {"AddIcon", [&](int r) { G->AddIcon(1, r, &Icon, haRight, vaTop); }, ctIcon,
         [&](const TCellGraphic* g) { return g->CellIcon() == &Icon && g->CellHAlign() == haRight; }},
        {"CreateIcon", [&](int r) { G->CreateIcon(1, r, haLeft, vaTop); }, ctIcon,
         [](const TCellGraphic* g) { return g->CellIcon() && g->CellCreated(); }},
        {"AddPicture", [&](int r) { G->AddPicture(1, r, &Picture, false, Shrink, 3, haLeft, vaTop); }, ctPicture,
         [](const TCellGraphic* g) { return g->CellAngle() == Shrink && g->CellIndex() == 3; }},
        {"CreatePicture", [&](int r) { G->CreatePicture(1, r, false, Stretch, 0, haLeft, vaTop); }, ctPicture,
         [](const TCellGraphic* g) { return g->Picture() && g->CellCreated(); }},
        {"AddFilePicture", [&](int r) { G->AddFilePicture(1, r, &FilePicture, true, noStretch, 1, haLeft, vaTop); },
         ctFilePicture, [&](const TCellGraphic* g) { return g->FilePicture() == &FilePicture; }},
        {"CreateFilePicture", [&](int r) { G->CreateFilePicture(1, r, true, noStretch, 1, haLeft, vaTop); },
         ctFilePicture, [](const TCellGraphic* g) { return g->FilePicture() && g->CellCreated(); }},
        {"AddImageIdx", [&](int r) { G->AddImageIdx(1, r, 5, haLeft, vaTop); }, ctImageList,
         [](const TCellGraphic* g) { return g->CellIndex() == 5; }},
        {"AddDataImage", [&](int r) { G->AddDataImage(1, r, 2, haLeft, vaTop); }, ctDataImage,
         [](const TCellGraphic* g) { return g->CellIndex() == 2; }},
        {"AddDataPicture", [&](int r) { G->AddDataPicture(1, r, QStringLiteral("p"), haLeft, vaTop); }, ctDataPicture,
         [](const TCellGraphic*) { return true; }},
        {"AddMultiImage", [&](int r) { G->AddMultiImage(1, r, 1, haLeft, vaTop); }, ctImages,
         [](const TCellGraphic* g) { return g->IntList() && !g->CellBoolean(); }},
        {"AddProgress", [&](int r) { G->AddProgress(1, r, clRed, clWhite); }, ctProgress,
         [](const TCellGraphic* g) {
             return g->CellBitmapColor() == clRed && g->CellIconColor() == clWhite && g->CellErrLen() == 100 &&
                    !g->CellBoolean();
         }},
        {"AddProgressEx", [&](int r) { G->AddProgressEx(1, r, clRed, clBlack, clWhite, clBlue); }, ctProgress,
         [](const TCellGraphic* g) {
             return g->CellIndex() == clBlack && g->CellAngle() == clBlue && g->CellBoolean();
         }},
        {"AddProgressFormatted",
         [&](int r) { G->AddProgressFormatted(1, r, clRed, clBlack, clWhite, clBlue, QStringLiteral("%d%%"), 5, 50); },
         ctProgress,
         [](const TCellGraphic* g) {
             return g->CellErrFrom() == 5 && g->CellErrLen() == 50 && g->CellText() == QStringLiteral("%d%%");
         }},
        {"AddAdvProgress", [&](int r) { G->AddAdvProgress(1, r, 1, 9); }, ctXPProgress,
         [](const TCellGraphic* g) { return g->CellErrFrom() == 1 && g->CellErrLen() == 9; }},
        {"AddProgressPie", [&](int r) { G->AddProgressPie(1, r, clGreen, 40); }, ctProgressPie,
         [](const TCellGraphic* g) { return g->CellAngle() == 40 && g->CellHAlign() == haBeforeText; }},
        {"AddRangeIndicator", [&](int r) { G->AddRangeIndicator(1, r, 10, clRed, clGreen, true); }, ctRangeIndicator,
         [](const TCellGraphic* g) { return g->CellIndex() == 10 && g->CellIconColor() == clGreen; }},
        {"AddShape", [&](int r) { G->AddShape(1, r, 3, clYellow, clBlack, haCenter, vaCenter); }, ctShape,
         [](const TCellGraphic* g) { return g->CellAngle() == 3 && g->CellIndex() == clYellow; }},
        {"AddRating", [&](int r) { G->AddRating(1, r, 5, clYellow, clGray); }, ctRating,
         [](const TCellGraphic* g) { return g->CellAngle() == 5 && g->CellHAlign() == haFull; }},
        {"AddScrollBar", [&](int r) { G->AddScrollBar(1, r, false); }, ctScrollbar,
         [](const TCellGraphic* g) { return g->CellErrFrom() == 100 && g->CellAngle() == 0; }},
        {"AddRotated", [&](int r) { G->AddRotated(1, r, -90, QStringLiteral("up")); }, ctRotated,
         [](const TCellGraphic* g) { return g->CellAngle() == 270; }},
        {"AddExpand", [&](int r) { G->AddExpand(1, r, 60); }, ctExpand,
         [](const TCellGraphic* g) { return g->CellAngle() == 60 && g->CellIndex() == 22; }},
        {"AddBalloon", [&](int r) { G->AddBalloon(1, r, QStringLiteral("t"), QStringLiteral("x"), biWarning); },
         ctBalloon, [](const TCellGraphic* g) { return g->CellIndex() == biWarning && g->Strings(); }},
        {"AddComment", [&](int r) { G->AddComment(1, r, QStringLiteral("c")); }, ctNone,
         [](const TCellGraphic* g) { return g->CellComment() == QStringLiteral("c"); }},
        {"AddMarker", [&](int r) { G->AddMarker(1, r, 2, 3); }, ctEmpty,
         [](const TCellGraphic* g) { return g->CellErrFrom() == 2 && g->CellErrLen() == 3; }},
        {"AddInterfacedCell", [&](int r) { G->AddInterfacedCell(1, r, &Self); }, ctInterface,
         [&](const TCellGraphic* g) { return g->CellBitmap() == &Self; }},
        {"AddCheckBox", [&](int r) { G->AddCheckBox(1, r, true, false); }, ctCheckBox,
         [](const TCellGraphic* g) { return g->CellBoolean(); }},
        {"AddCheckBox tri", [&](int r) { G->AddCheckBox(1, r, cbGrayed); }, ctTriStateCheckBox,
         [](const TCellGraphic* g) { return g->CellCheckBoxState() == cbGrayed; }},
        {"AddRadioButton", [&](int r) { G->AddRadioButton(1, r, true); }, ctRadioButton,
         [](const TCellGraphic* g) { return g->CellAngle() == rgCol; }},
        {"AddRadio", [&](int r) { G->AddRadio(1, r, 1, 0, &Captions); }, ctRadio,
         [&](const TCellGraphic* g) { return g->CellBitmap() == &Captions && g->CellBoolean(); }},
        {"CreateRadio", [&](int r) { G->CreateRadio(1, r, 0, -1); }, ctRadio,
         [](const TCellGraphic* g) { return g->CellCreated() && g->CellIndex() == -1; }},
        {"AddButton", [&](int r) { G->AddButton(1, r, 80, 24, QStringLiteral("b"), haLeft, vaTop); }, ctButton,
         [](const TCellGraphic* g) { return g->CellIndex() == ((24 << 16) | 80); }},
        {"AddBitButton", [&](int r) { G->AddBitButton(1, r, 8, 8, QString(), &Bmp, haLeft, vaTop); }, ctBitButton,
         [&](const TCellGraphic* g) { return g->CellBitmap() == &Bmp && !g->CellCreated(); }},
        {"CreateBitButton", [&](int r) { G->CreateBitButton(1, r, 8, 8, QString(), haLeft, vaTop); }, ctBitButton,
         [](const TCellGraphic* g) { return g->CellCreated(); }},
    };
    for (const Case& C : Cases) {
        // On a cell of its own, then over the graphic of the previous case; balloons,
        // comments and markers join a graphic there instead, so they start afresh.
        G->FreeCellGraphic(1, 2);
        const String Name = QString::fromUtf8(C.Name);
        if (Name == QLatin1String("AddBalloon") || Name == QLatin1String("AddComment") ||
            Name == QLatin1String("AddMarker"))
            G->FreeCellGraphic(1, 3);
        C.Add(2);
        C.Add(3);
        for (int r : {2, 3}) {
            const TCellGraphic* g = G->GetCellGraphic(1, r);
            ASSERT_NE(g, nullptr) << C.Name;
            EXPECT_EQ(g->CellType(), C.Kind) << C.Name;
            EXPECT_TRUE(C.Fields(g)) << C.Name;
        }
    }
    G->SetGridImages(nullptr);
    G->SetPictureContainer(nullptr);
}

TEST(CellPictures, CreatedObjectsDieWithTheirCellAndTheCallersStay) {
    auto G = newGrid();
    TCountedBitmap::Alive = 0;
    auto* Callers = new TCountedBitmap;
    G->AddBitmap(1, 1, Callers, false, haLeft, vaTop);
    G->AddIcon(1, 1, nullptr, haLeft, vaTop);
    EXPECT_EQ(TCountedBitmap::Alive, 1) << "the caller's bitmap stays";
    delete Callers;
    TBitmap* Created = G->CreateBitmap(1, 1, false, haLeft, vaTop);
    EXPECT_EQ(G->GetBitmap(1, 1), Created);
    G->AddIcon(1, 1, nullptr, haLeft, vaTop);  // ASan reports the created bitmap if it leaks
    EXPECT_FALSE(G->HasBitmap(1, 1));
    G->CreatePicture(1, 2, false, Stretch, 0, haLeft, vaTop);
    G->RemovePicture(1, 2);
    EXPECT_FALSE(G->HasPicture(1, 2));
    G->CreateFilePicture(1, 3, false, Stretch, 0, haLeft, vaTop);
    G->RemoveFilePicture(1, 3);
    G->CreateIcon(1, 4, haLeft, vaTop);
    G->RemoveIcon(1, 4);
    EXPECT_EQ(G->GetCellGraphic(1, 4), nullptr);
    G->SetCellEx(2, 2, QStringLiteral("keep"));
    G->CreatePicture(2, 2, false, Stretch, 0, haLeft, vaTop);
    G->ClearRect(2, 2, 2, 2);  // the properties go, the picture with them
}

TEST(CellPictures, ImageAndContainerKindsNeedTheirSources) {
    auto G = newGrid();
    G->AddImageIdx(1, 1, 1, haLeft, vaTop);
    G->AddDataImage(1, 2, 1, haLeft, vaTop);
    G->AddMultiImage(1, 3, 0, haLeft, vaTop);
    G->AddDataPicture(1, 4, QStringLiteral("n"), haLeft, vaTop);
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(G->GetCellGraphic(1, r), nullptr) << r;
    EXPECT_EQ(G->GetCellEx(1, 4), String());
    int Idx = 7;
    EXPECT_FALSE(G->GetImageIdx(1, 1, Idx));
    EXPECT_EQ(Idx, 7);
    TImageList Images(nullptr);
    G->SetGridImages(&Images);
    G->SetCellEx(2, 1, QStringLiteral("text"));
    G->AddDataImage(2, 1, 4, haLeft, vaTop);
    EXPECT_EQ(G->GetCellEx(2, 1), QStringLiteral("text")) << "a text stays";
    G->AddDataImage(2, 2, 4, haLeft, vaTop);
    EXPECT_EQ(G->GetInts(2, 2), 4) << "an empty cell takes the index";
    G->AddBitmap(2, 3, nullptr, false, haLeft, vaTop);
    G->SetCellEx(2, 3, QStringLiteral("x"));
    G->RemoveDataImage(2, 3);
    EXPECT_EQ(G->GetCellEx(2, 3), String()) << "the text goes whatever the kind";
    EXPECT_EQ(G->GetCellType(2, 3), ctBitmap);
    G->AddMultiImage(3, 3, 0, haLeft, vaTop);
    G->GetCellImages(3, 3)->Add(2);  // repaints the cell through the list's event
    EXPECT_EQ(G->GetCellImages(3, 3)->Count(), 1);
    G->AddImageIdx(3, 4, 1, haLeft, vaTop);
    G->SetImageIdx(3, 4, 6);
    EXPECT_TRUE(G->GetImageIdx(3, 4, Idx));
    EXPECT_EQ(Idx, 6);
    G->SetGridImages(nullptr);
}

TEST(CellPictures, BalloonsByKind) {
    auto G = newGrid();
    TBitmap Bmp;
    struct Case {
        const char* Name;
        std::function<void()> Add;
        bool Attached, Own;
    } Cases[] = {
        {"bitmap", [&] { G->AddBitmap(1, 1, &Bmp, false, haLeft, vaTop); }, false, false},
        {"check box", [&] { G->AddCheckBox(1, 1, true, false); }, true, false},
        {"data check box", [&] { G->AddCheckBox(1, 1, true, true); }, true, false},
        {"icon", [&] { G->CreateIcon(1, 1, haLeft, vaTop); }, true, false},
        {"radio button", [&] { G->AddRadioButtonGroup(1, 1, rgRow, true); }, true, false},
        {"nothing", [&] { G->FreeCellGraphic(1, 1); }, false, true},
    };
    for (const Case& C : Cases) {
        C.Add();
        const TCellType Kind = G->GetCellType(1, 1);
        G->AddBalloon(1, 1, QStringLiteral("T"), QStringLiteral("X"), biInfo);
        G->AddBalloon(1, 1, QStringLiteral("Title"), QStringLiteral("Text"), biError);  // replaces the first
        String Title, Text;
        TBalloonIcon Icon = biNone;
        EXPECT_EQ(G->IsBalloon(1, 1, Title, Text, Icon), C.Attached || C.Own) << C.Name;
        EXPECT_EQ(G->HasBalloon(1, 1), C.Own) << C.Name;
        if (C.Attached || C.Own) {
            EXPECT_EQ(Title, QStringLiteral("Title")) << C.Name;
            EXPECT_EQ(Text, QStringLiteral("Text")) << C.Name;
            EXPECT_EQ(Icon, biError) << C.Name;
        }
        if (!C.Own) {
            EXPECT_EQ(G->GetCellType(1, 1), Kind) << "the graphic stays " << C.Name;
        }
        if (Kind == ctRadioButton) {
            EXPECT_TRUE(G->HasRadioButtonGroup(1, 1, rgRow)) << "keeps its group";
        }
        G->RemoveBalloon(1, 1);
        EXPECT_FALSE(G->IsBalloon(1, 1, Title, Text, Icon)) << C.Name;
        if (!C.Own) {
            EXPECT_EQ(G->GetCellType(1, 1), Kind) << C.Name;
        }
        if (Kind == ctRadioButton) {
            EXPECT_TRUE(G->HasRadioButtonGroup(1, 1, rgRow));
        }
    }
    G->AddCheckBox(2, 2, false, false);
    G->AddBalloon(2, 2, QStringLiteral("a"), QStringLiteral("b"), biInfo);
    G->RemoveCheckBox(2, 2);  // the strings go with the box (ASan)
}

TEST(CellPictures, CommentsAndMarkersAgainstEmptiness) {
    auto G = newGrid();
    G->AddComment(1, 1, QStringLiteral("note"));
    EXPECT_EQ(G->GetCellType(1, 1), ctNone);
    EXPECT_EQ(G->GetCellGraphic(1, 1)->CommentColor(), G->ControlLook()->CommentColor());
    EXPECT_FALSE(G->GetCellEmpty(1, 1));
    String Comment;
    EXPECT_TRUE(G->IsComment(1, 1, Comment));
    EXPECT_EQ(Comment, QStringLiteral("note"));
    G->RemoveComment(1, 1);
    EXPECT_NE(G->GetCellGraphic(1, 1), nullptr) << "the holder stays";
    EXPECT_TRUE(G->GetCellEmpty(1, 1));
    G->SetComment(1, 2, QStringLiteral("new"));
    G->AddColorComment(1, 2, QStringLiteral("red"), clRed);
    EXPECT_EQ(G->GetComment(1, 2), QStringLiteral("red"));
    G->AddCheckBox(1, 3, true, false);
    G->SetComment(1, 3, QStringLiteral("on a box"));
    EXPECT_EQ(G->GetCellType(1, 3), ctCheckBox);
    G->RemoveAllComments();
    EXPECT_EQ(G->GetComment(1, 3), String());
    G->AddMarker(2, 1, 3, 4);
    EXPECT_FALSE(G->GetCellEmpty(2, 1));
    int Pos = -1, Len = -1;
    G->GetMarker(2, 1, Pos, Len);
    EXPECT_EQ(Pos, 3);
    EXPECT_EQ(Len, 4);
    G->RemoveMarker(2, 1);
    EXPECT_EQ(G->GetGraphicObjectEx(2, 1), nullptr) << "a marker-only holder goes";
    EXPECT_TRUE(G->GetCellEmpty(2, 1));
    G->GetMarker(2, 1, Pos, Len);
    EXPECT_EQ(Pos, 0);
    // Kinds keeping their own ranges in those fields are left alone.
    G->AddProgressFormatted(2, 2, clRed, clBlack, clWhite, clBlue, String(), 10, 20);
    G->AddMarker(2, 2, 1, 1);
    G->RemoveAllMarkers();
    EXPECT_EQ(G->GetCellGraphic(2, 2)->CellErrFrom(), 10);
    EXPECT_EQ(G->GetCellGraphic(2, 2)->CellErrLen(), 20);
    G->AddIcon(2, 3, nullptr, haLeft, vaTop);
    G->AddMarker(2, 3, 5, 6);
    G->RemoveAllMarkers();
    G->GetMarker(2, 3, Pos, Len);
    EXPECT_EQ(Len, 0);
    EXPECT_EQ(G->GetCellType(2, 3), ctIcon);
}

TEST(CellPictures, RotatedExpandShapesAndScrollBars) {
    auto G = newGrid();
    int Angle = 0;
    G->SetRotated(1, 1, 45);
    EXPECT_TRUE(G->IsRotated(1, 1, Angle));
    EXPECT_EQ(Angle, 45);
    G->CreateBitmap(1, 2, false, haLeft, vaTop);
    G->SetRotated(1, 2, 90);  // the created bitmap is freed (ASan), the graphic turns
    EXPECT_TRUE(G->IsRotated(1, 2, Angle));
    EXPECT_EQ(G->GetCellGraphic(1, 2)->CellBitmap(), nullptr);
    G->CreateCellGraphic(1, 3)->SetCellType(ctNode);
    G->GetCellGraphic(1, 3)->SetCellAngle(7);
    G->SetRotated(1, 3, 90);
    EXPECT_EQ(G->GetCellType(1, 3), ctNode) << "a node is refused";
    EXPECT_EQ(G->GetCellGraphic(1, 3)->CellAngle(), 7);
    G->RemoveRotated(1, 1);
    EXPECT_FALSE(G->IsRotated(1, 1, Angle));
    G->AddExpand(2, 1, 80);
    EXPECT_TRUE(G->ToggleExpand(2, 1));
    EXPECT_FALSE(G->ToggleExpand(2, 1));
    EXPECT_FALSE(G->GetExpandState(2, 1));
    EXPECT_EQ(G->GetExpandHeight(2, 1, true), 80);
    EXPECT_EQ(G->GetExpandHeight(2, 1, false), 22);
    EXPECT_EQ(G->GetExpandHeight(3, 1, true), G->DefaultRowHeight());
    const TRect R = G->CellRect(2, 1);
    EXPECT_EQ(G->GetExpandRect(2, 1), Rect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13));
    EXPECT_EQ(G->GetExpandRect(3, 1), Rect(0, 0, 0, 0));
    EXPECT_EQ(G->GetShapeColor(3, 3), clNone);
    G->AddShape(3, 3, 0, clRed, clBlack, haLeft, vaTop);
    G->SetShapeColor(3, 3, clLime);
    EXPECT_EQ(G->GetShapeColor(3, 3), clLime);
    EXPECT_EQ(G->GetScrollPosition(4, 4), -1);
    EXPECT_EQ(G->GetScrollProp(4, 4).Range, -1);
    G->AddScrollBar(4, 4, false);
    G->SetScrollPosition(4, 4, 30);
    G->SetScrollProp(4, 4, TScrollProp{10, 200});
    EXPECT_EQ(G->GetScrollPosition(4, 4), 30);
    EXPECT_EQ(G->GetScrollProp(4, 4).PageSize, 10);
    EXPECT_EQ(G->GetScrollProp(4, 4).Range, 200);
    EXPECT_FALSE(G->HasAutoRangeScrollBar(4, 4));
    double Rate = 3;
    G->OnRatingChange = [](TObject*, int, int, double& NewRate, bool& Allow) {
        NewRate = 4;
        Allow = NewRate < 5;
    };
    EXPECT_TRUE(G->RatingChange(1, 1, Rate));
    EXPECT_EQ(Rate, 4);
}

}  // namespace
