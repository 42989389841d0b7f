#pragma once

#include "controls/Form.h"
#include "termend/HyoState.h"

#include <QList>
#include <QString>

struct VOXA1;
class QGroupBox;
class QLabel;
class QListWidget;
class DistChart;
class QPushButton;

// "期末処理": the term and year-end calculations, the pupil score sheet view that confirms a term
// calculation, the year-end result list, and the ranked evaluation lists in which the teacher
// gives ◎○△ and ３２１ by hand.
class vxHyo : public Form {
    Q_OBJECT
public:
    vxHyo(VOXA1& c, Forms& forms);

    void Form_Load() override;

    void Command3D2_Click(int i);  // 学期 / 年度末
    void Command3D1_Click(int i);  // 計算処理 / 観点別 / 教科別
    void Command3D6_Click(int i);  // subjects
    void Command3D7_Click(int i);  // viewpoints
    void Command3D5_Click();       // execute
    void Command3D3_Click();       // 終了
    void Command3D4_Click();       // 中止
    void Command3D8_Click();       // Next
    void Command3D9_Click();       // To +5
    void Command3D10_Click();      // Back
    void Command3D11_Click();      // To -5
    void Command3D12_Click();      // 保存 of the view
    void Command3D13_Click(int i); // marks
    void Command3D16_Click();      // ALL○ / ALL２
    void Command3D15_Click();      // 保存 of the marks
    void Command3D14_Click();      // 中止 of the marks
    void Command3D17_Click();      // 保存 of the year-end list
    void Command3D18_Click();      // 中止 of the year-end list
    void List1_Click(int j);

    // Window state, for the tests.
    int PeriodMode() const { return m_state.periodMode(); }
    int ProcMode() const { return m_state.procMode(); }
    int SelSlot() const { return m_state.selSlot(); }
    int SelView() const { return m_state.selView(); }
    int ViewedPupil() const { return m_viewedPupil; }
    const QList<int>& RowPupil() const { return m_rowPupil; }
    const HyoState& state() const { return m_state; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QGroupBox* buildLists(QWidget* parent);
    QGroupBox* buildYearList(QWidget* parent);
    QGroupBox* buildView(QWidget* parent);
    void fillViewpointButtons();
    void setExecute(bool on);
    void resetSelections();
    // Shows or closes an item: the choice buttons are locked while one is shown.
    void showItem(HyoState::Shown kind);
    void closeItem();

    // Term calculation and the score sheet view.
    void termCalculation();
    void showView(bool on);
    void showPupil(int p);
    // Year-end calculation and its list.
    void yearCalculation();
    void Yoseienable(bool on);
    void End_Cal();
    void Y_Hyo();
    // Evaluation lists.
    void evaluation(bool viewpoints);
    void showLists(bool on);
    void fillLists();
    void renderRow(int row);
    void selectRow(int row, int lists);
    void refreshCounts();

    VOXA1& c;
    QPushButton* Command3D2[2];
    QPushButton* Command3D1[3];
    QPushButton* Command3D6[4];
    QPushButton* Command3D7[4];
    QPushButton* Command3D5;
    QPushButton* Command3D3;
    QPushButton* Command3D4;
    QGroupBox* Frame3D3;
    QGroupBox* m_choiceFrames[4];
    void lockChoices(bool locked);
    void putAwayShown();
    QLabel* m_school;
    QLabel* m_className;
    QLabel* m_term;
    // Evaluation lists.
    QWidget* m_listArea;
    DistChart* m_chart;
    QLabel* Label18[5];
    QListWidget* List1[5];
    QGroupBox* Frame3D8;
    QPushButton* Command3D13[3];
    QPushButton* Command3D16;
    QLabel* Label23;
    QLabel* Label19[3];
    QLabel* Label21[3];
    // Year-end result list.
    QGroupBox* Frame3D9;
    QLabel* Label24[6];
    QListWidget* List2[6];
    // Score sheet view.
    QGroupBox* m_numberFrame;
    QPushButton* m_viewButtons[5];
    QLabel* m_lines[13];

    HyoState m_state;
    int m_recalcOK = 0;
    int m_viewedPupil = 0;
    QString m_pickedMark;
    QList<int> m_rowPupil;
    int m_assignArmed = 0;
    bool m_quiet = false;
};
