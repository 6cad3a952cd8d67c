// Checks of whole runs that do not come from the engine's own output: properties the method
// must have (a diameter run alone gives what it gives in the series; an SI project gives
// what its English twin gives) and a load-transfer hand-over worked by hand.
#include "method/base_resistance.h"
#include "method/soil_type.h"
#include "method/units.h"
#include "test_files.h"
#include "vornacalc/engine.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

using namespace vorna;
using namespace vorna::test;
namespace fs = std::filesystem;

namespace {

// A project file as the desktop writes it: one record per line, values split at blanks.
struct ProjectLines {
    std::string title;
    std::vector<std::vector<std::string>> records; // lines 2 onwards

    double value(std::size_t record, std::size_t item) const
    {
        return std::stod(records.at(record).at(item));
    }
    void set(std::size_t record, std::size_t item, double v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", v);
        records.at(record).at(item) = text;
    }
    std::string text() const
    {
        std::vector<std::string> lines{title};
        for (const auto &record : records) {
            std::string line;
            for (const std::string &v : record)
                line += (line.empty() ? "" : " ") + v;
            lines.push_back(line);
        }
        return crlf(lines);
    }
};

ProjectLines readProject(const fs::path &file)
{
    ProjectLines project;
    const std::vector<std::string> lines = fileLines(file);
    project.title = lines.at(0);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::istringstream words(lines[i]);
        std::vector<std::string> record;
        for (std::string w; words >> w;)
            record.push_back(w);
        if (!record.empty())
            project.records.push_back(record);
    }
    return project;
}

// Record indices (into ProjectLines::records) of the fixed records and the layers.
constexpr std::size_t kUnits = 0, kControl = 1, kShaft = 2, kProfile = 3;

struct LayerLines {
    int code = 0;
    std::size_t header = 0;
    std::size_t values = 0; // first of its two top/bottom lines
};

std::vector<LayerLines> layersOf(const ProjectLines &project)
{
    std::vector<LayerLines> layers;
    const int count = static_cast<int>(project.value(kProfile, 0));
    std::size_t r = kProfile + 1;
    for (int k = 0; k < count; ++k) {
        LayerLines layer{static_cast<int>(project.value(r, 0)), r, r + 1};
        layers.push_back(layer);
        r += 3;
        if (layer.code == 1)
            r += 2; // method and coefficient lines
        else if (layer.code == 2 || layer.code == 3)
            r += 1; // coefficient line
    }
    return layers;
}

struct Outcome {
    int status = -1;
    AnalysisResults results;
};

Outcome run(const ScratchFolder &folder, const std::string &name, const std::string &content)
{
    const RunFiles files = filesForProject(folder / (name + ".vrd"));
    writeFile(files.input, content);
    Outcome out;
    RunOptions options;
    options.results = &out.results;
    out.status = runAnalysis(files, options);
    return out;
}

std::vector<fs::path> engineProjects()
{
    std::vector<fs::path> projects;
    for (const fs::path &folder : {fs::path(VORNA_EXAMPLES), fs::path(VORNA_TEST_DATA)})
        for (const auto &entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".vrd")
                projects.push_back(entry.path());
    std::sort(projects.begin(), projects.end());
    return projects;
}

// Equal to print precision: relative `tolerance`, and an absolute floor for values near 0.
void expectClose(double actual, double expected, double tolerance, const std::string &what)
{
    EXPECT_NEAR(actual, expected, tolerance * std::max(1.0, std::fabs(expected))) << what;
}

void expectSameRow(const ResultRow &a, const ResultRow &b, double tolerance, const std::string &at)
{
    expectClose(a.length, b.length, tolerance, at + " LENGTH");
    expectClose(a.volume, b.volume, tolerance, at + " VOLUME");
    expectClose(a.QS, b.QS, tolerance, at + " QS");
    expectClose(a.QB, b.QB, tolerance, at + " QB");
    expectClose(a.QU, b.QU, tolerance, at + " QU");
    expectClose(a.QBD, b.QBD, tolerance, at + " QBD");
    expectClose(a.QDN, b.QDN, tolerance, at + " QDN");
    expectClose(a.QUperVolume, b.QUperVolume, tolerance, at + " QU/VOLUME");
}

