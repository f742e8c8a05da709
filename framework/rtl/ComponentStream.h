// Component streaming in the binary form-file layout ("TPF0"): TWriter writes a component's
// class name, name and the values its DefineProperties offers; TReader reads them back into an
// existing component, between csLoading/csReading and a final Loaded. Published properties are
// not streamed (there is no general reflection): a component puts what it stores in a form
// through DefineProperty.
//
// Layout: "TPF0", class name and component name as short strings (length byte, then bytes),
// then per property its name (short string) and a tagged value, a vaNull ending the
// properties, and a vaNull ending the (empty) child list.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Streams.h"

#include <functional>

enum TValueType : Byte {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21
};

class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

class TFiler : public TObject {
public:
    explicit TFiler(TStream* Stream) : FStream(Stream) {}

    TStream* Stream() const { return FStream; }
    // The component being written or read.
    TComponent* Root() const { return FRoot; }

    // A value the component stores besides its published properties: the writer calls
    // WriteData when HasData, the reader calls ReadData when the stream holds the name.
    virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // The same for raw bytes (written as vaBinary with a 32-bit length).
    virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                                      bool HasData) = 0;

protected:
    TStream* FStream;
    TComponent* FRoot = nullptr;
    // DefineProperties is protected; the filer is its friend.
    static void callDefineProperties(TPersistent* Instance, TFiler* Filer) { Instance->DefineProperties(Filer); }
};

class TWriter : public TFiler {
public:
    explicit TWriter(TStream* Stream) : TFiler(Stream) {}

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

    void WriteSignature();
    void WriteComponent(TComponent* Component);
    // The smallest integer tag that holds Value.
    void WriteInteger(Int64 Value);
    void WriteBoolean(bool Value);
    // vaString/vaLString for ASCII text, vaUTF8String otherwise.
    void WriteString(const String& Value);
    void WriteIdent(const String& Ident);
    void WriteListBegin();
    void WriteListEnd();
    void WritePropName(const String& Name);
    // A length byte and the ASCII bytes; raises EWriteError for longer or non-ASCII text.
    void WriteStr(const String& Value);

private:
    void writeValue(TValueType Value);
    void writeBytes(const void* Data, int Count);
};

class TReader : public TFiler {
public:
    explicit TReader(TStream* Stream) : TFiler(Stream) {}

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

    // Raises EReadError "Invalid stream format" unless the stream starts with "TPF0".
    void ReadSignature();
    // Reads a component written by TWriter::WriteComponent into Instance; raises EReadError for
    // another class, an unknown property or a damaged stream. Instance's Loaded runs at the end.
    void ReadComponent(TComponent* Instance);
    Int64 ReadInt64();
    int ReadInteger();
    bool ReadBoolean();
    String ReadString();
    String ReadIdent();
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList();
    String ReadStr();
    TValueType ReadValue();
    TValueType NextValue();
    // Reads past one value of any kind.
    void SkipValue();

private:
    String FPropName;
    bool FPropHandled = false;

    void readBytes(void* Data, Int64 Count);
    void checkValue(TValueType Expected);
    [[noreturn]] void invalidProperty() const;
};

// Writes Component to Stream as a form stream; reads one back into Instance.
void WriteComponentToStream(TStream* Stream, TComponent* Component);
void ReadComponentFromStream(TStream* Stream, TComponent* Instance);
