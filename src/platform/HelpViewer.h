#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Opens the program's help in the help window. The help file the program names ("voxa2003.hlp" in
// the program folder) stands for the manual: HTML pages in "help" beside it, or, in an installed
// program, in "../share/voxa2003/help". Where the manual is missing the teacher is told so instead
// of nothing happening.
class HelpViewer {
public:
    enum Command { Contents, KeywordSearch, HelpOnHelp };

    static void open(const QString& nativeHelpFile, Command command, const QString& keyword = QString());

    // The window that shows the manual's folder for a command, installed by the program.
    using Shower = std::function<void(const QString& folder, Command command, const QString& keyword)>;
    static void setShower(Shower shower);

    // The manual's folder for the help file; an empty text when there is none.
    static QString manualFolder(const QString& nativeHelpFile);
    // Tests: the manual is looked for here first (an empty text: not).
    static void setManualFolderForTest(const QString& folder);

    // Test double: nothing is opened; each request is recorded as "command|file|keyword".
    static void setTesting(bool on);
    static const QStringList& requests();
    static void reset();
};
