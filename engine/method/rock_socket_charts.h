// Charts of the strong-rock socket curve: the modulus reduction for RQD, the influence
// factor of a socket, and the side load-transfer fractions of the soil walked above rock.
#pragma once

#include "method/soil_type.h"

namespace vorna {

// Em/Ei read linearly from the RQD (%); 100 keeps the intact modulus.
double rqdModulusFactor(double rqdPercent);

// Settlement influence factor of a socket with length ratio R = Lr/Bs and modulus ratio
// m = Ec/Em, read over R on the curves m = 10, 50, 100, 5000 and between them in m.
double socketInfluenceFactor(double lengthRatio, double modulusRatio);

// Load-transfer fraction of a soil layer at movement ratio w/D (not %): granular for sand
// and the gravels, cohesive for every other ground. Beyond 2 % the last value holds.
double walkTransferFraction(SoilType soil, bool upperBound, double movementRatio);

} // namespace vorna
