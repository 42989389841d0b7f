#pragma once

#include <QComboBox>

// The drive list of the folder windows: the drive letters the teacher can choose ("a:", "c:",
// "z:"). Choosing one announces Drive_Change; whether the drive can be read is the window's affair.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    QChar drive() const;
    // Selects the drive without announcing a change.
    void setDrive(QChar letter);

Q_SIGNALS:
    void Drive_Change(QChar letter);
};
