// Ground types of the layer table: file code, printed name, and which record each reads.
#pragma once

#include <optional>
#include <string_view>

namespace vorna {

enum class SoilType {
    Sand = 1,
    Clay = 2,
    ClayShale = 3,
    StrongRockSideOrBase = 4,
    DecomposedRock = 5,
    WeakRock = 6,
    StrongRock = 7,
    GravellySand = 8,
    Gravel = 9,
};

// Type text of the soil information block ("----SAND"), in the order of the codes.
std::string_view soilTypeText(SoilType type);

// The code as read (a real) to a type; nullopt for anything but the exact values 1 to 9.
std::optional<SoilType> soilTypeFromCode(double code);

constexpr bool isRockSocket(SoilType t)
{
    return t == SoilType::StrongRockSideOrBase || t == SoilType::StrongRock;
}
constexpr bool isSoilWithCoefficient(SoilType t)
{
    return t == SoilType::Sand || t == SoilType::Clay || t == SoilType::ClayShale;
}
constexpr bool isGravel(SoilType t)
{
    return t == SoilType::GravellySand || t == SoilType::Gravel;
}

} // namespace vorna
