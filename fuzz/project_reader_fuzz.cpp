// libFuzzer target: the project file reader on arbitrary bytes, in both layouts. Whatever
// it loads must save, the saved file must load and save again to the same bytes, and the
// elevation view must be drawable from it.
#include "errors.h"
#include "program_data.h"
#include "program_tables.h"
#include "side_view_geometry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace {

const QString &folder()
{
    static const QString path = [] {
        const QString p =
            QDir::tempPath() + QStringLiteral("/vorna-fuzz-project-%1").arg(::getpid());
        QDir().mkpath(p);
        return p;
    }();
    return path;
}

QByteArray readAll(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

// The elevation view of a project, mapped to a window as the view paints it.
void drawSideView(const vorna::TProgramData &project, const vorna::ProgramTables &tables)
{
    const vorna::SideViewShape shape = vorna::buildSideView(vorna::sideViewInput(project, tables));
    const std::optional<vorna::Extents> range = vorna::viewRange(shape.extents, 640, 480);
    if (!range)
        return;
    for (const vorna::Outline &outline : shape.outlines)
        for (const QPointF &p : outline) {
            (void)vorna::pixelX(p.x(), *range, 640);
            (void)vorna::pixelY(p.y(), *range, 480);
        }
    for (const vorna::SoilBand &band : shape.layers)
        (void)vorna::pixelY(band.bottomDepth + shape.stickUp, *range, 480);
}

// Loads fileName and saves it as savedName; the saved bytes.
QByteArray loadAndSave(const QString &fileName, vorna::ProjectLayout layout,
                       const QString &savedName)
{
    vorna::ProgramTables tables;
    QStringList messages;
    vorna::TProgramData project =
        vorna::TProgramData::CreateFromFile(fileName, layout, tables, messages);
    drawSideView(project, tables);
    project.fileName = savedName;
    project.SaveToFile(tables);
    return readAll(savedName);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the layout; the rest is the file.
    const vorna::ProjectLayout layout =
        (data[0] & 1) ? vorna::ProjectLayout::Older : vorna::ProjectLayout::Current;
    const QString input = folder() + QStringLiteral("/input.vrd");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data + 1), static_cast<qint64>(size - 1));
    }
    const QString first = folder() + QStringLiteral("/first.vrd");
    const QString second = folder() + QStringLiteral("/second.vrd");
    const QByteArray saved = loadAndSave(input, layout, first);
    if (loadAndSave(first, vorna::ProjectLayout::Current, second) != saved)
        std::abort();
    return 0;
}
