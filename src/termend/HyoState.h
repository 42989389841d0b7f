#pragma once

#include <QString>

#include <functional>

struct VOXA1;

// What the term-end window has chosen (period, processing, subject, viewpoint) and what it shows.
// A score sheet view, a set of evaluation lists or the year-end list belongs to the subject,
// viewpoint and term it was filled for: its 保存 and its clicks write that item, and the choices
// stay as they are until it is closed. Year-end mode sets the class's current term to 4 and every
// way out of it gives the real term back, through leaveYearEnd() alone.
class HyoState {
public:
    // The mark of an item done (calculated, evaluated) in the class's done marks.
    static inline const QString kDone = QStringLiteral("O");

    enum class Shown { Nothing, SheetView, Lists, YearList };
    struct Item {
        Shown kind = Shown::Nothing;
        int term = 0;           // 1..3, or 4 for the year
        int slot = 0;           // data subject 1..4
        int subjectNo = 0;      // slot of ViewName, 1..5
        int view = 0;           // viewpoint 1..4 of 観点別 lists
        bool viewpoints = true; // 観点別 lists (◎○△), else 教科別 (３２１)
    };

    explicit HyoState(VOXA1& c) : c(c) {}

    int periodMode() const { return m_periodMode; }
    int procMode() const { return m_procMode; }
    int selSlot() const { return m_selSlot; }
    int selSubjectNo() const { return m_selSubjectNo; }
    int selView() const { return m_selView; }
    bool yearEnd() const { return m_periodMode == 2; }

    // While something is shown the choices cannot change.
    bool locked() const { return m_item.kind != Shown::Nothing; }

    // 学期 (0) or 年度末 (1). Year-end mode takes the real term aside and sets the term to 4.
    bool choosePeriod(int i);
    enum class Proc { Chosen, Locked, ChooseSubjectFirst };
    // 計算処理 (0), 観点別 (1), 教科別 (2). In term mode, once 観点別 or 教科別 is chosen, another
    // processing is refused until the selections are reset.
    Proc chooseProc(int i);
    // Subject button i of a class of the given grade; false for a button the grade has not.
    bool chooseSubject(int i, int grade);
    bool chooseView(int i);
    // Every choice back to none; year-end mode is left (the real term comes back).
    void resetSelections();
    // The one way out of year-end mode: the term taken aside comes back.
    void leaveYearEnd();

    // Saves the class with its real term. In year-end mode the term is 4 only for the window, so
    // the save sees the real one; when the save fails, mode and term stay as they were.
    bool saveWithRealTerm(const std::function<bool()>& save);

    // What is shown, taken from the choices and the term at this moment.
    void show(Shown kind);
    // Nothing is shown any more.
    void close() { m_item = Item(); }
    const Item& shown() const { return m_item; }

    // The figure the lists rank by, and the mark given, of a pupil in the item shown.
    double keyOf(int pupil) const;
    QString markOf(int pupil) const;
    void setMarkOf(int pupil, const QString& mark);
    // The done mark of the item shown: CalcMark of a sheet view, ViewDoneMark or RateMark of the
    // lists, CalcMark(4, 1) of the year-end list.
    void markDone();

private:
    VOXA1& c;
    int m_periodMode = 0;
    int m_procMode = 0;
    int m_selSlot = 0;
    int m_selSubjectNo = 0;
    int m_selView = 0;
    int m_savedTerm = 0;
    Item m_item;
};
