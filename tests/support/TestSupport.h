#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

struct VOXA1;

// Shared pieces of the tests: the platform's test doubles switched on, a temporary home folder
// standing for drive C:, and byte helpers.
namespace TestSupport {

// Switches every platform seam to its test double and clears what they recorded.
void useTestDoubles();

// Where the tests' temporary folders go: inside VOXA_SCRATCH when it is set (a folder on the test
// share), else the system's temporary folder. A template for QTemporaryDir.
QString scratchTemplate(const QString& name = QStringLiteral("voxa"));
// Whether the scratch folders are on the test share.
bool onShare();

// A temporary folder that is the home folder ("C:\") and the program folder while it lives.
class TempHome {
public:
    TempHome();
    ~TempHome();
    QString path() const { return m_dir.path(); }
    // The host path of a file in the home folder.
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};

// While it lives, every write to a file fails as on a full disk: the process may not make any file
// longer than it is (the file size limit is 0). The bytes already on the disk stay readable.
class DiskFull {
public:
    DiskFull();
    ~DiskFull();
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    unsigned long long m_oldLimit = 0;
};

QByteArray readFile(const QString& nativePath);
void writeFile(const QString& nativePath, const QByteArray& data);
// Code page 932 bytes of a text.
QByteArray sjis(const QString& text);
QString fromSjis(const QByteArray& bytes);
// The folder of the sample classes.
QString dataDir();

} // namespace TestSupport
