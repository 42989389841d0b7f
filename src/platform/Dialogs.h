#pragma once

#include <QString>
#include <QStringList>

class QPrinter;

// The common dialogs: file open, file save, folder choice and printer set-up. Paths go in and come
// out in the host's own form; callers convert with DosPath where they store them.
class Dialogs {
public:
    // An empty text means the teacher cancelled.
    static QString openFile(const QString& title, const QString& folder, const QString& filter);
    static QString saveFile(const QString& title, const QString& folder, const QString& filter);
    static QString chooseFolder(const QString& title, const QString& folder);
    // Lets the teacher choose a printer and its settings for the next print job; false when cancelled.
    static bool printerSetup(QPrinter& printer);

    // Test double: results come from the queue in order (an empty text = cancelled; for the printer
    // set-up a non-empty text = accepted); every request is recorded by its title.
    static void setTesting(bool on);
    static void queueResult(const QString& result);
    static const QStringList& requests();
    // Dialogs that came up with no result queued for them (each counts as cancelled): a test
    // fails on any, as it does on an unanswered message box.
    static int unanswered();
    static void reset();
};
