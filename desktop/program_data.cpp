#include "program_data.h"

#include "grid_table.h"
#include "program_tables.h"

#include <algorithm>

namespace vorna {

namespace {

constexpr double kFtPerM = 3.280839895;
constexpr double kMPerFt = 0.3048;
constexpr double kPsiPerKPa = 224.8089237 / (39.37007874 * 39.37007874);
constexpr double kKPaPerPsi = 0.00444822199911631 / (0.0254 * 0.0254);
constexpr double kTonsPerKN = 0.1124044745;
constexpr double kKNPerTon = 8.896442997026778;

// Empties a table and gives it its minimum rows of defaults.
void resetRows(TGridTable &table)
{
    table.SetRowCount(0);
    table.SetRowCount(table.MinRows());
}

} // namespace

TProgramData TProgramData::CreateNew(ProgramTables &tables)
{
    TProgramData project;
    project.ChangeUnits(UnitSystem::English, tables);
    for (TGridTable *table : tables.All())
        resetRows(*table);
    tables.SetDesignMethod(project.designMethod);
    project.SetModified(false, tables);
    return project;
}

void TProgramData::ApplyDesignControl()
{
    designControl = proposedLength > 0.0 ? DesignControl::DesignDepth : DesignControl::DesignLoad;
    if (designControl == DesignControl::DesignLoad)
        proposedLength = 0.0;
    else
        designLoad = 0.0;
}

void TProgramData::ChangeUnits(UnitSystem system, ProgramTables &tables)
{
    if (system != unitSystem) {
        const bool toSi = system == UnitSystem::SI;
        const double length = toSi ? kMPerFt : kFtPerM;
        for (ShaftProperty p :
             {kMinDiameter, kMaxDiameter, kTopExclusion, kBottomExclusion, kWaterTableDepth})
            shaftProperties[p] *= length;
        proposedLength *= length;
        shaftProperties[kShaftModulus] *= toSi ? kKPaPerPsi : kPsiPerKPa;
        designLoad *= toSi ? kKNPerTon : kTonsPerKN;
    }
    unitSystem = system;
    for (TGridTable *table : tables.All())
        table->SetUnits(unitCode(system));
}

bool TProgramData::IsModified(const ProgramTables &tables) const
{
    const auto all = tables.All();
    return modified ||
           std::any_of(all.begin(), all.end(), [](const TGridTable *t) { return t->IsModified(); });
}

void TProgramData::SetModified(bool value, ProgramTables &tables)
{
    modified = value;
    if (value)
        return;
    for (TGridTable *table : tables.All())
        table->SetModified(false);
}

} // namespace vorna
