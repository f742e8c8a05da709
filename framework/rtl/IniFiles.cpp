#include "framework/rtl/IniFiles.h"

#include "framework/rtl/RegistryStore.h"
#include "framework/rtl/StringList.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

bool sameName(const String& A, const String& B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

bool hasLineBreak(const String& S) { return S.contains(QLatin1Char('\n')) || S.contains(QLatin1Char('\r')); }

bool isQuoted(const String& S) {
    return S.size() >= 2 && (S.front() == QLatin1Char('"') || S.front() == QLatin1Char('\'')) && S.back() == S.front();
}

// Values are trimmed and lose one pair of surrounding quotes when read, so a value that would be
// changed by that is written quoted.
String encodeValue(const String& Value) {
    if (Value.isEmpty()) return Value;
    const bool Padded = Value.front().isSpace() || Value.back().isSpace();
    return Padded || isQuoted(Value) ? QLatin1Char('"') + Value + QLatin1Char('"') : Value;
}

String decodeValue(const String& Raw) {
    const String Value = Raw.trimmed();
    return isQuoted(Value) ? Value.mid(1, Value.size() - 2) : Value;
}

void fillStrings(TStrings* Strings, const std::vector<String>& Items) {
    Strings->BeginUpdate();
    try {
        Strings->Clear();
        for (const String& Item : Items) Strings->Add(Item);
    } catch (...) {
        Strings->EndUpdate();
        throw;
    }
    Strings->EndUpdate();
}

[[noreturn]] void raiseIni(const String& Message) { throw EIniFileException(Message); }

}  // namespace

// One INI file as lines: lines that are not sections or entries (comments, blanks, stray text)
// are kept exactly as read, and so are entries nobody changed.
class TIniDocument {
public:
    explicit TIniDocument(const String& FileName) : FFileName(FileName) {}

    const String& FileName() const { return FFileName; }

    // Reads the file (a missing file is empty); raises EIniFileException when it cannot be read.
    void Load();
    // Reads the file again when it changed on disk since it was read or written.
    void Refresh() {
        if (!FLoaded || regstore::IdentifyFile(FFileName) != FIdentity) Load();
    }
    // Writes the file atomically; raises EIniFileException and leaves the file alone on failure.
    void Save();
    void Clear() { FLines.clear(); }

    bool Find(const String& Section, const String& Ident, String& Value) const;
    std::vector<String> Keys(const String& Section) const;
    std::vector<String> Sections() const;
    std::vector<String> SectionValues(const String& Section) const;
    bool HasSection(const String& Section) const { return findSection(Section) >= 0; }

    // Each returns whether anything changed.
    bool Write(const String& Section, const String& Ident, const String& Value);
    bool EraseSection(const String& Section);
    bool DeleteKey(const String& Section, const String& Ident);

private:
    enum class TLineKind { Other, Section, Entry };
    struct TLine {
        TLineKind Kind = TLineKind::Other;
        String Raw;
        String Name;
        String Value;
    };

    String FFileName;
    std::vector<TLine> FLines;
    regstore::FileIdentity FIdentity;
    bool FLoaded = false;
    bool FCrLf = false;
    bool FBom = false;

    static TLine parseLine(const String& Raw);
    static TLine entryLine(const String& Name, const String& Value);
    int findSection(const String& Section) const;
    int sectionEnd(int Header) const;
    void validate(const String& Section, const String& Ident, const String& Value) const;
};

TIniDocument::TLine TIniDocument::parseLine(const String& Raw) {
    TLine Line;
    Line.Raw = Raw;
    const String Text = Raw.trimmed();
    if (Text.startsWith(QLatin1Char('['))) {
        const qsizetype Close = Text.indexOf(QLatin1Char(']'));
        Line.Kind = TLineKind::Section;
        Line.Name = Text.mid(1, Close < 0 ? -1 : Close - 1).trimmed();
    } else if (!Text.isEmpty() && !Text.startsWith(QLatin1Char(';')) && !Text.startsWith(QLatin1Char('#'))) {
        const qsizetype Eq = Text.indexOf(QLatin1Char('='));
        if (Eq > 0) {
            Line.Kind = TLineKind::Entry;
            Line.Name = Text.left(Eq).trimmed();
            Line.Value = decodeValue(Text.mid(Eq + 1));
        }
    }
    return Line;
}

TIniDocument::TLine TIniDocument::entryLine(const String& Name, const String& Value) {
    return TLine{TLineKind::Entry, Name + QLatin1Char('=') + encodeValue(Value), Name, Value};
}

