// TAdvImagePickerDropDown: a drop-down edit that takes no typing and shows the selected item's
// picture or list image centred in its edit area; its popup shows every item as a cell of an
// item selector grid, with an optional markup caption and hint. Items come from code, an image
// list or the picture files of a folder.
#pragma once

#include "components/dropdowns/AdvSelectorDropDown.h"

#include <memory>

// One item: its caption (in markup) and hint show in the popup.
class TImageItem : public TCaptionImageItem {
public:
    using TCaptionImageItem::TCaptionImageItem;

    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }

    // From another image item: Caption and ImageIndex through their writers, then the picture,
    // the enabled state and the hint; any other source raises.
    void Assign(TPersistent* Source) override;

private:
    String FHint;
};

class TImageItems : public TCaptionImageItems<TImageItem> {
public:
    using TCaptionImageItems::TCaptionImageItems;
};

class TAdvImagePickerDropDown : public TAdvSelectorDropDown {
public:
    explicit TAdvImagePickerDropDown(TComponent* AOwner);
    ~TAdvImagePickerDropDown() override;

    // Columns of the popup grid, from the next opening.
    int Columns() const { return FColumns; }  // default 1
    void SetColumns(int Value) { FColumns = Value; }
    TImageItems* Items() const { return FItems.get(); }
    void SetItems(TImageItems* Value) { FItems->Assign(Value); }
    // Nothing for the current index or one past the items; any other value (negative ones kept
    // as they are) repaints the edit and fires OnChange, then OnSelect.
    void SetItemIndex(int Value) override;
    // The selected item's ImageIndex, -1 without one; writing selects the first item with it, or
    // none.
    int ImageIndex() const;
    void SetImageIndex(int Value);

    // Replaces the drawing of a popup cell's content (its state background is drawn first).
    advdropdown::TDrawItemEvent OnDrawItem;

    // One item per image of Images, with no caption; nothing without Images.
    void AddImagesFromImageList();
    // One item per file matching AFolder (a folder and a file mask), in name order, its picture
    // loaded from the file and, with SetImageCaption, its caption the file's name. A file that is
    // no picture keeps an empty item; folders are skipped.
    void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);

protected:
    int ItemCount() const override { return FItems->Count(); }
    int SelectorColumns() const override { return FColumns; }
    void LoadSelectorItem(int Index, TSelectorItem* Item) override;
    void LoadSelector() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void DoSelectNext() override;
    void DoSelectPrevious() override;
    void DrawDisabledFocus() override;
    void Dispatch(TMessage& Message) override;
    void WMKeyDown(TMessage& Message);

private:
    int FColumns = 1;
    std::unique_ptr<TImageItems> FItems;

    void SelectorDrawItem(TObject* Sender, TCanvas* Canvas, const TRect& R, int Index);
    void DrawSelectedImage();
    void handleSelectorKey(Word Key, bool TookHotCell);
};
