#include "dialogs/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace solvar::dialogs {

namespace {

// libjpeg reports a fatal error through error_exit, which must not return:
// it jumps back to the decoder, which gives up on the picture.
struct ErrorManager {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(manager->Jump, 1);
}

void Silently(j_common_ptr, int) {}

// Everything here is plain data, so the jump back skips no destructor.
bool Decode(const QByteArray& bytes, jpeg_decompress_struct& info, QImage& image) {
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  info.out_color_space = JCS_RGB;
  if (!jpeg_start_decompress(&info)) return false;
  if (info.output_components != 3 || info.output_width > 4096 || info.output_height > 4096) return false;
  image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
  if (bytes.isEmpty()) return QImage();
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.Base);
  errors.Base.error_exit = JumpOnError;
  errors.Base.emit_message = Silently;
  QImage* image = new QImage();
  volatile bool decoded = false;
  if (setjmp(errors.Jump) == 0) {
    jpeg_create_decompress(&info);
    decoded = Decode(bytes, info, *image);
  }
  jpeg_destroy_decompress(&info);
  QImage result = decoded ? *image : QImage();
  delete image;
  return result;
}

}  // namespace solvar::dialogs
