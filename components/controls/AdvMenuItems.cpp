#include "components/controls/AdvMenuItems.h"

#include "components/controls/AdvMenuSideBar.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/ImgList.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace advmenu;

namespace {

const String cNotesBreak = QStringLiteral("\\n");
const String cWinPrefix = QStringLiteral("Win+");
bool gMiddleEast = false;
TKeyNameProvider gKeyNames;

TCustomAdvMenuStyler* stylerOf(TMenuItem* Item, IAdvMenu** Intf = nullptr) {
    IAdvMenu* I = Item ? GetAdvMenuIntf(Item->GetParentMenu()) : nullptr;
    if (Intf) *Intf = I;
    return I ? I->CurrentMenuStyler() : nullptr;
}

bool isAdvPopup(TMenu* Menu) { return dynamic_cast<TPopupMenu*>(Menu) && GetAdvMenuIntf(Menu); }

bool isTopLevel(TMenuItem* Item) { return Item && Item->Parent() && !Item->Parent()->Parent(); }

TRect unionRect(const TRect& A, const TRect& B) {
    if (A.IsEmpty()) return B;
    if (B.IsEmpty()) return A;
    return Rect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                std::max(A.Bottom, B.Bottom));
}

bool hasBitmap(TMenuItem* Item) { return Item->HasBitmap() && !Item->Bitmap()->Empty(); }

void useScreenFontOr(TCanvas* Canvas, bool UseSystemFont, TFont* Font) {
    if (UseSystemFont) {
        TFont F;
        AssignScreenMenuFont(&F);
        Canvas->SetFont(&F);
    } else {
        Canvas->SetFont(Font);
    }
}

TColor disabledColor(TOwnerDrawState State) {
    if (State.Contains(odSelected) && ColorToRGB(clHighlight) == ColorToRGB(clBtnShadow)) return clBtnHighlight;
    return clBtnShadow;
}

TBiDiMode bidiOf(TMenuItem* Item) {
    IAdvMenuWindow* W = GetAdvMenuWindow(Item);
    return W ? W->BiDiMode() : bdLeftToRight;
}

TCustomImageList* disabledImagesOf(TMenuItem* Item) {
    IAdvMenuWindow* W = GetAdvMenuWindow(Item);
    return W ? W->DisabledImages() : nullptr;
}

// GDI+ text in one rectangle with the canvas font's name and size, regular style.
void drawGdipString(TCanvas* Canvas, const String& Text, TFont* Font, TColor Color, const TRect& R, TAntiAlias AA,
                    bool Centre, int HAlign) {
    TGPGraphics G(Canvas->Handle());
    G.SetTextRenderingHint(AA == aaClearType ? TextRenderingHintClearTypeGridFit : TextRenderingHintAntiAlias);
    TGPFont F(Font->Name(), static_cast<float>(Font->Size()));
    TGPStringFormat SF(StringFormatFlagsNoWrap);
    SF.SetHotkeyPrefix(HotkeyPrefixShow);
    if (Centre) SF.SetLineAlignment(StringAlignmentCenter);
    if (HAlign >= 0) SF.SetAlignment(static_cast<StringAlignment>(HAlign));
    TGPSolidBrush B(ColorToARGB(Color));
    G.DrawString(Text, static_cast<int>(Text.size()), &F,
                 MakeGPRectF(static_cast<float>(R.Left), static_cast<float>(R.Top), static_cast<float>(RectWidth(R)),
                             static_cast<float>(RectHeight(R))),
                 &SF, &B);
}

int gdipLineHeight(TCanvas* Canvas, TFont* Font) {
    TGPGraphics G(Canvas->Handle());
    TGPFont F(Font->Name(), static_cast<float>(Font->Size()));
    TGPRectF Box{};
    G.MeasureString(QStringLiteral("gh"), 2, &F, MakeGPRectF(0, 0, 10000, 10000), nullptr, Box);
    return static_cast<int>(std::lround(Box.Height));
}

