#include "word_reader.h"

#include <QFile>

#include <cmath>
#include <limits>

namespace vorna {

namespace {

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

} // namespace

TWordReader::TWordReader(const QString &text)
{
    // CR LF, LF and CR alone each end a line; the end of the last line opens no new one.
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QString raw = text.mid(start, end - start);
        m_lines.push_back({raw, tokensOf(raw)});
        if (end + 1 < size && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

TWordReader TWordReader::fromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInputError::cannotOpen(fileName, file.errorString());
    return TWordReader(QString::fromLatin1(file.readAll()));
}

QString TWordReader::NextToken()
{
    while (m_line < static_cast<int>(m_lines.size()) &&
           m_token >= m_lines[static_cast<std::size_t>(m_line)].tokens.size()) {
        ++m_line;
        m_token = 0;
    }
    if (AtEnd())
        throw EInputError::incomplete();
    return m_lines[static_cast<std::size_t>(m_line)].tokens[m_token++];
}

double TWordReader::NextReal()
{
    const QString token = NextToken();
    bool ok = false;
    const double value = token.toDouble(&ok); // "." whatever the locale
    if (!ok || !std::isfinite(value))
        throw EInputError::notAReal(LineNumber(), ItemNumber());
    return value;
}

int TWordReader::NextInteger()
{
    const QString token = NextToken();
    bool ok = false;
    const double value = token.toDouble(&ok);
    if (!ok || value != std::trunc(value) || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max())
        throw EInputError::notAnInteger(LineNumber(), ItemNumber());
    return static_cast<int>(value);
}

QString TWordReader::RestOfLine()
{
    if (AtEnd())
        throw EInputError::incomplete();
    const QString raw = m_lines[static_cast<std::size_t>(m_line)].raw;
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
    return AtEnd() ? 0 : static_cast<int>(m_lines[static_cast<std::size_t>(m_line)].tokens.size());
}

int TWordReader::RemainingTokenCount() const
{
    return AtEnd() ? 0 : TokenCount() - m_token;
}

} // namespace vorna
