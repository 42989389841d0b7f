// Random walks through the term-end and score entry windows: presses, row clicks, choices, typing,
// keys and message-box answers drawn from the controls on screen and enabled, with the invariants
// checked after every action. VOXA_RANDOM_ACTIONS sets how many actions in all (2,000 by default),
// VOXA_RANDOM_SEED runs one seed. A failure prints its seed and a shortened sequence that still
// fails.

#include "WindowDriver.h"
#include "core/ClassFiles.h"
#include "platform/MsgBox.h"
#include "termend/vxHyo.h"

#include <QComboBox>
#include <QListWidget>
#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Action {
    enum Kind { Open, Press, Row, Choose, Type, Key } kind = Press;
    QString control; // object name, or the window to open
    int arg = 0;     // row, index or key
    QString text;
    QList<MsgBox::Answer> answers; // the message boxes it met, in order
    QString describe() const {
        static const char* const kinds[] = {"open", "press", "row", "choose", "type", "key"};
        return u"%1 %2 %3 %4"_s.arg(QString::fromLatin1(kinds[kind]), control).arg(arg).arg(text);
    }
};

Action act(Action::Kind kind, const QString& control, int arg = 0, const QString& text = {}) {
    Action a;
    a.kind = kind;
    a.control = control;
    a.arg = arg;
    a.text = text;
    return a;
}

// The marks and done marks a window may change, by name.
QSet<QString> marksOf(const HyoState::Item& s) {
    using Shown = HyoState::Shown;
    switch (s.kind) {
    case Shown::SheetView:
        return {u"CalcMark(%1,%2)"_s.arg(s.term).arg(s.slot)};
    case Shown::YearList:
        return {u"CalcMark(4,1)"_s};
    case Shown::Lists:
        if (s.viewpoints)
            return {u"ViewMark(%1,%2,%3)"_s.arg(s.term).arg(s.slot).arg(s.view),
                    u"ViewDoneMark(%1,%2,%3)"_s.arg(s.term).arg(s.slot).arg(s.view)};
        return {u"SubjMark(%1,%2)"_s.arg(s.term).arg(s.slot), u"RateMark(%1,%2)"_s.arg(s.term).arg(s.slot)};
    case Shown::Nothing:
        break;
    }
    return {};
}

QMap<QString, QString> allMarks(const VOXA1& c) {
    QMap<QString, QString> m;
    for (int t = 1; t <= 4; ++t)
        for (int k = 1; k <= 4; ++k) {
            m[u"CalcMark(%1,%2)"_s.arg(t).arg(k)] = c.CalcMark(t, k);
            m[u"RateMark(%1,%2)"_s.arg(t).arg(k)] = c.RateMark(t, k);
            QString subj;
            for (int p = 1; p <= c.ClassSize; ++p)
                subj += c.Pupil(p).SubjMark(t, k).str();
            m[u"SubjMark(%1,%2)"_s.arg(t).arg(k)] = subj;
            for (int v = 1; v <= 4; ++v) {
                m[u"ViewDoneMark(%1,%2,%3)"_s.arg(t).arg(k).arg(v)] = c.ViewDoneMark(t, k, v);
                QString view;
                for (int p = 1; p <= c.ClassSize; ++p)
                    view += c.Pupil(p).ViewMark(t, k, v).str();
                m[u"ViewMark(%1,%2,%3)"_s.arg(t).arg(k).arg(v)] = view;
            }
        }
    return m;
}

// One walk on a fresh copy of the sample class.
class Walk {
public:
    Walk() {
        QDir(d.home().path()).mkpath(u"voxadata"_s);
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            QFile::copy(TestSupport::dataDir() + u"/5-1"_s + ext, d.home().file(u"voxadata/5-1"_s + ext));
        d.start();
        VOXA1& c = d.c();
        c.ClassPath = u"C:\\voxadata\\5-1"_s;
        c.LoadClass();
        c.ClassName = u"5年1組"_s;
        c.ClassFile = u"5-1.dat"_s;
        c.MakeCurrent(VOXA1::Became::Loaded);
        d.forms().hide(u"vxMain"_s);
        d.forms().show(u"vxMain"_s);
        m_term = c.CurTerm;
        m_disk = diskBytes();
    }
    ~Walk() { MsgBox::setAnswerer(nullptr); }

