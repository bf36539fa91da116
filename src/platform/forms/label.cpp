#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include <QLabel>

namespace forms {

Label::Label(Form* form, QString name, int index)
    : Control(ControlKind::Label, form, std::move(name), index, new QLabel(form)) {
    label()->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QLabel* Label::label() const {
    return static_cast<QLabel*>(widget());
}

QString Label::caption() const {
    return label()->text();
}

void Label::setCaption(const QString& caption) {
    label()->setText(caption);
    // A named label (a header field) still lets the screen reader speak what it shows.
    label()->setAccessibleDescription(caption);
}

void Label::setLabelFor(Control* control) {
    label()->setBuddy(control->widget());
}

void Label::setAlignment(int alignment) {
    Qt::Alignment h = Qt::AlignLeft;
    if (alignment == 1) h = Qt::AlignRight;
    if (alignment == 2) h = Qt::AlignHCenter;
    label()->setAlignment(h | Qt::AlignVCenter);
}

void Label::setBorderStyle(int style) {
    label()->setFrameStyle(style == 1 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    label()->setLineWidth(1);
}

} // namespace forms
