#include "organise/OrganiseRules.h"

#include "platform/FileSet.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

bool isId(const QString& id) {
    static const QRegularExpression form(u"^[1-6]-[1-9]:[1-9][0-9]?$"_s);
    return form.match(id).hasMatch();
}

QString badId(const QString& where, const QString& id) {
    return where + u": 「"_s + id + u"」は児童の指定（例 5-1:3、旧学級と出席番号）ではありません。"_s;
}

// A list of pupils: an array of ids, each once.
QString readPupils(const QJsonValue& v, const QString& where, QStringList* out) {
    if (!v.isArray())
        return where + u": 児童の指定の並び（[\"5-1:3\", \"5-2:7\"]）ではありません。"_s;
    for (const QJsonValue& x : v.toArray()) {
        const QString id = x.toString();
        if (!x.isString() || !isId(id))
            return badId(
                where, x.isString()
                           ? id
                           : QString::fromUtf8(QJsonDocument(QJsonArray{x}).toJson(QJsonDocument::Compact)));
        if (out->contains(id))
            return where + u": 「"_s + id + u"」が二度あります。"_s;
        out->append(id);
    }
    return {};
}

} // namespace

QStringList OrganiseRules::defaultFlagNames() {
    return {u"リーダー"_s, u"要配慮"_s, u"ピアノ"_s, u"特別支援"_s};
}

QString OrganiseRules::fromJson(const QByteArray& json, OrganiseRules* out) {
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    if (doc.isNull() || !doc.isObject())
        return u"JSON として読めません（"_s + QString::number(err.offset) + u"バイト目: "_s +
               err.errorString() + u"）。"_s;
    const QJsonObject o = doc.object();
    OrganiseRules r;
    for (auto it = o.begin(); it != o.end(); ++it)
        if (!QStringList{u"apart"_s, u"together"_s, u"fixed"_s, u"flags"_s, u"readings"_s, u"flagNames"_s,
                         u"placed"_s}
                 .contains(it.key()))
            return u"「"_s + it.key() +
                   u"」は知らない項目です（apart, together, fixed, flags, readings, flagNames, placed）。"_s;
    const QJsonArray apart = o.value(u"apart"_s).toArray();
    if (o.contains(u"apart"_s) && !o.value(u"apart"_s).isArray())
        return u"apart: 二人ずつの並びの並びではありません。"_s;
    for (qsizetype i = 0; i < apart.size(); ++i) {
        const QString where = u"apart の "_s + QString::number(i + 1) + u" 番目"_s;
        QStringList pair;
        if (const QString e = readPupils(apart[i], where, &pair); !e.isEmpty())
            return e;
        if (pair.size() != 2)
            return where + u": 離す組は二人です。"_s;
        r.apart.append(pair);
    }
    if (o.contains(u"together"_s) && !o.value(u"together"_s).isArray())
        return u"together: 児童の並びの並びではありません。"_s;
    const QJsonArray together = o.value(u"together"_s).toArray();
    for (qsizetype i = 0; i < together.size(); ++i) {
        const QString where = u"together の "_s + QString::number(i + 1) + u" 番目"_s;
        QStringList group;
        if (const QString e = readPupils(together[i], where, &group); !e.isEmpty())
            return e;
        if (group.size() < 2)
            return where + u": 同じ組は二人以上です。"_s;
        r.together.append(group);
    }
    for (const QString& key : {u"fixed"_s, u"flags"_s, u"readings"_s})
        if (o.contains(key) && !o.value(key).isObject())
            return key + u": 児童の指定をキーにしたオブジェクトではありません。"_s;
    const QJsonObject fixed = o.value(u"fixed"_s).toObject();
    for (auto it = fixed.begin(); it != fixed.end(); ++it) {
        if (!isId(it.key()))
            return badId(u"fixed"_s, it.key());
        const double k = it.value().toDouble(-1);
        if (!it.value().isDouble() || k != double(int(k)) || k < 1 || k > 9)
            return u"fixed の "_s + it.key() + u": 新しい学級は 1～9 の数です。"_s;
        r.fixed.insert(it.key(), int(k));
    }
    if (o.contains(u"flagNames"_s)) {
        const QJsonArray names = o.value(u"flagNames"_s).toArray();
        if (!o.value(u"flagNames"_s).isArray() || names.size() != 4)
            return u"flagNames: 印の名前は四つです。"_s;
        r.flagNames.clear();
        for (const QJsonValue& n : names) {
            if (!n.isString() || n.toString().trimmed().isEmpty() || n.toString().size() > 8)
                return u"flagNames: 印の名前は 1～8 文字です。"_s;
            if (r.flagNames.contains(n.toString()))
                return u"flagNames: 「"_s + n.toString() + u"」が二度あります。"_s;
            r.flagNames.append(n.toString());
        }
    }
    const QJsonObject flags = o.value(u"flags"_s).toObject();
    for (auto it = flags.begin(); it != flags.end(); ++it) {
        if (!isId(it.key()))
            return badId(u"flags"_s, it.key());
        QStringList names;
        if (!it.value().isArray())
            return u"flags の "_s + it.key() + u": 印の名前の並びではありません。"_s;
        for (const QJsonValue& n : it.value().toArray()) {
            if (!r.flagNames.contains(n.toString()))
                return u"flags の "_s + it.key() + u": 「"_s + n.toString() + u"」は印の名前（"_s +
                       r.flagNames.join(u"、"_s) + u"）のどれでもありません。"_s;
            if (!names.contains(n.toString()))
                names.append(n.toString());
        }
        if (!names.isEmpty())
            r.flags.insert(it.key(), names);
    }
    const QJsonObject readings = o.value(u"readings"_s).toObject();
    for (auto it = readings.begin(); it != readings.end(); ++it) {
        if (!isId(it.key()))
            return badId(u"readings"_s, it.key());
        if (!it.value().isString())
            return u"readings の "_s + it.key() + u": 読みは文字列です。"_s;
        if (!it.value().toString().trimmed().isEmpty())
            r.readings.insert(it.key(), it.value().toString().trimmed());
    }
    if (o.contains(u"placed"_s)) {
        const QJsonObject placed = o.value(u"placed"_s).toObject();
        const double k = placed.value(u"classes"_s).toDouble(-1);
        if (!o.value(u"placed"_s).isObject() || k != double(int(k)) || k < 1 || k > 9 ||
            !placed.value(u"pupils"_s).isObject())
            return u"placed: 学級の数（1～9）と児童ごとの新しい学級のオブジェクトではありません。"_s;
        r.placed.classes = int(k);
        const QJsonObject pupils = placed.value(u"pupils"_s).toObject();
        for (auto it = pupils.begin(); it != pupils.end(); ++it) {
            if (!isId(it.key()))
                return badId(u"placed"_s, it.key());
            const double c = it.value().toDouble(-1);
            if (c != double(int(c)) || c < 1 || c > k)
                return u"placed の "_s + it.key() + u": 新しい学級は 1～"_s + QString::number(int(k)) +
                       u" の数です。"_s;
            r.placed.pupils.insert(it.key(), int(c));
        }
    }
    *out = r;
    return {};
}

