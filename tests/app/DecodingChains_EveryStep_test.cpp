// Every step of every decoding chain on its own, and which steps ignore letter case: a step typed
// wrong, left out or run in the wrong case mode shows here by name.
#include "app/_mainUnit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Chain = String (*)(const String&);

struct Step {
    const char16_t* Search;
    const char16_t* Replace;
};

struct ChainSteps {
    const char* Name;
    Chain Decode;
    std::vector<Step> Steps;
};

const std::vector<ChainSteps>& chains() {
    static const std::vector<ChainSteps> Chains = {
        {"_decode_name",
         T_mainForm::_decode_name,
         {{u"&#039;", u"'"}, {u"&#39;", u"'"}, {u"&quot;", u"\""}, {u"&nbsp;", u" "}, {u"&amp;", u"&"}, {u"%0A", u""},
          {u"%25", u"%"},    {u"%22", u"\""},  {u"%26", u"&"},     {u"%27", u"'"},    {u"%5B", u"["},   {u"%20", u" "},
          {u"%5C", u""},     {u"%5D", u"]"},   {u"%3A", u":"},     {u"%2F", u"/"},    {u"%3F", u"?"},   {u"%3B", u";"},
          {u"%3D", u"="},    {u"%2C", u","},   {u"%2B", u"+"},     {u"%7B", u"{"},    {u"%7C", u"|"},   {u"%7D", u"}"},
          {u"\\\\", u""},    {u"\\/", u"/"}}},
        {"_decode_name_quillory",
         T_mainForm::_decode_name_quillory,
         {{u"\\u00255C", u""},
          {u"\\u00252F", u"/"},
          {u"\\u00253F", u"?"},
          {u"\\u00253D", u"="},
          {u"\\u002526", u"&"},
          {u"\\u00253A", u":"},
          {u"\\/", u"/"}}},
        {"_decode_name_break",
         T_mainForm::_decode_name_break,
         {{u"&#039;", u"'"}, {u"&#39;", u"'"}, {u"&quot;", u"\""}, {u"&nbsp;", u" "}, {u"&amp;", u"&"}, {u"%0a", u""},
          {u"%25", u"%"},    {u"%26", u"&"},   {u"%27", u"'"},     {u"%5b", u"["},    {u"%20", u" "},   {u"%5d", u"]"},
          {u"%3a", u":"},    {u"%2f", u"/"},   {u"%3f", u"?"},     {u"%3b", u";"},    {u"%3d", u"="},   {u"%2c", u","},
          {u"%2b", u"+"},    {u"%7c", u"|"},   {u"\\\\", u""}}},
        {"_decode_name_xtube",
         T_mainForm::_decode_name_xtube,
         {{u"&#039;", u"'"},
          {u"&#39;", u"'"},
          {u"&quot;", u"\""},
          {u"&nbsp;", u" "},
          {u"&amp;", u"&"},
          {u"%5B", u"["},
          {u"%20", u" "},
          {u"%5D", u"]"},
          {u"%3A", u":"},
          {u"%2F", u"/"},
          {u"%3F", u"?"},
          {u"%3B", u";"},
          {u"%3D", u"="},
          {u"%26", u"&"},
          {u"%2C", u","},
          {u"%7C", u"|"},
          {u"\\\\", u""},
          {u"\\/", u"/"}}},
        {"_decode_name_dailymotion",
         T_mainForm::_decode_name_dailymotion,
         {{u"&quot;", u"\""},
          {u"&nbsp;", u" "},
          {u"&amp;", u"&"},
          {u"%5B", u"["},
          {u"%20", u" "},
          {u"%5D", u"]"},
          {u"%3A", u":"},
          {u"%2F", u"/"},
          {u"%3F", u"?"},
          {u"%3D", u"="},
          {u"%26", u"&"},
          {u"%25", u"%"},
          {u"%5C", u""},
          {u"\\\\", u""}}},
        {"_decode_name_metacafe",
         T_mainForm::_decode_name_metacafe,
         {{u"&quot;", u"\""},
          {u"&nbsp;", u" "},
          {u"&amp;", u"&"},
          {u"%25", u"%"},
          {u"%7D", u"}"},
          {u"%5C", u"/"},
          {u"%22", u"\""},
          {u"%3A", u":"},
          {u"%2F", u"/"},
          {u"%3F", u"?"},
          {u"%3D", u"="},
          {u"%26", u"&"},
          {u"%2C", u","},
          {u"//", u"/"}}},
    };
    return Chains;
}

