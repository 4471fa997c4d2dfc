#include "image.h"

#include <png.h>

namespace testsupport {

bool ReadPng(const std::string& path, Image& image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  png.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) return false;
  image = Image(static_cast<int>(png.width), static_cast<int>(png.height));
  for (std::size_t i = 0; i < image.pixels.size(); ++i)
    image.pixels[i] = Rgb(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
  return true;
}

bool WritePng(const std::string& path, const Image& image) {
  std::vector<unsigned char> rgb(image.pixels.size() * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    rgb[i * 3] = static_cast<unsigned char>(image.pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<unsigned char>(image.pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<unsigned char>(image.pixels[i]);
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&png, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace testsupport
