#include "program_data.h"

#include "grid_table.h"
#include "program_tables.h"
#include "project_file.h"
#include "word_reader.h"

#include <QFileInfo>

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

TProgramData TProgramData::CreateFromFile(const QString &fileName, ProjectLayout layout,
                                          ProgramTables &tables, QStringList &messages)
{
    TWordReader reader = TWordReader::fromFile(fileName);
    TProgramData project = CreateNew(tables);
    project.fileName = fileName;
    for (TGridTable *table : tables.All())
        table->SetRowCount(0);
    readProject(reader, layout, project, tables, messages);
    // Every message tells of something in the file that the project does not hold.
    project.readInPart = !messages.isEmpty();
    project.fileDigest = vorna::fileDigest(fileName);
    for (TGridTable *table : tables.All()) {
        if (table->RowCount() < table->MinRows())
            table->SetRowCount(table->MinRows());
    }
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

void TProgramData::SaveToFile(ProgramTables &tables,
                              const std::function<bool(QFileDevice &)> &flush)
{
    // The design control follows from the values only once the file holds them, so a
    // failed save leaves the project as it was.
    TProgramData saved = *this;
    saved.ApplyDesignControl();
    const QByteArray text = projectFileText(saved, tables);
    writeFileSafely(fileName, text, flush);
    ApplyDesignControl();
    readInPart = false;
    fileDigest = textDigest(text);
    currentLayout = true;
    if (hasRockLayer(tables.SoilLayers()))
        KLS = 0;
    SetModified(false, tables);
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

bool TProgramData::FileChangedElsewhere() const
{
    if (fileDigest.isEmpty() || !QFileInfo::exists(fileName))
        return false;
    return vorna::fileDigest(fileName) != fileDigest;
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
