#pragma once

#include "platform/PrintBackend.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>

#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

// Draws the character-cell page on a real device: the system printer or a PDF file.
class PainterBackend : public PrintBackend {
public:
    // Prints on the shared printer.
    PainterBackend();
    // Draws on the given printer (the preview's).
    explicit PainterBackend(QPrinter* printer);
    // Writes a PDF file at the given host path.
    explicit PainterBackend(const QString& pdfPath);
    ~PainterBackend() override;

    bool begin() override;
    void text(double col, double row, const QString& text) override;
    void line(double col1, double row1, double col2, double row2) override;
    void newPage() override;
    bool end() override;
    void abort() override;
    void setPageColumns(int columns) override { m_pageColumns = columns; }
    void setDocName(const QString& name) override { m_docName = name; }
    // How much the page is scaled down to fit the printable width (1 = not at all).
    double pageScale() const { return m_painter.isActive() ? m_painter.transform().m11() : 1.0; }
    // A4 portrait with narrow margins, on which the printouts are laid out.
    static QPageLayout defaultPageLayout();
    QString doneMessage() const override;
    QString errorText() const override { return m_error; }

    // A printed line's height as a share of the font's.
    static constexpr double kLineSpacing = 1.3;
    // The font of every printed page, "ＭＳ ゴシック" 12 point (IPAGothic where it is missing).
    static QFont pageFont();

private:
    std::unique_ptr<QPdfWriter> m_pdf;
    QString m_pdfPath;
    QPagedPaintDevice* m_device = nullptr;
    QPainter m_painter;
    QString m_docName;
    // The file the job is written to: the PDF, or the file chosen in the printer set-up's
    // "print to file"; empty when it goes to a printer.
    QString m_outFile;
    double m_colPx = 0;
    double m_rowPx = 0;
    QString m_error;
    int m_pageColumns = 0;
};
