#pragma once

#include "core/ClassMaterial.h"
#include "controls/Form.h"

struct VOXA1;
class QLabel;
class QPushButton;
class QTableWidget;

// "学級編成資料作成": the class ranked by a mean over chosen subjects and terms, boys and girls in
// two lists, written to two data files and printed, for forming next year's classes.
class vxclass : public Form {
    Q_OBJECT
public:
    vxclass(VOXA1& c, Forms& forms);

    void Form_Load() override;
    void Form_Activate() override;

    void SSCommand1_Click(int i); // 教科設定
    void SSCommand5_Click(int i); // 学期設定
    void SSCommand2_Click();      // ﾃﾞｰﾀﾌｧｲﾙ作成
    void SSCommand4_Click();      // 印刷
    void SSCommand3_Click();      // 終了

    int SubjSet() const { return m_subjSet; }
    int TermSet() const { return m_termSet; }
    const QList<ClassMaterial::Entry>& RankTable() const { return m_rank; }

private:
    void opening();
    void Grid_Init();
    void Grid_Form();
    void showRange();
    // The year-end ranking the files and the printout hold; false when the teacher stopped.
    bool yearEndRanking();
    void file_save();

    VOXA1& c;
    QPushButton* SSCommand5[3];
    QPushButton* SSCommand1[2];
    QLabel* Label1;
    QLabel* Label2;
    QTableWidget* Grid1[2];
    QList<ClassMaterial::Entry> m_rank;
    int m_subjSet = 0;
    int m_termSet = 0;
};
