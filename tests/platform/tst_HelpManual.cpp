// The help manual shipped with the program: every link, contents entry and keyword leads to a page
// and a place that exist, and every page can be reached from the contents.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

class tst_HelpManual : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void links_leadToPagesAndAnchorsThatExist();
    void contentsAndKeywords_leadToPagesAndAnchorsThatExist();
    void everyPage_isInTheContents_andHasItsTitle();

private:
    QString read(const QString& name) const;
    // Whether "page.html" or "page.html#anchor" exists in the manual.
    bool exists(const QString& target, const QString& fromPage) const;
    QDir m_dir;
    QStringList m_pages;
};

void tst_HelpManual::initTestCase() {
    m_dir = QDir(qEnvironmentVariable("VOXA_HELP_DIR"));
    m_pages = m_dir.entryList({u"*.html"_s}, QDir::Files, QDir::Name);
    QVERIFY2(m_pages.size() >= 15, qPrintable(m_dir.path()));
}

QString tst_HelpManual::read(const QString& name) const {
    QFile f(m_dir.filePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

bool tst_HelpManual::exists(const QString& target, const QString& fromPage) const {
    const QString page = target.section(u'#', 0, 0).isEmpty() ? fromPage : target.section(u'#', 0, 0);
    if (!m_pages.contains(page))
        return false;
    if (!target.contains(u'#'))
        return true;
    const QString anchor = target.section(u'#', 1);
    return read(page).contains(u"<a name=\""_s + anchor + u"\">"_s);
}

void tst_HelpManual::links_leadToPagesAndAnchorsThatExist() {
    static const QRegularExpression href(u"href=\"([^\"]+)\""_s);
    int links = 0;
    for (const QString& page : std::as_const(m_pages)) {
        const QString html = read(page);
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.endsWith(u".css"_s)) {
                QVERIFY(QFileInfo::exists(m_dir.filePath(target)));
                continue;
            }
            ++links;
            QVERIFY2(exists(target, page), qPrintable(page + u" -> "_s + target));
        }
    }
    QVERIFY(links > 50);
}

void tst_HelpManual::contentsAndKeywords_leadToPagesAndAnchorsThatExist() {
    for (const QString& list : {u"contents.txt"_s, u"keywords.txt"_s}) {
        int entries = 0;
        for (const QString& line : read(list).split(u'\n')) {
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList parts = line.split(u'\t');
            // Keywords carry their reading (in hiragana), by which the index is ordered.
            QCOMPARE(parts.size(), list == u"keywords.txt"_s ? 3 : 2);
            if (parts.size() == 3)
                for (QChar ch : parts[2])
                    QVERIFY2((ch >= u'ぁ' && ch <= u'ゖ') || ch == u'ー', qPrintable(line));
            QVERIFY2(exists(parts[1], QString()), qPrintable(list + u": "_s + line));
            ++entries;
        }
        QVERIFY(entries >= 15);
    }
}

void tst_HelpManual::everyPage_isInTheContents_andHasItsTitle() {
    const QString contents = read(u"contents.txt"_s);
    for (const QString& page : std::as_const(m_pages)) {
        QVERIFY2(contents.contains(u'\t' + page + u'\n'), qPrintable(page));
        const QString html = read(page);
        QVERIFY2(html.contains(u"<meta charset=\"utf-8\">"_s), qPrintable(page));
        static const QRegularExpression title(u"<title>([^<]+)</title>"_s);
        const QString t = title.match(html).captured(1);
        QVERIFY2(!t.isEmpty() && html.contains(u"<h1>"_s + t.section(u' ', 0, 0)), qPrintable(page));
    }
}

QTEST_GUILESS_MAIN(tst_HelpManual)
#include "tst_HelpManual.moc"
