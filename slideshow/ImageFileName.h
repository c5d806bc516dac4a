#pragma once

#include <QString>

namespace tickwell {

// The file-name part of an image's full path, as the images list shows it: the text after the
// last folder separator ("/" here, "\" in paths from the other system) or drive colon.
QString imageFileName(const QString& path);

} // namespace tickwell
