#pragma once

#include "controls/Form.h"
#include "scores/TestSheets.h"

struct VOXA1;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

// "テストデータ入力": the allocation of each test sheet per viewpoint, and every pupil's scores
// and absences on it, for the current term.
class vxData : public Form {
    Q_OBJECT
public:
    vxData(VOXA1& c, Forms& forms);

    void Form_Load() override;
    // Closing from the title bar while scores are being typed asks first.
    bool confirmClose() override;

    void List1_Click();
    void Combo1_Click();
    void Text2_Change(int i);
    void Command3D1_Click(); // 入力開始
    void Command3D2_Click(); // 保存終了
    void Command3D4_Click(); // 保存後続行
    void Command3D3_Click(); // 中　止

    void List_print();
    void ListNowPlus();
    void Text1_set();
    void Input_enblclr();
    void InpStrtDsbl(bool enabled);
    void Heikin();
    void Clr_Maisu(int index);
    void Del_Maisu(int index);

    bool inEntry() const { return m_entry; }
    int CurPupil() const { return m_curPupil; }
    const TestSheets::EntryScores& EntryScore() const { return m_scores; }
    int selectedSubject() const { return m_subject; }
    int selectedSheet() const { return m_sheet; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void buildEntryArea(QWidget* parent);
    void showClassLabels();
    void fillSubjects();
    void rebuildSheetList();
    void openSheet();
    void fillRow(int p);
    void selectRow(int row);
    void enterInBox(int i);
    void boxTextChanged(int i);
    void focusBox(int i);
    int nextEnabled(int i, int step) const;
    // The average, then the sheet's allocation and scores into the class, saved. False when a
    // file could not be written.
    bool storeSheet();
    void leaveToMain();
    void endEntryArea();
    void backToAllocation();

    VOXA1& c;
    QListWidget* List1;
    QComboBox* Combo1;
    QGroupBox* Frame3D2[4];
    QLineEdit* Text2[4];
    QLabel* Label9;
    QPushButton* Command3D1;
    QPushButton* Command3D2;
    QPushButton* Command3D4;
    QLineEdit* Text3;
    QWidget* m_entryArea;
    QLabel* Label10[7];
    QListWidget* List2[7];
    QLineEdit* Text1[4];
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* m_school;
    QLabel* m_className;
    QLabel* m_term;

    TestSheets::Allocations m_alloc;
    TestSheets::EntryScores m_scores{};
    int m_subjectRow = -1; // row of List1 the window works on
    int m_subject = 0;     // data subject of the selected subject, 0 before one is chosen
    int m_subjectNo = 0;   // its ViewName slot
    int m_sheet = 0;       // 1..20, 0 before one is chosen
    int m_curPupil = 0;    // 0-based
    int ViewOff[4] = {0, 0, 0, 0};
    int ViewCount = 0;
    bool m_enterReady = false;
    bool m_entry = false;
    bool m_quiet = false; // the program itself is changing selections or texts
};
