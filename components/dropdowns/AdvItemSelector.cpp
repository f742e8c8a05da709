#include "components/dropdowns/AdvItemSelector.h"

#include "components/dropdowns/AdvDropDownDraw.h"
#include "components/graphics/AdvUtilDraw.h"
#include "components/graphics/AsgHTMLE_Utils.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "framework/ui/WindowFunctions.h"

#include <algorithm>

using namespace advdropdown;

// ---------------------------------------------------------------------------------------------
// The panel

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner)
    : TCustomControl(AOwner), FAdvItemSelector(dynamic_cast<TAdvCustomItemSelector*>(AOwner)) {
    if (!FAdvItemSelector) throw Exception(QStringLiteral("Invalid parent"));
    SetParentColor(true);
}

bool TCustomItemSelector::validIndex(int Index) const {
    return Index >= 0 && Index < FAdvItemSelector->Items()->Count();
}

bool TCustomItemSelector::disabledItem(int Index) const {
    return validIndex(Index) && !FAdvItemSelector->Items()->Items(Index)->Enabled();
}

int TCustomItemSelector::ItemIndex() const { return validIndex(FItemIndex) ? FItemIndex : -1; }

void TCustomItemSelector::SetItemIndex(int Value) {
    if (disabledItem(Value)) return;
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const int Old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(Old);
    }
    FItemIndex = Value;
    if (Value < 0) return;
    drawItemNow(Value);
    if (OnItemSelect) FireEvent(OnItemSelect, this);
}

void TCustomItemSelector::SetItemHot(int Index) {
    if (Index == FItemHot || disabledItem(Index)) return;
    if (FItemHot >= 0) {
        const int Old = FItemHot;
        FItemHot = -1;
        InvalidateItem(Old);
    }
    FItemHot = Index;
    if (Index >= 0) drawItemNow(Index);
}

// A panel without area (laid out before its popup had a width) has nothing to draw on yet; its
// next paint shows the state.
void TCustomItemSelector::drawItemNow(int Index) {
    if (Width() > 0 && Height() > 0) DrawItem(Index, Canvas());
}

