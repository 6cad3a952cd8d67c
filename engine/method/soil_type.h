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

// Values this small count as not entered: a blank entry reads as zero.
inline constexpr double kNotEntered = 0.00001;

// Code 4 whose rock or concrete strength is at or below 1000 psi carries side resistance
// only; above it, end bearing only.
inline constexpr double kCodeFourSideOnlyLimitPsf = 144000.0; // 1000 psi

// The lesser of the rock and the concrete strength decides which resistance code 4 carries.
constexpr bool isCodeFourSideOnly(double weakerStrengthPsf)
{
    return weakerStrengthPsf <= kCodeFourSideOnlyLimitPsf;
}

// Codes 4 to 7: a tip in any of them is a rock or intermediate-geomaterial tip, with no
// load-settlement curve of its own.
constexpr bool isRockOrGeomaterial(SoilType t)
{
    return t == SoilType::StrongRockSideOrBase || t == SoilType::DecomposedRock ||
           t == SoilType::WeakRock || t == SoilType::StrongRock;
}
// Sand and the gravels (codes 1, 8 and 9).
constexpr bool isGranular(SoilType t)
{
    return t == SoilType::Sand || t == SoilType::GravellySand || t == SoilType::Gravel;
}
// Clay and clay shale (codes 2 and 3): undrained strength, no friction angle.
constexpr bool isCohesive(SoilType t)
{
    return t == SoilType::Clay || t == SoilType::ClayShale;
}
// A weak-rock socket is measured from the top of the first layer of code 6 or 7; the
// gravels are soil and start none.
constexpr bool startsWeakRockSocket(SoilType t)
{
    return t == SoilType::WeakRock || t == SoilType::StrongRock;
}
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
