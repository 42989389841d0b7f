#include "controls/FileList.h"

#include "platform/DosPath.h"

#include <QDir>
#include <QRegularExpression>

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    // Twelve rows at least: reaching a folder on the school's share takes a few levels, and six
    // rows meant scrolling at every one.
    setMinimumHeight(fontMetrics().height() * 12 + 2 * frameWidth() + 8);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT File_Click(item->text()); });
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Q_EMIT File_Click(item->text()); });
}

void FileList::setFolder(const QString& dosFolder) {
    m_folder = dosFolder;
    refresh();
}

void FileList::setPattern(const QString& pattern) {
    m_pattern = pattern;
    refresh();
}

QString FileList::fileName() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

bool FileList::chooseFile(const QString& name) {
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            setCurrentRow(i);
            item(i)->setSelected(true);
            Q_EMIT File_Click(item(i)->text());
            return true;
        }
    }
    return false;
}

void FileList::refresh() {
    clear();
    const QString native = DosPath::toNative(m_folder);
    if (native.isEmpty() || m_pattern.isEmpty())
        return;
    // Patterns match letters in any case.
    const QStringList all = QDir(native).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& f : all) {
        for (const QString& p : m_pattern.split(u';')) {
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                        QRegularExpression::CaseInsensitiveOption);
            if (re.match(f).hasMatch()) {
                addItem(f);
                break;
            }
        }
    }
}
