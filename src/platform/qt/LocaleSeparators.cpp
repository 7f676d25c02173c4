#include "LocaleSeparators.h"

#include <QLocale>

namespace {

// The first run of characters between two fields of a date or time pattern, where
// letters are fields and quoted text is literal.
std::string firstSeparator(const QString &pattern, const std::string &fallback)
{
    QString separator;
    bool seenField = false;
    for (const QChar c : pattern) {
        if (c.isLetter()) {
            if (!separator.isEmpty())
                break;
            seenField = true;
        } else if (seenField && c != u'\'') {
            separator += c;
        }
    }
    separator = separator.trimmed();
    return separator.isEmpty() ? fallback : separator.toStdString();
}

} // namespace

Separators separatorsOf(const QLocale &locale)
{
    const Separators defaults;
    return {firstSeparator(locale.dateFormat(QLocale::ShortFormat), defaults.date),
            firstSeparator(locale.timeFormat(QLocale::ShortFormat), defaults.time)};
}
