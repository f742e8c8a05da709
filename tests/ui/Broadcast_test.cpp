#include "framework/ui/Controls.h"
#include "framework/ui/ExtCtrls.h"
#include "framework/ui/Forms.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kProbe = WM_USER + 77;
std::vector<String> gHeard;

// Notes the probe message; answers it with Answer.
template <class Base>
class TListener : public Base {
public:
    TListener(TComponent* AOwner, const char* Name, LRESULT Answer) : Base(AOwner), FName(Name), FAnswer(Answer) {}

protected:
    void WndProc(TMessage& Message) override {
        if (Message.Msg == kProbe) {
            gHeard.push_back(QLatin1String(FName));
            Message.Result = FAnswer;
            return;
        }
        Base::WndProc(Message);
    }

private:
    const char* FName;
    LRESULT FAnswer;
};

TEST(Broadcast, ReachesTheDirectChildrenUntilOneAnswers) {
    gHeard.clear();
    TForm Form(nullptr);
    auto add = [&](TControl* C) {
        C->SetParent(&Form);
        return C;
    };
    add(new TListener<TGraphicControl>(&Form, "graphic", 0));
    auto* Windowed = static_cast<TWinControl*>(add(new TListener<TPanel>(&Form, "windowed", 0)));
    auto* Nested = new TListener<TGraphicControl>(&Form, "nested", 0);
    Nested->SetParent(Windowed);
    auto* Answering = add(new TListener<TGraphicControl>(&Form, "answering", 5));
    add(new TListener<TGraphicControl>(&Form, "after", 0));

    // Children in the parent's control order (graphic controls before windowed ones).
    TMessage Message{kProbe, 1, 2, 0};
    Form.Broadcast(Message);
    EXPECT_EQ(gHeard, (std::vector<String>{QStringLiteral("graphic"), QStringLiteral("answering")}));
    EXPECT_EQ(Message.Result, 5);

    // Without an answer every child hears it, and the children's children do not.
    gHeard.clear();
    Answering->Free();
    TMessage Again{kProbe, 0, 0, 0};
    Form.Broadcast(Again);
    EXPECT_EQ(gHeard,
              (std::vector<String>{QStringLiteral("graphic"), QStringLiteral("after"), QStringLiteral("windowed")}));
    EXPECT_EQ(Again.Result, 0);
}

}  // namespace
