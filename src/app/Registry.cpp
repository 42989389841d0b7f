#include "app/Registry.h"

#include "controls/Forms.h"
#include "core/VOXA1.h"
#include "core/vxEnd.h"
#include "core/vxStrt.h"
#include "mainwindow/vxMain.h"

using namespace Qt::StringLiterals;

void registerWindows(VOXA1& c, Forms& forms) {
    forms.registerForm(u"vxStrt"_s, [&c](Forms& f) { return new vxStrt(c, f); });
    forms.registerForm(u"vxMain"_s, [&c](Forms& f) { return new vxMain(c, f); });
    forms.registerForm(u"vxEnd"_s, [&c](Forms& f) { return new vxEnd(c, f); });
}
