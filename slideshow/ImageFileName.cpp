#include "slideshow/ImageFileName.h"

#include <algorithm>

namespace tickwell {

QString imageFileName(const QString& path) {
    // Here ":" and "\" are ordinary characters of a file name.
    if (path.startsWith(QLatin1Char('/'))) {
        return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    }
    const qsizetype cut =
        std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                  path.lastIndexOf(QLatin1Char(':'))});
    return path.mid(cut + 1);
}

} // namespace tickwell