    // The actions possible now.
    QList<Action> candidates() {
        QList<Action> out;
        Form* f = current();
        if (!f) {
            out.append(act(Action::Open, u"mnuHyo"_s));
            out.append(act(Action::Open, u"mnuTest"_s));
            return out;
        }
        for (QAbstractButton* b : f->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled() && !b->objectName().isEmpty())
                out.append(act(Action::Press, b->objectName()));
        for (QListWidget* l : f->findChildren<QListWidget*>())
            if (l->isVisible() && l->isEnabled() && l->count() > 0)
                out.append(act(Action::Row, l->objectName(), int(m_rng.bounded(l->count()))));
        for (QComboBox* b : f->findChildren<QComboBox*>())
            if (b->isVisible() && b->isEnabled() && b->count() > 0)
                out.append(act(Action::Choose, b->objectName(), int(m_rng.bounded(b->count()))));
        static const QStringList tokens = {u""_s, u"0"_s, u"7"_s, u"10"_s, u"25"_s, u"100"_s, u"K"_s, u"x"_s};
        for (QLineEdit* e : f->findChildren<QLineEdit*>())
            if (e->isVisible() && e->isEnabled() && !e->isReadOnly() && !e->objectName().isEmpty())
                out.append(act(Action::Type, e->objectName(), 0, tokens[int(m_rng.bounded(tokens.size()))]));
        static const int keys[] = {Qt::Key_Return, Qt::Key_Down, Qt::Key_Up, Qt::Key_Escape,
                                   Qt::Key_Backspace};
        out.append(act(Action::Key, QString(), keys[m_rng.bounded(5)]));
        return out;
    }

    // Carries the action out; false when it cannot be done now (a replay that no longer fits).
    bool apply(Action& a, bool replaying) {
        int answered = 0;
        MsgBox::setAnswerer([&](const MsgBox::Shown& box) {
            QList<MsgBox::Answer> allowed{MsgBox::Ok};
            if (box.buttons == MsgBox::OkCancel)
                allowed = {MsgBox::Ok, MsgBox::Cancel};
            else if (box.buttons == MsgBox::YesNoCancel)
                allowed = {MsgBox::Yes, MsgBox::No, MsgBox::Cancel};
            else if (box.buttons == MsgBox::YesNo)
                allowed = {MsgBox::Yes, MsgBox::No};
            MsgBox::Answer answer = allowed.last();
            if (replaying && answered < a.answers.size())
                answer = a.answers[answered];
            else if (!replaying)
                answer = allowed[int(m_rng.bounded(allowed.size()))];
            if (!replaying)
                a.answers.append(answer);
            ++answered;
            return answer;
        });
        Form* f = current();
        if (a.kind == Action::Open) {
            if (f)
                return false;
            auto* act = d.find<QAction>(u"vxMain"_s, a.control);
            if (!act || !act->isEnabled())
                return false;
            act->trigger();
            return true;
        }
        if (!f)
            return false;
        if (a.kind == Action::Key) {
            QWidget* w = QApplication::focusWidget();
            if (!w || w->window() != f)
                w = f;
            QTest::keyClick(w, Qt::Key(a.arg));
            return true;
        }
        QWidget* w = f->findChild<QWidget*>(a.control);
        if (!w || !w->isVisible() || !w->isEnabled())
            return false;
        switch (a.kind) {
        case Action::Press:
            static_cast<QAbstractButton*>(w)->click();
            return true;
        case Action::Row: {
            auto* l = static_cast<QListWidget*>(w);
            QListWidgetItem* item = l->item(a.arg);
            if (!item)
                return false;
            l->scrollToItem(item);
            QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(item).center());
            return true;
        }
        case Action::Choose: {
            auto* b = static_cast<QComboBox*>(w);
            if (a.arg >= b->count())
                return false;
            b->setCurrentIndex(a.arg);
            return true;
        }
        case Action::Type: {
            auto* e = static_cast<QLineEdit*>(w);
            e->setFocus();
            e->selectAll();
            QTest::keyClicks(e, a.text);
            QTest::keyClick(e, Qt::Key_Return);
            return true;
        }
        default:
            return false;
        }
    }

    // What is wrong after an action, or an empty text.
    QString check(const HyoState::Item& before, const QMap<QString, QString>& marksBefore) {
        const VOXA1& c = d.c();
        vxHyo* hyo = visibleHyo();
        if (hyo) {
            if ((c.CurTerm == 4) != (hyo->PeriodMode() == 2))
                return u"CurTerm %1 in period mode %2"_s.arg(c.CurTerm).arg(hyo->PeriodMode());
            if (c.CurTerm != 4 && c.CurTerm != m_term)
                return u"CurTerm %1, was %2"_s.arg(c.CurTerm).arg(m_term);
        } else if (c.CurTerm != m_term) {
            return u"CurTerm %1 after the window was left, was %2"_s.arg(c.CurTerm).arg(m_term);
        }
        QSet<QString> allowed = marksOf(before);
        if (hyo)
            allowed.unite(marksOf(hyo->state().shown()));
        const QMap<QString, QString> now = allMarks(c);
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            if (marksBefore.value(it.key()) != it.value() && !allowed.contains(it.key()))
                return it.key() + u" changed, not the item shown"_s;
        // A file that changed holds what memory holds.
        const auto disk = diskBytes();
        if (disk[0] != m_disk[0] && disk[0] != ClassFiles::settingsBytes(c))
            return u"the settings file differs from memory"_s;
        if (disk[2] != m_disk[2]) {
            for (int p = 1; p <= c.ClassSize; ++p) {
                const int r = ClassFiles::recordNumber(c.RecNo(p));
                if (disk[2].mid((r - 1) * ClassFiles::kRecordSize, ClassFiles::kRecordSize) !=
                    ClassFiles::recordBytes(c.Pupil(p)))
                    return u"pupil %1's record differs from memory"_s.arg(p);
            }
        }
        m_disk = disk;
        return {};
    }

    // Runs the sequence (replaying it when `steps` is given); returns the failure, or empty.
    QString run(int count, QList<Action>* steps, bool replay) {
        for (int i = 0; replay ? i < steps->size() : i < count; ++i) {
            vxHyo* hyo = visibleHyo();
            const HyoState::Item before = hyo ? hyo->state().shown() : HyoState::Item();
            const QMap<QString, QString> marksBefore = allMarks(d.c());
            if (replay) {
                if (!apply((*steps)[i], true))
                    continue;
            } else {
                QList<Action> options = candidates();
                Action a = options[int(m_rng.bounded(options.size()))];
                apply(a, false);
                steps->append(a);
            }
            const QString wrong = check(before, marksBefore);
            if (!wrong.isEmpty())
                return wrong;
        }
        return {};
    }

    void seed(quint32 s) { m_rng.seed(s); }

