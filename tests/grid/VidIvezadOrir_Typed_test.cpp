// Typed cells under two locales (integers and floats from display texts, the error texts, dates
// with and without null dates), cell images, control values, headers, formats of rectangles,
// highlighting round trips, the checker pass, the fills and a column's distinct values.
#include "components/graphics/AdvUtilExchange.h"
#include "components/grid/GridControls.h"
#include "components/grid/VidIvezadOrir.h"
#include "framework/rtl/DateUtils.h"
#include "framework/rtl/StringList.h"
#include "framework/ui/ImgList.h"
#include "tests/grid/GridTestOwner.h"
#include "tests/support/TwoLocales.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TGridPtr newGrid() {
    TGridPtr G(new TVidIvezadOrir(nullptr));
    G->SetColCount(5);
    G->SetRowCount(6);
    return G;
}

// "{T}" and "{D}" stand for the locale's thousands and decimal separators.
String inLocale(const char* Text, const TFormatSettings& FS) {
    String S = QString::fromUtf8(Text);
    S.replace(QStringLiteral("{T}"), QString(FS.ThousandSeparator));
    S.replace(QStringLiteral("{D}"), QString(FS.DecimalSeparator));
    return S;
}

String errorOf(const std::function<void()>& Read) {
    try {
        Read();
    } catch (const Exception& E) {
        return E.Message();
    }
    return String();
}

TEST(TypedCells, IntsUnderBothLocales) {
    struct Case {
        const char* Text;
        int Value;
    } Cases[] = {{"", 0},        {"-", 0},          {" 12 ", 12}, {"<b>7</b>", 7}, {"2{D}5", 2},         {"3{D}5", 4},
                 {"-2{D}5", -2}, {"1{T}234", 1234}, {"$1F", 31},  {"-40", -40},    {"1{T}234{D}5", 1234}};
    for (int L = 0; L < 2; ++L) {
        FormatSettingsScope Scope(TwoLocalesSettings(L));
        auto G = newGrid();
        for (const Case& C : Cases) {
            G->SetCellEx(1, 1, inLocale(C.Text, FormatSettings));
            EXPECT_EQ(G->GetInts(1, 1), C.Value) << L << " '" << C.Text << "'";
        }
        for (const char* Bad : {"abc", "12a", "1{D}2{D}3"}) {
            G->SetCellEx(1, 1, inLocale(Bad, FormatSettings));
            EXPECT_EQ(errorOf([&] { G->GetInts(1, 1); }), QStringLiteral("Cell does not contain integer value")) << Bad;
        }
        G->SetInts(2, 2, -17);
        EXPECT_EQ(G->GetCellEx(2, 2), QStringLiteral("-17"));
    }
}

TEST(TypedCells, FloatsUnderBothLocales) {
    struct Case {
        const char* Text;
        double Value;
    } Cases[] = {{"", 0},
                 {"-", 0},
                 {"  ", 0},
                 {"<b></b>", 0},
                 {"(1{T}234{D}50)", -1234.5},
                 {"$ 12", 12},
                 {"<i>2{D}5</i>", 2.5},
                 {"-3", -3},
                 {"1{T}000{T}000", 1e6},
                 {" 7{D}25 ", 7.25}};
    for (int L = 0; L < 2; ++L) {
        FormatSettingsScope Scope(TwoLocalesSettings(L));
        auto G = newGrid();
        for (const Case& C : Cases) {
            G->SetCellEx(1, 1, inLocale(C.Text, FormatSettings));
            EXPECT_DOUBLE_EQ(G->GetFloats(1, 1), C.Value) << L << " '" << C.Text << "'";
        }
        // A text with no number in it is no 0.
        for (const char* Bad : {"1e", "abc", "n/a", "$", "<b>x</b>"}) {
            G->SetCellEx(1, 1, QString::fromUtf8(Bad));
            EXPECT_EQ(errorOf([&] { G->GetFloats(1, 1); }), QStringLiteral("Cell does not contain a float value"))
                << L << " '" << Bad << "'";
            EXPECT_EQ(errorOf([&] { G->GetAllFloats(1, 1); }), QStringLiteral("Cell does not contain a float value"))
                << L << " '" << Bad << "'";
        }
        G->SetFloats(2, 2, 3.14159);
        EXPECT_EQ(G->GetCellEx(2, 2), inLocale("3{D}14", FormatSettings)) << "through FloatFormat";
        EXPECT_DOUBLE_EQ(G->GetFloats(2, 2), 3.14);
    }
}

