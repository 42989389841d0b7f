#include "termend/HyoState.h"

#include "core/VOXA1.h"
#include "termcalc/TermCalc.h"

using namespace Qt::StringLiterals;

namespace {}

bool HyoState::choosePeriod(int i) {
    if (locked() || i < 0 || i > 1)
        return false;
    if (i == 1) {
        // Taken only from a real term, so pressing 年度末 twice cannot leave 4 behind.
        if (c.CurTerm >= 1 && c.CurTerm <= 3) {
            m_savedTerm = c.CurTerm;
            c.CurTerm = 4;
        }
    } else {
        leaveYearEnd();
    }
    m_periodMode = i + 1;
    return true;
}

HyoState::Proc HyoState::chooseProc(int i) {
    if (locked() || i < 0 || i > 2)
        return Proc::Locked;
    if (m_periodMode == 2 || m_procMode < 2) {
        m_procMode = i + 1;
        return Proc::Chosen;
    }
    return Proc::ChooseSubjectFirst;
}

bool HyoState::chooseSubject(int i, int grade) {
    if (locked() || i < 0 || i >= TermCalc::subjectCount(grade))
        return false;
    m_selSlot = i + 1;
    m_selSubjectNo = VOXA1::ViewNameSlot(i + 1, grade);
    return true;
}

bool HyoState::chooseView(int i) {
    if (locked() || i < 0 || i > 3)
        return false;
    m_selView = i + 1;
    return true;
}

void HyoState::resetSelections() {
    leaveYearEnd();
    m_procMode = 0;
    m_periodMode = 0;
    m_selSlot = 0;
    m_selView = 0;
}

void HyoState::leaveYearEnd() {
    if (c.CurTerm == 4 && m_savedTerm >= 1 && m_savedTerm <= 3)
        c.CurTerm = static_cast<qint16>(m_savedTerm);
}

bool HyoState::saveWithRealTerm(const std::function<bool()>& save) {
    const qint16 before = c.CurTerm;
    leaveYearEnd();
    if (!save()) {
        c.CurTerm = before;
        return false;
    }
    return true;
}

void HyoState::show(Shown kind) {
    m_item = Item();
    m_item.kind = kind;
    m_item.term = kind == Shown::YearList ? 4 : c.CurTerm;
    m_item.slot = m_selSlot;
    m_item.subjectNo = m_selSubjectNo;
    m_item.view = m_selView;
    m_item.viewpoints = m_procMode == 2;
}

double HyoState::keyOf(int pupil) const {
    const Item& s = m_item;
    if (s.kind != Shown::Lists || s.slot < 1 || (s.viewpoints && s.view < 1))
        return 0;
    const PupilRec& p = c.Pupil(pupil);
    return s.viewpoints ? p.ViewRate(s.term, s.slot, s.view) : p.SubjRate(s.term, s.slot);
}

QString HyoState::markOf(int pupil) const {
    const Item& s = m_item;
    if (s.kind != Shown::Lists || s.slot < 1 || (s.viewpoints && s.view < 1))
        return QString();
    const PupilRec& p = c.Pupil(pupil);
    return s.viewpoints ? p.ViewMark(s.term, s.slot, s.view).str() : p.SubjMark(s.term, s.slot).str();
}

void HyoState::setMarkOf(int pupil, const QString& mark) {
    const Item& s = m_item;
    if (s.kind != Shown::Lists || s.slot < 1 || (s.viewpoints && s.view < 1))
        return;
    PupilRec& p = c.Pupil(pupil);
    if (s.viewpoints)
        p.ViewMark(s.term, s.slot, s.view) = mark;
    else
        p.SubjMark(s.term, s.slot) = mark;
}

void HyoState::markDone() {
    const Item& s = m_item;
    switch (s.kind) {
    case Shown::Nothing:
        return;
    case Shown::SheetView:
        if (s.slot >= 1)
            c.CalcMark(s.term, s.slot) = kDone;
        return;
    case Shown::Lists:
        if (s.slot < 1)
            return;
        if (s.viewpoints && s.view >= 1)
            c.ViewDoneMark(s.term, s.slot, s.view) = kDone;
        else if (!s.viewpoints)
            c.RateMark(s.term, s.slot) = kDone;
        return;
    case Shown::YearList:
        c.CalcMark(4, 1) = kDone;
        return;
    }
}
