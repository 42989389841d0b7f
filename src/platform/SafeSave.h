#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>

class QSaveFile;

// Replacing a file as one step: the new bytes go to a temporary file beside it, are written out and
// checked, and only then take the file's name. A full disk or an I/O error at any point leaves the
// old file exactly as it was and returns false; success is reported only for bytes that reached the
// disk.
namespace SafeSave {

// One file written to its temporary name and waiting to be put in place, so that several files can
// all be written before any of them replaces its old version.
class Pending {
public:
    Pending();
    ~Pending(); // a pending file that was never committed is thrown away
    Pending(Pending&&) noexcept;
    Pending& operator=(Pending&&) noexcept;

    enum class Access { Default, OwnerOnly };
    // Writes the bytes to the temporary file. When `modified` is valid the file carries that
    // modification time (a copy keeps the time of its source). OwnerOnly files are readable and
    // writable by their owner alone (a stricter file that is replaced keeps its mode). False on
    // any failure.
    bool write(const QString& nativePath, const QByteArray& data, const QDateTime& modified = {},
               Access access = Access::Default);
    // Puts the written file in place of the old one.
    bool commit();

private:
    std::unique_ptr<QSaveFile> m_file;
};

// Host path; both steps at once.
bool replaceFile(const QString& nativePath, const QByteArray& data, const QDateTime& modified = {});

} // namespace SafeSave
