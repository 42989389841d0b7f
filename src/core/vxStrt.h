#pragma once

#include "controls/Form.h"

struct VOXA1;
class QLabel;

// The splash window shown while the grade book starts.
class vxStrt : public Form {
    Q_OBJECT
public:
    vxStrt(VOXA1& c, Forms& forms);
    void Form_Load() override;

    static QString caption();

private:
    VOXA1& c;
    QLabel* m_picture;
};
