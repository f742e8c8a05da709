#include "components/dropdowns/CalcButtonPanel.h"

#include "components/dropdowns/AdvDropDown.h"
#include "components/graphics/AdvGDIP.h"
#include "components/graphics/TesselStyle.h"
#include "framework/ui/DrawText.h"
#include "framework/ui/ImgList.h"
#include "framework/ui/Picture.h"
#include "framework/ui/WindowFunctions.h"

#include <algorithm>
#include <array>

using namespace advdropdown;
using namespace calcpanel;

namespace {

// The calculator's buttons in collection order; the layout addresses them by index.
struct TDefaultButton {
    const char* Caption;
    const char* Name;
    int Code;
    bool Special;
};
constexpr TDefaultButton kDefaultButtons[] = {
    /*  0 */ {"", "BTN_ON", 30, false},
    /*  1 */ {"Back", "BTN_BACK", 31, true},
    /*  2 */ {"CE", "BTN_CE", 32, true},
    /*  3 */ {"C", "BTN_C", 16, true},
    /*  4 */ {"MC", "BTN_MC", 33, true},
    /*  5 */ {"MR", "BTN_MR", 34, true},
    /*  6 */ {"MS", "BTN_MS", 35, true},
    /*  7 */ {"M+", "BTN_M+", 36, true},
    /*  8 */ {"0", "BTN_0", 0, false},
    /*  9 */ {"1", "BTN_1", 1, false},
    /* 10 */ {"4", "BTN_4", 4, false},
    /* 11 */ {"7", "BTN_7", 7, false},
    /* 12 */ {"8", "BTN_8", 8, false},
    /* 13 */ {"5", "BTN_5", 5, false},
    /* 14 */ {"2", "BTN_2", 2, false},
    /* 15 */ {"+/-", "BTN_+/-", 14, false},
    /* 16 */ {".", "BTN_.", 15, false},
    /* 17 */ {"3", "BTN_3", 3, false},
    /* 18 */ {"6", "BTN_6", 6, false},
    /* 19 */ {"9", "BTN_9", 9, false},
    /* 20 */ {"/", "BTN_/", 13, true},
    /* 21 */ {"*", "BTN_*", 12, true},
    /* 22 */ {"-", "BTN_-", 11, true},
    /* 23 */ {"+", "BTN_+", 10, true},
    /* 24 */ {"=", "BTN_=", 17, true},
    /* 25 */ {"1/x", "BTN_1/x", 38, false},
    /* 26 */ {"%", "BTN_%", 18, false},
    /* 27 */ {"sqrt", "BTN_sqrt", 37, true},
};
constexpr int kButtonCount = 28;
static_assert(std::size(kDefaultButtons) == kButtonCount);

// Rows 1 to 4 of the grid: the button index in each of the six columns.
constexpr int kGrid[4][6] = {
    {4, 11, 12, 19, 20, 27},  // MC 7 8 9 / sqrt
    {5, 10, 13, 18, 21, 26},  // MR 4 5 6 * %
    {6, 9, 14, 17, 22, 25},   // MS 1 2 3 - 1/x
    {7, 8, 15, 16, 23, 24},   // M+ 0 +/- . + =
};

constexpr TColor kEdgeColor = 0xE7E0C7;
constexpr int kGlowMargin = 8;

bool hasPicture(const TCalcButtonItem* Item) { return Item->Image()->Graphic() && !Item->Image()->Graphic()->Empty(); }

ARGB withAlpha(TColor Color, Byte Alpha) {
    const ARGB C = ColorToARGB(Color);
    return ComposeARGB(Alpha, ARGBRed(C), ARGBGreen(C), ARGBBlue(C));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Appearance

TButtonAppearance::TButtonAppearance()
    // The checked colours are 0xF5F0E1 and 0xF9D2B2 darkened by 10 % in red and green, the
    // disabled ones white darkened by 5 %.
    : FColorCheckedTo(0xF9BDA0),
      FColorDisabled(0xF2F2F2),
      FColorDisabledTo(0xF2F2F2),
      FColorChecked(0xF5D8CA),
      FFont(std::make_unique<TFont>()) {
    FFont->SetSize(10);
    FFont->SetStyle({fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::setColor(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
}

void TButtonAppearance::Changed() {
    if (OnChange) FireEvent(OnChange, this);
}

void TButtonAppearance::SetFont(TFont* Value) { FFont->Assign(Value); }

void TButtonAppearance::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TButtonAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(S->FBorderColor);
    SetBorderColorHot(S->FBorderColorHot);
    SetBorderColorDown(S->FBorderColorDown);
    SetBorderColorChecked(S->FBorderColorChecked);
    SetColor(S->FColor);
    SetColorTo(S->FColorTo);
    SetColorDown(S->FColorDown);
    SetColorDownTo(S->FColorDownTo);
    SetColorHot(S->FColorHot);
    SetColorHotTo(S->FColorHotTo);
    SetColorCheckedTo(S->FColorCheckedTo);
    SetColorDisabled(S->FColorDisabled);
    SetColorDisabledTo(S->FColorDisabledTo);
    SetColorChecked(S->FColorChecked);
    SetShineColor(S->FShineColor);
    SetTextColor(S->FTextColor);
    SetSpecialTextColor(S->FSpecialTextColor);
    FGlowColorHot = S->FGlowColorHot;
    FGlowColorDown = S->FGlowColorDown;
    FFont->Assign(S->FFont.get());
}

// ---------------------------------------------------------------------------------------------
// Buttons

TCalcButtonItem::TCalcButtonItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>()) {}

TCalcButtonItem::~TCalcButtonItem() = default;

void TCalcButtonItem::SetCaption(const String& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

void TCalcButtonItem::SetImage(TPicture* Value) { FImage->Assign(Value); }

void TCalcButtonItem::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

void TCalcButtonItem::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TCalcButtonItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = S->FCaption;
    FCaptionColor = S->FCaptionColor;
    FTag = S->FTag;
    FImageIndex = S->FImageIndex;
    FImage->Assign(S->FImage.get());
    FEnabled = S->FEnabled;
    FName = S->FName;
}

TCalcButtonItems::TCalcButtonItems(TPersistent* AOwner)
    : TCollection(CollectionItemClass<TCalcButtonItem>()), FMyOwner(AOwner) {}

void TCalcButtonItems::Update(TCollectionItem*) {
    if (OnChange) FireEvent(OnChange, this);
}

// ---------------------------------------------------------------------------------------------
// The panel

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButtons(std::make_unique<TCalcButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>()) {
    SetDoubleBuffered(true);
    FIsWinXP = IsWinXPOrLater();
    FButtons->OnChange = [this](TObject* Sender) { changedAlone(Sender); };
    FButtonAppearance->OnChange = [this](TObject* Sender) { changedAlone(Sender); };
}

TCustomButtonPanel::~TCustomButtonPanel() {
    FButtons->OnChange = nullptr;
    FButtonAppearance->OnChange = nullptr;
}

// A hosted panel is repainted by its popup; one on its own repaints itself.
void TCustomButtonPanel::changedAlone(TObject*) {
    if (!FAdvDropDown) Invalidate();
}

void TCustomButtonPanel::Loaded() {
    TCustomControl::Loaded();
    if (!FAdvDropDown) InitButtons();
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove || ComponentState().Contains(csDestroying)) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FEdit) FEdit = nullptr;
}

void TCustomButtonPanel::SetImages(TCustomImageList* Value) {
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    UpdateButtonLayout();
}

void TCustomButtonPanel::SetEdit(TWinControl* Value) {
    if (FEdit) FEdit->RemoveFreeNotification(this);
    FEdit = Value;
    if (FEdit) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value) {
    FButtonPanelType = Value;
    UpdateButtonLayout();
}

void TCustomButtonPanel::ClearButtons() { FButtons->Clear(); }

void TCustomButtonPanel::ResetButtons() {
    ClearButtons();
    InitButtons();
}

void TCustomButtonPanel::addDefaultButtons() {
    for (const TDefaultButton& D : kDefaultButtons) {
        TCalcButtonItem* Item = FButtons->Add();
        Item->SetCaption(QString::fromLatin1(D.Caption));
        Item->SetName(QString::fromLatin1(D.Name));
        Item->SetTag(D.Code);
        Item->SetSpecial(D.Special);
        if (D.Special) Item->SetCaptionColor(0x000080);
    }
}

void TCustomButtonPanel::InitButtons() {
    if (FButtons->Count() == 0 && FButtonPanelType == plCalculator) addDefaultButtons();
    UpdateButtonLayout();
}

void TCustomButtonPanel::GetButtonArea(TRect& R) {
    R = ClientRect();
    R.Left += FOffSetX;
    R.Top += FOffSetY;
    R.Right -= FOffSetX;
    R.Bottom -= FOffSetY;
}

void TCustomButtonPanel::UpdateButtonLayout() {
    if (FButtons->Count() == 0 || FButtonPanelType == plCustom) return;
    TRect A;
    GetButtonArea(A);
    const int W = (A.Width() - 8) / 6;
    const int H = (A.Height() - 4) / 5;
    // A 4-pixel gap between the groups; neighbours inside a group share their border pixel.
    std::array<int, 6> Col{};
    Col[0] = A.Left;
    Col[1] = Col[0] + W + 4;
    Col[2] = Col[1] + W - 1;
    Col[3] = Col[2] + W - 1;
    Col[4] = Col[3] + W + 4;
    Col[5] = Col[4] + W - 1;
    std::array<int, 5> Row{};
    Row[0] = A.Top;
    Row[1] = Row[0] + H + 4;
    for (int R = 2; R < 5; ++R) Row[R] = Row[R - 1] + H - 1;

    auto place = [this](int Index, int X, int Y, int Width, int Height) {
        if (validIndex(Index)) FButtons->Items(Index)->SetBounds(X, Y, Width, Height);
    };
    for (int R = 0; R < 4; ++R)
        for (int C = 0; C < 6; ++C) place(kGrid[R][C], Col[C], Row[R + 1], W, H);
    const int E = Col[5] + W;
    const int BackLeft = Col[0] + W + 4;
    const int B = (E - BackLeft - 8) / 3;
    place(0, Col[0], Row[0], W, H);
    place(1, BackLeft, Row[0], B, H);
    place(2, BackLeft + B + 4, Row[0], B, H);
    place(3, BackLeft + 2 * (B + 4), Row[0], E - (BackLeft + 2 * (B + 4)), H);
}

TRect TCustomButtonPanel::GetButtonRect(int Index) const {
    if (!validIndex(Index)) return Rect(-1, -1, -1, -1);
    return FButtons->Items(Index)->GetRect();
}

int TCustomButtonPanel::ButtonAtPos(int X, int Y) const {
    for (int I = 0; I < FButtons->Count(); ++I)
        if (PtInRect(FButtons->Items(I)->GetRect(), Point(X, Y))) return I;
    return -1;
}

void TCustomButtonPanel::InvalidateButton(int Index) {
    if (!validIndex(Index) || !HandleAllocated()) return;
    TRect R = GetButtonRect(Index);
    R = Rect(R.Left - kGlowMargin, R.Top - kGlowMargin, R.Right + kGlowMargin, R.Bottom + kGlowMargin);
    InvalidateRect(Handle(), &R, true);
}

void TCustomButtonPanel::ButtonClick(int Index) {
    if (OnButtonClick) FireEvent(OnButtonClick, this, Index);
}

void TCustomButtonPanel::SetButtonHot(int Index) {
    if (Index == FButtonHot || disabledButton(Index)) return;
    if (FButtonHot >= 0) {
        const int Old = FButtonHot;
        FButtonHot = -1;
        InvalidateButton(Old);
    }
    FButtonHot = Index;
    if (validIndex(Index)) DrawButton(Index, Canvas());
}

void TCustomButtonPanel::SetButtonDown(int Index) {
    if (Index == FButtonDown || disabledButton(Index)) return;
    if (FButtonDown >= 0) {
        const int Old = FButtonDown;
        FButtonDown = -1;
        InvalidateButton(Old);
    }
    FButtonDown = Index;
    if (validIndex(Index)) DrawButton(Index, Canvas());
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!Self) return;
    const int Index = ButtonAtPos(X, Y);
    if (validIndex(Index) && FButtons->Items(Index)->Enabled()) SetButtonDown(Index);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseMove(Shift, X, Y);
    if (!Self) return;
    const int Index = ButtonAtPos(X, Y);
    SetButtonHot(disabledButton(Index) ? -1 : Index);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const TWeak<TControl> Self(this);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!Self || FButtonDown < 0) return;
    const int Pressed = FButtonDown;
    SetButtonDown(-1);
    if (ButtonAtPos(X, Y) == Pressed) ButtonClick(Pressed);
}

