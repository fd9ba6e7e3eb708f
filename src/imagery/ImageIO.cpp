#include "imagery/ImageIO.h"

#include <QImageReader>

QImage LoadImageFile(const std::string &path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    QImage img = reader.read();
    return img;
}
