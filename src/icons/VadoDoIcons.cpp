#include "icons/VadoDoIcons.h"

#include "icons/IconFile.h"

void TVadoDoIcons::setFileName(const QString& fileName) {
    if (fileName == m_fileName) return;
    m_fileName = fileName;
    m_numberOfIcons = ExtractIconCount(fileName);
    m_iconIndex = 0;
    m_icon = ExtractIconImage(fileName, 0);
}

void TVadoDoIcons::setIconIndex(int index) {
    m_iconIndex = index;
    m_icon = ExtractIconImage(m_fileName, index);
}
