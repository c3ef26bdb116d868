#pragma once

#include <QImage>

// The program's icon at size × size pixels for the desktop's icon theme, drawn from the very
// picture the window shows, with its see-through background. Whole multiples of the picture's
// size repeat each pixel; any other size is taken from the next whole multiple above and
// smoothed down, so the edges stay crisp without uneven pixel rows. ARGB32, not premultiplied.
QImage programIconAt(int size);