void expectSameCurves(const DiameterResult &a, const DiameterResult &b, double tolerance,
                      const std::string &at)
{
    ASSERT_EQ(a.curves.size(), b.curves.size()) << at;
    for (std::size_t c = 0; c < a.curves.size(); ++c) {
        ASSERT_EQ(a.curves[c].size(), b.curves[c].size()) << at;
        for (std::size_t p = 0; p < a.curves[c].size(); ++p) {
            const std::string point =
                at + " curve " + std::to_string(c + 1) + " point " + std::to_string(p + 1);
            const SettlementPoint &x = a.curves[c][p];
            const SettlementPoint &y = b.curves[c][p];
            expectClose(x.topLoad, y.topLoad, tolerance, point + " top load");
            expectClose(x.topMovement, y.topMovement, tolerance, point + " top movement");
            expectClose(x.tipLoad, y.tipLoad, tolerance, point + " tip load");
            expectClose(x.tipMovement, y.tipMovement, tolerance, point + " tip movement");
        }
    }
}

// The project analysing only `stemDiameter` (input units), with what the method ties to
// the first diameter of the series set as the series gives it to this diameter.
std::string singleDiameterProject(ProjectLines project, double stemDiameter)
{
    const bool si = project.value(kUnits, 0) == 2.0;
    const double toFt = si ? kFtPerM : 1.0;
    const double first = project.value(kShaft, 0);
    const double scale = stemDiameter / first;
    project.set(kShaft, 0, stemDiameter);
    project.set(kShaft, 1, stemDiameter);
    double top = 0.0;
    for (const LayerLines &layer : layersOf(project)) {
        const double bottom = project.value(layer.header, 1);
        const auto type = static_cast<SoilType>(layer.code);
        if (layer.code >= 4 && layer.code <= 7) {
            constexpr std::size_t kBds = 4;
            for (std::size_t end = 0; end < 2; ++end) {
                const double bds = project.value(layer.values + end, kBds);
                // Decomposed rock without a socket diameter takes the first diameter.
                project.set(layer.values + end, kBds, bds > 0.0 ? bds * scale : first);
            }
        }
        if ((layer.code == 2 || layer.code == 3) && project.value(layer.values, 0) < 0.00001 &&
            project.value(layer.values + 1, 0) < 0.00001) {
            project.set(layer.values, 0, automaticNc(type, top * toFt, first * toFt));
            project.set(layer.values + 1, 0, automaticNc(type, bottom * toFt, first * toFt));
        }
        top = bottom;
    }
    return project.text();
}

// Every diameter of one project's series against the same diameter run alone.
void checkSeriesInvariance(const fs::path &file)
{
    ScratchFolder folder;
    const ProjectLines project = readProject(file);
    const Outcome series = run(folder, "series", project.text());
    if (series.status != kStatusOk)
        return;
    const bool designLoad = project.value(kControl, 0) == 1.0;
    for (const DiameterResult &block : series.results.diameters) {
        const std::string at = "D = " + std::to_string(block.stemDiameter);
        const Outcome alone =
            run(folder, "alone", singleDiameterProject(project, block.stemDiameter));
        // A diameter that does not reach the design load alone ends the run there, and
        // so does one without room for a single row.
        if ((designLoad && !block.designLoadReached) || block.rows.empty()) {
            EXPECT_EQ(alone.status, kStatusNeedAnotherLayer) << at;
            continue;
        }
        ASSERT_EQ(alone.status, kStatusOk) << at;
        ASSERT_EQ(alone.results.diameters.size(), 1u) << at;
        const DiameterResult &single = alone.results.diameters.front();
        ASSERT_EQ(single.rows.size(), block.rows.size()) << at;
        for (std::size_t r = 0; r < block.rows.size(); ++r)
            expectSameRow(single.rows[r], block.rows[r], 1e-9,
                          at + " row " + std::to_string(r + 1));
        EXPECT_EQ(single.tipSoil, block.tipSoil) << at;
        expectSameCurves(single, block, 1e-9, at);
    }
}

TEST(SeriesInvariance, EachDiameterAloneGivesItsBlockOfTheSeries)
{
    for (const fs::path &file : engineProjects()) {
        SCOPED_TRACE(file.filename().string());
        checkSeriesInvariance(file);
    }
}

