#include "images/JpegDecoderShim.h"

#include <jerror.h>
#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

struct TwJpegShim {
    struct jpeg_decompress_struct info;
    struct jpeg_error_mgr errors;
    struct jpeg_progress_mgr progress;
    jmp_buf jump;
    int created;
    char message[JMSG_LENGTH_MAX];
};

/* libjpeg calls this before each piece of work. A progressive file may repeat a scan any number
 * of times, and every scan costs time in proportion to the picture's area: 8,000 copies of one
 * 39-byte scan held the decoder for seconds at 2048 x 2048. Such a file is refused as soon as
 * its scans pass the limit. */
static void watch_scans(j_common_ptr common) {
    TwJpegShim* shim = (TwJpegShim*)common->client_data;
    if (shim->info.input_scan_number > TW_JPEG_MAX_SCANS) {
        snprintf(shim->message, sizeof shim->message,
                 "The JPEG file has more than %d scans, more than any picture needs",
                 TW_JPEG_MAX_SCANS);
        longjmp(shim->jump, 1);
    }
}

static void exit_to_shim(j_common_ptr info) {
    TwJpegShim* shim = (TwJpegShim*)info->client_data;
    (*info->err->format_message)(info, shim->message);
    longjmp(shim->jump, 1);
}

/* A file that ends early, or whose scan data stops at a marker before the scan is complete,
 * would otherwise decode "successfully" with its missing part filled grey, as long as the
 * picture it declares: a few hundred bytes could keep the decoder busy for a picture of
 * gigapixels. Both are reported as the errors they are. Other warnings (corrupt data that
 * libjpeg skipped) are counted silently, as the picture still decodes whole. Trace messages are
 * dropped. */
static void emit_quietly(j_common_ptr info, int level) {
    if (level >= 0) {
        return;
    }
    if (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER) {
        (*info->err->error_exit)(info);
    }
    info->err->num_warnings++;
}

static int create_decompressor(TwJpegShim* shim) {
    if (setjmp(shim->jump)) {
        return -1;
    }
    jpeg_create_decompress(&shim->info);
    shim->created = 1;
    /* After creation, which clears the field. */
    shim->info.progress = &shim->progress;
    return 0;
}

/* APP1 segments (Exif data, whose orientation tag says how to turn the picture) are kept for
 * reading after the header: each at most 64 KiB, and never more than the file itself holds. */
static void keep_exif_segments(TwJpegShim* shim) {
    jpeg_save_markers(&shim->info, JPEG_APP0 + 1, 0xFFFF);
}

TwJpegShim* tw_jpeg_create(void) {
    TwJpegShim* shim = (TwJpegShim*)calloc(1, sizeof(TwJpegShim));
    if (shim == NULL) {
        return NULL;
    }
    shim->info.err = jpeg_std_error(&shim->errors);
    shim->errors.error_exit = exit_to_shim;
    shim->errors.emit_message = emit_quietly;
    shim->progress.progress_monitor = watch_scans;
    shim->info.client_data = shim;
    if (create_decompressor(shim) != 0) {
        free(shim);
        return NULL;
    }
    return shim;
}

void tw_jpeg_destroy(TwJpegShim* shim) {
    if (shim == NULL) {
        return;
    }
    if (shim->created) {
        jpeg_destroy_decompress(&shim->info);
    }
    free(shim);
}

struct jpeg_decompress_struct* tw_jpeg_info(TwJpegShim* shim) {
    return &shim->info;
}

const char* tw_jpeg_message(const TwJpegShim* shim) {
    return shim->message;
}

long tw_jpeg_warning_count(const TwJpegShim* shim) {
    return shim->errors.num_warnings;
}

int tw_jpeg_read_header_file(TwJpegShim* shim, FILE* file) {
    if (setjmp(shim->jump)) {
        return -1;
    }
    jpeg_stdio_src(&shim->info, file);
    keep_exif_segments(shim);
    jpeg_read_header(&shim->info, TRUE);
    return 0;
}

int tw_jpeg_read_header_memory(TwJpegShim* shim, const unsigned char* data, unsigned long size) {
    if (setjmp(shim->jump)) {
        return -1;
    }
    jpeg_mem_src(&shim->info, data, size);
    keep_exif_segments(shim);
    jpeg_read_header(&shim->info, TRUE);
    return 0;
}

int tw_jpeg_start(TwJpegShim* shim) {
    if (setjmp(shim->jump)) {
        return -1;
    }
    jpeg_start_decompress(&shim->info);
    return 0;
}

int tw_jpeg_read_scanlines(TwJpegShim* shim, JSAMPARRAY rows, JDIMENSION max_rows,
                           JDIMENSION* rows_read) {
    *rows_read = 0;
    if (setjmp(shim->jump)) {
        return -1;
    }
    *rows_read = jpeg_read_scanlines(&shim->info, rows, max_rows);
    return 0;
}

int tw_jpeg_finish(TwJpegShim* shim) {
    if (setjmp(shim->jump)) {
        return -1;
    }
    jpeg_finish_decompress(&shim->info);
    return 0;
}