void drawCheckGlyph(TMenuItem* Item, TCanvas* Canvas, TCustomAdvMenuStyler* S, TOwnerDrawState State, const TRect& R,
                    const TRect& K) {
    const bool Sel = State.Contains(odSelected);
    const bool Fill = !State.Contains(odDisabled);
    TIconBar* IB = S->IconBar();
    TSelectedItem* SI = S->SelectedItem();
    TBitmap Glyph;
    if (Item->RadioItem()) {
        if (Sel)
            MenuGradientBox(nullptr, Canvas, K, Fill, SI->RadioBorder(), SI->RadioGradientDirection(), SI->RadioColor(),
                            SI->RadioColorTo());
        else
            MenuGradientBox(nullptr, Canvas, K, Fill, IB->RadioBorder(), IB->RadioGradientDirection(), IB->RadioColor(),
                            IB->RadioColorTo());
        Glyph.Assign(S->Glyphs()->Radio());
    } else {
        if (Sel)
            MenuGradientBox(nullptr, Canvas, K, Fill, SI->CheckBorder(), SI->CheckGradientDirection(), SI->CheckColor(),
                            SI->CheckColorTo());
        else
            MenuGradientBox(nullptr, Canvas, K, Fill, IB->CheckBorder(), IB->CheckGradientDirection(), IB->CheckColor(),
                            IB->CheckColorTo());
        Glyph.Assign(S->Glyphs()->Check());
    }
    if (Sel && SI->BorderColor() != clNone) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(SI->BorderColor());
        Canvas->FrameRect(R);
    }
    if (Glyph.Empty()) return;
    TRect G = K;
    CenterRectSize(G, Glyph.Width(), Glyph.Height());
    const TColor Old = Canvas->Font()->Color();
    Canvas->Font()->SetColor(clBtnText);
    Glyph.SetTransparent(true);
    Canvas->Draw(G.Left, G.Top, &Glyph);
    Canvas->Font()->SetColor(Old);
}

void drawSubMenuArrow(TMenuItem* Item, TCanvas* Canvas, TCustomAdvMenuStyler* S, const TRect& R,
                      TPopupAlignment Align) {
    if (MenuMiddleEastLocale() && bidiOf(Item) == bdRightToLeft) return;
    TBitmap* Arrow = S->Glyphs()->SubMenu();
    if (!Arrow || Arrow->Empty()) return;
    const int Y0 = (R.Top + R.Bottom - 5) / 2;
    TRect Box =
        Align == paRight ? Rect(R.Left + 5, Y0, R.Left + 8, Y0 + 6) : Rect(R.Right - 8, Y0, R.Right - 5, Y0 + 6);
    CenterRectSize(Box, Arrow->Width(), Arrow->Height());
    const TColor Old = Canvas->Font()->Color();
    Canvas->Font()->SetColor(clBlack);
    TBitmap Copy;
    Copy.Assign(Arrow);
    // The arrow is drawn where it is not white: its corner pixel is part of the arrow.
    Copy.SetTransparentColor(clWhite);
    Copy.SetTransparent(true);
    Canvas->Draw(Box.Left, Box.Top, &Copy);
    Canvas->Font()->SetColor(Old);
}

void drawSeparator(TCanvas* Canvas, TCustomAdvMenuStyler* S, TRect R) {
    TSeparator* Sep = S->Separator();
    R.Left += S->IconBar()->Size();
    const int Y = R.Top + RectHeight(R) / 2;
    const TRect Line = Rect(R.Left, Y - Sep->Width() / 2, R.Right, Y + (Sep->Width() + 1) / 2);
    MenuGradientLine(nullptr, Canvas, Line, Sep->Color(), Sep->ColorTo(), Sep->GradientDirection(), Sep->GradientType(),
                     Sep->GradientWidth(), Sep->Margin());
}

