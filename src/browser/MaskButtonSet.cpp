#include "browser/MaskButtonSet.h"

#include "browser/MaskTable.h"
#include "kit/Hints.h"

#include <QButtonGroup>
#include <QIcon>
#include <QStyle>
#include <QToolButton>

namespace {

QStyle::StandardPixmap fallbackPixmap(const QString& name) {
    if (name == "TextFilesBut") return QStyle::SP_FileIcon;
    if (name == "ImageFilesBut") return QStyle::SP_DesktopIcon;
    if (name == "IconsBut") return QStyle::SP_ComputerIcon;
    return QStyle::SP_FileDialogContentsView;
}

} // namespace

MaskButtonSet MaskButtonSet::create(QWidget* parent) {
    MaskButtonSet set;
    set.group = new QButtonGroup(parent);
    set.group->setExclusive(true);
    for (const MaskButtonInfo& info : MaskButtonTable()) {
        auto* button = new QToolButton(parent);
        button->setObjectName(info.name);
        button->setCheckable(true);
        button->setAutoRaise(true);
        SetHint(button, info.hint);
        if (info.caption.isEmpty()) {
            QIcon icon = QIcon::fromTheme(info.iconName);
            if (icon.isNull()) icon = button->style()->standardIcon(fallbackPixmap(info.name));
            button->setIcon(icon);
        } else {
            button->setText(info.caption);
        }
        set.group->addButton(button);
        set.visible.append(button);
    }
    set.AllFilesBut = set.visible[0];
    set.TextFilesBut = set.visible[1];
    set.ImageFilesBut = set.visible[2];
    set.IconsBut = set.visible[3];
    set.ThumbBut = set.visible[4];
    set.CMaskBut = new QToolButton(parent);
    set.CMaskBut->setObjectName("CMaskBut");
    set.CMaskBut->setCheckable(true);
    set.CMaskBut->setVisible(false);
    set.group->addButton(set.CMaskBut);
    set.AllFilesBut->setChecked(true);
    return set;
}
