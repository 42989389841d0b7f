#include "controls/TextBoxes.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace TextBoxes {

namespace {

// A composition committed this soon before the box is loaded for another cell was committed by the
// move itself (Qt commits as the focus leaves), and the input method may send it once more.
constexpr qint64 kCommittedByTheMoveMs = 150;
// A dropped composition's late commit comes at once or never: after this, a commit is new typing
// (a handwriting pad, a character palette, Unicode entry send commits without composing).
constexpr qint64 kLateCommitMs = 1000;

// Watches the input method events that reach one box.
class Composition : public QObject {
public:
    explicit Composition(QLineEdit* box) : QObject(box) { setObjectName(u"composition"_s); }
    QString pending;         // the composition shown in the box
    QElapsedTimer committed; // when a composition was last committed
    bool dropped = false;    // the commit of a dropped composition may still come
    QElapsedTimer droppedAt;

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::InputMethod)
            return false;
        auto* ev = static_cast<QInputMethodEvent*>(e);
        // An input method that kept a composition the program dropped commits it later, without
        // composing anew: that text belongs to the pupil or cell it was typed for, not to this one.
        if (dropped && ev->preeditString().isEmpty() && !ev->commitString().isEmpty()) {
            dropped = false;
            if (droppedAt.elapsed() < kLateCommitMs)
                return true;
        }
        if (!ev->preeditString().isEmpty() || !ev->commitString().isEmpty())
            dropped = false;
        if (!pending.isEmpty() && ev->preeditString().isEmpty() && !ev->commitString().isEmpty())
            committed.start();
        pending = ev->preeditString();
        return false;
    }
};

Composition* compositionOf(QLineEdit* box) {
    return box->findChild<Composition*>(u"composition"_s, Qt::FindDirectChildrenOnly);
}

// Drops the cursor to the start once editing ends.
class StartWhenIdle : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::FocusOut)
            QTimer::singleShot(0, o, [box = static_cast<QLineEdit*>(o)] {
                if (!box->hasFocus())
                    box->setCursorPosition(0);
            });
        return false;
    }
};

// A line edit tells the input method it takes input whenever it is enabled and not read-only,
// whatever its WA_InputMethodEnabled says (Qt reads the attribute only for widgets that do not
// answer the question themselves): the box's answer is given here from the attribute.
class InputMethodGate : public QObject {
public:
    explicit InputMethodGate(QWidget* box) : QObject(box) { setObjectName(u"inputMethodGate"_s); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::InputMethodQuery)
            return false;
        auto* box = static_cast<QWidget*>(o);
        auto* query = static_cast<QInputMethodQueryEvent*>(e);
        for (uint bit = 1; bit != 0; bit <<= 1) {
            const auto q = static_cast<Qt::InputMethodQuery>(query->queries().toInt() & bit);
            if (!q)
                continue;
            query->setValue(q, q == Qt::ImEnabled ? QVariant(box->isEnabled() &&
                                                             box->testAttribute(Qt::WA_InputMethodEnabled))
                                                  : box->inputMethodQuery(q));
        }
        query->accept();
        return true;
    }
};

} // namespace

void allowInputMethod(QWidget* box, bool on) {
    if (!box->findChild<InputMethodGate*>(u"inputMethodGate"_s, Qt::FindDirectChildrenOnly))
        box->installEventFilter(new InputMethodGate(box));
    if (box->testAttribute(Qt::WA_InputMethodEnabled) == on)
        return;
    box->setAttribute(Qt::WA_InputMethodEnabled, on);
    box->setInputMethodHints(on ? Qt::ImhNone : Qt::ImhPreferNumbers | Qt::ImhPreferLatin);
    if (QGuiApplication::focusObject() == box)
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

void trackComposition(QLineEdit* box) {
    if (!compositionOf(box))
        box->installEventFilter(new Composition(box));
}

void dropComposition(QLineEdit* box) {
    Composition* c = compositionOf(box);
    if (!c)
        return;
    // Only a composition pending now, or one the move itself committed a moment ago, may still be
    // sent again; anything typed and committed before is the teacher's and ends there.
    const bool justCommitted = c->committed.isValid() && c->committed.elapsed() < kCommittedByTheMoveMs;
    if (c->pending.isEmpty() && !justCommitted)
        return;
    // An event with neither composition nor commit clears what the box shows; the input method is
    // then told to start afresh. A composition committed as the focus left the box may still be
    // on its way from the input method (ibus sends it later, to whatever has the focus then).
    if (!c->pending.isEmpty()) {
        QInputMethodEvent clear;
        QCoreApplication::sendEvent(box, &clear);
    }
    c->pending.clear();
    c->committed.invalidate();
    c->dropped = true;
    c->droppedAt.start();
    QGuiApplication::inputMethod()->reset();
}

void showStartWhenIdle(QLineEdit* box) {
    box->installEventFilter(new StartWhenIdle(box));
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->hasFocus())
            box->setCursorPosition(0);
    });
}

QString halfWidth(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        const char16_t u = ch.unicode();
        if (u >= u'０' && u <= u'９')
            ch = QChar(u'0' + (u - u'０'));
        else if (u == u'ｋ')
            ch = u'k';
        else if (u == u'Ｋ')
            ch = u'K';
        else if (u == u'．')
            ch = u'.';
        else if (u == u'－')
            ch = u'-';
    }
    return out;
}

HalfWidthValidator::HalfWidthValidator(const QString& pattern, QObject* parent)
    : QValidator(parent), m_pattern(pattern) {}

QValidator::State HalfWidthValidator::validate(QString& input, int&) const {
    input = halfWidth(input);
    if (m_pattern.isEmpty())
        return Acceptable;
    const QRegularExpression re(QRegularExpression::anchoredPattern(m_pattern));
    return re.match(input).hasMatch() ? Acceptable : Invalid;
}

} // namespace TextBoxes
