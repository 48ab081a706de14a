#pragma once

#include <functional>

/// What the hex grid needs to know of the physical keyboard and mouse at a given moment.
struct HexHeldState {
    bool shift = false;
    bool leftButton = false;
};

/// The Shift key and the left mouse button as held right now (not as an event carried
/// them). Without a GUI application nothing is held.
HexHeldState HexHeldNow();

/// Replaces where HexHeldNow() looks (tests drive it); an empty function restores the real
/// state.
void SetHexHeldSource(std::function<HexHeldState()> source);
