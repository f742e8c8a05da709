#include "app/_mainUnit.h"

T_mainForm* _mainForm = nullptr;

T_mainForm::T_mainForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_mainForm"));
    SetCaption(QStringLiteral("Quillory Video Downloader"));
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu, biMinimize});
    SetPosition(poScreenCenter);
    SetScaled(false);
    Font()->SetName(QStringLiteral("MS Sans Serif"));
    Font()->SetHeight(-11);
    SetClientWidth(613);
    SetClientHeight(557);
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void T_mainForm::FormCreate(TObject* Sender) { SetColor(MainFormColor); }
