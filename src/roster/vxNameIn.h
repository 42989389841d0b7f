#pragma once

#include "controls/Form.h"

struct VOXA1;
class QLabel;

// "名前取り込み": takes the pupils' names and sexes from a CSV file into the roster.
class vxNameIn : public Form {
    Q_OBJECT
public:
    vxNameIn(VOXA1& c, Forms& forms);
    void Form_Load() override;

    void Command1_Click(); // 読み込むファイルを指定
    void Command2_Click(); // 読み込み実行
    void Command3_Click(); // キャンセル

private:
    void close();

    VOXA1& c;
    QLabel* Label1;
    QString m_path;
};
