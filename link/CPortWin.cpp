// The serial port component on Windows: \\.\COMn through the Win32 comm calls,
// opened exclusively for overlapped transfers. Read takes only what is
// waiting in the input queue (ClearCommError tells how much), so it never
// waits; Write waits for its completion, which the write time-outs bound.

#include "link/CPort.h"

#include "link/PortNames.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace {

HANDLE Device(void *handle)
{
    return static_cast<HANDLE>(handle);
}

DWORD BaudRateValue(TBaudRate rate)
{
    static const DWORD rates[] = {CBR_110,  CBR_300,   CBR_600,   CBR_1200,  CBR_2400,  CBR_4800,
                                  CBR_9600, CBR_19200, CBR_38400, CBR_57600, CBR_115200};
    return rates[rate];
}

// How long a transfer may outlast its own time-out, and a cancelled one its
// cancel, before it is given up: a driver that keeps neither must not hold
// the window's thread.
constexpr DWORD kTransferGraceMs = 2000;
constexpr DWORD kCancelLimitMs = 250;

// One overlapped transfer: its record and its own manual-reset event, freed
// with it, also when an error leaves the transfer; kept for the driver when
// a transfer does not end even when cancelled.
class Transfer {
public:
    explicit Transfer(int errorCode) : FErrorCode(errorCode), FOverlapped(new OVERLAPPED {})
    {
        FOverlapped->hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (!FOverlapped->hEvent)
            throw EComPort(errorCode, static_cast<int>(::GetLastError()));
    }
    ~Transfer()
    {
        if (FOverlapped)
            ::CloseHandle(FOverlapped->hEvent);
    }
    Transfer(const Transfer &) = delete;
    Transfer &operator=(const Transfer &) = delete;

    OVERLAPPED *Record() { return FOverlapped.get(); }

    // started: what ReadFile/WriteFile returned. Waits at most limitMs for
    // the end of a transfer that is pending and returns the bytes it moved.
    DWORD Finish(HANDLE device, BOOL started, DWORD limitMs)
    {
        if (!started && ::GetLastError() != ERROR_IO_PENDING)
            throw EComPort(FErrorCode, static_cast<int>(::GetLastError()));
        if (::WaitForSingleObject(FOverlapped->hEvent, limitMs) != WAIT_OBJECT_0) {
            ::CancelIoEx(device, FOverlapped.get());
            if (::WaitForSingleObject(FOverlapped->hEvent, kCancelLimitMs) != WAIT_OBJECT_0) {
                (void)FOverlapped.release(); // the driver may still write it
                throw EComPort(FErrorCode, ERROR_SEM_TIMEOUT);
            }
        }
        DWORD moved = 0;
        if (!::GetOverlappedResult(device, FOverlapped.get(), &moved, FALSE))
            throw EComPort(FErrorCode, static_cast<int>(::GetLastError()));
        return moved;
    }

private:
    int FErrorCode;
    std::unique_ptr<OVERLAPPED> FOverlapped;
};

} // namespace

bool DeviceGoneCode(int platformCode)
{
    switch (platformCode) {
    case ERROR_ACCESS_DENIED: // a transfer on a port that opened: the USB device is gone
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEVICE_REMOVED:
        return true;
    }
    return false;
}

struct TCustomComPort::TPortHandle {
    void *Handle = nullptr;
    bool NoModemLines = false; // a port without DTR/RTS (a pty mapped under wine)
};

TCustomComPort::TCustomComPort() : FDevice(std::make_unique<TPortHandle>()) {}

TPortNativeHandle TCustomComPort::Handle() const { return FDevice->Handle; }

