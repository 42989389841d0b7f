#include "platform/SafeSave.h"

#include <QFileInfo>
#include <QSaveFile>

namespace SafeSave {

Pending::Pending() = default;
Pending::~Pending() {
    if (m_file)
        m_file->cancelWriting();
}
Pending::Pending(Pending&&) noexcept = default;
Pending& Pending::operator=(Pending&&) noexcept = default;

bool Pending::write(const QString& nativePath, const QByteArray& data, const QDateTime& modified,
                    Access access) {
    if (nativePath.isEmpty())
        return false;
    m_file = std::make_unique<QSaveFile>(nativePath);
    constexpr QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QFileInfo existing(nativePath);
    const QFileDevice::Permissions mode = existing.exists() ? (existing.permissions() & owner) : owner;
    // Unbuffered, so that a failed write shows up at write() and not only inside commit(), which in
    // Qt 6.4 renames a short temporary file over the good one and still reports success.
    const bool ok = m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                    (access == Access::Default || m_file->setPermissions(mode)) &&
                    m_file->write(data) == data.size() && m_file->flush() &&
                    m_file->error() == QFileDevice::NoError &&
                    (!modified.isValid() || m_file->setFileTime(modified, QFileDevice::FileModificationTime));
    if (!ok) {
        m_file->cancelWriting();
        m_file.reset();
    }
    return ok;
}

bool Pending::commit() {
    if (!m_file)
        return false;
    const bool ok = m_file->commit();
    m_file.reset();
    return ok;
}

bool replaceFile(const QString& nativePath, const QByteArray& data, const QDateTime& modified) {
    Pending p;
    return p.write(nativePath, data, modified) && p.commit();
}

} // namespace SafeSave
