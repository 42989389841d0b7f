#include "controls/TextGuard.h"

#include "platform/Cp932.h"
#include "platform/MsgBox.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>

#include <memory>

using namespace Qt::StringLiterals;

namespace TextGuard {

namespace {
// A refusal sent again this soon after its message closed is the input method repeating itself.
constexpr qint64 kRepeatMs = 1500;

struct State {
    QString last;      // the text before the edit that brought the refused text in
    bool busy = false; // a message of this box is up
    QString refused;   // what the last message was about
    QElapsedTimer since;
};
} // namespace

QString refusal(const QString& character, const QString& fieldName) {
    return u"「"_s + character + u"」は使えない文字なので、"_s + fieldName + u"に入れられません。"_s +
           u"\r\n"_s + u"ほかの字に置き換えて入力してください。"_s;
}

QString tooLong(const QString& fieldName, int maxChars) {
    return fieldName + u"は%1文字までです。"_s.arg(maxChars) + u"\r\n"_s +
           u"短くしてから入力してください。"_s;
}

void watch(QLineEdit* box, const QString& fieldName, int maxChars) {
    auto s = std::make_shared<State>();
    s->last = box->text();
    QObject::connect(box, &QLineEdit::textChanged, box, [box, s, fieldName, maxChars](const QString& text) {
        const QString bad = Cp932::firstUnencodable(text);
        const bool longer = maxChars > 0 && text.size() > maxChars;
        if (bad.isEmpty() && !longer) {
            s->last = text;
            return;
        }
        // First the box as it was and no composition left to send again; only then a word.
        box->setText(s->last);
        if (box->hasFocus())
            QGuiApplication::inputMethod()->reset();
        const QString what = bad.isEmpty() ? u"#long"_s : bad;
        if (s->busy || (what == s->refused && s->since.isValid() && s->since.elapsed() < kRepeatMs))
            return;
        s->busy = true;
        MsgBox::show(bad.isEmpty() ? tooLong(fieldName, maxChars) : refusal(bad, fieldName), MsgBox::OkOnly,
                     MsgBox::Warning);
        s->busy = false;
        s->refused = what;
        s->since.start();
    });
}

} // namespace TextGuard
