#pragma once
// Runs one step of a guarded handler: a step that fails is skipped and the handler goes on.
#include <exception>

template <typename Step>
void Guarded(Step step) {
    try {
        step();
    } catch (const std::exception&) {
        // Skipped, as the handler's guard asks; the next step still runs.
    }
}
