#pragma once

#include "controls/Form.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>

// The program's windows by tag. Windows open each other through here ("vxMain", "vxEnd", ...), so a
// window never needs to know another window's class.
class Forms : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<Form*(Forms&)>;

    Forms() = default;
    // The windows still loaded go with the collection.
    ~Forms() override;

    void registerForm(const QString& tag, Factory factory);
    bool isRegistered(const QString& tag) const;

    // Creates the window and runs its load step, unless it is loaded already.
    Form* load(const QString& tag);
    // Loads when needed, shows and activates it.
    Form* show(const QString& tag);
    void hide(const QString& tag);
    // Asks the window (query-unload) and, unless it refuses, unloads it. True when it is gone.
    bool unload(const QString& tag, Form::UnloadMode mode = Form::FromCode);

    bool isLoaded(const QString& tag) const;
    // The tags of the loaded windows, sorted.
    QStringList loadedTags() const;
    Form* find(const QString& tag) const;
    template <class T> T* get(const QString& tag) const { return qobject_cast<T*>(find(tag)); }

    // The window that was last activated and is still shown, or an empty text.
    QString activeTag() const;

    // Called by a window when the window system makes it active (the teacher clicked it).
    void windowActivated(Form* form);

Q_SIGNALS:
    // No window of the program is loaded, or none is left on screen (so the teacher could reach
    // none of them): the program has nothing left to do.
    void allUnloaded();

private:
    void activate(Form* form);
    // Where a window appears: where it was last (the main window keeps its place), else centred
    // over the main window or the screen; always fully on the screen.
    void place(const QString& tag, Form* form);
    void remember(const QString& tag, Form* form);
    void announceEnd();
    // Once the events in hand are done: when no window of the program is on screen any more (not
    // even a message box or dialog), the program ends instead of running on invisibly.
    void checkSomethingShownLater();
    bool somethingShown() const;

    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<Form>> m_loaded;
    QHash<QString, QRect> m_lastPlace; // frame geometry when the window was last hidden or unloaded
    QPointer<Form> m_active;
    int m_loading = 0;           // load steps running
    bool m_endAnnounced = false; // allUnloaded was raised and no window was shown since
};
