#pragma once

#include "controls/Form.h"
#include "roster/Roster.h"

struct VOXA1;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "名　　簿": the pupils' names and sexes by attendance number, transfers out and in, and the way
// to the name import.
class vxMeibo : public Form {
    Q_OBJECT
public:
    vxMeibo(VOXA1& c, Forms& forms);

    void Form_Load() override;
    void Form_Activate() override;

    void SSCommand1_Click(); // 入力開始
    void Command3D1_Click(); // 保存終了
    void Command3D2_Click(); // 中止
    void Command3D3_Click(); // 転出
    void Command3D4_Click(); // 転入
    void Command1_Click();   // 取り込み
    void Text2_Change();

    // Selects exactly one cell of the grid (0 counts as 1).
    void Movesel(int col, int row);
    // The grid's current cell, roster row 1.. and column 1 (name) or 2 (sex).
    Roster::Cell current() const;
    int TransferMode() const { return m_transferMode; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void gridRefresh();
    void showClassLabels();
    void cellClicked(int tableRow, int column);
    // How the teacher came to a cell: the input method is left as it is for a click into the sex
    // column, turned off there by the keyboard.
    enum class By { Keyboard, Mouse };
    void goTo(Roster::Cell cell, By by = By::Keyboard);
    void loadEditBox(By by = By::Keyboard);
    void storeEditBox();
    void handBack();
    void colour(QPushButton* button, bool running);
    QString cellText(int row, int col) const;
    void setCellText(int row, int col, const QString& text);

    VOXA1& c;
    QTableWidget* Grid1;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLabel* Label11;
    QLabel* m_className;
    QLabel* m_classSize;
    QLabel* m_school;
    QLabel* m_city;
    QLabel* m_teacher;
    QPushButton* m_out;
    QPushButton* m_in;
    int m_transferMode = 0;
    bool m_asking = false;
};