void drawBody(TMenuItem* Item, TCanvas* Canvas, IAdvMenu* Intf, TCustomAdvMenuStyler* S, TOwnerDrawState State,
              TRect R) {
    TSelectedItem* SI = S->SelectedItem();
    TIconBar* IB = S->IconBar();
    if (State.Contains(odSelected))
        MenuMirrorGradientBox(nullptr, Canvas, R, true, SI->BorderColor(), SI->GradientDirection(), SI->Color(),
                              SI->ColorTo(), SI->ColorMirror(), SI->ColorMirrorTo());
    auto* PM = dynamic_cast<TPopupMenu*>(Item->GetParentMenu());
    const TPopupAlignment Align = PM ? PM->Alignment() : paLeft;

    TRect K = Rect(R.Left, R.Top + 1, R.Left + IB->Size(), R.Bottom - 1);
    const int Side = std::min(RectWidth(K), RectHeight(K));
    CenterRectSize(K, Side, Side);

    TCustomImageList* Images = MenuItemImages(Item);
    const int Index = Item->ImageIndex();
    const bool HasImage = Images && Index >= 0 && Index < Images->Count();
    const bool HasBmp = hasBitmap(Item) && !HasImage;
    const bool DrawCheck = Item->Checked() && !HasImage && !HasBmp;
    if (HasImage || HasBmp || DrawCheck) {
        TCustomImageList* Disabled = disabledImagesOf(Item);
        TCustomImageList* L = (!Item->Enabled() && Disabled) ? Disabled : Images;
        if (Item->Checked()) {
            if (State.Contains(odSelected))
                MenuGradientBox(nullptr, Canvas, K, !State.Contains(odDisabled), SI->CheckBorder(),
                                SI->CheckGradientDirection(), SI->CheckColor(), SI->CheckColorTo());
            else
                MenuGradientBox(nullptr, Canvas, K, !State.Contains(odDisabled), IB->CheckBorder(),
                                IB->CheckGradientDirection(), IB->CheckColor(), IB->CheckColorTo());
        }
        if (HasImage && L) {
            TRect G = K;
            CenterRectSize(G, L->Width(), L->Height());
            if (Index < L->Count()) {
                if (Disabled && !Item->Enabled())
                    Disabled->Draw(Canvas, G.Left, G.Top, Index, true);
                else
                    Images->Draw(Canvas, G.Left, G.Top, Index, Item->Enabled());
            }
        } else if (DrawCheck) {
            drawCheckGlyph(Item, Canvas, S, State, R, K);
        } else if (HasBmp) {
            TBitmap Copy;
            Copy.Assign(Item->Bitmap());
            TRect G = K;
            CenterRectSize(G, Copy.Width(), Copy.Height());
            Copy.SetTransparentMode(tmAuto);
            Copy.SetTransparent(true);
            Canvas->Draw(G.Left, G.Top, &Copy);
        }
    }
    if (Item->Count() > 0) drawSubMenuArrow(Item, Canvas, S, R, Align);

    R.Left += IB->Size() + 8;
    UINT Format = (Align == paRight    ? DT_RIGHT
                   : Align == paCenter ? DT_CENTER
                                       : DT_LEFT) |
                  DT_SINGLELINE | DT_EXPANDTABS;
    if (State.Contains(odDefault)) {
        TFontStyles St = Canvas->Font()->Style();
        St.Include(fsBold);
        Canvas->Font()->SetStyle(St);
    }
    const TRect S0 = R;
    // A caption without notes lines (none written, or ShowNotes off) is centred vertically.
    if (!(Intf->ShowNotes() && Item->Caption().contains(cNotesBreak))) {
        DrawAdvMenuItemText(Item, Canvas, Item->Caption(), Format | DT_CALCRECT | DT_NOCLIP, State, R);
        const int Dy = (RectHeight(S0) - RectHeight(R)) / 2;
        R.Top += Dy;
        R.Bottom += Dy;
    }
    DrawAdvMenuItemText(Item, Canvas, Item->Caption(), Format, State, R);
    if (Item->ShortCut() != 0) {
        R.Right = S0.Right - 10;
        DrawAdvMenuItemText(Item, Canvas, MenuShortCutText(Item->ShortCut(), Intf->IntlKeybShortCuts()), DT_RIGHT,
                            State, R);
    }
}

}  // namespace

