#include "analysis.h"

#include "capacity_driver.h"
#include "input_file.h"
#include "profile_checks.h"
#include "run_context.h"
#include "soil_profile.h"
#include "soil_report.h"

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
