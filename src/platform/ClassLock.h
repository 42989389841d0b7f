#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <QStringList>

#include <optional>

// One program at a time on a class, across users and computers: a lock file beside the class's
// files in the data folder ("3-1.lock") naming the computer, the program, its process and a token
// of its own. The grade book holds it while the class is current; every load and save of a class
// takes it for its run unless this program already holds it.
//
// It is built for the school's server as much as for a local disk. On an SMB share a file another
// client has open cannot be removed, links cannot be made and a rename never refuses to replace;
// only creating a file that is not there is exclusive. So:
// - the file is never held open: it is made, written in one go and closed, and read the same way;
//   giving it up tries again for a moment while someone is reading it;
// - before making it, the program writes the same text under a name of its own
//   ("3-1.lock.<token>", its intent) and removes that once the lock is written. A lock found empty
//   or cut short is thus never a mystery: the intents beside it say who may be writing it, and one
//   with no live intent beside it is nobody's;
// - a lock of a process of this computer that is no longer running (or of an earlier start of the
//   computer) is taken over at once; one of another computer is only ever given up by the teacher
//   (`release`), since nothing here can tell whether that computer still works on the class. No
//   decision depends on the age of a file or on anybody's clock;
// - a lock is only ever removed by the program that made it, or by the teacher's clearing of the
//   very lock shown to them; every save first checks that the lock on disk is still its own.
class ClassLock {
public:
    enum class Status {
        Taken,    // this lock holds the class
        HeldHere, // this program already holds it, and the lock on disk is still that one
        InUse,    // another program has it
        Lost,     // this program held it, but the lock on disk is no longer its own (cleared elsewhere,
                  // another disk in the drive)
        Foreign,  // something that is not a plain file stands at the lock's name (a link, a pipe)
        Failed    // the lock file cannot be made (a folder that cannot be written)
    };
    struct Holder {
        QString host;
        QString program;
        qint64 pid = 0;
        QDateTime since;
        bool otherComputer = false;
        QByteArray bytes; // the lock as read, so that clearing removes only the lock the teacher saw
    };

    // Tries once, without waiting on anybody. Host paths. `fresh` takes a new lock even where this
    // program held one that it has lost (the teacher chooses the class again).
    ClassLock(const QString& folder, const QString& base, bool fresh = false);
    ~ClassLock();
    ClassLock(const ClassLock&) = delete;
    ClassLock& operator=(const ClassLock&) = delete;

    Status status() const { return m_status; }
    bool ok() const { return m_status == Status::Taken || m_status == Status::HeldHere; }
    const Holder& holder() const { return m_holder; }
    const QString& file() const { return m_path; }
    // Whether the lock file on disk is still the one this program made (its token and the file
    // itself); false for a lock that is not held.
    bool stillOurs() const;
    // Empty while the lock on disk is still this program's own; otherwise why nothing may be
    // written under it, naming the class and whoever holds it now.
    QString lostRefusal(const QString& classDosPath) const;
    // What the teacher is told when the class cannot be had; `classDosPath` names it.
    QString refusal(const QString& classDosPath) const;

    // Removes the intents that programs of this computer left when they were killed before making
    // the lock (nothing else ever reads them); the grade book does it when it opens a class.
    void tidy() const;

    static QString path(const QString& folder, const QString& base);
    // Removes the lock another computer left, only if it is still the one described by `shown`;
    // true when it is gone.
    static bool release(const QString& folder, const QString& base, const Holder& shown);
    // "この学級は ○○（コンピューター名）で使用中です（12月8日 10:32から）。"
    static QString inUseText(const Holder& h);

    // Test hook: the next take stops after this many of its steps (0 the intent made, 1 written, 2 the lock
    // made, 3 the lock written, 4 the intent removed) and leaves everything as a killed process
    // would; the process is expected to end at once. Negative turns it off.
    static void stopAfterStepForTest(int step);

private:
    // The intents beside the lock other than `own`, host paths.
    QStringList intents(const QString& own) const;
    // The holder named by an intent of a program that may still be writing the lock.
    std::optional<Holder> liveIntent(const QString& own) const;
    // Removes the intents of programs of this computer that no longer run.
    void removeDeadIntents(const QString& own) const;

    QString m_path;
    QString m_folder;
    QString m_base;
    Status m_status = Status::Failed;
    Holder m_holder;
    QByteArray m_token;
    quint64 m_dev = 0;
    quint64 m_ino = 0;
};
