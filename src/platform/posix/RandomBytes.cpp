#include <sys/random.h>
#include <unistd.h>

#include <cerrno>

#include "platform/RandomName.h"
#include "platform/posix/SystemError.h"

namespace linkloom::platform {

std::optional<SystemError> RandomBytes(unsigned char* bytes, std::size_t size) {
    // getentropy gives at most 256 bytes a call.
    for (std::size_t done = 0; done < size; done += 256) {
        if (getentropy(bytes + done, size - done < 256 ? size - done : 256) != 0)
            return LastFailure(String(), Action::Read);
    }
    return std::nullopt;
}

}  // namespace linkloom::platform
