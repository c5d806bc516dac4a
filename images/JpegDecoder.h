#pragma once

// Decodes a JPEG picture at full scale into 24-bit rows of blue, green, red bytes, with
// libjpeg's accurate integer transform and block smoothing. Rows come strip by strip, so that a
// caller can process a picture without ever holding it whole. Grey pictures come out as grey
// 24-bit pixels and CMYK/YCCK pictures as their RGB equivalent.
//
// Every failure (libjpeg's or ours) is a JpegError; libjpeg's failures carry its own message.

#include "images/Bitmap24.h"
#include "images/FitSize.h"
#include "images/JpegMemoryBudget.h"
#include "images/Orientation.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

struct TwJpegShim;

// The most pixels a picture may have: 256 Mi, more than the largest cameras take (200 MP).
// Decoding costs time in proportion to the pixels whatever the file's size, and a file of a
// hundred bytes can declare a flat picture of 65,500 x 65,500; this many decode and fit in
// about half a second.
inline constexpr std::uint64_t maxJpegPixels = std::uint64_t{1} << 28;

class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class JpegDecoder {
public:
    // Reads the header of a file. Throws JpegError when the file cannot be opened or its header
    // is not a JPEG header.
    static JpegDecoder openFile(const std::string& path);
    // The same for a picture held in memory; `data` must outlive the decoder.
    static JpegDecoder openMemory(std::span<const std::uint8_t> data);

    JpegDecoder(JpegDecoder&&) noexcept;
    JpegDecoder& operator=(JpegDecoder&&) noexcept;
    ~JpegDecoder();

    // The picture as stored in the file; its rows come out in this size.
    int width() const;
    int height() const;

    // How the stored picture is turned to be seen: as the file's Exif orientation tag says, or
    // Normal for a file without one or with a broken one. setOrientation() replaces it (Normal
    // shows the picture as stored, whatever its tag says).
    Orientation orientation() const { return orientation_; }
    void setOrientation(Orientation orientation) { orientation_ = orientation; }
    // The picture's size as it is seen.
    PixelSize shownSize() const;

    // Bytes libjpeg itself needs to decode this picture: for a progressive or multi-scan file
    // that is a buffer of all its coefficients, else a few rows.
    std::uint64_t workingMemory() const;

    // Begins decoding. A picture of more than maxJpegPixels is refused. `heldBytes` is what the
    // caller will hold while the rows come (the whole picture, or a resampler's work bitmap);
    // together with workingMemory() it must fit in `memoryBudget`, else the picture is refused
    // before anything large is allocated. libjpeg is also capped to what is left of the budget.
    void start(std::uint64_t heldBytes, std::uint64_t memoryBudget = defaultJpegMemoryBudget());

    // Decodes the next rows into rows[0], rows[1], ... (each width() * 3 bytes, B,G,R); returns
    // how many were decoded, which is fewer than `count` only at the end of the picture.
    int readRows(std::uint8_t* const* rows, int count);
    int rowsRead() const { return rowsRead_; }

    // After start(), instead of readRows(): the whole picture as stored, in a new bitmap.
    Bitmap24 readPicture();

private:
    struct ShimDeleter {
        void operator()(TwJpegShim* shim) const;
    };
    // Closes the stream, then frees the buffer it was given, if any.
    struct FileCloser {
        FileCloser() noexcept : buffer(nullptr) {}
        char* buffer;
        void operator()(std::FILE* file) const;
    };

    JpegDecoder(std::unique_ptr<TwJpegShim, ShimDeleter> shim,
                std::unique_ptr<std::FILE, FileCloser> file);
    [[noreturn]] void fail();
    int readCmykRows(std::uint8_t* const* rows, int count);

    // The file outlives the decompressor that reads from it.
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::unique_ptr<TwJpegShim, ShimDeleter> shim_;
    bool started_ = false;
    bool failed_ = false;
    bool cmyk_ = false;
    Orientation orientation_ = Orientation::Normal;
    int rowsRead_ = 0;
    std::vector<std::uint8_t> cmykRows_;
};

// Starts a decoder that has read only its header and decodes the whole picture into a new bitmap
// of its natural size, as stored (not turned).
Bitmap24 decodeJpeg(JpegDecoder& decoder, std::uint64_t memoryBudget = defaultJpegMemoryBudget());
// A whole JPEG file decoded into a new bitmap of its natural size.
Bitmap24 decodeJpegFile(const std::string& path);
