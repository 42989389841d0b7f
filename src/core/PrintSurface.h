#pragma once

#include "platform/PrintBackend.h"

#include <QList>
#include <QString>

#include <memory>

// The printed page as a grid of character cells: the font is "ＭＳ ゴシック" 12 point, one column
// is a half-width character (120 twips), one row a line (240 twips). Printouts place text at Tab
// columns (1 = the left edge), draw rules in cell units and break pages; the back end decides
// whether that reaches a printer, a PDF file or a test's recording.
class PrintSurface {
public:
    // One item of a print statement: the Tab column and the text to print there.
    struct Tab {
        int column;
        QString text;
    };

    // Without a back end, the job goes where PrintBackend::create() says.
    explicit PrintSurface(std::unique_ptr<PrintBackend> backend = nullptr);
    ~PrintSurface();

    // Where the job stands. A job that failed to start stays failed: nothing more is drawn and
    // EndDoc reports the failure. After EndDoc the next print command starts a new job.
    enum class Job { NotStarted, Open, Failed, Ended };
    Job job() const { return m_job; }

    // The widest column the printout uses: a printer whose printable width is narrower gets the
    // whole page scaled down evenly rather than cut. Set before the job starts.
    void setPageColumns(int columns) { m_pageColumns = columns; }
    // The job's name in the printer's queue.
    void setDocName(const QString& name) { m_docName = name; }
    // Whether the last job went somewhere (a printer or a file); false after a preview closed
    // without printing, or when nothing was printed.
    bool sent() const { return !doneMessage().isEmpty(); }

    // Starts the job when none is open (an empty line is printed and the position put back) and
    // sets the page font. Every print command calls it first. False when the job cannot start.
    bool PageSetup();

    // Current position in cells, 0-based (CurrentX 0 is Tab column 1).
    double CurrentX() const { return m_x; }
    double CurrentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }

    // Width and height of "あ" in cells.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // Prints the items in order: each moves to its Tab column (a column left of the current
    // position goes to that column on the next line) and prints its text. The statement ends
    // with a line end unless `continueLine` is set.
    void Print(const QList<Tab>& items, bool continueLine = false);
    // Prints a text at the current position.
    void Print(const QString& text, bool continueLine = false);
    // An empty line.
    void NewLine();

    // A straight line between two points, in cells.
    void Line(double x1, double y1, double x2, double y2);
    // A rectangle between two corners, in cells.
    void Box(double x1, double y1, double x2, double y2);

    // A new page begins with the next thing printed, so a page break at the very end leaves no
    // blank page.
    void NewPage();
    // Sends the job. False when it failed to start or to be sent (errorText() says why); true when
    // nothing was ever printed.
    bool EndDoc();
    // EndDoc, then the teacher is told: where the job went, or that it failed and why. True when
    // it was sent.
    bool EndDocAndTell();
    // Throws an open job away instead of sending it (also done when the surface goes away with
    // the job still open).
    void Abort();

    bool isOpen() const { return m_job == Job::Open; }
    QString doneMessage() const;
    QString errorText() const;

    // The messages around every print command.
    static QString startMessage();

private:
    // Turns a pending page break into a real one before something is drawn.
    void placeOnPage();

    std::unique_ptr<PrintBackend> m_backend;
    bool m_ownBackend = false; // made here, so each job gets a new one
    Job m_job = Job::NotStarted;
    bool m_pageBreakPending = false;
    int m_pageColumns = 0;
    QString m_docName;
    double m_x = 0;
    double m_y = 0;
};