TCustomComPort::~TCustomComPort()
{
    // The owner is going away: release the device without notifying it.
    if (FConnected) {
        ::PurgeComm(Device(FDevice->Handle), PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
        TCustomComPort::DestroyHandle();
    }
}

void TCustomComPort::CreateHandle()
{
    const QString path = PortDevicePath(Port);
    if (path.isEmpty()) // not COMn: a Unix path, say
        throw EComPort(ceOpen, ERROR_INVALID_NAME);
    // No sharing: a port another program holds fails with ERROR_ACCESS_DENIED.
    const HANDLE device = ::CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()),
                                        GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        throw EComPort(ceOpen, static_cast<int>(::GetLastError()));
    FDevice->Handle = device;
    FDevice->NoModemLines = false;
}

void TCustomComPort::DestroyHandle()
{
    if (!FDevice->Handle)
        return;
    ::CloseHandle(Device(FDevice->Handle));
    FDevice->Handle = nullptr;
}

void TCustomComPort::ApplySettings()
{
    const HANDLE device = Device(FDevice->Handle);
    if (!::SetupComm(device, static_cast<DWORD>(Buffer.InputSize()), static_cast<DWORD>(Buffer.OutputSize())))
        throw EComPort(ceSetup, static_cast<int>(::GetLastError()));
    ApplyLineSettings();
    ApplyModemLines();
    ApplyTimeouts();
}

void TCustomComPort::ApplyLineSettings()
{
    const HANDLE device = Device(FDevice->Handle);
    DCB dcb {};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(device, &dcb))
        throw EComPort(ceSetState, static_cast<int>(::GetLastError()));
    dcb.BaudRate = BaudRateValue(FBaudRate);
    dcb.ByteSize = static_cast<BYTE>(5 + FDataBits);
    static const BYTE parities[] = {NOPARITY, ODDPARITY, EVENPARITY, MARKPARITY, SPACEPARITY};
    dcb.Parity = parities[Parity.Bits()];
    static const BYTE stopBits[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};
    dcb.StopBits = stopBits[FStopBits];
    dcb.fBinary = TRUE;
    dcb.fParity = Parity.Check();
    dcb.fErrorChar = Parity.Check() && Parity.Replace();
    dcb.ErrorChar = Parity.ReplaceChar();
    dcb.fOutxCtsFlow = FlowControl.OutCTSFlow();
    dcb.fOutxDsrFlow = FlowControl.OutDSRFlow();
    dcb.fDsrSensitivity = FlowControl.DSRSensitivity();
    static const DWORD dtr[] = {DTR_CONTROL_DISABLE, DTR_CONTROL_ENABLE, DTR_CONTROL_HANDSHAKE};
    dcb.fDtrControl = dtr[FlowControl.ControlDTR()];
    static const DWORD rts[] = {RTS_CONTROL_DISABLE, RTS_CONTROL_ENABLE, RTS_CONTROL_HANDSHAKE,
                                RTS_CONTROL_TOGGLE};
    dcb.fRtsControl = rts[FlowControl.ControlRTS()];
    dcb.fOutX = FlowControl.XonXoffOut();
    dcb.fInX = FlowControl.XonXoffIn();
    dcb.fTXContinueOnXoff = FlowControl.TxContinueOnXoff();
    dcb.XonChar = FlowControl.XonChar();
    dcb.XoffChar = FlowControl.XoffChar();
    // XON when the input queue has drained to a quarter, XOFF when a quarter is left.
    dcb.XonLim = static_cast<WORD>(Buffer.InputSize() / 4);
    dcb.XoffLim = static_cast<WORD>(Buffer.InputSize() / 4);
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.EvtChar = 0;
    if (!::SetCommState(device, &dcb))
        throw EComPort(ceSetState, static_cast<int>(::GetLastError()));
}

void TCustomComPort::ApplyModemLines()
{
    // SetCommState has set both lines already; raising them once more tells
    // a port without modem lines (a pseudo-terminal that wine maps to COMn),
    // which is then used as the Linux backend uses a pty.
    const HANDLE device = Device(FDevice->Handle);
    const auto raise = [this, device](DWORD function) {
        if (::EscapeCommFunction(device, function))
            return;
        const DWORD error = ::GetLastError();
        if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) {
            FDevice->NoModemLines = true;
            return;
        }
        throw EComPort(ceSetState, static_cast<int>(error));
    };
    if (FlowControl.ControlDTR() == dtrEnable)
        raise(SETDTR);
    if (FlowControl.ControlRTS() == rtsEnable && !FDevice->NoModemLines)
        raise(SETRTS);
}

