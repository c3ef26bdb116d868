#include "tests/support/scratch_dir.h"

#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

bool systemRefusesReadOnlyFiles()
{
    return true;
}

std::string makeFifo(const std::string& path)
{
    if (::mkfifo(path.c_str(), 0666) != 0)
        throw std::runtime_error("cannot make a FIFO");
    return path;
}

std::string makeSocket(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long");
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound =
        fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!bound)
        throw std::runtime_error("cannot bind a socket");
    return path;
}
