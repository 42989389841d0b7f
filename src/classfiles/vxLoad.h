#pragma once

#include "controls/Form.h"

#include <memory>

struct VOXA1;
class FileList;
class FolderPicker;
class QLabel;
class QLineEdit;
class QWidget;
class ClassLock;

// "学級選択": loads a class from its files, asking for its password when it has one.
class vxLoad : public Form {
    Q_OBJECT
public:
    vxLoad(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void File1_Click(const QString& fileName);
    void Command3D2_Click(); // 実行
    void Text1_Enter();
    void Command3D1_Click(); // 中止

private:
    // Loads the chosen class and hands back to the main window; false when its files failed.
    bool loadChosen();
    // The chosen class's stored password, read from its settings file; false (having told the
    // teacher) when no file is chosen or its settings cannot be read.
    bool readPassword(QString* password);
    bool eventFilter(QObject* watched, QEvent* event) override;

    VOXA1& c;
    QWidget* Panel3D1;
    QLineEdit* Text1;
    FolderPicker* m_folder;
    QLabel* Label3;
    FileList* File1;
    QLabel* Label5;
    // The chosen class; it replaces the loaded class only when it loaded completely.
    QString m_classPath;
    std::shared_ptr<ClassLock> m_lock; // the chosen class's, until it is loaded or left
    QString m_classFile;
    int m_wrong = 0;
};
