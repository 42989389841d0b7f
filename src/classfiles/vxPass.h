#pragma once

#include "controls/Form.h"

struct VOXA1;
class QLineEdit;

// "パスワード設定": sets, changes or removes the class's password.
class vxPass : public Form {
    Q_OBJECT
public:
    vxPass(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void Text1_Enter();
    void Text2_Enter();
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void handBack();

    VOXA1& c;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QString m_first;
    bool m_firstAccepted = false;
    QString m_before;
};
