// Unit conversions of the engine. The analysis computes in ft, tons (2000 lb), psf, tsf
// and pcf; SI input is converted once on reading and converted back only for printing.
#pragma once

namespace vorna {

inline constexpr double kFtPerM = 3.2808;         // lengths, depths, diameters
inline constexpr double kTonsPerKN = 0.1124;      // loads
inline constexpr double kPsfPerKPa = 20.885;      // stresses and strengths
inline constexpr double kPcfPerKNPerM3 = 6.3659;  // unit weights
inline constexpr double kCuYdPerCuM = 1.3078;     // volumes (printing)
inline constexpr double kSqMPerSqIn = 0.00064516; // areas of steel (printing)
inline constexpr double kPsfPerTsf = 2000.0;
inline constexpr double kSqInPerSqFt = 144.0;
inline constexpr double kPcfWater = 62.4;
inline constexpr double kPsfAtmosphere = 2116.8;
inline constexpr double kPi = 3.142;               // stem and base areas, perimeter, volumes
inline constexpr double kDegreesPerRadian = 57.29; // friction and bell angles
inline constexpr double kNoLimit = 1.0e10;         // a zero maximum means no limit
inline constexpr double kInPerFt = 12.0;
inline constexpr double kMmPerIn = 25.4;
inline constexpr double kKPaPerKsf = 47.88; // the weak-rock base formula works in kPa and mm
inline constexpr double kPsfPerKsf = 1000.0;
inline constexpr double kPsfPerPsi = 144.0;
inline constexpr double kCuFtPerCuYd = 27.0;
inline constexpr double kPcfConcrete = 150.0;

// Load-settlement and rock-socket methods. They work in inches, pounds and psi (or feet
// and tons) and carry their own, slightly different, rounded factors and pi.
inline constexpr double kLbPerTon = 2000.0;
inline constexpr double kInPerM = 39.37;  // load-settlement results
inline constexpr double kMPerIn = 0.0254; // load-transfer curve listing
inline constexpr double kNPerLb = 4.448;
inline constexpr double kNPerKN = 1000.0;
inline constexpr double kKPaPerPsi = 6.895;         // load-transfer curve listing
inline constexpr double kKPaPerPsiConcrete = 6.894; // SI concrete modulus of the t-z analysis
inline constexpr double kKNPerTon = 8.896;          // rock-socket curves
inline constexpr double kPiFine = 3.1416;           // t-z analysis and socket methods
inline constexpr double kQuarterPi = 0.7854;
inline constexpr double kPsfAtmosphereGeomaterial = 2115.7; // intermediate geomaterials
// The smooth weak-rock socket scales its side resistance by tan(interface friction) over the
// tangent of its reference angle, 30 degrees written as 0.5236 rad.
inline constexpr double kSmoothSocketReferenceAngleRad = 0.5236;

// English moduli are entered in psi, SI moduli in kPa; the analysis holds them in tsf.
constexpr double psiToTsf(double psi)
{
    return psi * kSqInPerSqFt / kPsfPerTsf;
}
constexpr double kPaToTsf(double kPa)
{
    return kPa * kPsfPerKPa / kPsfPerTsf;
}
constexpr double psfToTsf(double psf)
{
    return psf / kPsfPerTsf;
}
constexpr double tsfToPsf(double tsf)
{
    return tsf * kPsfPerTsf;
}
constexpr double tsfToPsi(double tsf)
{
    return tsf * kPsfPerTsf / kSqInPerSqFt;
}
constexpr double psfToPsi(double psf)
{
    return psf / kPsfPerPsi;
}
constexpr double psiToPsf(double psi)
{
    return psi * kPsfPerPsi;
}
// Two rounded ways of turning degrees into radians: friction and bell angles divide by
// kDegreesPerRadian, the smooth weak-rock socket takes its interface friction with kPiFine.
constexpr double degToRad(double deg)
{
    return deg / kDegreesPerRadian;
}
constexpr double socketDegToRad(double deg)
{
    return deg * kPiFine / 180.0;
}

// The weight of a concrete volume in tons (uplift).
constexpr double concreteWeightTons(double volumeCuYd)
{
    return volumeCuYd * kCuFtPerCuYd * kPcfConcrete / kLbPerTon;
}

// For printing moduli in the input's units again.
constexpr double tsfToKPa(double tsf)
{
    return tsf * kPsfPerTsf / kPsfPerKPa;
}

// SI slump is given in metres; the weak-rock method reads its chart in inches.
constexpr double slumpMToIn(double m)
{
    return m * 1000.0 / 25.4;
}

} // namespace vorna
