#include "JpegTestFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <jpeglib.h>
#include <stdexcept>
#include <stdlib.h>

RgbPicture quadrantPicture(int width, int height) {
    RgbPicture picture{width, height, {}};
    picture.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            const std::uint8_t r = (!bottom && !right) || (bottom && right) ? 255 : 0;
            const std::uint8_t g = (!bottom && right) || (bottom && right) ? 255 : 0;
            const std::uint8_t b = bottom ? 255 : 0;
            picture.rgb.insert(picture.rgb.end(), {r, g, b});
        }
    }
    return picture;
}

RgbPicture photoLikePicture(int width, int height) {
    RgbPicture picture{width, height, {}};
    picture.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    unsigned noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int grain = static_cast<int>((noise >> 16) % 31) - 15;
            const double u = static_cast<double>(x) / width;
            const double v = static_cast<double>(y) / height;
            const double wave = 40 * std::sin(9 * u + 5 * v) + 30 * std::cos(13 * v - 4 * u);
            const auto channel = [&](double base) {
                return static_cast<std::uint8_t>(std::clamp(base + wave + grain, 0.0, 255.0));
            };
            picture.rgb.insert(picture.rgb.end(), {channel(200 * u + 30), channel(180 * v + 40),
                                                   channel(120 + 60 * u * v)});
        }
    }
    return picture;
}

void PrintTo(JpegColour colour, std::ostream* out) {
    static const char* const names[] = {"Rgb", "Grey", "CmykAdobe", "CmykPlain", "Ycck"};
    *out << names[static_cast<int>(colour)];
}

namespace {

// Ink amounts (0 = no ink) of one RGB pixel, by the usual naive separation.
void rgbToCmyk(const std::uint8_t* rgb, std::uint8_t* cmyk) {
    const int k = 255 - std::max({rgb[0], rgb[1], rgb[2]});
    for (int c = 0; c < 3; ++c) {
        cmyk[c] = static_cast<std::uint8_t>(k == 255 ? 0 : (255 - rgb[c] - k) * 255 / (255 - k));
    }
    cmyk[3] = static_cast<std::uint8_t>(k);
}

} // namespace

std::vector<std::uint8_t> encodeJpeg(const RgbPicture& picture, JpegRecipe recipe) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    const bool cmyk = recipe.colour == JpegColour::CmykAdobe ||
                      recipe.colour == JpegColour::CmykPlain || recipe.colour == JpegColour::Ycck;
    info.input_components = recipe.colour == JpegColour::Grey ? 1 : cmyk ? 4 : 3;
    info.in_color_space = recipe.colour == JpegColour::Grey ? JCS_GRAYSCALE
                          : cmyk                            ? JCS_CMYK
                                                            : JCS_RGB;
    jpeg_set_defaults(&info);
    if (recipe.colour == JpegColour::Ycck) {
        jpeg_set_colorspace(&info, JCS_YCCK);
    }
    if (recipe.colour == JpegColour::CmykPlain) {
        info.write_Adobe_marker = FALSE;
    }
    jpeg_set_quality(&info, recipe.quality, TRUE);
    if (recipe.progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    for (const std::vector<std::uint8_t>& payload : recipe.app1) {
        jpeg_write_marker(&info, JPEG_APP0 + 1, payload.data(),
                          static_cast<unsigned>(payload.size()));
    }

    const bool inverted = cmyk && recipe.colour != JpegColour::CmykPlain;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width) * 4);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* rgb = picture.pixel(x, y);
            if (recipe.colour == JpegColour::Grey) {
                row[static_cast<std::size_t>(x)] = rgb[1];
            } else if (cmyk) {
                std::uint8_t* out = &row[static_cast<std::size_t>(x) * 4];
                rgbToCmyk(rgb, out);
                for (int c = 0; inverted && c < 4; ++c) {
                    out[c] = static_cast<std::uint8_t>(255 - out[c]);
                }
            } else {
                std::copy(rgb, rgb + 3, &row[static_cast<std::size_t>(x) * 3]);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return bytes;
}

