#include "framework/rtl/ComponentStream.h"

#include "framework/rtl/Exceptions.h"

#include <QByteArray>

#include <cstring>
#include <limits>

namespace {
constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

bool isAscii(const String& S) {
    for (QChar C : S)
        if (C.unicode() > 0x7F) return false;
    return true;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TWriter

void TWriter::writeBytes(const void* Data, int Count) { FStream->WriteBuffer(Data, Count); }

void TWriter::writeValue(TValueType Value) {
    const Byte B = Value;
    writeBytes(&B, 1);
}

void TWriter::WriteSignature() { writeBytes(kSignature, 4); }

void TWriter::WriteStr(const String& Value) {
    if (Value.size() > 255 || !isAscii(Value))
        throw EWriteError(QStringLiteral("Name \"%1\" cannot be written as a short string").arg(Value));
    const QByteArray Bytes = Value.toLatin1();
    const Byte Len = static_cast<Byte>(Bytes.size());
    writeBytes(&Len, 1);
    writeBytes(Bytes.constData(), Len);
}

void TWriter::WritePropName(const String& Name) { WriteStr(Name); }

void TWriter::WriteInteger(Int64 Value) {
    if (Value >= -128 && Value <= 127) {
        writeValue(vaInt8);
        const auto V = static_cast<std::int8_t>(Value);
        writeBytes(&V, 1);
    } else if (Value >= -32768 && Value <= 32767) {
        writeValue(vaInt16);
        const auto V = static_cast<std::int16_t>(Value);
        writeBytes(&V, 2);  // little-endian hosts only, as the stream format is
    } else if (Value >= std::numeric_limits<std::int32_t>::min() && Value <= std::numeric_limits<std::int32_t>::max()) {
        writeValue(vaInt32);
        const auto V = static_cast<std::int32_t>(Value);
        writeBytes(&V, 4);
    } else {
        writeValue(vaInt64);
        writeBytes(&Value, 8);
    }
}

void TWriter::WriteBoolean(bool Value) { writeValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteString(const String& Value) {
    if (isAscii(Value)) {
        const QByteArray Bytes = Value.toLatin1();
        if (Bytes.size() <= 255) {
            writeValue(vaString);
            const Byte Len = static_cast<Byte>(Bytes.size());
            writeBytes(&Len, 1);
        } else {
            writeValue(vaLString);
            const auto Len = static_cast<std::int32_t>(Bytes.size());
            writeBytes(&Len, 4);
        }
        writeBytes(Bytes.constData(), static_cast<int>(Bytes.size()));
        return;
    }
    const QByteArray Bytes = Value.toUtf8();
    writeValue(vaUTF8String);
    const auto Len = static_cast<std::int32_t>(Bytes.size());
    writeBytes(&Len, 4);
    writeBytes(Bytes.constData(), Len);
}

void TWriter::WriteIdent(const String& Ident) {
    if (Ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return writeValue(vaFalse);
    if (Ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return writeValue(vaTrue);
    if (Ident.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) return writeValue(vaNil);
    if (Ident.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0) return writeValue(vaNull);
    writeValue(vaIdent);
    WriteStr(Ident);
}

void TWriter::WriteListBegin() { writeValue(vaList); }

void TWriter::WriteListEnd() { writeValue(vaNull); }

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(this);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    TMemoryStream Data;
    WriteData(&Data);
    writeValue(vaBinary);
    const auto Len = static_cast<std::int32_t>(Data.Size());
    writeBytes(&Len, 4);
    writeBytes(Data.Memory(), Len);
}

void TWriter::WriteComponent(TComponent* Component) {
    FRoot = Component;
    WriteStr(Component->ClassName());
    WriteStr(Component->Name());
    callDefineProperties(Component, this);
    WriteListEnd();  // properties
    WriteListEnd();  // children
}

// ---------------------------------------------------------------------------------------------
// TReader

void TReader::readBytes(void* Data, Int64 Count) {
    if (Count < 0 || FStream->Read(Data, Count) != Count) throw EReadError(QStringLiteral("Stream read error"));
}

void TReader::ReadSignature() {
    char Sig[4] = {};
    if (FStream->Read(Sig, 4) != 4 || std::memcmp(Sig, kSignature, 4) != 0)
        throw EReadError(QStringLiteral("Invalid stream format"));
}

TValueType TReader::ReadValue() {
    Byte B = 0;
    readBytes(&B, 1);
    if (B > vaDouble) throw EReadError(QStringLiteral("Invalid property value"));
    return static_cast<TValueType>(B);
}

TValueType TReader::NextValue() {
    const TValueType V = ReadValue();
    FStream->Seek(-1, soCurrent);
    return V;
}

void TReader::checkValue(TValueType Expected) {
    if (ReadValue() != Expected) {
        FStream->Seek(-1, soCurrent);
        throw EReadError(QStringLiteral("Invalid property value"));
    }
}

String TReader::ReadStr() {
    Byte Len = 0;
    readBytes(&Len, 1);
    QByteArray Bytes(Len, '\0');
    readBytes(Bytes.data(), Len);
    return QString::fromLatin1(Bytes);
}

Int64 TReader::ReadInt64() {
    switch (ReadValue()) {
        case vaInt8: {
            std::int8_t V = 0;
            readBytes(&V, 1);
            return V;
        }
        case vaInt16: {
            std::int16_t V = 0;
            readBytes(&V, 2);
            return V;
        }
        case vaInt32: {
            std::int32_t V = 0;
            readBytes(&V, 4);
            return V;
        }
        case vaInt64: {
            Int64 V = 0;
            readBytes(&V, 8);
            return V;
        }
        default:
            FStream->Seek(-1, soCurrent);
            throw EReadError(QStringLiteral("Invalid property value"));
    }
}

int TReader::ReadInteger() {
    const Int64 V = ReadInt64();
    if (V < std::numeric_limits<int>::min() || V > std::numeric_limits<int>::max())
        throw EReadError(QStringLiteral("Invalid property value"));
    return static_cast<int>(V);
}

bool TReader::ReadBoolean() {
    const TValueType V = ReadValue();
    if (V == vaTrue) return true;
    if (V == vaFalse) return false;
    FStream->Seek(-1, soCurrent);
    throw EReadError(QStringLiteral("Invalid property value"));
}

String TReader::ReadString() {
    const TValueType V = ReadValue();
    std::int32_t Len = 0;
    switch (V) {
        case vaString: {
            Byte L = 0;
            readBytes(&L, 1);
            Len = L;
            break;
        }
        case vaLString:
        case vaUTF8String:
        case vaWString:
            readBytes(&Len, 4);
            if (Len < 0) throw EReadError(QStringLiteral("Invalid property value"));
            break;
        default:
            FStream->Seek(-1, soCurrent);
            throw EReadError(QStringLiteral("Invalid property value"));
    }
    if (V == vaWString) {
        if (Int64(Len) * 2 > FStream->Size() - FStream->Position())
            throw EReadError(QStringLiteral("Stream read error"));
        String S(Len, QChar());
        readBytes(S.data(), Int64(Len) * 2);
        return S;
    }
    if (Len > FStream->Size() - FStream->Position()) throw EReadError(QStringLiteral("Stream read error"));
    QByteArray Bytes(Len, '\0');
    readBytes(Bytes.data(), Len);
    return V == vaUTF8String ? QString::fromUtf8(Bytes) : QString::fromLatin1(Bytes);
}

String TReader::ReadIdent() {
    switch (ReadValue()) {
        case vaIdent:
            return ReadStr();
        case vaFalse:
            return QStringLiteral("False");
        case vaTrue:
            return QStringLiteral("True");
        case vaNil:
            return QStringLiteral("nil");
        case vaNull:
            return QStringLiteral("Null");
        default:
            FStream->Seek(-1, soCurrent);
            throw EReadError(QStringLiteral("Invalid property value"));
    }
}

void TReader::ReadListBegin() { checkValue(vaList); }

void TReader::ReadListEnd() { checkValue(vaNull); }

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::SkipValue() {
    auto skip = [this](Int64 N) {
        if (N < 0 || N > FStream->Size() - FStream->Position()) throw EReadError(QStringLiteral("Stream read error"));
        FStream->Seek(N, soCurrent);
    };
    const TValueType V = NextValue();
    switch (V) {
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            ReadInt64();
            return;
        case vaString:
        case vaLString:
        case vaUTF8String:
        case vaWString:
            ReadString();
            return;
        case vaIdent:
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull:
            ReadIdent();
            return;
        case vaList:
            ReadValue();
            while (!EndOfList()) SkipValue();
            ReadListEnd();
            return;
        case vaBinary: {
            ReadValue();
            std::int32_t Len = 0;
            readBytes(&Len, 4);
            skip(Len);
            return;
        }
        case vaExtended:
            ReadValue();
            skip(10);
            return;
        case vaSingle:
            ReadValue();
            skip(4);
            return;
        case vaCurrency:
        case vaDate:
        case vaDouble:
            ReadValue();
            skip(8);
            return;
        default:
            throw EReadError(QStringLiteral("Invalid property value"));
    }
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
    if (FPropHandled || Name.compare(FPropName, Qt::CaseInsensitive) != 0 || !ReadData) return;
    ReadData(this);
    FPropHandled = true;
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&, bool) {
    if (FPropHandled || Name.compare(FPropName, Qt::CaseInsensitive) != 0 || !ReadData) return;
    checkValue(vaBinary);
    std::int32_t Len = 0;
    readBytes(&Len, 4);
    if (Len < 0 || Len > FStream->Size() - FStream->Position()) throw EReadError(QStringLiteral("Stream read error"));
    TMemoryStream Data;
    Data.SetSize(Len);
    readBytes(Data.Memory(), Len);
    Data.SetPosition(0);
    ReadData(&Data);
    FPropHandled = true;
}

void TReader::invalidProperty() const {
    throw EReadError(QStringLiteral("Error reading %1.%2: Property %2 does not exist")
                         .arg(FRoot && !FRoot->Name().isEmpty() ? FRoot->Name()
                              : FRoot                           ? FRoot->ClassName()
                                                                : String(),
                              FPropName));
}

void TReader::ReadComponent(TComponent* Instance) {
    FRoot = Instance;
    const String ClassName = ReadStr();
    if (ClassName != Instance->ClassName())
        throw EReadError(QStringLiteral("Cannot read a %1 into a %2").arg(ClassName, Instance->ClassName()));
    const String Name = ReadStr();
    Instance->SetLoading(true);
    try {
        if (!Name.isEmpty() && Instance->Name().isEmpty()) Instance->SetName(Name);
        while (!EndOfList()) {
            FPropName = ReadStr();
            FPropHandled = false;
            callDefineProperties(Instance, this);
            if (!FPropHandled) invalidProperty();
        }
        ReadListEnd();
        if (!EndOfList()) throw EReadError(QStringLiteral("Child components are not supported here"));
        ReadListEnd();
    } catch (...) {
        Instance->SetLoading(false);
        throw;
    }
    Instance->Loaded();
    Instance->SetLoading(false);
}

void WriteComponentToStream(TStream* Stream, TComponent* Component) {
    TWriter Writer(Stream);
    Writer.WriteSignature();
    Writer.WriteComponent(Component);
}

void ReadComponentFromStream(TStream* Stream, TComponent* Instance) {
    TReader Reader(Stream);
    Reader.ReadSignature();
    Reader.ReadComponent(Instance);
}
