#include "classfiles/FolderPicker.h"

#include "controls/DriveList.h"
#include "controls/FolderList.h"
#include "platform/DosPath.h"

#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FolderPicker::FolderPicker(const QString& driveCaption, const QString& folderCaption, const QString& suffix,
                           QWidget* parent)
    : QWidget(parent), m_drive(new DriveList(this)), m_folder(new FolderList(this)) {
    m_drive->setObjectName(u"Drive"_s + suffix);
    m_folder->setObjectName(u"Dir"_s + suffix);
    m_driveLabel = new QLabel(driveCaption, this);
    m_driveLabel->setBuddy(m_drive);
    m_folderLabel = new QLabel(folderCaption, this);
    m_folderLabel->setBuddy(m_folder);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_driveLabel);
    layout->addWidget(m_drive);
    layout->addWidget(m_folderLabel);
    layout->addWidget(m_folder, 1);
    connect(m_drive, &DriveList::Drive_Change, this, [this](QChar letter) {
        if (!DosPath::driveReady(letter)) {
            m_drive->setDrive(m_folder->path().isEmpty() ? QChar(u'C') : m_folder->path()[0]);
            Q_EMIT driveNotReady(letter);
            return;
        }
        m_folder->setPath(QString(letter) + u":\\"_s);
    });
}

void FolderPicker::nameLabels(const QString& driveLabel, const QString& folderLabel) {
    m_driveLabel->setObjectName(driveLabel);
    m_folderLabel->setObjectName(folderLabel);
}

void FolderPicker::setPath(const QString& dosPath) {
    if (DosPath::hasDrive(dosPath))
        m_drive->setDrive(dosPath[0]);
    m_folder->setPath(dosPath);
}
