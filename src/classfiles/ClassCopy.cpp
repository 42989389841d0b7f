#include "classfiles/ClassCopy.h"

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

QString copyAll(const QString& sourceBase, const QString& destinationBase) {
    QList<FileOps::CopyPair> pairs;
    for (const QString& ext : extensions())
        pairs.append({DosPath::toNative(sourceBase + ext), DosPath::toNative(destinationBase + ext)});
    const FileOps::CopyOutcome r = FileOps::copyFiles(pairs);
    if (r.result == FileOps::CopyResult::Ok)
        return {};
    const QString crLf = u"\r\n"_s;
    const QString ext = extensions().value(r.failedIndex);
    switch (r.result) {
    case FileOps::CopyResult::NotFound:
        return u"コピー元のファイルがそろっていません。"_s + crLf + sourceBase + ext + u" がありません。"_s +
               crLf + u"何もコピーしていません。"_s;
    case FileOps::CopyResult::InUse:
        return u"オープンされているファイルにはコピーできません."_s + crLf +
               u"いったん閉じて, もう一度実行してください."_s + crLf + destinationBase + ext;
    default:
        return u"有効なファイル名ではありません."_s + crLf + destinationBase + ext + crLf +
               u"コピー先のファイルは前のままです。"_s;
    }
}

} // namespace ClassCopy
