#pragma once

#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

// One program at a time on a class, across users and computers: a lock file beside the class's
// files in the data folder ("3-1.lock"), holding the computer, the program and its process number.
// The grade book holds it while the class is current; every load and save of a class takes it for
// its run unless this program already holds it. A lock left by a process of this computer that is
// no longer running is taken over; one left by another computer is only ever given up by the
// teacher (`release`), since nothing here can tell whether that computer still works on the class.
class ClassLock {
public:
    enum class Status {
        Taken,    // this lock holds the class
        HeldHere, // this program already holds it elsewhere; nothing to do
        InUse,    // another program has it
        Failed    // the lock file cannot be made (a folder that cannot be written)
    };
    struct Holder {
        QString host;
        QString program;
        qint64 pid = 0;
        QDateTime since;
        bool otherComputer = false;
    };

    // Tries once, without waiting. Host paths.
    ClassLock(const QString& folder, const QString& base);
    ~ClassLock();
    ClassLock(const ClassLock&) = delete;
    ClassLock& operator=(const ClassLock&) = delete;

    Status status() const { return m_status; }
    bool ok() const { return m_status == Status::Taken || m_status == Status::HeldHere; }
    const Holder& holder() const { return m_holder; }
    const QString& file() const { return m_path; }
    // What the teacher is told when the class cannot be had; `classDosPath` names it.
    QString refusal(const QString& classDosPath) const;

    static QString path(const QString& folder, const QString& base);
    // Removes the lock file of the class, which another computer left; true when it is gone.
    static bool release(const QString& folder, const QString& base);
    // "この学級は ○○（コンピューター名）で使用中です（12月8日 10:32から）。"
    static QString inUseText(const Holder& h);

private:
    std::unique_ptr<QLockFile> m_file;
    QString m_path;
    Status m_status = Status::Failed;
    Holder m_holder;
};
