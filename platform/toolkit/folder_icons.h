#pragma once
// The directory list's two folder pictures, drawn once: a closed folder for subfolders and an
// open one for the current folder and its ancestors, so the two read apart in any style.
class QIcon;

namespace toolkit {

const QIcon& ClosedFolderIcon();
const QIcon& OpenFolderIcon();

}  // namespace toolkit
