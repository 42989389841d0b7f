#include "platform/DosPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace DosPath {

namespace {

// The first mounted volume that the kernel marks as removable (a USB stick, a card reader).
QString removableRoot() {
    const auto volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& v : volumes) {
        if (!v.isValid() || !v.isReady())
            continue;
        QString dev = QString::fromLocal8Bit(v.device());
        if (!dev.startsWith(u"/dev/"_s))
            continue;
        dev = QFileInfo(dev).canonicalFilePath();
        QString name = dev.section(u'/', -1);
        // A partition (sdb1) reports through its disk (sdb).
        for (const QString& cand : {name, QString(name).remove(QRegularExpression(u"[0-9]+$"_s))}) {
            QFile f(u"/sys/class/block/%1/removable"_s.arg(cand));
            if (f.open(QIODevice::ReadOnly) && f.readAll().trimmed() == "1")
                return v.rootPath();
        }
    }
    return {};
}

QString driveRoot(QChar letter) {
    switch (letter.toUpper().unicode()) {
    case u'C':
        return QDir::homePath();
    case u'Z':
        return u"/"_s;
    case u'A':
        return removableRoot();
    default:
        return {};
    }
}

// Finds each part of the path, taking an existing entry that differs only in case when the exact
// name does not exist. Parts that do not exist yet are kept as given.
QString resolveCase(const QString& root, const QStringList& parts) {
    QString path = root;
    bool exists = true;
    for (const QString& part : parts) {
        if (part.isEmpty() || part == u"."_s)
            continue;
        QString next = path.endsWith(u'/') ? path + part : path + u'/' + part;
        if (exists && !QFileInfo::exists(next)) {
            const QStringList entries =
                QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            bool found = false;
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    next = path.endsWith(u'/') ? path + e : path + u'/' + e;
                    found = true;
                    break;
                }
            }
            exists = found;
        }
        path = next;
    }
    return path;
}

} // namespace

QString forMessage(const QString& nativePath) {
    return QDir::toNativeSeparators(QFileInfo(nativePath).absoluteFilePath());
}

bool hasDrive(const QString& path) {
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 128;
}

QString toNative(const QString& dosPath) {
    if (!hasDrive(dosPath))
        return dosPath;
    const QString root = driveRoot(dosPath[0]);
    if (root.isEmpty())
        return {};
    QString rest = dosPath.mid(2);
    rest.replace(u'\\', u'/');
    return resolveCase(root, rest.split(u'/', Qt::SkipEmptyParts));
}

QString fromNative(const QString& nativePath) {
    const QString clean = QDir::cleanPath(QFileInfo(nativePath).absoluteFilePath());
    const QString home = QDir::cleanPath(QDir::homePath());
    QString rest;
    QChar drive;
    if (clean == home || clean.startsWith(home + u'/')) {
        drive = u'C';
        rest = clean.mid(home.size());
    } else {
        drive = u'Z';
        rest = clean;
    }
    rest.replace(u'/', u'\\');
    if (rest.isEmpty())
        rest = u"\\"_s;
    return QString(drive) + u':' + rest;
}

bool driveReady(QChar letter) {
    const QString root = driveRoot(letter);
    return !root.isEmpty() && QFileInfo(root).isDir();
}

QString join(const QString& folder, const QString& name) {
    if (folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'\\' + name;
}

} // namespace DosPath
