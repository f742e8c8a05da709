// The proxy window: holds the HTTP proxy switch and fields whose values the main window stores.
// Nothing shows it; the main window's activation fills and ticks it when "proxy" is stored.
#pragma once

#include "components/controls/AdvLUEdit.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

class T_proxyForm : public TForm {
public:
    explicit T_proxyForm(TComponent* AOwner);

    TPanel* Panel1;
    TCheckBox* ProxyCheckBox;
    TLabel* Server;
    TLabel* Port;
    TLabel* Username;
    TLabel* Password;
    TAdvLUEdit* ServerAdvLUEdit;
    TAdvLUEdit* PortAdvLUEdit;
    TAdvLUEdit* UsernameAdvLUEdit;
    TAdvLUEdit* PasswordAdvLUEdit;

    // Ticked: the main window's height becomes 350, the fields are enabled and "proxy" = 1 and the
    // four field texts are stored. Unticked: height 285, fields disabled, the five values deleted.
    void ProxyCheckBoxClick(TObject* Sender);
    // The same, called by the main window's activation.
    void ProxyALCheckBoxClick(TObject* Sender);
};

extern T_proxyForm* _proxyForm;
