#pragma once
// The directory list: the current folder under its ancestors (open folders) with its
// subfolders below it (closed folders). Double-click or Enter opens a folder.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/toolkit/control.h"

class DirTree;

class DirListBox : public Control {
  public:
    explicit DirListBox(Container& parent);

    std::string Path() const { return path_; }
    // A Windows path or a drive text ("d:", meaning that drive's current directory).
    // A folder that cannot be read raises an error and leaves the list as it was.
    void Path(const std::string& pathOrDrive);
    // Re-reads the subfolders; the highlight stays on its folder while that is still listed.
    void Refresh();
    std::int16_t ListCount() const;  // the subfolders of the current folder
    std::string List(std::int16_t index) const;

    std::function<void()> Change;
    std::function<void(std::int16_t KeyCode, std::int16_t Shift)> KeyDown;

  private:
    friend class DirTree;
    void Open(const std::string& path);
    void Rebuild();

    DirTree* tree_;
    std::string path_;
};
