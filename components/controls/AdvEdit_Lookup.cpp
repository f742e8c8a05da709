// TAdvEdit's lookup popup (matching, display, acceptance) and the persistence of its value and
// history in an INI file or the registry.
#include "components/controls/AdvEdit.h"

#include "components/controls/AdvEdit_Internal.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/Registry.h"
#include "framework/rtl/SysUtils.h"
#include "framework/ui/Forms.h"
#include "framework/ui/PlatformFacts.h"

#include <QCoreApplication>
#include <algorithm>

// ---------------------------------------------------------------------------------------------
// The popup classes

void TListBoxTab::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE && FHandleTab) {
        TListBox::Dispatch(Message);
        Message.Result |= DLGC_WANTTAB;
        return;
    }
    TListBox::Dispatch(Message);
}

TListHintWindow::TListHintWindow(TComponent* AOwner) : THintWindow(AOwner) {
    SetTakesInput(true);
    SetBorderWidth(1);
}

void TListHintWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_NCHITTEST: {
            // The bottom-right corner sizes the popup.
            const TPoint P = ScreenToClient(LParamToPoint(Message.LParam));
            if (P.X >= Width() - 10 && P.Y >= Height() - 10 && P.X < Width() && P.Y < Height()) {
                Message.Result = HTBOTTOMRIGHT;
                return;
            }
            THintWindow::Dispatch(Message);
            return;
        }
        case WM_ACTIVATE:
            if (LOWORD(static_cast<DWORD>(Message.WParam)) == WA_INACTIVE) {
                SetVisible(false);
            } else if (FListControl && FListControl->CanFocus() &&
                       !FListControl->ComponentState().Contains(csDestroying)) {
                FListControl->SetFocus();
            }
            return;
        default:
            THintWindow::Dispatch(Message);
    }
}

void TListHintWindow::Paint() {
    TCanvas* C = Canvas();
    C->Brush()->SetColor(Color());
    C->FillRect(ClientRect());
    C->Brush()->SetColor(clWindowFrame);
    C->FrameRect(ClientRect());
}

// ---------------------------------------------------------------------------------------------
// Lookup

void TAdvEdit::createLookupPopup() {
    FLookupList = new TListHintWindow(this);
    FLookupList->SetVisible(false);
    FLookupList->SetBounds(0, 0, 0, 0);
    FLookupListBox = new TListBoxTab(FLookupList);
    FLookupListBox->SetParent(FLookupList);
    FLookupListBox->SetAlign(alClient);
    FLookupListBox->SetStyle(lbOwnerDrawFixed);
    FLookupListBox->SetItemHeight(12);
    FLookupListBox->SetCtl3D(false);
    FLookupListBox->SetTabStop(true);
    FLookupListBox->SetBorderStyle(bsNone);
    FLookupListBox->SetTabOrder(0);
    FLookupListBox->OnKeyPress = [this](TObject*, Char& Key) { lookupListKeyPress(Key); };
    FLookupListBox->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { lookupListMouseUp(); };
    FLookupList->SetListControl(FLookupListBox);
}

bool TAdvEdit::LookupVisible() const { return FLookupList && FLookupList->Visible(); }

void TAdvEdit::lookupListKeyPress(Char& Key) {
    if (Key == u'\r' || (Key == u'\t' && FLookup->AcceptOnTab())) AcceptLookup();
}

void TAdvEdit::lookupListMouseUp() { AcceptLookup(); }

void TAdvEdit::DoLookupNeedData(const String& Value, TStrings* List, int& ItemIndex) {
    if (OnLookupNeedData) FireEvent(OnLookupNeedData, this, Value, List, ItemIndex);
}

namespace {

String bracketed(TValueSeparator Separator, const String& Value) {
    switch (Separator) {
        case vsBracket:
            return u'(' + Value + u')';
        case vsSquareBracket:
            return u'[' + Value + u']';
        case vsLargerSmaller:
            return u'<' + Value + u'>';
        case vsNone:
            return Value;
    }
    return Value;
}

}  // namespace