void TCustomItemSelector::SelectFirst() {
    if (FAdvItemSelector->Items()->Count() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast() {
    const int N = FAdvItemSelector->Items()->Count();
    if (N > 0) SetItemIndex(N - 1);
}

void TCustomItemSelector::SelectNext() {
    const int N = FAdvItemSelector->Items()->Count();
    if (ItemIndex() < 0)
        SelectFirst();
    else if (ItemIndex() < N - 1)
        SetItemIndex(ItemIndex() + 1);
}

void TCustomItemSelector::SelectPrevious() {
    if (ItemIndex() < 0)
        SelectFirst();
    else if (ItemIndex() > 0)
        SetItemIndex(ItemIndex() - 1);
}

void TCustomItemSelector::HotNext() {
    const int N = FAdvItemSelector->Items()->Count();
    if (FItemHot < 0) {
        if (N > 0) SetItemHot(0);
    } else if (FItemHot < N - 1) {
        SetItemHot(FItemHot + 1);
    }
}

void TCustomItemSelector::HotPrevious() {
    const int N = FAdvItemSelector->Items()->Count();
    if (FItemHot < 0) {
        if (N > 0) SetItemHot(0);
    } else if (FItemHot > 0) {
        SetItemHot(FItemHot - 1);
    }
}

bool TCustomItemSelector::LookupItem(const String& S) {
    TSelectorItems* Items = FAdvItemSelector->Items();
    if (Items->Count() == 0 || S.isEmpty()) return false;
    const auto matches = [&](int I) {
        return AnsiUpperCase(Trim(AsgHTMLE::StripMarkupTags(Items->Items(I)->Caption()))).startsWith(S);
    };
    const int Start = std::max(ItemIndex(), 0);
    for (int I = Start; I < Items->Count(); ++I) {
        if (I == ItemIndex()) continue;
        if (matches(I)) {
            SetItemIndex(I);
            return true;
        }
    }
    if (Start == 0) return false;
    for (int I = 0; I < Items->Count(); ++I) {
        if (matches(I)) {
            SetItemIndex(I);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::GetItemRect(int Index, TRect& R) const {
    R = validIndex(Index) ? FAdvItemSelector->Items()->Items(Index)->ItemRect() : Rect(-1, -1, -1, -1);
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const {
    TSelectorItems* Items = FAdvItemSelector->Items();
    for (int I = 0; I < Items->Count(); ++I)
        if (Items->Items(I)->ItemRect().Contains(Point(X, Y))) return I;
    return -1;
}

void TCustomItemSelector::InvalidateItem(int Index) {
    if (!validIndex(Index)) return;
    const TRect R = FAdvItemSelector->Items()->Items(Index)->ItemRect();
    InvalidateRect(Handle(), &R, true);
}

void TCustomItemSelector::GetItemSize(TSize& Size) {
    TAdvCustomItemSelector* S = FAdvItemSelector;
    if (S->OnItemSize) {
        const auto Handler = S->OnItemSize;
        Handler(this, Size);
        return;
    }
    int A = 0, B = 0, C = 0, D = 0;
    if (S->SelectorType() == stColor) {
        A = S->ColorBoxWidth();
        B = S->ColorBoxHeight();
    }
    Canvas()->Font()->Assign(S->ItemAppearance()->Font());
    for (int I = 0; I < S->Items()->Count(); ++I) {
        const TSelectorItem* Item = S->Items()->Items(I);
        if (S->SelectorType() == stImage) {
            const TSize Image = Item->ImageSize(S->Images());
            A = std::max(A, static_cast<int>(Image.cx));
            B = std::max(B, static_cast<int>(Image.cy));
        }
        TSize Text;
        DrawMarkupCaption(Canvas(), Item->Caption(), Rect(0, 0, 1000, 500), S->Images(), false, Handle(), Text);
        D = std::max(D, static_cast<int>(Text.cx));
        C = std::max(C, static_cast<int>(Text.cy));
    }
    if (D > 0) D += 4;
    if (S->ItemLayout() == ilCaptionLeft || S->ItemLayout() == ilCaptionRight) {
        Size.cx = 2 * FItemOffSetX + (A > 0 ? A : 0) + (A > 0 && D > 0 ? FCaptionGap : 0) + (D > 0 ? D : 0);
        Size.cy = std::max(B, C) + 2 * FItemOffSetY;
    } else {
        Size.cx = std::max(A, D) + 2 * FItemOffSetX;
        Size.cy = 2 * FItemOffSetY + (B > 0 ? B : 0) + (B > 0 && C >= 1 ? FCaptionGap : 0) + (C >= 1 ? C : 0);
    }
}

void TCustomItemSelector::GetItemsRect(TRect& R) {
    R = ClientRect();
    R.Left += FOffSetX;
    R.Top += FOffSetY;
    R.Right -= FOffSetX;
    R.Bottom -= FOffSetY;
}

void TCustomItemSelector::UpdateLayout() {
    TSelectorItems* Items = FAdvItemSelector->Items();
    if (Items->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize Size{0, 0};
    GetItemSize(Size);
    TRect G;
    GetItemsRect(G);
    const int W = Size.cx, H = Size.cy;
    int X = G.Left, Y = G.Top, Col = 0, MaxX = 0;
    for (int I = 0; I < Items->Count(); ++I) {
        Items->Items(I)->SetItemRect(Rect(X, Y, X + W, Y + H));
        ++Col;
        if (I == Items->Count() - 1) break;
        if (Col < FAdvItemSelector->Columns()) {
            X += W;
        } else {
            Y += H;
            MaxX = std::max(MaxX, X);
            X = G.Left;
            Col = 0;
        }
    }
    SetBounds(Left(), Top(), std::max(X, MaxX) + W + G.Left, Y + H + G.Top);
    Invalidate();
}

// Only the cells the container shows are drawn: a long list costs what a screenful does. Scrolling
// and sizing repaint the container with its panel.
void TCustomItemSelector::Paint() {
    TCustomControl::Paint();
    const TRect Shown = shownArea();
    for (int I = 0; I < FAdvItemSelector->Items()->Count(); ++I) {
        const TRect R = FAdvItemSelector->Items()->Items(I)->ItemRect();
        if (R.Bottom > Shown.Top && R.Top < Shown.Bottom && R.Right > Shown.Left && R.Left < Shown.Right)
            DrawItem(I, Canvas());
    }
}

// The part of the panel inside the container's client area, in the panel's coordinates.
TRect TCustomItemSelector::shownArea() const {
    const TWinControl* Box = Parent();
    if (!Box) return ClientRect();
    return Rect(-Left(), -Top(), Box->ClientWidth() - Left(), Box->ClientHeight() - Top());
}

void TCustomItemSelector::drawCaption(TCanvas* C, const String& Caption, TRect R, bool Centred, TSize& Size) {
    TCustomImageList* Images = FAdvItemSelector->Images();
    if (Centred) {
        DrawMarkupCaption(C, Caption, R, Images, false, Handle(), Size);
        if (Size.cy < R.Height()) R.Top += (R.Height() - Size.cy) / 2;
    }
    DrawMarkupCaption(C, Caption, R, Images, true, Handle(), Size);
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* ACanvas) {
    if (!validIndex(Index) || !ACanvas) return;
    TAdvCustomItemSelector* S = FAdvItemSelector;
    const TSelectorItem* Item = S->Items()->Items(Index);
    const TRect R = Item->ItemRect();
    if (R.Left < 0 && R.Right < 0) return;
    const TItemAppearance* A = S->ItemAppearance();
    const bool Hot = Index == FItemHot, Selected = Index == FItemIndex;
    TColor Frame = A->BorderColor(), TopLine = A->BorderColorTop(), BottomLine = A->BorderColorBottom(),
           Edge = A->EdgeColor();
    TColor From = clNone, To = clNone, MirrorFrom = clNone, MirrorTo = clNone;
    const auto take = [&](TColor F, TColor T, TColor MF, TColor MT, TColor StateFrame) {
        From = F;
        To = T;
        MirrorFrom = MF;
        MirrorTo = MT;
        if (StateFrame != clNone) {
            Frame = StateFrame;
            TopLine = BottomLine = Edge = clNone;
        }
    };
    if (Selected)
        take(A->ColorSelected(), A->ColorSelectedTo(), A->ColorMirrorSelected(), A->ColorMirrorSelectedTo(),
             A->BorderColorSelected());
    else if (Hot)
        take(A->ColorHot(), A->ColorHotTo(), A->ColorMirrorHot(), A->ColorMirrorHotTo(), A->BorderColorHot());
    if (!Hot && !Selected) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Color());
        ACanvas->FillRect(R);
    } else if (TopLine == clNone) {
        DrawButtonBackground(ACanvas, R, From, To, Frame, 1, gdVertical);
    } else {
        DrawGlossyFrame(ACanvas, From, To, MirrorFrom, MirrorTo, TopLine, BottomLine, Frame, Edge, Color(), R, 0);
    }
    if (S->OnDrawItem) {
        const auto Handler = S->OnDrawItem;
        Handler(this, ACanvas, R, Index);
        return;
    }
    int W = 0, H = 0;
    if (S->SelectorType() == stColor) {
        W = S->ColorBoxWidth();
        H = S->ColorBoxHeight();
    } else {
        const TSize Image = Item->ImageSize(S->Images());
        W = Image.cx;
        H = Image.cy;
    }
    TRect C = R;
    C.Left += FItemOffSetX;
    C.Top += FItemOffSetY;
    C.Right -= FItemOffSetX;
    C.Bottom -= FItemOffSetY;
    TRect I = C;
    ACanvas->Font()->Assign(A->Font());
    if (Hot) ACanvas->Font()->SetColor(A->ColorHotText());
    if (Selected) ACanvas->Font()->SetColor(A->ColorSelectedText());
    ACanvas->Brush()->SetStyle(bsClear);
    const auto content = [&](int X, int Y) {
        if (S->SelectorType() == stColor) {
            ACanvas->Pen()->SetColor(clBlack);
            ACanvas->Pen()->SetWidth(1);
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(Item->Color());
            ACanvas->Rectangle(X, Y, X + W, Y + H);
            ACanvas->Brush()->SetStyle(bsClear);
        } else {
            Item->DrawImage(ACanvas, X, Y, S->Images(), Item->Enabled());
        }
    };
    const String& Caption = Item->Caption();
    TSize Text{0, 0};
    switch (S->ItemLayout()) {
        case ilCaptionLeft:
            if (!Caption.isEmpty()) {
                C.Right -= W;
                drawCaption(ACanvas, Caption, C, true, Text);
                I.Left = C.Left + Text.cx + FCaptionGap;
            }
            if (S->SelectorType() == stColor)
                content(I.Left, I.Top);
            else
                content(I.Left, I.Top + (I.Height() - H) / 2);
            break;
        case ilCaptionRight:
            if (S->SelectorType() == stColor)
                content(I.Left, I.Top);
            else
                content(I.Left, I.Top + (I.Height() - H) / 2);
            C.Left = I.Left + W + FCaptionGap;
            if (!Caption.isEmpty()) drawCaption(ACanvas, Caption, C, true, Text);
            break;
        case ilCaptionTop:
            if (!Caption.isEmpty()) {
                C.Bottom -= H;
                drawCaption(ACanvas, Caption, C, false, Text);
                I.Top = C.Top + Text.cy + FCaptionGap;
            } else {
                I.Top += (I.Height() - H) / 2;
            }
            I.Left += (I.Width() - W) / 2;
            content(I.Left, I.Top);
            break;
        case ilCaptionBottom:
            if (Caption.isEmpty()) I.Top += (I.Height() - H) / 2;
            I.Left += (I.Width() - W) / 2;
            content(I.Left, I.Top);
            C.Top = I.Top + H + FCaptionGap;
            if (!Caption.isEmpty()) drawCaption(ACanvas, Caption, C, false, Text);
            break;
    }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    const int Index = ItemAtPos(X, Y);
    if (Index >= 0 && !disabledItem(Index)) SetItemIndex(Index);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseMove(Shift, X, Y);
    if (!Self) return;
    const int Index = ItemAtPos(X, Y);
    if (Index < 0) {
        SetItemHot(-1);
        return;
    }
    if (Index == FItemHot) return;
    SetItemHot(disabledItem(Index) ? -1 : Index);
    SetHint(FAdvItemSelector->Items()->Items(Index)->Hint());
    Application->CancelHint();
}

void TCustomItemSelector::Dispatch(TMessage& Message) {
    TCustomControl::Dispatch(Message);
    if (Message.Msg == CM_MOUSELEAVE) SetItemHot(-1);
}

// ---------------------------------------------------------------------------------------------
// The container

TAdvCustomItemSelector::TAdvCustomItemSelector(TComponent* AOwner)
    : TScrollBox(AOwner),
      FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
    FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    VertScrollBar()->SetTracking(true);
    CreateSelectorPanel();
    UpdateSelectorPanel();
}

TAdvCustomItemSelector::~TAdvCustomItemSelector() { FItems->OnChange = nullptr; }

void TAdvCustomItemSelector::CreateSelectorPanel() {
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->SetParent(this);
    FItemSelectorPanel->OnItemSelect = [this](TObject*) {
        if (OnItemSelect) FireEvent(OnItemSelect, this);
    };
}

void TAdvCustomItemSelector::UpdateSelectorPanel() {
    if (FItemSelectorPanel) FItemSelectorPanel->UpdateLayout();
}

void TAdvCustomItemSelector::SetSelectorType(TSelectorType Value) {
    if (FSelectorType == Value) return;
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetColumns(int Value) {
    if (Value <= 0 || FColumns == Value) return;
    FColumns = Value;
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetColorBoxWidth(int Value) {
    if (FColorBoxWidth == Value) return;
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetColorBoxHeight(int Value) {
    if (FColorBoxHeight == Value) return;
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    UpdateSelectorPanel();
}

void TAdvCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation) {
    TScrollBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FItemSelectorPanel) FItemSelectorPanel = nullptr;
}

void TAdvCustomItemSelector::SetItemIndex(int Value) {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SetItemIndex(Value);
    ScrollItemInView(Value);
}

void TAdvCustomItemSelector::SelectFirst() {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectFirst();
    ScrollItemInView(ItemIndex());
}

void TAdvCustomItemSelector::SelectLast() {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectLast();
    ScrollItemInView(ItemIndex());
}

void TAdvCustomItemSelector::SelectNext() {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectNext();
    ScrollItemInView(ItemIndex());
}

void TAdvCustomItemSelector::SelectPrevious() {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectPrevious();
    ScrollItemInView(ItemIndex());
}

void TAdvCustomItemSelector::HotNext() {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->HotNext();
    ScrollItemInView(ItemHot());
}

void TAdvCustomItemSelector::HotPrevious() {
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->HotPrevious();
    ScrollItemInView(ItemHot());
}

bool TAdvCustomItemSelector::LookupItem(const String& S) {
    return FItemSelectorPanel && FItemSelectorPanel->LookupItem(S);
}

void TAdvCustomItemSelector::ScrollItemInView(int Index) {
    if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count() || !VertScrollBar()->IsScrollBarVisible()) return;
    TRect R;
    FItemSelectorPanel->GetItemRect(Index, R);
    R.Top -= VertScrollBar()->Margin();
    R.Bottom += VertScrollBar()->Margin();
    R.Top += FItemSelectorPanel->Top();
    R.Bottom += FItemSelectorPanel->Top();
    TControlScrollBar* Bar = VertScrollBar();
    if (R.Top < 0) {
        Bar->SetPosition(Bar->Position() + R.Top);
    } else if (R.Bottom > ClientHeight()) {
        if (R.Height() > ClientHeight()) R.Bottom = R.Top + ClientHeight();
        Bar->SetPosition(Bar->Position() + R.Bottom - ClientHeight());
    }
}

int TAdvCustomItemSelector::GetVisibleItemCount() const {
    if (!FItemSelectorPanel || FItems->Count() == 0) return 0;
    int H = Height();
    if (HorzScrollBar()->IsScrollBarVisible()) H -= 20;
    TRect R;
    FItemSelectorPanel->GetItemRect(0, R);
    if (R.Height() <= 0) return 0;
    return H / R.Height() * FColumns;
}

TSize TAdvCustomItemSelector::GetSelectorPanelSize() const {
    if (!FItemSelectorPanel) return TSize{100, 50};
    return TSize{FItemSelectorPanel->Width(), FItemSelectorPanel->Height()};
}

void TAdvCustomItemSelector::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    }
    TScrollBox::Dispatch(Message);
}