QByteArray OrganiseRules::toJson() const {
    QJsonObject o;
    QJsonArray apartArray, togetherArray;
    for (const QStringList& p : apart)
        apartArray.append(QJsonArray::fromStringList(p));
    for (const QStringList& g : together)
        togetherArray.append(QJsonArray::fromStringList(g));
    o.insert(u"apart"_s, apartArray);
    o.insert(u"together"_s, togetherArray);
    QJsonObject f, fl, rd;
    for (auto it = fixed.begin(); it != fixed.end(); ++it)
        f.insert(it.key(), it.value());
    for (auto it = flags.begin(); it != flags.end(); ++it)
        fl.insert(it.key(), QJsonArray::fromStringList(it.value()));
    for (auto it = readings.begin(); it != readings.end(); ++it)
        rd.insert(it.key(), it.value());
    o.insert(u"fixed"_s, f);
    o.insert(u"flags"_s, fl);
    o.insert(u"readings"_s, rd);
    o.insert(u"flagNames"_s, QJsonArray::fromStringList(flagNames));
    if (placed.classes > 0) {
        QJsonObject pupils;
        for (auto it = placed.pupils.begin(); it != placed.pupils.end(); ++it)
            pupils.insert(it.key(), it.value());
        o.insert(u"placed"_s, QJsonObject{{u"classes"_s, placed.classes}, {u"pupils"_s, pupils}});
    }
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

QString OrganiseRules::baseName(int grade) {
    return u"voxaorg"_s + QString::number(grade);
}

QString OrganiseRules::filePath(const QString& folder, int grade) {
    return QDir(folder).filePath(baseName(grade) + u".json"_s);
}

QString OrganiseRules::load(const QString& folder, int grade, OrganiseRules* out) {
    const QString path = filePath(folder, grade);
    QByteArray data;
    // Something that is not a plain file at the name is refused before an interrupted save is put
    // back beside it.
    if (const QFileInfo at(path); (at.exists() || at.isSymLink()) && !FileSet::isPlainFile(path))
        return u"編成の条件のファイルのところに、このプログラムが作ったのではないもの（リンクなど）があります。読みません。"_s +
               u"\r\n"_s + path;
    // An interrupted save of the file is put back first, as for a class.
    const FileSet::Members m{folder, baseName(grade), {baseName(grade) + u".json"_s}};
    if (const FileSet::Recovery r = FileSet::recover(m);
        r == FileSet::Recovery::Failed || r == FileSet::Recovery::Damaged)
        return u"編成の条件のファイルの保存が途中で止まったままで、読めません。"_s + u"\r\n"_s + path;
    switch (FileSet::readFile(path, &data, kMaxBytes)) {
    case FileSet::ReadResult::Missing:
        *out = OrganiseRules();
        return {};
    case FileSet::ReadResult::Ok:
        break;
    case FileSet::ReadResult::Link:
    case FileSet::ReadResult::NotPlain:
        return u"編成の条件のファイルのところに、このプログラムが作ったのではないもの（リンクなど）があります。読みません。"_s +
               u"\r\n"_s + path;
    case FileSet::ReadResult::TooLarge:
        return u"編成の条件のファイルが大きすぎます。読みません。"_s + u"\r\n"_s + path;
    case FileSet::ReadResult::Failed:
        return u"編成の条件のファイルを読めません。"_s + u"\r\n"_s + path;
    }
    if (const QString e = fromJson(data, out); !e.isEmpty())
        return u"編成の条件のファイルが壊れています: "_s + e + u"\r\n"_s + path;
    return {};
}

QString OrganiseRules::save(const QString& folder, int grade) const {
    const FileSet::Members m{folder, baseName(grade), {baseName(grade) + u".json"_s}};
    const FileSet::Result r = FileSet::replace(m, {{m.names[0], toJson()}});
    if (r.outcome == FileSet::Outcome::Saved)
        return {};
    return u"編成の条件を保存できませんでした。前に保存した条件はそのまま残っています。"_s + u"\r\n"_s +
           filePath(folder, grade);
}
