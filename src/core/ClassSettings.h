#pragma once

#include <QList>
#include <QString>

// The rules of the class settings pane that need no window.
namespace ClassSettings {

struct ViewNameEntry {
    int slot; // 1 国語, 2 社会, 3 算数, 4 理科, 5 生活
    int view; // 1..4
    QString name;
};

// The usual viewpoint names for the grade: 国語 and 算数 always, 社会 and 理科 for grades 3 to 6,
// 生活 for grades 1 and 2. Boxes not listed keep their text.
QList<ViewNameEntry> standardViewNames(int grade);
// The three viewpoints every subject has had since 2020 (知識・技能, 思考・判断・表現, 主体的に学習に
// 取り組む態度) under the short names schools print them with, "知技", "思判表" and "主体": a name
// is stored in 8 bytes, four full-width characters. For each subject of the grade; the fourth
// viewpoint is left unnamed, so it is not used.
QList<ViewNameEntry> currentViewNames(int grade);

// Checks the class size box (0..42) and the term box (1..3) before they are stored. Returns an
// empty text, or the message that says which box is wrong.
QString checkNumbers(const QString& classSizeText, const QString& termText);

} // namespace ClassSettings
