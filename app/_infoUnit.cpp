#include "app/_infoUnit.h"

#include "app/_mainUnit.h"

T_InfoForm* _InfoForm = nullptr;

namespace {

TAdvPanel* placePanel(TWinControl* Parent, TComponent* Owner, const char* Name, TColor BorderColor) {
    auto* Panel = new TAdvPanel(Owner);
    Panel->SetName(QString::fromLatin1(Name));
    Panel->SetParent(Parent);
    Panel->SetColor(clSkyBlue);
    Panel->SetBorderColor(BorderColor);
    return Panel;
}

}  // namespace

T_InfoForm::T_InfoForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_InfoForm"));
    SetCaption(QStringLiteral("Info"));
    SetBorderStyle(bsDialog);
    SetPosition(poOwnerFormCenter);
    SetClientWidth(521);
    SetClientHeight(152);

    AdvPanel1 = placePanel(this, this, "AdvPanel1", 0x0099FF);
    AdvPanel1->SetAlign(alClient);
    LeftAdvPanel = placePanel(AdvPanel1, this, "LeftAdvPanel", clTeal);
    LeftAdvPanel->SetBounds(10, 10, 496, 131);

    const char* const Names[5] = {"Link", "Server", "Filename", "Folder", "Format"};
    const int Tops[5] = {18, 36, 56, 76, 95};
    TLabel** Captions[5] = {&Link, &Server, &Filename, &Folder, &Format};
    TLabel** Values[5] = {&Link2, &Server2, &Filename2, &Folder2, &Format2};
    for (int i = 0; i < 5; ++i)
        for (int Column = 0; Column < 2; ++Column) {
            const String Caption = QString::fromLatin1(Names[i]);
            auto* Label = new TLabel(this);
            Label->SetName(Column == 0 ? Caption : Caption + u'2');
            Label->SetParent(LeftAdvPanel);
            Label->SetLeft(Column == 0 ? 18 : 74);
            Label->SetTop(Tops[i]);
            Label->SetCaption(Caption);
            Label->Font()->SetName(QStringLiteral("Tahoma"));
            Label->Font()->SetColor(clBlue);
            *(Column == 0 ? Captions[i] : Values[i]) = Label;
        }
    OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
}

void T_InfoForm::FormActivate(TObject*) {
    if (!_mainForm) return;
    SetColor(_mainForm->Color());
    AdvPanel1->SetColor(_mainForm->AdvPanel1->Color());
    LeftAdvPanel->SetColor(_mainForm->AdvPanel1->Color());
}
