// voxaclass: shows a class's files as JSON and writes them back, for support staff and tests.
//   voxaclass dump PATH    prints the class in PATH.sdt, PATH.eix and PATH.dat as JSON
//   voxaclass write PATH   reads such JSON from standard input and writes the three files

#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "voxaclass/ClassJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {
int fail(const QString& why) {
    QTextStream err(stderr);
    err << u"voxaclass: "_s << why << Qt::endl;
    return 1;
}
void note(const QString& what) {
    QTextStream err(stderr);
    err << u"voxaclass: "_s << what << Qt::endl;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || (args[1] != u"dump"_s && args[1] != u"write"_s))
        return fail(
            u"使い方: voxaclass dump PATH | voxaclass write PATH  (PATH は拡張子なしの学級ファイル名)"_s);

    VOXA1 c;
    c.ClassPath = args[2];
    if (args[1] == u"dump"_s) {
        QString notice;
        const QString error = ClassFiles::loadClass(c, &notice, ClassFiles::Values::AsInFile);
        if (!error.isEmpty())
            return fail(error);
        if (!notice.isEmpty())
            note(notice);
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            return fail(u"標準出力に書けません"_s);
        out.write(QJsonDocument(ClassJson::toJson(c)).toJson(QJsonDocument::Indented));
        return 0;
    }

    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return fail(u"標準入力を読めません"_s);
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &parseError);
    if (doc.isNull() || !doc.isObject())
        return fail(u"JSON として読めません: "_s + parseError.errorString());
    const QString error = ClassJson::fromJson(doc.object(), c);
    if (!error.isEmpty())
        return fail(error);
    QString notice;
    const QString saveError = ClassFiles::saveClass(c, &notice);
    if (!saveError.isEmpty())
        return fail(saveError);
    if (!notice.isEmpty())
        note(notice);
    return 0;
}
