// Starting with Windows through one shortcut in the user's Startup folder,
// Veskal.lnk: nothing goes to the registry, and shortcuts of other names
// there are the user's own, never read nor touched.
#pragma once

// True while Veskal.lnk starts this very veskal.exe; one that starts another
// copy (its folder moved since) does not count.
bool StartsWithWindows();

// Removes Veskal.lnk while it starts this exe; otherwise writes it to start
// this exe in its own folder, with its icon, in place of any other. False
// when the Startup folder cannot be written, or this exe's path is too long
// for a shortcut to hold.
bool ToggleStartWithWindows();
