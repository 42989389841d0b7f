#include "platform/ClassLock.h"

#include "platform/FileSet.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kMagic = "voxa-lock 2";
const QByteArray kEnd = "end";
constexpr qint64 kMaxLockBytes = 4096;
// A lock cut short is read again for this long before the intents beside it are asked: a program
// that is writing it finishes within a moment, even on a slow share.
constexpr int kSettleMs = 150;
// Giving up a lock waits this long at most for a reader on the share to let go of it.
constexpr int kReleaseMs = 3000;

int& stopAfter() {
    static int s = -1;
    return s;
}

QByteArray host(const QString& path) {
    return QFile::encodeName(path);
}

// Who this program is, as a lock names it.
struct Me {
    QByteArray host;
    QByteArray machine;
    QByteArray boot;
    qint64 pid = 0;
    QByteArray start;
    QByteArray program;
};

// The start time of a process in clock ticks since the computer started (field 22 of
// /proc/PID/stat), which tells a running process from a later one that got the same number.
QByteArray startOf(qint64 pid) {
    QFile f(u"/proc/%1/stat"_s.arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray stat = f.read(4096);
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return {};
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // After the name: state is field 3, start time field 22.
    return fields.size() > 19 ? fields[19] : QByteArray();
}

const Me& me() {
    static const Me m = [] {
        Me out;
        out.host = QSysInfo::machineHostName().toUtf8();
        out.machine = QSysInfo::machineUniqueId();
        out.boot = QSysInfo::bootUniqueId();
        out.pid = QCoreApplication::applicationPid();
        out.start = startOf(out.pid);
        out.program = QCoreApplication::applicationName().toUtf8();
        if (out.program.isEmpty())
            out.program = "voxa";
        return out;
    }();
    return m;
}

// A line's value may not hold a line break.
QByteArray oneLine(QByteArray v) {
    v.replace('\n', ' ').replace('\r', ' ');
    return v.isEmpty() ? QByteArray("-") : v;
}

QByteArray lockText(const QByteArray& token) {
    const Me& m = me();
    return kMagic + "\ntoken " + token + "\nhost " + oneLine(m.host) + "\nmachine " + oneLine(m.machine) +
           "\nboot " + oneLine(m.boot) + "\npid " + QByteArray::number(m.pid) + "\nstart " +
           oneLine(m.start) + "\nprogram " + oneLine(m.program) + "\nsince " +
           QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + '\n' + kEnd + '\n';
}

// A lock as read back.
struct Parsed {
    bool complete = false;
    bool legacy = false; // written by an earlier version of the program (QLockFile's layout)
    QByteArray token, host, machine, boot, start, program;
    qint64 pid = 0;
    QDateTime since;
};

QByteArray field(const QByteArray& v) {
    return v == "-" ? QByteArray() : v;
}

Parsed parse(const QByteArray& bytes) {
    Parsed p;
    const QList<QByteArray> lines = bytes.split('\n');
    if (bytes.startsWith(kMagic + '\n')) {
        if (!bytes.endsWith('\n' + kEnd + '\n'))
            return p;
        for (const QByteArray& line : lines) {
            const qsizetype sp = line.indexOf(' ');
            if (sp < 0)
                continue;
            const QByteArray key = line.left(sp), v = field(line.mid(sp + 1));
            if (key == "token")
                p.token = v;
            else if (key == "host")
                p.host = v;
            else if (key == "machine")
                p.machine = v;
            else if (key == "boot")
                p.boot = v;
            else if (key == "pid")
                p.pid = v.toLongLong();
            else if (key == "start")
                p.start = v;
            else if (key == "program")
                p.program = v;
            else if (key == "since")
                p.since = QDateTime::fromMSecsSinceEpoch(v.toLongLong());
        }
        p.complete = !p.token.isEmpty() && p.pid > 0;
        return p;
    }
    // An earlier version's lock: process number, program, computer, machine and boot, a line each.
    bool number = false;
    if (lines.size() >= 4 && bytes.endsWith('\n')) {
        p.pid = lines[0].toLongLong(&number);
        if (number && p.pid > 0 && !lines[2].isEmpty()) {
            p.program = lines[1];
            p.host = lines[2];
            p.machine = lines.size() > 4 ? lines[3] : QByteArray();
            p.boot = lines.size() > 5 ? lines[4] : QByteArray();
            p.complete = p.legacy = true;
        }
    }
    return p;
}

bool thisComputer(const Parsed& p) {
    const Me& m = me();
    if (!p.machine.isEmpty() && !m.machine.isEmpty())
        return p.machine == m.machine;
    return p.host == m.host;
}

// Whether the process a lock of this computer names still runs: the same start of the computer,
// the process there, and the same process (not a later one with its number).
bool running(const Parsed& p) {
    const Me& m = me();
    if (!p.boot.isEmpty() && !m.boot.isEmpty() && p.boot != m.boot)
        return false;
    if (p.pid <= 0 || p.pid > std::numeric_limits<pid_t>::max())
        return false;
    if (::kill(static_cast<pid_t>(p.pid), 0) != 0 && errno == ESRCH)
        return false;
    if (!p.start.isEmpty()) {
        const QByteArray now = startOf(p.pid);
        if (!now.isEmpty() && now != p.start)
            return false;
    }
    return true;
}

enum class Got { Ok, Missing, Foreign, Unreadable };
struct Read {
    Got got = Got::Missing;
    QByteArray bytes;
    quint64 dev = 0, ino = 0;
};

// Reads the lock at once, never waiting on a pipe and never through a link, holding it open no
// longer than the read.
Read readLock(const QString& path) {
    Read r;
    FileSet::FileIdentity id;
    switch (FileSet::readFile(path, &r.bytes, kMaxLockBytes, &id)) {
    case FileSet::ReadResult::Ok:
        r.got = Got::Ok;
        r.dev = id.dev;
        r.ino = id.ino;
        break;
    case FileSet::ReadResult::Missing:
        r.got = Got::Missing;
        break;
    case FileSet::ReadResult::Link:
    case FileSet::ReadResult::NotPlain:
        r.got = Got::Foreign;
        break;
    case FileSet::ReadResult::TooLarge:
    case FileSet::ReadResult::Failed:
        r.got = Got::Unreadable;
        break;
    }
    return r;
}

// Makes the file only if nothing is there, and writes the bytes in one go. 0 or the errno.
int createExclusive(const QString& path, const QByteArray& bytes, quint64* dev, quint64* ino,
                    int stopAfterMade) {
    const int fd = ::open(host(path).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0)
        return errno;
    if (stopAfterMade)
        return 0;
    // The lock names no pupil and must be read by the other teachers' programs.
    ::fchmod(fd, 0644);
    struct stat st {};
    ssize_t n = -1;
    do
        n = ::write(fd, bytes.constData(), size_t(bytes.size()));
    while (n < 0 && errno == EINTR);
    const int err = n == bytes.size() ? 0 : (n < 0 ? errno : ENOSPC);
    if (err == 0 && ::fstat(fd, &st) == 0 && dev && ino) {
        *dev = st.st_dev;
        *ino = st.st_ino;
    }
    ::close(fd);
    if (err != 0) {
        ::unlink(host(path).constData());
        return err;
    }
    return 0;
}

// Removes a name, waiting a moment while another program on the share is reading it (the server
// refuses to remove a file someone has open).
bool removePatiently(const QString& path) {
    for (int waited = 0;; waited += 5) {
        if (::unlink(host(path).constData()) == 0 || errno == ENOENT)
            return true;
        if ((errno != EBUSY && errno != ETXTBSY && errno != EAGAIN) || waited >= kReleaseMs)
            return false;
        QThread::msleep(5);
    }
}

// The lock files this program holds, so that a load inside a class it holds goes on.
struct Held {
    QByteArray token;
    quint64 dev = 0, ino = 0;
};
QHash<QString, Held>& heldHere() {
    static QHash<QString, Held> h;
    return h;
}

bool isOurs(const Read& r, const QByteArray& token, quint64 dev, quint64 ino) {
    if (r.got != Got::Ok || r.dev != dev || r.ino != ino)
        return false;
    const Parsed p = parse(r.bytes);
    return p.complete && !p.legacy && p.token == token;
}

ClassLock::Holder holderOf(const Parsed& p, const QByteArray& bytes) {
    ClassLock::Holder h;
    h.host = QString::fromUtf8(p.host);
    h.program = QString::fromUtf8(p.program);
    h.pid = p.pid;
    h.since = p.since;
    h.otherComputer = !p.complete || !thisComputer(p);
    h.bytes = bytes;
    return h;
}

QByteArray hash8(const QByteArray& v) {
    return QCryptographicHash::hash(v, QCryptographicHash::Sha1).toHex().left(8);
}

// The token names its maker, so that even an intent left empty by a kill tells whose it was:
// computer and start of the computer (hashed), process number, process start, then chance.
QByteArray newToken() {
    const Me& m = me();
    quint32 words[2];
    QRandomGenerator::system()->fillRange(words);
    return hash8(m.machine.isEmpty() ? m.host : m.machine) + '-' + hash8(m.boot) + '-' +
           QByteArray::number(m.pid) + '-' + (m.start.isEmpty() ? QByteArray("0") : m.start) + '-' +
           QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
}

// Whether the token names a program of this computer that no longer runs.
bool tokenOfDeadHere(const QByteArray& token) {
    const QList<QByteArray> parts = token.split('-');
    if (parts.size() != 5)
        return false;
    const Me& m = me();
    if (parts[0] != hash8(m.machine.isEmpty() ? m.host : m.machine))
        return false;
    Parsed p;
    p.pid = parts[2].toLongLong();
    p.start = parts[3] == "0" ? QByteArray() : parts[3];
    p.boot = parts[1] == hash8(m.boot) ? m.boot : QByteArray("another start");
    return !running(p);
}

} // namespace

