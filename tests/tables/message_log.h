// Collects the information-box messages of a GUI test instead of showing boxes.
#pragma once

#include "user_message.h"

#include <QStringList>

namespace vorna::test {

class MessageLog {
public:
    MessageLog() : m_interceptor([this](const QString &message) { messages.append(message); }) {}

    QString takeLast() { return messages.isEmpty() ? QString() : messages.takeLast(); }

    QStringList messages;

private:
    MessageInterceptor m_interceptor;
};

} // namespace vorna::test
