#include "classfiles/Password.h"

using namespace Qt::StringLiterals;

namespace Password {

const QString& none() {
    static const QString n = u"0000000000"_s;
    return n;
}

QString padded(const QString& typed) {
    return typed.size() >= 10 ? typed : typed + QString(10 - typed.size(), u'0');
}

bool matches(const QString& typed, const QString& stored) {
    return padded(typed).toUpper() == stored.toUpper();
}

} // namespace Password
