#pragma once
// Placeholder until the serial port component lands; keeps the window building.
#include "link/EngineIo.h"
#include <QString>
#include <functional>

class TComPort : public IEnginePort {
public:
    QString Port = QStringLiteral("COM1");
    bool Connected() const { return false; }
    void Open() {}
    void Close() {}
    int Handle() const { return -1; }
    int Read(void *, int) override { return 0; }
    int Write(const void *, int count) override { return count; }
    std::function<void()> OnAfterOpen, OnAfterClose;
};
