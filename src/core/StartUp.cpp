#include "core/StartUp.h"

#include "controls/Forms.h"
#include "core/VOXA1.h"
#include "platform/Clock.h"
#include "platform/Program.h"

using namespace Qt::StringLiterals;

void Main(VOXA1& c, Forms& forms) {
    Form* splash = forms.show(u"vxStrt"_s);
    if (Program::hasEnded() || !splash)
        return;
    splash->repaint();
    if (c.SplashWait != 0)
        Clock::waitProcessingEvents(c.SplashWait);
    if (Program::hasEnded())
        return;
    c.SettingsDirty = 0;
    c.NoClassYet = 100;
    c.ReturnForm = u"vxStart"_s;
    forms.show(u"vxMain"_s);
    forms.unload(u"vxStrt"_s);
    forms.show(u"vxMain"_s);
}
