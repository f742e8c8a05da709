// The exception hierarchy: every failure the library raises carries a readable message.
#pragma once

#include "framework/rtl/Types.h"

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(const String& Msg);
    ~Exception() override = default;

    const String& Message() const { return FMessage; }
    void SetMessage(const String& Value);
    const char* what() const noexcept override { return FWhat.c_str(); }

private:
    String FMessage;
    std::string FWhat;
};

#define QVD_DECLARE_EXCEPTION(Name, Base) \
    class Name : public Base {            \
    public:                               \
        using Base::Base;                 \
    }

// Raised by Abort(): unwinds silently, never shown to the user.
QVD_DECLARE_EXCEPTION(EAbort, Exception);
QVD_DECLARE_EXCEPTION(EConvertError, Exception);
QVD_DECLARE_EXCEPTION(EListError, Exception);
QVD_DECLARE_EXCEPTION(EStringListError, EListError);
QVD_DECLARE_EXCEPTION(EStreamError, Exception);
QVD_DECLARE_EXCEPTION(EReadError, EStreamError);
QVD_DECLARE_EXCEPTION(EWriteError, EStreamError);
QVD_DECLARE_EXCEPTION(EFilerError, EStreamError);
QVD_DECLARE_EXCEPTION(EFOpenError, EStreamError);
QVD_DECLARE_EXCEPTION(EFCreateError, EStreamError);
QVD_DECLARE_EXCEPTION(EInOutError, Exception);
QVD_DECLARE_EXCEPTION(EInvalidCast, Exception);
QVD_DECLARE_EXCEPTION(EAbstractError, Exception);
QVD_DECLARE_EXCEPTION(EInvalidOperation, Exception);
QVD_DECLARE_EXCEPTION(EInvalidPointer, Exception);
QVD_DECLARE_EXCEPTION(EOutOfMemory, Exception);
QVD_DECLARE_EXCEPTION(EAssertionFailed, Exception);
QVD_DECLARE_EXCEPTION(EComponentError, Exception);
QVD_DECLARE_EXCEPTION(EClassNotFound, EFilerError);
QVD_DECLARE_EXCEPTION(EThread, Exception);
QVD_DECLARE_EXCEPTION(EIntError, Exception);
QVD_DECLARE_EXCEPTION(EDivByZero, EIntError);
QVD_DECLARE_EXCEPTION(ERangeError, EIntError);
QVD_DECLARE_EXCEPTION(EIntOverflow, EIntError);
QVD_DECLARE_EXCEPTION(EMathError, Exception);
QVD_DECLARE_EXCEPTION(EZeroDivide, EMathError);
QVD_DECLARE_EXCEPTION(EOverflow, EMathError);
QVD_DECLARE_EXCEPTION(EInvalidOp, EMathError);
QVD_DECLARE_EXCEPTION(EArgumentException, Exception);
QVD_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
QVD_DECLARE_EXCEPTION(ENotSupportedException, Exception);
QVD_DECLARE_EXCEPTION(ERegistryException, Exception);
QVD_DECLARE_EXCEPTION(EIniFileException, Exception);

// A failed operating-system call; ErrorCode is the system's error number.
class EOSError : public Exception {
public:
    EOSError(const String& Msg, int Code) : Exception(Msg), ErrorCode(Code) {}
    int ErrorCode;
};

// Ends the current operation without a message.
[[noreturn]] void Abort();

// Raises EOSError for errno Code, with the system's text for it.
[[noreturn]] void RaiseLastOSError(int Code);
