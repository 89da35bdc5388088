// The parts of the serial port component that are the same on every system:
// its error, its settings objects and the order of opening and closing. The
// device calls are in CPort.cpp (termios) and CPortWin.cpp (Win32).

#include "link/CPort.h"

// ---------------- EComPort ----------------

EComPort::EComPort(int code, int platformCode) : FCode(code), FPlatformCode(platformCode)
{
    QString message = CodeText(code);
    // The suffix is the component's own wording, kept on every platform.
    if (platformCode != -1)
        message += QStringLiteral(" (win error code: %1)").arg(platformCode);
    FMessage = message.toStdString();
}

QString EComPort::Message() const
{
    return QString::fromStdString(FMessage);
}

QString EComPort::CodeText(int code)
{
    switch (code) {
    case ceOpen: return QStringLiteral("Unable to open com port");
    case ceWrite: return QStringLiteral("WriteFile function failed");
    case ceRead: return QStringLiteral("ReadFile function failed");
    case cePurge: return QStringLiteral("PurgeComm function failed");
    case ceSetState: return QStringLiteral("SetCommState function failed");
    case ceSetTimeouts: return QStringLiteral("SetCommTimeouts failed");
    case ceSetup: return QStringLiteral("SetupComm function failed");
    case ceClearError: return QStringLiteral("ClearCommError function failed");
    case ceModemStatus: return QStringLiteral("GetCommModemStatus function failed");
    }
    return QString();
}

// ---------------- settings objects ----------------

void TComParity::SetBits(TParityBits value) { FOwner.Change(FBits, value); }
void TComParity::SetCheck(bool value) { FOwner.Change(FCheck, value); }
void TComParity::SetReplace(bool value) { FOwner.Change(FReplace, value); }
void TComParity::SetReplaceChar(char value) { FOwner.Change(FReplaceChar, value); }

void TComFlowControl::SetControlDTR(TDTRFlowControl value) { FOwner.Change(FControlDTR, value); }
void TComFlowControl::SetControlRTS(TRTSFlowControl value) { FOwner.Change(FControlRTS, value); }
void TComFlowControl::SetOutCTSFlow(bool value) { FOwner.Change(FOutCTSFlow, value); }
void TComFlowControl::SetOutDSRFlow(bool value) { FOwner.Change(FOutDSRFlow, value); }
void TComFlowControl::SetDSRSensitivity(bool value) { FOwner.Change(FDSRSensitivity, value); }
void TComFlowControl::SetXonXoffOut(bool value) { FOwner.Change(FXonXoffOut, value); }
void TComFlowControl::SetXonXoffIn(bool value) { FOwner.Change(FXonXoffIn, value); }
void TComFlowControl::SetTxContinueOnXoff(bool value) { FOwner.Change(FTxContinueOnXoff, value); }
void TComFlowControl::SetXonChar(char value) { FOwner.Change(FXonChar, value); }
void TComFlowControl::SetXoffChar(char value) { FOwner.Change(FXoffChar, value); }

void TComTimeouts::SetReadInterval(int value) { FOwner.Change(FReadInterval, value); }
void TComTimeouts::SetReadTotalMultiplier(int value) { FOwner.Change(FReadTotalMultiplier, value); }
void TComTimeouts::SetReadTotalConstant(int value) { FOwner.Change(FReadTotalConstant, value); }
void TComTimeouts::SetWriteTotalMultiplier(int value) { FOwner.Change(FWriteTotalMultiplier, value); }
void TComTimeouts::SetWriteTotalConstant(int value) { FOwner.Change(FWriteTotalConstant, value); }

void TComBuffer::SetInputSize(int value) { FOwner.Change(FInputSize, value); }
void TComBuffer::SetOutputSize(int value) { FOwner.Change(FOutputSize, value); }

// ---------------- TCustomComPort ----------------

template <typename T> void TCustomComPort::Change(T &field, T value)
{
    if (field == value)
        return;
    const T old = field;
    field = value;
    if (!FConnected)
        return;
    try {
        ApplySettings();
    } catch (...) {
        field = old;
        throw;
    }
}

void TCustomComPort::SetBaudRate(TBaudRate value) { Change(FBaudRate, value); }
void TCustomComPort::SetDataBits(TDataBits value) { Change(FDataBits, value); }
void TCustomComPort::SetStopBits(TStopBits value) { Change(FStopBits, value); }

void TCustomComPort::Open()
{
    if (FConnected)
        return;
    if (OnBeforeOpen)
        OnBeforeOpen();
    CreateHandle();
    FConnected = true;
    try {
        ApplySettings();
    } catch (...) {
        DestroyHandle();
        FConnected = false;
        throw;
    }
    if (OnAfterOpen)
        OnAfterOpen();
}

void TCustomComPort::Close()
{
    if (!FConnected)
        return;
    if (OnBeforeClose)
        OnBeforeClose();
    PurgeQueues();
    DestroyHandle();
    FConnected = false;
    if (OnAfterClose)
        OnAfterClose();
}

// ---------------- TComPort ----------------

TComPort::TComPort()
{
    SetBaudRate(br300);
    FlowControl.SetControlDTR(dtrEnable);
    FlowControl.SetControlRTS(rtsEnable);
}
