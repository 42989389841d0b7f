#pragma once

#include "controls/Form.h"

struct VOXA1;
class QGroupBox;
class QLabel;
class QPushButton;

// "個人票": one pupil's figures per term and subject, read as the term-end processing stored them,
// one term at a time or every term so far; and the printed report of the pupil or of the class.
class vxKojin : public Form {
    Q_OBJECT
public:
    vxKojin(VOXA1& c, Forms& forms);

    void Form_Load() override;

    void Command3D3_Click();      // 学期毎
    void Command3D4_Click();      // 現学期迄
    void Command3D5_Click(int i); // Next, +5, Back, -5
    void Command1_Click();        // 今の児童
    void Command2_Click();        // 全員
    void Command3D2_Click();      // 終了

    void PDisp1(int term, int pupil);
    void PDisp2(int term, int pupil);
    void Head_set();
    void Panel_show(bool on);

    int CurPno() const { return m_curPno; }
    int ViewMode() const { return m_viewMode; }
    int ShowTerms() const { return m_showTerms; }

private:
    void fillPanel(int panel, int term, int pupil);
    void print(int first, int last);

    VOXA1& c;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label16;
    QLabel* Label17;
    QPushButton* Command3D3;
    QPushButton* Command3D4;
    QGroupBox* Frame3D3[4];
    QLabel* Label15[4];
    QLabel* Label6[64];
    QLabel* Label13[64];
    QLabel* Label9[16];
    QLabel* Label11[16];
    QLabel* Label14[16];
    QLabel* Label7[4];
    QLabel* Label5[16];

    int m_curPno = 1;
    int m_viewMode = 0;
    int m_showTerms = 1;
};
