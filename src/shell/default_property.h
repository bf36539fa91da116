#pragma once
// The default property of a control: Text of a text box or combo box, Caption of a label.
#include <QString>

namespace forms {
class Control;
}

namespace shell {

QString defaultText(const forms::Control* c);
void setDefaultText(forms::Control* c, const QString& value);

} // namespace shell
