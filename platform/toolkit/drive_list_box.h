#pragma once
// A drop-down list of the drive letters the path layer maps, each shown as "c: [label]".
// Assigning a text selects the drive named by its first letter.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/toolkit/control.h"

class QComboBox;

class DriveListBox : public Control {
  public:
    explicit DriveListBox(Container& parent);

    std::string Drive() const;
    // Error 68 when no drive has that letter.
    void Drive(const std::string& text);
    // Re-reads the mounts, keeping the selected drive when it is still there.
    void Refresh();
    std::int16_t ListCount() const;
    std::string List(std::int16_t index) const;

    std::function<void()> Change;

  private:
    void Fill();
    int IndexOfLetter(char letter) const;

    QComboBox* combo_;
};
