#pragma once

#include <QList>
#include <QString>

#include <memory>

class QPrinter;

// Where printed pages go. Positions are in character cells of the printed page: one column is a
// half-width character (120 twips), one row a line of 12-point text (240 twips), both counted
// from 0 at the top left of the printable area.
class PrintBackend {
public:
    virtual ~PrintBackend() = default;

    // The widest column the job uses (0: not known), told before begin().
    virtual void setPageColumns(int columns) { Q_UNUSED(columns); }
    // The job's name in the printer's queue ("個人票 5年1組"), told before begin().
    virtual void setDocName(const QString& name) { Q_UNUSED(name); }
    // False when the job cannot be started; errorText() then says why.
    virtual bool begin() = 0;
    virtual void text(double col, double row, const QString& text) = 0;
    virtual void line(double col1, double row1, double col2, double row2) = 0;
    virtual void newPage() = 0;
    // Sends the job off. False when that failed; errorText() then says why.
    virtual bool end() = 0;
    // Throws the job away: nothing reaches the printer and no file is left.
    virtual void abort() = 0;
    // What the teacher is told once the job has been sent.
    virtual QString doneMessage() const = 0;
    virtual QString errorText() const { return {}; }

    // The back end for the next print job: the system printer when there is one, otherwise a PDF
    // file; in tests, a recording (see RecordingBackend::documents()).
    // With the preview on, a job that is shown first (PreviewBackend) and then goes there.
    static std::unique_ptr<PrintBackend> create();
    // The same without the preview.
    static std::unique_ptr<PrintBackend> createDirect();

    // "印刷前にプレビュー": remembered for the user (not in voxa.ini); in tests only in memory.
    static bool previewOn();
    static void setPreviewOn(bool on);

    // The printer whose settings the printer set-up changes and every print job uses.
    static QPrinter& sharedPrinter();
    static bool systemHasPrinter();
    // The PDF file a job goes to when the system has no printer.
    static QString nextPdfPath();

    static void setTesting(bool on);
    static bool testing();
};
