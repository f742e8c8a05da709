// The wait window, shown without a border while a page is read; its Stop ends the wait.
#pragma once

#include "framework/ui/Buttons.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

class T_waitForm : public TForm {
public:
    explicit T_waitForm(TComponent* AOwner);

    TPanel* RightAdvPanel;
    TLabel* WaitStaticText;
    TLabel* HTMLStaticText2;
    TSpeedButton* Stop1AdvToolButton;

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    // Waits ten seconds, then ends the wait for the page reader and asks it to stop.
    void Stop1AdvToolButtonClick(TObject* Sender);
};

extern T_waitForm* _waitForm;
