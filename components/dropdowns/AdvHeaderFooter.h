// The header and footer strips the popup makes on demand (TDropDownForm::InitializeAndUpdate):
// each keeps its own copy of the edit's DropDownHeader or DropDownFooter, the edit's images and
// the edit it belongs to, follows its copy's Visible and Height, paints its background, border,
// image and markup caption, and lines up the push buttons its collection describes. The footer
// adds the size grip that resizes the popup from its bottom right corner.
#pragma once

#include "components/dropdowns/AdvDropDownTypes.h"
#include "components/dropdowns/HeaderAppearance.h"
#include "framework/ui/Controls.h"

#include <memory>

class TAdvButton;
class TAdvCustomDropDown;
class TCustomImageList;

// What the two strips share; TAppearance is THeaderAppearance or TFooterAppearance.
template <class TAppearance, class TButtons>
class TDropDownStrip : public TCustomControl {
public:
    explicit TDropDownStrip(TComponent* AOwner);
    ~TDropDownStrip() override;

    // The strip's own copy; the writer copies.
    TAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TAppearance* Value) { FAppearance->Assign(Value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // The edit's buttons of this strip; nullptr while no edit is linked.
    TButtons* Buttons() const;
    TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
    // Links the edit: takes its images and a copy of its appearance for this strip (nullptr
    // clears Images).
    void SetAdvDropDown(TAdvCustomDropDown* ADropDown);
    // Builds the buttons when an edit is linked.
    void InitButtons();
    // The button controls, in collection order.
    TDbgList* ButtonList() const { return FButtonList.get(); }
    TAdvButton* ButtonControl(int Index) const { return static_cast<TAdvButton*>(FButtonList->GetItemsEx(Index)); }

    // The area the buttons line up in, and its height.
    TRect GetButtonRect() const;
    int GetButtonAreaHeight() const { return GetButtonRect().Height(); }
    // The button area ending 2 pixels left of the last button; (-1,-1,-1,-1) without buttons.
    TRect GetCaptionRect() const;

    // Replaces the whole drawing of the strip; its buttons still show.
    TDrawBackGroundEvent OnDrawBackGround;
    // May change the caption before it is drawn.
    TGetTextEvent OnGetText;

    // Rebuilds the button controls from the items.
    virtual void CreateButtons();
    virtual void RemoveButtons();
    // Lines the buttons up on the side ButtonAlignment names (also on every size change).
    virtual void ArrangeButtons();
    // Gives the existing buttons the edit's colours, the images and their items' caption, image
    // and enabled state again, then lines them up; nothing is rebuilt or resized.
    virtual void UpdateButtons();

protected:
    // The edit's appearance for this strip.
    virtual TAppearance* EditAppearance(TAdvCustomDropDown* ADropDown) const = 0;
    virtual void ButtonClicked(int Index) = 0;
    // What the footer adds to a button: the edit link and the item's modal result.
    virtual void PrepareButton(TAdvButton*, int) {}
    // The room the size grip takes from the button area.
    virtual int GripRoom() const { return 0; }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    // Background, border, image and caption; false when OnDrawBackGround drew instead.
    bool PaintStrip(bool AtBottom);

private:
    std::unique_ptr<TAppearance> FAppearance;
    TCustomImageList* FImages = nullptr;
    TAdvCustomDropDown* FAdvDropDown = nullptr;
    std::unique_ptr<TDbgList> FButtonList;

    void AppearanceChanged(TObject* Sender);
};

class TAdvHeader : public TDropDownStrip<THeaderAppearance, THeaderButtons> {
public:
    explicit TAdvHeader(TComponent* AOwner);

    void ArrangeButtons() override;

protected:
    THeaderAppearance* EditAppearance(TAdvCustomDropDown* ADropDown) const override;
    void ButtonClicked(int Index) override;
    void Paint() override;
};

class TAdvFooter : public TDropDownStrip<TFooterAppearance, TFooterButtons> {
public:
    explicit TAdvFooter(TComponent* AOwner);

    // The appearance shows a grip, an edit is linked and its popup is sizeable.
    bool SizeGripVisible() const;
    // Six 2 x 2 dots in a triangle left of L and above B, each with a white edge at its lower
    // right.
    void DrawSizeGrip(int L, int B);

protected:
    TFooterAppearance* EditAppearance(TAdvCustomDropDown* ADropDown) const override;
    void ButtonClicked(int Index) override;
    void PrepareButton(TAdvButton* Button, int Index) override;
    int GripRoom() const override { return SizeGripVisible() ? 12 : 0; }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    TCursor FOldCursor = crDefault;

    bool inGrip(int X, int Y) const;
    void restoreCursor();
};

extern template class TDropDownStrip<THeaderAppearance, THeaderButtons>;
extern template class TDropDownStrip<TFooterAppearance, TFooterButtons>;
