// The main window: the download list, the link box and the settings boxes.
#pragma once

#include "framework/ui/Forms.h"

class T_mainForm : public TForm {
public:
    explicit T_mainForm(TComponent* AOwner);

    void FormCreate(TObject* Sender);
};

extern T_mainForm* _mainForm;

// The main window's own colour, also given to its panels and boxes.
inline constexpr TColor MainFormColor = 0xD3AC64;
