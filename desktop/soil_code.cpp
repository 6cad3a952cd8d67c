#include "soil_code.h"

#include <cassert>

namespace vorna {

namespace {

// Per code: the choice; the template's identifier, caption and location rows; the view's
// name, whether it shows the depths, the printed name; the band's name and fill; rock.
// The band names each ground type for itself, so it never reads as a contradiction of the
// layer table; decomposed rock, weak rock and gravelly sand keep their own fills.
// clang-format off
constexpr SoilCodeEntry kSoilCodes[] = {
    {SoilCode::Sand, "sand (FHWA Spec.)",
     1, "Sand Layer Data", true,
     "Sand", true, "Sand", " SAND ", 7, false},
    {SoilCode::Clay, "clay (FHWA Spec.)",
     2, "Clay Layer Data", true,
     "Clay", true, "Clay", " CLAY ", 1, false},
    {SoilCode::ClayShale, "shale (Reese &Aurora)",
     3, "Shale Layer Data", true,
     "Shale", false, "Shale", " SHALE ", 8, false},
    {SoilCode::StrongRockSideOrBase, "strong rock (FHWA - use either side friction or end bearing)",
     4, "Strong Rock Layer Data", true,
     "Strong Rock", false, "Strong Rock", " ROCK ", 9, true},
    {SoilCode::DecomposedRock, "decomposed rock/gravel (FHWA Spec.)",
     5, "Decomposed Geo. Layer Data", true,
     "Decomposed Rock", false, "Decomposed Rock", " DECOMPOSED ROCK ", 10, true},
    {SoilCode::WeakRock, "weak rock (FHWA Spec.)",
     6, "Weak Rock Layer Data", true,
     "Weak Rock", false, "Soft Rock", " WEAK ROCK ", 12, true},
    {SoilCode::StrongRock, "strong rock (side friction+end bearing)",
     7, "Strong Rock Layer Data", true,
     "Strong Rock", false, "Strong Rock", " ROCK ", 9, true},
    {SoilCode::GravellySand, "gravelly sand (Rollins et al)",
     31, "Gravelly Sand Layer Data", false,
     "Gravelly Sand", true, "Gravelly Sand", " GRAVELLY SAND ", 11, false},
    {SoilCode::Gravel, "gravel (Rollins et al)",
     32, "Gravel Layer Data", false,
     "Gravel", true, "Gravel", " GRAVEL ", 12, false},
};
// clang-format on

constexpr bool inCodeOrder()
{
    for (std::size_t i = 0; i < std::size(kSoilCodes); ++i) {
        if (soilCodeNumber(kSoilCodes[i].code) != static_cast<int>(i) + 1)
            return false;
    }
    return true;
}
static_assert(inCodeOrder(), "the table is indexed by code - 1");

} // namespace

std::span<const SoilCodeEntry> soilCodes()
{
    return kSoilCodes;
}

std::optional<SoilCode> soilCodeFromNumber(int number)
{
    if (number < 1 || number > static_cast<int>(std::size(kSoilCodes)))
        return std::nullopt;
    return static_cast<SoilCode>(number);
}

const SoilCodeEntry &soilCodeEntry(SoilCode code)
{
    const int index = soilCodeNumber(code) - 1;
    assert(index >= 0 && index < static_cast<int>(std::size(kSoilCodes)) && "not a soil code");
    return kSoilCodes[static_cast<std::size_t>(index)];
}

} // namespace vorna
