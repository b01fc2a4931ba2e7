#pragma once

namespace chronolien {

// Called before the application object is made. Wayland lets no client place its windows or keep
// them above the others, and the floating, counter and mail windows need both: in a Wayland
// session that also offers an X server (DISPLAY set, XWayland), the program runs on X11, falling
// back to Wayland when that server cannot be reached. A platform the user chose (QT_QPA_PLATFORM)
// is left alone. True when the choice was made here.
bool preferX11InWaylandSession();

// Called once the application object exists: takes back the platform choice from the environment,
// where Qt has read it, so that the programs started from Chronolien choose for themselves; names
// the program for the desktop (trays show the application name) and loads Qt's own texts in
// French whatever the user's language, so that standard buttons, file dialogs and context menus
// match the program.
void settleOnDesktop(bool x11Chosen);

} // namespace chronolien
