#include "app/_implodeexplode.h"

TDynStringArray explode(const String& Separator, const String& Text, int Limit) {
    TDynStringArray Result;
    if (Text.isEmpty() || Limit < 0) return Result;
    if (Separator.isEmpty()) {
        Result.push_back(Text);
        return Result;
    }
    qsizetype Start = 0;
    while (Start < Text.size()) {
        const qsizetype Next = Text.indexOf(Separator, Start);
        const bool Room = Limit < 1 || int(Result.size()) < Limit - 1;
        if (Next >= 0 && Room) {
            Result.push_back(Text.mid(Start, Next - Start));
            Start = Next + Separator.size();
        } else {
            Result.push_back(Text.mid(Start));
            break;
        }
    }
    return Result;
}
