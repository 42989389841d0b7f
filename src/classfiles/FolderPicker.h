#pragma once

#include <QWidget>

class DriveList;
class FolderList;
class QLabel;

// A drive list above a folder list, as the folder windows use them. The folder list follows the
// drive; a drive that cannot be read is announced through driveNotReady and the lists stay where
// they were.
class FolderPicker : public QWidget {
    Q_OBJECT
public:
    FolderPicker(const QString& driveCaption, const QString& folderCaption, const QString& suffix,
                 QWidget* parent);

    DriveList* drive() const { return m_drive; }
    FolderList* folder() const { return m_folder; }
    // Shows the folder (and its drive), announcing a folder change.
    void setPath(const QString& dosPath);
    // Gives the two caption labels their control names.
    void nameLabels(const QString& driveLabel, const QString& folderLabel);

Q_SIGNALS:
    void driveNotReady(QChar letter);

private:
    DriveList* m_drive;
    FolderList* m_folder;
    QLabel* m_driveLabel;
    QLabel* m_folderLabel;
};
