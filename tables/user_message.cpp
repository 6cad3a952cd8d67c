#include "user_message.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace vorna {

namespace {
// The single test seam of the user interface: the innermost live interceptor, if any.
MessageInterceptor *g_interceptor = nullptr;
} // namespace

void informUser(QWidget *owner, const QString &message)
{
    if (g_interceptor) {
        g_interceptor->m_handler(message);
        return;
    }
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QMessageBox::information(owner, QGuiApplication::applicationDisplayName(), text,
                             QMessageBox::Ok);
}

MessageInterceptor::MessageInterceptor(std::function<void(const QString &)> handler)
    : m_handler(std::move(handler)), m_previous(g_interceptor)
{
    g_interceptor = this;
}

MessageInterceptor::~MessageInterceptor()
{
    g_interceptor = m_previous;
}

} // namespace vorna
