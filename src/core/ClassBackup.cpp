#include "core/ClassBackup.h"

#include <QDir>
#include <QRegularExpression>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace ClassBackup {

namespace {
const QString kStampFormat = u"yyyyMMdd-HHmmss"_s;
} // namespace

QString folderOf(const QString& classFolder, const QString& base) {
    return QDir(classFolder).filePath(u"voxabak/"_s + base);
}

QStringList sets(const QString& classFolder, const QString& base) {
    static const QRegularExpression stamp(u"^\\d{8}-\\d{6}$"_s);
    QStringList out;
    const QStringList names =
        QDir(folderOf(classFolder, base)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& n : names)
        if (stamp.match(n).hasMatch() && QDateTime::fromString(n, kStampFormat).isValid())
            out.append(n);
    return out;
}

QString dueSet(const QString& classFolder, const QString& base, const QDateTime& now) {
    const QString name = now.toString(kStampFormat);
    for (const QString& s : sets(classFolder, base)) {
        // A clock set back must not stop the backups for good: only a set within ten minutes
        // either side of now counts.
        const qint64 apart = QDateTime::fromString(s, kStampFormat).secsTo(now);
        if (s == name || std::llabs(apart) < kMinutesApart * 60)
            return {};
    }
    return QDir(folderOf(classFolder, base)).filePath(name);
}

void prune(const QString& classFolder, const QString& base) {
    const QStringList all = sets(classFolder, base);
    for (qsizetype i = 0; i + kSetsKept < all.size(); ++i)
        QDir(QDir(folderOf(classFolder, base)).filePath(all[i])).removeRecursively();
}

} // namespace ClassBackup
