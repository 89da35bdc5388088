#pragma once

// RunPhone's runner, in two files: PhonePty.cpp the pseudo-terminal, link,
// FIFO, signals and the pacing of the line's events; PhoneControl.cpp the
// unit's EEPROM file and the control lines.

#include "PhonePty.h"

#include <cstdint>
#include <deque>
#include <string>

namespace qphone {

class Runner
{
public:
    Runner(const PhoneOptions &o, PhoneLine &line, const PhoneImage &image, PhoneBench &bench,
           const std::string &unitPath);

    int run();

private:
    void log(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
    bool openPty();
    void makeRaw();
    bool makeLink();
    bool openControl();
    void cleanup();
    void save();
    void dump();
    void handleSignals();
    void handleControl();
    void controlLine(const std::string &text);
    void readMaster();
    void peerGone();
    void unplug();
    void replug();
    void plug(const std::string &file);
    bool makeSaveFolder();
    bool deliverDue(int64_t now);

    const PhoneOptions &o_;
    PhoneLine &line_;
    PhoneImage image_;
    PhoneBench &bench_;
    std::string savePath_; // this unit's --save file
    bool unplugged_ = false;
    const int64_t startUs_;

    int master_ = -1;
    std::string slave_;
    bool linkMade_ = false;
    int control_ = -1;
    int controlKeeper_ = -1; // our own writer, so the FIFO never reports EOF
    bool controlMade_ = false;
    std::string controlBuf_;

    bool connected_ = false;
    bool everConnected_ = false;
    int backoffMs_ = 5;
    bool stop_ = false;
    std::deque<LineEvent> pending_;
    int64_t lastWriteUs_ = 0;
};

} // namespace qphone
