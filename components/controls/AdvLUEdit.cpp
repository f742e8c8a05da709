#include "components/controls/AdvLUEdit.h"

#include "framework/rtl/Files.h"
#include "framework/rtl/IniFiles.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

void TLUPersist::Assign(TPersistent* Source) {
    auto* S = dynamic_cast<TLUPersist*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    FEnable = S->FEnable;
    FLocation = S->FLocation;
    FKey = S->FKey;
    FSection = S->FSection;
    FCount = S->FCount;
    FMaxCount = S->FMaxCount;
}

TAdvLUEdit::TAdvLUEdit(TComponent* AOwner)
    : TAdvEdit(AOwner), FLookupItems(std::make_unique<TStringList>()), FLUPersist(std::make_unique<TLUPersist>()) {}

TAdvLUEdit::~TAdvLUEdit() = default;

void TAdvLUEdit::SetLookupItems(TStrings* Value) {
    if (Value) FLookupItems->Assign(Value);
}

// ---------------------------------------------------------------------------------------------
// Completion: key down decides whether the next key-up may complete, a change marks the text.

void TAdvLUEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_BACK || Key == VK_DELETE) {
        FWorkMode = false;
    } else if (Key == VK_RETURN) {
        const int I = FLookupItems->IndexOf(Text());
        if (I >= 0) {
            const TWeak<TAdvLUEdit> Self(this);
            SetText(FLookupItems->Strings(I));
            if (!Self) return;
            Change();
            if (!Self) return;
        }
    } else {
        FWorkMode = true;
    }
    TAdvEdit::KeyDown(Key, Shift);
}

void TAdvLUEdit::Change() {
    const TWeak<TAdvLUEdit> Self(this);
    TAdvEdit::Change();
    if (Self) FChanged = true;
}

void TAdvLUEdit::KeyUp(Word& Key, TShiftState Shift) {
    const TWeak<TAdvLUEdit> Self(this);
    if (FChanged && Key != VK_BACK && Key != VK_DELETE) DoAutoComplete();
    if (!Self) return;
    FChanged = false;
    TAdvEdit::KeyUp(Key, Shift);
}

void TAdvLUEdit::DoAutoComplete() {
    if (ComponentState().Contains(csDesigning) || !FWorkMode) return;
    if (completeFromItems()) return;
    if (FLookupItems->Count() == 0 && !Text().isEmpty() && FFileLookup) completeFromFiles();
}

bool TAdvLUEdit::completeFromItems() {
    const auto fold = [this](const String& S) { return FMatchCase ? S : AnsiUpperCase(S); };
    const String Value = Text();
    const String Typed = fold(Value).left(SelStart());
    if (Typed.isEmpty()) return false;
    for (int I = 0; I < FLookupItems->Count(); ++I) {
        const String Item = FLookupItems->Strings(I);
        if (!fold(Item).startsWith(Typed)) continue;
        const String User = Value.left(Typed.size());
        String Completion = Item.mid(Typed.size()).left(255);
        const TWeak<TAdvLUEdit> Self(this);
        if (AutoComplete) FireEvent(AutoComplete, this, User, Completion, I);
        if (!Self) return true;
        SetText(User + Completion);
        SetModified(true);
        const int Pre = static_cast<int>(Prefix().size());
        Perform(EM_SETSEL, static_cast<WPARAM>(Typed.size() + Pre), static_cast<LPARAM>(Text().size() + Pre));
        return true;
    }
    return false;
}

void TAdvLUEdit::completeFromFiles() {
    const String Value = Text();
    TSearchRec F;
    if (FindFirst(Value + u'*', faAnyFile, F) == 0) {
        // The folder part ends at the last delimiter; the rest is what the name begins with.
        const auto Cut = Value.lastIndexOf(PathDelim);
        const String Dir = Value.left(Cut + 1);
        const String Rest = Value.mid(Cut + 1);
        if ((Rest.isEmpty() || F.Name.startsWith(Rest, Qt::CaseInsensitive)) && !F.Name.startsWith(u'.')) {
            const int Old = static_cast<int>(Value.size());
            SetText(Dir + F.Name);
            SetModified(true);
            const int Pre = static_cast<int>(Prefix().size());
            Perform(EM_SETSEL, static_cast<WPARAM>(Old + Pre), static_cast<LPARAM>(Text().size() + Pre));
        }
    }
    FindClose(F);
}

// ---------------------------------------------------------------------------------------------
// Leaving the field

void TAdvLUEdit::DoExit() {
    const TWeak<TAdvLUEdit> Self(this);
    const String Value = Text();
    bool Accepted = true;
    if (Accept) FireEvent(Accept, this, Value, FLookupItems->IndexOf(Value), Accepted);
    if (!Self) return;
    if (Accepted && FAutoHistory && !Value.isEmpty() && FLookupItems->IndexOf(Value) < 0) {
        FLookupItems->Add(Value);
        if (OnAddToHistory) FireEvent(OnAddToHistory, this, Value);
        if (!Self) return;
        if (FAutoSynchronize) synchronizeSiblings();
    }
    if (Accepted) {
        TAdvEdit::DoExit();
    } else if (CanFocus()) {
        SetFocus();
    }
}

void TAdvLUEdit::synchronizeSiblings() {
    TComponent* O = Owner();
    if (!O) return;
    for (int I = 0; I < O->ComponentCount(); ++I) {
        auto* Other = dynamic_cast<TAdvLUEdit*>(O->Components(I));
        if (!Other || Other == this || !Other->FAutoHistory || !Other->FAutoSynchronize) continue;
        if (Other->FLUPersist->Key() != FLUPersist->Key() || Other->FLUPersist->Section() != FLUPersist->Section())
            continue;
        Other->FLookupItems->Assign(FLookupItems.get());
    }
}

// ---------------------------------------------------------------------------------------------
// The stored list

void TAdvLUEdit::LoadPersist() {
    TAdvEdit::LoadPersist();
    if (!FLUPersist->Enable()) return;
    const auto Store = OpenPersistStore(FLUPersist->Location(), FLUPersist->Key());
    FLookupItems->Clear();
    for (int I = 1;; ++I) {
        const String Item = Store->ReadString(FLUPersist->Section(), QStringLiteral("Item") + IntToStr(I), String());
        if (Item.isEmpty()) break;
        FLookupItems->Add(Item);
    }
}

void TAdvLUEdit::SavePersist() {
    TAdvEdit::SavePersist();
    if (!FLUPersist->Enable()) return;
    const auto Store = OpenPersistStore(FLUPersist->Location(), FLUPersist->Key());
    const int Items = FLookupItems->Count();
    const bool Capped = FLUPersist->MaxCount();
    const int N = Capped ? FLUPersist->Count() : Items;
    const int Skip = Capped && Items > FLUPersist->Count() ? Items - FLUPersist->Count() : 0;
    const String Section = FLUPersist->Section();
    for (int I = 1; I <= N; ++I) {
        const int At = Skip + I - 1;
        Store->WriteString(Section, QStringLiteral("Item") + IntToStr(I),
                           At < Items ? FLookupItems->Strings(At) : String());
    }
    // An empty entry ends the list, so one that shrank does not grow back from older entries.
    Store->WriteString(Section, QStringLiteral("Item") + IntToStr(N + 1), String());
}
