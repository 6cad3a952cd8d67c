#include "program_tables.h"

#include "table_definition.h"

namespace vorna {

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// A single header text stands on the first of two lines; the second line then carries the
// unit text of a real column.
QStringList over(const char *text)
{
    return {s(text), QString()};
}
QStringList under(const char *text)
{
    return {QString(), s(text)};
}
QStringList lines(const char *first, const char *second)
{
    return {s(first), s(second)};
}

const char *const kLocationTopLeft = "Location, 1=Top, 2=Bottom";

TableSpec parameterTable(int identifier, const char *caption, const char *topLeft, bool hardwired,
                         std::vector<ColumnSpec> columns)
{
    TableSpec definition;
    definition.identifier = identifier;
    definition.caption = s(caption);
    definition.minRows = 2;
    definition.maxRows = 2;
    definition.topLeft = s(topLeft);
    definition.hardwiredButton = hardwired;
    definition.columns = std::move(columns);
    return definition;
}

// In the order of ClayColumn.
std::vector<ColumnSpec> clayColumns()
{
    return {
        realColumn(over("Total Unit Weight"), s("F/L2^3")),
        realColumn(over("Cohesion"), s("F/L2^2")),
        intColumn(lines("Blow Counts", "-Optional-"), 0, 100),
        realColumn(lines("Alpha", "Factor")),
        realColumn(lines("Bearing Capacity", "Coefficient, Nc")),
    };
}

// In the order of StrongRockColumn.
std::vector<ColumnSpec> strongRockColumns(const char *thickness, const char *rqd)
{
    return {
        realColumn(lines("Rock Compressive", "Strength"), s("F/L2^2")),
        realColumn(lines("Concrete Compressive", "Strength"), s("F/L2^2")),
        realColumn(lines("Discontinuity", "Spacing"), s("L2")),
        realColumn(lines(thickness, "Thickness"), s("L2")),
        realColumn(lines("Socket", "Diameter"), s("L2")),
        realColumn(lines("Elastic", "Modulus"), s("F/L^2")),
        realColumn(under(rqd)),
    };
}

// In the order of GravelColumn.
std::vector<ColumnSpec> gravelColumns()
{
    return {
        realColumn(over("Total Unit Weight"), s("F/L2^3")),
        intColumn({s("Blow Counts")}),
        realColumn(lines("Beta", "(optional)")),
    };
}

// In the order of SandColumn.
std::vector<ColumnSpec> sandColumns()
{
    return {
        realColumn(over("Total Unit Weight"), s("F/L2^3")),
        realColumn(under("Friction Angle")),
        intColumn(lines("Blow Counts", "-Optional-"), 0, 100),
        realColumn(under("Ko  ")),
        realColumn(under("Beta  ")),
    };
}

// In the order of DecomposedRockColumn.
std::vector<ColumnSpec> decomposedRockColumns()
{
    return {
        realColumn(over("Total Unit Weight,"), s("F/L2^3")),
        intColumn(lines("Blow Counts", "(SPT Test)"), 0, 100),
        realColumn(lines("Poisson's", "Ratio")),
        realColumn(lines("Young's Modulus", "-optional-"), s("F/L^2")),
        realColumn(lines("Socket", "Diameter"), s("L2")),
    };
}

// In the order of WeakRockColumn.
std::vector<ColumnSpec> weakRockColumns()
{
    return {
        realColumn(lines("Rock Compressive", "Strength"), s("F/L2^2")),
        choiceColumn(lines("Interface", "Condition"),
                     {s("Rough Surface w/closed joints"), s("Smooth Surface w/closed joints"),
                      s("Rough Surface w/open joints"), s("Smooth Surface w/open joints")}),
        realColumn(lines("Concrete ", "Slump"), s("L")),
        realColumn(lines("Interface Friction", "Angle, Deg.")),
        realColumn(lines("Socket ", "Diameter"), s("L2")),
        realColumn(lines("Elastic Modulus of", "Rock Core"), s("F/L^2")),
        realColumn(lines("RQD", "(%)")),
    };
}

// The columns of a code's parameter table.
std::vector<ColumnSpec> templateColumns(SoilCode code)
{
    switch (code) {
    case SoilCode::Sand:
        return sandColumns();
    case SoilCode::Clay:
    case SoilCode::ClayShale:
        return clayColumns();
    case SoilCode::StrongRockSideOrBase:
        return strongRockColumns("Dicontinuity", "RQD, %");
    case SoilCode::DecomposedRock:
        return decomposedRockColumns();
    case SoilCode::WeakRock:
        return weakRockColumns();
    case SoilCode::StrongRock:
        return strongRockColumns("Discontinuity", "RQD,%");
    case SoilCode::GravellySand:
    case SoilCode::Gravel:
        return gravelColumns();
    }
    return {};
}

TableSpec templateSpec(const SoilCodeEntry &entry)
{
    const char *topLeft = entry.templateLocationRows ? kLocationTopLeft : "";
    return parameterTable(entry.templateIdentifier, entry.templateCaption, topLeft,
                          entry.templateLocationRows, templateColumns(entry.code));
}

TableSpec soilLayerSpec()
{
    // A layer's choice number is its soil code, which picks the template of its data.
    QStringList choices;
    std::vector<int> templates;
    for (const SoilCodeEntry &entry : soilCodes()) {
        choices << s(entry.choiceText);
        templates.push_back(entry.templateIdentifier);
    }
    TableSpec definition;
    definition.identifier = 10;
    definition.caption = s("Soil Layer Data");
    definition.minRows = 1;
    definition.maxRows = kMaxLayers;
    definition.topLeft = s("Layer");
    definition.columns = {
        choiceColumn(over("Soil Type"), choices),
        realColumn(lines("Depth at Bottom ", "of each Layer"), s("L2")),
        tableColumn(over("Layer  Data"), templates),
        realColumn(lines("Max. Side ", "Friction"), s("F/L2^2")),
        realColumn(lines("Max. End ", "Bearing"), s("F/L2^2")),
        realColumn(lines("LRFD Resistance Factor", "(Side Friction)"), {}, 1.0),
        realColumn(lines("LRFD Resistance Factor", "(End Bearing)"), {}, 1.0),
    };
    return definition;
}

const char *const kLimitsComment =
    "Max. Side Friction and Max. End Bearing:\r\u00b7 If entries are left as zero, the program "
    "assumes no limits in side friction and end bearing computed by the program.";
const char *const kLrfdComment =
    "\rLRFD Resistance Factors\r\u00b7 Options for entering LRFD resistance factors for side "
    "friction and for for tip resistance in each layer.";
const char *const kSandComment =
    "The user may optionally enter blow counts only in cases the friction angle is not readily "
    "available.\rWhen both friction angels and blow counts are entered, only friction angels are "
    "used for computation. \rIf the user intends to use Ko for side-friction computation, please "
    "leave Beta as zero. \rIf the user intends to use Beta coefficient for side-friction "
    "computation, please leave Ko as zero.\rIf the user designates zero values for both Ko and "
    "Beta, the program will internally generate Beta for \rside-friction computation.";
const char *const kClayComment =
    "The user may optionally enter blow counts only in cases the cohesion is not readily "
    "available.\rIf the user designates zero values for both Alpha factor and Nc,\rthe program "
    "will internally generate those values during computation.";

} // namespace

