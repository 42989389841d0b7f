#include "desktop/HelpWindow.h"

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QPointer<HelpWindow>& instance() {
    static QPointer<HelpWindow> w;
    return w;
}

// "title<TAB>page" lines of a UTF-8 list in the manual's folder.
QList<QPair<QString, QString>> readList(const QString& path) {
    QList<QPair<QString, QString>> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype tab = line.indexOf(u'\t');
        if (line.isEmpty() || line.startsWith(u'#') || tab < 0)
            continue;
        out.append({line.left(tab).trimmed(), line.mid(tab + 1).trimmed()});
    }
    return out;
}

const int kPageRole = Qt::UserRole;
const int kPageHitRole = Qt::UserRole + 1; // an entry for a page whose text holds the search

// The address of "page.html#anchor" in the manual's folder.
QUrl urlOf(const QString& folder, const QString& page) {
    QUrl url = QUrl::fromLocalFile(QDir(folder).filePath(page.section(u'#', 0, 0)));
    if (page.contains(u'#'))
        url.setFragment(page.section(u'#', 1));
    return url;
}
} // namespace

HelpWindow* HelpWindow::current() {
    return instance();
}

HelpWindow* HelpWindow::showManual(const QString& folder) {
    if (!instance()) {
        instance() = new HelpWindow(folder);
        // In the middle of the window the teacher asked from, fully on the screen.
        const QWidget* over = QApplication::activeWindow();
        const QRect area =
            (over && over->screen() ? over->screen() : QGuiApplication::primaryScreen())->availableGeometry();
        QRect frame(QPoint(), instance()->size() + QSize(0, 30));
        frame.moveCenter(over ? over->frameGeometry().center() : area.center());
        frame.moveLeft(
            std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())));
        frame.moveTop(
            std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
        instance()->move(frame.topLeft());
    } else if (instance()->m_folder != folder)
        instance()->load(folder);
    HelpWindow* w = instance();
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

HelpWindow::HelpWindow(const QString& folder) : QWidget(nullptr, Qt::Window) {
    setObjectName(u"HelpWindow"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Voxa2003 ヘルプ"_s);

    m_tabs = new QTabWidget(this);
    m_contents = new QListWidget(m_tabs);
    m_contents->setObjectName(u"HelpContents"_s);
    m_tabs->addTab(m_contents, u"目次"_s);

    auto* keywordPane = new QWidget(m_tabs);
    auto* kl = new QVBoxLayout(keywordPane);
    auto* label = new QLabel(u"探す言葉(&W):"_s, keywordPane);
    m_search = new QLineEdit(keywordPane);
    m_search->setObjectName(u"HelpSearch"_s);
    m_search->setClearButtonEnabled(true);
    label->setBuddy(m_search);
    m_keywords = new QListWidget(keywordPane);
    m_keywords->setObjectName(u"HelpKeywords"_s);
    kl->addWidget(label);
    kl->addWidget(m_search);
    kl->addWidget(m_keywords, 1);
    m_found = new QLabel(keywordPane);
    m_found->setObjectName(u"HelpFound"_s);
    kl->addWidget(m_found);
    m_tabs->addTab(keywordPane, u"キーワード"_s);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(u"HelpPage"_s);
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);

    auto* split = new QSplitter(this);
    split->addWidget(m_tabs);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);

    auto* back = new QPushButton(u"戻る(&B)"_s, this);
    auto* forward = new QPushButton(u"進む(&F)"_s, this);
    auto* home = new QPushButton(u"目次(&C)"_s, this);
    auto* close = new QPushButton(u"閉じる"_s, this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(home, &QPushButton::clicked, this, [this] { showPage(u"index.html"_s); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(home);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(split, 1);

    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::filter);
    // Choosing the keyword tab puts the cursor in the search box, ready for typing.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1)
            m_search->setFocus();
    });
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        if (m_keywords->count() > 0)
            openItem(m_keywords, m_keywords->currentRow() >= 0 ? m_keywords->currentRow() : 0);
    });
    for (QListWidget* list : {m_contents, m_keywords}) {
        connect(list, &QListWidget::itemActivated, this,
                [this, list](QListWidgetItem* item) { openItem(list, list->row(item)); });
        connect(list, &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem* item) { openItem(list, list->row(item)); });
    }

    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(960, screen.width() * 9 / 10), std::min(700, screen.height() * 9 / 10));
    split->setSizes({width() / 4, width() * 3 / 4});
    load(folder);
}

