// Small value routines: byte length and Null-safe trimming.
#include "input/manage.h"
#include "platform/text/cp932.h"
#include "platform/vbrt/vbrt.h"

namespace manage {

int Get_ByteLen(const std::optional<QString>& s) {
    return s ? text::cp932ByteLength(*s) : 0;
}

QString Nz_Trim(const std::optional<QString>& value, const QString& def) {
    return value ? vbrt::Trim(*value) : def;
}

} // namespace manage