ProgramTables::ProgramTables()
{
    // The templates exist before the first layer row copies one of them.
    for (const SoilCodeEntry &entry : soilCodes())
        m_templates.push_back(createTable(m_registry, templateSpec(entry)));
    Template(SoilCode::Sand).Comments = s(kSandComment);
    Template(SoilCode::Clay).Comments = s(kClayComment);
    m_soilLayers = createTable(m_registry, soilLayerSpec());
    SetDesignMethod(DesignMethod::AllowableStress);
}

TGridTable &ProgramTables::Template(SoilCode code) const
{
    return *m_templates.at(static_cast<std::size_t>(soilCodeNumber(code) - 1));
}

std::vector<TGridTable *> ProgramTables::All() const
{
    std::vector<TGridTable *> tables{m_soilLayers.get()};
    for (const auto &t : m_templates)
        tables.push_back(t.get());
    return tables;
}

void ProgramTables::SetDesignMethod(DesignMethod designMethod)
{
    const bool lrfd = designMethod == DesignMethod::Lrfd;
    m_soilLayers->Column(kLrfdSideColumn).Visible = lrfd;
    m_soilLayers->Column(kLrfdTipColumn).Visible = lrfd;
    m_soilLayers->Comments = s(kLimitsComment) + (lrfd ? s(kLrfdComment) : QString());
}

SoilCode layerSoilCode(const TGridTable &layers, int row)
{
    // The choice column holds only the numbers of its choices, 1 to 9.
    return *soilCodeFromNumber(layers.Column(kSoilTypeColumn).AsInteger(row));
}

void setLayerSoilCode(TGridTable &layers, int row, SoilCode code)
{
    layers.Column(kSoilTypeColumn).SetInteger(row, soilCodeNumber(code));
}

bool hasRockLayer(const TGridTable &layers)
{
    for (int row = 0; row < layers.RowCount(); ++row) {
        if (soilCodeEntry(layerSoilCode(layers, row)).isRock)
            return true;
    }
    return false;
}

} // namespace vorna
