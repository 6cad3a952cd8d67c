// Tokenizer for the engine's text files and the project file: the file is read once, each
// line split into blank- or tab-separated tokens, and values are taken one after another
// across line ends. Numbers use "." as decimal separator whatever the user's locale.
#pragma once

#include "errors.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace vorna {

// Missing data or a token that is not the number asked for. The message names the line
// and item (both 1-based) of the offending token.
class EInputError : public EVornaError {
public:
    using EVornaError::EVornaError;

    static EInputError incomplete()
    {
        return EInputError(QStringLiteral("This file either invalid or incomplete."));
    }
    static EInputError cannotOpen(const QString &fileName, const QString &reason)
    {
        return EInputError(QStringLiteral("Cannot open \"%1\":\r%2").arg(fileName, reason));
    }
    static EInputError notAReal(int line, int item)
    {
        return EInputError(where(line, item) +
                           "A floating point number was expected but not found.");
    }
    static EInputError notAnInteger(int line, int item)
    {
        return EInputError(where(line, item) + "An integer was expected but not found.");
    }

private:
    static QString where(int line, int item)
    {
        return QStringLiteral("Error on Line %1 Item %2\r").arg(line).arg(item);
    }
};

class TWordReader {
public:
    // Splits text that has already been read; line ends may be CR LF, LF or CR.
    explicit TWordReader(const QString &text);

    // Reads a whole file as 8-bit text; EInputError when it cannot be opened.
    static TWordReader fromFile(const QString &fileName);

    // The next token; empty lines are passed over. EInputError at the end of the text.
    QString NextToken();
    double NextReal();
    int NextInteger();

    // The raw text of the current line; the cursor moves to the start of the next line.
    QString RestOfLine();

    // Drops what is left of the current line: the next token comes from the next line.
    void NextLine();

    bool AtEnd() const;

    // Number of lines of the text.
    int LineCount() const { return static_cast<int>(m_lines.size()); }

    // Tokens of the current line, and how many of them have not been taken yet.
    int TokenCount() const;
    int RemainingTokenCount() const;

    // The token taken last ("" before the first).
    QString LastToken() const
    {
        if (AtEnd() || m_token <= 0)
            return QString();
        const Line &line = m_lines[static_cast<std::size_t>(m_line)];
        const Token &token = m_tokens[static_cast<std::size_t>(line.firstToken + m_token - 1)];
        return m_text.mid(token.begin, token.length);
    }

    // 1-based number of the current line, and of the token taken last on it.
    int LineNumber() const { return m_line + 1; }
    int ItemNumber() const { return m_token; }

private:
    QStringView nextTokenView();

    // Lines and tokens are spans of the text, so that numbers are read without a string each.
    struct Token {
        qsizetype begin;
        qsizetype length;
    };
    struct Line {
        qsizetype begin;
        qsizetype end; // without the line end
        qsizetype firstToken;
        int tokenCount;
    };
    QString m_text;
    std::vector<Token> m_tokens;
    std::vector<Line> m_lines;
    int m_line = 0;
    int m_token = 0;
};

} // namespace vorna
