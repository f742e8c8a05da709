#include "components/dropdowns/AdvMultiColumnDropDown.h"

#include "framework/rtl/StrUtils.h"
#include "framework/rtl/StringList.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/PlatformFacts.h"
#include "framework/ui/WindowFunctions.h"

#include <algorithm>
#include <cmath>

using namespace advdropdown;

namespace {

// "Unchanged" in the style table.
constexpr TColor kKeep = TColor(0x2FFFFFFF);
constexpr TColor kHighlight = clHighlight;

struct TStyleLook {
    TColor Header, HeaderTo, HeaderFont;
    int SelectionStyle;  // -1: unchanged
    TColor Lines, HeaderLines;
    TColor Selection;  // kKeep: the selection style's
    TColor SelectedText;
};
// Header, header to, header font, selection style, lines, header lines, selection, selected text.
constexpr TStyleLook kStyleLooks[24] = {
    /* tsOffice2003Blue */ {0xD68759, 0x933803, 0xFFFFFF, scOffice2007, 0x962D00, 0x962D00, kKeep, 0x000000},
    /* tsOffice2003Silver */ {0xBDA4A5, 0x957475, kKeep, scOffice2007, 0x947C7C, 0x947C7C, kKeep, 0x000000},
    /* tsOffice2003Olive */ {0x82C0AF, 0x447A63, kKeep, scOffice2007, 0x588060, 0x588060, kKeep, 0x000000},
    /* tsOffice2003Classic */ {0x808080, 0x808080, kKeep, scOffice2007, 0x808080, 0x808080, kKeep, 0x000000},
    /* tsOffice2007Luna */ {0xFFEFE3, 0xFFD2AF, 0x723708, scOffice2007, 0xFFD2AF, 0xFFD2AF, kKeep, 0x000000},
    /* tsOffice2007Obsidian */ {0xF2F1F0, 0xC9C2BD, 0x433C37, scOffice2007, 0x5C534C, 0x5C534C, kKeep, 0x000000},
    /* tsWindowsXP */ {clBtnFace, clBtnFace, 0x000000, scCustom, 0xC0C0C0, 0x000000, kHighlight, clHighlightText},
    /* tsWhidbey */ {0xEBEEEF, 0x7E9898, 0xFFFFFF, scOffice2007, 0x962D00, 0x962D00, kKeep, 0x000000},
    /* tsCustom */ {kKeep, kKeep, kKeep, -1, kKeep, kKeep, kKeep, kKeep},
    /* tsOffice2007Silver */ {0xF8F7F6, 0xE8E0DB, 0x8B4215, scOffice2007, 0x74706F, 0x74706F, kKeep, 0x000000},
    /* tsWindowsVista */ {0xFFFDF9, 0xFFFAF0, 0x000000, scWindowsVista, 0xFCF2DA, 0xFCF2DA, kKeep, 0x000000},
    /* tsWindows7 */ {0xFDFBFA, 0xFDF3EB, 0x000000, scWindows7, 0xFBD6B8, 0xFBD6B8, kKeep, 0x000000},
    /* tsTerminal */ {clBtnFace, clBtnFace, 0x000000, scCustom, 0x808080, 0x808080, kHighlight, clHighlightText},
    /* tsOffice2010Blue */ {0xEDDBCD, clNone, 0x5B391E, scCustom, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x000000},
    /* tsOffice2010Silver */ {0xEDE9E5, clNone, 0x5B391E, scCustom, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x000000},
    /* tsOffice2010Black */ {0x828282, clNone, 0xD7D7D6, scCustom, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x000000},
    /* tsWindows8 */ {0xF7F6F5, clNone, 0x000000, scCustom, 0xE4E3E2, 0xE4E3E2, 0xF7E0C9, 0x000000},
    /* tsOffice2013White */ {0xFFFFFF, clNone, 0x000000, scCustom, 0xD4D4D4, 0xD4D4D4, 0xFCE2C8, 0x000000},
    /* tsOffice2013LightGray */ {0xF6F6F6, clNone, 0x000000, scCustom, 0xC6C6C6, 0xC6C6C6, 0xFCE2C8, 0x000000},
    /* tsOffice2013Gray */ {0xE5E5E5, clNone, 0x000000, scCustom, 0xABABAB, 0xABABAB, 0xFCE2C8, 0x000000},
    /* tsWindows10 */ {0xF7F6F5, clNone, 0x000000, scCustom, 0xE4E3E2, 0xE4E3E2, 0xF7E0C9, 0x000000},
    /* tsOffice2016White */ {0xFFFFFF, clNone, 0x000000, scCustom, 0xD4D4D4, 0xD4D4D4, 0xE3BDA3, 0x000000},
    /* tsOffice2016Gray */ {0x444444, clNone, 0xF0F0F0, scCustom, 0x444444, 0x444444, 0xB2B2B2, 0x000000},
    /* tsOffice2016Black */ {0x444444, clNone, 0xFFFFFF, scCustom, 0x6A6A6A, 0x6A6A6A, 0x444444, 0xFFFFFF},
};

constexpr int kPageStep = 10;

}  // namespace

