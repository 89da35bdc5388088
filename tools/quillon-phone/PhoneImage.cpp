#include "PhoneImage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qphone {

namespace {

std::string SysError(const std::string &what, const std::string &path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const uint8_t *data, size_t len)
{
    while (len > 0) {
        const ssize_t n = ::write(fd, data, len);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        len -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::vector<uint8_t> EncodeImage(const PhoneImage &image)
{
    std::vector<uint8_t> out;
    out.reserve(kImageWordBytes + 1 + image.comment.size());
    for (uint16_t w : image.words) {
        out.push_back(static_cast<uint8_t>(w >> 8));
        out.push_back(static_cast<uint8_t>(w & 0xFF));
    }
    out.push_back(image.model);
    out.insert(out.end(), image.comment.begin(), image.comment.end());
    return out;
}

bool DecodeImage(const std::vector<uint8_t> &bytes, PhoneImage *image, std::string *error)
{
    if (bytes.size() < kImageWordBytes) {
        *error = "image file has " + std::to_string(bytes.size()) + " bytes, at least 128 needed";
        return false;
    }
    PhoneImage img;
    for (size_t a = 0; a < static_cast<size_t>(kWords); ++a)
        img.words[a] = static_cast<uint16_t>(bytes[2 * a] << 8 | bytes[2 * a + 1]);
    if (bytes.size() > kImageWordBytes) {
        img.model = bytes[kImageWordBytes];
        img.comment.assign(bytes.begin() + kImageWordBytes + 1, bytes.end());
    }
    *image = img;
    return true;
}

bool LoadImageFile(const std::string &path, PhoneImage *image, std::string *error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = SysError("cannot open", path);
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = SysError("cannot read", path);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), buf, buf + n);
        if (bytes.size() > (1u << 20)) {
            *error = path + ": too large for an image file";
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    if (!DecodeImage(bytes, image, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return true;
}

bool SaveImageFile(const std::string &path, const PhoneImage &image, std::string *error)
{
    std::string tmpl = path + ".tmpXXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        *error = SysError("cannot create a temporary file for", path);
        return false;
    }
    const std::vector<uint8_t> bytes = EncodeImage(image);
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    if (!ok)
        *error = SysError("cannot write", name.data());
    // mkstemp makes the file 0600; an image is an ordinary document.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::close(fd) != 0 && ok) {
        *error = SysError("cannot write", name.data());
        ok = false;
    }
    if (ok && ::rename(name.data(), path.c_str()) != 0) {
        *error = SysError("cannot rename onto", path);
        ok = false;
    }
    if (!ok)
        ::unlink(name.data());
    return ok;
}

} // namespace qphone
