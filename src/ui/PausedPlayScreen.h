#pragma once
// The states that the in-stage menu and the in-stage shop share: both open
// over paused play by moving one widget (the menu's panel slides, the shop's
// window flies out of its stall) and close the same way, after which play
// runs again.
#include "ui/GameInput.h"

class CSaveData;
class CWidget;

// Runs the opening, closing and uncovered states of `screen`, whose opening
// and closing last while `mover` moves; true in the active state, where the
// screen then does its own work. Closing ends in the closed state with play
// resumed (game state 6).
bool RunPausedPlayStates(CGameInput& screen, const CWidget& mover);

// The save-slot record of the game's current slot, which both read and the
// shop writes its upgrades into.
CSaveData& CurrentSlotRecord();