void TIniDocument::Load() {
    std::string Data;
    regstore::FileIdentity Id;
    bool Exists = false;
    try {
        Exists = regstore::ReadWholeFile(FFileName, Data, &Id);
    } catch (const EOSError& E) {
        raiseIni(E.Message());
    }
    String Text;
    FBom = false;
    if (Data.size() >= 2 && Byte(Data[0]) == 0xFF && Byte(Data[1]) == 0xFE) {
        Text = QString::fromUtf16(reinterpret_cast<const char16_t*>(Data.data() + 2), qsizetype(Data.size() - 2) / 2);
    } else {
        FBom = Data.size() >= 3 && Byte(Data[0]) == 0xEF && Byte(Data[1]) == 0xBB && Byte(Data[2]) == 0xBF;
        Text = QString::fromUtf8(Data.data() + (FBom ? 3 : 0), qsizetype(Data.size()) - (FBom ? 3 : 0));
    }
    FCrLf = Text.contains(QStringLiteral("\r\n"));
    FLines.clear();
    QStringList Lines = Text.split(QLatin1Char('\n'));
    if (!Lines.isEmpty() && Lines.back().isEmpty()) Lines.removeLast();
    for (String& Raw : Lines) {
        if (Raw.endsWith(QLatin1Char('\r'))) Raw.chop(1);
        FLines.push_back(parseLine(Raw));
    }
    FIdentity = Exists ? Id : regstore::FileIdentity{};
    FLoaded = true;
}

void TIniDocument::Save() {
    String Text;
    const String Eol = FCrLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    for (const TLine& Line : FLines) Text += Line.Raw + Eol;
    std::string Data = FBom ? std::string("\xEF\xBB\xBF") : std::string();
    Data += Text.toStdString();
    try {
        regstore::WriteFileAtomically(FFileName, Data, 0666);
    } catch (const EOSError& E) {
        raiseIni(E.Message());
    }
    FIdentity = regstore::IdentifyFile(FFileName);
    FLoaded = true;
}

int TIniDocument::findSection(const String& Section) const {
    for (std::size_t I = 0; I < FLines.size(); ++I)
        if (FLines[I].Kind == TLineKind::Section && sameName(FLines[I].Name, Section)) return int(I);
    return -1;
}

int TIniDocument::sectionEnd(int Header) const {
    int I = Header + 1;
    while (I < int(FLines.size()) && FLines[std::size_t(I)].Kind != TLineKind::Section) ++I;
    return I;
}

bool TIniDocument::Find(const String& Section, const String& Ident, String& Value) const {
    const int Header = findSection(Section);
    if (Header < 0) return false;
    for (int I = Header + 1, End = sectionEnd(Header); I < End; ++I) {
        const TLine& Line = FLines[std::size_t(I)];
        if (Line.Kind == TLineKind::Entry && sameName(Line.Name, Ident)) {
            Value = Line.Value;
            return true;
        }
    }
    return false;
}

std::vector<String> TIniDocument::Keys(const String& Section) const {
    std::vector<String> Names;
    const int Header = findSection(Section);
    if (Header < 0) return Names;
    for (int I = Header + 1, End = sectionEnd(Header); I < End; ++I)
        if (FLines[std::size_t(I)].Kind == TLineKind::Entry) Names.push_back(FLines[std::size_t(I)].Name);
    return Names;
}

std::vector<String> TIniDocument::Sections() const {
    std::vector<String> Names;
    for (const TLine& Line : FLines) {
        if (Line.Kind != TLineKind::Section) continue;
        bool Seen = false;
        for (const String& Name : Names) Seen = Seen || sameName(Name, Line.Name);
        if (!Seen) Names.push_back(Line.Name);
    }
    return Names;
}

std::vector<String> TIniDocument::SectionValues(const String& Section) const {
    std::vector<String> Lines;
    const int Header = findSection(Section);
    if (Header < 0) return Lines;
    for (int I = Header + 1, End = sectionEnd(Header); I < End; ++I) {
        const TLine& Line = FLines[std::size_t(I)];
        if (Line.Kind == TLineKind::Entry) Lines.push_back(Line.Name + QLatin1Char('=') + Line.Value);
    }
    return Lines;
}

