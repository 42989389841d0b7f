#include "controls/Form.h"

#include "controls/Forms.h"

using namespace Qt::StringLiterals;

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

Form::Form(Forms& forms_, const QString& tag) : QWidget(nullptr), forms(forms_), m_tag(tag) {
    setObjectName(tag);
}

int Form::twipsToPixels(int twips) {
    double dpi = 96;
    if (const QScreen* s = QGuiApplication::primaryScreen())
        dpi = s->logicalDotsPerInch();
    return qRound(twips * dpi / 1440.0);
}

QFont Form::fixedPitchFont(const QFont& base) {
    QFont f(QStringLiteral("IPAGothic"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSizeF(base.pointSizeF());
    return f;
}

void Form::setSizeTwips(int width, int height) {
    resize(twipsToPixels(width), twipsToPixels(height));
}

void Form::keepOnScreen() {
    if (!isVisible())
        return;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect client = geometry();
    QRect frame = frameGeometry();
    // The window manager frames a window a moment after it is shown. Until then the frame is not
    // known: its title bar is reckoned in, a move places the client area, and the place is checked
    // again shortly, when the frame is known.
    const QString platform = QGuiApplication::platformName();
    const bool hasFrame = !windowFlags().testFlag(Qt::FramelessWindowHint) && platform != u"offscreen"_s &&
                          platform != u"minimal"_s;
    int titleBar = 0;
    if (hasFrame && frame == client) {
        titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
        frame.setTop(frame.top() - titleBar);
        if (m_frameChecks++ < 20)
            QTimer::singleShot(50, this, [this] { keepOnScreen(); });
    } else {
        m_frameChecks = 0;
    }
    // Larger than the screen: made as large as the screen allows (its layout clips the rest).
    const QSize frameExtra = frame.size() - client.size();
    if (frame.width() > area.width() || frame.height() > area.height()) {
        const QSize fits = (area.size() - frameExtra).boundedTo(size()).expandedTo(QSize(1, 1));
        setMaximumSize(area.size() - frameExtra);
        resize(fits);
        frame.setSize(fits + frameExtra);
    }
    const QPoint before = frame.topLeft();
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    if (frame.topLeft() != before)
        move(frame.topLeft() + QPoint(0, titleBar));
}

void Form::closeEvent(QCloseEvent* event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    event->ignore();
    if (!confirmClose())
        return;
    if (m_closeButton) {
        // The title bar does what the window's way out does, and nothing while that is not
        // available: a work window's close never unloads it behind the teacher's back (unloading the
        // last window on screen would end the program).
        if (m_closeButton->isEnabled() && m_closeButton->isVisible())
            m_closeButton->click();
        return;
    }
    // The title bar's close button asks to unload the window; the window may refuse.
    forms.unload(m_tag, FromControlMenu);
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !m_unloading)
        forms.windowActivated(this);
    if ((event->type() == QEvent::Show || event->type() == QEvent::Resize) && isWindow() && !m_unloading)
        scheduleKeepOnScreen();
    return QWidget::event(event);
}

void Form::scheduleKeepOnScreen() {
    if (m_placing)
        return;
    m_placing = true;
    // Once the window system has framed the window and the layout has settled: the frame is then
    // known, so the title bar is kept on the screen as well.
    QTimer::singleShot(0, this, [this] {
        m_placing = false;
        keepOnScreen();
    });
}

void Form::setDefaultButton(QPushButton* button) {
    if (m_defaultButton)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    if (button)
        button->setDefault(true);
}

void Form::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Enter on a focused button presses that button, as the teacher expects.
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused && focused->isEnabled()) {
            focused->click();
            return;
        }
    }
    if (enter && event->modifiers() == Qt::NoModifier && m_defaultButton && m_defaultButton->isEnabled() &&
        m_defaultButton->isVisible()) {
        m_defaultButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form::setCloseButton(QAbstractButton* button) {
    m_closeButton = button;
}

void Form::paintChosen(const QList<QPushButton*>& group, int chosen) {
    for (int i = 0; i < group.size(); ++i) {
        const bool on = i == chosen;
        group[i]->setStyleSheet(on ? QStringLiteral("color: #ff0000; font-weight: bold;")
                                   : QStringLiteral("color: #0000ff;"));
        group[i]->setProperty("appearance", on ? 1 : 3);
    }
}

QHBoxLayout* Form::buttonRow(const QList<QWidget*>& buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* b : buttons)
        row->addWidget(b);
    return row;
}
