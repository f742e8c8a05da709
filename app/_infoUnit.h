// The info window: the fields of one entry, in two columns of labels.
#pragma once

#include "framework/ui/Forms.h"

class T_InfoForm : public TForm {
public:
    explicit T_InfoForm(TComponent* AOwner);
};

extern T_InfoForm* _InfoForm;
