#pragma once

// Registers a font face from the folder where Debian's fonts-wine puts the free faces that are
// metric-compatible with those of Windows programs; fontconfig does not search it. False when
// the face is not installed, so the caller's font falls back to the nearest sans face.
bool registerShippedFont(const char* fileName);
