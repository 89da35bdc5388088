#pragma once

// Whether a file's bytes are an image at all, and which of its words are the
// telephone's. One rule for every place that takes words from a file (the
// window's "Взять у базы...", quillon-cli's write and set --from), so that a
// README or a photo is refused alike wherever its words would be used. The
// callers word the refusal.

#include "image/ReadMark.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

struct ImageFileCheck {
    enum Kind {
        Image, // may well be one
        TooShort, // fewer bytes than the 64 words
        Text, // every byte is text (UTF-8, tabs, line ends): a note, a README
        ModelByte, // the byte after the words names no model (a photo, random bytes)
    };
    Kind kind = Image;
    uint8_t modelByte = 0; // ModelByte: the byte found
    // The words a block or one-word read left in it (its read mark); nullopt
    // when it holds all 64.
    std::optional<ReadRange> held;

    bool IsImage() const { return kind == Image; }
    // Whether it holds every word of `words` as read from a telephone.
    bool Holds(ReadRange words) const { return !held || (held->first <= words.first && words.last <= held->last); }
};

ImageFileCheck CheckImageFile(const QByteArray &bytes);

// Text as a person writes it: valid UTF-8 (Cyrillic too) with no control
// character but tabs and line ends. An image file's words and model byte
// always break that rule; nothing empty is text.
bool IsText(const QByteArray &bytes);