TAdvMultiColumnDropDown::TAdvMultiColumnDropDown(TComponent* AOwner)
    : TAdvDropDown(AOwner),
      FItems(std::make_unique<TDropDownItems>(this)),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>()),
      FLookupItems(std::make_unique<TStringList>()) {
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetSelectionColorStyle(scOffice2007);
    // The base made its popup before this class existed: the grid comes now.
    if (!ComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TAdvMultiColumnDropDown::~TAdvMultiColumnDropDown() = default;

void TAdvMultiColumnDropDown::Notification(TComponent* AComponent, TOperation Operation) {
    TAdvDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAdvColGrid) FAdvColGrid = nullptr;
}

void TAdvMultiColumnDropDown::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }

String TAdvMultiColumnDropDown::folded(const String& S) const { return FCaseSensitive ? S : AnsiUpperCase(S); }

// ---------------------------------------------------------------------------------------------
// Entries and the value

int TAdvMultiColumnDropDown::GetItemIndex(const String& Value) const {
    // An entry without a line for the lookup column does not match.
    return FItems->IndexInColumn(FLookupColumn, Value);
}

void TAdvMultiColumnDropDown::SetItemIndex(int Value) {
    if (Value >= FItems->Count()) return;
    FItemIndex = Value;
    String Text;
    if (Value >= 0 && FLookupColumn >= 0) FItems->Items(Value)->ColumnText(FLookupColumn, Text);
    SetText(Text);
}

void TAdvMultiColumnDropDown::SetLookupColumn(int Value) {
    FLookupItems->Clear();
    FLookupColumn = Value;
    UpdateLookupItems();
}

void TAdvMultiColumnDropDown::UpdateLookupItems() {
    if (FLookupColumn < 0 || FItems->Count() == 0) return;
    FLookupItems->Clear();
    for (int I = 0; I < FItems->Count(); ++I) {
        String Text;
        FItems->Items(I)->ColumnText(FLookupColumn, Text);
        FLookupItems->Add(Text);
    }
}

void TAdvMultiColumnDropDown::Loaded() {
    TAdvDropDown::Loaded();
    UpdateLookupItems();
}

void TAdvMultiColumnDropDown::Change() {
    FItemChange = false;
    TAdvDropDown::Change();
}

void TAdvMultiColumnDropDown::Assign(TPersistent* Source) {
    TAdvDropDown::Assign(Source);
    auto* S = dynamic_cast<TAdvMultiColumnDropDown*>(Source);
    if (!S) return;
    FCaseSensitive = S->FCaseSensitive;
    FDropDownAutoWidth = S->FDropDownAutoWidth;
    FDropDownRowHeight = S->FDropDownRowHeight;
    FLineColor = S->FLineColor;
    FFixedLineColor = S->FFixedLineColor;
    FColumnSizing = S->FColumnSizing;
    FColumnSizeWithDropDown = S->FColumnSizeWithDropDown;
    FColumns->Assign(S->FColumns.get());
    FHeaderColor = S->FHeaderColor;
    FHeaderColorTo = S->FHeaderColorTo;
    FHeaderHeight = S->FHeaderHeight;
    FHeaderFont->Assign(S->FHeaderFont.get());
    SetLookupColumn(S->FLookupColumn);
    FSelectionTextColor = S->FSelectionTextColor;
    FItems->Assign(S->FItems.get());
    FItemIndex = S->FItemIndex;
}

