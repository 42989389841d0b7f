#include "organise/OrganiseSession.h"

#include <algorithm>

using namespace Qt::StringLiterals;

void OrganiseSession::open(const GradeData::Grade& g, const OrganiseRules& rules, int classes, int cap) {
    m_grade = g;
    m_cap = cap;
    m_state = State();
    m_state.rules = rules;
    m_undo.clear();
    m_redo.clear();
    const OrganiseRules::Placement& p = rules.placed;
    if (p.classes == classes && p.pupils.size() == g.pupils.size()) {
        QList<int> a;
        for (const GradeData::Pupil& x : g.pupils)
            if (const int k = p.pupils.value(x.id); k >= 1 && k <= classes)
                a.append(k - 1);
        if (a.size() == g.pupils.size())
            m_state.assignment = a;
    }
    m_state.rules.placed = {}; // the placement lives in the assignment from here on
    m_problem.classes = classes;
    rebuild();
}

void OrganiseSession::rebuild() {
    const int classes = m_problem.classes;
    m_problem = GradeData::problem(m_grade, m_state.rules, classes, m_cap, &m_unknown);
    m_labels = GradeData::labels(m_grade);
    refigure();
}

void OrganiseSession::refigure() {
    m_figures = placed() ? Organiser::figures(m_problem, m_state.assignment) : Organiser::Figures();
}

bool OrganiseSession::propose(quint64 seed, QList<Organiser::Conflict>* conflicts, bool asStep) {
    const Organiser::Proposal p = Organiser::propose(m_problem, m_labels, seed);
    if (conflicts)
        *conflicts = p.conflicts;
    if (p.assignment.isEmpty())
        return false;
    State next = m_state;
    next.assignment = p.assignment;
    next.seed = seed;
    if (asStep)
        return change(next) || true;
    m_state = next;
    refigure();
    return true;
}

QList<int> OrganiseSession::moved(int pupil, int toClass) const {
    QList<int> a = m_state.assignment;
    if (pupil >= 0 && pupil < a.size() && toClass >= 0 && toClass < classes())
        a[pupil] = toClass;
    return a;
}

QList<int> OrganiseSession::swapped(int a, int b) const {
    QList<int> out = m_state.assignment;
    if (a >= 0 && b >= 0 && a < out.size() && b < out.size())
        std::swap(out[a], out[b]);
    return out;
}

QStringList OrganiseSession::broken(const QList<int>& a) const {
    QStringList out;
    if (a.size() != m_grade.pupils.size())
        return out;
    auto name = [&](int i) { return m_grade.pupils[i].name; };
    const int n = int(a.size()), k = classes();
    QList<int> size(k, 0);
    for (int c : a)
        ++size[c];
    const int low = n / k, high = (n + k - 1) / k;
    for (int c = 0; c < k; ++c)
        if (size[c] < low || size[c] > high || size[c] > cap())
            out << u"人数: "_s + GradeData::newClassName(m_grade.grade, c) + u"が "_s +
                       QString::number(size[c]) + u"人になります（"_s +
                       (low == high ? QString::number(low)
                                    : QString::number(low) + u"～"_s + QString::number(high)) +
                       u"人、上限 "_s + QString::number(cap()) + u"人）。"_s;
    for (const auto& [x, y] : m_problem.rules.apart)
        if (a[x] == a[y])
            out << u"離す: "_s + name(x) + u" と "_s + name(y) + u" が同じ "_s +
                       GradeData::newClassName(m_grade.grade, a[x]) + u"になります。"_s;
    for (const QList<int>& group : m_problem.rules.together) {
        const bool split =
            std::any_of(group.begin(), group.end(), [&](int i) { return a[i] != a[group[0]]; });
        if (split) {
            QStringList names;
            for (int i : group)
                names << name(i) + u"（"_s + GradeData::newClassName(m_grade.grade, a[i]) + u"）"_s;
            out << u"同じ組: "_s + names.join(u"、"_s) + u" が分かれます。"_s;
        }
    }
    for (const auto& [i, c] : m_problem.rules.fixed)
        if (a[i] != c)
            out << u"固定: "_s + name(i) + u" は "_s + GradeData::newClassName(m_grade.grade, c) +
                       u"に決めてあります。"_s;
    return out;
}

QStringList OrganiseSession::newlyBroken(const QList<int>& a) const {
    const QStringList before = broken(m_state.assignment);
    QStringList out;
    for (const QString& b : broken(a))
        if (!before.contains(b))
            out << b;
    return out;
}

bool OrganiseSession::change(const State& next) {
    if (next == m_state)
        return false;
    m_undo.append(m_state);
    m_redo.clear();
    const bool rulesChanged = !(next.rules == m_state.rules);
    m_state = next;
    rulesChanged ? rebuild() : refigure();
    return true;
}

bool OrganiseSession::travel(QList<State>& from, QList<State>& to) {
    if (from.isEmpty())
        return false;
    to.append(m_state);
    m_state = from.takeLast();
    rebuild();
    return true;
}

bool OrganiseSession::undo() {
    return travel(m_undo, m_redo);
}

bool OrganiseSession::redo() {
    return travel(m_redo, m_undo);
}

void OrganiseSession::restore(const Snapshot& s) {
    m_state = s.state;
    m_undo = s.undo;
    m_redo = s.redo;
    rebuild();
}

OrganiseRules OrganiseSession::rulesToSave() const {
    OrganiseRules r = m_state.rules;
    r.placed = {};
    if (placed()) {
        r.placed.classes = classes();
        for (int i = 0; i < m_grade.pupils.size(); ++i)
            r.placed.pupils.insert(m_grade.pupils[i].id, m_state.assignment[i] + 1);
    }
    return r;
}

QList<QList<int>> OrganiseSession::members() const {
    QList<QList<int>> out(classes());
    for (int i = 0; i < m_state.assignment.size(); ++i)
        out[m_state.assignment[i]].append(i);
    // Grade::pupils is in old class and attendance order already.
    return out;
}
