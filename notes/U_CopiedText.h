#pragma once

#include <QString>

// What a copied text becomes before it reaches the pad.
namespace CopiedText {

// `text` without NUL bytes and control characters: tabs stay, and every line break (CR, LF,
// the Unicode line and paragraph separators) becomes a plain line end.
QString Cleaned(const QString& text);
// The line that stands for a copy too large for the pad: "[Copie de 50 Mo non capturée]", its
// size in megabytes as a user reads it (never under 1).
QString TooLargeLine(qint64 bytes);

} // namespace CopiedText
