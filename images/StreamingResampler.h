#pragma once

#include "images/Bitmap24.h"
#include "images/Kernels.h"
#include "images/ResampleOptions.h"

#include <cstdint>
#include <memory>

// Resamples a picture that arrives row by row, as a decoder produces it, into a destination
// bitmap, with exactly the bytes that ResampleBitmap gives for the whole picture.
//
// The source is never held whole: each strip of rows goes through the horizontal pass as soon
// as it is complete, the results are kept only while a destination row still needs them, and
// each destination row is written as soon as all its inputs are in. The work runs on
// `options.threads` worker threads, so the caller can go on decoding meanwhile.
//
// Use: construct, feed() every source row in order, top to bottom, in strips of any height,
// then finish(). The destination must not be read or resized until finish() returns.
// Destroying the object before finish() (say, when decoding fails) stops the workers; the
// destination is then partly written.
class StreamingResampler {
public:
    // The destination's width and height are the target size. Throws ResampleError
    // ("Source bitmap too small") if sourceWidth or sourceHeight is below 1; the destination is
    // then untouched.
    StreamingResampler(int sourceWidth, int sourceHeight, KernelFunction kernel, float support,
                       Bitmap24& destination, ResampleOptions options = {});
    ~StreamingResampler();
    StreamingResampler(const StreamingResampler&) = delete;
    StreamingResampler& operator=(const StreamingResampler&) = delete;

    // The next `count` source rows, each sourceWidth pixels of 3 bytes. The rows are copied
    // where they are still needed, so the pointers need only stay valid during the call.
    // Throws std::logic_error for more rows than the source has.
    void feed(const std::uint8_t* const* rows, int count);

    // As feed(), without copying: the rows must stay valid and unchanged until finish()
    // returns (or the object is destroyed).
    void feedRetained(const std::uint8_t* const* rows, int count);

    // Feeding without a copy: the next rows are written straight into the resampler's own
    // buffers, say by a decoder. beginRows() puts into `buffers` up to `maxCount` (>= 1) row
    // buffers of sourceWidth * 3 bytes each for the next rows and returns how many: fewer where
    // a strip of the horizontal pass ends. It may wait for a buffer to come free. Then
    // commitRows(n) hands over the first n of them (n may be below what beginRows gave, and 0).
    // Throws std::logic_error for rows beyond the source or a commit without a begin.
    int beginRows(std::uint8_t** buffers, int maxCount);
    void commitRows(int count);

    // Waits until every destination row is written. Throws std::logic_error if fewer rows than
    // the source height were fed.
    void finish();

    int sourceWidth() const;
    int sourceHeight() const;
    int rowsFed() const;

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};
