#include "project_file.h"

#include "evaluator.h"
#include "grid_table.h"
#include "platform/file_sync.h"
#include "program_tables.h"
#include "word_reader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#include <span>

namespace vorna {

namespace {

// Where a value of a layer line lives: dropped (written as "0.0"), a column of the layer's
// parameter table (top row on the top line, bottom row on the bottom line), or a column of
// the soil layer row, which both lines carry.
struct Slot {
    enum Source { Placeholder, Parameter, Layer } source;
    int column = 0;
};

constexpr Slot P{Slot::Placeholder, 0};
constexpr Slot par(int column)
{
    return {Slot::Parameter, column};
}
constexpr Slot layer(int column)
{
    return {Slot::Layer, column};
}

// The two LRFD factors end every layer line; a line without them keeps the defaults.
constexpr int kLrfdSlots = 2;

// clang-format off
constexpr Slot kSandLine[] = {
    P,
    par(kSandUnitWeightColumn),
    par(kSandFrictionAngleColumn),
    P,
    par(kSandBlowCountColumn),
    layer(kMaxSideFrictionColumn),
    layer(kMaxEndBearingColumn),
    layer(kLrfdSideColumn),
    layer(kLrfdTipColumn),
};
constexpr Slot kClayLine[] = {
    par(kClayNcColumn),
    par(kClayUnitWeightColumn),
    P,
    par(kClayCohesionColumn),
    par(kClayBlowCountColumn),
    layer(kMaxSideFrictionColumn),
    layer(kMaxEndBearingColumn),
    layer(kLrfdSideColumn),
    layer(kLrfdTipColumn),
};
constexpr Slot kStrongRockLine[] = {
    par(kStrongRockStrengthColumn),
    par(kStrongRockConcreteStrengthColumn),
    par(kStrongRockSpacingColumn),
    par(kStrongRockThicknessColumn),
    par(kStrongRockSocketColumn),
    layer(kMaxSideFrictionColumn),
    par(kStrongRockModulusColumn),
    par(kStrongRockRqdColumn),
    layer(kMaxEndBearingColumn),
    layer(kLrfdSideColumn),
    layer(kLrfdTipColumn),
};
constexpr Slot kWeakRockLine[] = {
    par(kWeakRockStrengthColumn),
    par(kWeakRockInterfaceColumn),
    par(kWeakRockSlumpColumn),
    par(kWeakRockFrictionAngleColumn),
    par(kWeakRockSocketColumn),
    layer(kMaxSideFrictionColumn),
    par(kWeakRockModulusColumn),
    par(kWeakRockRqdColumn),
    layer(kMaxEndBearingColumn),
    layer(kLrfdSideColumn),
    layer(kLrfdTipColumn),
};
constexpr Slot kDecomposedLine[] = {
    par(kDecomposedUnitWeightColumn),
    par(kDecomposedBlowCountColumn),
    par(kDecomposedPoissonColumn),
    par(kDecomposedModulusColumn),
    par(kDecomposedSocketColumn),
    layer(kMaxSideFrictionColumn),
    layer(kMaxEndBearingColumn),
    layer(kLrfdSideColumn),
    layer(kLrfdTipColumn),
};
constexpr Slot kGravelLine[] = {
    par(kGravelUnitWeightColumn),
    par(kGravelBlowCountColumn),
    par(kGravelBetaColumn),
    layer(kMaxSideFrictionColumn),
    layer(kMaxEndBearingColumn),
    layer(kLrfdSideColumn),
    layer(kLrfdTipColumn),
};
// clang-format on

std::span<const Slot> layerLine(SoilCode code)
{
    switch (code) {
    case SoilCode::Sand:
        return kSandLine;
    case SoilCode::Clay:
    case SoilCode::ClayShale:
        return kClayLine;
    case SoilCode::StrongRockSideOrBase:
    case SoilCode::StrongRock:
        return kStrongRockLine;
    case SoilCode::WeakRock:
        return kWeakRockLine;
    case SoilCode::DecomposedRock:
        return kDecomposedLine;
    case SoilCode::GravellySand:
    case SoilCode::Gravel:
        return kGravelLine;
    }
    return kGravelLine;
}

// The lines that follow a code's two layer lines: sand's method line and coefficient line
// (K or beta), the coefficient line of clay and shale (alpha).
enum class CoefficientLines { None, SandMethod, ClayAlpha };

CoefficientLines coefficientLines(SoilCode code)
{
    switch (code) {
    case SoilCode::Sand:
        return CoefficientLines::SandMethod;
    case SoilCode::Clay:
    case SoilCode::ClayShale:
        return CoefficientLines::ClayAlpha;
    case SoilCode::StrongRockSideOrBase:
    case SoilCode::DecomposedRock:
    case SoilCode::WeakRock:
    case SoilCode::StrongRock:
    case SoilCode::GravellySand:
    case SoilCode::Gravel:
        return CoefficientLines::None;
    }
    return CoefficientLines::None;
}

// Sand's method line: 1 = the coefficient line holds K, any other value beta.
constexpr int kSandMethodK = 1;
constexpr int kSandMethodBeta = 2;

QString number(double value)
{
    return generalText(value, 8);
}

// ---- reading

// What the reader is about to read and the line where that record begins, for the
// message when reading stops.
struct Expectation {
    QString what;
    int line = 0;

