#include "app/Registry.h"

#include "controls/Forms.h"
#include "core/VOXA1.h"
#include "core/vxEnd.h"
#include "core/vxStrt.h"
#include "mainwindow/vxIcon.h"
#include "mainwindow/vxMain.h"
#include "mainwindow/vxVer.h"

using namespace Qt::StringLiterals;

void registerWindows(VOXA1& c, Forms& forms) {
    forms.registerForm(u"vxStrt"_s, [&c](Forms& f) { return new vxStrt(c, f); });
    forms.registerForm(u"vxMain"_s, [&c](Forms& f) { return new vxMain(c, f); });
    forms.registerForm(u"vxEnd"_s, [&c](Forms& f) { return new vxEnd(c, f); });
    forms.registerForm(u"vxIcon"_s, [&c](Forms& f) { return new vxIcon(c, f); });
    forms.registerForm(u"vxVer"_s, [&c](Forms& f) { return new vxVer(c, f); });
}
