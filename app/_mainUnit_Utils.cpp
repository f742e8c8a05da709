// The main window's utilities that use no window state: random names, size and time texts,
// title cleaning.
#include "app/_mainUnit.h"

#include "framework/rtl/DateUtils.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/SysUtils.h"

#include <mutex>

namespace {

const String Digits = QStringLiteral("0123456789");
const String LowerLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const String UpperLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// One generator for the process, seeded once: seeding from the clock at each call would give two
// downloads started in the same tick the same temporary name.
void seedOnce() {
    static std::once_flag Seeded;
    std::call_once(Seeded, [] { Randomize(); });
}

String twoDigits(int Value) { return Value < 10 ? QStringLiteral("0") + String::number(Value) : String::number(Value); }

}  // namespace

String T_mainForm::RandomString(const String& pattern) {
    seedOnce();
    String Result;
    const int Count = std::min<int>(pattern.size(), 255);
    for (int i = 0; i < Count; ++i) {
        const Char C = pattern[i];
        int n = (C >= u'0' && C <= u'9') ? C.unicode() - u'0' : 0;
        String Set;
        if (n > 3) {
            Set += Digits;
            n -= 4;
        }
        if (n > 1) {
            Set += LowerLetters;
            n -= 2;
        }
        if (n != 0) Set += UpperLetters;
        // 0 and other characters choose nothing: there is nothing to draw from.
        if (Set.isEmpty())
            throw EArgumentException(QStringLiteral("RandomString: pattern character '%1' is not 1 to 9").arg(C));
        Result += Set[Random(int(Set.size()))];
    }
    return Result;
}

String T_mainForm::FmtFileSize(std::int64_t size) {
    if (size >= 1000000) return FormatFloat(QStringLiteral("0.00"), Extended(size) / 1000000.0) + QStringLiteral(" Mb");
    if (size < 1024) return String::number(size) + QStringLiteral(" b");
    return FormatFloat(QStringLiteral("0"), Extended(size) / 1024.0) + QStringLiteral(" Kb");
}

double T_mainForm::TimeToSec(const String& tempo) {
    String Text = tempo;
    Text.replace(u'.', u',');
    Text = Trim(Text);
    if (Text.isEmpty()) return 0;
    // Milliseconds come after a comma now; the reader takes them after the decimal separator.
    TFormatSettings Settings = FormatSettings;
    Settings.DecimalSeparator = u',';
    const TDateTime Value = StrToDateTime(Text, Settings);
    Word Hour, Min, Sec, MSec;
    DecodeTime(Value, Hour, Min, Sec, MSec);
    return Hour * 3600.0 + Min * 60.0 + Sec + MSec / 1000.0;
}

String T_mainForm::SecToTime(int seconds) {
    const int Hours = seconds / 3600;
    const int Minutes = seconds / 60 - Hours * 60;
    return twoDigits(Hours) + u':' + twoDigits(Minutes) + u':' + twoDigits(seconds % 60);
}

String T_mainForm::MSecToTime(const String& msec) {
    String DigitsOnly;
    for (Char C : msec)
        if (C >= u'0' && C <= u'9') DigitsOnly += C;
    return SecToTime(StrToInt(DigitsOnly) / 1000);
}

std::int64_t T_mainForm::FileSize(const String& name) {
    TSearchRec F;
    if (FindFirst(name, faAnyFile, F) != 0) return 0;
    const std::int64_t Size = F.Size;
    FindClose(F);
    return Size;
}

String T_mainForm::CleanTitle(const String& title) {
    static const String Removed = QStringLiteral("\n\r\"*-/:?\\|");
    String Result;
    Result.reserve(title.size());
    for (Char C : title)
        if (!Removed.contains(C)) Result += C;
    Result.remove(QStringLiteral("youtube"), Qt::CaseInsensitive);
    return Trim(Result);
}
