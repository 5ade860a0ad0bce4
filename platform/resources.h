#pragma once
// The program's own resources as the toolkit loads them, and saving a picture to a file.
// They are kept as Qt resources under ":/resources", one file per resource: "bitmap/ID",
// "icon/ID", "cursor/ID", "string/ID" and "data/TYPE/ID", where ID is the identifier in
// decimal and TYPE the custom type's name in upper case (type names ignore letter case).
// A resource that is not there raises RuntimeError 326.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/toolkit/picture.h"

inline constexpr int vbResBitmap = 0;
inline constexpr int vbResIcon = 1;
inline constexpr int vbResCursor = 2;

Picture LoadResPicture(std::int32_t id, int kind);  // kind: vbResBitmap, vbResIcon or vbResCursor
std::string LoadResString(std::int32_t id);
std::vector<std::uint8_t> LoadResData(std::int32_t id, const std::string& type);

// Writes the picture in its own image format, byte for byte the file it was read from.
// An empty picture raises 380; a file that cannot be written raises as WriteBinaryFile does.
void SavePicture(const Picture& picture, const std::string& path);
