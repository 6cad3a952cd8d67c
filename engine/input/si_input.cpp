#include "input/si_input.h"

#include "method/units.h"

namespace vorna {

void convertSiInput(InputData &in)
{
    in.P *= kTonsPerKN;
    in.WTD *= kFtPerM;
    in.DGH *= kFtPerM;
    in.DSTART *= kFtPerM;
    in.DIALIM *= kFtPerM;
    in.TOPLEN *= kFtPerM;
    in.BS *= kFtPerM;
    for (LayerInput &layer : in.layers) {
        layer.topDepth *= kFtPerM;
        layer.DEPTH *= kFtPerM;
        for (int end : {kTop, kBottom}) {
            layer.GAMMA[end] *= kPcfPerKNPerM3;
            layer.CU[end] *= kPsfPerKPa;
            // The "no limit" value is converted too: the echo divides it back.
            layer.TRANLM[end] *= kPsfPerKPa;
            layer.maxEndBearing[end] *= kPsfPerKPa;
            layer.QUR[end] *= kPsfPerKPa;
            layer.QUCON[end] *= kPsfPerKPa;
            layer.CS[end] *= kFtPerM;
            layer.DISCT[end] *= kFtPerM;
            layer.BDS[end] *= kFtPerM;
        }
    }
}

double enteredModulusTsf(double entered, UnitSystem unitSystem)
{
    return unitSystem == UnitSystem::SI ? kPaToTsf(entered) : psiToTsf(entered);
}

double enteredConcreteModulusPsi(double Ec, UnitSystem unitSystem)
{
    return unitSystem == UnitSystem::SI ? Ec / kKPaPerPsiConcrete : Ec;
}

double enteredSlumpIn(double slump, UnitSystem unitSystem)
{
    return unitSystem == UnitSystem::SI ? slumpMToIn(slump) : slump;
}

double outputIncrementFt(const InputData &input)
{
    return input.isSI() ? input.outputIncrement * kFtPerM : input.outputIncrement;
}

} // namespace vorna
