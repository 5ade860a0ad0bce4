#pragma once
// The file list: names of the files of one folder that match a pattern such as "*.mid;*.rmi",
// sorted ignoring case. Ordinary, read-only and archive files are listed; hidden files
// (names starting with ".") are not. KeyUp is raised when a key that went down in the list
// is released (not for auto-repeat, nor for a key a menu shortcut took), after the list has
// moved its selection on the key going down. DblClick is raised for the left button only.
// An entry dragged out of the list gives its file as a link and as text, to be copied only.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/control.h"

class FileList;

class FileListBox : public Control {
  public:
    explicit FileListBox(Container& parent);

    std::string Path() const { return path_; }
    // A folder that cannot be read raises an error and leaves the list as it was.
    void Path(const std::string& pathOrDrive);
    std::string Pattern() const { return pattern_; }
    void Pattern(const std::string& pattern);
    // Re-reads the folder, keeping the selected name selected while it is still there.
    void Refresh();

    // Counts and indexes are 16-bit: error 6 (Overflow) for a value past 32,767. The selected
    // entry's text never goes through them, so every entry of a longer list can be chosen.
    std::int16_t ListCount() const;
    std::string List(std::int16_t index) const;
    // -1 when nothing is selected. Error 380 for an index outside the list.
    std::int16_t ListIndex() const;
    void ListIndex(std::int16_t index);
    std::string FileName() const;  // the selected entry, or empty text
    // Where the entry at `row` lives on disk, for dragging it out of the list.
    std::optional<std::filesystem::path> FilePath(std::size_t row) const;

    std::function<void()> DblClick;
    std::function<void(std::int16_t KeyCode, std::int16_t Shift)> KeyUp;

  private:
    friend class FileList;
    void Fill(const std::vector<std::string>& names);
    bool Matches(const std::string& name) const;
    std::optional<std::size_t> SelectedRow() const;
    static std::int16_t SixteenBit(std::size_t value);

    FileList* list_;
    std::string path_;
    std::string pattern_ = "*.*";
    std::vector<std::string> names_;
};
