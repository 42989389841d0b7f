#pragma once

#include "platform/PrintBackend.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

// A print job shown before it is printed: the pages are kept as they are drawn and shown in the
// preview window when the job ends. 印刷 sends them to where the job would have gone without the
// preview (the printer, or a PDF when there is none), PDFに保存 writes them to a PDF the teacher
// names, 閉じる sends nothing.
class PreviewBackend : public PrintBackend {
public:
    // One drawing step of the job, replayed on whatever draws the pages.
    struct Step {
        enum Kind { Text, Line, NewPage } kind;
        double col1 = 0, row1 = 0, col2 = 0, row2 = 0;
        QString text;
    };
    struct Pages {
        QList<Step> steps;
        int columns = 0;
        QString docName;
        // Draws the pages on a back end that has not begun; false when it fails.
        bool replay(PrintBackend& on) const;
    };

    enum class Choice { Print, SavePdf, Close };

    PreviewBackend() = default;
    bool begin() override;
    void text(double col, double row, const QString& text) override;
    void line(double col1, double row1, double col2, double row2) override;
    void newPage() override;
    bool end() override;
    void abort() override;
    void setPageColumns(int columns) override { m_pages.columns = columns; }
    void setDocName(const QString& name) override { m_pages.docName = name; }
    QString doneMessage() const override { return m_done; }
    QString errorText() const override { return m_error; }

    // Test double: the preview is not shown; the choices come from the queue in order (Close when
    // it is empty, and that counts as unanswered). Every preview is counted with its page count.
    static void setTesting(bool on);
    static void queueChoice(Choice c);
    static const QList<int>& previewsShown();
    static int unanswered();
    static void reset();
    // The window that shows the pages and returns the teacher's choice, installed by the program.
    // Without one, a job is printed as it would be without the preview.
    using Asker = std::function<Choice(const Pages&)>;
    static void setAsker(Asker asker);

private:
    Pages m_pages;
    QString m_done;
    QString m_error;
};
