#include "platform/FileFilter.h"

#include <QRegularExpression>
#include <QStringList>
#include <utility>
#include <vector>

namespace tickwell {

namespace {

// One entry of a filter: its description and its patterns.
struct FilterEntry {
    QString description;
    QStringList patterns;
};

std::vector<FilterEntry> filterEntries(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    std::vector<FilterEntry> entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        FilterEntry entry{parts[i].trimmed(), {}};
        if (i + 1 < parts.size()) {
            for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'))) {
                if (!pattern.trimmed().isEmpty()) {
                    entry.patterns << pattern.trimmed();
                }
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

QString qtFileFilter(const QString& filter) {
    QStringList entries;
    for (FilterEntry& entry : filterEntries(filter)) {
        QString& description = entry.description;
        if (entry.patterns.isEmpty()) {
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
        const QString list = entry.patterns.join(QLatin1Char(' '));
        entries << (description.isEmpty()
                        ? list
                        : description + QStringLiteral(" (") + list + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

bool fileFilterMatches(const QString& filter, const QString& fileName) {
    for (const FilterEntry& entry : filterEntries(filter)) {
        for (const QString& pattern : entry.patterns) {
            if (QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive)
                    .match(fileName)
                    .hasMatch()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace tickwell
