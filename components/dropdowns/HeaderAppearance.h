// The settings of a drop-down popup's header and footer strips: their buttons, colours, caption,
// image and font. The drop-down edit owns one of each (DropDownHeader, DropDownFooter); the
// grid's look settings hold their own and copy them into its drop-down editors with Assign.
// TDbgList is the strips' list of button controls.
#pragma once

#include "components/dropdowns/AdvDropDownDraw.h"
#include "framework/rtl/Collection.h"
#include "framework/rtl/List.h"
#include "framework/ui/Graphics.h"
#include "framework/ui/ModalResults.h"

#include <memory>

// One header button. Caption, Enabled and Width tell the collection's OnChange when they change;
// Height and ImageIndex are stored silently.
class THeaderButton : public TCollectionItem {
public:
    explicit THeaderButton(TCollection* Collection) : TCollectionItem(Collection) {}

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    int ImageIndex() const { return FImageIndex; }  // default -1
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }  // default true
    void SetEnabled(bool Value);
    int Height() const { return FHeight; }  // 0 or less: automatic
    void SetHeight(int Value) { FHeight = Value; }
    int Width() const { return FWidth; }  // 0 or less: automatic
    void SetWidth(int Value);

    // Copies the properties of another button of this class, silently; any other source raises.
    void Assign(TPersistent* Source) override;

protected:
    void changed();

private:
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FHeight = 0;
    int FWidth = 0;
};

// A footer button: a header button with a modal result (stored silently) that may close the popup.
class TFooterButton : public THeaderButton {
public:
    explicit TFooterButton(TCollection* Collection) : THeaderButton(Collection) {}

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    void Assign(TPersistent* Source) override;

private:
    TModalResult FModalResult = mrNone;
};

// The button collections: OnChange (Sender: the collection) tells of a change of a button's
// caption, enabled state or width; adding, inserting and deleting tell nothing.
class THeaderButtons : public TOwnedCollection {
public:
    explicit THeaderButtons(TPersistent* AOwner);

    THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
    THeaderButton* Insert(int Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
    THeaderButton* Items(int Index) const { return static_cast<THeaderButton*>(TCollection::Items(Index)); }
    // Copies Value's properties into the button at Index.
    void SetItem(int Index, THeaderButton* Value) { TCollection::SetItems(Index, Value); }

    TNotifyEvent OnChange;
};

class TFooterButtons : public TCollection {
public:
    explicit TFooterButtons(TPersistent* AOwner);

    TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
    TFooterButton* Insert(int Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
    TFooterButton* Items(int Index) const { return static_cast<TFooterButton*>(TCollection::Items(Index)); }
    void SetItem(int Index, TFooterButton* Value) { TCollection::SetItems(Index, Value); }

    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }

private:
    TPersistent* FMyOwner;
};

// What the header's and the footer's settings share; TButtons is their button collection.
// Writing Visible tells OnChange when it changes; Font and Buttons copy what they are given;
// every other writer stores silently. OnButtonsChanged tells of a change of a button's caption,
// enabled state or width.
template <class TButtons>
class TStripAppearance : public TPersistent {
public:
    explicit TStripAppearance(TPersistent* AOwner);
    ~TStripAppearance() override;

    bool Visible() const { return FVisible; }  // default true
    void SetVisible(bool Value);
    int Height() const { return FHeight; }  // default 22
    void SetHeight(int Value) { FHeight = Value; }
    int BorderWidth() const { return FBorderWidth; }  // default 1; 0 or less: no border
    void SetBorderWidth(int Value) { FBorderWidth = Value; }
    int ImageIndex() const { return FImageIndex; }  // default -1: no image
    void SetImageIndex(int Value) { FImageIndex = Value; }
    // In the markup of the mini-HTML renderer.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) { FCaption = Value; }
    TColor ColorTo() const { return FColorTo; }  // default white; clNone: a solid background
    void SetColorTo(TColor Value) { FColorTo = Value; }
    TColor Color() const { return FColor; }  // default silver; clNone: no background
    void SetColor(TColor Value) { FColor = Value; }
    TColor BorderColor() const { return FBorderColor; }  // default black; clNone: no border
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TButtons* Buttons() const { return FButtons.get(); }
    void SetButtons(TButtons* Value) { FButtons->Assign(Value); }
    advdropdown::TGradientDirection GradientDirection() const { return FGradientDirection; }  // default gdVertical
    void SetGradientDirection(advdropdown::TGradientDirection Value) { FGradientDirection = Value; }
    advdropdown::TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }  // default baRight
    void SetButtonAlignment(advdropdown::TButtonAlignment Value) { FButtonAlignment = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

protected:
    TPersistent* GetOwner() const override { return FOwner; }
    // The colours, font and gradient direction, silently.
    void copyColors(const TStripAppearance& S);
    // Everything else but Visible, silently.
    void copyRest(const TStripAppearance& S);

private:
    TPersistent* FOwner;
    bool FVisible = true;
    int FHeight = 22;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    String FCaption;
    TColor FColorTo = clWhite;
    TColor FColor = clSilver;
    TColor FBorderColor = clBlack;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TButtons> FButtons;
    advdropdown::TGradientDirection FGradientDirection = advdropdown::gdVertical;
    advdropdown::TButtonAlignment FButtonAlignment = advdropdown::baRight;
};

extern template class TStripAppearance<THeaderButtons>;
extern template class TStripAppearance<TFooterButtons>;

// The header strip's settings; its font is "Tahoma".
class THeaderAppearance : public TStripAppearance<THeaderButtons> {
public:
    explicit THeaderAppearance(TPersistent* AOwner);

    // From another header appearance only (anything else changes nothing): the colours, caption,
    // font, image, border, gradient, height, Visible (telling OnChange), alignment and buttons.
    void Assign(TPersistent* Source) override;
    // The colours, font and gradient direction, silently; another class changes nothing.
    void AssignColors(TPersistent* Source);
};

// The footer strip's settings: those of the header with a size grip, and footer buttons; the
// font keeps the platform's default face.
class TFooterAppearance : public TStripAppearance<TFooterButtons> {
public:
    explicit TFooterAppearance(TPersistent* AOwner) : TStripAppearance(AOwner) {}

    // The grip in the bottom right corner that sizes the popup.
    bool SizeGrip() const { return FSizeGrip; }  // default true
    void SetSizeGrip(bool Value) { FSizeGrip = Value; }

    void Assign(TPersistent* Source) override;
    void AssignColors(TPersistent* Source);

private:
    bool FSizeGrip = true;
};

// A pointer list whose checked accessors raise "Index out of bounds in list read access" or
// "... write access" for an index outside the list.
class TDbgList : public TList {
public:
    // Clears the list, then appends every pointer of ListA.
    void AssignList(TList* ListA);
    void* GetItemsEx(int Index) const;
    void SetItemsEx(int Index, void* Value);
};
