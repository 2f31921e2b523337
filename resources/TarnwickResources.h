// The program's resource table, compiled from resources/*.rc. The program
// registers it for its instance at start-up:
//     tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
#pragma once

#include "platform/win32/resource/ResourceTable.h"

const tw::ResourceTable& TarnwickResources();
