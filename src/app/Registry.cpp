#include "app/Registry.h"

#include "classfiles/vxCPDrv.h"
#include "classfiles/vxCopy.h"
#include "classfiles/vxDrive.h"
#include "classfiles/vxLoad.h"
#include "classfiles/vxNew.h"
#include "classfiles/vxPass.h"
#include "classfiles/vxRestore.h"
#include "classmaterial/vxclass.h"
#include "controls/Forms.h"
#include "core/VOXA1.h"
#include "core/vxEnd.h"
#include "core/vxStrt.h"
#include "desktop/DesktopWindows.h"
#include "lists/vxPrint.h"
#include "mainwindow/vxIcon.h"
#include "mainwindow/vxMain.h"
#include "mainwindow/vxVer.h"
#include "organise/vxOrganise.h"
#include "report/vxKojin.h"
#include "roster/vxMeibo.h"
#include "roster/vxNameIn.h"
#include "scores/vxData.h"
#include "termend/vxHyo.h"

using namespace Qt::StringLiterals;

void registerWindows(VOXA1& c, Forms& forms) {
    DesktopWindows::install();
    forms.registerForm(u"vxStrt"_s, [&c](Forms& f) { return new vxStrt(c, f); });
    forms.registerForm(u"vxMain"_s, [&c](Forms& f) { return new vxMain(c, f); });
    forms.registerForm(u"vxEnd"_s, [&c](Forms& f) { return new vxEnd(c, f); });
    forms.registerForm(u"vxIcon"_s, [&c](Forms& f) { return new vxIcon(c, f); });
    forms.registerForm(u"vxVer"_s, [&c](Forms& f) { return new vxVer(c, f); });
    forms.registerForm(u"vxNew"_s, [&c](Forms& f) { return new vxNew(c, f); });
    forms.registerForm(u"vxLoad"_s, [&c](Forms& f) { return new vxLoad(c, f); });
    forms.registerForm(u"vxPass"_s, [&c](Forms& f) { return new vxPass(c, f); });
    forms.registerForm(u"vxDrive"_s, [&c](Forms& f) { return new vxDrive(c, f); });
    forms.registerForm(u"vxCPDrv"_s, [&c](Forms& f) { return new vxCPDrv(c, f); });
    forms.registerForm(u"vxCopy"_s, [&c](Forms& f) { return new vxCopy(c, f); });
    forms.registerForm(u"vxRestore"_s, [&c](Forms& f) { return new vxRestore(c, f); });
    forms.registerForm(u"vxMeibo"_s, [&c](Forms& f) { return new vxMeibo(c, f); });
    forms.registerForm(u"vxNameIn"_s, [&c](Forms& f) { return new vxNameIn(c, f); });
    forms.registerForm(u"vxData"_s, [&c](Forms& f) { return new vxData(c, f); });
    forms.registerForm(u"vxHyo"_s, [&c](Forms& f) { return new vxHyo(c, f); });
    forms.registerForm(u"vxKojin"_s, [&c](Forms& f) { return new vxKojin(c, f); });
    forms.registerForm(u"vxPrint"_s, [&c](Forms& f) { return new vxPrint(c, f); });
    forms.registerForm(u"vxclass"_s, [&c](Forms& f) { return new vxclass(c, f); });
    forms.registerForm(u"vxOrganise"_s, [&c](Forms& f) { return new vxOrganise(c, f); });
}