TEST(TypedCells, HiddenRowsAreReadByRealRow) {
    auto G = newGrid();
    G->SetAllInts(1, 3, 9);
    G->SetAllFloats(2, 3, 1.5);
    G->HideRow(3);
    EXPECT_EQ(G->GetAllInts(1, 3), 9);
    EXPECT_DOUBLE_EQ(G->GetAllFloats(2, 3), 1.5);
    G->SetAllInts(1, 3, 11);
    G->UnHideRow(3);
    EXPECT_EQ(G->GetInts(1, 3), 11);
    G->SetCellEx(1, 4, QStringLiteral("x"));
    EXPECT_EQ(errorOf([&] { G->GetAllInts(1, 4); }), QStringLiteral("Cell does not contain integer value"));
}

TEST(TypedCells, DatesAndNullDates) {
    for (int L = 0; L < 2; ++L) {
        FormatSettingsScope Scope(TwoLocalesSettings(L));
        auto G = newGrid();
        G->SetShowNullDates(false);
        G->SetCellEx(1, 1, QStringLiteral("old"));
        G->SetDates(1, 1, 0);
        EXPECT_EQ(G->GetCellEx(1, 1), String());
        G->SetShowNullDates(true);
        G->SetDates(1, 1, 0);
        EXPECT_EQ(G->GetCellEx(1, 1), L == 0 ? QStringLiteral("30/12/1899") : QStringLiteral("12/30/1899"));
        const TDateTime Day = EncodeDate(2026, 3, 4);
        G->SetDates(1, 2, Day + 0.75);
        EXPECT_EQ(G->GetDates(1, 2), Day);
        G->SetTimes(1, 3, Day + 0.75);
        EXPECT_NEAR(G->GetTimes(1, 3), 0.75, 1e-6);
        G->SetCellEx(1, 4, QStringLiteral("not a date"));
        EXPECT_THROW(G->GetDates(1, 4), EConvertError);
    }
}

TEST(TypedCells, CellImagesAndControlValues) {
    auto G = newGrid();
    EXPECT_EQ(G->GetCellImageIdx(1, 1), -1) << "plain text";
    G->CreateCellGraphic(1, 1)->SetImageIdx(4, haLeft, vaTop);
    EXPECT_EQ(G->GetCellImageIdx(1, 1), 4);
    TBitmap Bmp;
    G->CreateCellGraphic(1, 2)->SetBitmap(&Bmp, false, haLeft, vaTop);
    const int Id = G->GetCellImageIdx(1, 2);
    EXPECT_GT(Id, 0);
    EXPECT_EQ(G->GetCellImageIdx(1, 2), Id) << "stable";
    EXPECT_EQ(G->GetCellImages(1, 2), nullptr);
    G->SetCellEx(2, 2, QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"a\" WIDTH=\"40\">"));
    EXPECT_EQ(G->GetCtrlVal(2, 2, QStringLiteral("e1")), QStringLiteral("a"));
    G->SetCtrlVal(2, 2, QStringLiteral("e1"), QStringLiteral("b<c"));
    EXPECT_EQ(G->GetCtrlVal(2, 2, QStringLiteral("e1")), QStringLiteral("b<c"));
    const String Before = G->GetCellEx(2, 2);
    G->SetCtrlVal(2, 2, QStringLiteral("none"), QStringLiteral("x"));
    EXPECT_EQ(G->GetCellEx(2, 2), Before);
    EXPECT_EQ(G->GetCtrlVal(2, 2, QStringLiteral("none")), String());
}

