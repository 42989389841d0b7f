#pragma once

#include "controls/Form.h"

struct VOXA1;
class QLabel;

// The hub window of a run. It shows the loaded class and opens every other window; a window that
// hands back names itself in ReturnForm, and this window unloads it when it comes back.
class vxMain : public Form {
    Q_OBJECT
public:
    vxMain(VOXA1& c, Forms& forms);

    void Form_Load() override;
    void Form_Activate() override;
    bool Form_QueryUnload(UnloadMode mode) override;

    // Reads "voxa.ini" into DataFolder and PassHidden.
    void Ini_Load();
    void mnuEnd_Click();

private:
    void unloadReturner();
    void showClassName();

    VOXA1& c;
    QLabel* m_className;
};
