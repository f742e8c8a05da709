#include "app/_waitUnit.h"

#include "app/Entries.h"
#include "app/_mainUnit.h"
#include "framework/rtl/Clock.h"

T_waitForm* _waitForm = nullptr;

T_waitForm::T_waitForm(TComponent* AOwner) : TForm(AOwner) {
    SetName(QStringLiteral("_waitForm"));
    SetBorderStyle(bsNone);
    SetPosition(poOwnerFormCenter);
    SetColor(clSilver);
    SetClientWidth(325);
    SetClientHeight(79);

    RightAdvPanel = new TAdvPanel(this);
    RightAdvPanel->SetName(QStringLiteral("RightAdvPanel"));
    RightAdvPanel->SetParent(this);
    RightAdvPanel->SetAlign(alClient);
    RightAdvPanel->SetColor(clMoneyGreen);

    WaitStaticText = new TStaticText(this);
    WaitStaticText->SetName(QStringLiteral("WaitStaticText"));
    WaitStaticText->SetParent(RightAdvPanel);
    WaitStaticText->SetAutoSize(false);
    WaitStaticText->SetBounds(18, 14, 183, 17);
    WaitStaticText->SetTransparent(true);
    WaitStaticText->Font()->SetName(QStringLiteral("Tahoma"));
    WaitStaticText->Font()->SetStyle({fsBold});
    WaitStaticText->Font()->SetColor(clBlack);
    WaitStaticText->SetCaption(QStringLiteral("Please Wait (up to 3 minutes) ..."));

    HTMLStaticText2 = new THTMLStaticText(this);
    HTMLStaticText2->SetName(QStringLiteral("HTMLStaticText2"));
    HTMLStaticText2->SetParent(RightAdvPanel);
    HTMLStaticText2->SetBounds(18, 37, 290, 33);
    HTMLStaticText2->HTMLText()->SetText(QStringLiteral(
        "<FONT color=\"#0000FF\">If you are having problems in getting the video, please double-check your "
        "firewall configuration.</FONT>"));

    Stop1AdvToolButton = new TAdvToolButton(this);
    Stop1AdvToolButton->SetName(QStringLiteral("Stop1AdvToolButton"));
    Stop1AdvToolButton->SetParent(RightAdvPanel);
    Stop1AdvToolButton->SetBounds(215, 9, 84, 22);
    Stop1AdvToolButton->SetCaption(QStringLiteral("Stop"));
    Stop1AdvToolButton->SetColor(clCream);
    Stop1AdvToolButton->SetBorderColor(clBlack);
    Stop1AdvToolButton->SetBorderDownColor(clNavy);
    Stop1AdvToolButton->SetBorderHotColor(clTeal);
    Stop1AdvToolButton->Font()->SetName(QStringLiteral("Tahoma"));
    Stop1AdvToolButton->Font()->SetStyle({fsBold});
    Stop1AdvToolButton->Font()->SetColor(clBlack);
    Stop1AdvToolButton->OnClick = [this](TObject* Sender) { Stop1AdvToolButtonClick(Sender); };

    Timer = new TTimer(this);
    Timer->SetName(QStringLiteral("Timer"));
    Timer->SetEnabled(false);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
}

void T_waitForm::FormShow(TObject*) { SetFormStyle(fsStayOnTop); }

void T_waitForm::FormActivate(TObject*) {
    if (_mainForm) RightAdvPanel->SetColor(_mainForm->AdvPanel1->Color());
}

void T_waitForm::Stop1AdvToolButtonClick(TObject*) {
    Stop1AdvToolButton->SetEnabled(false);
    Sleep(10000);
    grab_done = true;
    TerminateGrabThread();
    Stop1AdvToolButton->SetEnabled(true);
    Close();
}
