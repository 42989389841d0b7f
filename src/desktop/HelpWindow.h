#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QLabel;
class QTabWidget;
class QTextBrowser;

// The help window: the manual's pages on the right; on the left the contents (目次) and the
// keyword index (キーワード) with a search box. One window for the whole program.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The window, made on first use, for the manual in the given folder.
    static HelpWindow* showManual(const QString& folder);
    // The window if it was made.
    static HelpWindow* current();

    void showPage(const QString& page); // "index.html", "termend.html#year"
    void showKeywords(const QString& keyword = QString());
    // The page on display (relative to the manual's folder, with its anchor).
    QString page() const;
    // The keywords the index lists now (after the search box filtered them).
    QStringList listedKeywords() const;

private:
    explicit HelpWindow(const QString& folder);
    void load(const QString& folder);
    void filter(const QString& text);
    void openItem(const QListWidget* list, int row);

    QString m_folder;
    QTabWidget* m_tabs;
    QListWidget* m_contents;
    QLineEdit* m_search;
    QListWidget* m_keywords;
    QLabel* m_found; // "見つかりませんでした" when a search finds nothing
    // The text of every page of the contents, for searching the pages themselves.
    QList<QPair<QString, QString>> m_pageTexts; // (page, plain text)
    QHash<QString, QString> m_pageTitles;
    QTextBrowser* m_browser;
};
