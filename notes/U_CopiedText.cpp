#include "notes/U_CopiedText.h"

#include <algorithm>
#include <cmath>

namespace CopiedText {

QString Cleaned(const QString& text)
{
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text) {
        if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            cleaned += u'\n';
        else if (c == u'\t' || c == u'\r' || c == u'\n' || c.category() != QChar::Other_Control)
            cleaned += c;
    }
    return cleaned;
}

QString TooLargeLine(qint64 bytes)
{
    const auto megabytes = std::max<qint64>(1, std::llround(static_cast<double>(bytes) / 1e6));
    return QStringLiteral("[Copie de %1 Mo non captur\u00E9e]").arg(megabytes);
}

} // namespace CopiedText