QStringList ClassLock::intents(const QString& own) const {
    QStringList out;
    for (const QString& name : QDir(m_folder).entryList({m_base + u".lock.*"_s}, QDir::Files | QDir::Hidden))
        if (QDir(m_folder).filePath(name) != own)
            out.append(QDir(m_folder).filePath(name));
    return out;
}

std::optional<ClassLock::Holder> ClassLock::liveIntent(const QString& own) const {
    const qsizetype prefix = path(m_folder, m_base).size() + 1;
    for (const QString& full : intents(own)) {
        // One of a process gone is nobody's, whatever it holds; one cut short was never followed
        // by a lock.
        if (tokenOfDeadHere(full.mid(prefix).toLatin1()))
            continue;
        const Read ir = readLock(full);
        const Parsed ip = ir.got == Got::Ok ? parse(ir.bytes) : Parsed{};
        if (ip.complete && !ip.legacy)
            return holderOf(ip, ir.bytes);
    }
    return std::nullopt;
}

void ClassLock::removeDeadIntents(const QString& own) const {
    const qsizetype prefix = path(m_folder, m_base).size() + 1;
    for (const QString& full : intents(own))
        if (tokenOfDeadHere(full.mid(prefix).toLatin1()))
            removePatiently(full);
}

void ClassLock::tidy() const {
    removeDeadIntents({});
}

