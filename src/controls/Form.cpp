#include "controls/Form.h"

#include "controls/Forms.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

Form::Form(Forms& forms_, const QString& tag) : QWidget(nullptr), forms(forms_), m_tag(tag) {
    setObjectName(tag);
}

int Form::twipsToPixels(int twips) {
    double dpi = 96;
    if (const QScreen* s = QGuiApplication::primaryScreen())
        dpi = s->logicalDotsPerInch();
    return qRound(twips * dpi / 1440.0);
}

void Form::setSizeTwips(int width, int height) {
    resize(twipsToPixels(width), twipsToPixels(height));
}

void Form::closeEvent(QCloseEvent* event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    // The title bar's close button asks to unload the window; the window may refuse.
    event->ignore();
    forms.unload(m_tag, FromControlMenu);
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_unloading)
        forms.windowActivated(this);
    return QWidget::event(event);
}
