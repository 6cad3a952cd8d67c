#include "load_test_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorna {

namespace {
constexpr const char *kFromHeader = "as named in the header";
constexpr LoadUnit kLoadUnits[] = {LoadUnit::Tons, LoadUnit::Kips, LoadUnit::Pounds, LoadUnit::KN,
                                   LoadUnit::MN};
constexpr SettlementUnit kSettlementUnits[] = {SettlementUnit::In, SettlementUnit::Ft,
                                               SettlementUnit::Mm, SettlementUnit::Cm,
                                               SettlementUnit::M};
} // namespace

TDlgLoadTest::TDlgLoadTest(bool hasLoadTest, TryChoice tryChoice, QWidget *parent)
    : QDialog(parent), m_tryChoice(std::move(tryChoice))
{
    setObjectName(QStringLiteral("DlgLoadTest"));
    setWindowTitle(QStringLiteral("Load Test"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("A CSV file with a column of head loads and one of head settlements,\n"
                       "e.g. \"head load (kN),head settlement (mm)\" and one line a point.")));
    auto *form = new QFormLayout;
    auto *fileRow = new QHBoxLayout;
    m_file = new QLineEdit;
    m_file->setObjectName(QStringLiteral("FileEdit"));
    m_file->setMinimumWidth(320);
    auto *browse = new QPushButton(QStringLiteral("&Browse..."));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            QFileDialog::getOpenFileName(this, QStringLiteral("Load Test"), m_file->text(),
                                         QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
        if (!chosen.isEmpty())
            m_file->setText(chosen);
    });
    fileRow->addWidget(m_file);
    fileRow->addWidget(browse);
    form->addRow(QStringLiteral("File:"), fileRow);
    m_loadUnit = new QComboBox;
    m_loadUnit->setObjectName(QStringLiteral("LoadUnit"));
    m_loadUnit->addItem(QString::fromLatin1(kFromHeader));
    for (LoadUnit unit : kLoadUnits)
        m_loadUnit->addItem(loadUnitText(unit));
    form->addRow(QStringLiteral("&Load unit:"), m_loadUnit);
    m_settlementUnit = new QComboBox;
    m_settlementUnit->setObjectName(QStringLiteral("SettlementUnit"));
    m_settlementUnit->addItem(QString::fromLatin1(kFromHeader));
    for (SettlementUnit unit : kSettlementUnits)
        m_settlementUnit->addItem(settlementUnitText(unit));
    form->addRow(QStringLiteral("&Settlement unit:"), m_settlementUnit);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton *remove =
        buttons->addButton(QStringLiteral("&Remove Load Test"), QDialogButtonBox::DestructiveRole);
    remove->setObjectName(QStringLiteral("RemoveButton"));
    remove->setEnabled(hasLoadTest);
    connect(remove, &QPushButton::clicked, this, [this] {
        m_remove = true;
        QDialog::accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgLoadTest::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

LoadTestUnits TDlgLoadTest::Units() const
{
    LoadTestUnits units;
    if (m_loadUnit->currentIndex() > 0)
        units.load = kLoadUnits[m_loadUnit->currentIndex() - 1];
    if (m_settlementUnit->currentIndex() > 0)
        units.settlement = kSettlementUnits[m_settlementUnit->currentIndex() - 1];
    return units;
}

void TDlgLoadTest::accept()
{
    if (m_file->text().trimmed().isEmpty())
        return;
    if (m_tryChoice && !m_tryChoice(m_file->text().trimmed(), Units()))
        return;
    QDialog::accept();
}

} // namespace vorna