QString ClassLock::path(const QString& folder, const QString& base) {
    if (folder.isEmpty() || base.isEmpty())
        return {};
    return QDir(folder).filePath(base + u".lock"_s);
}

ClassLock::ClassLock(const QString& folder, const QString& base, bool fresh)
    : m_path(path(folder, base)), m_folder(folder), m_base(base) {
    if (folder.isEmpty() || base.isEmpty()) {
        m_path.clear();
        m_status = Status::Failed;
        return;
    }
    if (const auto it = heldHere().constFind(m_path); it != heldHere().constEnd() && !fresh) {
        const Read r = readLock(m_path);
        if (isOurs(r, it->token, it->dev, it->ino)) {
            m_status = Status::HeldHere;
            m_token = it->token;
            m_dev = it->dev;
            m_ino = it->ino;
        } else {
            m_status = Status::Lost;
            if (r.got == Got::Ok)
                m_holder = holderOf(parse(r.bytes), r.bytes);
        }
        return;
    }

    const int stop = stopAfter();
    stopAfter() = -1;
    m_token = newToken();
    const QByteArray text = lockText(m_token);
    const QString intent = m_path + u"."_s + QString::fromLatin1(m_token);
    // 1. Who is about to make the lock, before it exists.
    if (createExclusive(intent, text, nullptr, nullptr, stop == 0) != 0) {
        m_status = Status::Failed;
        return;
    }
    if (stop == 0 || stop == 1)
        return;
    auto done = [&](Status s) {
        m_status = s;
        if (stop < 0 || stop >= 4)
            removePatiently(intent);
    };

    for (int attempt = 0; attempt < 4; ++attempt) {
        // 2, 3. The lock, complete from the moment anyone can read it as complete.
        const int e = createExclusive(m_path, text, &m_dev, &m_ino, stop == 2);
        if (stop == 2 || stop == 3)
            return;
        if (e == 0) {
            heldHere().insert(m_path, Held{m_token, m_dev, m_ino});
            {
                done(Status::Taken);
                return;
            }
        }
        if (e != EEXIST) {
            done(e == ELOOP ? Status::Foreign : Status::Failed);
            return;
        }

        Read r = readLock(m_path);
        if (r.got == Got::Missing)
            continue; // given up meanwhile
        if (r.got == Got::Foreign) {
            done(Status::Foreign);
            return;
        }
        if (r.got == Got::Unreadable) {
            // Someone else's file that cannot be read: the teacher decides.
            m_holder = {};
            m_holder.otherComputer = true;
            {
                done(Status::InUse);
                return;
            }
        }
        Parsed p = parse(r.bytes);
        for (int waited = 0; !p.complete && waited < kSettleMs; waited += 10) {
            QThread::msleep(10);
            r = readLock(m_path);
            if (r.got != Got::Ok)
                break;
            p = parse(r.bytes);
        }
        if (r.got == Got::Missing)
            continue;
        if (r.got != Got::Ok) {
            done(r.got == Got::Foreign ? Status::Foreign : Status::InUse);
            return;
        }

        if (p.complete) {
            if (thisComputer(p) && !running(p)) {
                // A finished or killed program of this computer: its lock is nobody's, and so is
                // whatever intent it left.
                const Read again = readLock(m_path);
                if (again.got == Got::Ok && again.bytes == r.bytes)
                    removePatiently(m_path);
                removeDeadIntents(intent);
                continue;
            }
            m_holder = holderOf(p, r.bytes);
            {
                done(Status::InUse);
                return;
            }
        }

        // Cut short and not finished by now: whoever made it wrote an intent first, which is still
        // there unless it was finished meanwhile.
        const std::optional<Holder> live = liveIntent(intent);
        const Read after = readLock(m_path);
        if (after.got != Got::Ok || after.bytes != r.bytes || after.ino != r.ino)
            continue; // it changed while the intents were read: look again
        if (live) {
            m_holder = *live;
            m_holder.bytes = r.bytes;
            {
                done(Status::InUse);
                return;
            }
        }
        // Nobody who may be writing it is left: the lock is nobody's.
        removePatiently(m_path);
        removeDeadIntents(intent);
    }
    // Given up and taken by others over and over: say it is in use.
    m_holder.otherComputer = true;
    done(Status::InUse);
}