// English to SI by the factors the engine converts SI input with.
enum class Kind { None, Length, Load, Stress, UnitWeight, Modulus, Slump };

double toSi(double english, Kind kind)
{
    switch (kind) {
    case Kind::None:
        return english;
    case Kind::Length:
        return english / kFtPerM;
    case Kind::Load:
        return english / kTonsPerKN;
    case Kind::Stress:
        return english / kPsfPerKPa;
    case Kind::UnitWeight:
        return english / kPcfPerKNPerM3;
    case Kind::Modulus:
        return english * 144.0 / kPsfPerKPa; // psi to tsf, tsf back to kPa
    case Kind::Slump:
        return english * 25.4 / 1000.0;
    }
    return english;
}

void convertRecord(ProjectLines &project, std::size_t record, const std::vector<Kind> &kinds)
{
    for (std::size_t i = 0; i < kinds.size() && i < project.records[record].size(); ++i)
        if (kinds[i] != Kind::None)
            project.set(record, i, toSi(project.value(record, i), kinds[i]));
}

ProjectLines siTwin(ProjectLines project)
{
    using K = Kind;
    const bool designLoad = project.value(kControl, 0) == 1.0;
    const std::vector<LayerLines> layers = layersOf(project);
    project.set(kUnits, 0, 2.0);
    convertRecord(project, kControl, {K::None, K::None, K::None, K::Length});
    convertRecord(project, kShaft,
                  {K::Length, K::Length, K::None, K::None, K::Length, K::Length, K::Modulus});
    convertRecord(project, kProfile, {K::None, K::Length, designLoad ? K::Load : K::Length});
    for (const LayerLines &layer : layers) {
        convertRecord(project, layer.header, {K::None, K::Length});
        std::vector<Kind> kinds;
        switch (layer.code) {
        case 1:
        case 2:
        case 3:
            kinds = {K::None, K::UnitWeight, K::None, K::Stress, K::None, K::Stress, K::Stress};
            break;
        case 4:
        case 7:
            kinds = {K::Stress, K::Stress,  K::Length, K::Length, K::Length,
                     K::Stress, K::Modulus, K::None,   K::Stress};
            break;
        case 5:
            kinds = {K::UnitWeight, K::None, K::None, K::Modulus, K::Length, K::Stress, K::Stress};
            break;
        case 6:
            kinds = {K::Stress, K::None,    K::Slump, K::None,  K::Length,
                     K::Stress, K::Modulus, K::None,  K::Stress};
            break;
        default: // gravelly sand, gravel
            kinds = {K::UnitWeight, K::None, K::None, K::Stress, K::Stress};
            break;
        }
        convertRecord(project, layer.values, kinds);
        convertRecord(project, layer.values + 1, kinds);
    }
    return project;
}

ResultRow rowInEnglish(ResultRow r, bool lrfd)
{
    r.length *= kFtPerM;
    r.volume *= kCuYdPerCuM;
    for (double *load : {&r.QS, &r.QB, &r.QU, &r.QBD, &r.QDN})
        *load *= kTonsPerKN;
    r.QUperVolume *= lrfd ? kTonsPerKN : kTonsPerKN / kCuYdPerCuM;
    return r;
}

DiameterResult curvesInEnglish(DiameterResult d)
{
    for (auto &curve : d.curves)
        for (SettlementPoint &p : curve) {
            p.topLoad *= kTonsPerKN;
            p.tipLoad *= kTonsPerKN;
            p.topMovement *= kFtPerM * kInPerFt;
            p.tipMovement *= kFtPerM * kInPerFt;
        }
    return d;
}

// Print precision of the report: the SI output factors are rounded to four or five digits
// (8.896 kN per ton, 4.448 N per lb, 6.894 kPa per psi), so a few parts in ten thousand
// stay between the two.
constexpr double kRowTolerance = 2e-4;
constexpr double kCurveTolerance = 2e-3;

