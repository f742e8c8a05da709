// A fixture for the typed edits: a 400 x 240 form (never shown) holding an edit with a window,
// the program-wide separators of one of the two test locales, and helpers that type, press
// keys and render as a user's input and the screen would.
#pragma once

#include "components/controls/AdvEdit.h"
#include "framework/ui/Forms.h"
#include "tests/support/TwoLocales.h"

#include <gtest/gtest.h>

#include <memory>

class EditFixture : public ::testing::Test {
protected:
    void SetUp() override { Form->SetBounds(0, 0, 400, 240); }

    // An edit of class T on the form at (100, 50), 150 x 21, with its window.
    template <class T = TAdvEdit>
    T* newEdit() {
        auto* E = new T(Form.get());
        E->SetParent(Form.get());
        E->SetBounds(100, 50, 150, 21);
        E->HandleNeeded();
        return E;
    }

    // Selects Locale (TwoLocalesSettings): 0 groups with "." and decimals with ",", 1 the reverse.
    void useLocale(int Locale) { Locales = std::make_unique<FormatSettingsScope>(TwoLocalesSettings(Locale)); }
    // A text written with "," grouping and "." decimals, in the separators of the locale now.
    static String L(const char* Text) {
        String S = String::fromUtf8(Text);
        for (QChar& C : S) {
            if (C == u'.')
                C = u'\x01';
            else if (C == u',')
                C = FormatSettings.ThousandSeparator;
        }
        S.replace(u'\x01', FormatSettings.DecimalSeparator);
        return S;
    }

    static void type(TWinControl* E, const String& Text) {
        for (QChar C : Text) E->Perform(WM_CHAR, C.unicode(), 0);
    }
    static void key(TWinControl* E, Word VK) { E->Perform(WM_KEYDOWN, VK, 0); }
    static void caret(TAdvEdit* E, int Anchor, int Caret) {
        E->Perform(EM_SETSEL, static_cast<WPARAM>(Anchor), static_cast<LPARAM>(Caret));
    }
    static String window(TCustomEdit* E) { return E->TCustomEdit::Text(); }

    std::unique_ptr<TBitmap> render(TWinControl* C) {
        auto B = std::make_unique<TBitmap>(C->Width(), C->Height());
        C->PaintTo(B->Canvas(), 0, 0);
        return B;
    }

    std::unique_ptr<FormatSettingsScope> Locales;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
};
