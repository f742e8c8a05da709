#include "app/_infoUnit.h"

T_InfoForm* _InfoForm = nullptr;

T_InfoForm::T_InfoForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_InfoForm"));
    SetCaption(QStringLiteral("Info"));
    SetBorderStyle(bsDialog);
    SetPosition(poOwnerFormCenter);
    SetClientWidth(521);
    SetClientHeight(152);
}
