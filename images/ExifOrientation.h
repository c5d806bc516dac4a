#pragma once

// The orientation tag of a JPEG file's Exif data, read from the payload of an APP1 segment (the
// bytes after its length). The data come from the file as it is: every offset and count is
// checked against the payload, and anything unexpected (another kind of APP1 data, a damaged
// header, no tag, a tag of the wrong type or with a value outside 1 to 8) gives no turn.

#include "images/Orientation.h"

#include <cstdint>
#include <span>

// Whether the payload is Exif data at all (it starts "Exif" and two zero bytes); a file may hold
// other APP1 segments (XMP) besides.
bool isExifPayload(std::span<const std::uint8_t> app1);

// The orientation the payload's first directory gives, or Normal.
Orientation exifOrientation(std::span<const std::uint8_t> app1);
