#pragma once

namespace chronolien {

// What the menus and the floating window ask of the rest of the program: the line, the
// configuration dialog, the about box and the end of the run.
class UserActions {
public:
    virtual ~UserActions() = default;
    // Hangs up when the line is up, dials otherwise.
    virtual void ToggleConnection() = 0;
    // Opens the configuration dialog on its plan section.
    virtual void OpenConfiguration() = 0;
    // Shows the about box.
    virtual void ShowAboutBox() = 0;
    // Asks whether to quit and, when the answer allows it, ends the program.
    virtual void QuitApplication() = 0;
};

} // namespace chronolien
