#include "platform/FileFilter.h"

#include <QStringList>

namespace tickwell {

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
                if (!pattern.trimmed().isEmpty()) {
                    patterns << pattern.trimmed();
                }
            }
        }
        if (patterns.isEmpty()) {
            if (!description.isEmpty()) {
                entries << description;
            }
            continue;
        }
        // Qt takes the patterns from the last parentheses of an entry, so patterns the
        // description already shows in parentheses are replaced by the real ones.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0) {
                description = description.left(open).trimmed();
            }
        }
        const QString list = patterns.join(QLatin1Char(' '));
        entries << (description.isEmpty()
                        ? list
                        : description + QStringLiteral(" (") + list + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace tickwell
