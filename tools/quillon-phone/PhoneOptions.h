#pragma once

// Command line of quillon-phone, parsed apart from main() so it can be tested.

#include "PhoneLine.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qphone {

struct PhoneOptions {
    std::string linkPath;
    std::string loadPath;
    std::string savePath;
    std::string controlPath;
    std::string unitsPath; // --units: a folder of unit files, one per plug
    bool once = false;
    bool dump = false;
    bool verbose = false;
    bool keepParsed = false; // --keep-parsed
    bool help = false;
    int64_t charUs = kDefaultCharUs; // 0 with --fast
    int64_t latencyUs = 0;           // --latency-ms: what we send reaches the program only every N ms
    int model = -1;                  // -1: keep the loaded one (0xFF for none)
    bool hasComment = false;
    std::string comment;
    std::vector<std::pair<uint8_t, uint16_t>> presetWords; // --word AA=WWWW
    std::vector<Fault> faults;
};

// `args` excludes the program name. On a usage error returns false and sets `error`.
bool ParseOptions(const std::vector<std::string> &args, PhoneOptions *out, std::string *error);
std::string UsageText(const std::string &program);

} // namespace qphone
