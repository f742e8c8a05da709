#include "components/dropdowns/AdvHeaderFooter.h"

#include "components/dropdowns/AdvDropDown.h"
#include "framework/ui/ImgList.h"

template <class TAppearance, class TButtons>
TDropDownStrip<TAppearance, TButtons>::TDropDownStrip(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TAppearance>(AOwner)),
      FButtonList(std::make_unique<TDbgList>()) {
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    SetBorderWidth(0);
    SetDoubleBuffered(true);
}

template <class TAppearance, class TButtons>
TDropDownStrip<TAppearance, TButtons>::~TDropDownStrip() {
    FAppearance->OnChange = nullptr;
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

template <class TAppearance, class TButtons>
TButtons* TDropDownStrip<TAppearance, TButtons>::Buttons() const {
    return FAdvDropDown ? EditAppearance(FAdvDropDown)->Buttons() : nullptr;
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::SetAdvDropDown(TAdvCustomDropDown* ADropDown) {
    FAdvDropDown = ADropDown;
    if (!ADropDown) {
        SetImages(nullptr);
        return;
    }
    SetImages(ADropDown->Images());
    FAppearance->Assign(EditAppearance(ADropDown));
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::InitButtons() {
    if (FAdvDropDown) CreateButtons();
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::AppearanceChanged(TObject*) {
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
}

template <class TAppearance, class TButtons>
void TDropDownStrip<TAppearance, TButtons>::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

template class TDropDownStrip<THeaderAppearance, THeaderButtons>;
template class TDropDownStrip<TFooterAppearance, TFooterButtons>;

TAdvHeader::TAdvHeader(TComponent* AOwner) : TDropDownStrip(AOwner) {
    TControlStyle Style = ControlStyle();
    Style.Include(csAcceptsControls);
    Style.Include(csClickEvents);
    Style.Include(csDoubleClicks);
    SetControlStyle(Style);
}

THeaderAppearance* TAdvHeader::EditAppearance(TAdvCustomDropDown* ADropDown) const {
    return ADropDown->DropDownHeader();
}

TAdvFooter::TAdvFooter(TComponent* AOwner) : TDropDownStrip(AOwner) {
    TControlStyle Style = ControlStyle();
    Style.Include(csAcceptsControls);
    Style.Include(csClickEvents);
    Style.Include(csDoubleClicks);
    Style.Include(csCaptureMouse);
    SetControlStyle(Style);
}

TFooterAppearance* TAdvFooter::EditAppearance(TAdvCustomDropDown* ADropDown) const {
    return ADropDown->DropDownFooter();
}
