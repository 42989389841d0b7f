#include "controls/TextGuard.h"

#include "platform/Cp932.h"
#include "platform/MsgBox.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace TextGuard {

namespace {
// A refusal sent again this soon after its message closed is the input method repeating itself.
constexpr qint64 kRepeatMs = 1500;

struct State {
    QString last; // the text before the edit that brought the refused text in
    bool composing = false;
    QString beforeComposition; // the text as it was when the composition began (a selection it
                               // replaced included)
    bool busy = false;         // a message of this box is up
    QString refused;           // what the last message was about
    QElapsedTimer since;
};
} // namespace

QString refusal(const QString& character, const QString& fieldName) {
    return u"「"_s + character + u"」は使えない文字なので、"_s + fieldName + u"に入れられません。"_s +
           u"\r\n"_s + u"ほかの字に置き換えて入力してください。"_s;
}

QString tooLong(const QString& fieldName, int maxBytes) {
    return fieldName + u"は全角%1文字・半角%2文字までです。"_s.arg(maxBytes / 2).arg(maxBytes) + u"\r\n"_s +
           u"短くしてから入力してください。"_s;
}

namespace {
// Notes the text as it is when a composition begins, before the composition replaces a selection.
class CompositionStart : public QObject {
public:
    CompositionStart(QLineEdit* box, std::shared_ptr<State> s)
        : QObject(box), m_box(box), m_s(std::move(s)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::InputMethod)
            return false;
        const auto* ev = static_cast<QInputMethodEvent*>(e);
        if (!ev->preeditString().isEmpty() && !m_s->composing) {
            m_s->composing = true;
            m_s->beforeComposition = m_box->text();
        } else if (ev->preeditString().isEmpty() && m_s->composing) {
            // The composition ends with this event (committed or dropped): its refusal, if any,
            // comes while the event is handled, so the note is cleared just after.
            QTimer::singleShot(0, this, [s = m_s] { s->composing = false; });
        }
        return false;
    }

private:
    QLineEdit* m_box;
    std::shared_ptr<State> m_s;
};
} // namespace

void watch(QLineEdit* box, const QString& fieldName, int maxBytes) {
    auto s = std::make_shared<State>();
    s->last = box->text();
    box->installEventFilter(new CompositionStart(box, s));
    QObject::connect(box, &QLineEdit::textChanged, box, [box, s, fieldName, maxBytes](const QString& text) {
        const QString bad = Cp932::firstUnencodable(text);
        // The field is stored in so many bytes of code page 932: a full-width character takes two.
        const bool longer = maxBytes > 0 && Cp932::encode(text).size() > maxBytes;
        if (bad.isEmpty() && !longer) {
            s->last = text;
            return;
        }
        // First the box as it was and no composition left to send again; only then a word. A refused
        // commit puts back the text from before its composition, which may have replaced a selection.
        const QString back = s->composing ? s->beforeComposition : s->last;
        s->composing = false;
        s->last = back;
        box->setText(back);
        if (box->hasFocus())
            QGuiApplication::inputMethod()->reset();
        const QString what = bad.isEmpty() ? u"#long"_s : bad;
        if (s->busy || (what == s->refused && s->since.isValid() && s->since.elapsed() < kRepeatMs))
            return;
        s->busy = true;
        MsgBox::show(bad.isEmpty() ? tooLong(fieldName, maxBytes) : refusal(bad, fieldName), MsgBox::OkOnly,
                     MsgBox::Warning);
        s->busy = false;
        s->refused = what;
        s->since.start();
    });
}

} // namespace TextGuard
