#include "core/ClassBackup.h"

#include "platform/FileSet.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace ClassBackup {

namespace {
const QString kStampFormat = u"yyyyMMdd-HHmmss"_s;
const QString kRecord = u"made.txt"_s;

QStringList classNames(const QString& base) {
    return {base + u".sdt"_s, base + u".eix"_s, base + u".dat"_s};
}

bool isStamp(const QString& n) {
    static const QRegularExpression stamp(u"^\\d{8}-\\d{6}$"_s);
    return stamp.match(n).hasMatch() && QDateTime::fromString(n, kStampFormat).isValid();
}

// A folder of the program's making: a real folder holding nothing but the class's files.
bool isOwnSet(const QString& path, const QStringList& names) {
    if (!FileSet::isPlainFolder(path))
        return false;
    const QStringList entries =
        QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (!names.contains(e, Qt::CaseInsensitive))
            return false;
    return true;
}

// The record: a set's name a line, oldest first, with what made it after a tab where it was not an
// ordinary save ("restore", "copy").
QList<std::pair<QString, QString>> readEntries(const QString& folder) {
    QByteArray data;
    if (FileSet::readFile(QDir(folder).filePath(kRecord), &data, 64 * 1024) != FileSet::ReadResult::Ok)
        return {};
    QList<std::pair<QString, QString>> out;
    QStringList seen;
    for (const QByteArray& line : data.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        const QString name = QString::fromLatin1(fields[0]);
        if (isStamp(name) && !seen.contains(name)) {
            seen.append(name);
            out.append({name, fields.size() > 1 ? QString::fromLatin1(fields[1]) : QString()});
        }
    }
    return out;
}

QStringList readRecord(const QString& folder) {
    QStringList out;
    for (const auto& e : readEntries(folder))
        out.append(e.first);
    return out;
}

QSet<QString>& keptSets() {
    static QSet<QString> k;
    return k;
}

// Removes a set of the program's making: the plain files in it, then the folder.
bool removeSet(const QString& path) {
    return FileSet::removeOwnFolder(path, QDir(path).entryList(QDir::Files | QDir::Hidden));
}

bool writeRecord(const QString& folder, const QStringList& order, const QString& newName = {},
                 const QString& newKind = {}) {
    const QString path = QDir(folder).filePath(kRecord);
    // Never written through a link put in its place.
    if (!FileSet::isPlainFolder(folder))
        return false;
    QHash<QString, QString> kinds;
    for (const auto& e : readEntries(folder))
        kinds.insert(e.first, e.second);
    if (!newName.isEmpty())
        kinds.insert(newName, newKind);
    QByteArray out;
    for (const QString& n : order)
        out += n.toLatin1() + (kinds.value(n).isEmpty() ? QByteArray() : '\t' + kinds.value(n).toLatin1()) +
               '\n';
    return FileSet::replaceSmallFile(path, out);
}
} // namespace

QString folderOf(const QString& classFolder, const QString& base) {
    return QDir(classFolder).filePath(u"voxabak/"_s + base);
}

QStringList sets(const QString& classFolder, const QString& base) {
    const QString folder = folderOf(classFolder, base);
    if (!FileSet::isPlainFolder(QDir(classFolder).filePath(u"voxabak"_s)) || !FileSet::isPlainFolder(folder))
        return {};
    const QStringList names = classNames(base);
    QStringList present;
    for (const QString& n : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (isStamp(n) && isOwnSet(QDir(folder).filePath(n), names))
            present.append(n);
    const QStringList recorded = readRecord(folder);
    QStringList out;
    for (const QString& n : present)
        if (!recorded.contains(n))
            out.append(n);
    for (const QString& n : recorded)
        if (present.contains(n))
            out.append(n);
    return out;
}

QString dueSet(const QString& classFolder, const QString& base, const QDateTime& now) {
    const QString name = now.toString(kStampFormat);
    const QString folder = folderOf(classFolder, base);
    for (const QString& s : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (!isStamp(s))
            continue;
        // A clock set back must not stop the backups for good: only a set within ten minutes
        // either side of now counts.
        const qint64 apart = QDateTime::fromString(s, kStampFormat).secsTo(now);
        if (s == name || std::llabs(apart) < kMinutesApart * 60)
            return {};
    }
    return QDir(folder).filePath(name);
}

QString freshSet(const QString& classFolder, const QString& base, const QDateTime& now) {
    const QDir folder(folderOf(classFolder, base));
    QDateTime t = now;
    while (QFileInfo(folder.filePath(t.toString(kStampFormat))).exists() ||
           QFileInfo(folder.filePath(t.toString(kStampFormat))).isSymLink())
        t = t.addSecs(1);
    return folder.filePath(t.toString(kStampFormat));
}

bool recordMade(const QString& classFolder, const QString& base, const QString& setName,
                const QString& kind) {
    const QString folder = folderOf(classFolder, base);
    QStringList order = sets(classFolder, base);
    order.removeAll(setName);
    order.append(setName);
    return writeRecord(folder, order, setName, kind);
}

QString madeBy(const QString& classFolder, const QString& base, const QString& setName) {
    for (const auto& e : readEntries(folderOf(classFolder, base)))
        if (e.first == setName)
            return e.second;
    return {};
}

KeepSet::KeepSet(const QString& setPath) : m_path(QDir::cleanPath(setPath)) {
    keptSets().insert(m_path);
}

KeepSet::~KeepSet() {
    keptSets().remove(m_path);
}

void prune(const QString& classFolder, const QString& base, const QString& justMade) {
    const QString folder = folderOf(classFolder, base);
    const QStringList order = sets(classFolder, base);
    QStringList kept;
    for (qsizetype i = 0; i < order.size(); ++i) {
        const bool old = i + kSetsKept < order.size() && order[i] != justMade &&
                         !keptSets().contains(QDir::cleanPath(QDir(folder).filePath(order[i])));
        if (!old || !removeSet(QDir(folder).filePath(order[i])))
            kept.append(order[i]);
    }
    if (kept != order)
        writeRecord(folder, kept);
}

void removeUnfinished(const QString& classFolder, const QString& base) {
    const QString folder = folderOf(classFolder, base);
    if (!FileSet::isPlainFolder(folder))
        return;
    static const QRegularExpression staging(u"^\\.\\d{8}-\\d{6}\\.part$"_s);
    const QStringList names = classNames(base);
    for (const QString& n : QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (staging.match(n).hasMatch() && isOwnSet(QDir(folder).filePath(n), names))
            removeSet(QDir(folder).filePath(n));
}

} // namespace ClassBackup
