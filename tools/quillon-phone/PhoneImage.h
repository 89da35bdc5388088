#pragma once

// Image files as the desktop program keeps them: 64 words, high byte first,
// then one model byte, then the comment bytes. Anything of 128 bytes or more
// loads; a file of exactly 128 bytes has no model and no comment.

#include "PhoneLine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qphone {

constexpr size_t kImageWordBytes = kWords * 2;
constexpr uint8_t kNoModel = 0xFF;

struct PhoneImage {
    Eeprom words;
    uint8_t model = kNoModel;
    std::string comment; // raw bytes, code page 1251 as the program writes them

    PhoneImage() { words.fill(0xFFFF); }
};

std::vector<uint8_t> EncodeImage(const PhoneImage &image);
bool DecodeImage(const std::vector<uint8_t> &bytes, PhoneImage *image, std::string *error);

bool LoadImageFile(const std::string &path, PhoneImage *image, std::string *error);
// Written to a temporary file beside `path` and renamed over it, so a reader
// never sees half a file.
bool SaveImageFile(const std::string &path, const PhoneImage &image, std::string *error);

} // namespace qphone