IAdvMenuWindow* GetAdvMenuWindow(TMenuItem* Item) {
    IAdvMenuWindow* W = nullptr;
    if (Item) Supports<IAdvMenuWindow>(Item->GetParentMenu(), &W);
    return W;
}

bool IsMenuBarItem(TMenuItem* Item) {
    TMenu* M = Item ? Item->GetParentMenu() : nullptr;
    return isTopLevel(Item) && M && !dynamic_cast<TPopupMenu*>(M);
}

bool IsRootMenuItem(TMenuItem* Item) {
    TMenu* M = Item ? Item->GetParentMenu() : nullptr;
    return isTopLevel(Item) && M && !isAdvPopup(M);
}

int MenuItemLevel(TMenuItem* Item) {
    int Level = -1;
    for (TMenuItem* P = Item ? Item->Parent() : nullptr; P; P = P->Parent()) ++Level;
    return std::max(Level, 0);
}

TMenuItem* FirstVisibleItem(TMenuItem* Item) {
    if (!Item) return nullptr;
    for (int I = 0; I < Item->Count(); ++I)
        if (Item->Items(I)->Visible()) return Item->Items(I);
    return nullptr;
}

bool IsFirstVisibleItem(TMenuItem* Item) { return Item && Item->Parent() && FirstVisibleItem(Item->Parent()) == Item; }

int VisibleItemIndex(TMenuItem* Item) {
    if (!Item || !Item->Visible() || !Item->Parent()) return -1;
    int N = 0;
    TMenuItem* P = Item->Parent();
    for (int I = 0; I < P->Count(); ++I) {
        if (P->Items(I) == Item) return N;
        if (P->Items(I)->Visible()) ++N;
    }
    return -1;
}

bool FollowsColumnBreak(TMenuItem* Item) {
    if (!Item || !Item->Parent()) return false;
    if (Item->Break()) return true;
    TMenuItem* P = Item->Parent();
    for (int I = 0; I < Item->MenuIndex(); ++I)
        if (P->Items(I)->Visible() && P->Items(I)->Break()) return true;
    return false;
}

TRect MenuItemsBounds(TMenuItem* Item, TCanvas* Canvas) {
    TRect Result = Rect(0, 0, 0, 0);
    IAdvMenuWindow* W = GetAdvMenuWindow(Item);
    if (!W || !Item->Parent()) return Result;
    TMenuItem* P = Item->Parent();
    for (int I = 0; I <= P->Count(); ++I) {
        TRect R;
        if (W->GetMenuItemRect(Canvas, P, I, R)) Result = unionRect(Result, R);
    }
    return Result;
}

TCustomImageList* MenuItemImages(TMenuItem* Item) {
    TMenu* M = Item ? Item->GetParentMenu() : nullptr;
    return M ? M->Images() : nullptr;
}

