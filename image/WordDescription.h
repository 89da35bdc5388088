#pragma once

#include "image/EepromImage.h"

#include <QString>

// The one-line description of a word that the grid shows under the table.
QString DescribeWord(const EepromImage &image, int addr);
