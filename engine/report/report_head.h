// The head of the output report: banner, file names, date and time of the run.
#pragma once

#include "vornacalc/engine.h"

#include <string>
#include <string_view>

namespace vorna {

class TextOut;

// A file name split as the report shows it. This platform has no drive letters, so the
// drive part stays empty unless the name starts with a letter and a colon. Both "/" and
// "\" separate folders.
struct SplitFileName {
    std::string drive;     // up to 3 characters
    std::string directory; // up to and including the last separator
    std::string baseName;
    std::string extension; // dot included, at most 5 characters
};
SplitFileName splitFileName(std::string_view name);

void writeBanner(TextOut &report, std::string_view versionText);
void writeFileNames(TextOut &report, const RunFiles &files);
void writeDateTime(TextOut &report, const LocalDateTime &when);

} // namespace vorna
