#pragma once

// The window's own texts for file errors, where it shows them outside the
// error box (which keeps the runtime's texts): "Копия не сохранена: диск заполнен".

#include "image/ImageFile.h"

#include <QString>

QString IoErrorTextRu(const IoError &error);
