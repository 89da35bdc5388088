// quillon-phone: a telephone on a pseudo-terminal, answering the programmer's
// echoing character protocol. See --help.

#include "PhoneBench.h"
#include "PhoneImage.h"
#include "PhoneLine.h"
#include "PhoneOptions.h"
#include "PhonePty.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    using namespace qphone;

    const std::string program = argc > 0 ? argv[0] : "quillon-phone";
    const std::vector<std::string> args(argv + 1, argv + argc);
    PhoneOptions options;
    std::string error;
    if (!ParseOptions(args, &options, &error)) {
        std::fprintf(stderr, "quillon-phone: %s\nTry '%s --help'.\n", error.c_str(), program.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText(program).c_str(), stdout);
        return 0;
    }

    PhoneBench bench;
    std::string first = options.loadPath;
    if (!options.unitsPath.empty()
        && (!bench.openUnits(options.unitsPath, &error) || !bench.next(&first))) {
        std::fprintf(stderr, "quillon-phone: %s\n", error.c_str());
        return 1;
    }
    PhoneImage image;
    if (!LoadUnit(options, first, &image, &error)) {
        std::fprintf(stderr, "quillon-phone: %s\n", error.c_str());
        return 1;
    }

    PhoneLine line(options.charUs);
    line.setKeepParsed(options.keepParsed);
    line.words() = image.words;
    for (const Fault &f : options.faults)
        line.addFault(f);
    return RunPhone(options, line, image, bench, first);
}
