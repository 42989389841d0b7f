#pragma once

#include <deque>

#include "platform/PrintBackend.h"

#include <QList>
#include <QString>

// Keeps what was printed, so tests can say "the pupil number stands at column 17 of line 3 on
// page 2". Columns are the Tab columns (1 = the left edge), lines count from 1 at the top.
class RecordingBackend : public PrintBackend {
public:
    struct Item {
        int page;
        double row;
        double col;
        QString text;
        int line() const { return static_cast<int>(row) + 1; }
        int column() const { return static_cast<int>(col) + 1; }
    };
    struct Rule {
        int page;
        double col1, row1, col2, row2;
    };
    struct Document {
        QList<Item> items;
        QList<Rule> rules;
        int pages = 0;
        QString docName;
        bool busyWhileDrawn = true; // the busy pointer was up at every text drawn
        bool ended = false;         // sent
        bool aborted = false;       // thrown away
        // The items of a page joined in reading order, one text line per printed line.
        QStringList pageLines(int page) const;
        // The first item on the page whose text is the given one; nullptr when there is none.
        const Item* find(int page, const QString& text) const;
    };

    explicit RecordingBackend(Document* into);

    bool begin() override;
    void text(double col, double row, const QString& text) override;
    void line(double col1, double row1, double col2, double row2) override;
    void newPage() override;
    bool end() override;
    void abort() override;
    QString doneMessage() const override;
    QString errorText() const override { return m_error; }
    void setDocName(const QString& name) override { m_docName = name; }

    // In tests, every job made by PrintBackend::create() is kept here, newest last.
    // A deque, so the documents of jobs still open stay where they are when another job begins.
    static std::deque<Document>& documents();

    // The next job fails: at its start, or when it is sent. Each is used up by one job.
    enum class Failure { None, AtStart, AtEnd };
    static void failNextJob(Failure where);

private:
    Document* m_doc;
    QString m_docName;
    QString m_error;
};
