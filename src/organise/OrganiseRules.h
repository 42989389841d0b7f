#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// What the teachers add for next year's classes, pupils named by old class and attendance number
// ("5-1:3"): pairs to keep apart, groups to keep together, pupils fixed to a new class (1..K),
// flags and readings. As JSON (UTF-8):
//   {"apart": [["5-1:3", "5-2:7"]], "together": [["5-1:4", "5-3:9"]], "fixed": {"5-2:1": 2},
//    "flags": {"5-1:5": ["要配慮"]}, "readings": {"5-1:3": "さとう たろう"},
//    "flagNames": ["リーダー", "要配慮", "ピアノ", "特別支援"],
//    "placed": {"classes": 6, "pupils": {"5-1:3": 2}}}
// Every key is optional. "placed" is where the window left each pupil (new class 1..classes), so
// that the classes moved by hand are there again when it opens. These are the most private data the school
// keeps: the grade's file is the owner's only, saved as one unit under its lock and never through a link.
struct OrganiseRules {
    QList<QStringList> apart;
    QList<QStringList> together;
    QMap<QString, int> fixed;
    QMap<QString, QStringList> flags;
    QMap<QString, QString> readings;
    QStringList flagNames = defaultFlagNames();
    struct Placement {
        int classes = 0; // 0: none
        QMap<QString, int> pupils;
        bool operator==(const Placement&) const = default;
    };
    Placement placed;

    static QStringList defaultFlagNames();
    bool operator==(const OrganiseRules&) const = default;

    // An empty text, or what is wrong and where ("together の 2 番目: …").
    static QString fromJson(const QByteArray& json, OrganiseRules* out);
    QByteArray toJson() const;

    // The grade's file in the data folder (host path): "voxaorg5.json" beside the classes, with its
    // lock "voxaorg5.lock".
    static QString baseName(int grade);
    static QString filePath(const QString& folder, int grade);
    // Reads it (no file: no rules, and no error). The message names the file.
    static QString load(const QString& folder, int grade, OrganiseRules* out);
    // Replaces it as one unit; the caller holds the grade's lock. The message names the file.
    QString save(const QString& folder, int grade) const;

    // The largest file taken.
    static constexpr qint64 kMaxBytes = 4 * 1024 * 1024;
};
