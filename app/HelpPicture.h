#pragma once

#include <QImage>

namespace tickwell {

// The Help tab's picture from the resources, decoded by the program's JPEG decoder as the image
// window decodes its pictures. A null image when it cannot be read or decoded.
QImage helpPicture();

} // namespace tickwell
