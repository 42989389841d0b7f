#pragma once

#include <QListWidget>

// The folder list of the folder windows: the current folder's ancestors and its subfolders, in
// drive-letter form. Double-click or Enter on a line opens that folder and announces Dir_Change.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // The current folder: "C:\voxadata", or a drive root "C:\".
    QString path() const { return m_path; }
    // The folder the list shows as chosen: the line the teacher clicked once (a subfolder, an
    // ancestor), or the current folder.
    QString chosen() const;
    // Opens the folder (a final "\" is dropped except on a drive root) and announces Dir_Change
    // when it differs from the current one.
    void setPath(const QString& dosPath);
    // Reads the subfolders again.
    void refresh();

Q_SIGNALS:
    void Dir_Change(const QString& path);
    // A single click chose another line.
    void Dir_Chosen(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openItem(QListWidgetItem* item);
    QString m_path;
};
