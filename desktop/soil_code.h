// The soil type codes of the soil layer table, as the project file stores them, and what the
// desktop shows of each ground type, one row per code. A new type also needs its parameter
// columns (program_tables) and its layer lines (project_file), which switch over the code.
#pragma once

#include <optional>
#include <span>

namespace vorna {

enum class SoilCode {
    Sand = 1,
    Clay = 2,
    ClayShale = 3,
    StrongRockSideOrBase = 4, // side friction or end bearing
    DecomposedRock = 5,
    WeakRock = 6,
    StrongRock = 7, // side friction and end bearing
    GravellySand = 8,
    Gravel = 9,
};

struct SoilCodeEntry {
    SoilCode code;
    const char *choiceText;      // the "Soil Type" choice of the soil layer table
    int templateIdentifier;      // Identifier of the layer's parameter table template
    const char *templateCaption; // caption of that template
    bool templateLocationRows;   // template rows "Location, 1=Top, 2=Bottom", hardwired button
    const char *viewName;        // elevation view label
    bool viewShowsDepths;        // on screen the label gives the depth range too
    const char *printName;       // elevation view label on paper, after the depth range
    const char *bandName;        // soil band of the result graphs
    int bandFill;                // fill code of the band (hatch_patterns.h)
    bool isRock;                 // a rock or geomaterial: no load-settlement curves
};

// Every code, in the order of the codes (which is the order of the choices).
std::span<const SoilCodeEntry> soilCodes();

const SoilCodeEntry &soilCodeEntry(SoilCode code);

// The code the file or the table holds; nullopt for anything but 1 to 9.
std::optional<SoilCode> soilCodeFromNumber(int number);
constexpr int soilCodeNumber(SoilCode code)
{
    return static_cast<int>(code);
}

} // namespace vorna
