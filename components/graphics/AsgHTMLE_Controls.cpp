// AsgHTMLE: reading and rewriting the CONTROL tags of a text. No drawing here.
#include "components/graphics/AsgHTMLE.h"

#include "framework/rtl/StrUtils.h"

#include <vector>

namespace AsgHTMLE {
namespace {

// Where one CONTROL tag lies in a text (0-based, Lt at its "<", Gt at its ">") and what it says.
struct TFoundControl {
    qsizetype Lt = 0;
    qsizetype Gt = 0;
    TControlTag Tag;
};

// Visits the controls in text order until Visit returns false. Each step starts after the last
// tag's ">", so the walk always ends; a "<CONTROL " without ">" ends it.
template <class F>
void forEachControl(const String& Text, F Visit) {
    qsizetype From = 0;
    while (From < Text.size()) {
        const qsizetype Lt = Text.indexOf(QLatin1String("<CONTROL "), From, Qt::CaseInsensitive);
        if (Lt < 0) return;
        const qsizetype Gt = Text.indexOf(u'>', Lt);
        if (Gt < 0) return;
        const TFoundControl Found{Lt, Gt, ParseControlTag(Text.mid(Lt + 1, Gt - Lt))};
        if (!Visit(Found)) return;
        From = Gt + 1;
    }
}

bool findControl(const String& Text, const String& ID, TFoundControl& Result) {
    bool Found = false;
    forEachControl(Text, [&](const TFoundControl& C) {
        if (C.Tag.ID != ID) return true;
        Result = C;
        Found = true;
        return false;
    });
    return Found;
}

String quoted(const String& Name, const String& Value) {
    return QLatin1Char(' ') + Name + QStringLiteral("=\"") + Value + QLatin1Char('"');
}

// The tag as SetControlValue writes it, without its "<".
String writeControlTag(const TControlTag& Tag, const String& Value) {
    String R = QStringLiteral("CONTROL") + quoted(QStringLiteral("ID"), Tag.ID) +
               quoted(QStringLiteral("VALUE"), EncodeHtmlEntities(Value, true)) +
               quoted(QStringLiteral("WIDTH"), Tag.Width) + quoted(QStringLiteral("TYPE"), Tag.Type);
    if (!Tag.Prop.isEmpty()) R += quoted(QStringLiteral("PROP"), EncodeHtmlEntities(Tag.Prop, true));
    if (!Tag.MaxLen.isEmpty()) R += quoted(QStringLiteral("MAXLEN"), Tag.MaxLen);
    if (!Tag.Height.isEmpty()) R += quoted(QStringLiteral("HEIGHT"), Tag.Height);
    return R + QLatin1Char('>');
}

// Text with the tag at C rewritten to hold Value.
String rewriteControl(const String& Text, const TFoundControl& C, const String& Value) {
    return Text.left(C.Lt + 1) + writeControlTag(C.Tag, Value) + Text.mid(C.Gt + 1);
}

// The value of Name (upper case, with its "="): between the first double quote after the name's
// first character and the next one.
String controlAttribute(const String& TagText, const String& Upper, const char* Name) {
    const qsizetype At = Upper.indexOf(QLatin1String(Name));
    if (At < 0) return {};
    const qsizetype Open = TagText.indexOf(u'"', At + 1);
    if (Open < 0) return {};
    const qsizetype Close = TagText.indexOf(u'"', Open + 1);
    if (Close < 0) return {};
    return TagText.mid(Open + 1, Close - Open - 1);
}

bool editable(const TControlTag& Tag) {
    return Tag.Type != QLatin1String("BUTTON") && Tag.Type != QLatin1String("CHECK") &&
           Tag.Type != QLatin1String("RADIO");
}

}  // namespace

TControlTag ParseControlTag(const String& TagText) {
    const String Upper = UpperCase(TagText);
    TControlTag Tag;
    Tag.Type = UpperCase(controlAttribute(TagText, Upper, "TYPE="));
    Tag.Width = controlAttribute(TagText, Upper, "WIDTH=");
    Tag.Height = controlAttribute(TagText, Upper, "HEIGHT=");
    Tag.ID = controlAttribute(TagText, Upper, "ID=");
    Tag.Value = DecodeHtmlEntities(controlAttribute(TagText, Upper, "VALUE="), true);
    Tag.Prop = DecodeHtmlEntities(controlAttribute(TagText, Upper, "PROP="), true);
    Tag.MaxLen = controlAttribute(TagText, Upper, "MAXLEN=");
    return Tag;
}

bool HasControlTag(const String& Text) { return Text.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive); }

String NextControlID(const String& Text, const String& CurrentID) {
    String Result;
    bool Passed = CurrentID.isEmpty();
    forEachControl(Text, [&](const TFoundControl& C) {
        if (!Passed) {
            Passed = C.Tag.ID == CurrentID;
            return true;
        }
        if (!editable(C.Tag)) return true;
        Result = C.Tag.ID;
        return false;
    });
    return Result;
}

String UncheckRadioControls(const String& Text) {
    // Rewritten tag by tag from the end, so the places of the earlier tags stay valid.
    std::vector<TFoundControl> Radios;
    forEachControl(Text, [&](const TFoundControl& C) {
        if (C.Tag.Type == QLatin1String("RADIO")) Radios.push_back(C);
        return true;
    });
    String Result = Text;
    for (auto It = Radios.rbegin(); It != Radios.rend(); ++It)
        Result = rewriteControl(Result, *It, QStringLiteral("FALSE"));
    return Result;
}

bool GetControlValue(const String& Text, const String& ID, String& Value) {
    TFoundControl C;
    if (!findControl(Text, ID, C)) return false;
    Value = C.Tag.Value;
    return true;
}

String GetControlProp(const String& Text, const String& ID) {
    TFoundControl C;
    return findControl(Text, ID, C) ? C.Tag.Prop : String();
}

int GetControlMaxLen(const String& Text, const String& ID) {
    TFoundControl C;
    return findControl(Text, ID, C) ? ValInteger(C.Tag.MaxLen) : 0;
}

bool SetControlValue(String& Text, const String& ID, const String& NewValue) {
    TFoundControl C;
    if (!findControl(Text, ID, C)) return false;
    Text = rewriteControl(Text, C, NewValue);
    return true;
}

}  // namespace AsgHTMLE
