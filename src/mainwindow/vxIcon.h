#pragma once

#include "controls/Form.h"

struct VOXA1;

// "Voxaとは": a few words about the program.
class vxIcon : public Form {
    Q_OBJECT
public:
    vxIcon(VOXA1& c, Forms& forms);
    void cmdOK_Click();

private:
    VOXA1& c;
};
