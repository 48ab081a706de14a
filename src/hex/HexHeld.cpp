#include "hex/HexHeld.h"

#include <QGuiApplication>

namespace {
std::function<HexHeldState()>& source() {
    static std::function<HexHeldState()> fake;
    return fake;
}
} // namespace

HexHeldState HexHeldNow() {
    if (source()) return source()();
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {};
    return {QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier),
            QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)};
}

void SetHexHeldSource(std::function<HexHeldState()> source_) {
    source() = std::move(source_);
}