void TCustomComPort::ApplyTimeouts()
{
    if (Timeouts.WriteTotalMultiplier() < 0 || Timeouts.WriteTotalConstant() < 0)
        throw EComPort(ceSetTimeouts, ERROR_INVALID_PARAMETER);
    COMMTIMEOUTS t {};
    // -1 is MAXDWORD: with both read totals 0 a read returns at once.
    t.ReadIntervalTimeout = static_cast<DWORD>(Timeouts.ReadInterval());
    t.ReadTotalTimeoutMultiplier = static_cast<DWORD>(Timeouts.ReadTotalMultiplier());
    t.ReadTotalTimeoutConstant = static_cast<DWORD>(Timeouts.ReadTotalConstant());
    t.WriteTotalTimeoutMultiplier = static_cast<DWORD>(Timeouts.WriteTotalMultiplier());
    t.WriteTotalTimeoutConstant = static_cast<DWORD>(Timeouts.WriteTotalConstant());
    if (!::SetCommTimeouts(Device(FDevice->Handle), &t))
        throw EComPort(ceSetTimeouts, static_cast<int>(::GetLastError()));
}

void TCustomComPort::PurgeQueues()
{
    const HANDLE device = Device(FDevice->Handle);
    if (::PurgeComm(device, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR))
        return;
    const DWORD error = ::GetLastError();
    // An adapter that has been unplugged has no queues left; refusing to
    // close it would leave a port that can never be closed.
    if (DeviceGoneCode(static_cast<int>(error)) || error == ERROR_OPERATION_ABORTED || error == ERROR_NOT_SUPPORTED)
        return;
    throw EComPort(cePurge, static_cast<int>(error));
}

int TCustomComPort::Read(void *buffer, int count)
{
    if (count <= 0)
        return 0;
    // Only what already waits: an overlapped read of an empty queue may stay
    // pending whatever the time-outs say (wine on a pty does so).
    const int waiting = InputCount();
    if (waiting == 0)
        return 0;
    const HANDLE device = Device(FDevice->Handle);
    Transfer read(ceRead);
    const DWORD want = static_cast<DWORD>(std::min(waiting, count));
    const BOOL started = ::ReadFile(device, buffer, want, nullptr, read.Record());
    return static_cast<int>(read.Finish(device, started, kTransferGraceMs));
}

int TCustomComPort::Write(const void *buffer, int count)
{
    if (count <= 0)
        return 0;
    const HANDLE device = Device(FDevice->Handle);
    Transfer write(ceWrite);
    const BOOL started = ::WriteFile(device, buffer, static_cast<DWORD>(count), nullptr, write.Record());
    // Both write totals 0 ask for no limit.
    const long long limit =
        static_cast<long long>(Timeouts.WriteTotalMultiplier()) * count + Timeouts.WriteTotalConstant();
    const DWORD written =
        write.Finish(device, started, limit > 0 ? static_cast<DWORD>(limit + kTransferGraceMs) : INFINITE);
    if (written < static_cast<DWORD>(count))
        // The time-out ran out: what did not go out must not reach the line later.
        ::PurgeComm(device, PURGE_TXABORT | PURGE_TXCLEAR);
    return static_cast<int>(written);
}

int TCustomComPort::InputCount() const
{
    DWORD errors = 0;
    COMSTAT status {};
    if (!::ClearCommError(Device(FDevice->Handle), &errors, &status))
        throw EComPort(ceClearError, static_cast<int>(::GetLastError()));
    return static_cast<int>(status.cbInQue);
}