private:
    Form* current() {
        for (const QString& tag : {u"vxHyo"_s, u"vxData"_s})
            if (Form* f = d.forms().find(tag); f && f->isVisible())
                return f;
        return nullptr;
    }
    vxHyo* visibleHyo() {
        auto* h = d.forms().get<vxHyo>(u"vxHyo"_s);
        return h && h->isVisible() ? h : nullptr;
    }
    QList<QByteArray> diskBytes() {
        QList<QByteArray> out;
        for (const QString& ext : {u".sdt"_s, u".eix"_s, u".dat"_s})
            out.append(TestSupport::readFile(d.home().file(u"voxadata/5-1"_s + ext)));
        return out;
    }

    WindowDriver d;
    QRandomGenerator m_rng;
    qint16 m_term = 0;
    QList<QByteArray> m_disk;
};

} // namespace

class tst_RandomActions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walks_keepEveryInvariant();
};

void tst_RandomActions::walks_keepEveryInvariant() {
    const int total = qEnvironmentVariableIsSet("VOXA_RANDOM_ACTIONS")
                          ? qEnvironmentVariableIntValue("VOXA_RANDOM_ACTIONS")
                          : 2000;
    const int perWalk = 100;
    QList<quint32> seeds;
    if (qEnvironmentVariableIsSet("VOXA_RANDOM_SEED"))
        seeds << quint32(qEnvironmentVariableIntValue("VOXA_RANDOM_SEED"));
    else
        for (int s = 1; s <= qMax(1, total / perWalk); ++s)
            seeds << quint32(s);
    for (quint32 seed : seeds) {
        QList<Action> steps;
        QString wrong;
        {
            Walk w;
            w.seed(seed);
            wrong = w.run(perWalk, &steps, false);
        }
        if (wrong.isEmpty())
            continue;
        // Shorten: drop each action in turn while the replay still fails.
        for (qsizetype i = steps.size() - 1; i >= 0; --i) {
            QList<Action> shorter = steps;
            shorter.removeAt(i);
            MsgBox::reset();
            Walk w;
            if (!w.run(0, &shorter, true).isEmpty())
                steps = shorter;
        }
        QStringList lines;
        for (const Action& a : std::as_const(steps))
            lines << a.describe();
        QFAIL(qPrintable(u"seed %1: %2\n  "_s.arg(seed).arg(wrong) + lines.join(u"\n  "_s)));
    }
}

QTEST_MAIN(tst_RandomActions)
#include "tst_RandomActions.moc"
