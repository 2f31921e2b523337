// What a UI library test needs before it makes windows: the program's
// resources, one application object and the global drawing data.
#pragma once

void KtvPrepareUiTest();
