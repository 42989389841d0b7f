#include "controls/DriveList.h"

using namespace Qt::StringLiterals;

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    addItem(u"a: [リムーバブル]"_s, u"A"_s);
    addItem(u"c: [ホーム]"_s, u"C"_s);
    addItem(u"z: [ルート]"_s, u"Z"_s);
    setCurrentIndex(1);
    connect(this, &QComboBox::activated, this, [this](int) { Q_EMIT Drive_Change(drive()); });
}

QChar DriveList::drive() const {
    const QString d = currentData().toString();
    return d.isEmpty() ? QChar(u'C') : d[0];
}

void DriveList::setDrive(QChar letter) {
    const int i = findData(QString(letter.toUpper()));
    if (i >= 0) {
        const QSignalBlocker block(this);
        setCurrentIndex(i);
    }
}
