// TCustomButtonPanel: the calculator's panel of 28 glossy buttons that glow while the pointer is
// over one or presses it. It reports a completed click by the button's index; what a button means
// is its Tag (the calculator's key code), which the panel never reads. The buttons' colours and
// font come from one TButtonAppearance. On its own on a window the panel frames itself and repaints
// on changes; inside the calculator's popup the calculator lays it out at each opening.
#pragma once

#include "components/dropdowns/AdvDropDownTypes.h"
#include "components/dropdowns/AdvItemSelector.h"
#include "framework/rtl/Collection.h"
#include "framework/ui/Controls.h"

#include <functional>
#include <memory>

class TCustomImageList;
class TPicture;
class TAdvCustomDropDown;
class TCustomButtonPanel;

// The menu styler's unit has a button appearance of its own; this one is the calculator's.
namespace calcpanel {

enum TButtonPanelType { plCalculator, plCustom };
using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

// Colours and font of the calculator's buttons. Colour writers fire OnChange on a change (the
// shine colour's stores only); the checked and disabled colours are kept and copied, not drawn.
class TButtonAppearance : public TPersistent {
public:
    TButtonAppearance();
    ~TButtonAppearance() override;

    TColor BorderColor() const { return FBorderColor; }  // default black
    void SetBorderColor(TColor Value) { setColor(FBorderColor, Value); }
    TColor BorderColorHot() const { return FBorderColorHot; }  // default black
    void SetBorderColorHot(TColor Value) { setColor(FBorderColorHot, Value); }
    TColor BorderColorDown() const { return FBorderColorDown; }  // default black
    void SetBorderColorDown(TColor Value) { setColor(FBorderColorDown, Value); }
    TColor BorderColorChecked() const { return FBorderColorChecked; }  // default 0xFF0000
    void SetBorderColorChecked(TColor Value) { setColor(FBorderColorChecked, Value); }
    TColor Color() const { return FColor; }  // default 0x9A915F
    void SetColor(TColor Value) { setColor(FColor, Value); }
    TColor ColorTo() const { return FColorTo; }  // default 0xB0A170
    void SetColorTo(TColor Value) { setColor(FColorTo, Value); }
    TColor ColorDown() const { return FColorDown; }  // default 0x4B2F08
    void SetColorDown(TColor Value) { setColor(FColorDown, Value); }
    TColor ColorDownTo() const { return FColorDownTo; }  // default 0xADB514
    void SetColorDownTo(TColor Value) { setColor(FColorDownTo, Value); }
    TColor ColorHot() const { return FColorHot; }  // default 0x9F6F1C
    void SetColorHot(TColor Value) { setColor(FColorHot, Value); }
    TColor ColorHotTo() const { return FColorHotTo; }  // default 0xD5C244
    void SetColorHotTo(TColor Value) { setColor(FColorHotTo, Value); }
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value) { setColor(FColorCheckedTo, Value); }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor Value) { setColor(FColorDisabled, Value); }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor Value) { setColor(FColorDisabledTo, Value); }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value) { setColor(FColorChecked, Value); }
    TFont* Font() const { return FFont.get(); }  // size 10, bold
    void SetFont(TFont* Value);
    TColor ShineColor() const { return FShineColor; }  // default white
    void SetShineColor(TColor Value) { FShineColor = Value; }
    TColor GlowColorHot() const { return FGlowColorHot; }  // default 0xD5C244; clNone: no glow
    void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
    TColor GlowColorDown() const { return FGlowColorDown; }  // default 0xD5C244
    void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
    TColor TextColor() const { return FTextColor; }  // default black
    void SetTextColor(TColor Value) { setColor(FTextColor, Value); }
    TColor SpecialTextColor() const { return FSpecialTextColor; }  // default 0x000080
    void SetSpecialTextColor(TColor Value) { setColor(FSpecialTextColor, Value); }

    TNotifyEvent OnChange;

    // From another button appearance: the colours through their writers, the glow colours and
    // the font; any other source goes to the platform's Assign.
    void Assign(TPersistent* Source) override;

private:
    TColor FBorderColor = 0x000000;
    TColor FBorderColorHot = 0x000000;
    TColor FBorderColorDown = 0x000000;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = 0x9A915F;
    TColor FColorTo = 0xB0A170;
    TColor FColorDown = 0x4B2F08;
    TColor FColorDownTo = 0xADB514;
    TColor FColorHot = 0x9F6F1C;
    TColor FColorHotTo = 0xD5C244;
    TColor FColorCheckedTo;
    TColor FColorDisabled;
    TColor FColorDisabledTo;
    TColor FColorChecked;
    std::unique_ptr<TFont> FFont;
    TColor FShineColor = 0xFFFFFF;
    TColor FGlowColorHot = 0xD5C244;
    TColor FGlowColorDown = 0xD5C244;
    TColor FTextColor = 0x000000;
    TColor FSpecialTextColor = 0x000080;

    void setColor(TColor& Field, TColor Value);
    void Changed();
};

}  // namespace calcpanel

