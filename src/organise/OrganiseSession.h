#pragma once

#include "organise/GradeData.h"
#include "organise/OrganiseRules.h"
#include "organise/Organiser.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the next-year's-classes window works on, without widgets: the grade read, the teachers'
// rules and where each pupil stands now, with the figures of that, undo and redo. Every change goes
// through `change` (one step of undo); a change the window could not save is taken back with
// `restore`.
class OrganiseSession {
public:
    // What undo covers: the rules and the placement together (fixing a pupil is a rule).
    struct State {
        OrganiseRules rules;
        QList<int> assignment; // pupil → new class 0..K-1; empty before the first proposal
        quint64 seed = 1;
        bool operator==(const State&) const = default;
    };
    struct Snapshot {
        State state;
        QList<State> undo, redo;
    };

    // A new grade or a new number of classes: the rules as read; the placement kept from the rules'
    // file when it places exactly these pupils into this many classes. Undo starts empty.
    void open(const GradeData::Grade& g, const OrganiseRules& rules, int classes, int cap);

    const GradeData::Grade& grade() const { return m_grade; }
    const OrganiseRules& rules() const { return m_state.rules; }
    const QList<int>& assignment() const { return m_state.assignment; }
    quint64 seed() const { return m_state.seed; }
    int classes() const { return m_problem.classes; }
    int cap() const { return m_problem.cap; }
    const Organiser::Problem& problem() const { return m_problem; }
    const QStringList& labels() const { return m_labels; }
    // Ids in the rules that name no pupil read (those rules are left out).
    const QStringList& unknown() const { return m_unknown; }
    // The figures of the current placement (empty before the first proposal).
    const Organiser::Figures& figures() const { return m_figures; }
    bool placed() const { return !m_state.assignment.isEmpty(); }

    // A proposal from the seed, as one step of undo. False when the rules conflict: nothing changes
    // and `conflicts` names them.
    // `asStep` false: the first proposal of a grade, which nothing goes back before.
    bool propose(quint64 seed, QList<Organiser::Conflict>* conflicts, bool asStep = true);

    // The assignment with one pupil moved, or two swapped.
    QList<int> moved(int pupil, int toClass) const;
    QList<int> swapped(int a, int b) const;
    // Every hard rule the assignment breaks under the current rules, in words.
    QStringList broken(const QList<int>& assignment) const;
    // What the assignment breaks that the current placement does not.
    QStringList newlyBroken(const QList<int>& assignment) const;

    // One step: the state becomes `next`; the step before goes on the undo list and redo is
    // cleared. Nothing happens when `next` is the current state.
    bool change(const State& next);
    State state() const { return m_state; }
    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    bool undo();
    bool redo();

    Snapshot snapshot() const { return {m_state, m_undo, m_redo}; }
    void restore(const Snapshot& s);

    // The rules as they are saved: with the placement, so the window finds it again.
    OrganiseRules rulesToSave() const;

    // The counts of the current placement off their bounds, each with the rule that forces it where
    // one is found.
    QList<Organiser::OffBound> offBound() const {
        return Organiser::offBound(m_problem, m_state.assignment, m_labels);
    }

    // The classes' pupils in the order the window lists them: old class, then attendance number.
    QList<QList<int>> members() const;

private:
    // The problem and figures again after the rules changed; the figures alone after a move.
    void rebuild();
    void refigure();
    // One step of undo or redo: the newest state of `from` becomes current, the current goes to `to`.
    bool travel(QList<State>& from, QList<State>& to);

    GradeData::Grade m_grade;
    State m_state;
    QList<State> m_undo, m_redo;
    Organiser::Problem m_problem;
    Organiser::Figures m_figures;
    QStringList m_labels, m_unknown;
    int m_cap = 35;
};
