#include "shell/appearance.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "platform/vbrt/vbrt.h"
#include "shell/workarea.h"
#include <cmath>

using namespace workarea;

namespace appearance {
namespace {

struct StyleFailure {};

struct Style {
    double backColor;
    const QString& bold;
    const QString& italic;
    const QString& name;
    const QString& size;
    const QString& strikethru;
    const QString& underline;
    double foreColor;
};

uint32_t colorOrFail(double value) {
    auto c = oleColor(value);
    if (!c) throw StyleFailure{};
    return *c;
}

bool boolOrFail(const QString& value) {
    auto b = vbrt::toBoolean(value);
    if (!b) throw StyleFailure{};
    return *b;
}

// The properties in the order the original set them, so a failure leaves the earlier ones set.
void apply(forms::Control& c, const Style& s) {
    c.setBackColor(colorOrFail(s.backColor));
    c.setFontBold(boolOrFail(s.bold));
    c.setFontItalic(boolOrFail(s.italic));
    if (!c.setFontName(s.name)) throw StyleFailure{};
    auto size = vbrt::toDouble(s.size);
    if (!size || !c.setFontSize(*size)) throw StyleFailure{};
    c.setFontStrikethru(boolOrFail(s.strikethru));
    c.setFontUnderline(boolOrFail(s.underline));
    c.setForeColor(colorOrFail(s.foreColor));
}

} // namespace

std::optional<uint32_t> oleColor(double value) {
    double rounded = std::nearbyint(value); // half to even, as the 32-bit conversion rounds
    if (!std::isfinite(rounded) || rounded < -2147483648.0 || rounded > 4294967295.0)
        return std::nullopt;
    if (rounded < 0) return static_cast<uint32_t>(static_cast<int32_t>(rounded));
    return static_cast<uint32_t>(rounded);
}

bool Set_Style() {
    try {
        forms::Form& form = *g_Form;
        form.load();
        auto back = vbrt::toLong(g_FormBackColor);
        if (!back) throw StyleFailure{};
        form.setBackColor(static_cast<uint32_t>(*back));
        const Style text{g_TextBackColor,     g_TextFontBold, g_TextFontItalic,
                         g_TextFontName,      g_TextFontSize, g_TextFontStrikethru,
                         g_TextFontUnderline, g_TextForeColor};
        const Style label{g_LabelBackColor,     g_LabelFontBold, g_LabelFontItalic,
                          g_LabelFontName,      g_LabelFontSize, g_LabelFontStrikethru,
                          g_LabelFontUnderline, g_LabelForeColor};
        const Style title{g_TitleBackColor,     g_TitleFontBold, g_TitleFontItalic,
                          g_TitleFontName,      g_TitleFontSize, g_TitleFontStrikethru,
                          g_TitleFontUnderline, g_TitleForeColor};
        for (forms::Control* c : form.controls()) {
            if (c->kind() == forms::ControlKind::TextBox) {
                apply(*c, text);
            } else if (c->kind() == forms::ControlKind::Label) {
                const QString prefix = c->name().left(4);
                if (prefix == QLatin1String("lbl_") || prefix == QLatin1String("OPR_"))
                    apply(*c, label);
                else if (prefix == QLatin1String("tit_"))
                    apply(*c, title);
            }
        }
        return true;
    } catch (const StyleFailure&) {
        forms::MsgBox(QStringLiteral("項目設定エラー"), 0);
        forms::End(1);
        return false;
    }
}

Position centredPosition(int screenWidth, int screenHeight, int formWidth, int formHeight) {
    return {(screenWidth - formWidth) / 2, (screenHeight - formHeight) / 2};
}

// The window's outer frame is centred. Before the window is mapped its frame is not known
// yet, so it is centred again, with the frame, just before it is first painted.
void Center_Form(forms::Form& form) {
    const Position p = centredPosition(forms::screenWidthTwips(), forms::screenHeightTwips(),
                                       form.formWidth(), form.formHeight());
    form.moveTwips(p.left, p.top, form.formWidth(), form.formHeight());
    form.beforeFirstPaint([&form] { Center_Form(form); });
}

void Clear_Form() {
    g_FieldCount = 0;
    for (forms::Control* c : g_Form->controls()) {
        if (auto* t = dynamic_cast<forms::TextBox*>(c)) {
            ++g_FieldCount;
            t->setText(QString());
        } else if (c->kind() == forms::ControlKind::ComboBox) {
            ++g_FieldCount;
        } else if (auto* l = dynamic_cast<forms::Label*>(c)) {
            if (vbrt::Trim(l->name()).startsWith(QLatin1String("lbl_"))) l->setCaption(QString());
        }
    }
}

} // namespace appearance
