#include "load_test_csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

namespace vorna::cli {

namespace {

constexpr std::uintmax_t kMaxFileBytes = 4 * 1024 * 1024; // far above 10,000 lines of two numbers

// Exact factors to kN and m; the English units of the curves are short tons (2000 lbf) and in.
constexpr double kKNPerPound = 0.0044482216152605;
constexpr double kKNPerTon = 2000.0 * kKNPerPound;
constexpr double kMPerIn = 0.0254;

struct UnitRow {
    const char *text;
    double factor; // to kN or m
};
constexpr std::array<UnitRow, 5> kLoadUnits = {{{"tons", kKNPerTon},
                                                {"kips", 1000.0 * kKNPerPound},
                                                {"lb", kKNPerPound},
                                                {"kN", 1.0},
                                                {"MN", 1000.0}}};
constexpr std::array<UnitRow, 5> kSettlementUnits = {
    {{"in", kMPerIn}, {"ft", 12.0 * kMPerIn}, {"mm", 0.001}, {"cm", 0.01}, {"m", 1.0}}};

struct Alias {
    const char *text;
    const char *unit;
};
constexpr Alias kLoadAliases[] = {{"ton", "tons"}, {"kip", "kips"}, {"lbs", "lb"},
                                  {"lbf", "lb"},   {"kn", "kN"},    {"mn", "MN"}};
constexpr Alias kSettlementAliases[] = {{"inch", "in"}, {"inches", "in"}, {"in.", "in"},
                                        {"feet", "ft"}, {"mm", "mm"},     {"cm", "cm"}};

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool sameText(std::string_view a, std::string_view b)
{
    return lower(a) == lower(b);
}

std::string trimmed(std::string_view text)
{
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string unquoted(std::string_view field)
{
    std::string text = trimmed(field);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = trimmed(std::string_view(text).substr(1, text.size() - 2));
    return text;
}

[[noreturn]] void fail(int line, const std::string &text)
{
    throw LoadTestError("Line " + std::to_string(line) + ": " + text);
}

// The unit in brackets or parentheses of a header field: "head load (kN)" gives "kN".
std::string unitOf(const std::string &field)
{
    for (const auto &[open, close] : {std::pair{'(', ')'}, std::pair{'[', ']'}}) {
        const std::size_t start = field.rfind(open);
        const std::size_t end = field.rfind(close);
        if (start != std::string::npos && end != std::string::npos && end > start)
            return trimmed(std::string_view(field).substr(start + 1, end - start - 1));
    }
    return {};
}

template <std::size_t N, std::size_t M>
std::optional<double> factorOf(std::string text, const std::array<UnitRow, N> &units,
                               const Alias (&aliases)[M])
{
    text = trimmed(text);
    for (const Alias &a : aliases)
        if (sameText(text, a.text))
            text = a.unit;
    for (const UnitRow &row : units)
        if (sameText(text, row.text))
            return row.factor;
    return std::nullopt;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        fields.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return fields;
        start = at + 1;
    }
}

char separatorOf(const std::string &header)
{
    if (header.find(';') != std::string::npos)
        return ';';
    if (header.find('\t') != std::string::npos)
        return '\t';
    return ',';
}

struct Column {
    int index = -1;
    std::string name;
};

Column findColumn(const std::vector<std::string> &fields, std::initializer_list<const char *> words)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string name = lower(fields[i]);
        for (const char *word : words)
            if (name.find(word) != std::string::npos)
                return {static_cast<int>(i), fields[i]};
    }
    return {};
}

// A number in "." notation, as a whole field: no thousands separators, no "," decimals.
std::optional<double> parseNumber(const std::string &text)
{
    std::string_view digits = text;
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-')
        digits.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc{} || end != digits.data() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double numberAt(const std::vector<std::string> &fields, const Column &column, int line,
                const char *what)
{
    const std::string text = unquoted(fields[static_cast<std::size_t>(column.index)]);
    const std::optional<double> value = parseNumber(text);
    if (!value)
        fail(line, "\"" + text + "\" is not a number (the " + what + ").");
    return *value;
}

bool isBlankRow(const std::string &line, char separator)
{
    return std::all_of(line.begin(), line.end(), [separator](char c) {
        return std::isspace(static_cast<unsigned char>(c)) != 0 || c == separator;
    });
}

} // namespace

