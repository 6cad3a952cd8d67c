#include "result_output.h"

#include "nominal_resistance.h"
#include "vornacalc/engine.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>

namespace vorna::cli {
namespace {

using nlohmann::ordered_json;

struct ColumnNames {
    const char *QB, *QBD, *QDN, *QUperVolume;
};

ColumnNames columnNames(const AnalysisResults &r)
{
    const char *qb = r.uplift ? "WT" : "QB";
    if (r.lrfd)
        return {qb, "LRFD_QS", r.uplift ? "LRFD_WT" : "LRFD_QB", "LRFD_QU"};
    return {qb, "QBD", "QDN", "QU_per_volume"};
}

ordered_json units(const AnalysisResults &r)
{
    if (r.si)
        return {{"length", "m"},
                {"volume", "cu m"},
                {"force", "kN"},
                {"movement", "m"},
                {"QU_per_volume", "kN/cu m"}};
    return {{"length", "ft"},
            {"volume", "cu yd"},
            {"force", "tons"},
            {"movement", "in"},
            {"QU_per_volume", "tons/cu yd"}};
}

ordered_json rowJson(const ResultRow &row, const ColumnNames &names)
{
    return {{"length", row.length}, {"volume", row.volume},
            {"QS", row.QS},         {names.QB, row.QB},
            {"QU", row.QU},         {names.QBD, row.QBD},
            {names.QDN, row.QDN},   {names.QUperVolume, row.QUperVolume}};
}

constexpr const char *kNotReached = "not reached";

// The head settlement of 5 % of the base diameter and each curve's load there, the measured
// curve's ("measured") too when the project keeps a load test.
ordered_json nominalJson(const DiameterResult &d, bool si,
                         const std::vector<SettlementPoint> &loadTest)
{
    const double settlement = nominalSettlement(d.baseDiameter, si);
    ordered_json out;
    out["settlement"] = settlement;
    for (std::size_t c = 0; c < d.curves.size() && c < d.curveNames.size(); ++c) {
        const std::optional<double> load = loadAtSettlement(d.curves[c], settlement);
        out[d.curveNames[c]] = load ? ordered_json(*load) : ordered_json(kNotReached);
    }
    if (!loadTest.empty()) {
        const std::optional<double> load = loadAtSettlement(loadTest, settlement);
        out["measured"] = load ? ordered_json(*load) : ordered_json(kNotReached);
    }
    return out;
}

ordered_json runJson(const ProjectRun &run)
{
    const AnalysisResults &r = run.results;
    const ColumnNames names = columnNames(r);
    ordered_json out;
    out["project"] = run.project.string();
    out["report"] = run.report.string();
    out["status"] = run.status;
    out["statusText"] = std::string(describeStatus(run.status));
    out["units"] = units(r);
    out["designMethod"] = r.lrfd ? "LRFD" : "factors of safety";
    out["loading"] = r.uplift ? "uplift" : "compression";
    out["designControl"] = r.designDepth ? "design depth" : "design load";
    ordered_json diameters = ordered_json::array();
    for (const DiameterResult &d : r.diameters) {
        ordered_json dj;
        dj["stemDiameter"] = d.stemDiameter;
        dj["baseDiameter"] = d.baseDiameter;
        dj["stemEndToBase"] = d.stemEndToBase;
        dj["underreamVolume"] = d.underreamVolume;
        dj["tipSoil"] = d.tipSoil;
        if (!r.designDepth)
            dj["designLoadReached"] = d.designLoadReached;
        ordered_json rows = ordered_json::array();
        for (const ResultRow &row : d.rows)
            rows.push_back(rowJson(row, names));
        dj["rows"] = rows;
        dj["designRow"] = d.rows.empty() ? ordered_json() : rowJson(d.rows.back(), names);
        ordered_json curves = ordered_json::object();
        for (std::size_t c = 0; c < d.curves.size() && c < d.curveNames.size(); ++c) {
            ordered_json points = ordered_json::array();
            for (const SettlementPoint &p : d.curves[c])
                points.push_back({{"topLoad", p.topLoad},
                                  {"topMovement", p.topMovement},
                                  {"tipLoad", p.tipLoad},
                                  {"tipMovement", p.tipMovement}});
            curves[d.curveNames[c]] = points;
        }
        dj["loadSettlement"] = curves;
        dj["nominalResistance"] = nominalJson(d, r.si, run.loadTest);
        diameters.push_back(dj);
    }
    out["diameters"] = diameters;
    if (r.best) {
        out["mostEfficientShaft"] = {{"stemDiameter", r.best->stemDiameter},
                                     {"baseDiameter", r.best->baseDiameter},
                                     {"length", r.best->length},
                                     {"volume", r.best->volume},
                                     {"QU", r.best->QU},
                                     {"QU_per_volume", r.best->QUperVolume}};
    } else {
        out["mostEfficientShaft"] = nullptr;
    }
    out["messages"] = run.messages;
    return out;
}

// Shortest text that reads back to the same double, whatever the locale.
std::string number(double value)
{
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc{} ? std::string(buffer, end) : std::string("0");
}

std::string csvText(const std::string &text)
{
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The load-settlement curves in the order of the CSV columns; a diameter has either the
// first three or the last.
constexpr const char *kCsvCurves[] = {"trend", "upper bound", "lower bound", "socket"};

std::string csvName(const char *curve)
{
    std::string name = curve;
    for (char &c : name)
        c = c == ' ' ? '_' : c;
    return name;
}

// The settlement column and one column per curve: the load, "not reached", or empty when the
// diameter has no such curve; the measured curve's last, empty without a load test.
std::string nominalCsv(const DiameterResult &d, bool si,
                       const std::vector<SettlementPoint> &loadTest)
{
    const double settlement = nominalSettlement(d.baseDiameter, si);
    std::string text = "," + number(settlement);
    for (const char *curve : kCsvCurves) {
        text += ",";
        for (std::size_t c = 0; c < d.curves.size() && c < d.curveNames.size(); ++c) {
            if (d.curveNames[c] != curve)
                continue;
            const std::optional<double> load = loadAtSettlement(d.curves[c], settlement);
            text += load ? number(*load) : std::string(kNotReached);
        }
    }
    text += ",";
    if (!loadTest.empty()) {
        const std::optional<double> load = loadAtSettlement(loadTest, settlement);
        text += load ? number(*load) : std::string(kNotReached);
    }
    return text;
}

} // namespace

std::string toJson(const std::vector<ProjectRun> &runs)
{
    if (runs.size() == 1)
        return runJson(runs.front()).dump(2) + "\n";
    ordered_json all = ordered_json::array();
    for (const ProjectRun &run : runs)
        all.push_back(runJson(run));
    return all.dump(2) + "\n";
}

std::string toCsv(const std::vector<ProjectRun> &runs)
{
    std::string text = "project,units,stem_diameter,base_diameter,length,volume,QS,QB_or_WT,QU,"
                       "QBD_or_LRFD_QS,QDN_or_LRFD_QB,QU_per_volume_or_LRFD_QU,"
                       "settlement_at_5pct_Db";
    for (const char *curve : kCsvCurves)
        text += std::string(",Q_at_5pct_Db_") + csvName(curve);
    text += ",Q_at_5pct_Db_measured\n";
    for (const ProjectRun &run : runs) {
        const std::string units = run.results.si ? "SI" : "English";
        for (const DiameterResult &d : run.results.diameters) {
            const std::string nominal = nominalCsv(d, run.results.si, run.loadTest);
            for (const ResultRow &row : d.rows) {
                text += csvText(run.project.string()) + "," + units + "," + number(d.stemDiameter) +
                        "," + number(d.baseDiameter) + "," + number(row.length) + "," +
                        number(row.volume) + "," + number(row.QS) + "," + number(row.QB) + "," +
                        number(row.QU) + "," + number(row.QBD) + "," + number(row.QDN) + "," +
                        number(row.QUperVolume) + nominal + "\n";
            }
        }
    }
    return text;
}

} // namespace vorna::cli
