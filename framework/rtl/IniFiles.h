// INI files: sections of Ident=Value lines. TIniFile saves every write at once; TMemIniFile keeps
// changes in memory until UpdateFile.
#pragma once

#include "framework/rtl/Component.h"
#include "framework/rtl/Types.h"

#include <functional>
#include <memory>

class TStrings;
class TIniDocument;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}

    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // Decimal, "$1F" or "0x1F"; anything else gives Default.
    virtual int ReadInteger(const String& Section, const String& Ident, int Default);
    virtual void WriteInteger(const String& Section, const String& Ident, int Value);
    // Accepts a number (non-zero is true), "true" or "false"; anything else gives Default.
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
    // Written as "1" or "0".
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    // Each of these clears Strings first.
    virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
    virtual void ReadSections(TStrings* Strings) = 0;
    virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    virtual void UpdateFile() = 0;
    virtual bool SectionExists(const String& Section);
    virtual bool ValueExists(const String& Section, const String& Ident);

private:
    String FFileName;
};

// Reads "Value" as an integer the way INI files store them; false when it is not one.
bool TryIniStrToInt(const String& Value, int& Result);
// Reads "Value" as a Boolean (0/1/true/false); false when it is neither.
bool TryIniStrToBool(const String& Value, bool& Result);

// A text INI file. A bare file name (no folder) lands in the user's configuration folder.
// Sections and keys keep the order they were written in; comments and blank lines survive.
// Every write is saved at once (temporary file + rename); reads see other programs' changes.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& FileName);
    ~TIniFile() override;

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    // Raises EIniFileException when the file cannot be written; nothing changes then.
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // A section exists when its header is in the file, even with no keys below it.
    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    // Writes are already on disk; this re-reads the file.
    void UpdateFile() override;

private:
    std::unique_ptr<TIniDocument> FDocument;

    void saveEdit(const std::function<bool(TIniDocument&)>& Edit);
};

// An INI file held in memory: loaded once, saved (atomically) by UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const String& FileName);
    ~TMemIniFile() override;

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    // Raises EIniFileException when the file cannot be written.
    void UpdateFile() override;
    // Empties the file in memory (saved by UpdateFile).
    void Clear();

private:
    std::unique_ptr<TIniDocument> FDocument;
};

// The user's configuration folder for the program's files: where a bare INI name lands.
String UserConfigFolder();