void TCustomButtonPanel::Dispatch(TMessage& Message) {
    const TWeak<TControl> Self(this);
    TCustomControl::Dispatch(Message);
    if (!Self) return;
    if (Message.Msg == WM_SIZE) UpdateButtonLayout();
    if (Message.Msg == CM_MOUSELEAVE) SetButtonHot(-1);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TCustomButtonPanel::Paint() {
    TCustomControl::Paint();
    TCanvas* C = Canvas();
    if (!FAdvDropDown) {
        C->Pen()->SetColor(clBlack);
        C->Brush()->SetStyle(bsClear);
        const TRect R = ClientRect();
        C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    }
    // The hot button last, so that its glow lies over its neighbours.
    for (int I = 0; I < FButtons->Count(); ++I)
        if (I != FButtonHot) DrawButton(I, C);
    if (validIndex(FButtonHot)) DrawButton(FButtonHot, C);
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* ACanvas) {
    if (!validIndex(Index) || !ACanvas) return;
    const TRect R = GetButtonRect(Index);
    if (R.Left < 0 && R.Right < 0) return;
    const TButtonAppearance* A = FButtonAppearance.get();
    TColor Border = A->BorderColor(), Color = A->Color(), ColorTo = A->ColorTo(), Glow = clNone;
    if (Index == FButtonDown) {
        Border = A->BorderColorDown();
        Color = A->ColorDown();
        ColorTo = A->ColorDownTo();
        Glow = A->GlowColorDown();
    } else if (Index == FButtonHot) {
        Border = A->BorderColorHot();
        Color = A->ColorHot();
        ColorTo = A->ColorHotTo();
        Glow = A->GlowColorHot();
    }
    DrawGlowButton(ACanvas, R, Border, kEdgeColor, Color, ColorTo, Glow, A->ShineColor());
    const TRect Content =
        Rect(R.Left + FButtonOffSetX, R.Top + FButtonOffSetY, R.Right - FButtonOffSetX, R.Bottom - FButtonOffSetY);
    drawButtonContent(FButtons->Items(Index), ACanvas, Content);
}

void TCustomButtonPanel::drawButtonContent(TCalcButtonItem* Item, TCanvas* C, TRect CR) {
    const bool Picture = hasPicture(Item);
    const bool ListImage = !Picture && FImages && Item->ImageIndex() >= 0;
    int IW = 0, IH = 0;
    if (Picture) {
        IW = Item->Image()->Width();
        IH = Item->Image()->Height();
    } else if (ListImage) {
        IW = FImages->Width();
        IH = FImages->Height();
    }
    const TButtonAppearance* A = FButtonAppearance.get();
    C->Font()->Assign(A->Font());
    C->Font()->SetColor(Item->Special() ? A->SpecialTextColor() : A->TextColor());
    C->Brush()->SetStyle(bsClear);
    const bool Centred = (IW == 0 && IH == 0) || FButtonLayout == ilCaptionTop || FButtonLayout == ilCaptionBottom;
    const UINT Flags = DT_SINGLELINE | DT_VCENTER | (Centred ? DT_CENTER : DT_LEFT);
    const String& Caption = Item->Caption();
    auto drawImage = [&](int X, int Y) {
        if (Picture)
            C->Draw(X, Y, Item->Image()->Graphic());
        else if (ListImage)
            FImages->Draw(C, X, Y, Item->ImageIndex(), Item->Enabled());
    };
    auto drawCaption = [&](TRect R) { DrawText(C->Handle(), Caption, -1, R, Flags); };
    int Y = CR.Top + (CR.Height() - IH) / 2;
    switch (FButtonLayout) {
        case ilCaptionLeft: {
            int X = CR.Left;
            if (!Caption.isEmpty()) {
                CR.Right -= IW;
                drawCaption(CR);
                X = CR.Left + C->TextWidth(Caption) + FCaptionGap;
            }
            drawImage(X, Y);
            break;
        }
        case ilCaptionRight:
            drawImage(CR.Left, Y);
            CR.Left += IW + FCaptionGap;
            drawCaption(CR);
            break;
        case ilCaptionTop:
            if (!Caption.isEmpty()) {
                CR.Bottom -= IH;
                drawCaption(CR);
                Y = CR.Top + C->TextHeight(Caption) + FCaptionGap;
            }
            drawImage(CR.Left, Y);
            break;
        case ilCaptionBottom: {
            const int ImageTop = Caption.isEmpty() ? Y : CR.Top;
            drawImage(CR.Left, ImageTop);
            CR.Top = ImageTop + IH + FCaptionGap;
            drawCaption(CR);
            break;
        }
    }
}

void TCustomButtonPanel::GetButtonSize(int& W, int& H) {
    int IW = 0, IH = 0, CW = 0, CH = 0;
    Canvas()->Font()->Assign(Font());
    for (int I = 0; I < FButtons->Count(); ++I) {
        const TCalcButtonItem* Item = FButtons->Items(I);
        if (hasPicture(Item)) {
            IW = std::max(IW, Item->Image()->Width());
            IH = std::max(IH, Item->Image()->Height());
        } else if (FImages && Item->ImageIndex() >= 0) {
            IW = std::max(IW, FImages->Width());
            IH = std::max(IH, FImages->Height());
        }
        CW = std::max(CW, Canvas()->TextWidth(Item->Caption()));
        CH = std::max(CH, Canvas()->TextHeight(Item->Caption()));
    }
    const bool Both = (IW > 0 || IH > 0) && CW > 0;
    if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
        W = 2 * FButtonOffSetX + std::max(IW, 0) + (Both ? FCaptionGap : 0) + CW;
        H = std::max(IH, CH) + 2 * FButtonOffSetY;
    } else {
        W = std::max(IW, CW) + 2 * FButtonOffSetX;
        H = 2 * FButtonOffSetY + std::max(IH, 0) + (Both ? FCaptionGap : 0) + CH;
    }
}

