#include "run/run_outputs.h"

#include "run/run_context.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace vorna {

namespace {

namespace fs = std::filesystem;

// The path made absolute and normal, for comparing names; letters folded where the file
// system ignores their case.
std::string comparable(const fs::path &path)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (ec)
        absolute = path;
    std::string text = absolute.lexically_normal().string();
#if defined(_WIN32)
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
#endif
    return text;
}

bool sameFile(const fs::path &a, const fs::path &b)
{
    if (comparable(a) == comparable(b))
        return true;
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec) && !ec;
}

// An earlier output of the name is removed only when it is a plain file (or a link).
void removeFile(const fs::path &path)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (ec || !(fs::is_regular_file(status) || fs::is_symlink(status)))
        return;
    fs::remove(path, ec);
}

struct Output {
    const fs::path &finalName;
    TextOut &stream;
};

std::array<Output, 3> outputsOf(RunContext &run)
{
    // The report first: a run whose report cannot be put in place keeps nothing else that
    // could pass for its results.
    return {{{run.files.report, run.report},
             {run.files.runtime, run.runtime},
             {run.files.plot, run.plot}}};
}

std::vector<std::string> problemLines(const FileProblem &problem)
{
    return {"THE FILE " + problem.file.string() + " COULD NOT BE WRITTEN:", problem.reason + ".",
            "THIS RUN KEEPS NO PLOT DATA FILE; ITS RESULTS ARE INCOMPLETE."};
}

} // namespace

fs::path temporaryOutputName(const fs::path &finalName)
{
    fs::path name = finalName;
    name += ".tmp";
    return name;
}

std::optional<FileProblem> sharedFileName(const RunFiles &files)
{
    const std::pair<const fs::path *, const char *> named[] = {
        {&files.input, "the input data file"},
        {&files.report, "the report"},
        {&files.plot, "the plot data file"},
        {&files.runtime, "the run-time file"},
    };
    for (std::size_t i = 0; i < std::size(named); ++i) {
        for (std::size_t j = i + 1; j < std::size(named); ++j) {
            if (sameFile(*named[i].first, *named[j].first))
                return FileProblem{*named[j].first, std::string("named both as ") +
                                                        named[i].second + " and as " +
                                                        named[j].second};
        }
    }
    return std::nullopt;
}

std::optional<FileProblem> outputNameInTheWay(const RunFiles &files)
{
    for (const fs::path *name : {&files.report, &files.plot, &files.runtime}) {
        std::error_code ec;
        const fs::file_status status = fs::status(*name, ec);
        if (fs::exists(status) && !fs::is_regular_file(status))
            return FileProblem{*name, std::make_error_code(std::errc::is_a_directory).message()};
    }
    return std::nullopt;
}

std::optional<FileProblem> openOutputs(RunContext &run)
{
    std::optional<FileProblem> problem;
    for (const Output &out : outputsOf(run)) {
        if (!out.stream.open(temporaryOutputName(out.finalName)) && !problem)
            problem = FileProblem{out.finalName, out.stream.failure()};
    }
    return problem;
}

std::jthread removeEarlierOutputs(const RunFiles &files)
{
    const auto remove = [files] {
        for (const fs::path *name : {&files.report, &files.plot, &files.runtime})
            removeFile(*name);
    };
    try {
        return std::jthread(remove);
    } catch (const std::system_error &) {
        // No thread to be had: removed here, before the run goes on.
    }
    remove();
    return {};
}

std::optional<FileProblem> finishOutputs(RunContext &run, std::optional<FileProblem> problem)
{
    const std::array<Output, 3> outputs = outputsOf(run);
    for (const Output &out : outputs) {
        if (!out.stream.flush() && !problem)
            problem = FileProblem{out.finalName, out.stream.failure()};
    }
    if (problem) {
        run.status = kStatusOutputNotWritable;
        writeErrorBlock(run, problemLines(*problem));
    }
    bool complete[3];
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        complete[i] = outputs[i].stream.close();
        if (!complete[i] && !problem) {
            problem = FileProblem{outputs[i].finalName, outputs[i].stream.failure()};
            run.status = kStatusOutputNotWritable;
        }
    }
    const bool reported = problem.has_value();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const Output &out = outputs[i];
        const fs::path temporary = temporaryOutputName(out.finalName);
        const bool isPlot = &out.stream == &run.plot;
        if (complete[i] && problem && !reported && &out.stream == &run.runtime) {
            // The report could not be put in place: the run-time file says why.
            out.stream.open(temporary, true);
            writeErrorBlock(run, problemLines(*problem));
            complete[i] = out.stream.close();
        }
        if (complete[i] && !(isPlot && problem)) {
            std::error_code ec;
            fs::rename(temporary, out.finalName, ec);
            if (!ec)
                continue;
            if (!problem) {
                problem = FileProblem{out.finalName, ec.message()};
                run.status = kStatusOutputNotWritable;
            }
        }
        removeFile(temporary);
        removeFile(out.finalName);
    }
    return problem;
}

void discardOutputs(const RunFiles &files)
{
    for (const fs::path *name : {&files.report, &files.plot, &files.runtime}) {
        removeFile(temporaryOutputName(*name));
        removeFile(*name);
    }
}

} // namespace vorna
