#include "core/PrintSurface.h"

#include "platform/Cp932.h"

using namespace Qt::StringLiterals;

PrintSurface::PrintSurface(std::unique_ptr<PrintBackend> backend) : m_backend(std::move(backend)) {}

PrintSurface::~PrintSurface() {
    // A job that was begun and never sent is still closed, so the device is released.
    if (m_open)
        m_backend->end();
}

QString PrintSurface::startMessage() {
    return u"今から印刷を開始します、\r\nプリンターの準備をしてください"_s;
}

bool PrintSurface::PageSetup() {
    if (m_open)
        return true;
    if (!m_backend)
        m_backend = PrintBackend::create();
    if (!m_backend->begin())
        return false;
    m_open = true;
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
        if (!item.text.isEmpty())
            m_backend->text(m_x, m_y, item.text);
        m_x += TextWidth(item.text);
    }
    if (!continueLine)
        NewLine();
}

void PrintSurface::Print(const QString& text, bool continueLine) {
    if (!PageSetup())
        return;
    if (!text.isEmpty())
        m_backend->text(m_x, m_y, text);
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
    m_backend->line(x1, y1, x2, y2);
    m_x = x2;
    m_y = y2;
}

void PrintSurface::Box(double x1, double y1, double x2, double y2) {
    if (!PageSetup())
        return;
    m_backend->line(x1, y1, x2, y1);
    m_backend->line(x2, y1, x2, y2);
    m_backend->line(x2, y2, x1, y2);
    m_backend->line(x1, y2, x1, y1);
    m_x = x2;
    m_y = y2;
}

void PrintSurface::NewPage() {
    if (!PageSetup())
        return;
    m_backend->newPage();
    m_x = 0;
    m_y = 0;
}

bool PrintSurface::EndDoc() {
    if (!m_open)
        return true;
    m_open = false;
    return m_backend->end();
}

QString PrintSurface::doneMessage() const {
    return m_backend ? m_backend->doneMessage() : QString();
}

QString PrintSurface::errorText() const {
    return m_backend ? m_backend->errorText() : QString();
}
