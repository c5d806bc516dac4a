#pragma once

// Pictures for the decoder, pipeline and tool tests, encoded by libjpeg's own compressor, and a
// private temporary folder for files.

#include "images/Bitmap24.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// A picture as red, green, blue bytes per pixel, rows without padding: the encoder's input,
// kept apart from Bitmap24's blue, green, red so that a swapped channel order shows.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* pixel(int x, int y) const {
        return rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                             static_cast<std::size_t>(x)) *
                                3;
    }
};

// Four flat quadrants: red top left, green top right, blue bottom left, white bottom right.
RgbPicture quadrantPicture(int width, int height);
// Smooth gradients with fine detail, something like a photograph.
RgbPicture photoLikePicture(int width, int height);

enum class JpegColour {
    Rgb,       // YCbCr in the file, the usual kind
    Grey,      // one component: the green channel
    CmykAdobe, // four components with an Adobe marker and inverted values, as print software saves
    CmykPlain, // four components, plain ink amounts, no Adobe marker
    Ycck,      // CMYK stored as YCCK (Adobe marker, inverted values)
};

// The kind's name in test listings.
void PrintTo(JpegColour colour, std::ostream* out);

struct JpegRecipe {
    JpegColour colour = JpegColour::Rgb;
    bool progressive = false;
    int quality = 95;
    // Payloads of APP1 segments written after the header, in this order.
    std::vector<std::vector<std::uint8_t>> app1 = {};
};

// Exif data holding an orientation tag after two other tags, as a camera writes it, with the
// fields a damaged file may get wrong.
struct ExifRecipe {
    int orientation = 1;
    bool bigEndian = true;
    std::uint16_t magic = 42;
    std::uint32_t directory = 8; // where the first directory starts
    std::uint16_t entries = 3;   // as the directory declares it; 3 are written
    std::uint16_t type = 3;      // SHORT
    std::uint32_t count = 1;
    std::size_t keep = SIZE_MAX; // the bytes kept of the payload, for a segment cut short
};

// An APP1 payload: "Exif", two zero bytes, then the TIFF structure.
std::vector<std::uint8_t> exifPayload(ExifRecipe recipe);

std::vector<std::uint8_t> encodeJpeg(const RgbPicture& picture, JpegRecipe recipe = {});

// A progressive picture with its first AC scan (and the tables just before it) repeated so that
// the file has `scans` scans in all; a flat picture makes that scan a few dozen bytes.
std::vector<std::uint8_t> withScansRepeated(const std::vector<std::uint8_t>& progressive,
                                            int scans);

// Rewrites the picture size declared in the frame header, leaving the data as it is.
void patchJpegSize(std::vector<std::uint8_t>& jpeg, int width, int height);

// The bitmap's pixel bytes as stored, rows without padding.
std::vector<std::uint8_t> packedBytesOf(const Bitmap24& bitmap);
// The same with each pixel's blue, green, red turned into red, green, blue (a PPM's order).
std::vector<std::uint8_t> rgbBytesOf(const Bitmap24& bitmap);
// A bitmap holding the given bytes per pixel unchanged, in their order.
Bitmap24 bitmapOfBytes(int width, int height, const std::vector<std::uint8_t>& bytes);

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

// A new empty folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};
