#pragma once

#include <QString>

struct VOXA1;
class Forms;

// The windows that read figures by term and pupil (term-end, report, lists, class organisation)
// open only when the current term is 1..3 and the class size 0..42: otherwise they would reach
// outside the tables.
namespace FigureWindows {

// Called at the start of such a window's load step. When the class settings make the window
// unsafe, tells the teacher, hands back to the main window and unloads the window (so it is not
// shown once its load step ends); true then, and the load step returns at once.
bool refuseWithoutFigures(VOXA1& c, Forms& forms, const QString& tag);

} // namespace FigureWindows
