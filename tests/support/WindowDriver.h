#pragma once

#include "TestSupport.h"
#include "controls/Forms.h"
#include "core/VOXA1.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// A run of the grade book for window tests: the class, every window registered with Forms, the
// test doubles on and a temporary home folder as drive C:.
class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();

    VOXA1& c() { return *m_c; }
    Forms& forms() { return *m_forms; }
    TestSupport::TempHome& home() { return *m_home; }

    // The start procedure: splash, then the main window.
    void start();

    template <class T = QWidget> T* find(const QString& form, const QString& name) {
        Form* f = m_forms->find(form);
        if (!f)
            return nullptr;
        return f->findChild<T*>(name);
    }
    void click(const QString& form, const QString& button);
    void trigger(const QString& form, const QString& action);
    // Types into a box (replacing its text) as the teacher would.
    void type(const QString& form, const QString& box, const QString& text);
    void pressEnter(const QString& form, const QString& box);

    // Writes the class, starts the run, loads the class as class selection would and brings the
    // main window back, so it shows the class.
    void startWithClass(const QString& base, const QString& name, int pupils,
                        const QString& password = QStringLiteral("0000000000"));

    // Writes a saved class (files in C:\voxadata) with the given pupils.
    void writeClass(const QString& base, int pupils, const QString& password = QStringLiteral("0000000000"));

private:
    std::unique_ptr<TestSupport::TempHome> m_home;
    std::unique_ptr<VOXA1> m_c;
    std::unique_ptr<Forms> m_forms;
};
