#pragma once

#include "controls/Form.h"

struct VOXA1;
class FileList;
class FolderPicker;
class QLabel;

// "データ・名簿複写": copies the three files of a class to another folder, asking before it
// overwrites a copy that is there already.
class vxCopy : public Form {
    Q_OBJECT
public:
    vxCopy(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void File1_Click(const QString& fileName);
    void File2_Click(const QString& fileName);
    void Dir2_Change(const QString& folder);
    void cmdRun_Click();
    void cmdEnd_Click();

private:
    void recomputeDestination();
    void reloadCopiedClass();

    VOXA1& c;
    FolderPicker* m_source;
    FolderPicker* m_destination;
    FileList* File1;
    FileList* File2;
    QLabel* Label1;
    QLabel* Label3;
    QString m_sourceBase;
    QString m_sourceName; // the first three characters of the chosen source file
    QString m_destFolder;
    QString m_destBase;
};