TEST(TypedCells, PrintWidthsHeadersAndLookups) {
    auto G = newGrid();
    G->MaxWidths = {10, 20, 30, 40, 50};
    G->Indents = {0, 10, 30, 60, 100};
    EXPECT_EQ(G->GetPrintColWidth(2), 30);
    EXPECT_EQ(G->GetPrintColOffset(4), 100);
    for (int Bad : {-1, 5})
        EXPECT_EQ(errorOf([&] { G->GetPrintColWidth(Bad); }), QStringLiteral("Columns is not in valid range"));
    TStringList Headers;
    Headers.Add(QStringLiteral("Name"));
    Headers.Add(QStringLiteral("Two\\nlines"));
    G->SetCellEx(3, 0, QStringLiteral("stale"));
    G->SetColumnHeaders(&Headers);
    EXPECT_EQ(G->GetCellEx(0, 0), QStringLiteral("Name"));
    EXPECT_EQ(G->GetCellEx(1, 0), UnescapeLineBreaks(QStringLiteral("Two\\nlines")));
    EXPECT_EQ(G->GetCellEx(3, 0), String());
    G->ColumnHeaders()->Add(QStringLiteral("Third"));
    EXPECT_EQ(G->GetCellEx(2, 0), QStringLiteral("Third")) << "the list's change shows";
    G->RowHeaders()->Add(QStringLiteral("r0"));
    G->RowHeaders()->Add(QStringLiteral("r1"));
    EXPECT_EQ(G->GetCellEx(0, 1), QStringLiteral("r1"));
    G->SetLookupItems(nullptr);
    G->SetLookupItems(&Headers);
    EXPECT_EQ(G->LookupItems()->Count(), 2);
}

TEST(TypedCells, FormatsOfRectangles) {
    auto G = newGrid();
    const TGridRect R{1, 1, 2, 3};
    EXPECT_FALSE(G->IsFontStyle(R, fsItalic));
    G->SetFontStyle(R, fsItalic, true);
    EXPECT_TRUE(G->IsFontStyle(R, fsItalic));
    G->SetFontStyle(TGridRect{2, 3, 2, 3}, fsItalic, false);
    EXPECT_FALSE(G->IsFontStyle(R, fsItalic));
    EXPECT_TRUE(G->IsFontStyle(TGridRect{3, 1, 2, 1}, fsBold)) << "an empty rectangle";
    EXPECT_FALSE(G->HasCellProperties(3, 1)) << "and it changes nothing";
    G->SetAlignment(R, taCenter);
    EXPECT_TRUE(G->IsAlignment(R, taCenter));
    EXPECT_TRUE(G->IsAlignment(TGridRect{1, 3, 1, 2}, taRightJustify));
    G->SetCellColor(R, clRed);
    G->SetCellTextColor(R, clBlue);
    G->SetCellFontName(R, QStringLiteral("Arial"));
    G->SetCellFontSize(R, 12);
    EXPECT_EQ(G->GetColors(2, 2), clRed);
    EXPECT_EQ(G->GetFontColors(1, 3), clBlue);
    EXPECT_EQ(G->GetFontNames(2, 1), QStringLiteral("Arial"));
    EXPECT_EQ(G->GetFontSizes(1, 1), 12);
}

TEST(TypedCells, HighlightAndMarkRoundTrips) {
    auto G = newGrid();
    G->SetCellEx(1, 1, QStringLiteral("Fish & chips"));
    G->SetCellEx(2, 1, QStringLiteral("nothing here"));
    G->HilightInRow(false, false, 1, QStringLiteral("CHIPS"));
    EXPECT_NE(G->GetCellEx(1, 1), QStringLiteral("Fish & chips"));
    EXPECT_TRUE(G->GetCellEx(1, 1).contains(QStringLiteral("chips</HI>"), Qt::CaseInsensitive));
    EXPECT_EQ(G->GetCellEx(2, 1), QStringLiteral("nothing here")) << "untouched without an occurrence";
    G->UnHilightInRow(false, 1);
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("Fish & chips"));
    G->HilightInCell(true, 1, 1, QStringLiteral("CHIPS"));
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("Fish & chips")) << "case-sensitive: no match";
    G->MarkInGrid(false, false, QStringLiteral("fish"));
    EXPECT_TRUE(G->GetCellEx(1, 1).contains(QStringLiteral("<E>"), Qt::CaseInsensitive));
    G->UnMarkInGrid(false);
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("Fish & chips"));
    EXPECT_EQ(G->UnHilightText(G->HilightText(false, QStringLiteral("a b a"), QStringLiteral("a"))),
              QStringLiteral("a b a"));
}

