// Handing out and saving the program's own resources: pictures, strings and custom data.
#include "media/cmci_adv.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "platform/runtime_error.h"
#include "platform/user_interface.h"

namespace {

constexpr std::int32_t kLowestId = 1;
constexpr std::int32_t kHighestId = 32767;
constexpr int kBitmap = 0, kIcon = 1, kCursor = 2, kString = 3, kCustom = 4;
constexpr char CR = '\r';

bool validId(std::int32_t id) {
    return id >= kLowestId && id <= kHighestId;
}

void showInvalidId() {
    MsgBox("Invalid resource ID specified.  Can't retrieve the file from the resource.",
           vbExclamation, "  Invalid Resource ID Specified");
}

// `action` is "extract" or "save".
void showError(const RuntimeError& error, const std::string& action) {
    MsgBox("The following error occured while trying to " + action + " a file from resource:" + CR +
               CR + "Error Number = " + CStr(error.Number) + CR +
               "Error Description = " + error.Description,
           vbExclamation, "  Error  -  " + error.Description);
}

ResourceValue load(std::int32_t id, std::int32_t type, const std::string& name) {
    switch (type) {
        case kBitmap:
        case kIcon:
        case kCursor:
            return LoadResPicture(id, type);
        case kString:
            return LoadResString(id);
        case kCustom:
            return LoadResData(id, name);
        default:
            return {};
    }
}

// Writes the resource; an empty string or fewer than two bytes of data write nothing.
void save(const std::string& file, std::int32_t id, std::int32_t type, const std::string& name) {
    switch (type) {
        case kBitmap:
        case kIcon:
        case kCursor:
            if (const Picture picture = LoadResPicture(id, type); !picture.IsEmpty())
                SavePicture(picture, file);
            break;
        case kString:
            if (const std::string text = LoadResString(id); !text.empty())
                WriteTextFile(file, text);
            break;
        case kCustom:
            if (const auto bytes = LoadResData(id, name); bytes.size() >= 2)
                WriteBinaryFile(file, bytes);
            break;
        default:
            break;
    }
}

}  // namespace

Boolean cMCI_Adv::RES_Extract(ResourceValue& Return_Resource, std::int32_t RES_ID,
                              std::int32_t RES_Type, const ResourceOptions& o) {
    Return_Resource = {};
    const std::string name = Trim(o.RES_Name);
    if (!validId(RES_ID)) {
        if (IsTrue(o.ShowErrors)) showInvalidId();
        return vbFalse;
    }
    try {
        Return_Resource = load(RES_ID, RES_Type, name);
    } catch (const RuntimeError& error) {
        if (IsTrue(o.ShowErrors)) showError(error, "extract");
        return vbFalse;
    }
    return vbTrue;
}

Boolean cMCI_Adv::RES_Save(const std::string& FileToExtractTo, std::int32_t RES_ID,
                           std::int32_t RES_Type, const ResourceSaveOptions& o) {
    const std::string file = Trim(FileToExtractTo);
    const std::string name = Trim(o.RES_Name);
    if (file.empty()) {
        if (IsTrue(o.ShowErrors))
            MsgBox("No file specified to extract resource to.", vbExclamation,
                   "  No Output File Specified");
        return vbFalse;
    }
    if (!validId(RES_ID)) {
        if (IsTrue(o.ShowErrors)) showInvalidId();
        return vbFalse;
    }
    try {
        if (IsTrue(FileExists(file))) {
            if (!IsTrue(o.OverwriteIfExists)) return vbTrue;
            Kill(file);
        }
        save(file, RES_ID, RES_Type, name);
    } catch (const RuntimeError& error) {
        if (IsTrue(o.ShowErrors)) showError(error, "save");
        return vbFalse;
    }
    return vbTrue;
}
