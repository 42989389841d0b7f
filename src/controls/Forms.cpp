#include "controls/Forms.h"

#include "platform/Program.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

Forms::~Forms() {
    const auto loaded = m_loaded;
    m_loaded.clear();
    for (const auto& f : loaded)
        delete f.data();
}

void Forms::registerForm(const QString& tag, Factory factory) {
    m_factories.insert(tag, std::move(factory));
}

bool Forms::isRegistered(const QString& tag) const {
    return m_factories.contains(tag);
}

Form* Forms::load(const QString& tag) {
    if (Form* f = find(tag))
        return f;
    const auto it = m_factories.constFind(tag);
    if (it == m_factories.constEnd()) {
        qWarning("Forms: no window is registered under this tag");
        return nullptr;
    }
    Form* f = (*it)(*this);
    // The window counts as loaded while its load step runs, as the load step may show other windows.
    m_loaded.insert(tag, f);
    ++m_loading;
    f->Form_Load();
    --m_loading;
    return find(tag);
}

Form* Forms::show(const QString& tag) {
    Form* f = load(tag);
    // A load step that ended the program leaves nothing to show.
    if (!f || Program::hasEnded())
        return f;
    m_endAnnounced = false;
    if (!f->isVisible())
        place(tag, f);
    f->show();
    f->raise();
    f->activateWindow();
    activate(f);
    return find(tag);
}

void Forms::remember(const QString& tag, Form* form) {
    if (form->isVisible())
        m_lastPlace.insert(tag, form->frameGeometry());
}

void Forms::place(const QString& tag, Form* form) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    form->ensurePolished();
    // A window that has not been shown has no frame yet: its title bar is reckoned in.
    const int titleBar = form->windowFlags().testFlag(Qt::FramelessWindowHint)
                             ? 0
                             : form->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QSize size =
        form->testAttribute(Qt::WA_Resized) ? form->size() : form->sizeHint().expandedTo(form->minimumSize());
    if (size.width() > area.width() || size.height() + titleBar > area.height()) {
        size = size.boundedTo(QSize(area.width(), area.height() - titleBar));
        form->resize(size);
    }
    const QSize outer(size.width(), size.height() + titleBar);
    QRect frame;
    // The main window comes back where the teacher left it; every other window opens in the middle.
    if (tag == u"vxMain"_s && m_lastPlace.contains(tag)) {
        frame = QRect(m_lastPlace.value(tag).topLeft(), outer);
    } else {
        const Form* main = tag == u"vxMain"_s ? nullptr : find(u"vxMain"_s);
        const QRect over =
            main && main->isVisible() ? main->frameGeometry() : m_lastPlace.value(u"vxMain"_s, area);
        frame = QRect(QPoint(), outer);
        frame.moveCenter(over.center());
    }
    // Fully on the screen: pulled in from whichever edge it crosses.
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    form->move(frame.topLeft());
}

void Forms::hide(const QString& tag) {
    if (Form* f = find(tag)) {
        remember(tag, f);
        f->hide();
        if (m_active == f)
            m_active = nullptr;
        checkSomethingShownLater();
    }
}

bool Forms::unload(const QString& tag, Form::UnloadMode mode) {
    Form* f = find(tag);
    if (!f)
        return true;
    if (f->m_unloading)
        return true;
    f->m_unloading = true;
    if (!f->Form_QueryUnload(mode)) {
        f->m_unloading = false;
        return false;
    }
    remember(tag, f);
    f->Form_Unload();
    m_loaded.remove(tag);
    if (m_active == f)
        m_active = nullptr;
    f->hide();
    f->deleteLater();
    // Closing the last window on screen from its title bar ends the program too, even when hidden
    // windows are still loaded: nothing would be left for the teacher to reach them.
    bool anyShown = false;
    for (const auto& other : std::as_const(m_loaded))
        anyShown = anyShown || (other && other->isVisible());
    if (m_loaded.isEmpty() || (mode == Form::FromControlMenu && !anyShown))
        announceEnd();
    else
        checkSomethingShownLater();
    return true;
}

void Forms::announceEnd() {
    if (m_endAnnounced)
        return;
    m_endAnnounced = true;
    Q_EMIT allUnloaded();
}

bool Forms::somethingShown() const {
    for (const auto& f : std::as_const(m_loaded))
        if (f && f->isVisible())
            return true;
    // A message box or dialog of the program still leads the teacher somewhere.
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget* w : windows)
        if (w->isVisible() && !w->isHidden())
            return true;
    return false;
}

void Forms::checkSomethingShownLater() {
    QTimer::singleShot(0, this, [this] {
        if (!m_loaded.isEmpty() && m_loading == 0 && !somethingShown())
            announceEnd();
    });
}

bool Forms::isLoaded(const QString& tag) const {
    return find(tag) != nullptr;
}

QStringList Forms::loadedTags() const {
    QStringList tags;
    for (auto it = m_loaded.constBegin(); it != m_loaded.constEnd(); ++it)
        if (it.value())
            tags << it.key();
    tags.sort();
    return tags;
}

Form* Forms::find(const QString& tag) const {
    const auto it = m_loaded.constFind(tag);
    if (it == m_loaded.constEnd())
        return nullptr;
    return it->data();
}

QString Forms::activeTag() const {
    return m_active ? m_active->tag() : QString();
}

void Forms::windowActivated(Form* form) {
    // While a window is being loaded (its load step may show a message box, after which the window
    // system activates whatever was in front), the window coming up is the one that gets the
    // activation, from show().
    if (m_loading > 0)
        return;
    if (m_loaded.value(form->tag()) == form && form->isVisible())
        activate(form);
}

void Forms::activate(Form* form) {
    // Raised once per change of the program's active window: never twice in a row for the same
    // window, and not when the teacher merely comes back from another application.
    if (m_active == form)
        return;
    m_active = form;
    form->Form_Activate();
}
