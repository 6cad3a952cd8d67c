#include "report/capacity_report.h"

#include "report/fixed_field.h"
#include "run/run_context.h"

#include <algorithm>

namespace vorna {
namespace {

// "THE SHAFT OF 3 FT DIAMETER" as "the shaft of 3 ft diameter", for a console line.
std::string lowerUnits(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string shaftLine(std::string_view label, double value, std::string_view unit)
{
    return blanks(6) + std::string(label) + fieldF(value, 9, 3) + blanks(2) + std::string(unit);
}

} // namespace

void writeShaftInformation(RunContext &run, const ShaftBlock &shaft, bool si)
{
    const std::string_view length = si ? "M" : "FT.";
    run.reportAndConsole("");
    run.reportAndConsole("");
    run.reportAndConsole(blanks(5) + "DRILLED SHAFT INFORMATION");
    run.reportAndConsole(blanks(5) + "-------------------------");
    run.reportAndConsole("");
    run.reportAndConsole(shaftLine("DIAMETER OF STEM          =", shaft.stemDiameter, length));
    run.reportAndConsole(shaftLine("DIAMETER OF BASE          =", shaft.baseDiameter, length));
    run.reportAndConsole(shaftLine("END OF STEM TO BASE       =", shaft.stemEndToBase, length));
    run.reportAndConsole(shaftLine("ANGLE OF BELL             =", shaft.bellAngleDeg, "DEG."));
    run.reportAndConsole(shaftLine("IGNORED TOP PORTION       =", shaft.ignoredTop, length));
    run.reportAndConsole(shaftLine("IGNORED BOTTOM PORTION    =", shaft.ignoredBottom, length));
    run.reportAndConsole(
        shaftLine("AREA OF ONE PERCENT STEEL =", shaft.steelArea, si ? "SQ. M" : "SQ.IN."));
    run.reportAndConsole(blanks(6) +
                         "ELASTIC MODULUS, Ec       =" + fieldE(shaft.EcAsEntered, 10, 3) +
                         blanks(1) + (si ? "KN/SQ M" : "LB/SQ IN"));
    run.reportAndConsole(
        shaftLine("VOLUME OF UNDERREAM       =", shaft.underreamVolume, si ? "CU. M" : "CU.YDS."));
    run.reportAndConsole("");
    run.reportAndConsole("");
}

void writeResultsLegend(RunContext &run, bool lrfd)
{
    static constexpr std::string_view kSafetyFactors[] = {
        "QS     = ULTIMATE SIDE RESISTANCE;",
        "QB     = ULTIMATE BASE RESISTANCE;",
        "WT     = WEIGHT OF DRILLED SHAFT (FOR UPLIFT CAPACITY ONLY);",
        "QU     = TOTAL ULTIMATE RESISTANCE;",
        "QBD    = TOTAL ALLOWABLE LOAD USING A FACTOR OF SAFETY",
        "         APPLIED TO THE ULTIMATE BASE RESISTANCE;",
        "QDN    = TOTAL ALLOWABLE LOAD USING FACTORS OF SAFETY",
        "         APPLIED TO THE ULTIMATE SIDE RESISTANCE AND",
        "         THE ULTIMATE BASE RESISTANCE.",
    };
    static constexpr std::string_view kLrfd[] = {
        "QS      = ULTIMATE SIDE RESISTANCE;",
        "QB      = ULTIMATE BASE RESISTANCE;",
        "WT      = WEIGHT OF DRILLED SHAFT (UPLIFT CAPACITY ONLY);",
        "QU      = TOTAL ULTIMATE RESISTANCE;",
        "LRFD QS = TOTAL SIDE FRICTION USING LRFD RESISTANCE FACTOR",
        "          TO THE ULTIMATE SIDE RESISTANCE;",
        "LRFD QB = TOTAL BASE BEARING USING LRFD RESISTANCE FACTOR",
        "          TO THE ULTIMATE BASE RESISTANCE",
        "LRFD QU = TOTAL CAPACITY WITH LRFD RESISTANCE FACTOR.",
    };
    run.reportAndConsole("");
    run.reportAndConsole("");
    run.reportAndConsole(blanks(5) + "PREDICTED RESULTS");
    run.reportAndConsole(blanks(5) + "-----------------");
    run.reportAndConsole("");
    for (std::string_view text : lrfd ? kLrfd : kSafetyFactors)
        run.reportAndConsole(blanks(5) + std::string(text));
}

std::vector<std::string> tableHeadingLines(const TableStyle &s)
{
    const std::string qb = s.uplift ? "WT" : "QB";
    std::string names;
    std::string units;
    if (!s.si) {
        names = blanks(5) + "LENGTH" + blanks(2) + "VOLUME" + blanks(5) + "QS" + blanks(6) + qb +
                blanks(6) + "QU";
        units = blanks(5) + "(FEET)" + blanks(2) + "(CU.YDS)" + blanks(1) + "(TONS)" + blanks(3) +
                "(TONS)" + blanks(2) + "(TONS)" + blanks(3) + "(TONS)" + blanks(3) + "(TONS)";
        if (!s.lrfd) {
            names += blanks(7) + "QBD" + blanks(6) + "QDN" + blanks(6) + "QU/VOLUME";
            units += blanks(2) + "(TONS/CU.YDS)";
        } else {
            names += blanks(5) + "LRFD QS" + (s.uplift ? blanks(6) + "WT" : blanks(2) + "LRFD QB") +
                     blanks(3) + "LRFD QU";
            units += blanks(4) + "(TONS)";
        }
        return {names, units};
    }
    names = blanks(5) + "LENGTH" + blanks(2) + "VOLUME" + blanks(4) + "QS" + blanks(5) + qb +
            blanks(8) + "QU";
    units = blanks(6) + "( M ) " + blanks(1) + "(CU.M ) " + blanks(1) + "( KN )" + blanks(3) +
            "( KN )" + blanks(2) + "( KN )" + blanks(3) + "( KN )" + blanks(3) + "( KN )";
    if (!s.lrfd)
        names += blanks(7) + "QBD" + blanks(5) + "QDN" + blanks(5) + "QU/VOLUME";
    else
        names += blanks(6) + "LRFD QS" + blanks(2) + "LRFD QB" + blanks(3) + "LRFD QU";
    const bool perVolume = !s.lrfd && !s.uplift;
    units += blanks(2) + (perVolume ? "( KN /CU.M) " : "( KN ) ");
    return {names, units};
}

void writeTableHeading(RunContext &run, const TableStyle &style)
{
    run.reportAndConsole("");
    for (const std::string &line : tableHeadingLines(style))
        run.reportAndConsole(line);
}

std::string resultRowLine(const ResultRow &row, bool si)
{
    const int d = si ? 1 : 2;
    char line[80];
    char *end = line;
    *end++ = ' ';
    end = putFieldF(end, row.length, 8, 1);
    *end++ = ' ';
    end = putFieldF(end, row.volume, 8, si ? 1 : 2);
    for (const double value : {row.QS, row.QB, row.QU, row.QBD, row.QDN})
        end = putFieldF(end, value, 9, d);
    *end++ = ' ';
    end = putFieldF(end, row.QUperVolume, 9, 2);
    return std::string(line, end);
}

void addOverflowingColumns(std::vector<std::string> &names, std::string_view line,
                           const TableStyle &style)
{
    if (line.find('*') == std::string_view::npos)
        return; // nearly every row
    struct Column {
        const char *name;
        std::size_t end; // one past the field's last column in resultRowLine
    };
    const Column columns[] = {
        {"LENGTH", 9},
        {"VOLUME", 18},
        {"QS", 27},
        {style.uplift ? "WT" : "QB", 36},
        {"QU", 45},
        {style.lrfd ? "LRFD QS" : "QBD", 54},
        {style.lrfd ? (style.uplift ? "WT" : "LRFD QB") : "QDN", 63},
        {style.lrfd ? "LRFD QU" : "QU/VOLUME", 73},
    };
    // A field that does not fit is all asterisks, its last column with them.
    for (const Column &c : columns) {
        if (c.end > line.size() || line[c.end - 1] != '*')
            continue;
        if (std::find(names.begin(), names.end(), c.name) == names.end())
            names.emplace_back(c.name);
    }
}

void writeOverflowWarning(RunContext &run, const std::vector<std::string> &names,
                          const std::string &which)
{
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " AND " : ", ") + names[i];
    const std::vector<std::string> lines = {
        "SOME VALUES OF " + list + " FOR " + which,
        "DO NOT FIT THEIR COLUMNS AND ARE PRINTED AS ASTERISKS.",
        "THE FULL VALUES ARE IN THE OUTPUT OF vorna --json FOR THIS PROJECT."};
    writeWarningBlock(run, lines);
    if (run.options.results) {
        std::string quantities;
        for (const std::string &name : names)
            quantities += (quantities.empty() ? "" : ", ") + name;
        run.options.results->overflowWarnings.push_back(quantities + " for " + lowerUnits(which));
    }
}

void writeMostEfficientShaft(RunContext &run, const BestShaft &best, bool si)
{
    std::vector<std::string> overflowing;
    // The value's field, and its name when it prints as asterisks.
    const auto field = [&](const char *name, double value, int width, int decimals) {
        std::string text = fieldF(value, width, decimals);
        if (text.find('*') != std::string::npos)
            overflowing.emplace_back(name);
        return text;
    };
    run.reportAndConsole("");
    run.reportAndConsole("");
    run.reportAndConsole("");
    if (!si) {
        run.reportAndConsole(" THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE"
                             " APPEARS TO BE THE FOLLOWING ONE:");
        const auto item = [&](std::string_view label, const std::string &value,
                              std::string_view unit) {
            run.reportAndConsole("");
            run.reportAndConsole(" " + std::string(label) + value + " " + std::string(unit));
        };
        item(" DIAMETER OF STEM       =", field("DIAMETER OF STEM", best.stemDiameter, 5, 2),
             "FT.");
        item(" DIAMETER OF BASE       =", field("DIAMETER OF BASE", best.baseDiameter, 5, 2),
             "FT.");
        item(" ESTIMATED SHAFT LENGTH =", field("ESTIMATED SHAFT LENGTH", best.length, 5, 0),
             "FT.");
        item(" VOLUME OF CONCRETE     =", field("VOLUME OF CONCRETE", best.volume, 7, 2),
             "CU.YDS.");
        item(" ULTIMATE LOAD CAPACITY =", field("ULTIMATE LOAD CAPACITY", best.QU, 10, 2), "TONS");
        item(" QU/VOLUME OF CONCRETE  =", field("QU/VOLUME OF CONCRETE", best.QUperVolume, 7, 2),
             "TONS/CU.YD.");
    } else {
        run.reportAndConsole(" THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE "
                             " APPEARS TO BE THE FOLLOWING ONE:");
        const auto item = [&](std::string_view label, const std::string &value,
                              std::string_view unit) {
            run.reportAndConsole("");
            run.reportAndConsole(std::string(label) + value + std::string(unit));
        };
        item(" DIAMETER OF STEM       = ", field("DIAMETER OF STEM", best.stemDiameter, 5, 1),
             " M");
        item(" DIAMETER OF BASE       = ", field("DIAMETER OF BASE", best.baseDiameter, 5, 1),
             " M");
        item(" ESTIMATED SHAFT LENGTH = ", field("ESTIMATED SHAFT LENGTH", best.length, 5, 0),
             " M");
        item(" VOLUME OF CONCRETE     = ", field("VOLUME OF CONCRETE", best.volume, 7, 2), " CU.M");
        item(" ULTIMATE LOAD CAPACITY = ", field("ULTIMATE LOAD CAPACITY", best.QU, 10, 2),
             " KN  ");
        item(" QU/VOLUME OF CONCRETE  = ", field("QU/VOLUME OF CONCRETE", best.QUperVolume, 7, 2),
             " KN /CU.M");
    }
    if (!overflowing.empty())
        writeOverflowWarning(run, overflowing, "THE MOST EFFICIENT SHAFT");
}

void writeShortProfileNote(RunContext &run)
{
    run.consoleEmpty(2);
    run.console(" NOTE: Please add at least 2-diameter depth to the ");
    run.console("       soil profile for program to compute the tip");
    run.console("       resistance at the proposed shaft length.");
}

void writeWeakRockNote(RunContext &run)
{
    run.report.emptyLines(2);
    run.report.line("ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)");
    run.report.line("------------------------------------------------------------");
    run.report.line("IF THE SETTLEMENT IS LESS THAN 0.4 IN. (10 mm), THE LOAD IS");
    run.report.line("CARRIED ENTIRELY IN SIDE RESISTANCE.  IF THE SETTLEMENT IS");
    run.report.line("GREATER THAN 0.4 IN. (10 MM), THE LOAD IS CARRIED ENTIRELY");
    run.report.line("IN END BEARING.");
}

void writeRockTipCurve(RunContext &run, const std::vector<double> &topLoad,
                       const std::vector<double> &topMovement, bool si)
{
    run.report.emptyLines(1);
    if (si) {
        run.report.line(blanks(22) + "TOP  LOAD     TOP MOVEMENT        ");
        run.report.line(blanks(22) + "   kN              M             ");
    } else {
        run.report.line(blanks(22) + "TOP  LOAD     TOP MOVEMENT     ");
        run.report.line(blanks(22) + "   TONS             IN.       ");
    }
    for (std::size_t i = 0; i < topLoad.size() && i < topMovement.size(); ++i)
        run.report.line(blanks(13) + fieldE(topLoad[i], 17, 4) + fieldE(topMovement[i], 17, 4));
}

} // namespace vorna
