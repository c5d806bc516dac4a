#pragma once

// A picture of the slideshow as the image window shows it: the JPEG file decoded at full scale
// and fitted into the primary screen less a margin of 100 pixels each way, one picture pixel to
// one device pixel of the screen.

#include "images/FitSize.h"

#include <QPixmap>
#include <QString>

namespace tickwell {

class ScreenInfo;

// The size a picture may take on `screen`, in device pixels.
PixelSize pictureLimit(const ScreenInfo& screen);

// The picture of the JPEG file at `path`, fitted into pictureLimit(screen) and carrying the
// screen's device pixel ratio, so that it is drawn without being scaled again. Throws
// std::exception (JpegError, ResampleError, std::bad_alloc) when the file cannot be shown.
QPixmap fittedPicture(const QString& path, const ScreenInfo& screen);

// The room a picture takes in a window, in the window's units: whole units that hold every
// device pixel of it.
QSize shownSize(const QPixmap& picture);

} // namespace tickwell
