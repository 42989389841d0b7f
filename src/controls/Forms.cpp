#include "controls/Forms.h"

#include "platform/Program.h"

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
    f->Form_Load();
    return find(tag);
}

Form* Forms::show(const QString& tag) {
    Form* f = load(tag);
    // A load step that ended the program leaves nothing to show.
    if (!f || Program::hasEnded())
        return f;
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
        Q_EMIT allUnloaded();
    return true;
}

bool Forms::isLoaded(const QString& tag) const {
    return find(tag) != nullptr;
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
