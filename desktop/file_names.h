// Names the main window derives from the project file name: the display name in the
// caption, the engine's output files, the command-line argument and the recent-files menu.
#pragma once

#include <QString>

namespace vorna {

inline constexpr const char *kApplicationTitle = "Vorna 2012";
// The build passes the project version, so the About box, the caption, names.dat and
// `vorna --version` all show one number.
inline constexpr const char *kVersionText = VORNA_VERSION;
inline constexpr const char *kProjectExtension = "vrd";

// The file name without folder; a ".vrd" name (any case) loses everything from its first
// "." on, and the first character is made upper-case: "job.VRD" gives "Job", "a.b.vrd" "A".
QString displayName(const QString &fileName);

// "VORNA 2012.7.10 - " and the display name.
QString mainWindowCaption(const QString &fileName);

// True for the extensions of a run's results, without the dot and in any case: vro, vrp,
// vrr. A project under such a name would be overwritten by its own run.
bool isResultExtension(const QString &suffix);

// The name with its extension replaced, extension given with its dot: ".vro". A name
// without extension gets it appended.
QString withExtension(const QString &fileName, const QString &extension);

// The project file a command-line argument names: ".vrd" is appended when the file name
// part has no ".", so "job" means job.vrd and "../runs/job" means ../runs/job.vrd.
QString commandLineProjectName(const QString &argument);

// Caption of recent-files slot index (0-based): "1 " and the entry, shown without the
// current folder when it lies there. "&" is doubled so that it shows as itself.
QString recentFileCaption(int index, const QString &entry, const QString &currentFolder);

} // namespace vorna
