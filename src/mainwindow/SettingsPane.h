#pragma once

#include <QWidget>

struct VOXA1;
class QLineEdit;

// The class settings pane of the main window: the header texts, class size, current term and the
// names of four viewpoints for each of the five subject slots. It edits its boxes only; StoreSettings
// copies them into the class.
class SettingsPane : public QWidget {
    Q_OBJECT
public:
    SettingsPane(VOXA1& c, QWidget* parent);

    // Boxes from the class; leaves SettingsDirty at 0.
    void fill();
    // Enabled with a class loaded; the class size box only while the class is new.
    void applyEnabling();
    // Copies the boxes into the class and saves the settings file. False when the save failed.
    bool StoreSettings();
    // The standard viewpoint names for the grade, 30 pupils and term 1, into the boxes.
    void putStandardSettings(int grade);
    // The viewpoint names of today's three viewpoints into the boxes (an unsaved change).
    void putCurrentViewNames(int grade);

    QString classSizeText() const;
    QString termText() const;

private:
    QLineEdit* box(const QString& name, int maxLength, bool countsAsChange);

    VOXA1& c;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    QLineEdit* Text5;
    QLineEdit* m_views[5][4]; // Text7..Text10 (slot - 1)
};
