// Everything of the kernel half of the platform in one include.
#pragma once

#include "platform/win32/kernel/CrtCompat.h"
#include "platform/win32/kernel/ErrorText.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/kernel/Locale.h"
#include "platform/win32/kernel/Modules.h"
#include "platform/win32/kernel/Process.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/kernel/Sync.h"
#include "platform/win32/kernel/Threads.h"
#include "platform/win32/kernel/Time.h"
