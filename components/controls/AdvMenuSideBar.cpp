#include "components/controls/AdvMenuSideBar.h"

#include "components/controls/AdvMenuItems.h"
#include "framework/ui/Gdi.h"

#include <cmath>

using namespace advmenu;

namespace {

// Rounds half to the even neighbour, as the caption placement expects.
int roundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

bool isMainMenu(TComponent* C) {
    auto* M = dynamic_cast<TMenu*>(C);
    return M && !dynamic_cast<TPopupMenu*>(M);
}

// The item's parent component: its parent item, or the menu for a top-level item.
TComponent* parentComponent(TMenuItem* Item) {
    TMenuItem* P = Item ? Item->Parent() : nullptr;
    if (!P) return nullptr;
    if (!P->Parent()) return P->GetParentMenu();
    return P;
}

}  // namespace

bool InFirstVisibleDropDown(TMenuItem* Item) {
    if (!Item) return false;
    TMenu* Menu = Item->GetParentMenu();
    if (isMainMenu(Menu)) return Item->Parent() && Item->Parent() == FirstVisibleItem(Menu->Items());
    return IsRootMenuItem(Item);
}

bool InFirstLevelWindow(TMenuItem* Item) {
    TComponent* C = parentComponent(Item);
    if (!C) return false;
    if (dynamic_cast<TPopupMenu*>(C)) return true;
    auto* P = dynamic_cast<TMenuItem*>(C);
    return P && isMainMenu(parentComponent(P));
}

bool SideBarShownFor(TMenuItem* Item) {
    if (!Item) return false;
    IAdvMenu* Intf = GetAdvMenuIntf(Item->GetParentMenu());
    TCustomAdvMenuStyler* S = Intf ? Intf->CurrentMenuStyler() : nullptr;
    if (!S || !S->SideBar()->Visible()) return false;
    switch (S->SideBar()->VisibleIn()) {
        case viFirstVisible:
            return InFirstVisibleDropDown(Item);
        case viFirstLevel:
            return InFirstLevelWindow(Item);
        case viAnyLevel:
            return !IsMenuBarItem(Item);
    }
    return false;
}

void DrawSideBar(TSideBar* SideBar, TCanvas* Canvas, const TRect& A) {
    if (!SideBar || !Canvas) return;
    TRect SR = A;
    SideBar->SetPopupHeight(RectHeight(SR));
    const int W = SideBar->Size() + SideBar->SplitterWidth();
    if (SideBar->Position() == spLeft)
        SR.Right = SR.Left + W;
    else
        SR.Left = SR.Right - W;
    DrawMenuBackground(Canvas, SR, SideBar->Background(), true);
    if (SideBar->Image()->Color() != clNone && SideBar->Image()->HasPicture())
        DrawMenuBackground(Canvas, SR, SideBar->Image(), true);
    DrawSideBarCaption(SideBar, Canvas, SR);
    DrawSideBarBorder(SideBar, Canvas, SR);
    DrawSideBarSplitter(SideBar, Canvas, SR);
}

void DrawSideBarCaption(TSideBar* SideBar, TCanvas* Canvas, const TRect& SR) {
    if (!SideBar || !Canvas || SideBar->Caption().isEmpty()) return;
    Canvas->SetFont(SideBar->Font());
    const bool UpToDown = SideBar->Direction() == dUpToDown;
    HDC DC = Canvas->Handle();
    HFONT Rotated = CreateRotatedFont(SideBar->Font(), UpToDown ? -90 : 90);
    HFONT Old = SelectObject(DC, Rotated);
    const String& Text = SideBar->Caption();
    TSize Ext{0, 0};
    GetTextExtentPoint32(DC, Text, static_cast<int>(Text.size()), &Ext);
    const int cx = Ext.cx, cy = Ext.cy;
    const int H = RectHeight(SR);

    int X = roundEven((SideBar->Size() - cy) / 2.0 - 0.5);
    int Y = 0;
    const TAlignment Al = SideBar->Alignment();
    if (Al == taCenter)
        Y = roundEven((H + cx) / 2.0 - 0.5);
    else if ((Al == taRightJustify) == !UpToDown)
        Y = SideBar->OffsetY() + cx;
    else {
        Y = H - SideBar->OffsetY();
        TBackground* Img = SideBar->Image();
        if (Img->HasPicture() && (Img->Position() == bpBottomLeft || Img->Position() == bpBottomRight))
            Y -= Img->Image()->Height();
    }
    if (UpToDown) {
        Y -= cx;
        X += cy + 1;
    }
    // A right-hand bar writes inside itself rather than at the window's left edge.
    X += SR.Left;
    Y += SR.Top;

    SetBkMode(DC, TRANSPARENT);
    TRect Clip = SR;
    Clip.Bottom += 1;
    const int D = SideBar->Depth();
    auto Out = [&](TColor Color, int PX, int PY) {
        SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
        ExtTextOutW(DC, PX, PY, ETO_CLIPPED, &Clip, Text, static_cast<int>(Text.size()), nullptr);
    };
    if (SideBar->HighlightColor() != clNone) Out(SideBar->HighlightColor(), X - D, Y + D);
    if (SideBar->ShadowColor() != clNone) Out(SideBar->ShadowColor(), X + D, Y - D);
    Out(SideBar->Font()->Color(), X, Y);
    SelectObject(DC, Old);
    DeleteObject(Rotated);
    SetBkMode(DC, OPAQUE);
}

void DrawSideBarBorder(TSideBar* SideBar, TCanvas* Canvas, const TRect& SR) {
    if (!SideBar || !Canvas || SideBar->BorderColor() == clNone) return;
    TRect R = SR;
    if (SideBar->Position() == spLeft)
        R.Right -= SideBar->SplitterWidth();
    else
        R.Left += SideBar->SplitterWidth();
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(SideBar->BorderColor());
    Canvas->FrameRect(R);
}

void DrawSideBarSplitter(TSideBar* SideBar, TCanvas* Canvas, const TRect& SR) {
    if (!SideBar || !Canvas || SideBar->SplitterColor() == clNone) return;
    TRect R = SR;
    if (SideBar->Position() == spLeft)
        R.Left = R.Right - SideBar->SplitterWidth();
    else
        R.Right = R.Left + SideBar->SplitterWidth();
    MenuGradientLine(nullptr, Canvas, R, SideBar->SplitterColor(), SideBar->SplitterColorTo(), gdVertical,
                     SideBar->SplitterGradientType(), SideBar->SplitterGradientWidth(), SideBar->SplitterMargin());
}
