// The wait window, shown without a border while a page is read; its Stop ends the wait.
#pragma once

#include "components/controls/AdvPanel.h"
#include "components/controls/AdvToolButton.h"
#include "components/controls/HTMLStaticText.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"
#include "framework/ui/Timer.h"

class T_waitForm : public TForm {
public:
    explicit T_waitForm(TComponent* AOwner);

    TAdvPanel* RightAdvPanel;
    TStaticText* WaitStaticText;
    THTMLStaticText* HTMLStaticText2;
    TAdvToolButton* Stop1AdvToolButton;
    TTimer* Timer;  // disabled, without a handler

    // Makes the window topmost, without moving or sizing it.
    void FormShow(TObject* Sender);
    // The panel takes the colour of the main window's outer panel.
    void FormActivate(TObject* Sender);
    // Waits ten seconds, then ends the wait for the page reader and asks it to stop.
    void Stop1AdvToolButtonClick(TObject* Sender);
};

extern T_waitForm* _waitForm;
