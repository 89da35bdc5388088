#pragma once

// The serial port component: a COM name of the port list mapped to a Linux
// tty, driven through termios. Opened non-blocking and exclusively; reads
// never wait, writes wait at most for their time-out. On Windows the same
// class drives \\.\COMn through the Win32 comm calls (CPortWin.cpp).

#include "link/EngineIo.h"

#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>

// An open device as its platform names it: a file descriptor, or on Windows
// a HANDLE. The one place the header tells the platforms apart.
#ifdef _WIN32
using TPortNativeHandle = void *;
#else
using TPortNativeHandle = int;
#endif

enum TBaudRate { br110, br300, br600, br1200, br2400, br4800, br9600, br19200, br38400, br57600, br115200 };
enum TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };

// The component's error codes. 9 has no Linux call behind it (the tty
// layer's queue sizes are fixed) and 11 none that anything here needs, so
// neither is raised; 8 only refuses read time-outs that would make Read wait.
enum TComErrorCode {
    ceOpen = 1,
    ceWrite = 2,
    ceRead = 3,
    cePurge = 5,
    ceSetState = 7,
    ceSetTimeouts = 8,
    ceSetup = 9,
    ceClearError = 10,
    ceModemStatus = 11,
};

class EComPort : public std::exception {
public:
    // platformCode: the errno of the failed call, -1 when there is none.
    explicit EComPort(int code, int platformCode = -1);

    int Code() const { return FCode; }
    int PlatformCode() const { return FPlatformCode; }
    QString Message() const;
    const char *what() const noexcept override { return FMessage.c_str(); } // UTF-8

    // The text of a code alone; empty for a code the component does not have.
    static QString CodeText(int code);

private:
    int FCode;
    int FPlatformCode;
    std::string FMessage;
};

class TCustomComPort;

// The platform's error numbers that say the device has gone away (unplugged,
// or the line hung up) when a transfer fails: EIO, ENXIO, ENODEV on Linux;
// on Windows, among others, 21, 31, 1167, 1617, and 5 on a port once open.
bool DeviceGoneCode(int platformCode);

// The settings objects. Each belongs to one port; a change made while the
// port is open is applied to the device at once (and undone here if the
// device refuses it).
class TComParity {
public:
    explicit TComParity(TCustomComPort &owner) : FOwner(owner) {}
    TParityBits Bits() const { return FBits; }
    void SetBits(TParityBits value);
    // Check with Replace: a byte received with a parity error reads as
    // ReplaceChar, which can only be NUL on Linux. Check alone passes such
    // bytes on unchanged.
    bool Check() const { return FCheck; }
    void SetCheck(bool value);
    bool Replace() const { return FReplace; }
    void SetReplace(bool value);
    char ReplaceChar() const { return FReplaceChar; }
    void SetReplaceChar(char value);

private:
    TCustomComPort &FOwner;
    TParityBits FBits = prNone;
    bool FCheck = false;
    bool FReplace = false;
    char FReplaceChar = 0;
};

// Linux couples the two hardware handshakes (CRTSCTS), so OutCTSFlow and
// rtsHandshake go together; DSR handshaking, DTR handshaking and RTS toggling
// have no counterpart. Settings the driver cannot give fail with code 7.
class TComFlowControl {
public:
    explicit TComFlowControl(TCustomComPort &owner) : FOwner(owner) {}
    TDTRFlowControl ControlDTR() const { return FControlDTR; }
    void SetControlDTR(TDTRFlowControl value);
    TRTSFlowControl ControlRTS() const { return FControlRTS; }
    void SetControlRTS(TRTSFlowControl value);
    bool OutCTSFlow() const { return FOutCTSFlow; }
    void SetOutCTSFlow(bool value);
    bool OutDSRFlow() const { return FOutDSRFlow; }
    void SetOutDSRFlow(bool value);
    bool DSRSensitivity() const { return FDSRSensitivity; }
    void SetDSRSensitivity(bool value);
    bool XonXoffOut() const { return FXonXoffOut; }
    void SetXonXoffOut(bool value);
    bool XonXoffIn() const { return FXonXoffIn; }
    void SetXonXoffIn(bool value);
    // The line discipline always goes on sending after it sent XOFF.
    bool TxContinueOnXoff() const { return FTxContinueOnXoff; }
    void SetTxContinueOnXoff(bool value);
    char XonChar() const { return FXonChar; }
    void SetXonChar(char value);
    char XoffChar() const { return FXoffChar; }
    void SetXoffChar(char value);

private:
    TCustomComPort &FOwner;
    TDTRFlowControl FControlDTR = dtrDisable;
    TRTSFlowControl FControlRTS = rtsDisable;
    bool FOutCTSFlow = false;
    bool FOutDSRFlow = false;
    bool FDSRSensitivity = false;
    bool FXonXoffOut = false;
    bool FXonXoffIn = false;
    bool FTxContinueOnXoff = false;
    char FXonChar = 17;
    char FXoffChar = 19;
};

