// Builds small GIF files byte by byte for picture tests (Qt reads GIF but cannot write it).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

struct GifFrame {
    int Left = 0, Top = 0, Width = 1, Height = 1;
    int Delay = 10;               // hundredths of a second
    std::uint8_t Packed = 0;      // the graphic control extension's packed byte (disposal, transparency)
    std::uint8_t ColorIndex = 0;  // every pixel of the frame
};

// A GIF89a with a two-colour table (black, white) and one graphic control extension per frame.
inline std::vector<std::uint8_t> BuildGif(int ScreenWidth, int ScreenHeight, const std::vector<GifFrame>& Frames) {
    std::vector<std::uint8_t> B;
    auto word = [&B](int V) {
        B.push_back(static_cast<std::uint8_t>(V & 0xFF));
        B.push_back(static_cast<std::uint8_t>((V >> 8) & 0xFF));
    };
    for (char C : {'G', 'I', 'F', '8', '9', 'a'}) B.push_back(static_cast<std::uint8_t>(C));
    word(ScreenWidth);
    word(ScreenHeight);
    B.insert(B.end(), {0x80, 0, 0});  // global table of 2 colours
    B.insert(B.end(), {0, 0, 0, 0xFF, 0xFF, 0xFF});
    for (const GifFrame& F : Frames) {
        B.insert(B.end(), {0x21, 0xF9, 4, F.Packed});
        word(F.Delay);
        B.insert(B.end(), {0, 0});
        B.push_back(0x2C);
        word(F.Left);
        word(F.Top);
        word(F.Width);
        word(F.Height);
        B.push_back(0);
        // LZW with a minimum code size of 2: a clear code before every pixel keeps the codes
        // 3 bits wide, which every decoder accepts.
        B.push_back(2);
        std::vector<std::uint8_t> Data;
        unsigned Acc = 0;
        int Bits = 0;
        auto code = [&](unsigned Code) {
            Acc |= Code << Bits;
            Bits += 3;
            while (Bits >= 8) {
                Data.push_back(static_cast<std::uint8_t>(Acc & 0xFF));
                Acc >>= 8;
                Bits -= 8;
            }
        };
        for (int I = 0; I < F.Width * F.Height; ++I) {
            code(4);
            code(F.ColorIndex);
        }
        code(5);
        if (Bits > 0) Data.push_back(static_cast<std::uint8_t>(Acc & 0xFF));
        for (std::size_t Pos = 0; Pos < Data.size(); Pos += 255) {
            const std::size_t N = std::min<std::size_t>(255, Data.size() - Pos);
            B.push_back(static_cast<std::uint8_t>(N));
            B.insert(B.end(), Data.begin() + static_cast<long>(Pos), Data.begin() + static_cast<long>(Pos + N));
        }
        B.push_back(0);
    }
    B.push_back(0x3B);
    return B;
}
