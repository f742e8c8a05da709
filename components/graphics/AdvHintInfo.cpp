// TAdvHintInfo.
#include "components/graphics/AdvHintInfo.h"

TAdvHintInfo::TAdvHintInfo() : FPicture(std::make_unique<TGDIPPicture>()), FNotes(std::make_unique<TStringList>()) {}

TAdvHintInfo::~TAdvHintInfo() = default;

void TAdvHintInfo::Assign(TPersistent* Source) {
    auto* Other = dynamic_cast<TAdvHintInfo*>(Source);
    if (!Other || Other == this) return;
    FTitle = Other->FTitle;
    FNotes->Assign(Other->FNotes.get());
    FShowHelp = Other->FShowHelp;
    FPicture->Assign(Other->FPicture.get());
    FWideTitle = Other->FWideTitle;
    FWideNotes = Other->FWideNotes;
}

bool TAdvHintInfo::IsEmpty() const { return FTitle.isEmpty() && FNotes->Text().isEmpty(); }
