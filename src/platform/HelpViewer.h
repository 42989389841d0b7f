#pragma once

#include <QString>
#include <QStringList>

// Opens the program's help file. Where the file is missing or the system has nothing to show it
// with, the teacher is told so instead of nothing happening.
class HelpViewer {
public:
    enum Command { Contents, KeywordSearch, HelpOnHelp };

    static void open(const QString& nativeHelpFile, Command command, const QString& keyword = QString());

    // Test double: nothing is opened; each request is recorded as "command|file|keyword".
    static void setTesting(bool on);
    static const QStringList& requests();
    static void reset();
};