// One English project against its SI twin; false when the project does not apply.
bool checkUnitInvariance(const fs::path &file)
{
    const ProjectLines english = readProject(file);
    if (english.value(kUnits, 0) == 2.0)
        return false;
    ScratchFolder folder;
    const Outcome en = run(folder, "en", english.text());
    const Outcome si = run(folder, "si", siTwin(english).text());
    EXPECT_EQ(si.status, en.status);
    if (en.status != kStatusOk || si.status != kStatusOk)
        return false;
    const bool lrfd = en.results.lrfd;
    EXPECT_EQ(si.results.diameters.size(), en.results.diameters.size());
    for (std::size_t d = 0; d < std::min(en.results.diameters.size(), si.results.diameters.size());
         ++d) {
        const DiameterResult &e = en.results.diameters[d];
        const DiameterResult &s = si.results.diameters[d];
        const std::string at = "D = " + std::to_string(e.stemDiameter);
        EXPECT_EQ(s.rows.size(), e.rows.size()) << at;
        for (std::size_t r = 0; r < std::min(e.rows.size(), s.rows.size()); ++r)
            expectSameRow(rowInEnglish(s.rows[r], lrfd), e.rows[r], kRowTolerance,
                          at + " row " + std::to_string(r + 1));
        expectSameCurves(curvesInEnglish(s), e, kCurveTolerance, at);
    }
    EXPECT_EQ(si.results.best.has_value(), en.results.best.has_value());
    if (en.results.best && si.results.best) {
        expectClose(si.results.best->length * kFtPerM, en.results.best->length, 1e-9,
                    "design length of the most efficient shaft");
        expectClose(si.results.best->stemDiameter * kFtPerM, en.results.best->stemDiameter, 1e-9,
                    "diameter of the most efficient shaft");
    }
    return true;
}

// Everything a run leaves: status, files, console lines, TZDATA.DAT listing and results.
struct WholeRun {
    int status = -1;
    std::string report, plot, runtime, console, listing;
    std::size_t diameters = 0;
    std::string rows; // every result row's values, printed in full
    std::string best;
};

WholeRun runWhole(const fs::path &project, const ScratchFolder &folder, bool parallel)
{
    const RunFiles files = filesForProject(folder / project.filename().string());
    fs::copy_file(project, files.input, fs::copy_options::overwrite_existing);
    for (const fs::path &out : {files.report, files.plot, files.runtime})
        fs::remove(out);
    WholeRun run;
    AnalysisResults results;
    RunOptions options;
    options.parallelDiameters = parallel;
    options.dateTime = LocalDateTime{2026, 12, 11, 9, 5, 3}; // both runs print the same time
    options.results = &results;
    options.console = [&run](std::string_view line) { run.console.append(line).append("\n"); };
    options.diagnosticSink = [&run](std::string_view listing) { run.listing = listing; };
    run.status = runAnalysis(files, options);
    for (auto [path, text] : {std::pair{&files.report, &run.report},
                              {&files.plot, &run.plot},
                              {&files.runtime, &run.runtime}})
        if (fs::exists(*path))
            *text = readFile(*path);
    run.diameters = results.diameters.size();
    char value[40];
    for (const DiameterResult &d : results.diameters)
        for (const ResultRow &r : d.rows)
            for (double v : {r.length, r.volume, r.QS, r.QB, r.QU, r.QBD, r.QDN, r.QUperVolume}) {
                std::snprintf(value, sizeof value, "%.17g ", v);
                run.rows += value;
            }
    if (results.best) {
        std::snprintf(value, sizeof value, "%.17g %.17g", results.best->stemDiameter,
                      results.best->QUperVolume);
        run.best = value;
    }
    return run;
}

// Diameters analysed two at a time give, byte for byte, what one after the other gives:
// finished series, series stopped for want of a layer, runs ended by an error at some
// diameter, and bad input.
TEST(ParallelDiameters, GiveWhatOneAfterTheOtherGives)
{
    std::vector<fs::path> projects = engineProjects();
    for (const fs::path &folder :
         {fs::path(VORNA_BAD_INPUT), fs::path(VORNA_TEST_DATA).parent_path() / "fuzz_regressions"})
        for (const auto &entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".vrd")
                projects.push_back(entry.path());
    ASSERT_GT(projects.size(), 30u);
    const ScratchFolder folder;
    for (const fs::path &project : projects) {
        SCOPED_TRACE(project.filename().string());
        const WholeRun one = runWhole(project, folder, false);
        const WholeRun two = runWhole(project, folder, true);
        EXPECT_EQ(two.status, one.status);
        EXPECT_EQ(two.report, one.report);
        EXPECT_EQ(two.plot, one.plot);
        EXPECT_EQ(two.runtime, one.runtime);
        EXPECT_EQ(two.console, one.console);
        EXPECT_EQ(two.listing, one.listing);
        EXPECT_EQ(two.diameters, one.diameters);
        EXPECT_EQ(two.rows, one.rows);
        EXPECT_EQ(two.best, one.best);
    }
}

