// The wildcard matcher as the rules read, trying every ending of the value for each "*". It is
// exponential in the number of "*", so the filter tests and the fuzz target hold MatchPattern
// against it on short texts only.
#pragma once

#include <cstddef>
#include <string>

inline bool referenceMatch(const std::u16string& P, size_t I, const std::u16string& V, size_t J) {
    const bool BangIsChar = I < P.size() && P[I] == u'"';
    bool Negated = false, Literal = false, Result = false;
    while (true) {
        if (I == P.size()) {
            Result = J == V.size();
            break;
        }
        const char16_t C = P[I];
        if (C == u'"') {
            if (!Literal) {
                Literal = true;
                ++I;
                continue;
            }
            if (J < V.size() && V[J] == u'"') {
                ++I, ++J;
                continue;
            }
            break;
        }
        Literal = false;
        if (C == u'!' && !BangIsChar) {
            Negated = true;
            ++I;
            continue;
        }
        if (C == u'*') {
            while (I < P.size() && P[I] == u'*') ++I;
            for (size_t K = V.size() + 1; K-- > J;)
                if (referenceMatch(P, I, V, K)) {
                    Result = true;
                    break;
                }
            break;
        }
        if (J < V.size() && (C == u'?' || V[J] == C)) {
            ++I, ++J;
            continue;
        }
        break;
    }
    return Negated ? !Result : Result;
}