// Milliseconds. Read always answers at once with what has arrived (the port
// is non-blocking), which is what ReadInterval -1 with both read totals 0
// asks for; other read time-outs fail with code 8. A write of n bytes waits
// at most WriteTotalMultiplier * n + WriteTotalConstant, without limit when
// both are 0.
class TComTimeouts {
public:
    explicit TComTimeouts(TCustomComPort &owner) : FOwner(owner) {}
    int ReadInterval() const { return FReadInterval; }
    void SetReadInterval(int value);
    int ReadTotalMultiplier() const { return FReadTotalMultiplier; }
    void SetReadTotalMultiplier(int value);
    int ReadTotalConstant() const { return FReadTotalConstant; }
    void SetReadTotalConstant(int value);
    int WriteTotalMultiplier() const { return FWriteTotalMultiplier; }
    void SetWriteTotalMultiplier(int value);
    int WriteTotalConstant() const { return FWriteTotalConstant; }
    void SetWriteTotalConstant(int value);

private:
    TCustomComPort &FOwner;
    int FReadInterval = -1;
    int FReadTotalMultiplier = 0;
    int FReadTotalConstant = 0;
    int FWriteTotalMultiplier = 100;
    int FWriteTotalConstant = 1000;
};

// Driver queue sizes in bytes. The Linux tty layer keeps queues of its own
// size, so these are recorded only.
class TComBuffer {
public:
    explicit TComBuffer(TCustomComPort &owner) : FOwner(owner) {}
    int InputSize() const { return FInputSize; }
    void SetInputSize(int value);
    int OutputSize() const { return FOutputSize; }
    void SetOutputSize(int value);

private:
    TCustomComPort &FOwner;
    int FInputSize = 1024;
    int FOutputSize = 1024;
};

class TCustomComPort : public IEnginePort {
public:
    TCustomComPort();
    ~TCustomComPort() override;
    TCustomComPort(const TCustomComPort &) = delete;
    TCustomComPort &operator=(const TCustomComPort &) = delete;

    // "COM1" ... "COM15"; Open maps it to a device with PortDevicePath. A
    // change takes effect at the next Open.
    QString Port = QStringLiteral("COM1");

    bool Connected() const { return FConnected; }
    // The open device's file descriptor, -1 while closed; on Windows its
    // HANDLE, null while closed.
    TPortNativeHandle Handle() const;

    TBaudRate BaudRate() const { return FBaudRate; }
    void SetBaudRate(TBaudRate value);
    TDataBits DataBits() const { return FDataBits; }
    void SetDataBits(TDataBits value);
    TStopBits StopBits() const { return FStopBits; }
    void SetStopBits(TStopBits value);

    TComParity Parity{*this};
    TComFlowControl FlowControl{*this};
    TComTimeouts Timeouts{*this};
    TComBuffer Buffer{*this};

    // Opens the device with the settings above and sends OnAfterOpen; nothing
    // when already open. Throws EComPort; the port is then closed.
    void Open();
    // Discards both queues, closes the device and sends OnAfterClose; nothing
    // when closed.
    void Close();
    // The bytes already received, up to count, or 0 at once when none wait.
    // A device that has gone away throws (code 3).
    int Read(void *buffer, int count) override;
    // Returns when the bytes are out on the line or the write time-out ran
    // out, with the number of bytes that went out.
    int Write(const void *buffer, int count) override;
    // Bytes waiting in the input queue.
    int InputCount() const;
    // The driver hands received bytes over at once (low latency was asked
    // for and taken, or was on already).
    bool LowLatency() const;

    std::function<void()> OnBeforeOpen, OnAfterOpen, OnBeforeClose, OnAfterClose;

protected:
    virtual void CreateHandle();
    virtual void DestroyHandle();
    virtual void ApplySettings();

private:
    friend class TComParity;
    friend class TComFlowControl;
    friend class TComTimeouts;
    friend class TComBuffer;
    // Stores a setting and applies it to an open port, restoring the old
    // value when the device refuses it.
    template <typename T> void Change(T &field, T value);

    void ApplyLineSettings();
    void ApplyModemLines();
    void ApplyTimeouts();
    void PurgeQueues();
    // Asks the driver to hand over received bytes at once (an FTDI adapter
    // otherwise holds them for its 16 ms latency timer); the old flags come
    // back on close. A device without the request is left as it is.
    void RequestLowLatency();
    void RestoreLatency();
    // Bytes still in the output queue when the deadline passed, discarded then.
    int WaitUntilSent(long long deadlineMs);

    bool FConnected = false;
    // The open device and what the platform's code keeps about it (CPort.cpp,
    // CPortWin.cpp).
    struct TPortHandle;
    std::unique_ptr<TPortHandle> FDevice;
    TBaudRate FBaudRate = br9600;
    TDataBits FDataBits = dbEight;
    TStopBits FStopBits = sbOneStopBit;
};

// The port as this program uses it: 300 bit/s, 8N1, no handshake, DTR and RTS
// raised for as long as the port is open (they feed the level converter).
class TComPort : public TCustomComPort {
public:
    TComPort();
};
