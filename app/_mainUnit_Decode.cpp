// The text decoding chains: each a fixed, ordered list of replacements. The first step of every
// chain ignores letter case, the later ones do not; each step replaces every occurrence in the
// result of the step before, and never looks at its own replacements again.
#include "app/_mainUnit.h"

namespace {

struct TStep {
    const char16_t* Search;
    const char16_t* Replace;
};

template <std::size_t N>
String runChain(const TStep (&Steps)[N], const String& Name) {
    String Result = Name;
    for (std::size_t i = 0; i < N; ++i)
        Result.replace(QString::fromUtf16(Steps[i].Search), QString::fromUtf16(Steps[i].Replace),
                       i == 0 ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return Result;
}

// Titles.
constexpr TStep kDecodeName[] = {
    {u"&#039;", u"'"}, {u"&#39;", u"'"}, {u"&quot;", u"\""}, {u"&nbsp;", u" "}, {u"&amp;", u"&"}, {u"%0A", u""},
    {u"%25", u"%"},    {u"%25", u"%"},   {u"%22", u"\""},    {u"%26", u"&"},    {u"%27", u"'"},   {u"%5B", u"["},
    {u"%20", u" "},    {u"%5C", u""},    {u"%5D", u"]"},     {u"%3A", u":"},    {u"%2F", u"/"},   {u"%3F", u"?"},
    {u"%3B", u";"},    {u"%3D", u"="},   {u"%26", u"&"},     {u"%2C", u","},    {u"%2B", u"+"},   {u"%7B", u"{"},
    {u"%7C", u"|"},    {u"%7D", u"}"},   {u"\\\\", u""},     {u"\\/", u"/"},
};
static_assert(std::size(kDecodeName) == 28);

// Media addresses of the Quillory site.
constexpr TStep kDecodeQuillory[] = {
    {u"\\u00255C", u""},  {u"\\u00252F", u"/"}, {u"\\u00253F", u"?"}, {u"\\u00253D", u"="},
    {u"\\u002526", u"&"}, {u"\\u00253A", u":"}, {u"\\/", u"/"},
};
static_assert(std::size(kDecodeQuillory) == 7);

constexpr TStep kDecodeBreak[] = {
    {u"&#039;", u"'"}, {u"&#39;", u"'"}, {u"&quot;", u"\""}, {u"&nbsp;", u" "}, {u"&amp;", u"&"}, {u"%0a", u""},
    {u"%25", u"%"},    {u"%25", u"%"},   {u"%26", u"&"},     {u"%27", u"'"},    {u"%5b", u"["},   {u"%20", u" "},
    {u"%5d", u"]"},    {u"%3a", u":"},   {u"%2f", u"/"},     {u"%3f", u"?"},    {u"%3b", u";"},   {u"%3d", u"="},
    {u"%26", u"&"},    {u"%2c", u","},   {u"%2b", u"+"},     {u"%7c", u"|"},    {u"\\\\", u""},
};
static_assert(std::size(kDecodeBreak) == 23);

constexpr TStep kDecodeXtube[] = {
    {u"&#039;", u"'"}, {u"&#39;", u"'"}, {u"&quot;", u"\""}, {u"&nbsp;", u" "}, {u"&amp;", u"&"}, {u"%5B", u"["},
    {u"%20", u" "},    {u"%5D", u"]"},   {u"%3A", u":"},     {u"%2F", u"/"},    {u"%3F", u"?"},   {u"%3B", u";"},
    {u"%3D", u"="},    {u"%26", u"&"},   {u"%2C", u","},     {u"%7C", u"|"},    {u"\\\\", u""},   {u"\\/", u"/"},
};
static_assert(std::size(kDecodeXtube) == 18);

constexpr TStep kDecodeDailymotion[] = {
    {u"&quot;", u"\""}, {u"&nbsp;", u" "}, {u"&amp;", u"&"}, {u"%5B", u"["}, {u"%20", u" "},
    {u"%5D", u"]"},     {u"%3A", u":"},    {u"%2F", u"/"},   {u"%3F", u"?"}, {u"%3D", u"="},
    {u"%26", u"&"},     {u"%25", u"%"},    {u"%5C", u""},    {u"\\\\", u""},
};
static_assert(std::size(kDecodeDailymotion) == 14);

constexpr TStep kDecodeMetacafe[] = {
    {u"&quot;", u"\""}, {u"&nbsp;", u" "}, {u"&amp;", u"&"}, {u"%25", u"%"}, {u"%7D", u"}"},
    {u"%5C", u"/"},     {u"%22", u"\""},   {u"%3A", u":"},   {u"%2F", u"/"}, {u"%3F", u"?"},
    {u"%3D", u"="},     {u"%26", u"&"},    {u"%2C", u","},   {u"//", u"/"},
};
static_assert(std::size(kDecodeMetacafe) == 14);

}  // namespace

String T_mainForm::_decode_name(const String& name) { return runChain(kDecodeName, name); }
String T_mainForm::_decode_name_quillory(const String& name) { return runChain(kDecodeQuillory, name); }
String T_mainForm::_decode_name_break(const String& name) { return runChain(kDecodeBreak, name); }
String T_mainForm::_decode_name_xtube(const String& name) { return runChain(kDecodeXtube, name); }
String T_mainForm::_decode_name_dailymotion(const String& name) { return runChain(kDecodeDailymotion, name); }
String T_mainForm::_decode_name_metacafe(const String& name) { return runChain(kDecodeMetacafe, name); }

const TEntryTextRoutines EntryText = {&T_mainForm::_decode_name, &T_mainForm::_decode_name_quillory,
                                      &T_mainForm::RandomString, &T_mainForm::TimeToSec};