// ---------------------------------------------------------------------------------------------
// Typing in the edit

void TAdvMultiColumnDropDown::completeTyping() {
    const String Text = GetText();
    const int Caret = std::clamp(SelStart() - static_cast<int>(Prefix().size()), 0, static_cast<int>(Text.size()));
    const String Typed = Text.left(Caret);
    const String Key = folded(Typed);
    if (FLookupItems->Count() > 0 && !Key.isEmpty()) {
        for (int I = 0; I < FLookupItems->Count(); ++I) {
            const String Line = FLookupItems->Strings(I);
            if (!folded(Line).startsWith(Key)) continue;
            const int Length = static_cast<int>(Key.size());
            const String NewText = Text.left(Length) + Line.mid(Length).left(255);
            FItemIndex = FItemIdx = I;
            FItemSel = Length;
            FItemChange = true;
            SetText(NewText);
            SetSelStart(static_cast<int>(Prefix().size()) + Length);
            SetSelLength(static_cast<int>(NewText.size()) - Length);
            return;
        }
    }
    if (!Typed.isEmpty()) {
        SetText(Typed);
        SetSelStart(static_cast<int>(Prefix().size() + Typed.size()));
        SetSelLength(0);
    }
    // A completion that left the text as it was told no change: its entry is taken now.
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        FItemChange = false;
    }
}

void TAdvMultiColumnDropDown::KeyUp(Word& Key, TShiftState Shift) {
    const Word Released = Key;
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    if (!(Released == VK_RETURN && ReturnIsTab())) TAdvDropDown::KeyUp(Key, Shift);
    if (!Self || Released == VK_BACK) return;
    SetModified(GetText() != FOldValue);
    completeTyping();
}

void TAdvMultiColumnDropDown::KeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    if (FLookupColumn < 0 || FItems->Count() == 0) {
        TAdvDropDown::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_RETURN) {
        if (!ReadOnly()) {
            const String Text = AnsiUpperCase(GetText());
            for (int I = 0; I < FLookupItems->Count(); ++I) {
                if (AnsiUpperCase(FLookupItems->Strings(I)) != Text) continue;
                SetItemIndex(I);
                if (!Self) return;
                Change();
                if (!Self) return;
                break;
            }
        }
        if (ReturnIsTab()) {
            if (HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            Key = 0;
        }
    }
    workmode = !(Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE);
    const Word Pressed = Key;
    TAdvDropDown::KeyDown(Key, Shift);
    if (Self && Pressed == VK_ESCAPE) SetItemIndex(FOrgIndex);
}

void TAdvMultiColumnDropDown::KeyPress(Char& Key) {
    if (Key == u'\r' && ReturnIsTab()) {
        Key = QChar();
        return;
    }
    TAdvDropDown::KeyPress(Key);
}

void TAdvMultiColumnDropDown::stepEntry(int Delta, bool Paging) {
    const int Count = FItems->Count();
    if (Count == 0) return;
    if (FItemIndex < 0) {
        SetItemIndex(0);
        return;
    }
    const int Target = FItemIndex + Delta;
    if (Paging)
        SetItemIndex(std::clamp(Target, 0, Count - 1));
    else if (Target >= 0 && Target < Count)
        SetItemIndex(Target);
}

