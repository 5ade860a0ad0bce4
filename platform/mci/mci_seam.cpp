// The entry points forward to one installable service, so tests can see every command the
// program sends (its text, buffer length and callback window) without a sound playing.
#include <atomic>

#include "platform/mci/real_service.h"
#include "platform/multimedia.h"

namespace {

std::atomic<MciStringService*> installed{nullptr};

MciStringService& current() {
    MciStringService* service = installed.load();
    return service ? *service : mci::RealService();
}

}  // namespace

MciStringService* SetMciStringService(MciStringService* service) {
    return installed.exchange(service);
}

std::uint32_t mciSendStringA(const char* command, char* returnString, std::uint32_t returnLength,
                             std::int32_t hwndCallback) {
    return current().SendString(command, returnString, returnLength, hwndCallback);
}

std::int32_t mciGetErrorStringA(std::uint32_t error, char* buffer, std::uint32_t length) {
    return current().GetErrorString(error, buffer, length);
}
