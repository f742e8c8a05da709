// A fixture for controls that are clicked and painted in place: a 300 x 200 form holding a white
// panel without bevels at its top left, and the panel painted into a bitmap.
#pragma once

#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <memory>

// Where the mouse pointer is while a test runs: hover looks depend on it.
enum class TTestPointer { Real, FarAway };

class PanelFixture : public ::testing::Test {
protected:
    PanelFixture(int PanelWidth, TTestPointer Pointer) : FPanelWidth(PanelWidth), FPointer(Pointer) {}

    void SetUp() override {
        Form->SetBounds(0, 0, 300, 200);
        Panel = new TPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBounds(0, 0, FPanelWidth, 100);
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(clWhite);
        Panel->SetCaption(String());
        if (FPointer == TTestPointer::FarAway) Mouse->SetCursorPos(Point(-1000, -1000));
    }
    void TearDown() override {
        if (FPointer == TTestPointer::FarAway) Mouse->ResetCursorPos();
    }

    // The panel and what sits on it, as painted now.
    std::unique_ptr<TBitmap> render() {
        auto Bitmap = std::make_unique<TBitmap>(Panel->Width(), Panel->Height());
        Panel->PaintTo(Bitmap->Canvas(), 0, 0);
        return Bitmap;
    }

    // A 10 x 10 white glyph with the square From..To (both ways) filled with Fill.
    static std::unique_ptr<TBitmap> squareGlyph(TColor Fill, int From, int To) {
        auto G = std::make_unique<TBitmap>(10, 10);
        G->Canvas()->Brush()->SetColor(clWhite);
        G->Canvas()->FillRect(Rect(0, 0, 10, 10));
        G->Canvas()->Brush()->SetColor(Fill);
        G->Canvas()->FillRect(Rect(From, From, To, To));
        return G;
    }

    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TPanel* Panel = nullptr;

private:
    int FPanelWidth;
    TTestPointer FPointer;
};
