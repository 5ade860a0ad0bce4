#pragma once
// The toolkit's file statements on Windows paths: Kill, and writing a whole file as text
// (Open For Output, Print, Close) or as bytes (Open For Binary, Put, Close).
// Each raises RuntimeError with the toolkit's number when the file system refuses.
#include <cstdint>
#include <string>
#include <vector>

// Deletes a file: 53 when there is none, 76 when its folder is missing, 75 when it cannot go.
void Kill(const std::string& path);

// Creates the file, or empties an existing one, and writes the text or bytes as they are:
// 76 when the folder is missing, 75 when the file cannot be created or written.
void WriteTextFile(const std::string& path, const std::string& text);
void WriteBinaryFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