void HelpWindow::load(const QString& folder) {
    m_folder = folder;
    m_browser->setSearchPaths({folder});
    m_contents->clear();
    m_pageTexts.clear();
    m_pageTitles.clear();
    for (const auto& [title, page] : readList(QDir(folder).filePath(u"contents.txt"_s))) {
        auto* item = new QListWidgetItem(title, m_contents);
        item->setData(kPageRole, page);
        const QString file = page.section(u'#', 0, 0);
        if (m_pageTitles.contains(file))
            continue;
        m_pageTitles.insert(file, title);
        QFile f(QDir(folder).filePath(file));
        if (f.open(QIODevice::ReadOnly))
            m_pageTexts.append(
                {file, QTextDocumentFragment::fromHtml(QString::fromUtf8(f.read(1 << 20))).toPlainText()});
    }
    m_keywords->clear();
    // "keyword<TAB>page<TAB>reading": listed in the order of a Japanese index, by reading (五十音),
    // not by the character codes of the kanji.
    struct Entry {
        QString word, page, reading;
    };
    QList<Entry> entries;
    for (const auto& [word, rest] : readList(QDir(folder).filePath(u"keywords.txt"_s))) {
        const QString reading = rest.section(u'\t', 1).trimmed();
        entries.append({word, rest.section(u'\t', 0, 0).trimmed(), reading.isEmpty() ? word : reading});
    }
    QCollator order{QLocale(QLocale::Japanese, QLocale::Japan)};
    std::stable_sort(entries.begin(), entries.end(), [&order](const Entry& a, const Entry& b) {
        return order.compare(a.reading, b.reading) < 0;
    });
    for (const Entry& e : std::as_const(entries)) {
        auto* item = new QListWidgetItem(e.word, m_keywords);
        item->setData(kPageRole, e.page);
    }
}

void HelpWindow::showPage(const QString& page) {
    m_tabs->setCurrentIndex(0);
    m_browser->setSource(urlOf(m_folder, page));
}

void HelpWindow::showKeywords(const QString& keyword) {
    m_tabs->setCurrentIndex(1);
    m_search->setText(keyword);
    filter(keyword);
    m_search->setFocus();
}

QString HelpWindow::page() const {
    const QUrl url = m_browser->source();
    QString p = QDir(m_folder).relativeFilePath(url.toLocalFile());
    if (url.hasFragment())
        p += u'#' + url.fragment();
    return p;
}

QStringList HelpWindow::listedKeywords() const {
    QStringList out;
    for (int i = 0; i < m_keywords->count(); ++i)
        if (!m_keywords->item(i)->isHidden())
            out.append(m_keywords->item(i)->text());
    return out;
}

void HelpWindow::filter(const QString& text) {
    const QString t = text.trimmed();
    // The pages found by their text last time go; the keywords stay.
    for (int i = m_keywords->count() - 1; i >= 0; --i)
        if (m_keywords->item(i)->data(kPageHitRole).toBool())
            delete m_keywords->takeItem(i);
    int first = -1;
    for (int i = 0; i < m_keywords->count(); ++i) {
        QListWidgetItem* item = m_keywords->item(i);
        const bool match = t.isEmpty() || item->text().contains(t, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && first < 0)
            first = i;
    }
    // Words that are in the pages but not among the keywords: the pages that hold them, after the
    // keywords (Japanese has no spaces, so the search is for the text anywhere in a page).
    if (!t.isEmpty())
        for (const auto& [page, body] : std::as_const(m_pageTexts))
            if (body.contains(t, Qt::CaseInsensitive)) {
                auto* item = new QListWidgetItem(u"本文: "_s + m_pageTitles.value(page), m_keywords);
                item->setData(kPageRole, page);
                item->setData(kPageHitRole, true);
                if (first < 0)
                    first = m_keywords->count() - 1;
            }
    m_found->setText(first < 0 ? u"見つかりませんでした"_s : QString());
    if (first >= 0)
        m_keywords->setCurrentRow(first);
}

void HelpWindow::openItem(const QListWidget* list, int row) {
    if (row < 0 || row >= list->count())
        return;
    m_browser->setSource(urlOf(m_folder, list->item(row)->data(kPageRole).toString()));
}
