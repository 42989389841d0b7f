#include "desktop/DesktopWindows.h"

#include "desktop/HelpWindow.h"
#include "desktop/PrintPreview.h"
#include "platform/HelpViewer.h"
#include "platform/PreviewBackend.h"

using namespace Qt::StringLiterals;

namespace DesktopWindows {

void install() {
    HelpViewer::setShower([](const QString& folder, HelpViewer::Command command, const QString& keyword) {
        HelpWindow* w = HelpWindow::showManual(folder);
        switch (command) {
        case HelpViewer::Contents:
            w->showPage(u"index.html"_s);
            break;
        case HelpViewer::KeywordSearch:
            w->showKeywords(keyword);
            break;
        case HelpViewer::HelpOnHelp:
            w->showPage(u"usinghelp.html"_s);
            break;
        }
    });
    PreviewBackend::setAsker([](const PreviewBackend::Pages& pages) { return PrintPreview::ask(pages); });
}

} // namespace DesktopWindows
