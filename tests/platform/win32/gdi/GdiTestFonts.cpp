// Text tests see only the project's fonts: the private fontconfig file is
// chosen before anything asks fontconfig for a face.
#include <cstdlib>

namespace {

const bool kGdiTestFontsChosen = [] {
    setenv("FONTCONFIG_FILE", TW_SOURCE_DIR "/tests/support/fonts.conf", 0);
    return true;
}();

}  // namespace
