// Puts a fuzz input into the simulated desktop's drive as another program would leave a file
// there. The host path is looked up once; each input is then written with the system's own
// calls (no stream buffer to allocate per input).
#pragma once

#include <winsim/sim_system.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

class HostFileWriter {
public:
    explicit HostFileWriter(const char* windowsPath) {
        const std::optional<std::string> host = winsim::HostPath(windowsPath);
        if (!host) {
            std::abort();
        }
        host_ = *host;
    }

    void Write(const uint8_t* data, size_t size) const {
        const int file = open(host_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (file < 0) {
            std::abort();
        }
        while (size > 0) {
            const ssize_t written = write(file, data, size);
            if (written <= 0) {
                std::abort();
            }
            data += written;
            size -= static_cast<size_t>(written);
        }
        close(file);
    }

private:
    std::string host_;
};
