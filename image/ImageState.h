#pragma once

#include "image/EepromImage.h"

#include <QString>

// What an image file keeps of the document: the words, the model (-1 for no
// selection) and the comment. Undo steps and the question on closing compare
// and restore whole states.
struct ImageState {
    EepromImage image;
    int model = 0;
    QString comment;

    bool operator==(const ImageState &o) const
    {
        return image == o.image && model == o.model && comment == o.comment;
    }
    bool operator!=(const ImageState &o) const { return !(*this == o); }
};
