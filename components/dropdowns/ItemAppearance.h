// The settings of the item selector that the detail, image and colour pickers show in their
// popups: its items (caption in mini-HTML markup, a picture, an image-list image or a colour box)
// and the colours and font of its hot and selected items.
#pragma once

#include "components/dropdowns/AdvDropDownTypes.h"
#include "framework/rtl/Collection.h"
#include "framework/ui/Graphics.h"

#include <memory>

class TCustomImageList;
class TPicture;

// What the selector's items and the items of the pickers that fill it share: a caption and an
// image-list index that tell their collection's OnChange when they change, a picture shown instead
// of the list image when not empty, and an enabled state.
class TCaptionImageItem : public TCollectionItem {
public:
    explicit TCaptionImageItem(TCollection* Collection);
    ~TCaptionImageItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    int ImageIndex() const { return FImageIndex; }  // default -1: none
    void SetImageIndex(int Value);
    // The writer copies silently.
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* Value);
    // Not a published property: Assign copies it, code may set it.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

    // The picture is not empty.
    bool HasPicture() const;
    // The size of what the item shows: its picture, else the list image of Images (none without
    // Images or an ImageIndex), else 0 x 0.
    TSize ImageSize(const TCustomImageList* Images) const;
    // Draws that picture or list image (in its disabled look unless Enabled) with its top left at
    // X, Y.
    void DrawImage(TCanvas* Canvas, int X, int Y, const TCustomImageList* Images, bool Enabled = true) const;

protected:
    // Caption and ImageIndex through their writers, then the picture and the enabled state.
    void AssignCaptionImageItem(const TCaptionImageItem* Source);
    // Tells the collection's OnChange.
    void NotifyChange();

private:
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
};

// A collection of picture items. Adding, deleting and copying items tell nothing; OnChange tells
// of an item's change.
class TCaptionImageCollection : public TCollection {
public:
    TCaptionImageCollection(TCollectionItemClass ItemClass, TPersistent* AOwner);

    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }

private:
    TPersistent* FMyOwner;
};

template <class TItem>
class TCaptionImageItems : public TCaptionImageCollection {
public:
    explicit TCaptionImageItems(TPersistent* AOwner) : TCaptionImageCollection(CollectionItemClass<TItem>(), AOwner) {}

    TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
    TItem* Insert(int Index) { return static_cast<TItem*>(TCollection::Insert(Index)); }
    TItem* Items(int Index) const { return static_cast<TItem*>(TCollection::Items(Index)); }
    void SetItem(int Index, TItem* Value) { TCollection::SetItems(Index, Value); }
};

// One item of the selector: a picture item with a colour box and a hint. A disabled item can be
// neither hot nor selected.
class TSelectorItem : public TCaptionImageItem {
public:
    using TCaptionImageItem::TCaptionImageItem;

    TColor Color() const { return FColor; }  // default clNone: the colour box's fill
    void SetColor(TColor Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    // The item's cell in the selector panel, placed by the layout.
    TRect ItemRect() const { return FRect; }
    void SetItemRect(const TRect& Value) { FRect = Value; }

    // From another item: Caption, Color and ImageIndex through their writers, then the picture,
    // the enabled state and the hint; any other source raises the conversion error.
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clNone;
    TRect FRect;
    String FHint;
};

class TSelectorItems : public TCaptionImageItems<TSelectorItem> {
public:
    using TCaptionImageItems::TCaptionImageItems;
};

// The colours of hot and selected items: a gradient, or a glossy two-part gradient in a frame
// (when BorderColorTop is set), from one of three palettes or custom. Writers store silently.
class TItemAppearance : public TPersistent {
public:
    explicit TItemAppearance(TPersistent* AOwner);
    ~TItemAppearance() override;

    TColor ColorMirrorHotTo() const { return FColorMirrorHotTo; }
    void SetColorMirrorHotTo(TColor Value) { FColorMirrorHotTo = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TColor ColorMirrorHot() const { return FColorMirrorHot; }
    void SetColorMirrorHot(TColor Value) { FColorMirrorHot = Value; }
    TColor ColorSelectedTo() const { return FColorSelectedTo; }
    void SetColorSelectedTo(TColor Value) { FColorSelectedTo = Value; }
    TColor ColorSelected() const { return FColorSelected; }
    void SetColorSelected(TColor Value) { FColorSelected = Value; }
    TColor EdgeColor() const { return FEdgeColor; }
    void SetEdgeColor(TColor Value) { FEdgeColor = Value; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    TColor BorderColorBottom() const { return FBorderColorBottom; }
    void SetBorderColorBottom(TColor Value) { FBorderColorBottom = Value; }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { FColorHot = Value; }
    // clNone: hot and selected items get a plain gradient in a one-pixel frame.
    TColor BorderColorTop() const { return FBorderColorTop; }
    void SetBorderColorTop(TColor Value) { FBorderColorTop = Value; }
    TColor ColorMirrorSelectedTo() const { return FColorMirrorSelectedTo; }
    void SetColorMirrorSelectedTo(TColor Value) { FColorMirrorSelectedTo = Value; }
    TColor ColorMirrorSelected() const { return FColorMirrorSelected; }
    void SetColorMirrorSelected(TColor Value) { FColorMirrorSelected = Value; }
    TColor ColorSelectedText() const { return FColorSelectedText; }  // default black
    void SetColorSelectedText(TColor Value) { FColorSelectedText = Value; }
    TColor ColorHotText() const { return FColorHotText; }  // default black
    void SetColorHotText(TColor Value) { FColorHotText = Value; }
    TFont* Font() const { return FFont.get(); }  // "Tahoma"
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // clNone (default): the hot item's frame is BorderColor.
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor Value) { FBorderColorHot = Value; }
    TColor BorderColorSelected() const { return FBorderColorSelected; }
    void SetBorderColorSelected(TColor Value) { FBorderColorSelected = Value; }
    advdropdown::TSelectionColorStyle ColorStyle() const { return FColorStyle; }  // default scOffice2007
    // A new named palette loads its twelve state colours; scCustom keeps them.
    void SetColorStyle(advdropdown::TSelectionColorStyle Style);

    // Nothing in the class fires it.
    TNotifyEvent OnChange;

    // From another item appearance: the twelve state colours, the font, the palette through
    // SetColorStyle, the text and state frame colours; any other source raises.
    void Assign(TPersistent* Source) override;

protected:
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
    TColor FColorMirrorHotTo = clNone;
    TColor FBorderColor = clNone;
    TColor FColorMirrorHot = clNone;
    TColor FColorSelectedTo = clNone;
    TColor FColorSelected = clNone;
    TColor FEdgeColor = clNone;
    TColor FColorHotTo = clNone;
    TColor FBorderColorBottom = clNone;
    TColor FColorHot = clNone;
    TColor FBorderColorTop = clNone;
    TColor FColorMirrorSelectedTo = clNone;
    TColor FColorMirrorSelected = clNone;
    TColor FColorSelectedText = clBlack;
    TColor FColorHotText = clBlack;
    advdropdown::TSelectionColorStyle FColorStyle = advdropdown::scCustom;
    std::unique_ptr<TFont> FFont;
    TColor FBorderColorHot = clNone;
    TColor FBorderColorSelected = clNone;
};
