// What a run's run-time file (.vrr) says first: the engine's first error or warning block,
// shortened for a message box, so that a failed run says why without opening the file.
#pragma once

#include <QString>

namespace vorna {

// The first block framed by a row of asterisks in the text of a run-time file: the frame's
// kind ("ERROR:" or "WARNING:"), or the frame's own message (as in "*** NEED ANOTHER SOIL
// LAYER ***"), then the block's lines up to the next empty line, each trimmed, joined by
// "\r". At most maxLines lines after the first, the last one then "..."; empty when the text
// holds no such block.
QString firstRunNote(const QString &runtimeText, int maxLines = 6);

// firstRunNote() of a run-time file; empty when the file cannot be read.
QString firstRunNoteOfFile(const QString &runtimeFileName, int maxLines = 6);

} // namespace vorna