// A checker that upper-cases, marks by brackets and cancels after a number of cells.
class TFakeChecker : public TVidIvezadOrirCheck {
public:
    using TVidIvezadOrirCheck::TVidIvezadOrirCheck;
    int CancelAfter = 1000;
    int Checked = 0;
    std::vector<String> Marked;
    void StartCheck() override { SetLastResult(1); }
    String Correct(int, int, const String& S) override { return S.toUpper(); }
    String MarkError(int, int, const String& S) override {
        Marked.push_back(S);
        if (++Checked >= CancelAfter) SetLastResult(2);
        return S.contains(u'X') ? u'[' + S + u']' : S;
    }
};

TEST(TypedCells, TheCheckerPassStopsWhenCancelled) {
    auto G = newGrid();
    EXPECT_TRUE(G->CheckGrid(false)) << "no checker";
    auto* Checker = new TFakeChecker(nullptr);
    G->SetCellChecker(Checker);
    Checker->SetUseCorrect(true);
    Checker->SetUseMarkError(true);
    G->SetCellEx(1, 1, QStringLiteral("ok"));
    G->SetCellEx(2, 1, QStringLiteral("x"));
    EXPECT_FALSE(G->CheckCell(1, 1));
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("OK"));
    EXPECT_EQ(Checker->Marked.back(), QStringLiteral("OK")) << "the marks see the corrected text";
    EXPECT_TRUE(G->CheckCell(1, 1)) << "nothing left to correct";
    Checker->CancelAfter = Checker->Checked + 2;
    Checker->Marked.clear();
    EXPECT_FALSE(G->CheckRow(false, 1));
    EXPECT_EQ(Checker->Marked.size(), 2u) << "the walk stops at the cancel";
    EXPECT_EQ(G->GetCellEx(2, 1), QStringLiteral("[X]"));
    G->SetCellChecker(nullptr);
    Checker->Free();
}

TEST(TypedCells, FillsAndDistinctValues) {
    auto G = newGrid();
    G->LinearFill(false);
    EXPECT_EQ(G->GetCellEx(1, 1), QStringLiteral("1:1"));
    EXPECT_EQ(G->GetCellEx(4, 5), QStringLiteral("4:5"));
    EXPECT_EQ(G->GetCellEx(0, 0), String());
    G->FormatFill(true, QStringLiteral("%d-%d"));
    EXPECT_EQ(G->GetCellEx(0, 0), QStringLiteral("0-0"));
    G->RandomFill(false, 3);
    for (int r = 1; r < 6; ++r) {
        const int v = G->GetInts(2, r);
        EXPECT_TRUE(v >= 0 && v < 3) << v;
    }
    G->TextFill(false, QStringLiteral("t"));
    EXPECT_EQ(G->GetCellEx(3, 3), QStringLiteral("t"));
    const char* Column[] = {"a", "A", "b", " b ", "b"};
    for (int r = 1; r < 6; ++r) G->SetCellEx(1, r, QString::fromUtf8(Column[r - 1]));
    G->HideRow(4);
    std::unique_ptr<TStrings, TFree> Values(G->DistinctValues(1, false));
    ASSERT_EQ(Values->Count(), 2);
    EXPECT_EQ(Values->Strings(0), QStringLiteral("a"));
    EXPECT_EQ(Values->Strings(1), QStringLiteral("b"));
}

}  // namespace
