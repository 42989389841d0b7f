#pragma once

#include "controls/Form.h"

struct VOXA1;
class FolderPicker;
class QLabel;

// "保存設定": the data folder in which classes are made and looked for.
class vxDrive : public Form {
    Q_OBJECT
public:
    vxDrive(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void Dir1_Change(const QString& folder);
    void ini_Save();
    void cmdCancel_Click();

private:
    VOXA1& c;
    FolderPicker* m_folder;
    QLabel* Label1;
    QString m_pending; // the folder shown, written to voxa.ini by 保存
};
