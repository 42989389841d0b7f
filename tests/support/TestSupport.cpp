#include "TestSupport.h"

#include "platform/Clock.h"
#include "platform/Cp932.h"
#include "platform/Dialogs.h"
#include "platform/FileSet.h"
#include "platform/HelpViewer.h"
#include "platform/MsgBox.h"
#include "platform/PreviewBackend.h"
#include "platform/PrintBackend.h"
#include "platform/Program.h"
#include "platform/RecordingBackend.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace TestSupport {

namespace {
QtMessageHandler previousHandler = nullptr;

// The offscreen platform of the tests cannot raise windows or size them to their hints; its
// warnings about that say nothing about the program.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (type == QtWarningMsg && msg.startsWith(QLatin1StringView("This plugin does not support")))
        return;
    if (previousHandler)
        previousHandler(type, context, msg);
}
} // namespace

void useTestDoubles() {
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(quietHandler);
        return true;
    }();
    Q_UNUSED(installed);
    MsgBox::setTesting(true);
    MsgBox::reset();
    Dialogs::setTesting(true);
    Dialogs::reset();
    HelpViewer::setTesting(true);
    HelpViewer::reset();
    Program::setTesting(true);
    Program::reset();
    Clock::setTesting(true);
    Clock::reset();
    FileSet::stopAfterStepsForTest(-1);
    PrintBackend::setTesting(true);
    PrintBackend::setPreviewOn(false);
    PreviewBackend::setTesting(true);
    PreviewBackend::reset();
    RecordingBackend::documents().clear();
    RecordingBackend::failNextJob(RecordingBackend::Failure::None);
}

QString scratchTemplate(const QString& name) {
    const QString root = qEnvironmentVariable("VOXA_SCRATCH");
    return (root.isEmpty() ? QDir::tempPath() : root) + u'/' + name + QStringLiteral("-XXXXXX");
}

bool onShare() {
    return qEnvironmentVariableIsSet("VOXA_SCRATCH");
}

TempHome::TempHome() : m_dir(scratchTemplate()), m_oldHome(qgetenv("HOME")) {
    qputenv("HOME", m_dir.path().toLocal8Bit());
    Program::setFolderForTest(m_dir.path());
}

TempHome::~TempHome() {
    // Only the home folder that is still in force is put back, so that replacing one TempHome by
    // the next leaves the new one in place.
    if (qgetenv("HOME") == m_dir.path().toLocal8Bit())
        qputenv("HOME", m_oldHome);
}

DiskFull::DiskFull() {
    // A write past the limit fails with EFBIG instead of ending the process with SIGXFSZ.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    m_oldLimit = r.rlim_cur;
    r.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &r);
}

DiskFull::~DiskFull() {
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = m_oldLimit;
    setrlimit(RLIMIT_FSIZE, &r);
}

QByteArray readFile(const QString& nativePath) {
    QFile f(nativePath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& nativePath, const QByteArray& data) {
    QFile f(nativePath);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(data), data.size());
}

QString fromSjis(const QByteArray& bytes) {
    return Cp932::decode(bytes);
}

QByteArray sjis(const QString& text) {
    return Cp932::encode(text);
}

QString dataDir() {
    return qEnvironmentVariable("VOXA_TEST_DATA");
}

} // namespace TestSupport
