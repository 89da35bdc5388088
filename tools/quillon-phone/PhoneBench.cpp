#include "PhoneBench.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace qphone {

namespace {

std::string BaseName(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

bool PhoneBench::openUnits(const std::string &dir, std::string *error)
{
    DIR *d = ::opendir(dir.c_str());
    if (!d) {
        *error = "cannot read " + dir + ": " + std::strerror(errno);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent *e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.empty() || name[0] == '.')
            continue;
        struct stat st{};
        const std::string path = dir + "/" + name;
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(path);
    }
    ::closedir(d);
    if (names.empty()) {
        *error = dir + " holds no unit files";
        return false;
    }
    std::sort(names.begin(), names.end());
    files_ = names;
    next_ = 0;
    return true;
}

bool PhoneBench::next(std::string *path)
{
    if (next_ >= static_cast<int>(files_.size()))
        return false;
    *path = files_[static_cast<size_t>(next_++)];
    return true;
}

std::string PhoneBench::savePath(const std::string &save, const std::string &unitPath) const
{
    if (save.empty() || files_.empty() || unitPath.empty())
        return save;
    return save + "/" + BaseName(unitPath);
}

bool LoadUnit(const PhoneOptions &options, const std::string &path, PhoneImage *image, std::string *error)
{
    PhoneImage loaded;
    if (!path.empty() && !LoadImageFile(path, &loaded, error))
        return false;
    if (options.model >= 0)
        loaded.model = static_cast<uint8_t>(options.model);
    if (options.hasComment)
        loaded.comment = options.comment;
    for (const auto &pw : options.presetWords)
        loaded.words[pw.first] = pw.second;
    *image = loaded;
    return true;
}

} // namespace qphone
