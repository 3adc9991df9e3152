#include "dxut/png_file.h"

#include <png.h>

#include <cstring>

// libpng's simplified interface reports failures by return value and keeps its setjmp
// handling inside the library, so no longjmp crosses our frames.

bool writePng(const std::string& path, const std::vector<std::uint8_t>& rgba, unsigned width,
              unsigned height, std::string& error) {
    if (width == 0 || height == 0 || rgba.size() != std::size_t(width) * height * 4) {
        error = "no pixels to write";
        return false;
    }
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (std::size_t i = 0, pixels = std::size_t(width) * height; i < pixels; ++i) {
        std::memcpy(&rgb[i * 3], &rgba[i * 4], 3);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}

bool readPng(const std::string& path, std::vector<std::uint8_t>& rgba, unsigned& width,
             unsigned& height, std::string& error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    rgba.assign(PNG_IMAGE_SIZE(image), 0);
    if (png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr) == 0) {
        error = path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    width = image.width;
    height = image.height;
    return true;
}
