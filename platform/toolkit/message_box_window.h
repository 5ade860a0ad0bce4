#pragma once
// The message box as a modal dialog with the icon the style asks for.
#include "platform/user_interface.h"

namespace toolkit {

class MessageBoxWindow : public MessageBoxPresenter {
  public:
    int Show(const std::string& prompt, int style, const std::string& title) override;
};

}  // namespace toolkit
