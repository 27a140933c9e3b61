#include "skin/win32/control_dispatch.h"

// The control skinners (bitmap buttons, drop-down lists, the status bar and the other admitted
// kinds) attach here once they exist; until then a skinned window's controls keep the
// system's look.
void SkinWindowControls(TWinSkinForm&) {}
