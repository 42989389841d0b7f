#pragma once

#include "controls/Form.h"

// The warning shown first: the tool must not be run where the grade book is already in use.
class CatnForm : public Form {
    Q_OBJECT
public:
    explicit CatnForm(Forms& forms);
    bool Form_QueryUnload(UnloadMode mode) override;

    void cmdNext_Click();
    void cmdQuit_Click();
};
