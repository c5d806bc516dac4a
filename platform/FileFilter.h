#pragma once

#include <QString>

namespace tickwell {

// Translates a file filter of the program's form, pairs of description and patterns separated by
// "|" ("JPEG Images (*.jpg)|*.jpg"), into Qt's form, one "Description (patterns)" per line
// joined by ";;" ("JPEG Images (*.jpg)"). Patterns separated by ";" become space-separated.
QString qtFileFilter(const QString& filter);

// Whether the file name `fileName` (without its folder) matches a pattern of `filter`, in the
// program's form, without regard to letter case, as the file-open dialog offers files.
bool fileFilterMatches(const QString& filter, const QString& fileName);

} // namespace tickwell
