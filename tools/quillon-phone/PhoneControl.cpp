// The unit's EEPROM file (--save, the units of --units) and the control
// lines of --control: plugging, unplugging, faults, dumps.

#include "PhoneRunner.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace qphone {

void Runner::save()
{
    if (savePath_.empty())
        return;
    image_.words = line_.words();
    std::string error;
    if (!SaveImageFile(savePath_, image_, &error))
        std::fprintf(stderr, "quillon-phone: %s\n", error.c_str());
    else
        log("saved %s", savePath_.c_str());
}

bool Runner::makeSaveFolder()
{
    if (!bench_.hasUnits() || o_.savePath.empty())
        return true;
    struct stat st{};
    if (::stat(o_.savePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    if (::mkdir(o_.savePath.c_str(), 0700) == 0)
        return true;
    std::fprintf(stderr, "quillon-phone: cannot create folder %s: %s\n", o_.savePath.c_str(),
                 std::strerror(errno));
    return false;
}

// The cable is out: what the program sends goes nowhere, and what was on its
// way back is lost. The unit keeps its EEPROM.
void Runner::unplug()
{
    if (unplugged_)
        return;
    save();
    unplugged_ = true;
    pending_.clear();
    line_.reset();
    log("control: unplugged");
}

void Runner::plug(const std::string &file)
{
    if (!unplugged_ && file.empty() && !bench_.hasUnits()) {
        log("control: already plugged");
        return;
    }
    std::string path = file;
    if (file.empty() && bench_.hasUnits() && !bench_.next(&path)) {
        unplug();
        std::fprintf(stderr, "quillon-phone: control: no more units in %s\n", o_.unitsPath.c_str());
        return;
    }
    if (!path.empty()) {
        PhoneImage next;
        std::string error;
        if (!LoadUnit(o_, path, &next, &error)) {
            std::fprintf(stderr, "quillon-phone: control: %s\n", error.c_str());
            return;
        }
        unplug();
        image_ = next;
        line_.words() = next.words;
        savePath_ = bench_.savePath(o_.savePath, path);
    }
    unplugged_ = false;
    pending_.clear();
    line_.reset();
    log("control: plugged %s", path.empty() ? "the same unit" : path.c_str());
}

// A contact that flickered: the same unit, as it is now, answers again.
void Runner::replug()
{
    unplugged_ = false;
    pending_.clear();
    line_.reset();
    log("control: the same unit answers again");
}

void Runner::dump()
{
    const std::string text = DumpEeprom(line_.words());
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

void Runner::handleControl()
{
    char buf[512];
    ssize_t n;
    while ((n = ::read(control_, buf, sizeof buf)) > 0) {
        controlBuf_.append(buf, static_cast<size_t>(n));
        size_t nl;
        while ((nl = controlBuf_.find('\n')) != std::string::npos) {
            std::string text = controlBuf_.substr(0, nl);
            controlBuf_.erase(0, nl + 1);
            while (!text.empty() && (text.back() == '\r' || text.back() == ' '))
                text.pop_back();
            while (!text.empty() && text.front() == ' ')
                text.erase(0, 1);
            if (!text.empty())
                controlLine(text);
        }
        if (controlBuf_.size() > 4096)
            controlBuf_.clear();
    }
}

void Runner::controlLine(const std::string &text)
{
    if (text == "clear") {
        line_.clearFaults();
        log("control: faults cleared");
    } else if (text == "dump") {
        dump();
    } else if (text == "save") {
        save();
    } else if (text == "unplug") {
        unplug();
    } else if (text == "replug") {
        replug();
    } else if (text == "plug" || text.rfind("plug ", 0) == 0) {
        std::string file = text.size() > 4 ? text.substr(5) : std::string();
        while (!file.empty() && file.front() == ' ')
            file.erase(0, 1);
        plug(file);
    } else {
        std::string spec = text.rfind("fault ", 0) == 0 ? text.substr(6) : text;
        Fault f;
        std::string error;
        if (ParseFault(spec, &f, &error)) {
            line_.addFault(f);
            log("control: fault %s added", DescribeFault(f).c_str());
        } else {
            std::fprintf(stderr, "quillon-phone: control: %s\n", error.c_str());
        }
    }
}

} // namespace qphone