    void set(const TWordReader &reader, const QString &text)
    {
        what = text;
        line = reader.LineNumber();
    }
};

QString layerName(int layer)
{
    return QStringLiteral("layer %1").arg(layer);
}

class ProjectReader {
public:
    ProjectReader(TWordReader &reader, ProgramTables &tables, QStringList &messages,
                  Expectation &expected)
        : m_reader(reader), m_tables(tables), m_messages(messages), m_expected(expected)
    {}

    // One value into a cell: integers for integer and choice columns, else reals.
    void readCell(TColumn &column, int row)
    {
        if (column.Kind() != ColumnKind::Int && column.Kind() != ColumnKind::Enum) {
            column.SetFloat(row, m_reader.NextReal());
            return;
        }
        const int value = m_reader.NextInteger();
        try {
            column.SetInteger(row, value);
        } catch (const EAssignError &e) {
            m_messages << QStringLiteral("Error on Line %1 Item %2\r%3 The default was kept.")
                              .arg(m_reader.LineNumber())
                              .arg(m_reader.ItemNumber())
                              .arg(e.message());
        }
    }

    void readLayerLine(SoilCode code, int layerRow, int parameterRow)
    {
        TGridTable &layers = m_tables.SoilLayers();
        TGridTable *parameters = layers.Column(kLayerDataColumn).AsTable(layerRow);
        const std::span<const Slot> lineSlots = layerLine(code);
        for (std::size_t i = 0; i < lineSlots.size(); ++i) {
            // The LRFD factors are read only when the line holds them.
            if (i + kLrfdSlots == lineSlots.size() && m_reader.RemainingTokenCount() < kLrfdSlots)
                break;
            const Slot &slot = lineSlots[i];
            if (slot.source == Slot::Placeholder)
                m_reader.NextReal();
            else if (slot.source == Slot::Layer)
                readCell(layers.Column(slot.column), layerRow);
            else
                readCell(parameters->Column(slot.column), parameterRow);
        }
        m_reader.NextLine();
    }

    void readCoefficientLine(int layerRow, int column)
    {
        TGridTable *parameters = m_tables.SoilLayers().Column(kLayerDataColumn).AsTable(layerRow);
        readCell(parameters->Column(column), kTopRow);
        readCell(parameters->Column(column), kBottomRow);
        m_reader.NextLine();
    }