void TIniDocument::validate(const String& Section, const String& Ident, const String& Value) const {
    const String Where = QStringLiteral(" (INI file \"%1\")").arg(FFileName);
    if (Section.trimmed().isEmpty() || Section.trimmed() != Section || hasLineBreak(Section) ||
        Section.contains(QLatin1Char(']')))
        raiseIni(QStringLiteral("Invalid section name '%1'").arg(Section) + Where);
    const String Key = Ident.trimmed();
    if (Key.isEmpty() || Key != Ident || hasLineBreak(Ident) || Ident.contains(QLatin1Char('=')) ||
        Key.startsWith(QLatin1Char('[')) || Key.startsWith(QLatin1Char(';')) || Key.startsWith(QLatin1Char('#')))
        raiseIni(QStringLiteral("Invalid key name '%1'").arg(Ident) + Where);
    if (hasLineBreak(Value))
        raiseIni(QStringLiteral("The value of '%1' holds a line break, which an INI file cannot store").arg(Ident) +
                 Where);
}

bool TIniDocument::Write(const String& Section, const String& Ident, const String& Value) {
    validate(Section, Ident, Value);
    const int Header = findSection(Section);
    if (Header < 0) {
        if (!FLines.empty() && !FLines.back().Raw.trimmed().isEmpty()) FLines.push_back(TLine{});
        FLines.push_back(TLine{TLineKind::Section, QLatin1Char('[') + Section + QLatin1Char(']'), Section, String()});
        FLines.push_back(entryLine(Ident, Value));
        return true;
    }
    const int End = sectionEnd(Header);
    int InsertAt = Header + 1;
    for (int I = Header + 1; I < End; ++I) {
        TLine& Line = FLines[std::size_t(I)];
        if (Line.Kind != TLineKind::Entry) continue;
        if (sameName(Line.Name, Ident)) {
            if (Line.Value == Value) return false;
            Line = entryLine(Line.Name, Value);  // the name keeps the case it was first written in
            return true;
        }
        InsertAt = I + 1;
    }
    // After the section's last entry, so comments leading into the next section stay with it.
    FLines.insert(FLines.begin() + InsertAt, entryLine(Ident, Value));
    return true;
}

bool TIniDocument::EraseSection(const String& Section) {
    bool Changed = false;
    for (int Header = findSection(Section); Header >= 0; Header = findSection(Section)) {
        FLines.erase(FLines.begin() + Header, FLines.begin() + sectionEnd(Header));
        Changed = true;
    }
    return Changed;
}

bool TIniDocument::DeleteKey(const String& Section, const String& Ident) {
    const int Header = findSection(Section);
    if (Header < 0) return false;
    const auto First = FLines.begin() + Header + 1;
    const auto Last = FLines.begin() + sectionEnd(Header);
    const auto Kept = std::remove_if(
        First, Last, [&](const TLine& Line) { return Line.Kind == TLineKind::Entry && sameName(Line.Name, Ident); });
    if (Kept == Last) return false;
    FLines.erase(Kept, Last);
    return true;
}

// ---- helpers ----

bool TryIniStrToInt(const String& Value, int& Result) {
    String S = Value.trimmed();
    bool Negative = false;
    if (S.startsWith(QLatin1Char('-')) || S.startsWith(QLatin1Char('+'))) {
        Negative = S.front() == QLatin1Char('-');
        S.remove(0, 1);
    }
    bool Ok = false;
    qint64 N = 0;
    if (S.startsWith(QLatin1Char('$')) || S.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const String Digits = S.mid(S.front() == QLatin1Char('$') ? 1 : 2);
        // Hexadecimal is a bit pattern: "$FFFFFFFF" is -1.
        const quint64 U = Digits.size() <= 8 ? Digits.toULongLong(&Ok, 16) : 0;
        if (!Ok || Digits.startsWith(QLatin1Char('+')) || Digits.startsWith(QLatin1Char('-'))) return false;
        N = static_cast<std::int32_t>(static_cast<std::uint32_t>(U));
    } else {
        if (S.isEmpty() || !S.front().isDigit()) return false;
        N = S.toLongLong(&Ok, 10);
        if (!Ok) return false;
    }
    if (Negative) N = -N;
    if (N < std::numeric_limits<int>::min() || N > std::numeric_limits<int>::max()) return false;
    Result = static_cast<int>(N);
    return true;
}

bool TryIniStrToBool(const String& Value, bool& Result) {
    int N = 0;
    if (TryIniStrToInt(Value, N)) {
        Result = N != 0;
        return true;
    }
    const String S = Value.trimmed();
    if (sameName(S, QStringLiteral("true")) || sameName(S, QStringLiteral("false"))) {
        Result = sameName(S, QStringLiteral("true"));
        return true;
    }
    return false;
}

