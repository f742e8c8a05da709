// TAdvLUEdit: a typed edit that remembers entries. It completes what is typed inline from
// LookupItems (the completed part selected, so typing on replaces it), can complete file and
// folder names, adds the text to the list when the user leaves the field, can share the list
// with its sibling lookup edits, and can store the list in an INI file or the registry.
#pragma once

#include "components/controls/AdvEdit.h"

using TAutoCompleteEvent = std::function<void(TObject* Sender, const String& UsrStr, String& AutoAdd, int Idx)>;
using TAddToHistoryEvent = std::function<void(TObject* Sender, const String& Str)>;
using TEnterAcceptEvent = std::function<void(TObject* Sender, const String& Str, int Idx, bool& Accept)>;

class TLUPersist : public TPersistent {
public:
    bool Enable() const { return FEnable; }
    void SetEnable(bool Value) { FEnable = Value; }
    TPersistenceLocation Location() const { return FLocation; }  // default plInifile
    void SetLocation(TPersistenceLocation Value) { FLocation = Value; }
    // The INI file (a bare name lands in the user's configuration folder) or the registry key.
    const String& Key() const { return FKey; }  // default "LUEdit"
    void SetKey(const String& Value) { FKey = Value; }
    const String& Section() const { return FSection; }  // default "Values"
    void SetSection(const String& Value) { FSection = Value; }
    // With MaxCount, the newest Count entries are stored.
    int Count() const { return FCount; }
    void SetCount(int Value) { FCount = Value; }
    bool MaxCount() const { return FMaxCount; }
    void SetMaxCount(bool Value) { FMaxCount = Value; }

    void Assign(TPersistent* Source) override;

private:
    bool FEnable = false;
    TPersistenceLocation FLocation = plInifile;
    String FKey = QStringLiteral("LUEdit");
    String FSection = QStringLiteral("Values");
    int FCount = 0;
    bool FMaxCount = false;
};

class TAdvLUEdit : public TAdvEdit {
public:
    explicit TAdvLUEdit(TComponent* AOwner);
    ~TAdvLUEdit() override;

    // Writing copies the list; nullptr is ignored.
    TStringList* LookupItems() const { return FLookupItems.get(); }
    void SetLookupItems(TStrings* Value);
    // Leaving the field appends a new text to LookupItems.
    bool AutoHistory() const { return FAutoHistory; }
    void SetAutoHistory(bool Value) { FAutoHistory = Value; }
    // A history change is copied to the sibling lookup edits of the same owner, store and section.
    bool AutoSynchronize() const { return FAutoSynchronize; }
    void SetAutoSynchronize(bool Value) { FAutoSynchronize = Value; }
    // With an empty list, completes file and folder names.
    bool FileLookup() const { return FFileLookup; }
    void SetFileLookup(bool Value) { FFileLookup = Value; }
    TLUPersist* LookupPersist() const { return FLUPersist.get(); }
    void SetLookupPersist(TLUPersist* Value) { FLUPersist->Assign(Value); }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }

    // May change the completion of an entry.
    TAutoCompleteEvent AutoComplete;
    TAddToHistoryEvent OnAddToHistory;
    // Asked when the user leaves the field; refusing keeps the focus here.
    TEnterAcceptEvent Accept;

    int GetVersionNr() const override { return 0x01040100; }
    void LoadPersist() override;
    void SavePersist() override;

protected:
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoExit() override;
    void DoAutoComplete();

private:
    bool FWorkMode = true;
    std::unique_ptr<TStringList> FLookupItems;
    bool FAutoHistory = false;
    bool FAutoSynchronize = false;
    bool FFileLookup = false;
    std::unique_ptr<TLUPersist> FLUPersist;
    bool FMatchCase = false;
    bool FChanged = false;

    bool completeFromItems();
    void completeFromFiles();
    void synchronizeSiblings();
};
