#pragma once

#include "controls/Form.h"

struct VOXA1;
class FolderPicker;
class QLabel;
class QLineEdit;

// "新規ﾃﾞｰﾀ入力": creates the files of a new class in a chosen folder.
class vxNew : public Form {
    Q_OBJECT
public:
    vxNew(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void Text2_Change();
    void Text3_Change();
    void Dir1_Change(const QString& folder);
    void Command3D1_Click(); // ｸﾗｽ決定
    void Command3D3_Click(); // ﾃﾞｰﾀ作成
    void Command3D2_Click(); // ｷｬﾝｾﾙ

    bool isReady() const { return m_ready == 10; }

private:
    void compose();
    // Grade 1..6 and class 1..9 are in the boxes.
    bool boxesFilled() const;
    void becomeReady();
    void showClassPath(const QString& folder);

    VOXA1& c;
    QLineEdit* Text2;
    QLineEdit* Text3;
    FolderPicker* m_folder;
    QLabel* Label5;
    QLabel* Label6;
    // The class being named; it replaces the loaded class only when its files are made.
    QString m_classFile;
    QString m_className;
    int m_ready = 0;
    int m_order = 0; // 3 after the grade box was filled first, 2 after the class box
};
