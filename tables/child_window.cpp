#include "child_window.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace vorna {

ChildWindow::ChildWindow(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

QMdiSubWindow *ChildWindow::subWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void ChildWindow::bringToFront()
{
    if (QMdiSubWindow *frame = subWindow()) {
        frame->show();
        if (QMdiArea *area = frame->mdiArea())
            area->setActiveSubWindow(frame);
        return;
    }
    show();
    raise();
    activateWindow();
}

bool ChildWindow::closeWindow()
{
    if (QMdiSubWindow *frame = subWindow())
        return frame->close();
    return close();
}

bool ChildWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        watchSubWindow();
        break;
    case QEvent::ActivationChange:
        if (!subWindow())
            activationChanged(isActiveWindow());
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void ChildWindow::watchSubWindow()
{
    QMdiSubWindow *frame = subWindow();
    if (frame == m_watched)
        return;
    if (m_watched)
        disconnect(m_watched, nullptr, this, nullptr);
    m_watched = frame;
    if (!frame)
        return;
    connect(frame, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates now) {
                activationChanged(now.testFlag(Qt::WindowActive));
            });
}

// A modal box (a message of this window, a file dialog) takes the activation for a while:
// the window neither stores nor reloads around it, so a typed entry survives the box. The
// same holds when the window comes back after refusing an entry.
void ChildWindow::activationChanged(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        if (std::exchange(m_pausedByModal, false))
            return;
        refresh();
        return;
    }
    if (m_committing || m_commitsHeld || !isVisible())
        return;
    if (QApplication::activeModalWidget() && QApplication::activeModalWidget() != window()) {
        m_pausedByModal = true;
        return;
    }
    m_committing = true;
    const bool stored = commit();
    m_committing = false;
    if (!stored) {
        // Deactivation re-shows the window, with the refused entry as typed, so the user can
        // correct it.
        m_pausedByModal = true;
        QMetaObject::invokeMethod(this, &ChildWindow::bringToFront, Qt::QueuedConnection);
    }
}

void showInArea(QMdiArea *area, ChildWindow *window)
{
    if (area && !window->subWindow()) {
        // A single border with a system menu, minimize and close: the windows size
        // themselves to their contents.
        QMdiSubWindow *frame = area->addSubWindow(
            window, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->bringToFront();
}

} // namespace vorna
