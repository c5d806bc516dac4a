#include "slideshow/ImageFileName.h"

#include <algorithm>

namespace tickwell {

QString imageFileName(const QString& path) {
    const qsizetype cut =
        std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                  path.lastIndexOf(QLatin1Char(':'))});
    return path.mid(cut + 1);
}

} // namespace tickwell
