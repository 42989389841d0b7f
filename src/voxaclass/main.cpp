// voxaclass: shows a class's files as JSON and writes them back, for support staff and tests.
//   voxaclass dump PATH    prints the class in PATH.sdt, PATH.eix and PATH.dat as JSON
//   voxaclass write PATH   reads such JSON from standard input and writes the three files
//   voxaclass export PATH [--term 1|2|3|4] [--encoding cp932|utf-8]
//                          prints the results of a term (4: the year) as CSV

#include "core/ClassFiles.h"
#include "core/VOXA1.h"
#include "voxaclass/ClassJson.h"
#include "voxaclass/ResultsCsv.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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
// voxaclass export PATH [--term N] [--encoding E]: the results as CSV on standard output.
int exportResults(const QStringList& args, const QString& usage) {
    VOXA1 c;
    c.ClassPath = args[0];
    int term = 0;
    ResultsCsv::Encoding encoding = ResultsCsv::Encoding::Cp932;
    for (qsizetype i = 1; i < args.size(); i += 2) {
        const QString value = args.value(i + 1);
        if (args[i] == u"--term"_s && QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}.contains(value))
            term = value.toInt();
        else if (args[i] == u"--encoding"_s && (value == u"cp932"_s || value == u"utf-8"_s))
            encoding = value == u"utf-8"_s ? ResultsCsv::Encoding::Utf8 : ResultsCsv::Encoding::Cp932;
        else
            return fail(usage);
    }
    QString notice;
    const QString error = ClassFiles::loadClass(c, &notice);
    if (!error.isEmpty())
        return fail(error);
    if (!notice.isEmpty())
        note(notice);
    // The grade, which decides the subjects, comes from the file's name ("5-1") as in the grade book.
    c.ClassName = QFileInfo(c.ClassPath).fileName();
    c.SplitClassName();
    if (c.Grade < 1 || c.Grade > 6)
        return fail(u"学級ファイルの名前（例 5-1）から学年が分かりません: "_s + c.ClassPath);
    // Without --term, the class's current term.
    if (term == 0) {
        if (c.CurTerm < 1 || c.CurTerm > 3)
            return fail(u"現在の学期の設定が正しくありません。--term で学期を指定してください。"_s);
        term = c.CurTerm;
    }
    const ResultsCsv::Output out = ResultsCsv::write(c, term, encoding);
    for (const QString& w : out.warnings)
        note(w);
    QFile stdOut;
    if (!stdOut.open(stdout, QIODevice::WriteOnly) || stdOut.write(out.bytes) != out.bytes.size() ||
        !stdOut.flush())
        return fail(u"標準出力に書けません"_s);
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString usage = u"使い方: voxaclass dump PATH | voxaclass write PATH | voxaclass export PATH "
                          "[--term 1|2|3|4] [--encoding cp932|utf-8]  (PATH は拡張子なしの学級ファイル名)"_s;
    if (args.size() >= 3 && args[1] == u"export"_s)
        return exportResults(args.mid(2), usage);
    if (args.size() != 3 || (args[1] != u"dump"_s && args[1] != u"write"_s))
        return fail(usage);

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
        const QByteArray json = QJsonDocument(ClassJson::toJson(c)).toJson(QJsonDocument::Indented);
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(json) != json.size() || !out.flush())
            return fail(u"標準出力に書けません"_s);
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
