// Writes the program's version resource as a C++ source: the version blocks laid out as the
// platform lays them out (length, value length, type, zero-ended UTF-16 key, value, children,
// each part aligned to four bytes), registered as RT_VERSION number 1 at start-up.
// Usage: VersionResource OUTPUT PRODUCT_NAME COMPANY_NAME VERSION FILE_NAME
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Block {
    std::string Key;
    Bytes Value;
    bool Text = false;
    std::vector<Block> Children;
};

void putWord(Bytes& B, unsigned V) {
    B.push_back(std::uint8_t(V & 0xFF));
    B.push_back(std::uint8_t((V >> 8) & 0xFF));
}

void putDWord(Bytes& B, std::uint32_t V) {
    putWord(B, V & 0xFFFF);
    putWord(B, V >> 16);
}

void pad(Bytes& B) {
    while (B.size() % 4) B.push_back(0);
}

// Keys and values here are ASCII, so each byte is one UTF-16 unit.
void putText(Bytes& B, const std::string& S) {
    for (unsigned char C : S) putWord(B, C);
    putWord(B, 0);
}

Bytes build(const Block& S) {
    Bytes B(6, 0);
    putText(B, S.Key);
    pad(B);
    B.insert(B.end(), S.Value.begin(), S.Value.end());
    for (const Block& Child : S.Children) {
        pad(B);
        const Bytes C = build(Child);
        B.insert(B.end(), C.begin(), C.end());
    }
    const std::size_t ValueLength = S.Text ? S.Value.size() / 2 : S.Value.size();
    B[0] = std::uint8_t(B.size() & 0xFF);
    B[1] = std::uint8_t(B.size() >> 8);
    B[2] = std::uint8_t(ValueLength & 0xFF);
    B[3] = std::uint8_t(ValueLength >> 8);
    B[4] = S.Text ? 1 : 0;
    return B;
}

Block text(const std::string& Key, const std::string& Value) {
    Block S{Key, {}, true, {}};
    putText(S.Value, Value);
    return S;
}

// "1.2.3" as the two double words of the fixed part; missing parts are 0.
void versionWords(const std::string& Version, std::uint32_t& MS, std::uint32_t& LS) {
    unsigned Parts[4] = {0, 0, 0, 0};
    std::sscanf(Version.c_str(), "%u.%u.%u.%u", &Parts[0], &Parts[1], &Parts[2], &Parts[3]);
    MS = (Parts[0] << 16) | (Parts[1] & 0xFFFF);
    LS = (Parts[2] << 16) | (Parts[3] & 0xFFFF);
}

Bytes fixedInfo(const std::string& Version) {
    std::uint32_t MS = 0, LS = 0;
    versionWords(Version, MS, LS);
    Bytes B;
    // Signature, structure version, file and product versions, flags mask, flags, OS (NT
    // Windows32), type (application), subtype, date.
    for (std::uint32_t V : {0xFEEF04BDu, 0x00010000u, MS, LS, MS, LS, 0x3Fu, 0u, 0x40004u, 1u, 0u, 0u, 0u})
        putDWord(B, V);
    return B;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s OUTPUT PRODUCT_NAME COMPANY_NAME VERSION FILE_NAME\n", argv[0]);
        return 2;
    }
    const std::string Product = argv[2], Company = argv[3], Version = argv[4], FileName = argv[5];
    // US English in Unicode: language 0x0409, code page 1200.
    Block Table{"040904B0",
                {},
                true,
                {text("CompanyName", Company), text("FileDescription", Product), text("FileVersion", Version),
                 text("InternalName", FileName), text("OriginalFilename", FileName), text("ProductName", Product),
                 text("ProductVersion", Version)}};
    Block Root{"VS_VERSION_INFO", fixedInfo(Version), false, {}};
    Root.Children.push_back({"StringFileInfo", {}, true, {Table}});
    Bytes Translation;
    putWord(Translation, 0x0409);
    putWord(Translation, 1200);
    Root.Children.push_back({"VarFileInfo", {}, true, {{"Translation", Translation, false, {}}}});
    const Bytes Data = build(Root);

    std::FILE* Out = std::fopen(argv[1], "w");
    if (!Out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(Out,
                 "// Generated at build time by cmake/VersionResource.cpp; do not edit.\n"
                 "#include \"app/VersionResource.h\"\n\n"
                 "#include \"framework/rtl/Resources.h\"\n\n"
                 "namespace {\n\nconst Byte kVersionInfo[] = {");
    for (std::size_t i = 0; i < Data.size(); ++i)
        std::fprintf(Out, "%s0x%02X", i % 16 ? ", " : (i ? ",\n    " : "\n    "), Data[i]);
    std::fprintf(Out,
                 "};\n\n}  // namespace\n\n"
                 "const char ProgramVersion[] = \"%s\";\n\n"
                 "const bool ProgramVersionResourceRegistered =\n"
                 "    (RegisterResource(RT_VERSION, 1, kVersionInfo, sizeof(kVersionInfo)), true);\n",
                 Version.c_str());
    const bool Written = std::fclose(Out) == 0;
    if (!Written) std::perror(argv[1]);
    return Written ? 0 : 1;
}
