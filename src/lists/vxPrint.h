#pragma once

#include "controls/Form.h"

struct VOXA1;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// "印刷": the class lists to print — per subject as a whole (総合) or per viewpoint, each by score
// or by number — for the current term or the year-end, and the four-subject list.
class vxPrint : public Form {
    Q_OBJECT
public:
    vxPrint(VOXA1& c, Forms& forms);

    void Form_Load() override;

    void Check3D1_Click(int i);
    void Check3D2_Click(int s);
    void Option3D1_Click(int k);
    void Option3D2_Click(int k);
    void Option3D3_Click(int k);
    void Command3D2_Click(); // 印刷実行
    void SSCommand2_Click(); // 教科印刷実行
    void SSCommand1_Click(); // 印刷設定
    void Command3D1_Click(); // 終了
    void PrnDatClear();

    int ViewSel(int i) const { return m_viewSel[i - 1]; }
    int SubjSel(int s) const { return m_subjSel[s - 1]; }
    int TermSel() const { return m_termSel; }

private:
    void resetPanels();
    int figureTerm() const;

    VOXA1& c;
    QLabel* Label6;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label8;
    QLabel* Label3;
    QRadioButton* Option3D3[2];
    QGroupBox* Frame3D4[4];
    QCheckBox* Check3D2[4];
    QWidget* Panel3D2[4];
    QRadioButton* Option3D2[8];
    QCheckBox* Check3D1[16];
    QWidget* Panel3D1[16];
    QRadioButton* Option3D1[32];
    QPushButton* SSCommand2;

    int m_viewSel[16] = {};
    int m_subjSel[4] = {};
    int m_termSel = 0;
};