void DrawGlowButton(TCanvas* Canvas, const TRect& R, TColor BorderColor, TColor EdgeColor, TColor Color, TColor ColorTo,
                    TColor GlowColor, TColor ShineColor) {
    TGPGraphics G(Canvas->Handle());
    G.SetSmoothingMode(4);
    const float L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const float W = Rt - L;
    const float M = R.Top + (R.Bottom - R.Top) / 2;

    TGPLinearGradientBrush Lower(MakeGPRectF(L, M, W - 1, B - M), ColorToARGB(Color), ColorToARGB(ColorTo),
                                 LinearGradientModeVertical);
    G.FillRectangle(&Lower, L, M, W - 1, B - M - 1);
    TGPSolidBrush Upper(ColorToARGB(Color));
    G.FillRectangle(&Upper, L, T, W - 1, M - T);
    TGPLinearGradientBrush Shine(MakeGPRectF(L, T, W - 1, M - T), withAlpha(ShineColor, 160), withAlpha(ShineColor, 90),
                                 LinearGradientModeVertical);
    G.FillRectangle(&Shine, L, T, W - 1, M - T);

    TGPPen White(ComposeRGB(255, 255, 255), 1);
    G.DrawLine(&White, L, T + 1, Rt, T + 1);
    TGPPen Edge(ColorToARGB(EdgeColor), 1);
    G.DrawLine(&Edge, L + 1, T + 2, L + 1, B - 2);
    G.DrawLine(&Edge, L + 1, B - 2, Rt - 1, B - 2);
    G.DrawLine(&Edge, Rt - 1, B - 2, Rt - 1, T + 1);
    TGPPen Border(ColorToARGB(BorderColor), 1);
    G.DrawRectangle(&Border, L, T, W, B - T - 1);
    if (GlowColor == clNone) return;

    TGPPen GlowPen(withAlpha(GlowColor, 100), 1);
    G.DrawRectangle(&GlowPen, L, T, W, B - T - 1);
    const ARGB Near = withAlpha(GlowColor, 130), Far = withAlpha(GlowColor, 0);
    // An area filled from the side touching the button (P1) to the far side (P2).
    auto halo = [&](float X1, float Y1, float X2, float Y2, TGPPointF P1, TGPPointF P2) {
        TGPLinearGradientBrush Brush(P1, P2, Near, Far);
        G.FillRectangle(&Brush, std::min(X1, X2), std::min(Y1, Y2), std::abs(X2 - X1), std::abs(Y2 - Y1));
    };
    halo(L - 8, T, L, B, MakeGPPointF(L, T), MakeGPPointF(L - 8, T));
    halo(Rt - 1, T, Rt + 8, B, MakeGPPointF(Rt - 1, T), MakeGPPointF(Rt + 8, T));
    halo(L, T - 8, Rt, T, MakeGPPointF(L, T), MakeGPPointF(L, T - 8));
    halo(L, B - 1, Rt, B + 7, MakeGPPointF(L, B - 1), MakeGPPointF(L, B + 7));
    halo(L - 6, B - 1, L, B + 5, MakeGPPointF(L, B - 1), MakeGPPointF(L - 6, B + 5));
    halo(Rt, B, Rt + 5, B + 5, MakeGPPointF(Rt, B), MakeGPPointF(Rt + 5, B + 5));
    halo(L - 6, T - 6, L, T, MakeGPPointF(L, T), MakeGPPointF(L - 6, T - 6));
    halo(Rt, T - 6, Rt + 5, T, MakeGPPointF(Rt, T), MakeGPPointF(Rt + 5, T - 6));
}
