#include <QtTest>
class tst_ClassSelection : public QObject { Q_OBJECT };
QTEST_MAIN(tst_ClassSelection)
#include "tst_ClassSelection.moc"