void MeasureAdvMenuItem(TMenuItem* Item, TCanvas* Canvas, int& Width, bool SideBar, int& Height) {
    IAdvMenu* Intf = nullptr;
    TCustomAdvMenuStyler* S = stylerOf(Item, &Intf);
    if (!S || !Canvas || IsMenuBarItem(Item)) return;
    if (!Item->Visible()) {
        Width = 0;
        Height = 0;
        return;
    }
    if (Item->IsLine()) {
        Height = S->Separator()->Width() + 2;
        Width = -2;
        return;
    }
    Width = S->IconBar()->Size();
    TCustomImageList* Images = MenuItemImages(Item);
    if (Images && Item->ImageIndex() >= 0)
        Height = std::max(Height, Images->Height());
    else if (hasBitmap(Item))
        Height = std::max(Height, Item->Bitmap()->Height());
    else
        Height -= 3;
    Width += 15;
    Height += 2;

    const String& Caption = Item->Caption();
    const bool Notes = Intf->ShowNotes() && Caption.contains(cNotesBreak);
    String Text = Notes ? Caption.left(Caption.indexOf(cNotesBreak)) : Caption;
    if (Item->ShortCut() != 0) Text += MenuShortCutText(Item->ShortCut(), Intf->IntlKeybShortCuts());

    if (!S->UseSystemFont())
        Canvas->SetFont(S->Font());
    else if (!S->SelectedItem()->UseSystemFont())
        Canvas->SetFont(S->SelectedItem()->Font());
    TRect TR = Rect(0, 0, 0, 0);
    DrawText(Canvas->Handle(), Text, -1, TR, DT_CALCRECT | DT_SINGLELINE);
    Width += RectWidth(TR) + 7;
    int T = RectHeight(TR) + 6;
    if (Item->ShortCut() & scWinKey) Width += Canvas->TextWidth(cWinPrefix);
    if (SideBar && !FollowsColumnBreak(Item)) Width += S->SideBar()->Size() + S->SideBar()->SplitterWidth();
    if (Height % 2) Height = (Height + 1) / 2 * 2;
    Width += 17;

    if (Notes) {
        Canvas->SetFont(S->NotesFont());
        const int LH = Canvas->TextHeight(QStringLiteral("gh"));
        const QStringList Parts = Caption.split(cNotesBreak);
        int M = 0;
        for (const String& Part : Parts) M = std::max(M, Canvas->TextWidth(Part));
        T += LH * static_cast<int>(Parts.size() - 1);
        if (M > 0) Width = std::max(Width, M + S->IconBar()->Size() + 25);
    }
    Height = std::max(Height, T);
}

void DrawAdvMenuItem(TMenuItem* Item, TCanvas* Canvas, const TRect& Rect, bool SideBar, TOwnerDrawState State) {
    TCustomAdvMenuStyler* S = stylerOf(Item);
    if (!S || !Canvas) return;
    int Extra = 0;
    if (auto* PM = dynamic_cast<TPopupMenu*>(Item->Owner())) {
        TMenuItem* Root = PM->Items();
        if (Item->Parent() == Root && Root->Count() > 0 && Root->Items(Root->Count() - 1) == Item)
            Extra = RectHeight(Rect);
    }
    TSideBar* SB = S->SideBar();
    const bool Reserve = SideBar && !FollowsColumnBreak(Item);
    TRect IR = Rect;
    if (Reserve) {
        const int W = SB->Size() + SB->SplitterWidth();
        IR.Left = Rect.Left + W;
        if (SB->Position() == spRight) {
            IR.Left -= W;
            IR.Right -= W;
        }
    }
    // Menu-bar items are painted by the menu bar itself.
    if (IsMenuBarItem(Item)) return;

    TRect A = MenuItemsBounds(Item, Canvas);
    if (A.IsEmpty()) {
        A = Rect;  // no window geometry: the item stands alone
    } else {
        A = ::Rect(0, 0, RectWidth(A) - 17, RectHeight(A));
    }
    if (Reserve && IsFirstVisibleItem(Item)) DrawSideBar(SB, Canvas, A);

    TIconBar* IB = S->IconBar();
    const TRect C = ::Rect(IR.Left, A.Top, IR.Left + IB->Size(), A.Bottom);
    MenuGradientSection(nullptr, Canvas, C, IR, IB->Color(), IB->ColorTo(), IB->GradientDirection());
    if (IB->SeparatorColor() != clNone) {
        Canvas->Pen()->SetColor(IB->SeparatorColor());
        Canvas->MoveTo(C.Right - 1, C.Top);
        Canvas->LineTo(C.Right - 1, C.Bottom);
    }

    TBackground* BG = S->Background();
    TRect B = IR;
    B.Left = C.Right;
    TRect BF = ::Rect(C.Right, A.Top, IR.Right, A.Bottom);
    if (BG->MarginX() > 0 || BG->MarginY() > 0) {
        if (BG->Color() != clNone) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(BG->Color());
            Canvas->FillRect(B);
        }
        B = ::Rect(B.Left + BG->MarginX(), B.Top + BG->MarginY(), B.Right - BG->MarginX(), B.Bottom - BG->MarginY());
    }
    B.Bottom += Extra;
    BF.Bottom += Extra;
    MenuGradientSection(nullptr, Canvas, BF, B, BG->Color(), BG->ColorTo(), BG->GradientDirection());
    if (BG->HasPicture() && !A.IsEmpty()) {
        TBitmap* Cache = S->RenderedBackground(RectWidth(A), RectHeight(A));
        const TRect Src = ::Rect(B.Left - A.Left, B.Top - A.Top, B.Right - A.Left, B.Bottom - A.Top);
        Canvas->CopyRect(B, Cache->Canvas(), Src);
    }

    DrawAdvMenuItemContent(Item, Canvas, State, IR);
    if (IAdvMenuWindow* W = GetAdvMenuWindow(Item)) W->AdjustMenuWindow(Item, Canvas);
}

