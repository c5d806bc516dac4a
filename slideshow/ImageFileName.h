#pragma once

#include <QString>

namespace tickwell {

// The file-name part of an image's full path, as the images list and the image window show it.
// A path of this system (it begins with "/") is cut after its last "/" only, since ":" and "\"
// may be part of a name here; a path from the other system (a drive letter, or backslashes
// without a leading "/") after its last folder separator ("\" or "/") or drive colon.
QString imageFileName(const QString& path);

} // namespace tickwell
