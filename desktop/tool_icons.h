// Tool bar pictures: the system's standard icons for the file commands, small drawings of
// our own for the rest.
#pragma once

#include <QIcon>

class QStyle;

namespace vorna {

enum class ToolIcon {
    NewFile,
    OpenFile,
    SaveFile,
    Run,
    SoilLayers,
    ViewOutput,
    SoilProfile,
    CombinedUltimate,
    CombinedFactored,
    LoadSettlement,
};

QIcon toolIcon(ToolIcon kind, const QStyle &style);

} // namespace vorna
