#include "controls/TextGuard.h"

#include "platform/Cp932.h"
#include "platform/MsgBox.h"

#include <QLineEdit>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace TextGuard {

QString refusal(const QString& character, const QString& fieldName) {
    return u"「"_s + character + u"」は使えない文字なので、"_s + fieldName + u"に入れられません。"_s +
           u"\r\n"_s + u"ほかの字に置き換えて入力してください。"_s;
}

void watch(QLineEdit* box, const QString& fieldName) {
    // The text before the edit that brought the character in.
    auto last = std::make_shared<QString>(box->text());
    QObject::connect(box, &QLineEdit::textChanged, box, [box, last, fieldName](const QString& text) {
        const QString bad = Cp932::firstUnencodable(text);
        if (bad.isEmpty()) {
            *last = text;
            return;
        }
        const QString before = *last;
        box->setText(before);
        MsgBox::show(refusal(bad, fieldName), MsgBox::OkOnly, MsgBox::Warning);
    });
}

} // namespace TextGuard
