// Report blocks of the soil profile: the factors of safety, the soil information echo of
// every layer, and the messages the side and base methods write at the steps of the walk.
#pragma once

#include <string>
#include <vector>

namespace vorna {

struct InputData;
struct RunContext;
struct SideStep;
struct SoilLayer;
struct SoilProfile;
struct StepDataCheck;

// Allowable stress design only: FST and FSB, to the console and the report.
void writeFactorsOfSafety(RunContext &run);

// The block of one layer (number 1 for the top layer), values in the input's units.
std::vector<std::string> soilInformationLines(const InputData &input, const SoilLayer &layer,
                                              int number);

// The soil information of every layer: each layer's block to the console, then the report.
void writeSoilInformation(RunContext &run, const SoilProfile &profile);

// Missing sand strength and unit weight at a step, to the run-time file.
void writeStepDataMessages(RunContext &run, const StepDataCheck &check);

// The clay N-value warning (report) and the gravel criterion warning (report and run-time
// file) of a side step.
void writeSideStepMessages(RunContext &run, const SideStep &step);

// Decomposed rock reached without effective stress: error block, run ends.
[[noreturn]] void stopOnNoEffectiveStress(RunContext &run, int layerNumber, double depthFt);

// No room below the shortest shaft for the two-diameter base zone, to the run-time file.
void writeIncreaseSoilDepth(RunContext &run);

} // namespace vorna