void DrawAdvMenuItemContent(TMenuItem* Item, TCanvas* Canvas, TOwnerDrawState State, const TRect& Rect) {
    IAdvMenu* Intf = nullptr;
    TCustomAdvMenuStyler* S = stylerOf(Item, &Intf);
    if (!S || !Canvas) return;
    if (Item->IsLine())
        drawSeparator(Canvas, S, Rect);
    else if (!IsMenuBarItem(Item))
        drawBody(Item, Canvas, Intf, S, State, Rect);
}

void DrawAdvMenuItemText(TMenuItem* Item, TCanvas* Canvas, const String& Text, UINT Format, TOwnerDrawState State,
                         TRect& Rect) {
    IAdvMenu* Intf = nullptr;
    TCustomAdvMenuStyler* S = stylerOf(Item, &Intf);
    if (!S || !Canvas) return;
    if (bidiOf(Item) == bdRightToLeft) Format |= DT_RIGHT | DT_RTLREADING;
    String T = Text;
    if ((Format & DT_CALCRECT) && (T.isEmpty() || T == QStringLiteral("&"))) T += QLatin1Char(' ');

    Canvas->Brush()->SetStyle(bsClear);
    const bool Root = IsRootMenuItem(Item);
    const bool Sel = State.Contains(odSelected);
    if (Root) {
        useScreenFontOr(Canvas, S->RootItem()->UseSystemFont(), S->RootItem()->Font());
        if (Sel && S->RootItem()->SelectedTextColor() != clNone)
            Canvas->Font()->SetColor(S->RootItem()->SelectedTextColor());
        else if (State.Contains(odHotLight) && S->RootItem()->HoverTextColor() != clNone)
            Canvas->Font()->SetColor(S->RootItem()->HoverTextColor());
    } else if (Sel) {
        useScreenFontOr(Canvas, S->SelectedItem()->UseSystemFont(), S->SelectedItem()->Font());
    } else {
        useScreenFontOr(Canvas, S->UseSystemFont(), S->Font());
    }
    if (Item->Default()) {
        TFontStyles St = Canvas->Font()->Style();
        St.Include(fsBold);
        Canvas->Font()->SetStyle(St);
    }
    const bool Enabled = Item->Enabled();
    const TColor Dis = disabledColor(State);
    auto applyDisabled = [&] {
        if (!Enabled) Canvas->Font()->SetColor(Dis);
    };
    const bool Notes = Intf->ShowNotes() && T.contains(cNotesBreak);
    const TAntiAlias AA = S->AntiAlias();

    if (!Notes) {
        applyDisabled();
        if (AA == aaNone) {
            DrawText(Canvas->Handle(), T, -1, Rect, Format);
        } else if (!(Format & DT_CALCRECT)) {
            const int HAlign = Root                  ? StringAlignmentCenter
                               : (Format & DT_RIGHT) ? StringAlignmentFar
                                                     : StringAlignmentNear;
            drawGdipString(Canvas, T, Canvas->Font(), Canvas->Font()->Color(), Rect, AA, true, HAlign);
        }
        return;
    }
    if (Format & DT_CALCRECT) return;

    const QStringList Parts = T.split(cNotesBreak);
    TFont* NotesFont = Sel ? S->SelectedItem()->NotesFont() : S->NotesFont();
    if (AA != aaNone) {
        const TColor TextColor = Enabled ? Canvas->Font()->Color() : Dis;
        drawGdipString(Canvas, Parts[0], Canvas->Font(), TextColor, Rect, AA, false, -1);
        const TColor NotesColor = Enabled ? NotesFont->Color() : Dis;
        TRect NR = Rect;
        NR.Top += 20;
        const int LH = gdipLineHeight(Canvas, NotesFont);
        for (int I = 1; I < Parts.size(); ++I) {
            drawGdipString(Canvas, Parts[I], NotesFont, NotesColor, NR, AA, false, -1);
            NR.Top += LH;
        }
        return;
    }
    applyDisabled();
    TRect FR = Rect;
    DrawText(Canvas->Handle(), Parts[0], -1, FR, DT_SINGLELINE);
    TRect NR = Rect;
    NR.Top += Canvas->TextHeight(QStringLiteral("gh"));
    Canvas->SetFont(NotesFont);
    applyDisabled();
    const int LH = Canvas->TextHeight(QStringLiteral("gh"));
    for (int I = 1; I < Parts.size(); ++I) {
        TRect LR = NR;
        DrawText(Canvas->Handle(), Parts[I], -1, LR, DT_SINGLELINE);
        NR.Top += LH;
    }
}