// Each search text, twice between neutral characters, comes out replaced both times.
TEST(DecodingChainSteps, EachStepReplacesEveryOccurrence) {
    for (const ChainSteps& C : chains()) {
        for (const Step& S : C.Steps) {
            const String Search = QString::fromUtf16(S.Search);
            const String Replace = QString::fromUtf16(S.Replace);
            const String In = QStringLiteral("<") + Search + QStringLiteral("|x") + Search + QStringLiteral(">");
            const String Out = QStringLiteral("<") + Replace + QStringLiteral("|x") + Replace + QStringLiteral(">");
            EXPECT_EQ(C.Decode(In), Out) << C.Name << " step \"" << Search.toStdString() << "\"";
        }
    }
}

// Only the first step of a chain ignores letter case.
TEST(DecodingChainSteps, OnlyTheFirstStepIgnoresCase) {
    const struct {
        const char* Name;
        Chain Decode;
        const char16_t* In;
        const char16_t* Out;
    } Cases[] = {
        {"name: second step keeps case", T_mainForm::_decode_name, u"&#39;&Amp;", u"'&Amp;"},
        {"quillory: first step ignores case", T_mainForm::_decode_name_quillory, u"a\\U00255Cb", u"ab"},
        {"quillory: second step keeps case", T_mainForm::_decode_name_quillory, u"a\\U00252Fb", u"a\\U00252Fb"},
        {"break: later steps keep case", T_mainForm::_decode_name_break, u"%0A%5B%3D", u"%0A%5B%3D"},
        {"break: first step", T_mainForm::_decode_name_break, u"&#039;", u"'"},
        {"xtube: later steps keep case", T_mainForm::_decode_name_xtube, u"&NBSP;%3d", u"&NBSP;%3d"},
        {"dailymotion: first step ignores case", T_mainForm::_decode_name_dailymotion, u"&QUOT;&Quot;", u"\"\""},
        {"dailymotion: second step keeps case", T_mainForm::_decode_name_dailymotion, u"&NBSP;", u"&NBSP;"},
        {"metacafe: first step ignores case", T_mainForm::_decode_name_metacafe, u"&QuOt;", u"\""},
        {"metacafe: second step keeps case", T_mainForm::_decode_name_metacafe, u"&AMP;", u"&AMP;"},
    };
    for (const auto& C : Cases) EXPECT_EQ(C.Decode(QString::fromUtf16(C.In)), QString::fromUtf16(C.Out)) << C.Name;
}

// The steps run in their order: a later step sees what an earlier one made, never the reverse.
TEST(DecodingChainSteps, StepsRunInTheirOrder) {
    const struct {
        const char* Name;
        Chain Decode;
        const char16_t* In;
        const char16_t* Out;
    } Cases[] = {
        // "&amp;" (step 5) makes "&quot;" only after step 3 has run.
        {"name: entity made late stays", T_mainForm::_decode_name, u"&amp;quot;", u"&quot;"},
        // "%25" twice: a triply escaped percent keeps one escape.
        {"name: percent twice", T_mainForm::_decode_name, u"%252525", u"%25"},
        {"name: percent twice, then ampersand", T_mainForm::_decode_name, u"%252526", u"&"},
        // "%5C" drops a backslash before the slash step sees it.
        {"name: backslash escape dropped", T_mainForm::_decode_name, u"%5C/", u"/"},
        // Two backslashes vanish before the backslash-slash step: "\\\/" keeps the last pair.
        {"name: backslashes then slash", T_mainForm::_decode_name, u"\\\\\\/", u"/"},
        // Dailymotion decodes "%25" late: "%2526" stays "%26".
        {"dailymotion: percent late", T_mainForm::_decode_name_dailymotion, u"%252F", u"%2F"},
        // Metacafe decodes "%25" early: "%252F" becomes "/".
        {"metacafe: percent early", T_mainForm::_decode_name_metacafe, u"%252F", u"/"},
        {"metacafe: slashes joined last", T_mainForm::_decode_name_metacafe, u"%2F%2F", u"/"},
        {"quillory: escaped slash then slash", T_mainForm::_decode_name_quillory, u"\\u00252F\\/", u"//"},
    };
    for (const auto& C : Cases) EXPECT_EQ(C.Decode(QString::fromUtf16(C.In)), QString::fromUtf16(C.Out)) << C.Name;
}

}  // namespace
