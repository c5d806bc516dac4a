#include "images/JpegDecoder.h"

#include "images/ExifOrientation.h"
#include "images/JpegDecoderShim.h"
#include "images/PictureFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#ifndef JCS_EXTENSIONS
#error "The JPEG library must offer the extended colour spaces (JCS_EXT_BGR)"
#endif

namespace {

// How much of a file is read at a time.
constexpr std::size_t kFileBufferBytes = std::size_t{64} << 10;

// CMYK rows are decoded a few at a time into a scratch buffer and then converted.
constexpr int kCmykRowsPerRead = 16;

std::uint64_t roundUp(std::uint64_t value, std::uint64_t multiple) {
    return (value + multiple - 1) / multiple * multiple;
}

// One row of C,M,Y,K to B,G,R. Print software saves with an Adobe marker and inverted values
// (255 = no ink); without the marker the values are taken as plain ink amounts.
void cmykToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, int width, bool inverted) {
    const unsigned flip = inverted ? 0 : 255;
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned k = cmyk[3] ^ flip;
        bgr[0] = static_cast<std::uint8_t>(((cmyk[2] ^ flip) * k + 127) / 255);
        bgr[1] = static_cast<std::uint8_t>(((cmyk[1] ^ flip) * k + 127) / 255);
        bgr[2] = static_cast<std::uint8_t>(((cmyk[0] ^ flip) * k + 127) / 255);
    }
}

// The orientation of the first Exif segment the header kept.
Orientation orientationOf(const jpeg_decompress_struct* info) {
    for (jpeg_saved_marker_ptr marker = info->marker_list; marker != nullptr;
         marker = marker->next) {
        const std::span<const std::uint8_t> payload(marker->data, marker->data_length);
        if (marker->marker == JPEG_APP0 + 1 && isExifPayload(payload)) {
            return exifOrientation(payload);
        }
    }
    return Orientation::Normal;
}

} // namespace

void JpegDecoder::ShimDeleter::operator()(TwJpegShim* shim) const {
    tw_jpeg_destroy(shim);
}

void JpegDecoder::FileCloser::operator()(std::FILE* file) const {
    std::fclose(file);
    delete[] buffer;
}

JpegDecoder::JpegDecoder(std::unique_ptr<TwJpegShim, ShimDeleter> shim,
                         std::unique_ptr<std::FILE, FileCloser> file)
    : file_(std::move(file)), shim_(std::move(shim)),
      orientation_(orientationOf(tw_jpeg_info(shim_.get()))) {}

JpegDecoder::JpegDecoder(JpegDecoder&&) noexcept = default;
JpegDecoder& JpegDecoder::operator=(JpegDecoder&&) noexcept = default;
JpegDecoder::~JpegDecoder() = default;

JpegDecoder JpegDecoder::openFile(const std::string& path) {
    OpenedPicture opened = openPictureFile(path);
    std::unique_ptr<std::FILE, FileCloser> file(opened.file);
    if (!file) {
        throw JpegError("Cannot open \"" + path + "\": " + opened.reason);
    }
    // libjpeg asks for 4 KiB at a time, which the stream's default buffer of that size turns
    // into one system call each: over a thousand for a large photo. A larger buffer of its own
    // reads ahead in larger pieces.
    file.get_deleter().buffer = new char[kFileBufferBytes];
    std::setvbuf(file.get(), file.get_deleter().buffer, _IOFBF, kFileBufferBytes);
    std::unique_ptr<TwJpegShim, ShimDeleter> shim(tw_jpeg_create());
    if (!shim) {
        throw std::bad_alloc();
    }
    if (tw_jpeg_read_header_file(shim.get(), file.get()) != 0) {
        throw JpegError(tw_jpeg_message(shim.get()));
    }
    return JpegDecoder(std::move(shim), std::move(file));
}

JpegDecoder JpegDecoder::openMemory(std::span<const std::uint8_t> data) {
    std::unique_ptr<TwJpegShim, ShimDeleter> shim(tw_jpeg_create());
    if (!shim) {
        throw std::bad_alloc();
    }
    if (tw_jpeg_read_header_memory(shim.get(), data.data(), data.size()) != 0) {
        throw JpegError(tw_jpeg_message(shim.get()));
    }
    return JpegDecoder(std::move(shim), nullptr);
}

int JpegDecoder::width() const {
    return static_cast<int>(tw_jpeg_info(shim_.get())->image_width);
}

int JpegDecoder::height() const {
    return static_cast<int>(tw_jpeg_info(shim_.get())->image_height);
}

PixelSize JpegDecoder::shownSize() const {
    return turnedSize({width(), height()}, orientation_);
}

std::uint64_t JpegDecoder::workingMemory() const {
    const jpeg_decompress_struct* info = tw_jpeg_info(shim_.get());
    // Row buffers: a few rows of every component, generously counted.
    std::uint64_t bytes = std::uint64_t{info->image_width} * 4 * 64;
    const bool multiScan = info->progressive_mode || info->comps_in_scan < info->num_components;
    if (multiScan) {
        for (int c = 0; c < info->num_components; ++c) {
            const jpeg_component_info& comp = info->comp_info[c];
            bytes += roundUp(comp.width_in_blocks, comp.h_samp_factor) *
                     roundUp(comp.height_in_blocks, comp.v_samp_factor) * sizeof(JBLOCK);
        }
    }
    return bytes;
}

