#pragma once

#include <QString>

// The running program as the host sees it: its folder, whether another copy runs, and its end.
class Program {
public:
    // The folder of the executable, in the host's form, ending with "/".
    static QString folder();

    // "voxa.ini", shared by the grade book and the setup tool: next to the programs when it is
    // there and can be written, or when it is not there and the folder can be written (a program
    // run where it was built or copied); otherwise in the user's configuration folder
    // (~/.config/voxa2003/voxa.ini), as for a program installed in a system folder.
    static QString settingsFile();
    // Creates the folder of settingsFile() when it is the user's configuration folder.
    static bool makeSettingsFolder();

    // Takes the single-copy lock. Only a lock held by another running copy is OtherCopy; when the
    // lock cannot be taken for any other reason, the result is Failed and `why` says what failed.
    enum class Lock { Taken, OtherCopy, Failed };
    static Lock takeLock(QString* why);

    // Ends the program at once: every window closes and nothing else is written. Code after the
    // call must not touch the class; callers return straight away.
    static void end();
    static bool hasEnded();

    // Test doubles: a temporary program folder, a pretend other copy, and an end that is only
    // recorded (no window closes, the test goes on).
    static void setTesting(bool on);
    static void setFolderForTest(const QString& nativeFolder);
    // Tests run as any user, root too: whether the program folder counts as writable.
    static void setFolderWritableForTest(bool writable);
    static void setOtherCopyForTest(bool running);
    static void setLockFailureForTest(const QString& why);
    static void reset();
};
