// The browser's own default look of HTML elements, applied beneath every
// page's styles.
#pragma once

namespace tw::browser {

const char* DefaultStyleSheet();

}  // namespace tw::browser
