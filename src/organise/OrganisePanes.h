#pragma once

#include "organise/OrganiseSession.h"

#include <QColor>
#include <QWidget>

#include <functional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// Pieces of the next-year's-classes window: its tables as the window shows them.
namespace OrganiseView {
// What is off: a class left out, a figure outside its bound.
inline const QColor kOff{0xc6, 0x28, 0x28};
// A table of rows chosen whole, not edited, without row numbers.
QTableWidget* table(QWidget* parent, const QString& name, const QStringList& heads);
// A cell that knows its pupil (index into the grade's pupils; -1 none).
QTableWidgetItem* cell(const QString& text, int pupil = -1);
} // namespace OrganiseView

// The tab of the classes read: each with its teacher, pupils, last save and results, and what the
// teacher should know of how it was read.
class OrganiseReadPane : public QWidget {
    Q_OBJECT
public:
    OrganiseReadPane(const OrganiseSession& s, QWidget* parent);
    // Shows the session's grade; true when there is something to tell.
    bool fill();

private:
    const OrganiseSession& m_session;
    QTableWidget* grdOld;
    QPlainTextEdit* txtNotes;
};

// The tab of the rules and flags: every pupil with reading, flags and fixed class, the pairs to
// keep apart and the groups to keep together. Every edit goes to the window through `onEdit`, which
// applies and saves it as one step.
class OrganiseRulesPane : public QWidget {
    Q_OBJECT
public:
    using Edit = std::function<void(OrganiseRules&)>;
    OrganiseRulesPane(const OrganiseSession& s, QWidget* parent);

    std::function<void(const Edit&)> onEdit;
    std::function<void(const QString&, bool)> onStatus;

    // Shows the session's rules: refilled only when they or the pupils changed since last shown,
    // unless `always` (an entry in the table put back to what the rules hold).
    void fill(bool always = false);
    void setEditable(bool on);

    void cmdApartAdd_Click();
    void cmdApartDel_Click();
    void cmdTogetherAdd_Click();
    void cmdTogetherDel_Click();

private:
    QPushButton* button(const QString& name, const QString& caption, const std::function<void()>& click);
    // The pupils chosen in the table, in the grade's order.
    QList<int> selectedRulePupils() const;

    const OrganiseSession& m_session;
    bool m_filling = false;
    OrganiseRules m_shownRules;
    QStringList m_shownPupils;
    bool m_shown = false;
    QTableWidget* grdPupils;
    QLineEdit* txtFlag[4];
    QListWidget* lstApart;
    QListWidget* lstTogether;
    QList<QWidget*> m_editors;
};
