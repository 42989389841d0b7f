#pragma once

#include "controls/Form.h"

struct VOXA1;

// The exit window: saves the class if the teacher wishes and ends the program.
class vxEnd : public Form {
    Q_OBJECT
public:
    vxEnd(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void cmdEnd_Click();
    void cmdBack_Click();

private:
    VOXA1& c;
};
