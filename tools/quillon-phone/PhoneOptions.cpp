#include "PhoneOptions.h"

#include <cmath>
#include <cstdlib>

namespace qphone {

namespace {

bool ParseNumber(const std::string &s, double *out)
{
    if (s.empty())
        return false;
    char *end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

bool ParseHexField(const std::string &s, size_t maxDigits, unsigned *out)
{
    if (s.empty() || s.size() > maxDigits)
        return false;
    unsigned v = 0;
    for (char c : s) {
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        v = v * 16 + d;
    }
    *out = v;
    return true;
}

} // namespace

bool ParseOptions(const std::vector<std::string> &args, PhoneOptions *out, std::string *error)
{
    PhoneOptions o;
    bool fast = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool inlineValue = false;
        if (name.rfind("--", 0) == 0) {
            const size_t eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.erase(eq);
                inlineValue = true;
            }
        }
        auto takeValue = [&]() -> bool {
            if (inlineValue)
                return true;
            if (i + 1 >= args.size()) {
                *error = name + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        auto noValue = [&]() -> bool {
            if (inlineValue) {
                *error = name + " takes no value";
                return false;
            }
            return true;
        };

        if (name == "-h" || name == "--help") {
            o.help = true;
        } else if (name == "-v" || name == "--verbose") {
            o.verbose = true;
        } else if (name == "--once") {
            if (!noValue())
                return false;
            o.once = true;
        } else if (name == "--fast") {
            if (!noValue())
                return false;
            fast = true;
        } else if (name == "--keep-parsed") {
            if (!noValue())
                return false;
            o.keepParsed = true;
        } else if (name == "--dump") {
            if (!noValue())
                return false;
            o.dump = true;
        } else if (name == "--link" || name == "--load" || name == "--save" || name == "--control"
                   || name == "--units") {
            if (!takeValue())
                return false;
            if (value.empty()) {
                *error = name + " needs a path";
                return false;
            }
            (name == "--link" ? o.linkPath
             : name == "--load" ? o.loadPath
             : name == "--save" ? o.savePath
             : name == "--units" ? o.unitsPath
                                : o.controlPath) = value;
        } else if (name == "--char-ms") {
            double ms = 0;
            if (!takeValue())
                return false;
            if (!ParseNumber(value, &ms) || ms < 0 || ms > 10000) {
                *error = "--char-ms needs a time from 0 to 10000 ms";
                return false;
            }
            o.charUs = static_cast<int64_t>(std::llround(ms * 1000));
        } else if (name == "--latency-ms") {
            double ms = 0;
            if (!takeValue())
                return false;
            if (!ParseNumber(value, &ms) || ms < 0 || ms > 1000) {
                *error = "--latency-ms needs a time from 0 to 1000 ms";
                return false;
            }
            o.latencyUs = static_cast<int64_t>(std::llround(ms * 1000));
        } else if (name == "--baud") {
            double baud = 0;
            if (!takeValue())
                return false;
            if (!ParseNumber(value, &baud) || baud < 1 || baud > 10000000) {
                *error = "--baud needs a rate from 1 bit/s";
                return false;
            }
            // 10 bits a character: start, 8 data, stop.
            o.charUs = static_cast<int64_t>(std::llround(10e6 / baud));
        } else if (name == "--model") {
            double m = 0;
            if (!takeValue())
                return false;
            if (!ParseNumber(value, &m) || m < 0 || m > 255 || m != std::floor(m)) {
                *error = "--model needs a byte value 0-255";
                return false;
            }
            o.model = static_cast<int>(m);
        } else if (name == "--comment") {
            if (!takeValue())
                return false;
            o.hasComment = true;
            o.comment = value;
        } else if (name == "--word") {
            if (!takeValue())
                return false;
            const size_t eq = value.find('=');
            unsigned a = 0, w = 0;
            if (eq == std::string::npos || !ParseHexField(value.substr(0, eq), 2, &a) || a > kAddrMask
                || !ParseHexField(value.substr(eq + 1), 4, &w)) {
                *error = "--word needs AA=WWWW in hex, address 00-3F";
                return false;
            }
            o.presetWords.emplace_back(static_cast<uint8_t>(a), static_cast<uint16_t>(w));
        } else if (name == "--fault") {
            if (!takeValue())
                return false;
            Fault f;
            std::string why;
            if (!ParseFault(value, &f, &why)) {
                *error = "--fault " + value + ": " + why;
                return false;
            }
            o.faults.push_back(f);
        } else {
            *error = "unknown option " + args[i];
            return false;
        }
    }
    if (!o.unitsPath.empty() && !o.loadPath.empty()) {
        *error = "--units and --load exclude each other";
        return false;
    }
    if (fast)
        o.charUs = 0;
    *out = o;
    return true;
}

std::string UsageText(const std::string &program)
{
    return "Usage: " + program
           + " [options]\n"
             "\n"
             "Emulates an SN-258 / SN-258+ telephone on a pseudo-terminal, for training\n"
             "and tests of the programmer. The first line on stdout is \"PORT <slave path>\";\n"
             "open that device (or the --link path) as the serial port.\n"
             "\n"
             "The telephone echoes every character. \"M\" AA WWWW.. CR (1-5 words) writes\n"
             "its 64-word EEPROM from address AA; \"m\" AA CR is answered after the echo of\n"
             "the CR with \"!\", the five words AA..AA+4 as 20 hex digits, CR, LF. Addresses\n"
             "wrap at 0x40 (six address bits). A bare CR is only echoed; any other byte is\n"
             "echoed and drops the command being parsed.\n"
             "\n"
             "Both directions of the line run at the set rate, as on a wire: a character\n"
             "the program writes is received one character time after the line is free\n"
             "for it, and its echo takes another, so a round trip lasts two character\n"
             "times; replies go out one character time per character.\n"
             "\n"
             "Options:\n"
             "  --link PATH        also make PATH a symlink to the slave device (removed on exit)\n"
             "  --once             exit when the program closes the port after having opened it\n"
             "  --fast             no line pacing in either direction: answer at once\n"
             "  --char-ms MS       time of one character on the line, each way (default\n"
             "                     33.333, 10 bits at 300 bit/s; decimals allowed)\n"
             "  --baud N           the same as a line rate: --char-ms 10000/N\n"
             "  --latency-ms N     model a USB adapter's latency timer: what the telephone\n"
             "                     sends reaches the program only every N ms, in batches\n"
             "                     (an FTDI adapter's default is 16; 0, the default, is off)\n"
             "  --load FILE        start with the EEPROM of an image file (default: all FFFF)\n"
             "  --units DIR        play a series of units: the files of DIR in name order,\n"
             "                     the first plugged at start, the next at each \"plug\";\n"
             "                     once DIR has run out, \"plug\" leaves the line dead\n"
             "  --word AA=WWWW     set one word at start (after --load; on every unit\n"
             "                     with --units); repeatable\n"
             "  --save FILE        write the EEPROM as an image file after every write\n"
             "                     command and on exit (temporary file + rename); with\n"
             "                     --units a folder: each unit under its own file name\n"
             "  --model N          model byte for --save (default: the loaded one, else 255)\n"
             "  --comment TEXT     comment bytes for --save (default: the loaded one)\n"
             "  --keep-parsed      a write command cut inside a word stores its whole\n"
             "                     words at the next CR (default: it stores nothing)\n"
             "  --dump             print the EEPROM in hex to stderr on exit\n"
             "  --fault SPEC       inject a fault; repeatable (list below)\n"
             "  --control PATH     create a FIFO at PATH; lines written to it are commands:\n"
             "                     a fault SPEC to add, \"clear\" (drop all faults),\n"
             "                     \"dump\" (EEPROM to stderr), \"save\", \"unplug\" (no\n"
             "                     echoes, as if the cable were out), \"plug [FILE]\" (a\n"
             "                     unit answers again: FILE's EEPROM, the next of\n"
             "                     --units, or the same unit), \"replug\" (the unit on\n"
             "                     the clip answers again, as after a flickering contact)\n"
             "  -v, --verbose      log the traffic to stderr\n"
             "  -h, --help         this text\n"
             "\n"
             "Faults (SPEC). Without @N a fault hits every occurrence; @N only the Nth.\n"
             "Character faults count the received characters, reply faults the read\n"
             "replies, write faults the write commands that would store words, from when\n"
             "the fault was added (from the start for --fault, so the program's opening\n"
             "CR is character 1) and across reconnections:\n"
           + FaultHelp()
           + "\n"
             "Signals: SIGINT, SIGTERM and SIGHUP end the emulator (saving with --save);\n"
             "SIGUSR1 prints the EEPROM to stderr.\n"
             "Exit status: 0 on a normal end (also after --once or hangup-after),\n"
             "1 on a runtime error, 2 on a usage error.\n";
}

} // namespace qphone
