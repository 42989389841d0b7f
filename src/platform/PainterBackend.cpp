#include "platform/PainterBackend.h"

#include "platform/BusyPointer.h"
#include "platform/DosPath.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace {
// A4 portrait with narrow margins: 90 half-width columns fit across.
QPageLayout pageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(6, 10, 6, 10),
                       QPageLayout::Millimeter);
}
// Printed pages hold pupils' names and results: a file they go to is for its owner only.
void keepPrivate(const QString& path) {
    if (!path.isEmpty() && QFileInfo(path).isFile() && !QFileInfo(path).isSymLink())
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
} // namespace

PainterBackend::PainterBackend() : m_device(&PrintBackend::sharedPrinter()) {}

PainterBackend::PainterBackend(QPrinter* printer) : m_device(printer) {}

QPageLayout PainterBackend::defaultPageLayout() {
    return pageLayout();
}

PainterBackend::PainterBackend(const QString& pdfPath)
    : m_pdf(std::make_unique<QPdfWriter>(pdfPath)), m_pdfPath(pdfPath), m_device(m_pdf.get()) {
    m_pdf->setResolution(1200);
    m_pdf->setCreator(u"VOXA2003"_s);
}

PainterBackend::~PainterBackend() {
    if (m_painter.isActive())
        m_painter.end();
}

QFont PainterBackend::pageFont() {
    QFont::insertSubstitution(u"ＭＳ ゴシック"_s, u"IPAGothic"_s);
    QFont f(u"ＭＳ ゴシック"_s);
    f.setPointSizeF(12);
    f.setBold(false);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    f.setStyleHint(QFont::Monospace);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

bool PainterBackend::begin() {
    // The printer keeps the paper, orientation and margins the teacher chose in 印刷設定; a PDF
    // takes the page the printouts are laid out for.
    if (m_pdf) {
        m_device->setPageLayout(pageLayout());
        m_pdf->setTitle(m_docName);
        m_outFile = m_pdfPath;
    } else {
        auto* printer = static_cast<QPrinter*>(m_device);
        printer->setDocName(m_docName);
        m_outFile = printer->outputFileName();
    }
    if (!m_painter.begin(m_device)) {
        m_error = m_pdf ? u"PDFファイルを作れませんでした。\r\n%1"_s.arg(m_pdfPath)
                        : u"プリンターに印刷を始められませんでした。"_s;
        return false;
    }
    keepPrivate(m_outFile);
    m_painter.setFont(pageFont());
    m_painter.setPen(QPen(Qt::black, m_device->logicalDpiX() / 100.0));
    // One cell is 120 twips (1/12 inch) wide. A line is 240 twips, the height of the 12-point font,
    // plus some room, so that no text touches the rules above and below it; the longest page
    // (a list of 42 pupils, 47 lines) still fits A4.
    m_colPx = m_device->logicalDpiX() / 12.0;
    m_rowPx = m_device->logicalDpiY() / 6.0 * kLineSpacing;
    // Column 1 stands at the left edge of the printable area; a page wider than that area is
    // scaled down evenly, never cut.
    const double needed = m_pageColumns * m_colPx;
    if (m_pageColumns > 0 && m_device->width() > 0 && needed > m_device->width())
        m_painter.scale(m_device->width() / needed, m_device->width() / needed);
    return true;
}

void PainterBackend::text(double col, double row, const QString& text) {
    const QFontMetricsF fm(m_painter.font(), m_device);
    // Text sits on the line's baseline, centred in the row's height.
    const double top = row * m_rowPx + (m_rowPx - fm.height()) / 2;
    m_painter.drawText(QPointF(col * m_colPx, top + fm.ascent()), text);
}

void PainterBackend::line(double col1, double row1, double col2, double row2) {
    m_painter.drawLine(QPointF(col1 * m_colPx, row1 * m_rowPx), QPointF(col2 * m_colPx, row2 * m_rowPx));
}

void PainterBackend::newPage() {
    if (m_pdf)
        m_pdf->newPage();
    else
        static_cast<QPrinter*>(m_device)->newPage();
}

void PainterBackend::abort() {
    if (!m_pdf)
        static_cast<QPrinter*>(m_device)->abort();
    if (m_painter.isActive())
        m_painter.end();
    if (m_pdf) {
        m_pdf.reset();
        QFile::remove(m_pdfPath);
    }
}

bool PainterBackend::end() {
    const BusyPointer busy;
    if (!m_painter.end()) {
        m_error = m_pdf ? u"PDFファイルを書き終えられませんでした。\r\n%1"_s.arg(m_pdfPath)
                        : u"印刷データをプリンタに送れませんでした。"_s;
        return false;
    }
    keepPrivate(m_outFile);
    return true;
}

QString PainterBackend::doneMessage() const {
    if (m_pdf)
        return u"このパソコンにはプリンターがないので、印刷データをPDFファイルに保存しました。\r\n%1"_s.arg(
            DosPath::forMessage(m_pdfPath));
    // 印刷設定 chose a file instead of a printer: the job went there, not to paper.
    if (!m_outFile.isEmpty())
        return u"印刷データをPDFファイルに保存しました。\r\n%1"_s.arg(DosPath::forMessage(m_outFile));
    return u"印刷データをプリンタに送りました。\r\nまもなくプリンターから印刷されます。"_s;
}
