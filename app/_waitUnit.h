// The wait window, shown without a border while a page is read.
#pragma once

#include "framework/ui/Forms.h"

class T_waitForm : public TForm {
public:
    explicit T_waitForm(TComponent* AOwner);
};

extern T_waitForm* _waitForm;
