// Base of the windows that edit project data (data dialogs, table windows). Such a window
// loads its fields when it becomes the active window and writes them back when it stops
// being active, when it closes and when the main window asks before a command.
#pragma once

#include <QPointer>
#include <QWidget>

class QMdiArea;
#include <QMdiSubWindow>

namespace vorna {

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(QWidget *parent = nullptr);

    // The deactivation step: writes the window's entries into the data it edits. False when
    // an entry is invalid: its message has been shown, the focus is back on it and nothing
    // was stored. The main window calls it on the active child before every command.
    virtual bool commit() = 0;
    // The activation step: loads the fields from the data, in its current unit system.
    virtual void refresh() {}

    // The MDI frame that holds the window, or nullptr for a top-level window.
    QMdiSubWindow *subWindow() const;
    // Shows the window and makes it the active one (its MDI frame, or itself).
    void bringToFront();
    // Closes the window together with its MDI frame. False when the window refused.
    bool closeWindow();
    // While held, losing the activation stores nothing: the program itself is changing the
    // data the window shows (a unit switch) and reloads the window afterwards, so the fields
    // still hold values of the old state.
    void holdCommits(bool hold) { m_commitsHeld = hold; }

signals:
    // An edit changed the data (the project's or a table's modified state was set).
    void dataModified();

protected:
    bool event(QEvent *event) override;

private:
    void activationChanged(bool active);
    void watchSubWindow();

    bool m_active = false;
    bool m_committing = false;
    bool m_commitsHeld = false;
    bool m_pausedByModal = false; // skip the next refresh
    QPointer<QMdiSubWindow> m_watched;
};

// Adds the window to the MDI area unless it is there already, then shows and activates it.
void showInArea(QMdiArea *area, ChildWindow *window);

} // namespace vorna
