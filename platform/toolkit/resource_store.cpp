// The program's resources, kept as Qt resources by kind and identifier.
#include <QByteArray>
#include <QFile>

#include "platform/files.h"
#include "platform/resources.h"
#include "platform/runtime_error.h"
#include "platform/vb_types.h"

namespace {

constexpr std::int32_t kResourceNotFound = 326;
constexpr std::int32_t kInvalidProcedureCall = 5;

[[noreturn]] void raiseNotFound(std::int32_t id) {
    throw RuntimeError(kResourceNotFound, "Resource with identifier '" + CStr(id) + "' not found");
}

std::string placeOf(const std::string& folder, std::int32_t id) {
    return ":/resources/" + folder + "/" + CStr(id);
}

QByteArray contentsOf(const std::string& place, std::int32_t id) {
    QFile file(QString::fromStdString(place));
    if (!file.open(QIODevice::ReadOnly)) raiseNotFound(id);
    return file.readAll();
}

}  // namespace

Picture LoadResPicture(std::int32_t id, int kind) {
    static const char* const folders[] = {"bitmap", "icon", "cursor"};
    if (kind < vbResBitmap || kind > vbResCursor)
        throw RuntimeError(kInvalidProcedureCall, "Invalid procedure call or argument");
    Picture picture = Picture::FromResource(placeOf(folders[kind], id));
    if (picture.IsEmpty()) raiseNotFound(id);
    return picture;
}

std::string LoadResString(std::int32_t id) {
    return contentsOf(placeOf("string", id), id).toStdString();
}

std::vector<std::uint8_t> LoadResData(std::int32_t id, const std::string& type) {
    // A name that could climb out of its folder names no resource.
    if (type.empty() || type.find_first_of("/\\") != std::string::npos || type == "." ||
        type == "..")
        raiseNotFound(id);
    const QByteArray bytes = contentsOf(placeOf("data/" + UCase(type), id), id);
    return {bytes.begin(), bytes.end()};
}

void SavePicture(const Picture& picture, const std::string& path) {
    if (picture.IsEmpty())
        throw RuntimeError(vberr::InvalidPropertyValue, "Invalid property value");
    const QByteArray& bytes = *picture.Encoded();
    WriteBinaryFile(path, {bytes.begin(), bytes.end()});
}
