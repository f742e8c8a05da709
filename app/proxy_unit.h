// The proxy window: holds the HTTP proxy switch and fields whose values the main window stores.
#pragma once

#include "framework/ui/Forms.h"

class T_proxyForm : public TForm {
public:
    explicit T_proxyForm(TComponent* AOwner);
};

extern T_proxyForm* _proxyForm;
