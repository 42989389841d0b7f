#include "platform/PrintBackend.h"

#include "platform/PainterBackend.h"
#include "platform/PreviewBackend.h"
#include "platform/RecordingBackend.h"

#include <QDateTime>
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
bool& testingFlag() {
    static bool t = false;
    return t;
}
} // namespace

namespace {
struct PreviewSetting {
    bool loaded = false;
    bool on = false;
};
PreviewSetting& previewSetting() {
    static PreviewSetting s;
    return s;
}
const QString kPreviewKey = u"print/preview"_s;
} // namespace

bool PrintBackend::previewOn() {
    PreviewSetting& s = previewSetting();
    if (!s.loaded && !testingFlag()) {
        s.on = QSettings(u"voxa2003"_s, u"voxa2003"_s).value(kPreviewKey, false).toBool();
        s.loaded = true;
    }
    return s.on;
}

void PrintBackend::setPreviewOn(bool on) {
    PreviewSetting& s = previewSetting();
    s.on = on;
    s.loaded = true;
    if (!testingFlag())
        QSettings(u"voxa2003"_s, u"voxa2003"_s).setValue(kPreviewKey, on);
}

std::unique_ptr<PrintBackend> PrintBackend::create() {
    if (previewOn())
        return std::make_unique<PreviewBackend>();
    return createDirect();
}

std::unique_ptr<PrintBackend> PrintBackend::createDirect() {
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
    // Tests start with the preview off and never touch the user's setting.
    previewSetting() = PreviewSetting{on, false};
}

bool PrintBackend::testing() {
    return testingFlag();
}
