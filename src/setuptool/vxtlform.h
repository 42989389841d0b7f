#pragma once

#include "controls/Form.h"

class QRadioButton;

// Asks for the kind of computer and writes the settings file with the matching data folder.
class vxtlform : public Form {
    Q_OBJECT
public:
    explicit vxtlform(Forms& forms);
    bool Form_QueryUnload(UnloadMode mode) override;

    void Option1_Click(int index);
    void cmdRun_Click();
    void cmdCancel_Click();

    // Write "voxa.ini" for the machine, then create its data folder.
    void nec();
    void dosv();

private:
    // Writes the settings file and the folder, and tells the teacher how it went.
    void setUp(bool nec98);
    void colourOptions();

    QRadioButton* m_options[2];
    int m_index = 0;
};