void TAdvEdit::UpdateLookup() {
    if (!FLookup->Enabled()) return;
    String T = Text();
    int Cut = 0;
    if (FLookup->Multi()) {
        // Only the entry after the last separator is matched.
        if (const auto At = T.lastIndexOf(FLookup->Separator()); At >= 0) {
            Cut = static_cast<int>(At) + 1;
            T = T.mid(At + 1);
        }
    }
    if (T.size() < FLookup->NumChars() || !FLookupList) {
        if (FLookupList) FLookupList->SetVisible(false);
        return;
    }
    TListBoxTab* List = FLookupListBox;
    FLookupList->SetCaption(QStringLiteral("  "));
    FLookupList->SetColor(FLookup->Color());
    List->SetColor(FLookup->Color());
    FLookupList->SetColor(clWindow);
    List->Font()->Assign(FLookup->Font());
    List->SetCtl3D(false);
    List->SetHandleTab(FLookup->AcceptOnTab());

    TStrings* Items = List->Items();
    Items->BeginUpdate();
    Items->Clear();
    const bool Case = FLookup->CaseSensitive();
    const auto fold = [Case](const String& S) { return Case ? S : S.toUpper(); };
    const String Key = fold(T);
    TStringList* Display = FLookup->DisplayList();
    TStringList* Values = FLookup->ValueList();
    for (int I = 0; I < Display->Count(); ++I) {
        const String Shown = Display->Strings(I);
        const int M = static_cast<int>(fold(Shown).indexOf(Key)) + 1;
        int V = -1;
        const bool HasValue = I < Values->Count();
        if (FLookup->SearchValue() && HasValue) V = static_cast<int>(fold(Values->Strings(I)).indexOf(Key)) + 1;
        const bool Match = FFullTextSearch ? (M > 0 || V > 0) : (M == 1 || V == 1);
        if (!Match) continue;
        String Row = Shown;
        if (FLookup->ShowValue() && HasValue && !Values->Strings(I).isEmpty())
            Row += u' ' + bracketed(FLookup->ValueSeparator(), Values->Strings(I));
        Items->AddObject(Row, reinterpret_cast<TObject*>(static_cast<std::intptr_t>(I)));
    }
    Items->EndUpdate();
    int Index = 0;
    const TWeak<TAdvEdit> Self(this);
    DoLookupNeedData(T, Items, Index);
    if (!Self || !FLookupListBox) return;
    List->SetSorted(true);
    List->SetSorted(false);
    const int Rows = Items->Count();
    const int RowHeight = TextSizeIn(FLookup->Font(), QStringLiteral("gh")).cy + FLookup->Spacing();
    List->SetItemHeight(RowHeight);
    List->SetItemIndex(Rows > 0 ? std::clamp(Index, 0, Rows - 1) : -1);
    const int Height = RowHeight * std::min(Rows, FLookup->DisplayCount()) + 4;
    int Width = 50;
    if (Rows > 0) {
        int Widest = 0;
        for (int I = 0; I < Rows; ++I) Widest = std::max(Widest, TextSizeIn(FLookup->Font(), Items->Strings(I)).cx);
        Width = std::max(50, Widest) + 8;
    }
    if (Rows > FLookup->DisplayCount()) Width += GetSystemMetrics(SM_CXHSCROLL);
    if (Rows == 0) {
        FLookupList->SetVisible(false);
        return;
    }
    const TPoint Origin = Parent() ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(Left(), Top());
    const int X = std::min(PosFromChar(Cut).X, this->Width());
    FLookupList->ShowNoActivate(Bounds(Origin.X + X + 8, Origin.Y + this->Height() - 4, Width, Height));
}

void TAdvEdit::moveLookupSelection(Word Key) {
    TListBoxTab* List = FLookupListBox;
    const int Count = List->Items()->Count();
    if (Count == 0) return;
    const int Page = FLookup->DisplayCount();
    int I = List->ItemIndex();
    switch (Key) {
        case VK_HOME:
            I = 0;
            break;
        case VK_END:
            I = Count - 1;
            break;
        case VK_NEXT:
            I = std::min(I + Page, Count - 1);
            break;
        case VK_PRIOR:
            I = Page < I ? I - Page : 0;
            break;
        case VK_UP:
            I = std::max(0, I - 1);
            break;
        case VK_DOWN:
            I = std::min(Count - 1, I + 1);
            break;
        default:
            break;
    }
    List->SetItemIndex(I);
}

void TAdvEdit::AcceptLookup() {
    if (!FLookupListBox) return;
    TListBoxTab* List = FLookupListBox;
    const int Row = List->ItemIndex();
    if (Row < 0) return;
    const int Index = static_cast<int>(reinterpret_cast<std::intptr_t>(List->Items()->Objects(Row)));
    String S = List->Items()->Strings(Row);
    CloseLookup();
    TStringList* Values = FLookup->ValueList();
    if (Values->Count() > 0 && Index >= 0 && Index < Values->Count()) S = Values->Strings(Index);
    const TWeak<TAdvEdit> Self(this);
    if (OnLookupSelect) FireEvent(OnLookupSelect, this, S);
    if (!Self) return;
    if (OnLookupIndexSelect) FireEvent(OnLookupIndexSelect, this, Index, S);
    if (!Self) return;
    if (FLookup->Multi()) {
        const String Old = Text();
        const auto Last = Old.lastIndexOf(FLookup->Separator());
        SetText(Old.left(Last + 1) + S + FLookup->Separator());
        const int End = valueEnd();
        setSelection(End, End);
    } else {
        SetText(S);
        SelectAll();
    }
}

