// A small variant: empty, a Boolean, an integer, a floating-point number or a text, converted to
// the others as the platform's variants are (texts by the program-wide format settings).
#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Types.h"

QVD_DECLARE_EXCEPTION(EVariantError, Exception);
// "Could not convert variant of type (String) into type (Double)".
QVD_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);

enum TVarType { varEmpty, varBoolean, varInteger, varInt64, varDouble, varString };

class Variant {
public:
    Variant() = default;
    Variant(bool Value) : FType(varBoolean), FInt(Value ? 1 : 0) {}
    Variant(int Value) : FType(varInteger), FInt(Value) {}
    Variant(Int64 Value) : FType(varInt64), FInt(Value) {}
    Variant(double Value) : FType(varDouble), FDouble(Value) {}
    Variant(const String& Value) : FType(varString), FString(Value) {}
    Variant(const char16_t* Value) : FType(varString), FString(String::fromUtf16(Value)) {}

    TVarType VarType() const { return FType; }
    bool IsEmpty() const { return FType == varEmpty; }

    // Empty: ""; Booleans "True"/"False"; numbers as IntToStr and FloatToStr write them.
    String AsString() const;
    // Texts are read as numbers (EVariantTypeCastError when they are not); empty is 0; a double is
    // rounded halves to even.
    Int64 AsInt64() const;
    int AsInteger() const { return static_cast<int>(AsInt64()); }
    double AsDouble() const;
    bool AsBoolean() const;

    // Equal values of the same kind; numbers compare by value across kinds.
    bool operator==(const Variant& Other) const;

private:
    TVarType FType = varEmpty;
    Int64 FInt = 0;
    double FDouble = 0;
    String FString;
};

// VarToStr: the variant's text.
inline String VarToStr(const Variant& V) { return V.AsString(); }
