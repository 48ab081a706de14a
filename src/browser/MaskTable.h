#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/// The 25 text-file patterns joined by ";" ("*.TXT;*.DOC;...;*.LIC").
QString TextFileMask();
/// "*.BMP;*.GIF;*.JPG;*.JPEG;*.PCX;*.WMF;*.EMF;*.TGA;*.DIB;*.RLE;*.JIF".
QString ImageFileMask();
/// "*.EXE;*.DLL;*.CUR;*.ICO;*.ICL;*.NIL".
QString IconFileMask();

/// One button of the Tree toolbar's mask group.
struct MaskButtonInfo {
    QString name;     ///< objectName: AllFilesBut, TextFilesBut, ImageFilesBut, IconsBut, ThumbBut
    QString caption;  ///< "All" for AllFilesBut, empty for the icon-only buttons
    QString hint;     ///< "short|long" for SetHint
    QString iconName; ///< icon-theme name for the icon-only buttons
    QString mask;
    QString status; ///< the text for status panel 1
};

/// The five visible mask buttons in toolbar order.
const QList<MaskButtonInfo>& MaskButtonTable();

/// What pressing a mask button does to the file list and the status bar.
struct MaskChoice {
    QString mask;
    QString status;
    /// The "Thumbs" viewer sheet, when showing, gives way to "TextEdit".
    bool leaveThumbs = false;
};

/// The decision of FileMaskSort for the button of that objectName: All, text and icon
/// masks leave the "Thumbs" sheet, the image and thumbnail buttons keep it. Empty for any
/// other name.
std::optional<MaskChoice> FileMaskChoice(const QString& buttonName);

/// The captions of the 20 preset masks of the "Mask" sheet, in order; each is its mask text.
const QStringList& MaskPresets();

/// A preset: the caption is the mask, the status "File mask = " + caption.
MaskChoice PresetMaskChoice(const QString& caption);
/// The custom mask: "*." + the edited text, the status "File mask = " + the text alone.
MaskChoice CustomMaskChoice(const QString& editText);
