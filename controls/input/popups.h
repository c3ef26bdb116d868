#pragma once

// Closes every pop-up window of the application that is open now (a drop-down list, a menu, a
// completion list), innermost first, so that the next key and click reach the window again. A
// pop-up that refuses to close is hidden; the loop is bounded, so none can hang the caller.
void closeActivePopups();
