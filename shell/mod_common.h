#pragma once
// modCommon: placing the program's windows and closing them all.
#include <cstdint>

#include "platform/vb_types.h"

// Puts the window into the band kept above all normal windows (OnTop True) or back into the
// normal stacking order, without moving, sizing or showing it. True when the platform did it.
Boolean SetAlwaysOnTop(std::int32_t hWnd, Boolean OnTop);

// Unloads every loaded form (each runs its own unload handling); a form whose unloading fails
// is passed over. With EndProgram True the program then ends at once.
void UnloadAllForms(Boolean EndProgram);