TEST(UnitInvariance, AnSiTwinGivesTheEnglishResults)
{
    int compared = 0;
    for (const fs::path &file : engineProjects()) {
        SCOPED_TRACE(file.filename().string());
        compared += checkUnitInvariance(file) ? 1 : 0;
    }
    EXPECT_GE(compared, 3); // the sweep must not pass by skipping every project
}

// The stations of one uniform clay layer worked by hand. Clay from 0 to 60 ft, cu from
// 1000 to 4000 psf, alpha 0.5 entered, no limits; one 3.5 ft shaft to a design depth of
// 40 ft. The unit side resistance at a step ending at z is f(z) = 0.5 cu(z) / 2000 tsf =
// 0.25 + 0.0125 z tsf; the rows run from 1 to 40 ft.
TEST(LoadTransferHandOver, StationsOfAUniformClayLayerWorkedByHand)
{
    ScratchFolder folder;
    const RunFiles files = filesForProject(folder / "clay.vrd");
    writeFile(files.input,
              crlf({"Uniform clay", "1", "2 1 1 1 1 2", "3.5 3.5 0 0 0 0 4000000", "1 100 40 2.5 3",
                    "2 60", "0 120 0 1000 0 0 0 1 1", "0 120 0 4000 0 0 0 1 1", "0.5 0.5"}));
    ASSERT_EQ(runAnalysis(files), kStatusOk);

    const auto fPsi = [](double zFt) { return (0.25 + 0.0125 * zFt) * 2000.0 / 144.0; };
    // The layer's limits are the tips of its first and last rows: 12 in and 480 in (the
    // design length, not the 60 ft bottom of the walk); M = 246 in, B' = 479.99 in.
    const double depthsIn[] = {12.0, 129.0, 246.0, 362.995, 479.99};
    // Stations 1 to 4 read the row profile, linear in z here; station 5 reads the layer
    // from f(1 ft) at 12 in to f(40 ft) at 480 in, so it is f at the tip less 0.01 in.
    const double fmaxPsi[] = {fPsi(1.0), fPsi(129.0 / 12.0), fPsi(246.0 / 12.0),
                              fPsi(362.995 / 12.0),
                              fPsi(40.0) - 0.01 * (fPsi(40.0) - fPsi(1.0)) / 468.0};
    EXPECT_NEAR(fmaxPsi[4], 10.4165, 1e-4); // 0.75 tsf at the tip

    // TZDATA.DAT lists the lower-bound curves of the last run: the second point of the
    // cohesive lower-bound curve carries 0.29 fmax at 0.1 % of D.
    const std::vector<std::string> listing = fileLines(folder / "TZDATA.DAT");
    std::vector<std::pair<double, double>> stations; // depth, fmax
    for (std::size_t i = 0; i + 2 < listing.size(); ++i) {
        std::istringstream words(listing[i]);
        int number = 0, points = 0;
        double depth = 0.0;
        std::string rest;
        if (!(words >> number >> points >> depth) || points != 10 || (words >> rest))
            continue;
        std::istringstream second(listing[i + 2]);
        double transfer = 0.0, movement = 0.0;
        ASSERT_TRUE(second >> transfer >> movement) << listing[i + 2];
        stations.emplace_back(depth, transfer / 0.29);
    }
    ASSERT_EQ(stations.size(), 5u);
    for (std::size_t s = 0; s < 5; ++s) {
        SCOPED_TRACE("station " + std::to_string(s + 1));
        EXPECT_NEAR(stations[s].first, depthsIn[s], 5e-4 * depthsIn[s]);
        EXPECT_NEAR(stations[s].second, fmaxPsi[s], 1e-3 * fmaxPsi[s]);
    }
}

} // namespace
