#include "shell/default_property.h"
#include "platform/forms/controls.h"

namespace shell {

QString defaultText(const forms::Control* c) {
    if (auto* t = dynamic_cast<const forms::TextBox*>(c)) return t->text();
    if (auto* l = dynamic_cast<const forms::Label*>(c)) return l->caption();
    if (auto* b = dynamic_cast<const forms::ComboBox*>(c)) return b->text();
    return QString();
}

void setDefaultText(forms::Control* c, const QString& value) {
    if (auto* t = dynamic_cast<forms::TextBox*>(c))
        t->setText(value);
    else if (auto* l = dynamic_cast<forms::Label*>(c))
        l->setCaption(value);
}

} // namespace shell