ClassLock::~ClassLock() {
    if (m_status != Status::Taken)
        return;
    if (const auto it = heldHere().constFind(m_path); it != heldHere().constEnd() && it->token == m_token)
        heldHere().remove(m_path);
    // Only this program's own lock is ever given up: one cleared and taken by another computer
    // meanwhile stays.
    if (stillOurs())
        removePatiently(m_path);
}

bool ClassLock::stillOurs() const {
    if (m_status != Status::Taken && m_status != Status::HeldHere)
        return false;
    return isOurs(readLock(m_path), m_token, m_dev, m_ino);
}

QString ClassLock::lostRefusal(const QString& classDosPath) const {
    const Read r = readLock(m_path);
    if ((m_status == Status::Taken || m_status == Status::HeldHere) && isOurs(r, m_token, m_dev, m_ino))
        return {};
    const QString crlf = u"\r\n"_s;
    return u"この学級の使用中の印が、このプログラムのものではなくなっています。"_s + crlf + classDosPath +
           crlf + (r.got == Got::Ok ? inUseText(holderOf(parse(r.bytes), r.bytes)) + crlf : QString()) +
           u"ほかのコンピューターで使用中の表示が解除されたか、ディスクが入れ替えられました。"_s + crlf +
           u"学級のファイルには書き込んでいません。"_s;
}

QString ClassLock::inUseText(const Holder& h) {
    const QString who = h.host.isEmpty() ? u"ほかのコンピューター"_s : h.host;
    const QString since = h.since.isValid() ? h.since.toLocalTime().toString(u"M月d日 H:mm"_s) : u"不明"_s;
    return u"この学級は%1で使用中です（%2から）。"_s.arg(who, since);
}

QString ClassLock::refusal(const QString& classDosPath) const {
    const QString crlf = u"\r\n"_s;
    switch (m_status) {
    case Status::InUse:
        return inUseText(m_holder) + crlf + classDosPath + crlf +
               u"使っているプログラムで学級を閉じてから、もう一度してください。"_s;
    case Status::Lost:
        return lostRefusal(classDosPath);
    case Status::Foreign:
        return u"学級の使用中の印の名前の場所に、このプログラムが作ったのではないもの（リンクなど）があります。"_s +
               crlf + QDir::toNativeSeparators(m_path) + crlf +
               u"それを取り除いてから、もう一度してください。"_s;
    case Status::Failed:
        return u"学級の使用中の印を作れません。"_s + crlf + QDir::toNativeSeparators(m_path) + crlf +
               u"フォルダに書き込めるか確かめてください。"_s;
    case Status::Taken:
    case Status::HeldHere:
        break;
    }
    return {};
}

bool ClassLock::release(const QString& folder, const QString& base, const Holder& shown) {
    const QString p = path(folder, base);
    const Read r = readLock(p);
    if (r.got == Got::Missing)
        return true;
    if (r.got != Got::Ok || r.bytes != shown.bytes)
        return false;
    return removePatiently(p);
}

void ClassLock::stopAfterStepForTest(int step) {
    stopAfter() = step;
}
