// Information boxes. Every message the user sees from the data-entry windows goes through
// informUser, so that tests can take the messages instead of a box that waits for a click.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace vorna {

// Shows the message in an information box with a single OK button. A "\r" in the program's
// message texts is a line break.
void informUser(QWidget *owner, const QString &message);

// While an interceptor lives, messages go to its handler instead of a box. Interceptors nest;
// the newest one receives the messages. Meant for tests.
class MessageInterceptor {
public:
    explicit MessageInterceptor(std::function<void(const QString &)> handler);
    ~MessageInterceptor();
    MessageInterceptor(const MessageInterceptor &) = delete;
    MessageInterceptor &operator=(const MessageInterceptor &) = delete;

private:
    std::function<void(const QString &)> m_handler;
    MessageInterceptor *m_previous;
    friend void informUser(QWidget *, const QString &);
};

} // namespace vorna
