// The evaluation lists of the term-end window: the ranked lists in which the teacher gives the
// marks, their counts and chart, and the keys and clicks on them.

#include "termend/vxHyo.h"

#include "core/VOXA1.h"
#include "platform/MsgBox.h"
#include "termcalc/TermCalc.h"
#include "termcalc/TermView.h"
#include "termend/DistChart.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

// List headings of data subjects 1..4 by grade.
QString subjectHeading(int k, int grade) {
    if (grade >= 3)
        return QStringList{u" 国　語 "_s, u" 社　会 "_s, u" 算　数 "_s, u" 理　科 "_s}.value(k - 1);
    return QStringList{u" 国　語 "_s, u" 算　数 "_s, u" 生　活 "_s, QString()}.value(k - 1);
}
} // namespace

// Evaluation lists.

void vxHyo::showLists(bool on) {
    m_listArea->setVisible(on);
    m_listArea->setEnabled(on);
    if (!on) {
        m_quiet = true;
        for (QListWidget* l : List1)
            l->clear();
        m_quiet = false;
        m_rowPupil.clear();
        m_pickedMark.clear();
        m_assignArmed = 0;
    }
}

void vxHyo::evaluation(bool viewpoints) {
    m_numberFrame->hide();
    const int slot = m_state.selSlot();
    const int view = m_state.selView();
    const bool missing = viewpoints ? (m_state.periodMode() == 1 && (slot == 0 || view == 0)) : slot == 0;
    if (missing) {
        MsgBox::show(viewpoints ? u"教科及び観点を選択してください"_s : u"教科を選択してください"_s);
        return;
    }
    const int t = c.CurTerm;
    const QString& done = viewpoints ? c.ViewDoneMark(t, slot, view) : c.RateMark(t, slot);
    if (done == HyoState::kDone) {
        if (MsgBox::show(viewpoints ? u"この観点の再評定をしますか"_s : u"この教科の再評価をしますか"_s,
                         MsgBox::OkCancel, MsgBox::Question) != MsgBox::Ok) {
            showLists(false);
            resetSelections();
            return;
        }
        m_recalcOK = 10;
    }
    showItem(HyoState::Shown::Lists);
    showLists(true);
    const QStringList marks = TermView::marks(viewpoints);
    for (int i = 0; i < 3; ++i) {
        Command3D13[i]->setText(marks[i]);
        Label19[i]->setText(marks[i]);
    }
    paintChosen({Command3D13[0], Command3D13[1], Command3D13[2]}, -1);
    Label23->setText(viewpoints ? u"観点評価人数"_s : u"評定人数"_s);
    Command3D16->setText(viewpoints ? u"ALL○"_s : u"ALL２"_s);
    const HyoState::Item& s = m_state.shown();
    QString heading = subjectHeading(s.slot, c.Grade);
    if (viewpoints)
        heading += c.ViewName(s.subjectNo, s.view).str().left(4);
    Label18[2]->setText(heading);
    QList<double> keys;
    for (int p = 1; p <= c.ClassSize; ++p)
        keys << m_state.keyOf(p);
    m_rowPupil = TermView::ranking(keys);
    m_pickedMark.clear();
    m_assignArmed = 0;
    fillLists();
    // From now a click on a row moves the cursor (and gives the mark, once one is chosen).
    m_assignArmed = 10;
    refreshCounts();
}

void vxHyo::fillLists() {
    m_quiet = true;
    for (QListWidget* l : List1)
        l->clear();
    for (int q = 1; q <= m_rowPupil.size(); ++q)
        for (QListWidget* l : List1)
            l->addItem(QString());
    for (int q = 1; q <= m_rowPupil.size(); ++q)
        renderRow(q);
    m_quiet = false;
    selectRow(1, 5);
}

