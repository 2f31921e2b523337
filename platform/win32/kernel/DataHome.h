// Where the program keeps its data ("data/PosImg.dat", "data/server/..."):
// $TARNWICK_HOME, else $XDG_DATA_HOME/tarnwick, else ~/.local/share/tarnwick.
// Not the working directory, so a start from another folder finds the same data.
#pragma once

#include <string>

namespace tw {

std::string DataHome();

// Creates a folder and its missing parents; the folder itself ends up 0700
// (an existing one is tightened), the parents 0700 when new. False with the
// system's reason in `error` on failure.
bool MakePrivateFolder(const std::string& path, std::string* error = nullptr);

}  // namespace tw
