#include "shell/mod_common.h"

#include <exception>

#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "platform/user_interface.h"

Boolean SetAlwaysOnTop(std::int32_t hWnd, Boolean OnTop) {
    try {
        const std::int32_t insertAfter = IsTrue(OnTop) ? HWND_TOPMOST : HWND_NOTOPMOST;
        return ToBoolean(SetWindowPos(hWnd, insertAfter, 0, 0, 0, 0, SWP_NOSIZE + SWP_NOMOVE) != 0);
    } catch (const std::exception&) {
        return vbFalse;
    }
}

void UnloadAllForms(Boolean EndProgram) {
    for (Form* form : Forms()) {
        try {
            form->UnloadForm();
        } catch (const std::exception&) {
            // The next form is still unloaded.
        }
    }
    if (IsTrue(EndProgram)) End();
}
