#include "platform/forms/controls.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include <QComboBox>

namespace forms {

ComboBox::ComboBox(Form* form, QString name, int index)
    : Control(ControlKind::ComboBox, form, std::move(name), index, new QComboBox(form)) {
    comboBox()->setEditable(false);
    QObject::connect(comboBox(), &QComboBox::currentIndexChanged, comboBox(), [this] {
        detail::fire(onChange);
        detail::fire(onClick);
    });
}

QComboBox* ComboBox::comboBox() const {
    return static_cast<QComboBox*>(widget());
}

// A list filled from empty selects nothing until told to, as the original did (QComboBox
// would select its first entry by itself).
void ComboBox::addItem(const QString& item) {
    QComboBox* box = comboBox();
    const int before = box->currentIndex();
    const QSignalBlocker quiet(box);
    box->addItem(item);
    box->setCurrentIndex(before);
}

// Emptying the list is no change of selection for the screens.
void ComboBox::clear() {
    const QSignalBlocker quiet(comboBox());
    comboBox()->clear();
}

int ComboBox::listIndex() const {
    return comboBox()->currentIndex();
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= comboBox()->count()) return;
    comboBox()->setCurrentIndex(index);
}

QString ComboBox::list(int index) const {
    return comboBox()->itemText(index);
}

int ComboBox::listCount() const {
    return comboBox()->count();
}

QString ComboBox::text() const {
    return comboBox()->currentIndex() < 0 ? QString() : comboBox()->currentText();
}

} // namespace forms
