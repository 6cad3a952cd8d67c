// Run-wide state of one analysis: the open files, the console channel, the input as
// read, and the run status. One object per run, passed by reference; nothing survives it.
#pragma once

#include "input/input_data.h"
#include "report/text_out.h"
#include "vornacalc/engine.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorna {

// Ends a run early with its status; thrown after the message is written, caught only by
// the run's top level.
struct RunStopped {
    int status;
};

struct RunContext {
    RunFiles files;
    RunOptions options;

    TextOut report;
    TextOut plot;
    TextOut runtime;

    InputData input;
    int status = kStatusOk;

    // Writes the diagnostic listing of the last load-settlement run; called once as the
    // run closes its files.
    std::function<void()> deferredDiagnostics;

    void console(std::string_view text) const
    {
        if (options.console)
            options.console(text);
    }
    void consoleEmpty(int count) const
    {
        for (int i = 0; i < count; ++i)
            console({});
    }
    // A line to the report and the console, as most echo lines go.
    void reportAndConsole(std::string_view text)
    {
        console(text);
        report.line(text);
    }
};

// The framed block "*****ERROR*****" with its message lines, to the report and the
// run-time file, indented 5 columns like the report's own blocks.
void writeErrorBlock(RunContext &run, const std::vector<std::string> &lines);

// The framed block "*****WARNING*****" with its message lines, to the report and the
// run-time file; the run goes on.
void writeWarningBlock(RunContext &run, const std::vector<std::string> &lines);

// Writes the error block and ends the run with `status`.
[[noreturn]] void stopWithError(RunContext &run, int status, const std::vector<std::string> &lines);

inline constexpr std::string_view kErrorFrame = "*********************ERROR**********************";
inline constexpr std::string_view kWarningFrame =
    "*********************WARNING**********************";

} // namespace vorna
