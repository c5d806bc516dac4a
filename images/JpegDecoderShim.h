/* The libjpeg calls that can fail, each run behind its own setjmp.
 *
 * libjpeg reports a fatal error by calling its error exit, which must not return. Ours jumps
 * back to the shim function that made the call. Only C frames (libjpeg's and this file's) lie
 * between the two, so no C++ destructor is ever skipped; the C++ wrapper turns the failure
 * status into an exception carrying libjpeg's own message. */
#ifndef TICKWELL_IMAGES_JPEG_DECODER_SHIM_H
#define TICKWELL_IMAGES_JPEG_DECODER_SHIM_H

#include <stdio.h>

/* After stdio.h: jpeglib.h uses FILE and size_t without declaring them. */
#include <jpeglib.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TwJpegShim TwJpegShim;

/* The most scans a file may have. Encoders write a few: libjpeg's own progressive script has 10
 * for a colour picture and 18 for CMYK; even one scan per band of coefficients per component
 * stays well below. Past it, decoding fails with a message that says why. */
#define TW_JPEG_MAX_SCANS 100

/* Every int-returning call gives 0 on success and -1 on failure; after a failure
 * tw_jpeg_message() holds libjpeg's text and only tw_jpeg_destroy() may follow. */

/* NULL when memory runs out. */
TwJpegShim* tw_jpeg_create(void);
void tw_jpeg_destroy(TwJpegShim* shim);

/* The decompressor's fields, for reading the header and setting the decoding parameters.
 * Writing fields cannot fail; every libjpeg call goes through the functions below. */
struct jpeg_decompress_struct* tw_jpeg_info(TwJpegShim* shim);
const char* tw_jpeg_message(const TwJpegShim* shim);
/* Warnings that did not stop the decoding (corrupt data that libjpeg worked around). */
long tw_jpeg_warning_count(const TwJpegShim* shim);

int tw_jpeg_read_header_file(TwJpegShim* shim, FILE* file);
int tw_jpeg_read_header_memory(TwJpegShim* shim, const unsigned char* data, unsigned long size);
int tw_jpeg_start(TwJpegShim* shim);
int tw_jpeg_read_scanlines(TwJpegShim* shim, JSAMPARRAY rows, JDIMENSION max_rows,
                           JDIMENSION* rows_read);
int tw_jpeg_finish(TwJpegShim* shim);

#ifdef __cplusplus
}
#endif

#endif
