#include "core/FigureWindows.h"

#include "controls/Forms.h"
#include "core/VOXA1.h"
#include "platform/MsgBox.h"

namespace FigureWindows {

bool refuseWithoutFigures(VOXA1& c, Forms& forms, const QString& tag) {
    const QString wrong = c.figuresProblem();
    if (wrong.isEmpty())
        return false;
    MsgBox::show(wrong, MsgBox::OkOnly, MsgBox::Warning);
    c.ReturnForm = tag;
    forms.show(QStringLiteral("vxMain"));
    forms.unload(tag);
    return true;
}

} // namespace FigureWindows
