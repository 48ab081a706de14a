#include "browser/MaskTable.h"

#include <algorithm>

QString TextFileMask() {
    static const QString mask =
        QStringList{"*.TXT", "*.DOC", "*.INI", "*.BAT", "*.PAS", "*.CPP", "*.MAK", "*.RTF", "*.LOG",
                    "*.DIZ", "*.BAK", "*.INF", "*.H",   "*.ASC", "*.OLD", "*.SAM", "*.CFG", "*.MSG",
                    "*.DOS", "*.PRV", "*.CNT", "*.CBT", "*.BOR", "*.DAT", "*.LIC"}
            .join(';');
    return mask;
}

QString ImageFileMask() {
    return QStringLiteral("*.BMP;*.GIF;*.JPG;*.JPEG;*.PCX;*.WMF;*.EMF;*.TGA;*.DIB;*.RLE;*.JIF");
}

QString IconFileMask() {
    return QStringLiteral("*.EXE;*.DLL;*.CUR;*.ICO;*.ICL;*.NIL");
}

const QList<MaskButtonInfo>& MaskButtonTable() {
    static const QList<MaskButtonInfo> table = {
        {"AllFilesBut", "All", "Show all files", {}, "*.*", "File mask = *.* All files"},
        {"TextFilesBut",
         {},
         "Show text files",
         "text-x-generic",
         TextFileMask(),
         "File mask = Text files"},
        {"ImageFilesBut",
         {},
         "Show image files",
         "image-x-generic",
         ImageFileMask(),
         "File mask = Image files"},
        {"IconsBut",
         {},
         "Icons, cursors and icon containers",
         "preferences-desktop-icons",
         IconFileMask(),
         "File mask = Icon containers"},
        {"ThumbBut",
         {},
         "Load thumbs|Load thumbs",
         "view-preview",
         ImageFileMask(),
         "File mask = Image files"},
    };
    return table;
}

std::optional<MaskChoice> FileMaskChoice(const QString& buttonName) {
    const QList<MaskButtonInfo>& table = MaskButtonTable();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const MaskButtonInfo& b) { return b.name == buttonName; });
    if (it == table.end()) return std::nullopt;
    const bool keepsThumbs = it->name == "ImageFilesBut" || it->name == "ThumbBut";
    return MaskChoice{it->mask, it->status, !keepsThumbs};
}

const QStringList& MaskPresets() {
    static const QStringList presets = {
        "*.txt",         "*.rtf", "*.ini", "*.inf", "*.bat", "*.htm; *.html", "*.bmp",
        "*.jpg; *.jpeg", "*.gif", "*.pcx", "*.wmf", "*.ico", "*.log",         "*.avi",
        "*.pas",         "*.wav", "*.dat", "*.mid", "*.lic", "*.zip"};
    return presets;
}

MaskChoice PresetMaskChoice(const QString& caption) {
    return {caption, "File mask = " + caption, false};
}

MaskChoice CustomMaskChoice(const QString& editText) {
    return {"*." + editText, "File mask = " + editText, false};
}
