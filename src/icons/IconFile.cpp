#include "icons/IconFile.h"

#include "icons/IconContainer.h"

#include <QFile>

int ExtractIconCount(const QString& path) {
    return IconContainer::open(QFile::encodeName(path)).count();
}

QImage ExtractIconImage(const QString& path, int index) {
    return IconContainer::open(QFile::encodeName(path)).image(index);
}
