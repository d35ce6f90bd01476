// The panning engine: pan mode while the chord is held, drags with the
// primary button, the double click that goes home. One tick takes what the shell
// read of the keys, the button, the cursor and the clock, and answers with
// the engine's new state and what the shell is to do.
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "base/settings.h"

// The chord as a tick reads it: each key code once, however long the list
// and however often a code repeats in it.
struct ChordKeys {
    std::vector<uint8_t> codes;  // each code of the list once, in the order first listed
    bool never;  // empty, or a code outside 1..254, which never reads as down
    bool button;  // a code of the mouse's buttons (1..6), which raw keyboard input never reports
};

ChordKeys MakeChord(const std::vector<int32_t>& keys);

struct PanState {
    Point32 offset;      // the view's displacement from the centre cell
    Point32 halfExtent;  // largest |offset| allowed per axis
    Point32 anchor;      // cursor at the previous drag step
    bool panMode;
    bool buttonHeld;
    bool dragActive;
    uint32_t lastReleaseTick;
    bool keysDown;  // a chord key was down at the last look
    bool barred;    // the chord began over a full-screen program: no pan mode until it is let go and begun anew
    bool mapPress;       // the primary button went down on the map: a click there picks a cell, no drag
    bool secondaryHeld;  // the secondary button went down in pan mode: its release pins or unpins
};

// What the shell read for one tick.
struct PollInput {
    std::bitset<256> down;  // the chord's keys and the primary button, by virtual-key code
    bool cursorKnown;       // false while the secure desktop is up
    Point32 cursor;
    uint32_t now;           // milliseconds, wrapping
    bool swapped = false;   // the mouse's buttons are swapped: the physical right one is primary
    int32_t front = 0;      // the system's notification state, read when ReadsFront asks; 0: not read
    Rect32 map = {};        // where the map shows on the screen; empty while it does not
};

// SHQueryUserNotificationState's answers that mean a full-screen program or
// a presentation is in front (or the session is locked): 1 not present,
// 2 busy (a window covering its monitor, presentation settings), 3 Direct3D
// full screen, 4 presentation mode.
bool FullScreenInFront(int32_t notificationState);
// Whether the shell is to read the notification state for this look: only
// when a chord key first goes down, not on every idle look.
bool ReadsFront(const PanState& state, bool anyChordKeyDown);

// What the shell is to do after a tick.
struct PanActions {
    bool enterPanMode;  // the capture surface shown over the whole screen, with the move cursor
    bool leavePanMode;  // the surface hidden, the capture released
    bool park;          // the surface kept over the whole screen, topmost, with the capture
    bool shift;         // a pass moving every window by `step`
    Point32 step;
    bool keysDown;      // a chord key is down: the next tick should come soon
    bool mapClick;      // a click on the map: the view to the cell under `at` (CellOffset)
    bool pin;           // a click of the secondary button: the window under `at` pinned, or unpinned
    Point32 at;
};

// One look at the keys and the mouse; pans only while `enabled`, and never
// for a chord that began over a full-screen program.
PanActions PollTick(PanState& state, const Settings& settings, const ChordKeys& chord, bool enabled,
                    const PollInput& in);
// Settings taking effect: the plane measured anew on `desktop`. At start-up,
// and when the plane's size changed, the view goes to the start cell; true
// when the windows are then to be recalled (a change while running).
bool TakeSettings(PanState& state, const Settings& before, const Settings& next, const Rect32& desktop, bool startUp);
// The screen changed size: the plane measured anew on `desktop`, the windows
// kept where they are on screen. The view keeps its offset while the new
// plane holds it; an axis beyond the new edge comes back to it, and the
// answer is the step every window moves by for that (zero when it fits).
Point32 TakeDisplay(PanState& state, const Settings& settings, const Rect32& desktop);
// Back to the start cell: the step every window is to move by.
Point32 MoveHome(PanState& state, int32_t startCell);
// The view to `offset` (on the plane): the step every window is to move by.
Point32 MoveTo(PanState& state, Point32 offset);
// How far every window stands from its place at home: where a window the
// shell makes anew at its home place is to go.
Point32 FromHome(const PanState& state, int32_t startCell);
// Pan mode and any drag ended, as when the chord is let go.
void EndPanMode(PanState& state);
