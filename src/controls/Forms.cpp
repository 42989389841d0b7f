#include "controls/Forms.h"

#include "platform/Program.h"

#include <QApplication>
#include <QTimer>

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
    f->show();
    f->raise();
    f->activateWindow();
    activate(f);
    return find(tag);
}

void Forms::hide(const QString& tag) {
    if (Form* f = find(tag)) {
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
