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

QStringList copyAll(const QString& sourceBase, const QString& destinationBase) {
    QStringList problems;
    for (const QString& ext : extensions()) {
        const QString from = DosPath::toNative(sourceBase + ext);
        const QString to = DosPath::toNative(destinationBase + ext);
        const FileOps::CopyResult r =
            (from.isEmpty() || to.isEmpty()) ? FileOps::CopyResult::Failed : FileOps::copyFile(from, to);
        if (r == FileOps::CopyResult::InUse)
            problems << u"オープンされているファイルにはコピーできません."_s + u"\r\n"_s +
                            u"いったん閉じて, もう一度実行してください."_s;
        else if (r == FileOps::CopyResult::Failed)
            problems << u"有効なファイル名ではありません."_s;
    }
    return problems;
}

} // namespace ClassCopy
