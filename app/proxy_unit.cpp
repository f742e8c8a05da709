#include "app/proxy_unit.h"

T_proxyForm* _proxyForm = nullptr;

T_proxyForm::T_proxyForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_proxyForm"));
    SetCaption(QStringLiteral("_proxyForm"));
    SetColor(clBtnFace);
    Font()->SetName(QStringLiteral("MS Sans Serif"));
    Font()->SetHeight(-11);
    SetClientWidth(248);
    SetClientHeight(136);
}