void TAdvMultiColumnDropDown::Dispatch(TMessage& Message) {
    const UINT Msg = Message.Msg;
    const Word Key = static_cast<Word>(Message.WParam);
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    TAdvDropDown::Dispatch(Message);
    if (!Self || Msg != WM_KEYDOWN || DroppedDown() || !Enabled() || ReadOnly() || GetKeyState(VK_MENU) < 0) return;
    switch (Key) {
        case VK_PRIOR:
            stepEntry(-kPageStep, true);
            break;
        case VK_NEXT:
            stepEntry(kPageStep, true);
            break;
        case VK_END:
            if (!EditorEnabled() && FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
            break;
        case VK_HOME:
            if (!EditorEnabled() && FItems->Count() > 0) SetItemIndex(0);
            break;
        case VK_UP:
            stepEntry(-1, false);
            break;
        case VK_DOWN:
            stepEntry(1, false);
            break;
        default:
            break;
    }
}

void TAdvMultiColumnDropDown::DoSelectNext() {
    // Over the open popup the wheel scrolls the grid and chooses nothing.
    if (!DroppedDown() && Enabled() && !ReadOnly()) stepEntry(1, false);
}

void TAdvMultiColumnDropDown::DoSelectPrevious() {
    if (!DroppedDown() && Enabled() && !ReadOnly()) stepEntry(-1, false);
}

// ---------------------------------------------------------------------------------------------
// Search in the open popup

bool TAdvMultiColumnDropDown::FindLookupMatch(const String& Search) {
    if (!FAdvColGrid || FLookupColumn < 0) return false;
    const String Key = folded(Search);
    for (int I = 0; I < FItems->Count(); ++I) {
        String Text;
        if (!FItems->Items(I)->ColumnText(FLookupColumn, Text) || !folded(Text).startsWith(Key)) continue;
        FItemIndex = I;
        SetText(Text);
        const int Length = static_cast<int>(Search.size());
        SetSelStart(static_cast<int>(Prefix().size()) + Length);
        SetSelLength(std::max(0, static_cast<int>(Text.size()) - Length));
        return true;
    }
    return false;
}

int TAdvMultiColumnDropDown::LookupKey(Char Key) {
    if (Key == u'\b') {
        String Text = GetText();
        if (SelLength() == 0) {
            FLookupEntry.chop(1);
            Text = FLookupEntry;
        } else {
            Text.remove(std::max(0, SelStart() - static_cast<int>(Prefix().size())), SelLength());
        }
        SetText(Text);
        SetSelStart(static_cast<int>(Prefix().size() + Text.size()));
        SetSelLength(0);
        return -1;
    }
    if (Key == u'\t') return -1;
    FLookupEntry += Key;
    if (FindLookupMatch(FLookupEntry)) return FItemIndex;
    // The character alone starts a new search; the selection stays as that match leaves it.
    const int SelS = SelStart(), SelL = SelLength();
    if (FindLookupMatch(QString(Key))) {
        FLookupEntry = QString(Key);
        SetSelStart(SelS);
        SetSelLength(SelL);
        return FItemIndex;
    }
    FLookupEntry.clear();
    return -1;
}

void TAdvMultiColumnDropDown::showGridRow(int Row) {
    REroDavIdev* G = FAdvColGrid;
    if (!G || Row >= G->RowCount()) return;
    if (Row >= G->TopRow() + G->VisibleRowCount() || Row < G->TopRow()) G->SetTopRow(Row);
    G->SetRow(Row);
    G->SetCol(0);
}

void TAdvMultiColumnDropDown::ControlKeyPress(Char& Key) {
    static const String kExcluded = QStringLiteral("\r\x1b!\"#$&(");
    const bool Excluded = kExcluded.contains(Key) || GetKeyState(VK_MENU) < 0;
    if (Excluded || !FAdvColGrid || FAdvColGrid->Options().Contains(goEditing)) {
        FLookupEntry.clear();
        return;
    }
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    const int Found = LookupKey(Key);
    if (!Self) return;
    if (Found >= 0)
        showGridRow(Found + 1);
    else if (Key != u'\b')
        FLookupEntry.clear();
}

void TAdvMultiColumnDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    const bool Moves = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    // The grid moves its own row; the edit sees these keys only with Alt.
    if (!Moves || Shift.Contains(ssAlt)) TAdvDropDown::ControlKeyDown(Key, Shift);
    if (!Self) return;
    if (Key == VK_TAB) {
        Key = 0;
        ClosePopup(false);
        if (Self) SelectAll();
        return;
    }
    GridKeyDown(FAdvColGrid, Key, Shift);
}

void TAdvMultiColumnDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
    const bool Moves = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!Moves || Shift.Contains(ssAlt)) TAdvDropDown::ControlKeyUp(Key, Shift);
}

// ---------------------------------------------------------------------------------------------
// Popup

void TAdvMultiColumnDropDown::CreateDropDownForm() {
    TAdvDropDown::CreateDropDownForm();
    if (!FDropDownForm || FAdvColGrid) return;
    FAdvColGrid = new REroDavIdev(this);
    FAdvColGrid->SetParent(FDropDownForm);
    FAdvColGrid->SetAdvDropDown(this);
    FAdvColGrid->SetBounds(0, 0, FAdvColGrid->Width(), 180);
    FAdvColGrid->SetColor(DropDownColor());
    FAdvColGrid->SetDoubleBuffered(true);
}

void TAdvMultiColumnDropDown::BeforeDropDown() {
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    TAdvDropDown::BeforeDropDown();
    if (!Self) return;
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    FShowing = true;
    REroDavIdev* G = FAdvColGrid;
    if (!G) return;
    G->LoadFromDropDown();
    TGridOptions O = G->Options();
    O.Include(goThumbTracking);
    G->SetOptions(O);
    G->SetColor(DropDownColor());
    G->OnSelectCell = [this](TObject* Sender, int ACol, int ARow, bool& CanSelect) {
        GridSelectCell(Sender, ACol, ARow, CanSelect);
    };
    G->OnSelect = [this](TObject* Sender) { GridSelect(Sender); };
    G->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { GridKeyDown(Sender, Key, Shift); };
    G->SetRow(FItemIndex + 1 < G->RowCount() && FItemIndex >= 0 ? FItemIndex + 1 : 1);
    FOldItemIndex = FItemIndex;
}

void TAdvMultiColumnDropDown::AdjustDropDownHeight(int& Height) {
    if (DropDownSizeable()) return;
    int F = 0;
    if (DropDownHeader()->Visible()) F += DropDownHeader()->Height();
    if (DropDownFooter()->Visible()) F += DropDownFooter()->Height();
    const int Rows = std::max(0, (Height - F - FHeaderHeight - 2) / std::max(1, FDropDownRowHeight));
    Height = F + FHeaderHeight + 2 + Rows * FDropDownRowHeight;
}

void TAdvMultiColumnDropDown::SizeDropDownForm() {
    TAdvDropDown::SizeDropDownForm();
    if (!FDropDownForm || !FAdvColGrid || !FDropDownAutoWidth) return;
    FAdvColGrid->SetAlign(alNone);
    const int W = FAdvColGrid->GetTotalWidth();
    FAdvColGrid->SetWidth(W);
    FDropDownForm->SetWidth(W + 2 * DropDownBorderWidth());
    FAdvColGrid->SetAlign(alClient);
}

void TAdvMultiColumnDropDown::PlaceDropDownControl() {
    SetControl(FAdvColGrid);
    TAdvDropDown::PlaceDropDownControl();
}

void TAdvMultiColumnDropDown::OpenPopup() {
    if (!Enabled() || ReadOnly()) return;
    FOrgIndex = FItemIndex;
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    TAdvDropDown::OpenPopup();
    if (!Self) return;
    SizeColumnsToDropDown();
    if (REroDavIdev* G = FAdvColGrid; G && G->RowCount() > 1) {
        const int Row = FItemIndex >= 0 && FItemIndex + 1 < G->RowCount() ? FItemIndex + 1 : 1;
        G->SetRow(Row);
        if (Row >= G->TopRow() + G->VisibleRowCount()) G->SetTopRow(std::max(1, Row - G->VisibleRowCount() + 1));
    }
    FShowing = false;
}

void TAdvMultiColumnDropDown::PopupSizing() {
    TAdvDropDown::PopupSizing();
    SizeColumnsToDropDown();
}