String UserConfigFolder() {
    String Base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (Base.isEmpty()) Base = QDir::homePath() + QStringLiteral("/.config");
    return Base + QStringLiteral("/quillory");
}

// ---- TCustomIniFile ----

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
    int Result = Default;
    return TryIniStrToInt(ReadString(Section, Ident, String()), Result) ? Result : Default;
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    WriteString(Section, Ident, String::number(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
    bool Result = Default;
    return TryIniStrToBool(ReadString(Section, Ident, String()), Result) ? Result : Default;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TCustomIniFile::SectionExists(const String& Section) {
    TStringList Keys;
    ReadSection(Section, &Keys);
    return Keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
    TStringList Keys;
    ReadSection(Section, &Keys);
    for (int I = 0; I < Keys.Count(); ++I)
        if (sameName(Keys.Strings(I), Ident)) return true;
    return false;
}

// ---- TIniFile ----

namespace {

// A bare name lands in the user's configuration folder, created on demand.
String placeIniFile(const String& FileName) {
    if (FileName.isEmpty()) raiseIni(QStringLiteral("An INI file needs a file name"));
    if (FileName.contains(QLatin1Char('/'))) return FileName;
    const String Folder = UserConfigFolder();
    if (!QDir().mkpath(Folder)) raiseIni(QStringLiteral("Cannot create the folder \"%1\"").arg(Folder));
    return Folder + QLatin1Char('/') + FileName;
}

}  // namespace

TIniFile::TIniFile(const String& FileName)
    : TCustomIniFile(placeIniFile(FileName)), FDocument(std::make_unique<TIniDocument>(this->FileName())) {}

TIniFile::~TIniFile() = default;

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    FDocument->Refresh();
    String Value;
    return FDocument->Find(Section, Ident, Value) ? Value : Default;
}

// Each write starts from the file as it is now and replaces the document only once saved, so a
// failed save changes nothing.
void TIniFile::saveEdit(const std::function<bool(TIniDocument&)>& Edit) {
    FDocument->Refresh();
    auto Edited = std::make_unique<TIniDocument>(*FDocument);
    if (!Edit(*Edited)) return;
    Edited->Save();
    FDocument = std::move(Edited);
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    saveEdit([&](TIniDocument& D) { return D.Write(Section, Ident, Value); });
}

void TIniFile::EraseSection(const String& Section) {
    saveEdit([&](TIniDocument& D) { return D.EraseSection(Section); });
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
    saveEdit([&](TIniDocument& D) { return D.DeleteKey(Section, Ident); });
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) {
    FDocument->Refresh();
    fillStrings(Strings, FDocument->Keys(Section));
}

void TIniFile::ReadSections(TStrings* Strings) {
    FDocument->Refresh();
    fillStrings(Strings, FDocument->Sections());
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    FDocument->Refresh();
    fillStrings(Strings, FDocument->SectionValues(Section));
}

bool TIniFile::SectionExists(const String& Section) {
    FDocument->Refresh();
    return FDocument->HasSection(Section);
}

bool TIniFile::ValueExists(const String& Section, const String& Ident) {
    FDocument->Refresh();
    String Value;
    return FDocument->Find(Section, Ident, Value);
}

void TIniFile::UpdateFile() { FDocument->Load(); }

// ---- TMemIniFile ----

TMemIniFile::TMemIniFile(const String& FileName)
    : TCustomIniFile(placeIniFile(FileName)), FDocument(std::make_unique<TIniDocument>(this->FileName())) {
    FDocument->Load();
}

TMemIniFile::~TMemIniFile() = default;

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    String Value;
    return FDocument->Find(Section, Ident, Value) ? Value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    FDocument->Write(Section, Ident, Value);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) {
    fillStrings(Strings, FDocument->Keys(Section));
}

void TMemIniFile::ReadSections(TStrings* Strings) { fillStrings(Strings, FDocument->Sections()); }

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    fillStrings(Strings, FDocument->SectionValues(Section));
}

void TMemIniFile::EraseSection(const String& Section) { FDocument->EraseSection(Section); }

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) { FDocument->DeleteKey(Section, Ident); }

bool TMemIniFile::SectionExists(const String& Section) { return FDocument->HasSection(Section); }

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) {
    String Value;
    return FDocument->Find(Section, Ident, Value);
}

void TMemIniFile::UpdateFile() { FDocument->Save(); }

void TMemIniFile::Clear() { FDocument->Clear(); }
