// The header and footer strips the popup makes on demand (TDropDownForm::InitializeAndUpdate):
// each keeps its own copy of the edit's DropDownHeader or DropDownFooter, the edit's images and
// the edit it belongs to, and follows its copy's Visible and Height. What they paint and their
// buttons come with the strips' painting and buttons.
#pragma once

#include "components/dropdowns/AdvDropDownTypes.h"
#include "components/dropdowns/HeaderAppearance.h"
#include "framework/ui/Controls.h"

#include <memory>

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

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    // The edit's appearance for this strip.
    virtual TAppearance* EditAppearance(TAdvCustomDropDown* ADropDown) const = 0;
    virtual void CreateButtons() {}
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TDbgList* ButtonList() const { return FButtonList.get(); }

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

protected:
    THeaderAppearance* EditAppearance(TAdvCustomDropDown* ADropDown) const override;
};

class TAdvFooter : public TDropDownStrip<TFooterAppearance, TFooterButtons> {
public:
    explicit TAdvFooter(TComponent* AOwner);

protected:
    TFooterAppearance* EditAppearance(TAdvCustomDropDown* ADropDown) const override;
};

extern template class TDropDownStrip<THeaderAppearance, THeaderButtons>;
extern template class TDropDownStrip<TFooterAppearance, TFooterButtons>;
