// Where the program keeps its files. Relative paths the program uses
// ("./data/PosImg.dat", ".\UserImages.bmp") resolve in the home folder:
// $TARNWICK_HOME, else $XDG_DATA_HOME/tarnwick (else ~/.local/share/tarnwick).
#pragma once

#include <string>
#include <vector>

namespace tw::app {

// The home folder the environment names; empty when none can be worked out.
std::string HomeFolder();
// Makes the home folder and its "data" folder when missing and makes it the
// current directory; false (with the reason in error) when that fails.
bool EnterHomeFolder(std::string& error);
// A command-line argument made absolute against the starting directory, so it
// still names the same file once the home folder is current. Switches
// ("-x", "/Embedding") and absolute paths come back as they are.
std::string AbsoluteArgument(const std::string& arg, const std::string& startDir);
// The folder of the running executable (help pages and the tutorial live there).
std::string ProgramFolder();

}  // namespace tw::app
