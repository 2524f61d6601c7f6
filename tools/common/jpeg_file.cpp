// libjpeg decoding of the build tools' JPEG photographs into 8-bit RGB rows. The file is opened
// like every other outside file, so a FIFO in its place is refused rather than waited on.
#include "jpeg_file.h"

#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>

// libjpeg needs FILE declared first.
#include <jpeglib.h>

#include "platform/files.h"

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool warning = false;  // stopped by a warning, not an error
    char text[JMSG_LENGTH_MAX] = "";
};

void onJpegError(j_common_ptr info) {
    JpegError* e = reinterpret_cast<JpegError*>(info->err);
    info->err->format_message(info, e->text);
    std::longjmp(e->jump, 1);
}

// libjpeg only warns of a file cut short or of corrupt data, and goes on with grey rows; a
// map made from that would be wrong, so a warning ends the decoding as an error does (it
// used to be printed by libjpeg and the picture kept). Trace messages are ignored.
void onJpegMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    reinterpret_cast<JpegError*>(info->err)->warning = true;
    onJpegError(info);
}

}  // namespace

bool readJpegFile(const std::string& path, RgbPicture* picture, std::string* error) {
    const int fd = platform::openRegularFile(path);
    FILE* file = fd >= 0 ? fdopen(fd, "rb") : nullptr;
    if (!file) {
        const int why = errno;
        if (fd >= 0) close(fd);
        *error = "cannot open " + path + ": " + platform::fileErrorText(why);
        return false;
    }
    RgbPicture out;
    jpeg_decompress_struct info;
    JpegError jerr;
    info.err = jpeg_std_error(&jerr.manager);
    jerr.manager.error_exit = onJpegError;
    jerr.manager.emit_message = onJpegMessage;
    if (setjmp(jerr.jump)) {
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        *error = path +
                 (jerr.warning ? " is a damaged JPEG image ("
                               : " is not a JPEG image libjpeg can decode (") +
                 jerr.text + ")";
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.rgb.data() + static_cast<size_t>(info.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    *picture = std::move(out);
    return true;
}
