#pragma once

#include <QList>
#include <QPushButton>
#include <QString>
#include <QWidget>

class QHBoxLayout;

class Forms;
class QAbstractButton;
class QPushButton;

// A window of the program with the life the windows are described with: it is loaded (its load step
// runs once), shown, activated each time it becomes the program's active window, hidden, and
// unloaded (a query step that may keep it, then its unload step; then it is gone).
// Forms drives all of this; a window never deletes itself.
class Form : public QWidget {
    Q_OBJECT
public:
    enum UnloadMode {
        FromControlMenu, // the teacher closed it from the title bar
        FromCode         // another window or the program unloaded it
    };

    Form(Forms& forms, const QString& tag);
    const QString& tag() const { return m_tag; }

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // Returning false keeps the window loaded.
    virtual bool Form_QueryUnload(UnloadMode mode) {
        Q_UNUSED(mode);
        return true;
    }
    virtual void Form_Unload() {}
    // Asked when the teacher closes the window from its title bar, before anything else happens;
    // false keeps the window as it is.
    virtual bool confirmClose() { return true; }

    // The button that Enter presses wherever the focus is in the window (unless the focused control
    // takes Enter itself), so a teacher can go through a window with the keyboard.
    void setDefaultButton(QPushButton* button);
    // The button that the title bar's close button presses instead of unloading the window: the
    // window's cancel or back button, so closing a window never loses the way back to the main
    // window.
    void setCloseButton(QAbstractButton* button);

    // A command button with its control name, running the window's procedure when pressed.
    template <class T>
    QPushButton* button(const QString& name, const QString& caption, void (T::*procedure)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, static_cast<T*>(this), procedure);
        return b;
    }
    // A group of choice buttons: the chosen one (index `chosen`; -1 for none) with a red caption and
    // the selected look (appearance 1), the others blue (appearance 3).
    static void paintChosen(const QList<QPushButton*>& group, int chosen);
    // The buttons side by side at the right edge, as the windows' OK/cancel rows stand.
    static QHBoxLayout* buttonRow(const QList<QWidget*>& buttons);

    // Window size given in twips (15 twips a pixel at 96 dpi, scaled with the screen).
    void setSizeTwips(int width, int height);
    // Moved up or left as far as needed to stand fully on the screen, title bar and frame
    // included, and made smaller where it is larger than the screen. Done by itself whenever the
    // window is shown or changes size (lists shown, panels ticked, a pane toggled).
    void keepOnScreen();
    static int twipsToPixels(int twips);
    // The fixed-pitch font of the windows' lists and sheets (a full-width character takes two
    // half-width columns, so figures stand under their headings), at the size of `base`.
    static QFont fixedPitchFont(const QFont& base);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void scheduleKeepOnScreen();

    Forms& forms;

private:
    friend class Forms;
    QString m_tag;
    QPushButton* m_defaultButton = nullptr;
    QAbstractButton* m_closeButton = nullptr;
    bool m_unloading = false;
    bool m_placing = false; // a check of the place is pending
    int m_frameChecks = 0;  // checks while the window manager has not framed the window yet
};
