// TAdvMemoDropDown: a drop-down edit whose popup holds a multi-line memo. The edit keeps the lines
// and shows the first one (shortened, or with "..." when more lines follow, while it takes no
// typing); typing in the memo updates the edit at once, and Tab in the memo closes the popup.
#pragma once

#include "components/dropdowns/AdvDropDown.h"

class TMemo;
class TPopupMenu;
class TStringList;

class TAdvMemoDropDown : public TAdvDropDown {
public:
    explicit TAdvMemoDropDown(TComponent* AOwner);
    ~TAdvMemoDropDown() override;

    // Opens the popup whenever the edit is entered.
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }
    // The memo's lines while it exists, else the kept ones; the writer sets both.
    TStrings* MemoText() const;
    void SetMemoText(TStrings* Value);
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool Value);
    TMemo* Memo() const { return FMemo; }

    // After the memo's text changed.
    TNotifyEvent OnMemoChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void ClosePopup(bool Cancelled) override;
    void AfterClosePopup() override;
    void DoEnter() override;
    void Change() override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyPress(Char& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TPopupMenu* FMemoPopup = nullptr;
    std::unique_ptr<TStringList> FMemoText;
    TMemo* FMemo = nullptr;
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
    bool FSyncingMemo = false;  // the edit's change is being written into the memo

    void MemoChange(TObject* Sender);
    void UpdateEditText();
    bool passesToEdit(Word Key, TShiftState Shift) const;
};
