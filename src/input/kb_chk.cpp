#include "input/kb_chk.h"
#include "input/field_lookup.h"
#include "platform/forms/form.h"
#include "platform/forms/keys.h"
#include "shell/default_property.h"
#include "shell/workarea.h"

namespace KB_CHK {

namespace {

// Classes "3" to "D": digits plus the listed characters.
struct KeyRule {
    const char* cls;
    const char* extra;
};
constexpr KeyRule kRules[] = {
    {"3", ""},   {"4", "-"},   {"5", "."}, {"6", ","}, {"7", "-."}, {"8", "-,"},
    {"9", ".,"}, {"A", "-,."}, {"B", "/"}, {"C", ":"}, {"D", "/:"},
};

bool accepts(const KeyRule& rule, int key) {
    if (key >= '0' && key <= '9') return true;
    for (const char* p = rule.extra; *p; ++p)
        if (key == *p) return true;
    return false;
}

void refuseIfPresent(int& KeyAscii, QChar c) {
    if (!workarea::g_Form) return;
    if (shell::defaultText(workarea::g_Form->activeControl()).contains(c)) KeyAscii = 0;
}

} // namespace

void Chk_Minus(int& KeyAscii) {
    refuseIfPresent(KeyAscii, u'-');
}

void Chk_Period(int& KeyAscii) {
    refuseIfPresent(KeyAscii, u'.');
}

void Chk_KeyPress(int& KeyAscii) {
    if (KeyAscii == forms::kKeyBackspace || KeyAscii == forms::kKeyEnter) return;
    const int i = input::currentField();
    if (i < 0 || i >= static_cast<int>(workarea::g_FieldClass.size())) return;

    QString& cls = workarea::g_FieldClass[i];
    if (cls.isEmpty()) cls = QStringLiteral("2"); // the class sticks from now on
    const QChar first = cls.front();
    if (first == u'1') return;
    if (first == u'2') {
        // Quotes and commas would break the statements built from field texts.
        if (KeyAscii == '\'' || KeyAscii == '"' || KeyAscii == ',') KeyAscii = 0;
        if (cls.back() == u'U' && KeyAscii >= 'a' && KeyAscii <= 'z')
            KeyAscii -= 32;
        else if (cls.back() == u'L' && KeyAscii >= 'A' && KeyAscii <= 'Z')
            KeyAscii += 32;
        return;
    }
    for (const KeyRule& rule : kRules) {
        if (cls != QLatin1String(rule.cls)) continue;
        if (!accepts(rule, KeyAscii)) {
            KeyAscii = 0;
            return;
        }
        if (KeyAscii == '-') Chk_Minus(KeyAscii);
        if (KeyAscii == '.') Chk_Period(KeyAscii);
        return;
    }
}

} // namespace KB_CHK
