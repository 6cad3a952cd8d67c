// The desktop's reading of a plot data file: the former way (a QString per token and
// QString::toDouble, kept here as the reference) against TWordReader, interleaved, medians;
// then the whole read-and-build of the result graphs as after a Run. Every value the two
// readings give is compared bit for bit, and a sweep of printed numbers (every format the
// engine writes, and the awkward ones: denormals, underflow, overflow, signs, long digit
// strings) must read as QString::toDouble reads it.
//     plot_reader_bench FILE.vrp [RUNS]
#include "result_graphs.h"
#include "result_plot_reader.h"
#include "word_reader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {

using namespace vorna;

// The former reading: every line split into QStrings, every token converted by Qt.
bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString trimmedBlanks(const QString &s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && isSeparator(s[first]))
        ++first;
    while (last > first && isSeparator(s[last - 1]))
        --last;
    return s.mid(first, last - first);
}

QStringList tokensOf(const QString &line)
{
    QStringList tokens;
    QString rest = trimmedBlanks(line);
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && !isSeparator(rest[end]))
            ++end;
        tokens.append(rest.left(end));
        rest = trimmedBlanks(rest.mid(end));
    }
    return tokens;
}

std::vector<double> formerReading(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(file.readAll());
    QStringList lines = text.split(u'\n');
    std::vector<QStringList> tokens;
    for (QString &raw : lines) {
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        tokens.push_back(tokensOf(raw));
    }
    std::vector<double> values;
    for (const QStringList &line : tokens) {
        for (const QString &token : line) {
            bool ok = false;
            values.push_back(token.toDouble(&ok));
        }
    }
    return values;
}

std::vector<double> newReading(const QString &fileName)
{
    TWordReader reader = TWordReader::fromFile(fileName);
    std::vector<double> values;
    for (;;) {
        while (!reader.AtEnd() && reader.RemainingTokenCount() == 0)
            reader.NextLine();
        if (reader.AtEnd())
            break;
        values.push_back(reader.NextReal());
    }
    return values;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Printed numbers against QString::toDouble: value and acceptance both.
long long tokenSweep(long long count)
{
    std::mt19937_64 random(18);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-330, 310);
    std::uniform_int_distribution<int> digits(0, 20);
    const char *formats[] = {"%.*f", "%.*e", "%.*E", "%.*g", "%+.*f", "%.*a"};
    const char *awkward[] = {"0",
                             "-0",
                             "0.",
                             ".0",
                             ".",
                             "-",
                             "+",
                             "1e",
                             "1e+",
                             "e5",
                             "1.5e-400",
                             "0e-400",
                             "0.000e999",
                             "1e400",
                             "-1e400",
                             "4.9e-324",
                             "2.2e-308",
                             "2.2250738585072014e-308",
                             "1.7976931348623157e308",
                             "1.7976931348623159e308",
                             "00012.50",
                             "1,5",
                             "1.2.3",
                             "--1",
                             "inf",
                             "nan",
                             "0x10",
                             "1e5\r",
                             "\x0c"
                             "1",
                             "1\x0b",
                             "123456789012345678901234567890.123456789012345678901234567890"};
    long long differ = 0;
    auto check = [&](const char *text) {
        const QString token = QString::fromLatin1(text);
        bool qtOk = false;
        const double qtValue = token.toDouble(&qtOk);
        const bool qtAccepts = qtOk && std::isfinite(qtValue);
        TWordReader reader(token);
        bool ours = true;
        double value = 0.0;
        try {
            value = reader.NextReal();
        } catch (const EInputError &) {
            ours = false;
        }
        // A token with a blank in it is two tokens to the reader; those are not compared.
        if (token.contains(u' ') || token.contains(u'\t') || token.contains(u'\n'))
            return;
        if (ours != qtAccepts || (ours && !sameBits(value, qtValue))) {
            if (++differ <= 10)
                std::printf("differs: \"%s\"\n", text);
        }
    };
    for (const char *text : awkward)
        check(text);
    char buffer[128];
    for (long long i = 0; i < count; ++i) {
        const double v = mantissa(random) * std::pow(10.0, exponent(random));
        const char *format = formats[i % std::size(formats)];
        std::snprintf(buffer, sizeof buffer, format, digits(random), v);
        check(buffer);
    }
    return differ;
}

double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: plot_reader_bench FILE.vrp [RUNS]\n");
        return 2;
    }
    const QString fileName = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(11, std::atoi(argv[2])) : 21;

    const std::vector<double> former = formerReading(fileName);
    const std::vector<double> now = newReading(fileName);
    long long differ = former.size() == now.size() ? 0 : 1;
    for (std::size_t i = 0; i < std::min(former.size(), now.size()); ++i)
        differ += sameBits(former[i], now[i]) ? 0 : 1;
    std::printf("%zu values in the file, %lld differ\n", now.size(), differ);
    const long long sweepDiffer = tokenSweep(2000000);
    std::printf("2000000 printed numbers against QString::toDouble: %lld differ\n", sweepDiffer);

    ResultGraphs graphs;
    ResultProjectFacts facts;
    std::vector<double> formerTimes, newTimes, buildTimes;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        formerReading(fileName);
        formerTimes.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        timer.start();
        newReading(fileName);
        newTimes.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        timer.start();
        const ResultBuildOutcome outcome = graphs.BuildFromPlotFile(fileName, true, facts);
        buildTimes.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (!outcome.built) {
            std::fprintf(stderr, "not built: %s\n", qPrintable(outcome.readError));
            return 1;
        }
    }
    std::printf("medians of %d interleaved runs: former reading %.1f ms, TWordReader %.1f ms, "
                "read and build the graphs %.1f ms\n",
                runs, medianOf(formerTimes), medianOf(newTimes), medianOf(buildTimes));
    return differ == 0 && sweepDiffer == 0 ? 0 : 1;
}
