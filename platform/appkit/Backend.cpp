#include "platform/appkit/Backend.h"

namespace platform {

namespace {
std::shared_ptr<Backend>& installedBackend() {
    static std::shared_ptr<Backend> backend;
    return backend;
}
} // namespace

Backend* Backend::installed() { return installedBackend().get(); }

void Backend::install(std::shared_ptr<Backend> backend) { installedBackend() = std::move(backend); }

} // namespace platform
