#include "about_box.h"

#include "file_names.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace vorna {

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *name = new QLabel(ProgramName(), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    name->setFont(big);
    auto *version = new QLabel(VersionLine(), this);
    version->setObjectName(QStringLiteral("Version"));
    auto *description = new QLabel(Description(), this);
    description->setObjectName(QStringLiteral("Comments"));
    description->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

QString TAboutBox::ProgramName()
{
    return QLatin1String(kApplicationTitle);
}

QString TAboutBox::VersionLine()
{
    return QStringLiteral("Version %1").arg(QLatin1String(kVersionText));
}

QString TAboutBox::Description()
{
    return QStringLiteral("A program for analyzing the axial capacity and short-term settlement "
                          "of drilled shafts under axial loading.");
}

} // namespace vorna
