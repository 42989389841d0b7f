#include "platform/HelpWindow.h"

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
    for (const auto& [title, page] : readList(QDir(folder).filePath(u"contents.txt"_s))) {
        auto* item = new QListWidgetItem(title, m_contents);
        item->setData(kPageRole, page);
    }
    m_keywords->clear();
    auto entries = readList(QDir(folder).filePath(u"keywords.txt"_s));
    // In the order of a Japanese index (kana order), not of the character codes.
    QCollator order{QLocale(QLocale::Japanese, QLocale::Japan)};
    std::sort(entries.begin(), entries.end(),
              [&order](const auto& a, const auto& b) { return order.compare(a.first, b.first) < 0; });
    for (const auto& [word, page] : entries) {
        auto* item = new QListWidgetItem(word, m_keywords);
        item->setData(kPageRole, page);
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
    int first = -1;
    for (int i = 0; i < m_keywords->count(); ++i) {
        QListWidgetItem* item = m_keywords->item(i);
        const bool match = t.isEmpty() || item->text().contains(t, Qt::CaseInsensitive);
        item->setHidden(!match);
        if (match && first < 0)
            first = i;
    }
    if (first >= 0)
        m_keywords->setCurrentRow(first);
}

void HelpWindow::openItem(const QListWidget* list, int row) {
    if (row < 0 || row >= list->count())
        return;
    m_browser->setSource(urlOf(m_folder, list->item(row)->data(kPageRole).toString()));
}
