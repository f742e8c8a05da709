#include "app/proxy_unit.h"

#include "app/_mainUnit.h"

T_proxyForm* _proxyForm = nullptr;

namespace {

const char* const kValueNames[4] = {"server", "port", "username", "password"};

}  // namespace

T_proxyForm::T_proxyForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_proxyForm"));
    SetCaption(QStringLiteral("_proxyForm"));
    SetColor(clBtnFace);
    Font()->SetName(QStringLiteral("MS Sans Serif"));
    Font()->SetHeight(-11);
    SetClientWidth(248);
    SetClientHeight(136);

    Panel1 = new TPanel(this);
    Panel1->SetName(QStringLiteral("Panel1"));
    Panel1->SetParent(this);
    Panel1->SetAlign(alClient);
    Panel1->SetColor(clSkyBlue);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetCaption(String());

    ProxyCheckBox = new TCheckBox(this);
    ProxyCheckBox->SetName(QStringLiteral("ProxyCheckBox"));
    ProxyCheckBox->SetParent(Panel1);
    ProxyCheckBox->SetBounds(11, 14, 114, 17);
    ProxyCheckBox->SetCaption(QStringLiteral("Use HTTP proxy"));
    ProxyCheckBox->Font()->SetName(QStringLiteral("Tahoma"));
    ProxyCheckBox->Font()->SetStyle({fsBold});
    ProxyCheckBox->OnClick = [this](TObject* Sender) { ProxyCheckBoxClick(Sender); };

    const struct {
        const char* Name;
        int Left, Top;
        int FieldWidth;
    } Rows[4] = {{"Server", 11, 41, 166}, {"Port", 13, 60, 44}, {"Username", 11, 79, 100}, {"Password", 11, 100, 100}};
    TLabel** Labels[4] = {&Server, &Port, &Username, &Password};
    TAdvLUEdit** Fields[4] = {&ServerAdvLUEdit, &PortAdvLUEdit, &UsernameAdvLUEdit, &PasswordAdvLUEdit};
    const int FieldTops[4] = {39, 59, 79, 99};
    for (int i = 0; i < 4; ++i) {
        const String Name = QString::fromLatin1(Rows[i].Name);
        TLabel* Label = new TLabel(this);
        Label->SetName(Name);
        Label->SetParent(Panel1);
        Label->SetLeft(Rows[i].Left);
        Label->SetTop(Rows[i].Top);
        Label->SetCaption(Name);
        *Labels[i] = Label;
        // Flat, grey Tahoma, no history; the password is shown as typed.
        TAdvLUEdit* Field = new TAdvLUEdit(this);
        Field->SetName(Name + QStringLiteral("AdvLUEdit"));
        Field->SetParent(Panel1);
        Field->SetAutoSize(false);
        Field->SetBounds(70, FieldTops[i], Rows[i].FieldWidth, 19);
        Field->SetFlat(true);
        Field->SetAutoHistory(false);
        Field->Font()->SetName(QStringLiteral("Tahoma"));
        Field->Font()->SetColor(clGray);
        Field->SetText(String());
        *Fields[i] = Field;
    }
}

void T_proxyForm::ProxyCheckBoxClick(TObject*) {
    const bool On = ProxyCheckBox->Checked();
    // It is the main window that changes height, not this one.
    if (_mainForm) _mainForm->SetHeight(On ? 350 : 285);
    for (TAdvLUEdit* Field : {ServerAdvLUEdit, PortAdvLUEdit, UsernameAdvLUEdit, PasswordAdvLUEdit})
        Field->SetEnabled(On);
    if (!_mainForm) return;
    if (!On) {
        _mainForm->delete_reg(SettingsKey, QStringLiteral("proxy"));
        for (const char* Name : kValueNames) _mainForm->delete_reg(SettingsKey, QString::fromLatin1(Name));
        return;
    }
    _mainForm->write_reg_integer(SettingsKey, QStringLiteral("proxy"), 1);
    const TAdvLUEdit* const Values[4] = {ServerAdvLUEdit, PortAdvLUEdit, UsernameAdvLUEdit, PasswordAdvLUEdit};
    for (int i = 0; i < 4; ++i)
        _mainForm->write_reg_string(SettingsKey, QString::fromLatin1(kValueNames[i]), Values[i]->Text());
}

void T_proxyForm::ProxyALCheckBoxClick(TObject* Sender) { ProxyCheckBoxClick(Sender); }
