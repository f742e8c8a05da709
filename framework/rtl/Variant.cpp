#include "framework/rtl/Variant.h"

#include "framework/rtl/SysUtils.h"

#include <cmath>

namespace {

String typeName(TVarType Type) {
    switch (Type) {
        case varEmpty:
            return QStringLiteral("Empty");
        case varBoolean:
            return QStringLiteral("Boolean");
        case varInteger:
            return QStringLiteral("Integer");
        case varInt64:
            return QStringLiteral("Int64");
        case varDouble:
            return QStringLiteral("Double");
        case varString:
            return QStringLiteral("String");
    }
    return {};
}

[[noreturn]] void castError(TVarType From, TVarType To) {
    throw EVariantTypeCastError(
        QStringLiteral("Could not convert variant of type (%1) into type (%2)").arg(typeName(From), typeName(To)));
}

}  // namespace

String Variant::AsString() const {
    switch (FType) {
        case varEmpty:
            return {};
        case varBoolean:
            return FInt ? QStringLiteral("True") : QStringLiteral("False");
        case varInteger:
        case varInt64:
            return IntToStr(FInt);
        case varDouble:
            return FloatToStr(FDouble);
        case varString:
            return FString;
    }
    return {};
}

Int64 Variant::AsInt64() const {
    switch (FType) {
        case varEmpty:
            return 0;
        case varBoolean:
            return FInt ? -1 : 0;  // True is -1, as the platform stores it
        case varInteger:
        case varInt64:
            return FInt;
        case varDouble:
            if (!std::isfinite(FDouble)) castError(varDouble, varInt64);
            return Round(FDouble);
        case varString: {
            Int64 I = 0;
            if (TryStrToInt64(FString.trimmed(), I)) return I;
            double D = 0;
            if (TryStrToFloat(FString, D) && std::isfinite(D)) return Round(D);
            castError(varString, varInt64);
        }
    }
    return 0;
}

double Variant::AsDouble() const {
    switch (FType) {
        case varEmpty:
            return 0;
        case varBoolean:
            return FInt ? -1 : 0;
        case varInteger:
        case varInt64:
            return static_cast<double>(FInt);
        case varDouble:
            return FDouble;
        case varString: {
            double D = 0;
            if (TryStrToFloat(FString, D)) return D;
            castError(varString, varDouble);
        }
    }
    return 0;
}

bool Variant::AsBoolean() const {
    switch (FType) {
        case varString: {
            if (FString.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
            if (FString.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
            double D = 0;
            if (TryStrToFloat(FString, D)) return D != 0;
            castError(varString, varBoolean);
        }
        case varDouble:
            return FDouble != 0;
        default:
            return FInt != 0;
    }
}

bool Variant::operator==(const Variant& Other) const {
    const auto Numeric = [](TVarType T) { return T == varInteger || T == varInt64 || T == varDouble; };
    if (Numeric(FType) && Numeric(Other.FType)) return AsDouble() == Other.AsDouble();
    if (FType != Other.FType) return false;
    if (FType == varString) return FString == Other.FString;
    return FInt == Other.FInt;
}
