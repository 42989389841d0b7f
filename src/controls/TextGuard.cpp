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

QString tooLong(const QString& fieldName, int maxBytes) {
    return fieldName + u"は全角%1文字・半角%2文字までです。"_s.arg(maxBytes / 2).arg(maxBytes) + u"\r\n"_s +
           u"短くしてから入力してください。"_s;
}

void watch(QLineEdit* box, const QString& fieldName, int maxBytes) {
    auto s = std::make_shared<State>();
    s->last = box->text();
    QObject::connect(box, &QLineEdit::textChanged, box, [box, s, fieldName, maxBytes](const QString& text) {
        const QString bad = Cp932::firstUnencodable(text);
        // The field is stored in so many bytes of code page 932: a full-width character takes two.
        const bool longer = maxBytes > 0 && Cp932::encode(text).size() > maxBytes;
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
        MsgBox::show(bad.isEmpty() ? tooLong(fieldName, maxBytes) : refusal(bad, fieldName), MsgBox::OkOnly,
                     MsgBox::Warning);
        s->busy = false;
        s->refused = what;
        s->since.start();
    });
}

} // namespace TextGuard
