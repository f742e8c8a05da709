// The cell texts and the condition the filter benchmarks race over.
#pragma once

#include "framework/rtl/Types.h"

#include <random>
#include <vector>

inline const String kFilterBenchCondition = QStringLiteral(">10&<100|a*b?c");

// Cell texts as a grid holds them: whole numbers (some negative, some with a thousand
// separator), decimals and short words, some of which fit a*b?c in either case.
inline std::vector<String> GenerateFilterValues(int Count) {
    std::mt19937 Rng(2024);
    std::vector<String> Values;
    Values.reserve(static_cast<size_t>(Count));
    const char Letters[] = "abcxABCX";
    for (int I = 0; I < Count; ++I) {
        switch (Rng() % 10) {
            case 0:
            case 1:
            case 2:
            case 3:
                Values.push_back(String::number(static_cast<int>(Rng() % 250) - 20));
                break;
            case 4:
                Values.push_back(String::number(Rng() % 200) + u'.' + String::number(Rng() % 100));
                break;
            case 5:
                Values.push_back(String::number(1 + Rng() % 9) + u',' + String::number(100 + Rng() % 900));
                break;
            default: {
                String Word;
                for (int K = 1 + static_cast<int>(Rng() % 8); K > 0; --K) Word += QChar(Letters[Rng() % 8]);
                if (Rng() % 3 == 0) Word = u'a' + Word.mid(1);
                Values.push_back(Word);
            }
        }
    }
    return Values;
}
