#include "file_names.h"

#include <QDir>
#include <QFileInfo>

namespace vorna {

QString displayName(const QString &fileName)
{
    QString name = QFileInfo(fileName).fileName();
    const QString extension = QStringLiteral(".") + QLatin1String(kProjectExtension);
    if (name.endsWith(extension, Qt::CaseInsensitive) && name.indexOf(u'.') >= 0)
        name.truncate(name.indexOf(u'.'));
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

QString mainWindowCaption(const QString &fileName)
{
    return QStringLiteral("VORNA %1 - %2").arg(QLatin1String(kVersionText), displayName(fileName));
}

bool isResultExtension(const QString &suffix)
{
    const QString lower = suffix.toLower();
    return lower == QLatin1String("vro") || lower == QLatin1String("vrp") ||
           lower == QLatin1String("vrr");
}

QString withExtension(const QString &fileName, const QString &extension)
{
    const qsizetype nameStart =
        std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < nameStart)
        return fileName + extension;
    return fileName.left(dot) + extension;
}

QString commandLineProjectName(const QString &argument)
{
    if (QFileInfo(argument).fileName().contains(u'.'))
        return argument;
    return argument + QStringLiteral(".") + QLatin1String(kProjectExtension);
}

QString recentFileCaption(int index, const QString &entry, const QString &currentFolder)
{
    QString shown = entry;
    for (const QString &folder : {QDir::fromNativeSeparators(currentFolder) + u'/',
                                  QDir::toNativeSeparators(currentFolder) + u'\\'}) {
        const qsizetype at = shown.indexOf(folder);
        if (at >= 0) {
            shown = shown.mid(at + folder.size());
            break;
        }
    }
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("%1 %2").arg(index + 1).arg(shown);
}

} // namespace vorna
