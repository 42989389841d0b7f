#pragma once

#include "controls/Form.h"

struct VOXA1;

// "バージョン情報": the program's version. It replaces the main window while it is open.
class vxVer : public Form {
    Q_OBJECT
public:
    vxVer(VOXA1& c, Forms& forms);
    void Form_Load() override;
    void cmdOK_Click();

private:
    VOXA1& c;
};