// One button: caption, picture or list image, key code in Tag, and its rectangle in the panel.
class TCalcButtonItem : public TCollectionItem {
public:
    explicit TCalcButtonItem(TCollection* Collection);
    ~TCalcButtonItem() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    int ImageIndex() const { return FImageIndex; }  // default -1: none
    void SetImageIndex(int Value) { FImageIndex = Value; }
    // A disabled button takes neither the hot nor the pressed state.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    // Drawn instead of the list image when not empty; the writer copies.
    TPicture* Image() const { return FImage.get(); }
    void SetImage(TPicture* Value);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    // Kept and copied; the caption is drawn in the appearance's text colours.
    TColor CaptionColor() const { return FCaptionColor; }  // default white
    void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
    // The caption in the appearance's SpecialTextColor.
    bool Special() const { return FSpecial; }
    void SetSpecial(bool Value) { FSpecial = Value; }
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

    // From another button: caption, caption colour, tag, image index, picture, enabled state
    // and name (not the special flag, not the rectangle).
    void Assign(TPersistent* Source) override;

private:
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<TPicture> FImage;
    int FTag = 0;
    int FHeight = 0;
    int FLeft = 0;
    int FWidth = 0;
    int FTop = 0;
    String FName;
    TColor FCaptionColor = 0xFFFFFF;
    bool FSpecial = false;
};

class TCalcButtonItems : public TCollection {
public:
    explicit TCalcButtonItems(TPersistent* AOwner);

    TCalcButtonItem* Add() { return static_cast<TCalcButtonItem*>(TCollection::Add()); }
    TCalcButtonItem* Insert(int Index) { return static_cast<TCalcButtonItem*>(TCollection::Insert(Index)); }
    TCalcButtonItem* Items(int Index) const { return static_cast<TCalcButtonItem*>(TCollection::Items(Index)); }

    TNotifyEvent OnChange;

protected:
    TPersistent* GetOwner() const override { return FMyOwner; }
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FMyOwner;
};

class TCustomButtonPanel : public TCustomControl {
public:
    explicit TCustomButtonPanel(TComponent* AOwner);
    ~TCustomButtonPanel() override;

    TCalcButtonItems* Buttons() const { return FButtons.get(); }
    void SetButtons(TCalcButtonItems* Value) { FButtons->Assign(Value); }
    advdropdown::TItemLayout ButtonLayout() const { return FButtonLayout; }  // default ilCaptionRight
    void SetButtonLayout(advdropdown::TItemLayout Value) { FButtonLayout = Value; }
    advdropdown::TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }  // stored only
    void SetItemColorStyle(advdropdown::TSelectionColorStyle Value) { FItemColorStyle = Value; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TWinControl* Edit() const { return FEdit; }
    void SetEdit(TWinControl* Value);
    // plCustom: the panel neither makes nor arranges the calculator's buttons.
    calcpanel::TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(calcpanel::TButtonPanelType Value);
    calcpanel::TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
    void SetButtonAppearance(calcpanel::TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
    TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
    // The hosting drop-down; null for a panel on its own.
    void SetAdvDropDown(TAdvCustomDropDown* Value) { FAdvDropDown = Value; }

    calcpanel::TCalculatorButtonClickEvent OnButtonClick;

    int ButtonHot() const { return FButtonHot; }
    int ButtonDown() const { return FButtonDown; }
    void SetButtonHot(int Index);
    void SetButtonDown(int Index);
    // The first button holding the point (right and bottom edges outside); -1 for none.
    int ButtonAtPos(int X, int Y) const;
    // (-1, -1, -1, -1) outside the list.
    TRect GetButtonRect(int Index) const;

    virtual void DrawButton(int Index, TCanvas* ACanvas);
    virtual void GetButtonArea(TRect& R);
    virtual void GetButtonSize(int& W, int& H);
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void InitButtons();
    virtual void UpdateButtonLayout();
    virtual void InvalidateButton(int Index);
    virtual void ButtonClick(int Index);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    std::unique_ptr<TCalcButtonItems> FButtons;
    advdropdown::TItemLayout FButtonLayout = advdropdown::ilCaptionRight;
    advdropdown::TSelectionColorStyle FItemColorStyle = advdropdown::scCustom;
    int FButtonHot = -1;
    int FOffSetX = 8;
    int FOffSetY = 8;
    int FButtonOffSetX = 4;
    int FButtonOffSetY = 4;
    TCustomImageList* FImages = nullptr;
    int FCaptionGap = 0;
    TWinControl* FEdit = nullptr;
    calcpanel::TButtonPanelType FButtonPanelType = calcpanel::plCalculator;
    std::unique_ptr<calcpanel::TButtonAppearance> FButtonAppearance;
    int FButtonDown = -1;
    TAdvCustomDropDown* FAdvDropDown = nullptr;
    bool FIsWinXP = false;

    bool validIndex(int Index) const { return Index >= 0 && Index < FButtons->Count(); }
    bool disabledButton(int Index) const { return validIndex(Index) && !FButtons->Items(Index)->Enabled(); }
    void addDefaultButtons();
    void drawButtonContent(TCalcButtonItem* Item, TCanvas* C, TRect Content);
    void changedAlone(TObject* Sender);
};

// The glossy button face: the lower half a gradient, the upper half with a shine over it, a white
// line under the top, an inner edge, the border and, unless GlowColor is clNone, a halo reaching
// eight pixels beyond the button.
void DrawGlowButton(TCanvas* Canvas, const TRect& R, TColor BorderColor, TColor EdgeColor, TColor Color, TColor ColorTo,
                    TColor GlowColor, TColor ShineColor);
