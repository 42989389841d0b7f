#pragma once

#include "controls/Form.h"

struct VOXA1;
class FolderPicker;
class QLabel;
class QRadioButton;

// "コピー先フォルダの指定": where copies of the class go by default.
class vxCPDrv : public Form {
    Q_OBJECT
public:
    vxCPDrv(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void Option1_Click(int index);
    void Dir1_Change(const QString& folder);
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void showLists(bool on);
    QString chosenFolder() const;

    VOXA1& c;
    QRadioButton* m_options[2];
    FolderPicker* m_folder;
    QLabel* Label1;
    QString m_before;
};
