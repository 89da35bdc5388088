#pragma once

// The I/O side of the emulator: the pseudo-terminal, the optional symlink and
// control FIFO, signals, pacing of the events that PhoneLine produces, and
// saving the image. All protocol decisions stay in PhoneLine.

#include "PhoneBench.h"
#include "PhoneImage.h"
#include "PhoneLine.h"
#include "PhoneOptions.h"

namespace qphone {

// Runs until a signal, --once after the peer hung up, or a hangup-after fault.
// `image` supplies the model and comment for --save; the words live in `line`.
// `bench` hands out the units of --units; `unitPath` is the file the unit on
// the line came from. Returns the process exit status.
int RunPhone(const PhoneOptions &options, PhoneLine &line, const PhoneImage &image, PhoneBench &bench,
             const std::string &unitPath);

} // namespace qphone
