#include "run_notes.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace vorna {

namespace {

// The text between the asterisks of a frame row ("ERROR", "WARNING", or a message of its
// own such as "NEED ANOTHER SOIL LAYER"); empty for any other line.
QString frameText(const QString &line)
{
    const QString text = line.trimmed();
    if (!text.startsWith(QStringLiteral("***")) || !text.endsWith(QStringLiteral("***")))
        return {};
    QString inner = text;
    inner.remove(u'*');
    return inner.simplified();
}

bool isKindOnly(const QString &frame)
{
    return frame == QLatin1String("ERROR") || frame == QLatin1String("WARNING");
}

} // namespace

QString firstRunNote(const QString &runtimeText, int maxLines)
{
    const QStringList lines = runtimeText.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString frame = frameText(lines[i]);
        if (frame.isEmpty())
            continue;
        const bool kindOnly = isKindOnly(frame);
        QStringList block{kindOnly ? frame + u':' : frame};
        for (qsizetype j = i + 1; j < lines.size(); ++j) {
            const QString text = lines[j].trimmed();
            if (text.isEmpty() || !frameText(text).isEmpty())
                break;
            if (block.size() > maxLines) {
                block.back() = QStringLiteral("...");
                break;
            }
            block << text;
        }
        if (block.size() > 1 || !kindOnly)
            return block.join(u'\r');
    }
    return {};
}

QString firstRunNoteOfFile(const QString &runtimeFileName, int maxLines)
{
    QFile file(runtimeFileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A run-time file of a long run can be large; its first block is near its start.
    return firstRunNote(QString::fromLocal8Bit(file.read(64 * 1024)), maxLines);
}

} // namespace vorna
