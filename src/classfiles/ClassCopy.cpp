#include "classfiles/ClassCopy.h"

#include "core/ClassFiles.h"
#include "platform/DosPath.h"
#include "platform/FileOps.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ClassCopy {

const QStringList& extensions() {
    static const QStringList e = {u".dat"_s, u".sdt"_s, u".eix"_s};
    return e;
}

QString timeText(const QDateTime& t) {
    return t.toString(u"yyyy/MM/dd  hh:mm:ss  "_s);
}

QString overwriteQuestion(const QDateTime& source, const QDateTime& destination,
                          const QString& destinationBase) {
    return u"コピー元: "_s + timeText(source) + u"\r\n"_s + u"コピー先: "_s + timeText(destination) +
           u"\r\n\r\n"_s + destinationBase + u".dat"_s + u" が、存在します。"_s + u"\r\n"_s +
           u"上書きしますか？"_s;
}

bool sameFiles(const QString& sourceBase, const QString& destinationBase) {
    const QFileInfo a(DosPath::toNative(sourceBase + u".dat"_s));
    const QFileInfo b(DosPath::toNative(destinationBase + u".dat"_s));
    if (a.exists() && b.exists())
        return a.canonicalFilePath() == b.canonicalFilePath();
    return sourceBase.compare(destinationBase, Qt::CaseInsensitive) == 0;
}

QString copyAll(const QString& sourceBase, const QString& destinationBase, QString* notice) {
    const QString crLf = u"\r\n"_s;
    for (const QString& ext : extensions()) {
        const QString source = DosPath::toNative(sourceBase + ext);
        if (source.isEmpty() || !QFileInfo(source).isFile())
            return u"コピー元のファイルがそろっていません。"_s + crLf + sourceBase + ext +
                   u" がありません。"_s + crLf + u"何もコピーしていません。"_s;
    }
    for (const QString& ext : extensions()) {
        const QString to = DosPath::toNative(destinationBase + ext);
        if (to.isEmpty())
            return u"有効なファイル名ではありません."_s + crLf + destinationBase + ext + crLf +
                   u"コピー先のファイルは前のままです。"_s;
        if (FileOps::lockedByAnother(to))
            return u"オープンされているファイルにはコピーできません."_s + crLf +
                   u"いったん閉じて, もう一度実行してください."_s + crLf + destinationBase + ext;
    }
    // The source is read as one save and the destination replaced as one save, each under its
    // class's lock; what the destination held is kept in its backups.
    QList<ClassFiles::FileCopy> files;
    QString readNotice, writeNotice;
    const QString readError = ClassFiles::readUnit(sourceBase, &files, &readNotice);
    if (!readError.isEmpty())
        return readError + crLf + u"何もコピーしていません。"_s;
    const QString error = ClassFiles::replaceUnit(destinationBase, files, &writeNotice);
    // What the teacher should hear even so: the source's interrupted save was put back first, a
    // backup of the destination could not be made.
    if (notice) {
        QStringList said;
        for (const QString& n : {readNotice, writeNotice})
            if (!n.isEmpty())
                said.append(n);
        *notice = said.join(crLf + crLf);
    }
    return error;
}

} // namespace ClassCopy
