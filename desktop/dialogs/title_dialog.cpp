#include "title_dialog.h"

#include "program_data.h"
#include "user_message.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vorna {

TfrmTitle::TfrmTitle(TProgramData &project, QWidget *parent)
    : TDataDialog(project, QStringLiteral("Project Title"), parent)
{
    auto *label = new QLabel(QStringLiteral("Enter line of text for project description:"), this);
    m_title = new QLineEdit(this);
    m_title->setMaxLength(kMaxTitleLength);
    m_title->setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    label->setBuddy(m_title);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_title);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

bool TfrmTitle::commit()
{
    for (const char32_t character : m_title->text().toUcs4()) {
        if (character <= 0xFF)
            continue;
        const QString code = QStringLiteral("%1")
                                 .arg(static_cast<uint>(character), 4, 16, QLatin1Char('0'))
                                 .toUpper();
        informUser(this, QStringLiteral("The title cannot hold the character \"%1\" (U+%2): the "
                                        "project file keeps only Latin-1 characters.\rReplace "
                                        "or remove it.")
                             .arg(QString::fromUcs4(&character, 1), code));
        m_title->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return TDataDialog::commit();
}

void TfrmTitle::loadFields()
{
    m_title->setText(project().title);
}

void TfrmTitle::storeFields()
{
    if (m_title->text() == project().title)
        return;
    project().title = m_title->text();
    markModified();
}

} // namespace vorna
