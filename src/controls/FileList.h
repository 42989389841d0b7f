#pragma once

#include <QListWidget>

// The file list of the folder windows: the files of one folder that match a pattern such as
// "*.dat" (letters in any case, since files copied from a FAT stick are often upper case).
// Clicking a file announces File_Click.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    QString folder() const { return m_folder; }
    void setFolder(const QString& dosFolder);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);
    // The chosen file's name, or an empty text.
    QString fileName() const;
    // Chooses a file by name (any case) and announces File_Click; false when it is not listed.
    bool chooseFile(const QString& name);
    void refresh();

Q_SIGNALS:
    void File_Click(const QString& fileName);

private:
    QString m_folder;
    QString m_pattern;
};
