// The About box: program name, version and what the program is for.
#pragma once

#include <QDialog>

namespace vorna {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    static QString ProgramName();
    static QString VersionLine();
    static QString Description();
};

} // namespace vorna