void vxHyo::renderRow(int q) {
    const int p = m_rowPupil.value(q - 1);
    if (p < 1)
        return;
    const TermView::EvaluationRow r =
        TermView::evaluationRow(q, p, c.Pupil(p).PName.str(), m_state.keyOf(p), m_state.markOf(p));
    const QString texts[5] = {r.number, r.name, r.rate, r.mark, r.rank};
    for (int j = 0; j < 5; ++j)
        if (QListWidgetItem* item = List1[j]->item(q - 1))
            item->setText(texts[j]);
}

void vxHyo::selectRow(int row, int lists) {
    const int armed = m_assignArmed;
    m_assignArmed = 0;
    m_quiet = true;
    for (int j = 0; j < lists; ++j)
        if (row >= 1 && row <= List1[j]->count())
            List1[j]->setCurrentRow(row - 1);
    m_quiet = false;
    m_assignArmed = armed;
}

void vxHyo::refreshCounts() {
    QStringList given;
    QList<double> rates;
    for (int p = 1; p <= c.ClassSize; ++p) {
        given << m_state.markOf(p);
        rates << m_state.keyOf(p);
    }
    const bool viewpoints = m_state.shown().viewpoints;
    const QList<int> n = TermView::counts(given, viewpoints);
    for (int i = 0; i < 3; ++i)
        Label21[i]->setText(QString::number(n[i]));
    const QStringList marks = TermView::marks(viewpoints);
    m_chart->setStats(Distribution::compute(rates, given, marks), marks);
}

void vxHyo::Command3D13_Click(int i) {
    if (m_state.shown().kind != HyoState::Shown::Lists)
        return;
    m_pickedMark = TermView::marks(m_state.shown().viewpoints).value(i);
    m_assignArmed = 10;
    paintChosen({Command3D13[0], Command3D13[1], Command3D13[2]}, i);
    refreshCounts();
}

void vxHyo::List1_Click(int j) {
    if (m_quiet || m_assignArmed != 10)
        return;
    const int n = static_cast<int>(m_rowPupil.size());
    // The row the mark goes to is the mark list's cursor (a click in the mark list put it there).
    const int cursor = List1[3]->currentRow();
    const int r = cursor >= 0 ? cursor + 1 : 0;
    // The cursor moves down, and round to the top after the last row.
    selectRow(r == 0 || r >= n ? 1 : r + 1, 4);
    if (r == 0)
        return;
    if (!m_pickedMark.isEmpty()) {
        m_state.setMarkOf(m_rowPupil.value(r - 1), m_pickedMark);
        renderRow(r);
        refreshCounts();
    } else if (j == 3) {
        MsgBox::show(u"評価を選択してください"_s);
    }
}

void vxHyo::Command3D16_Click() {
    if (m_state.shown().kind != HyoState::Shown::Lists)
        return;
    const QString all = m_state.shown().viewpoints ? u"○"_s : u"２"_s;
    for (int p : std::as_const(m_rowPupil))
        m_state.setMarkOf(p, all);
    fillLists();
    refreshCounts();
}

void vxHyo::Command3D15_Click() {
    if (m_state.shown().kind != HyoState::Shown::Lists)
        return;
    m_state.markDone();
    closeItem();
    setExecute(true);
    Command3D3->setEnabled(true);
    resetSelections();
    showLists(false);
}

void vxHyo::Command3D14_Click() {
    closeItem();
    setExecute(true);
    resetSelections();
    showLists(false);
}

bool vxHyo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        for (int j = 0; j < 5; ++j)
            if (watched == List1[j]->viewport() && mouse->button() == Qt::LeftButton &&
                List1[j]->itemAt(mouse->position().toPoint())) {
                List1_Click(j);
                break;
            }
        return Form::eventFilter(watched, event);
    }
    // Enter or the space bar on a row is a click on it; the arrow keys only move the cursor, so a
    // mark is never given by moving through the list.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (int j = 0; j < 5; ++j)
            if (watched == List1[j] &&
                (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
                List1_Click(j);
                return true;
            }
    }
    return Form::eventFilter(watched, event);
}