std::vector<std::uint8_t> exifPayload(ExifRecipe recipe) {
    std::vector<std::uint8_t> bytes{'E', 'x', 'i', 'f', 0, 0};
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            const int shift = 8 * (recipe.bigEndian ? size - 1 - i : i);
            bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    };
    const std::uint8_t order = recipe.bigEndian ? 'M' : 'I';
    bytes.insert(bytes.end(), {order, order});
    put(recipe.magic, 2);
    put(recipe.directory, 4);
    put(recipe.entries, 2);
    // Make and model as ASCII text held elsewhere, then the orientation, its value at the
    // start of the value field.
    for (const std::uint16_t tag : {0x010F, 0x0110}) {
        put(tag, 2);
        put(2, 2);
        put(8, 4);
        put(0, 4);
    }
    put(0x0112, 2);
    put(recipe.type, 2);
    put(recipe.count, 4);
    put(static_cast<std::uint32_t>(recipe.orientation), 2);
    put(0, 2);
    put(0, 4); // no next directory
    bytes.resize(std::min(bytes.size(), recipe.keep));
    return bytes;
}

std::vector<std::uint8_t> withScansRepeated(const std::vector<std::uint8_t>& jpeg, int scans) {
    // Walk the segments: marker FF xx, then a 2-byte length; a scan's entropy-coded data runs to
    // the next marker that is neither a stuffed FF 00 nor a restart marker.
    struct Segment {
        std::uint8_t marker;
        std::size_t begin, end;
    };
    std::vector<Segment> segments;
    for (std::size_t at = 2; at + 4 <= jpeg.size() && jpeg[at] == 0xFF;) {
        const std::uint8_t marker = jpeg[at + 1];
        if (marker == 0xD9) {
            break;
        }
        std::size_t end = at + 2 + ((std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3]);
        if (marker == 0xDA) {
            while (end + 1 < jpeg.size() && !(jpeg[end] == 0xFF && jpeg[end + 1] != 0 &&
                                              (jpeg[end + 1] < 0xD0 || jpeg[end + 1] > 0xD7))) {
                ++end;
            }
        }
        segments.push_back({marker, at, end});
        at = end;
    }
    int count = 0;
    std::size_t acScan = segments.size();
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (segments[i].marker != 0xDA) {
            continue;
        }
        ++count;
        const std::size_t spectral = segments[i].begin + 5 + 2 * jpeg[segments[i].begin + 4];
        if (acScan == segments.size() && jpeg[spectral] > 0) {
            acScan = i;
        }
    }
    if (acScan == segments.size() || scans < count) {
        throw std::runtime_error("no AC scan to repeat, or too few scans asked for");
    }
    std::size_t first = acScan;
    while (first > 0 && segments[first - 1].marker == 0xC4) {
        --first;
    }
    const auto begin = jpeg.begin() + static_cast<std::ptrdiff_t>(segments[first].begin);
    const auto end = jpeg.begin() + static_cast<std::ptrdiff_t>(segments[acScan].end);
    std::vector<std::uint8_t> out(jpeg.begin(), end);
    for (int i = count; i < scans; ++i) {
        out.insert(out.end(), begin, end);
    }
    out.insert(out.end(), end, jpeg.end());
    return out;
}

void patchJpegSize(std::vector<std::uint8_t>& jpeg, int width, int height) {
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        const std::uint8_t marker = jpeg[i + 1];
        if (jpeg[i] == 0xFF && (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)) {
            // FF Cn, length (2), precision (1), height (2), width (2)
            jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
            jpeg[i + 6] = static_cast<std::uint8_t>(height);
            jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
            jpeg[i + 8] = static_cast<std::uint8_t>(width);
            return;
        }
    }
    throw std::runtime_error("no frame header in the JPEG data");
}

std::vector<std::uint8_t> packedBytesOf(const Bitmap24& bitmap) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < bitmap.height(); ++y) {
        bytes.insert(bytes.end(), bitmap.row(y), bitmap.row(y) + bitmap.width() * 3);
    }
    return bytes;
}

std::vector<std::uint8_t> rgbBytesOf(const Bitmap24& bitmap) {
    std::vector<std::uint8_t> bytes = packedBytesOf(bitmap);
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        std::swap(bytes[i], bytes[i + 2]);
    }
    return bytes;
}

Bitmap24 bitmapOfBytes(int width, int height, const std::vector<std::uint8_t>& bytes) {
    Bitmap24 bitmap(width, height);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::copy_n(bytes.begin() +
                        static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y)),
                    rowBytes, bitmap.row(y));
    }
    return bitmap;
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tickwell-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