    void readLayer(SoilCode code, int row, int number)
    {
        const int values = static_cast<int>(layerLine(code).size());
        m_expected.set(m_reader, QStringLiteral("the top line of %1 (%2 values for soil type %3)")
                                     .arg(layerName(number))
                                     .arg(values)
                                     .arg(soilCodeNumber(code)));
        readLayerLine(code, row, kTopRow);
        m_expected.set(m_reader,
                       QStringLiteral("the bottom line of %1 (%2 values for soil type %3)")
                           .arg(layerName(number))
                           .arg(values)
                           .arg(soilCodeNumber(code)));
        readLayerLine(code, row, kBottomRow);
        switch (coefficientLines(code)) {
        case CoefficientLines::SandMethod: {
            m_expected.set(
                m_reader,
                QStringLiteral("the sand method of %1 (1 = K, 2 = beta)").arg(layerName(number)));
            const int method = m_reader.NextInteger();
            m_reader.NextLine();
            m_expected.set(m_reader,
                           QStringLiteral("the coefficient line of %1 (top and bottom value)")
                               .arg(layerName(number)));
            readCoefficientLine(row, method == kSandMethodK ? kSandKColumn : kSandBetaColumn);
            break;
        }
        case CoefficientLines::ClayAlpha:
            m_expected.set(m_reader,
                           QStringLiteral("the coefficient line of %1 (top and bottom value)")
                               .arg(layerName(number)));
            readCoefficientLine(row, kClayAlphaColumn);
            break;
        case CoefficientLines::None:
            break;
        }
    }

private:
    TWordReader &m_reader;
    ProgramTables &m_tables;
    QStringList &m_messages;
    Expectation &m_expected;
};

void readControlRecord(TWordReader &reader, ProjectLayout layout, TProgramData &project)
{
    project.designControl = choiceFromFile<DesignControl>(reader.NextInteger());
    project.loadingType = choiceFromFile<LoadingType>(reader.NextInteger());
    project.upliftFactor = reader.NextReal();
    project.outputIncrement = reader.NextReal();
    // A record of four or five values is the older layout, whichever layout was asked for:
    // reading on would take the shaft record's values as options.
    const int remaining = reader.RemainingTokenCount();
    if (layout == ProjectLayout::Current && remaining >= 2) {
        project.endBearingOption = reader.NextInteger();
        project.designMethod = choiceFromFile<DesignMethod>(reader.NextInteger());
        project.currentLayout = true;
    } else {
        project.currentLayout = false;
        project.endBearingOption = remaining >= 1 ? reader.NextInteger() : 1;
    }
    reader.NextLine();
}

// ---- writing

class LineWriter {
public:
    void add(const QString &value) { m_line += value + u' '; }
    // Ends the line; lines of records 3 to 5 and coefficient lines carry no trailing blank.
    void end(bool trailingBlank = true)
    {
        if (!trailingBlank)
            m_line.chop(1);
        m_text += m_line + QStringLiteral("\r\n");
        m_line.clear();
    }
    void line(const QString &text) { m_text += text + QStringLiteral("\r\n"); }
    const QString &text() const { return m_text; }

private:
    QString m_line;
    QString m_text;
};

void writeLayerLine(LineWriter &out, SoilCode code, const TGridTable &layers, int layerRow,
                    const TGridTable &parameters, int parameterRow)
{
    for (const Slot &slot : layerLine(code)) {
        if (slot.source == Slot::Placeholder)
            out.add(QStringLiteral("0.0"));
        else if (slot.source == Slot::Layer)
            out.add(layers.Column(slot.column).CellText(layerRow));
        else
            out.add(parameters.Column(slot.column).CellText(parameterRow));
    }
    out.end();
}

void writeCoefficientLine(LineWriter &out, const TGridTable &parameters, int column)
{
    out.add(parameters.Column(column).CellText(kTopRow));
    out.add(parameters.Column(column).CellText(kBottomRow));
    out.end(false);
}

void writeLayer(LineWriter &out, const TGridTable &layers, int row)
{
    const SoilCode code = layerSoilCode(layers, row);
    out.add(QString::number(soilCodeNumber(code)));
    out.add(layers.Column(kBottomDepthColumn).CellText(row));
    out.end();
    const TGridTable *parameters = layers.Column(kLayerDataColumn).AsTable(row);
    if (!parameters)
        return;
    writeLayerLine(out, code, layers, row, *parameters, kTopRow);
    writeLayerLine(out, code, layers, row, *parameters, kBottomRow);
    switch (coefficientLines(code)) {
    case CoefficientLines::SandMethod: {
        const bool usesK = parameters->Column(kSandKColumn).AsFloat(kBottomRow) > 0.0;
        out.add(QString::number(usesK ? kSandMethodK : kSandMethodBeta));
        out.end();
        writeCoefficientLine(out, *parameters, usesK ? kSandKColumn : kSandBetaColumn);
        break;
    }
    case CoefficientLines::ClayAlpha:
        writeCoefficientLine(out, *parameters, kClayAlphaColumn);
        break;
    case CoefficientLines::None:
        break;
    }
}

} // namespace

// Where reading stopped and what was expected there, after the tokenizer's message. A
// record takes its values across line ends, so a value missing on the line where the
// record began shows only where the shifted values fail.
QStringList whereReadingStopped(const TWordReader &reader, const Expectation &expected)
{
    QStringList lines;
    const int stopLine = reader.AtEnd() ? reader.LineCount() : reader.LineNumber();
    if (reader.LineCount() == 0)
        lines << QStringLiteral("The file is empty; expected: %1.").arg(expected.what);
    else if (reader.AtEnd())
        lines << QStringLiteral("The file ends after line %1; expected: %2.")
                     .arg(reader.LineCount())
                     .arg(expected.what);
    else
        lines << QStringLiteral("Expected on line %1: %2.").arg(stopLine).arg(expected.what);
    // The program never writes a comma; one between two digits is a decimal comma.
    static const QRegularExpression decimalComma(QStringLiteral("[0-9],[0-9]"));
    if (reader.LastToken().contains(decimalComma))
        lines << QStringLiteral(
                     "\"%1\" has a comma between two digits: numbers in the file take \".\" "
                     "as decimal separator.")
                     .arg(reader.LastToken());
    if (expected.line > 0 && expected.line < stopLine && expected.line <= reader.LineCount())
        lines << QStringLiteral("That record began on line %1; a value may be missing there.")
                     .arg(expected.line);
    return lines;
}

void readProject(TWordReader &reader, ProjectLayout layout, TProgramData &project,
                 ProgramTables &tables, QStringList &messages)
{
    TGridTable &layers = tables.SoilLayers();
    int layerCount = 0;
    int currentLayer = 0;
    Expectation expected;
    // The program writes every record on one line; one that had to go on to the next line
    // most likely lost a value on its own line, which the values after it then shift.
    bool continuedNoted = false;
    const auto noteContinued = [&] {
        if (continuedNoted || reader.LineNumber() <= expected.line)
            return;
        continuedNoted = true;
        messages << QStringLiteral(
                        "Line %1 holds too few values for %2; reading went on to line %3, "
                        "so a value may be missing on line %1.")
                        .arg(expected.line)
                        .arg(expected.what)
                        .arg(reader.LineNumber());
    };
    try {
        expected.set(reader, QStringLiteral("the title line"));
        project.title = reader.RestOfLine();
        expected.set(reader, QStringLiteral("the unit system (1 = English, 2 = SI)"));
        project.ChangeUnits(unitSystemFromFile(reader.NextInteger()), tables);
        noteContinued();
        reader.NextLine();
        expected.set(reader, QStringLiteral("the control record (design control, loading type, "
                                            "uplift factor, output increment and options)"));
        readControlRecord(reader, layout, project);
        expected.set(reader,
                     QStringLiteral("the shaft record (7 values: diameters, ratio, bell angle, "
                                    "lengths without side resistance, modulus)"));
        const int shaftLine = reader.LineNumber();
        for (int i = kMinDiameter; i <= kShaftModulus; ++i)
            project.shaftProperties[static_cast<std::size_t>(i)] = reader.NextReal();
        noteContinued();
        reader.NextLine();
        // A new project keeps 0 until the user gives a diameter; a negative one is a fault.
        if (project.shaftProperties[kMinDiameter] < 0.0)
            messages << QStringLiteral(
                            "Line %1, item 1: the smallest shaft diameter is %2; it must be "
                            "above 0 for the analysis to run.")
                            .arg(shaftLine)
                            .arg(number(project.shaftProperties[kMinDiameter]));

        expected.set(reader,
                     QStringLiteral("the profile record (number of layers, water table, design "
                                    "load or depth, two factors of safety)"));
        const int profileLine = reader.LineNumber();
        layerCount = reader.NextInteger();
        project.shaftProperties[kWaterTableDepth] = reader.NextReal();
        const double third = reader.NextReal();
        const bool loadGiven = project.designControl == DesignControl::DesignLoad;
        project.designLoad = loadGiven ? third : 0.0;
        project.proposedLength = loadGiven ? 0.0 : third;
        project.FST = reader.NextReal();
        project.FSB = reader.NextReal();
        noteContinued();
        reader.NextLine();
        if (layerCount < 1)
            messages << QStringLiteral(
                            "Line %1, item 1: the number of layers is %2; a project needs "
                            "at least 1 layer.")
                            .arg(profileLine)
                            .arg(layerCount);

        ProjectReader layerReader(reader, tables, messages, expected);
        for (int k = 0; k < layerCount; ++k) {
            if (layers.RowCount() >= kMaxLayers) {
                messages << QStringLiteral(
                                "The file holds %1 layers; only the first %2 were loaded.")
                                .arg(layerCount)
                                .arg(kMaxLayers);
                break;
            }
            currentLayer = k + 1;
            expected.set(reader, QStringLiteral("the header line of %1 of %2 (soil type code and "
                                                "bottom depth)")
                                     .arg(layerName(currentLayer))
                                     .arg(layerCount));
            const int codeNumber = reader.NextInteger();
            const int codeLine = reader.LineNumber();
            const double bottomDepth = reader.NextReal();
            noteContinued();
            reader.NextLine();
            const std::optional<SoilCode> code = soilCodeFromNumber(codeNumber);
            if (!code) {
                // As the engine reads it, no lines follow an unknown code's header.
                messages << QStringLiteral("Line %1: layer %2 has the unknown soil type code %3 "
                                           "and was skipped.")
                                .arg(codeLine)
                                .arg(currentLayer)
                                .arg(codeNumber);
                continue;
            }
            const int row = layers.RowCount();
            layers.SetRowCount(row + 1);
            setLayerSoilCode(layers, row, *code);
            layers.Column(kBottomDepthColumn).SetFloat(row, bottomDepth);
            layerReader.readLayer(*code, row, currentLayer);
        }
    } catch (const EInputError &e) {
        // One box: the tokenizer's text, then where it stopped and what was expected there.
        messages << (QStringList{e.message()} + whereReadingStopped(reader, expected)).join(u'\r');
        if (currentLayer > 0)
            messages << QStringLiteral("Reading stopped in layer %1 of %2.")
                            .arg(currentLayer)
                            .arg(layerCount);
    }
}

QByteArray projectFileText(const TProgramData &project, const ProgramTables &tables)
{
    LineWriter out;
    QString title = project.title;
    title.replace(u'\r', u' ').replace(u'\n', u' '); // a line break would shift every record
    out.line(title);
    out.add(QString::number(unitCode(project.unitSystem)));
    out.end();

    out.add(QString::number(fileNumber(project.designControl)));
    out.add(QString::number(fileNumber(project.loadingType)));
    out.add(number(project.upliftFactor));
    out.add(number(project.outputIncrement));
    out.add(QString::number(project.endBearingOption));
    out.add(QString::number(fileNumber(project.designMethod)));
    out.end(false);

    for (int i = kMinDiameter; i <= kShaftModulus; ++i)
        out.add(number(project.shaftProperties[static_cast<std::size_t>(i)]));
    out.end(false);

    const TGridTable &layers = tables.SoilLayers();
    out.add(QString::number(layers.RowCount()));
    out.add(number(project.shaftProperties[kWaterTableDepth]));
    out.add(number(project.designControl == DesignControl::DesignLoad ? project.designLoad
                                                                      : project.proposedLength));
    out.add(number(project.FST));
    out.add(number(project.FSB));
    out.end(false);

    for (int row = 0; row < layers.RowCount(); ++row)
        writeLayer(out, layers, row);
    return out.text().toLatin1();
}

TProgramData CreateFromFile(const QString &fileName, ProjectLayout layout, ProgramTables &tables,
                            QStringList &messages)
{
    TWordReader reader = TWordReader::fromFile(fileName);
    TProgramData project = TProgramData::CreateNew(tables);
    project.fileName = fileName;
    for (TGridTable *table : tables.All())
        table->SetRowCount(0);
    readProject(reader, layout, project, tables, messages);
    // Every message tells of something in the file that the project does not hold.
    project.readInPart = !messages.isEmpty();
    project.fileDigest = fileDigest(fileName);
    for (TGridTable *table : tables.All()) {
        if (table->RowCount() < table->MinRows())
            table->SetRowCount(table->MinRows());
    }
    tables.SetDesignMethod(project.designMethod);
    project.SetModified(false, tables);
    return project;
}

void SaveToFile(TProgramData &project, ProgramTables &tables, const FlushStep &flush)
{
    // The design control follows from the values only once the file holds them, so a
    // failed save leaves the project as it was.
    TProgramData saved = project;
    saved.ApplyDesignControl();
    const QByteArray text = projectFileText(saved, tables);
    writeFileSafely(project.fileName, text, flush);
    project.ApplyDesignControl();
    project.readInPart = false;
    project.fileDigest = textDigest(text);
    project.currentLayout = true;
    if (hasRockLayer(tables.SoilLayers()))
        project.KLS = 0;
    project.SetModified(false, tables);
}

bool FileChangedElsewhere(const TProgramData &project)
{
    if (project.fileDigest.isEmpty() || !QFileInfo::exists(project.fileName))
        return false;
    return fileDigest(project.fileName) != project.fileDigest;
}

void writeFileSafely(const QString &fileName, const QByteArray &text, const FlushStep &flush)
{
    const QFileInfo target(fileName);
    // Hidden beside the target, so the rename stays within one file system.
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                             QStringLiteral(".XXXXXX"));
    // A step that failed without the device recording why (errorString() then says
    // "Unknown error") gets the plain reason instead.
    const auto fail = [&](const QString &fallback) {
        const bool recorded = temporary.error() != QFileDevice::NoError;
        throw EProjectSaveError(fileName, recorded ? temporary.errorString() : fallback);
    };
    const QString notOnDisk = QStringLiteral("The data could not be written to the disk.");
    if (!temporary.open())
        fail(QStringLiteral("No file could be created in its folder."));
    if (temporary.write(text) != text.size())
        fail(notOnDisk);
    if (!(flush ? flush(temporary) : temporary.flush() && platform::syncToDisk(temporary)))
        fail(notOnDisk);
    temporary.close();
    if (temporary.error() != QFileDevice::NoError)
        fail(notOnDisk);
    // What the disk gives back must be the project, or the old file stays.
    QFile written(temporary.fileName());
    if (!written.open(QIODevice::ReadOnly) || written.readAll() != text)
        fail(QStringLiteral("The file written could not be read back unchanged."));
    written.close();
    const QFileDevice::Permissions permissions =
        target.exists()
            ? QFile::permissions(fileName)
            : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(temporary.fileName(), permissions);
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temporary.fileName().toStdU16String()),
                            std::filesystem::path(fileName.toStdU16String()), ec);
    if (ec)
        throw EProjectSaveError(fileName, QString::fromStdString(ec.message()));
    temporary.setAutoRemove(false);
}

QByteArray textDigest(const QByteArray &text)
{
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256);
}

QByteArray fileDigest(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return textDigest(file.readAll());
}

} // namespace vorna