void JpegDecoder::fail() {
    failed_ = true;
    throw JpegError(tw_jpeg_message(shim_.get()));
}

void JpegDecoder::start(std::uint64_t heldBytes, std::uint64_t memoryBudget) {
    if (started_ || failed_) {
        throw JpegError("The JPEG decoder was already started");
    }
    jpeg_decompress_struct* info = tw_jpeg_info(shim_.get());
    const std::uint64_t pixels = std::uint64_t{info->image_width} * info->image_height;
    if (pixels > maxJpegPixels) {
        failed_ = true;
        throw JpegError("Picture too large: " + std::to_string(info->image_width) + " x " +
                        std::to_string(info->image_height) + " pixels, more than the " +
                        std::to_string(maxJpegPixels) + " a picture may have");
    }
    const std::uint64_t libraryBytes = workingMemory();
    const std::uint64_t needed = heldBytes + libraryBytes;
    if (needed > memoryBudget) {
        failed_ = true;
        throw JpegError(
            pictureTooLargeMessage(info->image_width, info->image_height, needed, memoryBudget));
    }
    // What is left of the budget once the caller's share is taken; libjpeg fails cleanly
    // rather than allocate beyond it.
    info->mem->max_memory_to_use =
        static_cast<long>(std::min<std::uint64_t>(memoryBudget - heldBytes, LONG_MAX));

    cmyk_ = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    info->out_color_space = cmyk_ ? JCS_CMYK : JCS_EXT_BGR;
    info->scale_num = 1;
    info->scale_denom = 1;
    info->dct_method = JDCT_ISLOW;
    info->do_fancy_upsampling = TRUE;
    info->do_block_smoothing = TRUE;
    info->quantize_colors = FALSE;
    info->buffered_image = FALSE;
    started_ = true;
    if (tw_jpeg_start(shim_.get()) != 0) {
        fail();
    }
    if (cmyk_) {
        cmykRows_.resize(std::size_t{info->output_width} * 4 * kCmykRowsPerRead);
    }
}

int JpegDecoder::readRows(std::uint8_t* const* rows, int count) {
    if (!started_ || failed_) {
        throw JpegError(failed_ ? "The JPEG decoder failed earlier"
                                : "The JPEG decoder was not started");
    }
    if (cmyk_) {
        return readCmykRows(rows, count);
    }
    const jpeg_decompress_struct* info = tw_jpeg_info(shim_.get());
    int done = 0;
    while (done < count && info->output_scanline < info->output_height) {
        JDIMENSION got = 0;
        // libjpeg only reads through the row array; its interface lacks the const.
        JSAMPARRAY target = const_cast<JSAMPARRAY>(rows + done);
        if (tw_jpeg_read_scanlines(shim_.get(), target, static_cast<JDIMENSION>(count - done),
                                   &got) != 0) {
            fail();
        }
        if (got == 0) {
            failed_ = true;
            throw JpegError("The JPEG decoder stopped before the end of the picture");
        }
        done += static_cast<int>(got);
    }
    rowsRead_ += done;
    return done;
}

int JpegDecoder::readCmykRows(std::uint8_t* const* rows, int count) {
    const jpeg_decompress_struct* info = tw_jpeg_info(shim_.get());
    const int rowWidth = static_cast<int>(info->output_width);
    const bool inverted = info->saw_Adobe_marker;
    std::uint8_t* scratch[kCmykRowsPerRead];
    for (int i = 0; i < kCmykRowsPerRead; ++i) {
        scratch[i] = cmykRows_.data() + std::size_t(i) * std::size_t(rowWidth) * 4;
    }
    int done = 0;
    while (done < count && info->output_scanline < info->output_height) {
        const int wanted = std::min(count - done, kCmykRowsPerRead);
        JDIMENSION got = 0;
        if (tw_jpeg_read_scanlines(shim_.get(), scratch, static_cast<JDIMENSION>(wanted), &got) !=
            0) {
            fail();
        }
        if (got == 0) {
            failed_ = true;
            throw JpegError("The JPEG decoder stopped before the end of the picture");
        }
        for (JDIMENSION i = 0; i < got; ++i) {
            cmykToBgr(scratch[i], rows[done + static_cast<int>(i)], rowWidth, inverted);
        }
        done += static_cast<int>(got);
    }
    rowsRead_ += done;
    return done;
}

Bitmap24 JpegDecoder::readPicture() {
    Bitmap24 picture(width(), height());
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        rows[static_cast<std::size_t>(y)] = picture.row(y);
    }
    readRows(rows.data(), picture.height());
    return picture;
}

Bitmap24 decodeJpeg(JpegDecoder& decoder, std::uint64_t memoryBudget) {
    decoder.start(Bitmap24::bytesFor(decoder.width(), decoder.height()), memoryBudget);
    return decoder.readPicture();
}

Bitmap24 decodeJpegFile(const std::string& path) {
    JpegDecoder decoder = JpegDecoder::openFile(path);
    return decodeJpeg(decoder);
}