void TAdvMultiColumnDropDown::SizeColumnsToDropDown() {
    REroDavIdev* G = FAdvColGrid;
    if (!FColumnSizeWithDropDown || !G || !FDropDownForm) return;
    G->SetScrollBars(ssVertical);
    if (FColumns->Count() == 0) return;
    int Total = 1;
    for (int I = 0; I < FColumns->Count(); ++I) Total += FColumns->Items(I)->Width();
    int Available = FDropDownForm->Width();
    if (G->VisibleRowCount() < FItems->Count()) Available -= GetSystemMetrics(SM_CXVSCROLL);
    const double Ratio = double(Available) / Total;
    double Carry = 0;
    for (int I = 0; I < G->ColCount() && I < FColumns->Count(); ++I) {
        const double Exact = Ratio * FColumns->Items(I)->Width();
        const int Rounded = static_cast<int>(Round(Exact));
        Carry += Exact - Rounded;
        if (Carry > 1) {
            G->SetColWidths(I, Rounded + 1);
            Carry -= 1;
        } else {
            G->SetColWidths(I, Rounded);
        }
    }
}

void TAdvMultiColumnDropDown::GridSelectCell(TObject*, int, int ARow, bool&) {
    if (FShowing || !FAdvColGrid || FAdvColGrid->MouseWheelSelection()) return;
    SetItemIndex(ARow - 1);
}

void TAdvMultiColumnDropDown::GridSelect(TObject*) {
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    if (FAdvColGrid && FAdvColGrid->ConfirmSelection()) SetItemIndex(FAdvColGrid->Row() - 1);
    if (!Self) return;
    ClosePopup(false);
    if (Self && OnSelect) FireEvent(OnSelect, this);
}

void TAdvMultiColumnDropDown::GridKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key == VK_RETURN) ClosePopup(false);
    if (Key == VK_ESCAPE) ClosePopup(true);
}

void TAdvMultiColumnDropDown::ClosePopup(bool Cancelled) {
    if (!FDropDownForm || !FDropDownForm->Visible()) {
        TAdvDropDown::ClosePopup(Cancelled);
        return;
    }
    const TWeak<TAdvMultiColumnDropDown> Self(this);
    TAdvDropDown::ClosePopup(Cancelled);
    if (!Self) return;
    if (Cancelled) {
        if (FOldItemIndex != FItemIndex) SetItemIndex(FOldItemIndex);
    } else if (FAdvColGrid && FAdvColGrid->ConfirmSelection()) {
        SetItemIndex(FAdvColGrid->Row() - 1);
    }
    if (Self) FOldItemIndex = FItemIndex;
}

// ---------------------------------------------------------------------------------------------
// Styles

void TAdvMultiColumnDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
    if (Value == scOffice2007) {
        FLineColor = 0xF1EDEB;
        FFixedLineColor = 0xD1BBA4;
    } else if (Value == scWindowsVista || Value == scWindows7) {
        FLineColor = 0xECECF0;
        FFixedLineColor = 0xD4D2D1;
    }
    TAdvDropDown::SetSelectionColorStyle(Value);
}

void TAdvMultiColumnDropDown::SetComponentStyle(TTesselStyle AStyle) {
    TAdvDropDown::SetComponentStyle(AStyle);
    if (AStyle < 0 || AStyle >= static_cast<int>(std::size(kStyleLooks))) return;
    const TStyleLook& L = kStyleLooks[AStyle];
    auto set = [](TColor& Field, TColor Value) {
        if (Value != kKeep) Field = Value;
    };
    set(FHeaderColor, L.Header);
    set(FHeaderColorTo, L.HeaderTo);
    if (L.HeaderFont != kKeep) FHeaderFont->SetColor(L.HeaderFont);
    if (L.SelectionStyle >= 0) SetSelectionColorStyle(static_cast<TSelectionColorStyle>(L.SelectionStyle));
    set(FLineColor, L.Lines);
    set(FFixedLineColor, L.HeaderLines);
    if (L.Selection != kKeep) {
        SetSelectionColor(L.Selection);
        SetSelectionColorTo(L.Selection);
    }
    set(FSelectionTextColor, L.SelectedText);
}
