#pragma once

// Keeps text readable on a scaled screen (150 %, 200 %): whenever a window is shown or moves to
// another screen, every widget in it that names a font of its own gets that font as drawn at
// the window's device pixel ratio (atDevicePixelRatio), and the font it named back at 1, so a
// window at 100 % looks exactly as laid out. A font the program sets later is followed too.
// Safe to call more than once; only the first call in an application installs the follower.
void followScreenScale();
