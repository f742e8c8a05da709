// TAdvDetailDropDown: a drop-down edit whose popup lists items in one column, each an image or
// picture beside its caption with a line of notes in markup below it. Typing completes the text
// with the caption of the first item that starts with it; the keys, the wheel and the popup
// select items, and the selected item's caption becomes the text.
#pragma once

#include "components/dropdowns/AdvSelectorDropDown.h"
#include "framework/ui/StdCtrls.h"

#include <functional>
#include <memory>

class TPicture;

// One item. Caption and ImageIndex tell the collection's OnChange when they change.
class TDetailItem : public TCollectionItem {
public:
    explicit TDetailItem(TCollection* Collection);
    ~TDetailItem() override;

    // Also the edit's text while the item is selected.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    int ImageIndex() const { return FImageIndex; }  // default -1: none
    void SetImageIndex(int Value);
    // Drawn instead of the image-list image when not empty; the writer copies silently.
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* Value);
    // The second line, in markup.
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
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;  // copied, without effect
    std::unique_ptr<TPicture> FImage;
    String FNotes;
    TObject* FItemObject = nullptr;
    int FTag = 0;

    void changed();
};

class TDetailItems : public TCollection {
public:
    explicit TDetailItems(TPersistent* AOwner);

    TDetailItem* Add() { return static_cast<TDetailItem*>(TCollection::Add()); }
    TDetailItem* Insert(int Index) { return static_cast<TDetailItem*>(TCollection::Insert(Index)); }
    TDetailItem* Items(int Index) const { return static_cast<TDetailItem*>(TCollection::Items(Index)); }
    void SetItem(int Index, TDetailItem* Value) { TCollection::SetItems(Index, Value); }
    // The first item whose caption is Value exactly (case counts), -1 when none is.
    int IndexOf(const String& Value) const;

    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }

private:
    TPersistent* FMyOwner;
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
