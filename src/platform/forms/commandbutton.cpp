#include "platform/forms/controls.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include <QPushButton>

namespace forms {

CommandButton::CommandButton(Form* form, QString name, int index)
    : Control(ControlKind::CommandButton, form, std::move(name), index, new QPushButton(form)) {
    button()->setAutoDefault(false);
    QObject::connect(button(), &QPushButton::clicked, button(), [this] { detail::fire(onClick); });
}

QPushButton* CommandButton::button() const {
    return static_cast<QPushButton*>(widget());
}

QString CommandButton::caption() const {
    return button()->text();
}

// QPushButton takes the "&A" of the caption as its Alt+A shortcut by itself.
void CommandButton::setCaption(const QString& caption) {
    button()->setText(caption);
}

} // namespace forms
