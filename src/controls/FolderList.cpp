#include "controls/FolderList.h"

#include "platform/DosPath.h"

#include <QDir>
#include <QKeyEvent>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {
QString normalised(const QString& p) {
    QString s = p;
    s.replace(u'/', u'\\');
    while (s.size() > 3 && s.endsWith(u'\\'))
        s.chop(1);
    if (s.size() == 2 && s[1] == u':')
        s += u'\\';
    if (s.size() >= 1)
        s[0] = s[0].toUpper();
    return s;
}
} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    // Twelve rows at least: reaching a folder on the school's share takes a few levels, and six
    // rows meant scrolling at every one.
    setMinimumHeight(fontMetrics().height() * 12 + 2 * frameWidth() + 8);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::openItem);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item)
            Q_EMIT Dir_Chosen(item->data(Qt::UserRole).toString());
    });
}

QString FolderList::chosen() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->data(Qt::UserRole).toString() : m_path;
}

void FolderList::setPath(const QString& dosPath) {
    const QString p = normalised(dosPath);
    if (p == m_path) {
        refresh();
        return;
    }
    m_path = p;
    refresh();
    Q_EMIT Dir_Change(m_path);
}

void FolderList::refresh() {
    clear();
    if (m_path.isEmpty())
        return;
    // Ancestors from the drive root down, each one step further in.
    const QStringList parts = m_path.mid(3).split(u'\\', Qt::SkipEmptyParts);
    QString at = m_path.left(3);
    auto add = [this](const QString& text, const QString& path, int depth, bool current) {
        auto* item =
            new QListWidgetItem(style()->standardIcon(current ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon),
                                QString(depth * 2, u' ') + text, this);
        item->setData(Qt::UserRole, path);
        if (current)
            setCurrentItem(item);
    };
    add(at, at, 0, parts.isEmpty());
    for (int i = 0; i < parts.size(); ++i) {
        at = DosPath::join(at, parts[i]);
        add(parts[i], at, i + 1, i == parts.size() - 1);
    }
    const QString native = DosPath::toNative(m_path);
    if (native.isEmpty())
        return;
    const QStringList subs =
        QDir(native).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : subs)
        add(s, DosPath::join(m_path, s), static_cast<int>(parts.size()) + 1, false);
}

void FolderList::openItem(QListWidgetItem* item) {
    if (item)
        setPath(item->data(Qt::UserRole).toString());
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openItem(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}
