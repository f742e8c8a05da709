// Numbers to text and back, Format, rounding and the random generator, by the platform's rules.
// Routines taking a TFormatSettings read the program-wide FormatSettings at each call by default.
#pragma once

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/Types.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// ---- Integers ----

String IntToStr(int Value);
String IntToStr(Int64 Value);
String UIntToStr(UInt64 Value);
template <std::integral T>
String IntToStr(T Value) {
    if constexpr (std::is_signed_v<T>)
        return IntToStr(static_cast<Int64>(Value));
    else
        return UIntToStr(static_cast<UInt64>(Value));
}

// Leading blanks, a sign, decimal digits or "$"/"0x" hexadecimal (which may fill all bits, so
// "$FFFFFFFF" is -1). Anything else, trailing blanks included, or a value out of range raises
// EConvertError "'S' is not a valid integer value".
int StrToInt(const String& S);
Int64 StrToInt64(const String& S);
int StrToIntDef(const String& S, int Default);
Int64 StrToInt64Def(const String& S, Int64 Default);
// Value is left unchanged on failure.
bool TryStrToInt(const String& S, int& Value);
bool TryStrToInt64(const String& S, Int64& Value);

// ---- Floating point ----

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Blanks around, a sign, digits with the settings' decimal separator, an optional exponent;
// "INF", "-INF" and "NAN" read back what FloatToStr writes. Failures raise EConvertError
// "'S' is not a valid floating point value".
Extended StrToFloat(const String& S, const TFormatSettings& AFormatSettings = FormatSettings);
Extended StrToFloatDef(const String& S, Extended Default, const TFormatSettings& AFormatSettings = FormatSettings);
bool TryStrToFloat(const String& S, Extended& Value, const TFormatSettings& AFormatSettings = FormatSettings);
bool TryStrToFloat(const String& S, double& Value, const TFormatSettings& AFormatSettings = FormatSettings);

// General format with 15 significant digits: "0.1", "1E20", "1E-5", "INF", "-INF", "NAN".
String FloatToStr(Extended Value, const TFormatSettings& AFormatSettings = FormatSettings);
// Precision: significant digits (1..18). Digits: exponent digits for ffGeneral/ffExponent
// (0..4), decimals for ffFixed/ffNumber/ffCurrency (0..18). Halves round away from zero.
String FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits,
                   const TFormatSettings& AFormatSettings = FormatSettings);
// Picture language: 0 # . , E+ E- e+ e-, quoted literals, up to three ";" sections
// (positive; negative; zero). An empty picture gives the general format.
String FormatFloat(const String& Format, Extended Value, const TFormatSettings& AFormatSettings = FormatSettings);

// ---- Format ----

// One argument of Format: an integer, a floating-point number, a text, a character or a pointer.
class TVarRec {
public:
    enum TKind { vtInteger, vtInt64, vtUInt64, vtExtended, vtString, vtChar, vtPointer, vtBoolean };

    template <std::integral T>
    TVarRec(T Value) {
        if constexpr (std::is_same_v<T, bool>) {
            FKind = vtBoolean;
            FInt = Value;
        } else if constexpr (std::is_same_v<T, char> || std::is_same_v<T, char16_t>) {
            FKind = vtChar;
            FChar = Char(static_cast<char16_t>(static_cast<std::make_unsigned_t<T>>(Value)));
        } else if constexpr (std::is_signed_v<T>) {
            FKind = sizeof(T) <= sizeof(int) ? vtInteger : vtInt64;
            FInt = Value;
        } else if constexpr (sizeof(T) < sizeof(UInt64)) {
            // An unsigned value that does not fit an int travels as Int64, as on the platform.
            FKind = Value <= static_cast<T>(INT32_MAX) ? vtInteger : vtInt64;
            FInt = static_cast<Int64>(Value);
        } else {
            FKind = vtUInt64;
            FInt = static_cast<Int64>(Value);
        }
    }
    TVarRec(float Value) : FKind(vtExtended), FFloat(Value) {}
    TVarRec(double Value) : FKind(vtExtended), FFloat(Value) {}
    TVarRec(long double Value) : FKind(vtExtended), FFloat(Value) {}
    TVarRec(const String& Value) : FKind(vtString), FString(Value) {}
    // UTF-8 text; nullptr reads as "".
    TVarRec(const char* Value) : FKind(vtString), FString(String::fromUtf8(Value)) {}
    TVarRec(Char Value) : FKind(vtChar), FChar(Value) {}
    TVarRec(const void* Value) : FKind(vtPointer), FPointer(Value) {}
    TVarRec(std::nullptr_t) : FKind(vtPointer) {}

    TKind Kind() const { return FKind; }
    bool IsInteger() const { return FKind == vtInteger || FKind == vtInt64 || FKind == vtUInt64; }
    Int64 AsInt64() const { return FInt; }
    Extended AsExtended() const { return FFloat; }
    const String& AsString() const { return FString; }
    Char AsChar() const { return FChar; }
    const void* AsPointer() const { return FPointer; }

private:
    TKind FKind;
    Int64 FInt = 0;  // vtUInt64 keeps its bits here
    Extended FFloat = 0;
    String FString;
    Char FChar;
    const void* FPointer = nullptr;
};

// "%" [index ":"] ["-"] [width] ["." prec] type, type one of d u s x X e f g n m p; "%%" is "%".
// Index, width and prec may be "*", taken from the arguments. A bad pattern, a missing argument
// or one of the wrong kind raises EConvertError "Format 'Fmt' invalid or incompatible with argument".
String Format(const String& Fmt, std::initializer_list<TVarRec> Args,
              const TFormatSettings& AFormatSettings = FormatSettings);
String Format(const String& Fmt, const std::vector<TVarRec>& Args,
              const TFormatSettings& AFormatSettings = FormatSettings);

// ---- Arithmetic ----

// Halves go to the even neighbour: Round(2.5) = 2, Round(3.5) = 4, Round(-2.5) = -2.
// NaN, infinities and values beyond Int64 raise EInvalidOp.
Int64 Round(Extended X);
// Toward zero; same errors as Round.
Int64 Trunc(Extended X);
Extended Int(Extended X);
Extended Frac(Extended X);
// Number * Numerator / Denominator over 64 bits, halves away from zero; -1 when Denominator is 0
// or the result does not fit an int.
int MulDiv(int Number, int Numerator, int Denominator);

// ---- Random numbers: one generator for the process, safe to call from any thread ----

// 0 <= result < Range; 0 when Range <= 0.
int Random(int Range);
// 0 <= result < 1.
double Random();
// Seeds from the clock.
void Randomize();
// The generator's state: setting it repeats a sequence.
std::uint32_t RandSeed();
void SetRandSeed(std::uint32_t Value);
