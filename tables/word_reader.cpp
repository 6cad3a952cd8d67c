#include "word_reader.h"

#include <QFile>

#include <charconv>
#include <cmath>
#include <limits>

namespace vorna {

namespace {

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The plain decimal form the engine writes: [-]digits[.digits][(e|E)[+|-]digits], at least one
// digit before the exponent. Anything else (a sign '+', blanks Qt would trim, "inf", hex) goes
// the way it always went, through QString::toDouble, so that every token reads as before.
bool isPlainDecimal(const char *p, const char *end)
{
    if (p != end && *p == '-')
        ++p;
    int digits = 0;
    while (p != end && *p >= '0' && *p <= '9') {
        ++p;
        ++digits;
    }
    if (p != end && *p == '.') {
        ++p;
        while (p != end && *p >= '0' && *p <= '9') {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        if (p == end)
            return false;
        while (p != end && *p >= '0' && *p <= '9')
            ++p;
    }
    return p == end;
}

// A token narrowed to bytes and read by std::from_chars (correctly rounded, as Qt's own
// conversion is). False when the token is not a plain decimal or the value is out of the
// normal range (Qt turns underflow into a failure): the caller then asks Qt.
bool fastToDouble(QStringView token, double &value)
{
    constexpr qsizetype kLongest = 64;
    if (token.size() > kLongest)
        return false;
    char bytes[kLongest];
    for (qsizetype i = 0; i < token.size(); ++i) {
        const char16_t c = token[i].unicode();
        if (c > 0x7f)
            return false;
        bytes[i] = static_cast<char>(c);
    }
    const char *end = bytes + token.size();
    if (!isPlainDecimal(bytes, end))
        return false;
    const auto [ptr, ec] = std::from_chars(bytes, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return false;
    if (value == 0.0) {
        // Zero only when every digit is: a tiny value rounding to zero is an underflow.
        for (const char *p = bytes; p != end && *p != 'e' && *p != 'E'; ++p) {
            if (*p >= '1' && *p <= '9')
                return false;
        }
        return true;
    }
    return std::fabs(value) >= std::numeric_limits<double>::min();
}

double toDouble(QStringView token, bool &ok)
{
    double value = 0.0;
    if (fastToDouble(token, value)) {
        ok = true;
        return value;
    }
    return token.toString().toDouble(&ok); // "." whatever the locale
}

} // namespace

TWordReader::TWordReader(const QString &text) : m_text(text)
{
    // CR LF, LF and CR alone each end a line; the end of the last line opens no new one.
    const qsizetype size = m_text.size();
    const QChar *chars = m_text.constData();
    // Room for the tokens and lines of a plot data file at once (its numbers take about 11
    // characters with their blanks, its lines about 100), so that a large file is not moved
    // again and again while it is split.
    m_tokens.reserve(static_cast<std::size_t>(size / 8 + 16));
    m_lines.reserve(static_cast<std::size_t>(size / 64 + 16));
    qsizetype begin = 0;
    while (begin < size) {
        qsizetype end = begin;
        while (end < size && chars[end] != u'\r' && chars[end] != u'\n')
            ++end;
        qsizetype next = end + 1;
        if (next < size && chars[end] == u'\r' && chars[next] == u'\n')
            ++next;
        Line line;
        line.begin = begin;
        line.end = end;
        line.firstToken = static_cast<qsizetype>(m_tokens.size());
        qsizetype p = begin;
        while (p < end) {
            while (p < end && isSeparator(chars[p]))
                ++p;
            if (p == end)
                break;
            const qsizetype start = p;
            while (p < end && !isSeparator(chars[p]))
                ++p;
            m_tokens.push_back({start, p - start});
        }
        line.tokenCount =
            static_cast<int>(static_cast<qsizetype>(m_tokens.size()) - line.firstToken);
        m_lines.push_back(line);
        begin = next;
    }
}

TWordReader TWordReader::fromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInputError::cannotOpen(fileName, file.errorString());
    return TWordReader(QString::fromLatin1(file.readAll()));
}

QStringView TWordReader::nextTokenView()
{
    while (m_line < static_cast<int>(m_lines.size()) &&
           m_token >= m_lines[static_cast<std::size_t>(m_line)].tokenCount) {
        ++m_line;
        m_token = 0;
    }
    if (AtEnd())
        throw EInputError::incomplete();
    const Line &line = m_lines[static_cast<std::size_t>(m_line)];
    const Token &token = m_tokens[static_cast<std::size_t>(line.firstToken + m_token++)];
    return QStringView(m_text).mid(token.begin, token.length);
}

QString TWordReader::NextToken()
{
    return nextTokenView().toString();
}

double TWordReader::NextReal()
{
    bool ok = false;
    const double value = toDouble(nextTokenView(), ok);
    if (!ok || !std::isfinite(value))
        throw EInputError::notAReal(LineNumber(), ItemNumber());
    return value;
}

int TWordReader::NextInteger()
{
    bool ok = false;
    const double value = toDouble(nextTokenView(), ok);
    if (!ok || value != std::trunc(value) || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max())
        throw EInputError::notAnInteger(LineNumber(), ItemNumber());
    return static_cast<int>(value);
}

QString TWordReader::RestOfLine()
{
    if (AtEnd())
        throw EInputError::incomplete();
    const Line &line = m_lines[static_cast<std::size_t>(m_line)];
    const QString raw = m_text.mid(line.begin, line.end - line.begin);
    NextLine();
    return raw;
}

void TWordReader::NextLine()
{
    if (AtEnd())
        return;
    ++m_line;
    m_token = 0;
}

bool TWordReader::AtEnd() const
{
    return m_line >= static_cast<int>(m_lines.size());
}

int TWordReader::TokenCount() const
{
    return AtEnd() ? 0 : m_lines[static_cast<std::size_t>(m_line)].tokenCount;
}

int TWordReader::RemainingTokenCount() const
{
    return AtEnd() ? 0 : TokenCount() - m_token;
}

} // namespace vorna
