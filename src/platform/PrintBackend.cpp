#include "platform/PrintBackend.h"

#include "platform/PainterBackend.h"
#include "platform/RecordingBackend.h"

#include <QDateTime>
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
bool& testingFlag() {
    static bool t = false;
    return t;
}
} // namespace

std::unique_ptr<PrintBackend> PrintBackend::create() {
    if (testingFlag()) {
        auto& docs = RecordingBackend::documents();
        docs.emplace_back();
        return std::make_unique<RecordingBackend>(&docs.back());
    }
    if (systemHasPrinter())
        return std::make_unique<PainterBackend>();
    return std::make_unique<PainterBackend>(nextPdfPath());
}

QPrinter& PrintBackend::sharedPrinter() {
    // Laid out for the printouts once; from then on the teacher's choices in 印刷設定 stay for
    // every later job of the run.
    static QPrinter printer(QPrinter::HighResolution);
    static const bool laidOut = printer.setPageLayout(PainterBackend::defaultPageLayout());
    Q_UNUSED(laidOut);
    return printer;
}

bool PrintBackend::systemHasPrinter() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString PrintBackend::nextPdfPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::homePath();
    return dir + u"/voxa_"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd_hhmmss_zzz"_s) + u".pdf"_s;
}

void PrintBackend::setTesting(bool on) {
    testingFlag() = on;
}

bool PrintBackend::testing() {
    return testingFlag();
}