std::vector<SettlementPoint> readLoadTestCsv(const std::string &input, bool si)
{
    std::string text = input;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    const std::vector<std::string> lines = split(text, '\n');
    std::size_t row = 0;
    while (row < lines.size() && trimmed(lines[row]).empty())
        ++row;
    if (row == lines.size())
        fail(1, "the file is empty.");

    const int headerLine = static_cast<int>(row) + 1;
    const std::string header = trimmed(lines[row]);
    const char separator = separatorOf(header);
    std::vector<std::string> names = split(header, separator);
    for (std::string &name : names)
        name = unquoted(name);
    const Column load = findColumn(names, {"load"});
    const Column settlement = findColumn(names, {"settlement", "movement", "displacement"});
    if (load.index < 0)
        fail(headerLine, "the header names no column of loads (e.g. \"head load (kN)\").");
    if (settlement.index < 0 || settlement.index == load.index)
        fail(headerLine,
             "the header names no column of settlements (e.g. \"head settlement (mm)\").");

    const std::string loadUnit = unitOf(load.name);
    if (loadUnit.empty())
        fail(headerLine, "the unit of the loads is neither named in the header (e.g. \"head load "
                         "(kN)\") nor chosen.");
    const std::optional<double> kNPerLoad = factorOf(loadUnit, kLoadUnits, kLoadAliases);
    if (!kNPerLoad)
        fail(headerLine,
             "the load unit \"" + loadUnit + "\" is not known; use tons, kips, lb, kN or MN.");
    const std::string settlementUnit = unitOf(settlement.name);
    if (settlementUnit.empty())
        fail(headerLine, "the unit of the settlements is neither named in the header (e.g. "
                         "\"settlement (mm)\") nor chosen.");
    const std::optional<double> mPerSettlement =
        factorOf(settlementUnit, kSettlementUnits, kSettlementAliases);
    if (!mPerSettlement)
        fail(headerLine, "the settlement unit \"" + settlementUnit +
                             "\" is not known; use in, ft, mm, cm or m.");
    const double loadFactor = si ? *kNPerLoad : *kNPerLoad / kKNPerTon;
    const double settlementFactor = si ? *mPerSettlement : *mPerSettlement / kMPerIn;

    std::vector<SettlementPoint> curve;
    const std::size_t needed = static_cast<std::size_t>(std::max(load.index, settlement.index) + 1);
    double lastSettlement = 0.0;
    int lastLine = 0;
    for (++row; row < lines.size(); ++row) {
        const int line = static_cast<int>(row) + 1;
        if (isBlankRow(lines[row], separator))
            continue;
        if (static_cast<int>(curve.size()) == kMaxLoadTestPoints)
            fail(line, "more than " + std::to_string(kMaxLoadTestPoints) +
                           " points; a load test may have at most " +
                           std::to_string(kMaxLoadTestPoints) + ".");
        const std::vector<std::string> fields = split(trimmed(lines[row]), separator);
        if (fields.size() < needed)
            fail(line, std::to_string(fields.size()) + " value(s) where " + std::to_string(needed) +
                           " are needed.");
        const double loadValue = numberAt(fields, load, line, "load");
        const double settlementValue = numberAt(fields, settlement, line, "settlement");
        const std::string loadText = unquoted(fields[static_cast<std::size_t>(load.index)]);
        const std::string settlementText =
            unquoted(fields[static_cast<std::size_t>(settlement.index)]);
        if (loadValue < 0.0)
            fail(line, "the load " + loadText + " is negative.");
        if (settlementValue < 0.0)
            fail(line, "the settlement " + settlementText + " is negative.");
        if (lastLine > 0 && settlementValue < lastSettlement)
            fail(line, "the settlement " + settlementText + " is smaller than the one on line " +
                           std::to_string(lastLine) + "; settlements must not decrease.");
        lastSettlement = settlementValue;
        lastLine = line;
        SettlementPoint point;
        point.topLoad = loadValue * loadFactor;
        point.topMovement = settlementValue * settlementFactor;
        curve.push_back(point);
    }
    if (curve.empty())
        fail(headerLine, "no measured points follow the header.");
    return curve;
}

std::vector<SettlementPoint> readLoadTestFile(const std::filesystem::path &file, bool si)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        throw LoadTestError("Cannot open \"" + file.string() + "\": " + error.message());
    if (size > kMaxFileBytes)
        throw LoadTestError("\"" + file.string() + "\" is larger than a load test curve can be (" +
                            std::to_string(size) + " bytes).");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw LoadTestError("Cannot open \"" + file.string() + "\".");
    std::ostringstream text;
    text << in.rdbuf();
    if (!in.good() && !in.eof())
        throw LoadTestError("Cannot read \"" + file.string() + "\".");
    return readLoadTestCsv(text.str(), si);
}

std::filesystem::path loadTestFileName(const std::filesystem::path &project)
{
    std::filesystem::path kept = project;
    kept.replace_filename(project.stem().string() + ".loadtest.csv");
    return kept;
}

} // namespace vorna::cli
