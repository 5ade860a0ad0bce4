#include "platform/mci/real_service.h"

#include "platform/mci/interpreter.h"

namespace mci {

MciStringService& RealService() {
    static Interpreter service;
    return service;
}

}  // namespace mci
