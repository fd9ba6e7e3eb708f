#pragma once
#include <QImage>
#include <string>

// Reads a picture file by its content, not its name; a null image when damaged.
QImage LoadImageFile(const std::string &path);
