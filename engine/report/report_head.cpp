#include "report/report_head.h"

#include "report/fixed_field.h"
#include "report/text_out.h"

#include <algorithm>
#include <array>

namespace vorna {
namespace {

std::string trimmedRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string nameAndExtension(const std::filesystem::path &path)
{
    const SplitFileName parts = splitFileName(path.string());
    return trimmedRight(parts.baseName) + trimmedRight(parts.extension);
}

} // namespace

SplitFileName splitFileName(std::string_view name)
{
    SplitFileName parts;
    std::string_view rest = name;
    if (rest.size() >= 2 && rest[1] == ':' &&
        ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
        parts.drive = std::string(rest.substr(0, 2));
        rest.remove_prefix(2);
    }
    // Everything up to the last separator, as the platform's own path splitting does;
    // for a full path that is the first separator through the last.
    const auto last = rest.find_last_of("/\\");
    if (last != std::string_view::npos) {
        parts.directory = std::string(rest.substr(0, std::min<std::size_t>(last + 1, 256)));
        rest.remove_prefix(last + 1);
    }
    const auto dot = rest.find_last_of('.');
    if (dot != std::string_view::npos) {
        parts.extension = std::string(rest.substr(dot, 5));
        rest = rest.substr(0, dot);
    }
    parts.baseName = std::string(rest.substr(0, 256));
    return parts;
}

void writeBanner(TextOut &report, std::string_view versionText)
{
    const std::string rule = blanks(5) + std::string(73, '=');
    report.line(rule);
    report.emptyLines(1);
    report.line(blanks(20) + "  VORNA for Windows, Version " + padded(versionText, 12));
    report.emptyLines(1);
    report.line(blanks(20) + "VERTICALLY LOADED DRILLED SHAFT ANALYSIS");
    report.emptyLines(1);
    report.line(rule);
    report.emptyLines(2);
}

void writeFileNames(TextOut &report, const RunFiles &files)
{
    const SplitFileName input = splitFileName(files.input.string());
    report.line(blanks(5) + "Path to file locations      : " + trimmedRight(input.drive) +
                trimmedRight(input.directory));
    report.line(blanks(5) + "Name of input data file     : " + nameAndExtension(files.input));
    report.line(blanks(5) + "Name of output file         : " + nameAndExtension(files.report));
    report.line(blanks(5) + "Name of plot output file    : " + nameAndExtension(files.plot));
    report.line(blanks(5) + "Name of runtime file        : " + nameAndExtension(files.runtime));
    report.emptyLines(2);
}

void writeDateTime(TextOut &report, const LocalDateTime &when)
{
    static constexpr std::array<std::string_view, 12> kMonths = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const auto twoDigits = [](int value) {
        std::string text = std::to_string(value);
        return text.size() < 2 ? "0" + text : text;
    };
    const int monthIndex = when.month >= 1 && when.month <= 12 ? when.month - 1 : 0;
    const std::string rule = blanks(5) + std::string(73, '-');
    report.line(rule);
    report.line(blanks(26) + "Time and Date of Analysis");
    report.line(rule);
    report.emptyLines(1);
    report.line(blanks(15) +
                "Date:  " + std::string(kMonths[static_cast<std::size_t>(monthIndex)]) + " " +
                twoDigits(when.day) + ", " + fieldI(when.year, 4) + blanks(5) + "Time:  " +
                twoDigits(when.hour) + ":" + twoDigits(when.minute) + ":" + twoDigits(when.second));
    report.emptyLines(1);
}

} // namespace vorna
