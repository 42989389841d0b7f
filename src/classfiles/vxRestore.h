#pragma once

#include "controls/Form.h"

#include <QStringList>

struct VOXA1;
class QListWidget;

// "バックアップから戻す": the current class's backup sets, newest first by when they were made;
// 戻す puts the class back as it was in the chosen set, keeping the class as it is now in a new
// set, so that a restore can itself be undone.
class vxRestore : public Form {
    Q_OBJECT
public:
    vxRestore(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void Command1_Click(); // 戻す
    void Command2_Click(); // 閉じる

private:
    void fill();

    VOXA1& c;
    QListWidget* List1;
    QStringList m_sets; // host paths of the listed sets, row by row
};
