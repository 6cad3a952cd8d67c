// The program's per-user settings: the text viewer ("Word Processor") and the ten recent
// files ("File1" to "File10"), in one group per program version.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace vorna {

class AppSettings {
public:
    struct Values {
        QString wordProcessor;
        QStringList files; // ten entries, empty ones included
    };

    // The user's settings of this program ("Vorna", "Vorna 2012").
    AppSettings();
    // Settings kept in one file, for tests.
    explicit AppSettings(const QString &iniFileName);
    ~AppSettings();
    AppSettings(const AppSettings &) = delete;
    AppSettings &operator=(const AppSettings &) = delete;

    // True when the program's group holds any value.
    bool Exists() const;
    // "Word Processor", empty when unset or unreadable.
    QString WordProcessor() const;
    // Everything; false when the settings could not be read.
    bool Read(Values &values) const;
    // Writes the text viewer and all ten file entries; failures are ignored.
    void Write(const Values &values);

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace vorna
