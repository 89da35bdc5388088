#pragma once

#include <QString>

// What the programming engine needs of the serial port: one byte out, one
// byte in without waiting. Either call may throw (a port error); the engine
// ends its job as failed and lets the error go on to the window's error box.
class IEnginePort {
public:
    virtual ~IEnginePort() = default;
    // Returns once the bytes are on the line or the write time-out ran out.
    virtual int Write(const void *buffer, int count) = 0;
    // Returns at once with the bytes already received (0 when none wait).
    virtual int Read(void *buffer, int count) = 0;
};

// The line's terms, shared by the engine and the probe, which drain and open
// the line the same way.
namespace Line {
constexpr char CR = 0x0D;
// The drain at the opening reads far faster than 300 bit/s can refill the
// input, so it ends; the cap only keeps a misbehaving device from holding
// the window thread.
constexpr int DrainLimit = 65536;
} // namespace Line

enum class GaugeColor { Red, Blue };

// What the programming engine needs of the main window.
class IEngineWindow {
public:
    virtual ~IEngineWindow() = default;
    virtual void DisablePortActions() = 0;
    virtual void EnablePortActions() = 0;
    virtual void SetGaugeMax(int max) = 0;
    // The gauge clamps its progress to 0..max itself.
    virtual void SetGaugeProgress(int progress) = 0;
    virtual int GaugeProgress() const = 0;
    virtual void SetGaugeColor(GaugeColor color) = 0;
    virtual void SetProgressPanelVisible(bool visible) = 0;
    virtual void SetCancelEnabled(bool enabled) = 0;
    virtual void ShowStatus(const QString &text) = 0;
    virtual void RefreshBuf() = 0;
};

// A view that keeps the gauge and the status text and leaves the rest: what
// quillon-cli's progress line and a series' lane show of a job.
class GaugeView : public IEngineWindow {
public:
    int Maximum = 0;
    int Progress = 0;
    QString Status;

    void DisablePortActions() override { }
    void EnablePortActions() override { }
    void SetGaugeMax(int max) override
    {
        Maximum = max;
        Changed();
    }
    void SetGaugeProgress(int progress) override
    {
        Progress = progress < 0 ? 0 : progress > Maximum ? Maximum : progress;
        Changed();
    }
    int GaugeProgress() const override { return Progress; }
    void SetGaugeColor(GaugeColor) override { }
    void SetProgressPanelVisible(bool) override { }
    void SetCancelEnabled(bool) override { }
    void ShowStatus(const QString &text) override
    {
        Status = text;
        Changed();
    }
    void RefreshBuf() override { }

protected:
    // After every change of the gauge or the status text.
    virtual void Changed() { }
};
