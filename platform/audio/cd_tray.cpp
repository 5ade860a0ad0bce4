// The tray of a real drive. Only a block device has one: libcdio would take any other path
// for the default drive's name and move that drive's tray instead.
#include <cdio/cdio.h>

#include <filesystem>

#include "platform/audio/cd_audio.h"
#include "platform/audio/cd_source.h"

namespace audio {

TrayMove MoveCdTray(const std::string& source, bool open) {
    std::error_code error;
    if (!std::filesystem::is_block_file(source, error)) return TrayMove::NoTray;
    driver_id_t driver = DRIVER_DEVICE;
    const auto lock = LockLibcdio();
    const driver_return_code_t result =
        open ? cdio_eject_media_drive(source.c_str()) : cdio_close_tray(source.c_str(), &driver);
    return result == DRIVER_OP_SUCCESS ? TrayMove::Done : TrayMove::Refused;
}

}  // namespace audio
