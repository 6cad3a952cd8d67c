#include "method/soil_type.h"

namespace vorna {

std::string_view soilTypeText(SoilType type)
{
    switch (type) {
    case SoilType::Sand:
        return "----SAND";
    case SoilType::Clay:
        return "----CLAY";
    case SoilType::ClayShale:
        return "----CLAY SHALE";
    case SoilType::StrongRockSideOrBase:
    case SoilType::StrongRock:
        return "----STRONG ROCK";
    case SoilType::DecomposedRock:
        return "----DECOMPOSED ROCK";
    case SoilType::WeakRock:
        return "----WEAK ROCK";
    case SoilType::GravellySand:
        return "----GRAVELLEY SAND";
    case SoilType::Gravel:
        return "----GRAVEL";
    }
    return {};
}

std::optional<SoilType> soilTypeFromCode(double code)
{
    for (int c = 1; c <= 9; ++c)
        if (code == static_cast<double>(c))
            return static_cast<SoilType>(c);
    return std::nullopt;
}

} // namespace vorna
