#include "run/analysis.h"

#include "input/input_file.h"
#include "input/profile_checks.h"
#include "method/soil_profile.h"
#include "report/soil_report.h"
#include "run/capacity_driver.h"
#include "run/run_context.h"

namespace vorna {

void analyse(RunContext &run, std::string_view inputContent)
{
    readInputFile(run, inputContent);
    checkProfileInput(run);
    SoilProfile profile = prepareSoilProfile(run.input);
    writeFactorsOfSafety(run);
    writeSoilInformation(run, profile);
    // The echo shows the limits as entered; every diameter walks them snapped.
    writeLayersWithoutThickness(run, snapLayerLimits(profile));
    runCapacityAnalysis(run, profile);
}

} // namespace vorna
