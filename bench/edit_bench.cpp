// Types 10,000 keys (digits, the decimal separator, Backspace) into a money edit with two
// decimals, limits and a change handler, through the key messages a keyboard sends; against the
// same keys typed into a QLineEdit whose regular-expression validator holds the same pattern, in
// the same run. Prints the ratio of the two times (goal: 2.0 or less).
#include "components/controls/AdvEdit.h"

#include "bench/BenchSupport.h"
#include "framework/rtl/FormatSettings.h"
#include "framework/ui/Forms.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

// "12345.67" typed and taken back (the money edit adds a group separator, a few Backspaces more
// find nothing to take): 20 keys, 500 times.
constexpr int kRounds = 500;
const char16_t kTyped[] = u"12345.67";
constexpr int kBackspaces = 12;

void BM_AdvEditMoney(benchmark::State& State) {
    TForm Form(nullptr);
    Form.SetBounds(100, 100, 300, 200);
    auto* Edit = new TAdvEdit(&Form);
    Edit->SetParent(&Form);
    Edit->SetBounds(10, 10, 200, 21);
    Edit->SetEditType(etMoney);
    Edit->SetAllowNumericNullValue(true);
    Edit->SetPrecision(2);
    Edit->SetMinFloatValue(0);
    Edit->SetMaxFloatValue(1e9);
    int Changes = 0;
    Edit->OnChange = [&Changes](TObject*) { ++Changes; };
    Form.HandleNeeded();
    const Char DS = FormatSettings.DecimalSeparator;
    for (auto _ : State) {
        Edit->SetText(String());
        for (int R = 0; R < kRounds; ++R) {
            for (const char16_t* P = kTyped; *P; ++P) {
                const Char C = *P == u'.' ? DS : Char(*P);
                Edit->Perform(WM_KEYDOWN, C == DS ? VK_DECIMAL : C.unicode(), 0);
                Edit->Perform(WM_CHAR, C.unicode(), 0);
            }
            for (int B = 0; B < kBackspaces; ++B) {
                Edit->Perform(WM_KEYDOWN, VK_BACK, 0);
                Edit->Perform(WM_CHAR, 8, 0);
            }
        }
    }
    if (!Edit->Text().isEmpty()) State.SkipWithError("the keys did not leave the money edit empty");
    benchmark::DoNotOptimize(Changes);
}

void BM_QLineEditValidator(benchmark::State& State) {
    QLineEdit Edit;
    const QString DS = QString(QChar(FormatSettings.DecimalSeparator));
    const QString TS = QRegularExpression::escape(QString(QChar(FormatSettings.ThousandSeparator)));
    const QRegularExpression Pattern(
        QStringLiteral("^(\\d{1,3}(%1\\d{3})*|\\d*)(%2\\d{0,2})?$").arg(TS, QRegularExpression::escape(DS)));
    QRegularExpressionValidator Validator(Pattern);
    Edit.setValidator(&Validator);
    int Changes = 0;
    QObject::connect(&Edit, &QLineEdit::textChanged, [&Changes] { ++Changes; });
    Edit.setGeometry(110, 110, 200, 21);
    Edit.show();
    const auto key = [&Edit](int Key, const QString& Text) {
        QKeyEvent Press(QEvent::KeyPress, Key, Qt::NoModifier, Text);
        QCoreApplication::sendEvent(&Edit, &Press);
        QKeyEvent Release(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
        QCoreApplication::sendEvent(&Edit, &Release);
    };
    for (auto _ : State) {
        Edit.clear();
        for (int R = 0; R < kRounds; ++R) {
            for (const char16_t* P = kTyped; *P; ++P) {
                const QString C = *P == u'.' ? DS : QString(QChar(*P));
                key(*P == u'.' ? Qt::Key_Period : Qt::Key_0 + (*P - u'0'), C);
            }
            for (int B = 0; B < kBackspaces; ++B) key(Qt::Key_Backspace, QString());
        }
    }
    if (!Edit.text().isEmpty()) State.SkipWithError("the keys did not leave the line edit empty");
    benchmark::DoNotOptimize(Changes);
}

BENCHMARK(BM_AdvEditMoney)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QLineEditValidator)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunRatioBenchmarks<QApplication>(argc, argv, "BM_AdvEditMoney", "BM_QLineEditValidator",
                                            "money edit / QLineEdit with a validator, 10,000 keys", "2.0 or less");
}
