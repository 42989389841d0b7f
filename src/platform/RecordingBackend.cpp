#include "platform/RecordingBackend.h"

#include "platform/Cp932.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
RecordingBackend::Failure& nextFailure() {
    static RecordingBackend::Failure f = RecordingBackend::Failure::None;
    return f;
}
} // namespace

void RecordingBackend::failNextJob(Failure where) {
    nextFailure() = where;
}

RecordingBackend::RecordingBackend(Document* into) : m_doc(into) {}

bool RecordingBackend::begin() {
    *m_doc = Document();
    m_doc->docName = m_docName;
    if (nextFailure() == Failure::AtStart) {
        nextFailure() = Failure::None;
        m_error = u"プリンターに印刷を始められませんでした。"_s;
        return false;
    }
    m_doc->pages = 1;
    return true;
}

void RecordingBackend::text(double col, double row, const QString& text) {
    m_doc->items.append({m_doc->pages, row, col, text});
    if (!QGuiApplication::overrideCursor() || QGuiApplication::overrideCursor()->shape() != Qt::WaitCursor)
        m_doc->busyWhileDrawn = false;
}

void RecordingBackend::line(double col1, double row1, double col2, double row2) {
    m_doc->rules.append({m_doc->pages, col1, row1, col2, row2});
}

void RecordingBackend::newPage() {
    ++m_doc->pages;
}

bool RecordingBackend::end() {
    if (nextFailure() == Failure::AtEnd) {
        nextFailure() = Failure::None;
        m_error = u"印刷データをプリンタに送れませんでした。"_s;
        return false;
    }
    m_doc->ended = true;
    return true;
}

void RecordingBackend::abort() {
    m_doc->aborted = true;
}

QString RecordingBackend::doneMessage() const {
    return u"印刷データをプリンタに送りました。\r\nまもなくプリンターから印刷されます。"_s;
}

std::deque<RecordingBackend::Document>& RecordingBackend::documents() {
    static std::deque<Document> docs;
    return docs;
}

QStringList RecordingBackend::Document::pageLines(int page) const {
    QList<Item> onPage;
    for (const Item& i : items) {
        if (i.page == page)
            onPage.append(i);
    }
    std::stable_sort(onPage.begin(), onPage.end(), [](const Item& a, const Item& b) {
        return a.line() != b.line() ? a.line() < b.line() : a.col < b.col;
    });
    QStringList lines;
    for (const Item& i : onPage) {
        while (lines.size() < i.line())
            lines.append(QString());
        QString& l = lines[i.line() - 1];
        // Place the text at its column on the half-width grid.
        const int have = Cp932::cellWidth(l);
        if (have < i.column() - 1)
            l += QString(i.column() - 1 - have, u' ');
        l += i.text;
    }
    return lines;
}

const RecordingBackend::Item* RecordingBackend::Document::find(int page, const QString& text) const {
    for (const Item& i : items) {
        if (i.page == page && i.text == text)
            return &i;
    }
    return nullptr;
}
