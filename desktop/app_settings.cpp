#include "app_settings.h"

#include "file_names.h"
#include "recent_files.h"

#include <QSettings>

namespace vorna {

namespace {

const QString kWordProcessorName = QStringLiteral("Word Processor");

QString fileValueName(int i)
{
    return QStringLiteral("File%1").arg(i + 1);
}

// One group per program version, so a later version starts with its own settings.
QString group()
{
    return QLatin1String(kVersionText);
}

} // namespace

AppSettings::AppSettings()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                             QStringLiteral("Vorna"),
                                             QLatin1String(kApplicationTitle)))
{}

AppSettings::AppSettings(const QString &iniFileName)
    : m_settings(std::make_unique<QSettings>(iniFileName, QSettings::IniFormat))
{}

AppSettings::~AppSettings() = default;

bool AppSettings::Exists() const
{
    m_settings->beginGroup(group());
    const bool exists = !m_settings->childKeys().isEmpty();
    m_settings->endGroup();
    return exists;
}

QString AppSettings::WordProcessor() const
{
    m_settings->beginGroup(group());
    const QString value = m_settings->value(kWordProcessorName).toString();
    m_settings->endGroup();
    return value;
}

bool AppSettings::Read(Values &values) const
{
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        return false;
    m_settings->beginGroup(group());
    values.wordProcessor = m_settings->value(kWordProcessorName).toString();
    values.files.clear();
    for (int i = 0; i < RecentFiles::kSize; ++i)
        values.files << m_settings->value(fileValueName(i)).toString();
    m_settings->endGroup();
    return true;
}

void AppSettings::Write(const Values &values)
{
    m_settings->beginGroup(group());
    m_settings->setValue(kWordProcessorName, values.wordProcessor);
    for (int i = 0; i < RecentFiles::kSize; ++i)
        m_settings->setValue(fileValueName(i),
                             i < values.files.size() ? values.files[i] : QString());
    m_settings->endGroup();
    m_settings->sync();
}

} // namespace vorna
