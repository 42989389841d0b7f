#include <QtTest>
class tst_FoldersAndCopy : public QObject { Q_OBJECT };
QTEST_MAIN(tst_FoldersAndCopy)
#include "tst_FoldersAndCopy.moc"