String CapitalizeKeyName(const String& Text) {
    if (Text.isEmpty()) return Text;
    String R = Text.left(1) + Text.mid(1).toLower();
    const int P = static_cast<int>(R.indexOf(QLatin1Char('(')));
    if (P >= 0 && P + 1 < R.size()) R[P + 1] = R[P + 1].toUpper();
    return R;
}

TKeyNameProvider SetKeyNameProvider(TKeyNameProvider Provider) {
    TKeyNameProvider Old = std::move(gKeyNames);
    gKeyNames = std::move(Provider);
    return Old;
}

String VirtualKeyName(Word Key) {
    if (gKeyNames) return gKeyNames(Key).left(255);
    switch (Key) {
        case 0x10:
            return QStringLiteral("SHIFT");
        case 0x11:
            return QStringLiteral("CTRL");
        case 0x12:
            return QStringLiteral("ALT");
        default:
            break;
    }
    return ShortCutToText(static_cast<TShortCut>(Key)).left(255);
}

String MenuShortCutText(TShortCut ShortCut, bool International) {
    const TShortCut Plain = static_cast<TShortCut>(ShortCut & ~scWinKey);
    if (!International) {
        String T = ShortCutToText(Plain);
        return (ShortCut & scWinKey) ? cWinPrefix + T : T;
    }
    const Word K = ShortCut & 0xFF;
    String T =
        (K >= 112 && K <= 135) ? QStringLiteral("F") + String::number(K - 111) : CapitalizeKeyName(VirtualKeyName(K));
    if (ShortCut & scShift) T = CapitalizeKeyName(VirtualKeyName(0x10)) + QLatin1Char('+') + T;
    if (ShortCut & scCtrl) T = CapitalizeKeyName(VirtualKeyName(0x11)) + QLatin1Char('+') + T;
    if (ShortCut & scAlt) T = CapitalizeKeyName(VirtualKeyName(0x12)) + QLatin1Char('+') + T;
    return T;
}

bool MenuMiddleEastLocale() { return gMiddleEast; }
void SetMenuMiddleEastLocale(bool Value) { gMiddleEast = Value; }