void TAdvEdit::CloseLookup() {
    if (FLookupList) FLookupList->SetVisible(false);
    if (ComponentState().Contains(csDestroying)) return;
    if (TCustomForm* Form = GetParentForm(this); Form && Form->Visible()) Form->BringToFront();
    if (CanFocus() && GetParentForm(this) && !Focused()) SetFocus();
}

void TAdvEdit::hideLookupUnlessFocused(HWND Receiving) {
    if (!FLookupList || !FLookupList->Visible()) return;
    if (Receiving && FLookupList->HandleAllocated() &&
        (Receiving == FLookupList->Handle() ||
         (FLookupListBox && FLookupListBox->HandleAllocated() && Receiving == FLookupListBox->Handle())))
        return;
    FLookupList->SetVisible(false);
}

void TAdvEdit::CMCancelMode(TMessage& Message) {
    if (FLookupList) FLookupList->SetVisible(false);
    TCustomEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Persistence

String DefaultPersistIniName() {
    return ChangeFileExt(QCoreApplication::applicationFilePath(), QStringLiteral(".INI"));
}

std::unique_ptr<TCustomIniFile> OpenPersistStore(TPersistenceLocation Location, const String& Key) {
    if (Location == plRegistry) return std::make_unique<TRegistryIniFile>(Key);
    return std::make_unique<TIniFile>(Key);
}

void TAdvEdit::LoadPersist() {
    if (!FPersistence->Enable()) return;
    // The same section as saving: the component's name when none is given.
    if (FPersistence->Section().isEmpty()) FPersistence->SetSection(Name());
    if (FPersistence->Section().isEmpty()) return;
    if (FPersistence->Location() == plInifile && FPersistence->Key().isEmpty())
        FPersistence->SetKey(DefaultPersistIniName());
    const auto Store = OpenPersistStore(FPersistence->Location(), FPersistence->Key());
    const String Section = FPersistence->Section();
    if (FLookup->Enabled() && FLookup->History()) {
        const int N = Store->ReadInteger(Section, QStringLiteral("LOOKUPCOUNT"), 0);
        TStringList* Display = FLookup->DisplayList();
        TStringList* Values = FLookup->ValueList();
        for (int I = 1; I <= N; ++I) {
            const String D = Store->ReadString(Section, QStringLiteral("LOOKUPDISPL") + IntToStr(I), String());
            if (D.isEmpty() || Display->IndexOf(D) >= 0) continue;
            // The value keeps its place beside its display text, empty or not.
            const String V = Store->ReadString(Section, QStringLiteral("LOOKUPVAL") + IntToStr(I), String());
            Display->Add(D);
            while (Values->Count() < Display->Count() - 1) Values->Add(String());
            Values->Add(V);
        }
        // No value was stored at all: the list stays without values.
        bool AnyValue = false;
        for (int I = 0; I < Values->Count(); ++I) AnyValue = AnyValue || !Values->Strings(I).isEmpty();
        if (!AnyValue) Values->Clear();
    }
    const String Stored = Store->ReadString(Section, Name(), QStringLiteral("@"));
    if (Stored != QLatin1String("@")) SetWindowText(Stored);
}

void TAdvEdit::SavePersist() {
    if (!FPersistence->Enable()) return;
    if (FPersistence->Location() == plInifile && FPersistence->Key().isEmpty())
        FPersistence->SetKey(DefaultPersistIniName());
    if (FPersistence->Section().isEmpty()) FPersistence->SetSection(Name());
    const auto Store = OpenPersistStore(FPersistence->Location(), FPersistence->Key());
    const String Section = FPersistence->Section();
    Store->WriteString(Section, Name(), FPrefix + Text() + FSuffix);
    if (FLookup->Enabled() && FLookup->History()) {
        TStringList* Display = FLookup->DisplayList();
        TStringList* Values = FLookup->ValueList();
        Store->WriteInteger(Section, QStringLiteral("LOOKUPCOUNT"), Display->Count());
        for (int I = 0; I < Display->Count(); ++I) {
            Store->WriteString(Section, QStringLiteral("LOOKUPDISPL") + IntToStr(I + 1), Display->Strings(I));
            if (I < Values->Count())
                Store->WriteString(Section, QStringLiteral("LOOKUPVAL") + IntToStr(I + 1), Values->Strings(I));
        }
    }
}
