// The info window: the fields of one entry, in two columns of labels. Nothing shows it.
#pragma once

#include "components/controls/AdvPanel.h"
#include "framework/ui/Forms.h"
#include "framework/ui/StdCtrls.h"

class T_InfoForm : public TForm {
public:
    explicit T_InfoForm(TComponent* AOwner);

    TAdvPanel* AdvPanel1;
    TAdvPanel* LeftAdvPanel;
    TLabel* Link;
    TLabel* Server;
    TLabel* Filename;
    TLabel* Folder;
    TLabel* Format;
    TLabel* Link2;
    TLabel* Server2;
    TLabel* Filename2;
    TLabel* Folder2;
    TLabel* Format2;

    // The window takes the main window's colour, both panels that of its outer panel.
    void FormActivate(TObject* Sender);
};

extern T_InfoForm* _InfoForm;
