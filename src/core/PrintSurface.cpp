#include "core/PrintSurface.h"

#include "platform/Cp932.h"
#include "platform/MsgBox.h"

using namespace Qt::StringLiterals;

PrintSurface::PrintSurface(std::unique_ptr<PrintBackend> backend) : m_backend(std::move(backend)) {}

PrintSurface::~PrintSurface() {
    // A job that was begun and never sent was abandoned (a failure or a return half-way): it is
    // thrown away, never sent half-printed.
    Abort();
}

QString PrintSurface::startMessage() {
    return u"今から印刷を開始します、\r\nプリンターの準備をしてください"_s;
}

bool PrintSurface::PageSetup() {
    if (m_job == Job::Open)
        return true;
    if (m_job == Job::Failed)
        return false;
    if (!m_backend || (m_job == Job::Ended && m_ownBackend)) {
        m_backend = PrintBackend::create();
        m_ownBackend = true;
    }
    m_pageBreakPending = false;
    m_backend->setPageColumns(m_pageColumns);
    m_backend->setDocName(m_docName);
    if (!m_backend->begin()) {
        m_job = Job::Failed;
        return false;
    }
    m_job = Job::Open;
    // Opening the job prints an empty line; the position goes back where it was.
    const double x = m_x;
    const double y = m_y;
    NewLine();
    m_x = x;
    m_y = y;
    return true;
}

double PrintSurface::TextWidth(const QString& text) const {
    return Cp932::cellWidth(text);
}

double PrintSurface::TextHeight(const QString& text) const {
    Q_UNUSED(text);
    return 1.0;
}

void PrintSurface::Print(const QList<Tab>& items, bool continueLine) {
    if (!PageSetup())
        return;
    for (const Tab& item : items) {
        const double col = item.column - 1;
        if (col < m_x) {
            m_y += 1;
        }
        m_x = col;
        if (!item.text.isEmpty()) {
            placeOnPage();
            m_backend->text(m_x, m_y, item.text);
        }
        m_x += TextWidth(item.text);
    }
    if (!continueLine)
        NewLine();
}

void PrintSurface::Print(const QString& text, bool continueLine) {
    if (!PageSetup())
        return;
    if (!text.isEmpty()) {
        placeOnPage();
        m_backend->text(m_x, m_y, text);
    }
    m_x += TextWidth(text);
    if (!continueLine)
        NewLine();
}

void PrintSurface::NewLine() {
    m_x = 0;
    m_y += 1;
}

void PrintSurface::Line(double x1, double y1, double x2, double y2) {
    if (!PageSetup())
        return;
    placeOnPage();
    m_backend->line(x1, y1, x2, y2);
    m_x = x2;
    m_y = y2;
}

void PrintSurface::Box(double x1, double y1, double x2, double y2) {
    if (!PageSetup())
        return;
    placeOnPage();
    m_backend->line(x1, y1, x2, y1);
    m_backend->line(x2, y1, x2, y2);
    m_backend->line(x2, y2, x1, y2);
    m_backend->line(x1, y2, x1, y1);
    m_x = x2;
    m_y = y2;
}

void PrintSurface::placeOnPage() {
    if (m_pageBreakPending) {
        m_pageBreakPending = false;
        m_backend->newPage();
    }
}

void PrintSurface::NewPage() {
    if (!PageSetup())
        return;
    m_pageBreakPending = true;
    m_x = 0;
    m_y = 0;
}

bool PrintSurface::EndDoc() {
    switch (m_job) {
    case Job::NotStarted:
    case Job::Ended:
        return true;
    case Job::Failed:
        m_job = Job::Ended;
        return false;
    case Job::Open:
        break;
    }
    m_job = Job::Ended;
    m_pageBreakPending = false;
    return m_backend->end();
}

bool PrintSurface::EndDocAndTell() {
    if (!EndDoc()) {
        MsgBox::show(u"印刷できませんでした。"_s + u"\r\n"_s + errorText(), MsgBox::OkOnly, MsgBox::Warning);
        return false;
    }
    // A preview closed without printing sent nothing and says nothing.
    if (!doneMessage().isEmpty())
        MsgBox::show(doneMessage());
    return true;
}

void PrintSurface::Abort() {
    if (m_job != Job::Open)
        return;
    m_job = Job::Ended;
    m_pageBreakPending = false;
    m_backend->abort();
}

QString PrintSurface::doneMessage() const {
    return m_backend ? m_backend->doneMessage() : QString();
}

QString PrintSurface::errorText() const {
    return m_backend ? m_backend->errorText() : QString();
}
