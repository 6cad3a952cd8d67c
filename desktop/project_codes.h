// The project's choices by the integer codes the project file stores. The reader keeps any
// integer the file holds, known or not, and the writer gives it back unchanged, so these
// convert to and from the file's numbers only there.
#pragma once

#include "unit_code.h"

namespace vorna {

// The engine reads these codes into enumerations of its own, and one test program links
// both sides: an enumeration of the same name is defined here exactly as it is there.

// Tables, numeric fields and graphs take the unit system as its code (kEnglishUnits,
// kSiUnits; the last two also have a third setting that shows the unit codes themselves).
enum class UnitSystem { English = 1, SI = 2 };
constexpr int unitCode(UnitSystem system)
{
    return static_cast<int>(system);
}
static_assert(unitCode(UnitSystem::English) == kEnglishUnits &&
              unitCode(UnitSystem::SI) == kSiUnits);

enum class DesignMethod { Lrfd = 1, AllowableStress = 2 };
// What ends each diameter's depth walk: a given design load or a given design depth (the
// proposed shaft length).
enum class DesignControl { DesignLoad = 1, DesignDepth = 2 };
enum class LoadingType { Compression = 1, Uplift = 2 };

// The code a file holds as the choice, unchecked.
template <class Choice> constexpr Choice choiceFromFile(int number)
{
    return static_cast<Choice>(number);
}
template <class Choice> constexpr int fileNumber(Choice choice)
{
    return static_cast<int>(choice);
}

// The unit system of a file's code, clamped: 2 and above is SI, anything less English.
constexpr UnitSystem unitSystemFromFile(int number)
{
    return number >= kSiUnits ? UnitSystem::SI : UnitSystem::English;
}

} // namespace vorna
