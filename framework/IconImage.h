#pragma once

#include <QImage>

struct IconImage {
    QImage image;
};
