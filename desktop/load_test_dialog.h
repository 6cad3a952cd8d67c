// Graphics > Load Test...: choose the CSV file of a static load test and, when its header
// does not name them, the units of its loads and settlements; or remove the load test.
#pragma once

#include "load_test.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vorna {

class TDlgLoadTest : public QDialog {
    Q_OBJECT

public:
    // Tries a choice: true when the file was read and taken; false keeps the dialog open
    // (the caller has said why).
    using TryChoice = std::function<bool(const QString &fileName, const LoadTestUnits &units)>;

    // The Remove button is enabled when the project has a load test.
    TDlgLoadTest(bool hasLoadTest, TryChoice tryChoice, QWidget *parent = nullptr);

    QLineEdit &FileEdit() { return *m_file; }
    QComboBox &LoadUnitBox() { return *m_loadUnit; }
    QComboBox &SettlementUnitBox() { return *m_settlementUnit; }
    LoadTestUnits Units() const;
    // Set when the dialog ended with Remove.
    bool RemoveChosen() const { return m_remove; }

    void accept() override;

private:
    QLineEdit *m_file = nullptr;
    QComboBox *m_loadUnit = nullptr;
    QComboBox *m_settlementUnit = nullptr;
    TryChoice m_tryChoice;
    bool m_remove = false;
};

} // namespace vorna
