#pragma once

// File errors as the front ends word them outside the window's error box
// (which keeps the runtime's texts, IoError::Text): the window's "Копия не
// сохранена: диск заполнен", quillon-cli's "File not found". Context "IoError".

#include "image/ImageFile.h"

#include <QString>

QString IoErrorText(const IoError &error);
