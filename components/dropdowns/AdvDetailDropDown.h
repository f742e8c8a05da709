// TAdvDetailDropDown: a drop-down edit whose popup lists items in one column, each an image or
// picture beside its caption with a line of notes in markup below it. Typing completes the text
// with the caption of the first item that starts with it; the keys, the wheel and the popup
// select items, and the selected item's caption becomes the text.
#pragma once

#include "components/dropdowns/AdvSelectorDropDown.h"
#include "framework/ui/StdCtrls.h"

#include <functional>
#include <memory>

// One item: its caption is also the edit's text while it is selected, its notes a second line in
// markup.
class TDetailItem : public TCaptionImageItem {
public:
    using TCaptionImageItem::TCaptionImageItem;

    const String& Notes() const { return FNotes; }
    void SetNotes(const String& Value) { FNotes = Value; }
    TObject* ItemObject() const { return FItemObject; }  // not owned
    void SetItemObject(TObject* Value) { FItemObject = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    // From another detail item: Caption and ImageIndex through their writers, then the picture,
    // the enabled state, Notes, Tag and ItemObject; any other source raises.
    void Assign(TPersistent* Source) override;

private:
    String FNotes;
    TObject* FItemObject = nullptr;
    int FTag = 0;
};

class TDetailItems : public TCaptionImageItems<TDetailItem> {
public:
    using TCaptionImageItems::TCaptionImageItems;

    // The first item whose caption is Value exactly (case counts), -1 when none is.
    int IndexOf(const String& Value) const;
};

class TAdvDetailDropDown : public TAdvSelectorDropDown {
public:
    explicit TAdvDetailDropDown(TComponent* AOwner);
    ~TAdvDetailDropDown() override;

    TDetailItems* Items() const { return FItems.get(); }
    void SetItems(TDetailItems* Value) { FItems->Assign(Value); }
    // A valid new index selects the item: its caption becomes the text, all of it selected, and
    // OnSelect fires; -1 empties the text silently. Other values are ignored.
    void SetItemIndex(int Value) override;
    int ItemHeight() const { return FItemHeight; }  // default 22
    void SetItemHeight(int Value) { FItemHeight = Value; }
    TFont* CaptionFont() const { return FCaptionFont.get(); }  // the edit's font at creation
    void SetCaptionFont(TFont* Value) { FCaptionFont->Assign(Value); }
    TFont* NotesFont() const { return FNotesFont.get(); }  // the edit's font at creation
    void SetNotesFont(TFont* Value) { FNotesFont->Assign(Value); }
    // Completion compares case-sensitively.
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }
    // Stored; this picker does not use it.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool Value) { FMatchStart = Value; }
    // Where a list item's image goes vertically.
    TVerticalAlignment ImageVAlign() const { return FImageVAlign; }  // default taVerticalCenter
    void SetImageVAlign(TVerticalAlignment Value) { FImageVAlign = Value; }

    // Text written from code completes nothing, as on the platform, whose edit puts the caret at
    // the start of a new text.
    void SetText(const String& Value) override;
    // The grid's editor forwards its key-downs here and calls Change.
    void KeyDown(Word& Key, TShiftState Shift) override;
    // Completes the typed text (see the class comment).
    void Change() override;

protected:
    int ItemCount() const override { return FItems->Count(); }
    void SelectorCreated(TAdvCustomItemSelector* Selector) override;
    void LoadSelectorItem(int Index, TSelectorItem* Item) override;
    void ItemSelected(int Index) override;
    void RestoreSelection(int OldIndex) override;
    void OpenPopup() override;
    void SizeDropDownForm() override;
    void PopupSizing() override;
    void DoSelectNext() override;
    void DoSelectPrevious() override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;
    void WMKeyDown(TMessage& Message);

private:
    std::unique_ptr<TDetailItems> FItems;
    int FItemHeight = 22;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FNotesFont;
    bool FWorkMode = true;     // typing completes the text
    bool FItemChange = false;  // the last change completed the text
    int FItemIdx = 0;          // item of the last completion
    int FItemSel = 0;          // typed length of the last completion
    bool FCompleting = false;  // the text is written from code: no completion
    bool FMatchCase = false;
    bool FMatchStart = false;
    TVerticalAlignment FImageVAlign = taVerticalCenter;

    void GetDetailItemSize(TObject* Sender, TSize& ASize);
    void DrawDetailItem(TObject* Sender, TCanvas* Canvas, TRect R, int Index);
    void drawItemImage(TCanvas* Canvas, const TDetailItem* Item, TRect& R);
    String ApplyMatchCase(const String& S) const;
    void completeText();
    bool handleSelectorKey(Word Key);
};
