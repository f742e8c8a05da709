#include "framework/rtl/Exceptions.h"

#include <cstring>

Exception::Exception(const String& Msg) : FMessage(Msg), FWhat(Msg.toStdString()) {}

void Exception::SetMessage(const String& Value) {
    FMessage = Value;
    FWhat = Value.toStdString();
}

void Abort() { throw EAbort(QStringLiteral("Operation aborted")); }

void RaiseLastOSError(int Code) {
    throw EOSError(
        QStringLiteral("System Error.  Code: %1.\n%2").arg(Code).arg(QString::fromLocal8Bit(std::strerror(Code))),
        Code);
}
