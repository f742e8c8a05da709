// The filter-type icons and menu of the filter-edit row: nine small drawings, one per condition
// kind, in the order of the filter edit's type names.
#include "components/grid/VidIvezadOrir.h"

#include "components/grid/model/GridAuxSettings.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Menus.h"

#include <array>

namespace {

// One stroke of an icon: a line from (X1, Y1) to (X2, Y2) (the end pixel included).
struct TStroke {
    int X1, Y1, X2, Y2;
    bool Red;
};
struct TFilterIcon {
    const char* Name;  // the resource name of the platform's icon this drawing stands for
    std::array<TStroke, 6> Strokes;
    int Count;
};

// Starts with, ends with, contains, does not contain, equal, not equal, larger, smaller, clear.
constexpr TFilterIcon kFilterIcons[] = {
    {"TESSELGRDSTARTSWITH",
     {{{3, 3, 3, 12, false}, {5, 5, 12, 5, false}, {5, 8, 10, 8, false}, {5, 11, 12, 11, false}}},
     4},
    {"TESSELGRDENDSWITH",
     {{{12, 3, 12, 12, false}, {3, 5, 10, 5, false}, {5, 8, 10, 8, false}, {3, 11, 10, 11, false}}},
     4},
    {"TESSELGRDCONTAINS",
     {{{2, 3, 2, 12, false}, {13, 3, 13, 12, false}, {5, 6, 10, 6, false}, {5, 9, 10, 9, false}}},
     4},
    {"TESSELGRDNOTCONTAINS",
     {{{2, 3, 2, 12, false}, {13, 3, 13, 12, false}, {5, 6, 10, 6, false}, {5, 9, 10, 9, false}, {3, 13, 12, 2, true}}},
     5},
    {"TESSELGRDEQUAL", {{{3, 6, 12, 6, false}, {3, 9, 12, 9, false}}}, 2},
    {"TESSELGRDNOTEQUAL", {{{3, 6, 12, 6, false}, {3, 9, 12, 9, false}, {5, 12, 10, 3, true}}}, 3},
    {"TESSELGRDLARGER", {{{4, 3, 11, 7, false}, {11, 8, 4, 12, false}}}, 2},
    {"TESSELGRDSMALLER", {{{11, 3, 4, 7, false}, {4, 8, 11, 12, false}}}, 2},
    {"TESSELGRDCLEAR", {{{3, 3, 12, 12, true}, {12, 3, 3, 12, true}}}, 2},
};
static_assert(std::size(kFilterIcons) == 9);

constexpr TColor kInk = 0x804000;
constexpr TColor kMask = clFuchsia;

void drawIcon(TBitmap* B, const TFilterIcon& Icon) {
    TCanvas* C = B->Canvas();
    C->Brush()->SetColor(kMask);
    C->FillRect(Rect(0, 0, 16, 16));
    for (int I = 0; I < Icon.Count; ++I) {
        const TStroke& S = Icon.Strokes[static_cast<size_t>(I)];
        C->Pen()->SetColor(S.Red ? clRed : kInk);
        C->MoveTo(S.X1, S.Y1);
        C->LineTo(S.X2, S.Y2);
        C->SetPixels(S.X2, S.Y2, S.Red ? clRed : kInk);
    }
}

}  // namespace

// The images, then one menu item per type name (nine at most): caption the name, image index
// and tag its position; a click applies that type to the column the menu was opened for.
void TVidIvezadOrir::createFilterTypeMenu() {
    FFltrList = new TCustomImageList(this, 16, 16);
    for (const TFilterIcon& Icon : kFilterIcons) {
        TBitmap B(16, 16);
        drawIcon(&B, Icon);
        FFltrList->AddMasked(&B, kMask);
    }
    FFltrPopup = new TPopupMenu(this);
    FFltrPopup->SetImages(FFltrList);
    TStrings* Names = FFilterEdit->TypeNames();
    for (int I = 0; I < Names->Count() && I < 9; ++I) {
        auto* Item = new TMenuItem(FFltrPopup);
        Item->SetCaption(Names->Strings(I));
        Item->SetImageIndex(I);
        Item->SetTag(I);
        Item->OnClick = [this, I](TObject*) { FilterTypeClick(static_cast<int>(FFltrPopup->Tag()), I); };
        FFltrPopup->Items()->Add(Item);
    }
}
