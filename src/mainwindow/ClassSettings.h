#pragma once

#include <QList>
#include <QString>

// The rules of the class settings pane that need no window.
namespace ClassSettings {

struct ViewNameEntry {
    int slot; // 1 国語, 2 社会, 3 算数, 4 理科, 5 生活
    int view; // 1..3
    QString name;
};

// The usual viewpoint names for the grade: 国語 and 算数 always, 社会 and 理科 for grades 3 to 6,
// 生活 for grades 1 and 2. Boxes not listed keep their text.
QList<ViewNameEntry> standardViewNames(int grade);

// Checks the class size box (0..42) and the term box (1..3) before they are stored. Returns an
// empty text, or the message that says which box is wrong.
QString checkNumbers(const QString& classSizeText, const QString& termText);

} // namespace ClassSettings
