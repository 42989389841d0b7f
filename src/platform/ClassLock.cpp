#include "platform/ClassLock.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSysInfo>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kUnreadableStale = 2000; // ms

// The lock files this program holds, so that a load inside a class it holds goes on.
QHash<QString, int>& heldHere() {
    static QHash<QString, int> h;
    return h;
}
} // namespace

QString ClassLock::path(const QString& folder, const QString& base) {
    return QDir(folder).filePath(base + u".lock"_s);
}

ClassLock::ClassLock(const QString& folder, const QString& base) : m_path(path(folder, base)) {
    if (heldHere().contains(m_path)) {
        m_status = Status::HeldHere;
        return;
    }
    m_file = std::make_unique<QLockFile>(m_path);
    // Only a dead process of this computer makes a lock stale; age alone never does, since a
    // teacher keeps a class open all day.
    m_file->setStaleLockTime(0);
    if (m_file->tryLock(0)) {
        m_status = Status::Taken;
        heldHere().insert(m_path, 1);
        return;
    }
    if (m_file->error() != QLockFile::LockFailedError) {
        m_status = Status::Failed;
        return;
    }
    QString app;
    const bool known = m_file->getLockInfo(&m_holder.pid, &m_holder.host, &app);
    m_holder.since = QFileInfo(m_path).lastModified();
    // A program writes who it is the moment it has made the file; one that was killed in between
    // leaves it empty, and such a file that has stayed unreadable for a while is nobody's.
    // The file's time comes from the server's clock on a shared folder: its distance from now counts,
    // whichever side it lies on.
    if (!known && m_holder.since.isValid() &&
        std::abs(m_holder.since.msecsTo(QDateTime::currentDateTime())) > kUnreadableStale &&
        m_file->removeStaleLockFile() && m_file->tryLock(0)) {
        m_status = Status::Taken;
        heldHere().insert(m_path, 1);
        m_holder = {};
        return;
    }
    m_status = Status::InUse;
    m_holder.program = app;
    // A holder that cannot be read may be another computer: the teacher may clear its mark.
    m_holder.otherComputer = m_holder.host.isEmpty() || m_holder.host != QSysInfo::machineHostName();
}

ClassLock::~ClassLock() {
    if (m_status == Status::Taken) {
        m_file->unlock();
        heldHere().remove(m_path);
    }
}

QString ClassLock::inUseText(const Holder& h) {
    const QString who = h.host.isEmpty() ? u"ほかのコンピューター"_s : h.host;
    const QString since = h.since.isValid() ? h.since.toString(u"M月d日 H:mm"_s) : u"不明"_s;
    return u"この学級は%1で使用中です（%2から）。"_s.arg(who, since);
}

QString ClassLock::refusal(const QString& classDosPath) const {
    if (m_status == Status::InUse)
        return inUseText(m_holder) + u"\r\n"_s + classDosPath + u"\r\n"_s +
               u"使っているプログラムで学級を閉じてから、もう一度してください。"_s;
    if (m_status == Status::Failed)
        return u"学級の使用中の印を作れません。"_s + u"\r\n"_s + QDir::toNativeSeparators(m_path) +
               u"\r\n"_s + u"フォルダに書き込めるか確かめてください。"_s;
    return {};
}

bool ClassLock::release(const QString& folder, const QString& base) {
    QLockFile f(path(folder, base));
    return f.removeStaleLockFile() || !QFileInfo::exists(path(folder, base));
}
