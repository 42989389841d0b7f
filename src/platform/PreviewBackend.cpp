#include "platform/PreviewBackend.h"

#include "platform/BusyPointer.h"
#include "platform/Dialogs.h"
#include "platform/DosPath.h"
#include "platform/PainterBackend.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {
struct State {
    bool testing = false;
    QList<PreviewBackend::Choice> queue;
    QList<int> shown;
    int unanswered = 0;
    PreviewBackend::Asker asker;
};
State& state() {
    static State s;
    return s;
}

int pageCount(const PreviewBackend::Pages& pages) {
    int n = 1;
    for (const PreviewBackend::Step& s : pages.steps)
        n += s.kind == PreviewBackend::Step::NewPage;
    return n;
}
} // namespace

bool PreviewBackend::Pages::replay(PrintBackend& on) const {
    on.setPageColumns(columns);
    on.setDocName(docName);
    if (!on.begin())
        return false;
    for (const Step& s : steps) {
        switch (s.kind) {
        case Step::Text:
            on.text(s.col1, s.row1, s.text);
            break;
        case Step::Line:
            on.line(s.col1, s.row1, s.col2, s.row2);
            break;
        case Step::NewPage:
            on.newPage();
            break;
        }
    }
    return on.end();
}

bool PreviewBackend::begin() {
    m_pages.steps.clear();
    return true;
}

void PreviewBackend::text(double col, double row, const QString& text) {
    m_pages.steps.append({Step::Text, col, row, 0, 0, text});
}

void PreviewBackend::line(double col1, double row1, double col2, double row2) {
    m_pages.steps.append({Step::Line, col1, row1, col2, row2, {}});
}

void PreviewBackend::newPage() {
    m_pages.steps.append({Step::NewPage, 0, 0, 0, 0, {}});
}

void PreviewBackend::abort() {
    m_pages.steps.clear();
}

bool PreviewBackend::end() {
    State& s = state();
    Choice choice = Choice::Close;
    if (s.testing) {
        s.shown.append(pageCount(m_pages));
        if (s.queue.isEmpty())
            ++s.unanswered;
        else
            choice = s.queue.takeFirst();
    } else {
        choice = s.asker ? s.asker(m_pages) : Choice::Print;
    }

    m_done.clear();
    switch (choice) {
    case Choice::Close:
        // Nothing was sent, and nothing is said.
        return true;
    case Choice::Print: {
        std::unique_ptr<PrintBackend> target = PrintBackend::createDirect();
        const BusyPointer busy;
        if (!m_pages.replay(*target)) {
            m_error = target->errorText();
            target->abort();
            return false;
        }
        m_done = target->doneMessage();
        return true;
    }
    case Choice::SavePdf: {
        QString path = Dialogs::saveFile(u"PDFに保存"_s, QDir::homePath(), u"PDF (*.pdf)"_s);
        if (path.isEmpty())
            return true; // the teacher cancelled: nothing written, nothing said
        if (!path.endsWith(u".pdf"_s, Qt::CaseInsensitive))
            path += u".pdf"_s;
        PainterBackend pdf(path);
        const BusyPointer busy;
        if (!m_pages.replay(pdf)) {
            m_error = pdf.errorText();
            pdf.abort();
            return false;
        }
        m_done = u"印刷データをPDFファイルに保存しました。\r\n%1"_s.arg(DosPath::forMessage(path));
        return true;
    }
    }
    return true;
}

void PreviewBackend::setAsker(Asker asker) {
    state().asker = std::move(asker);
}

void PreviewBackend::setTesting(bool on) {
    state().testing = on;
}
void PreviewBackend::queueChoice(Choice c) {
    state().queue.append(c);
}
const QList<int>& PreviewBackend::previewsShown() {
    return state().shown;
}
int PreviewBackend::unanswered() {
    return state().unanswered;
}
void PreviewBackend::reset() {
    state().queue.clear();
    state().shown.clear();
    state().unanswered = 0;
}
