#pragma once

namespace chronolien {

class Clock;
class InterfaceTable;
class LineServices;
class MessageBox;
class ProcessStarter;
class SoundPlayer;

// Everything the program asks of the operating system, handed to the logic through constructors.
// The program builds one from the Linux implementations; tests build one from fakes.
struct Services {
    Clock& clock;
    LineServices& line;
    InterfaceTable& interfaces;
    SoundPlayer& sound;
    ProcessStarter& processes;
    MessageBox& messages;
};

} // namespace chronolien
