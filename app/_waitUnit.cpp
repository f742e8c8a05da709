#include "app/_waitUnit.h"

T_waitForm* _waitForm = nullptr;

T_waitForm::T_waitForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_waitForm"));
    SetBorderStyle(bsNone);
    SetPosition(poOwnerFormCenter);
    SetColor(clSilver);
    SetClientWidth(325);
    SetClientHeight(79);
}
