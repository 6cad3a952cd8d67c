#include "report/rock_tip_output.h"

#include "report/fixed_field.h"
#include "run/run_context.h"

namespace vorna {
namespace {

constexpr std::string_view kHeading = "       LOAD SETTLEMENT RELATIONSHIP      ";
constexpr std::string_view kHeadingRule = "------------------------------------------   ";
constexpr std::string_view kCurveNames = "TOP  LOAD     TOP MOVEMENT     ";
constexpr std::string_view kCurveUnits = "   TONS             IN.       ";
constexpr std::string_view kCurveNamesSI = "TOP  LOAD     TOP MOVEMENT        ";
constexpr std::string_view kCurveUnitsSI = "   kN              M             ";

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

std::vector<std::string> rockTipHeadingLines()
{
    return {"", "", blanks(15) + std::string(kHeading), blanks(15) + std::string(kHeadingRule)};
}

std::vector<std::string> singleCurveTableLines(UnitSystem unitSystem, const SettlementCurve &curve)
{
    const bool si = unitSystem == UnitSystem::SI;
    std::vector<std::string> lines{"", blanks(22) + std::string(si ? kCurveNamesSI : kCurveNames),
                                   blanks(22) + std::string(si ? kCurveUnitsSI : kCurveUnits)};
    for (const SettlementPoint &p : curve)
        lines.push_back(blanks(13) + fieldE(p.topLoad, 17, 4) + fieldE(p.topMovement, 17, 4));
    return lines;
}

void writeSingleCurveTable(TextOut &report, UnitSystem unitSystem, const SettlementCurve &curve)
{
    for (const std::string &line : singleCurveTableLines(unitSystem, curve))
        report.line(line);
}

SettlementCurve runRockTip(RunContext &run, const RockTipInput &input)
{
    for (const std::string &line : rockTipHeadingLines())
        run.report.line(line);
    return std::visit(Overloaded{
                          [](const StrongRockTipInput &in) { return strongRockCurve(in); },
                          [](const DecomposedRockTipInput &in) { return decomposedRockCurve(in); },
                          [](const WeakRockTipInput &in) { return weakRockCurve(in); },
                      },
                      input);
}

} // namespace vorna
