#include "run/run_context.h"

#include "report/fixed_field.h"

namespace vorna {

namespace {

void writeFramedBlock(RunContext &run, std::string_view frame,
                      const std::vector<std::string> &lines)
{
    for (TextOut *out : {&run.report, &run.runtime}) {
        out->emptyLines(2);
        out->line(blanks(5) + std::string(frame));
        for (const std::string &text : lines)
            out->line(blanks(5) + text);
        out->emptyLines(1);
    }
}

} // namespace

void writeWarningBlock(RunContext &run, const std::vector<std::string> &lines)
{
    writeFramedBlock(run, kWarningFrame, lines);
}

void writeErrorBlock(RunContext &run, const std::vector<std::string> &lines)
{
    writeFramedBlock(run, kErrorFrame, lines);
    run.consoleEmpty(1);
    for (const std::string &text : lines)
        run.console(blanks(5) + text);
}

void stopWithError(RunContext &run, int status, const std::vector<std::string> &lines)
{
    writeErrorBlock(run, lines);
    throw RunStopped{status};
}

} // namespace vorna
