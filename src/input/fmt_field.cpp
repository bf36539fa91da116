// Display formats: dates and times typed without separators are written in their display form.
#include "input/field_lookup.h"
#include "input/manage.h"
#include "platform/forms/controls.h"
#include "platform/text/cp932.h"
#include "platform/vbrt/vbrt.h"
#include "shell/workarea.h"

namespace manage {

namespace {

// The field's text while it is being formatted. A built date may be longer than MaxLength
// characters on its way to the display form, which the text box itself would cut, so the
// steps work on this copy and the box is written once at the end.
struct FieldText {
    QString text;
    bool written = false;

    QString trimmed() const { return vbrt::Trim(text); }
    void write(const QString& s) {
        text = s;
        written = true;
    }
};

// Characters [from, from + len) with 1-based from, as the original string slicing did.
QString chars(const QString& t, int from, int len) {
    return t.mid(from - 1, len);
}

// A date built from its parts, written as the short date text.
void writeDate(FieldText& f, const QString& built) {
    const auto value = vbrt::CDate(built);
    if (value) f.write(vbrt::dateToText(QDateTime(value->date(), QTime(0, 0))));
}

// "m/d" or "yyyy/m" typed with one slash: both halves in two digits. Empty when the text
// cannot be read that way.
QString padHalves(const QString& t) {
    const int p = t.indexOf(u'/') + 1;
    if (p == 1 || p == t.length()) return QString();
    const QString left = vbrt::Format(t.left(p - 1), QStringLiteral("00")) + u'/';
    const QString right = t.mid(p);
    if (right.contains(u'/')) return QString();
    return left + vbrt::Format(right, QStringLiteral("00"));
}

// Full dates: yyyymmdd or yymmdd. False when the text stays as typed.
bool formatFullDate(FieldText& f) {
    QString t = f.trimmed();
    if (t.contains(u'/')) return true;
    if (t.length() != 6 && t.length() != 8) return false;
    if (t.length() == 8) {
        const QString built = chars(t, 1, 4) + u'/' + chars(t, 5, 2) + u'/' + chars(t, 7, 2);
        if (!vbrt::IsDate(built)) return false;
        writeDate(f, built);
    }
    t = f.trimmed();
    if (t.length() == 6) {
        const QString built = chars(t, 1, 2) + u'/' + chars(t, 3, 2) + u'/' + chars(t, 5, 2);
        if (!vbrt::IsDate(built)) return false;
        writeDate(f, built);
    }
    return true;
}

// Month and day: mmdd or m/d.
bool formatMonthDay(FieldText& f) {
    const QString t = f.trimmed();
    QString built;
    if (!t.contains(u'/')) {
        if (t.length() != 4) return false;
        built = chars(t, 1, 2) + u'/' + chars(t, 3, 2);
    } else {
        built = padHalves(t);
        if (built.isEmpty()) return false;
    }
    if (!vbrt::IsDate(built)) return false;
    f.write(built);
    return true;
}

// Year and month: yymm, yyyymm or yyyy/m. Two-digit years above 90 are 19xx.
bool formatYearMonth(FieldText& f) {
    const QString t = f.trimmed();
    QString built;
    if (t.contains(u'/')) {
        built = padHalves(t);
        if (built.isEmpty()) return false;
    } else if (t.length() == 4) {
        const QString yy = chars(t, 1, 2);
        const QString century =
            vbrt::toDouble(yy).value_or(0) > 90 ? QStringLiteral("19") : QStringLiteral("20");
        built = century + yy + u'/' + chars(t, 3, 2);
    } else if (t.length() == 6) {
        built = chars(t, 1, 4) + u'/' + chars(t, 5, 2);
    } else {
        return false;
    }
    if (!vbrt::IsDate(built)) return false;
    f.write(built);
    return true;
}

// Time: hhmm. A time typed with its colon stays exactly as typed.
bool formatTime(FieldText& f) {
    const QString t = f.trimmed();
    if (t.contains(u':')) return false;
    QString built;
    if (t.length() == 4)
        built = chars(t, 1, 2) + u':' + chars(t, 3, 2);
    else if (t.length() == 6)
        built = chars(t, 1, 4) + u'/' + chars(t, 5, 2);
    else
        return false;
    if (!vbrt::IsDate(built)) return false;
    f.write(built);
    return true;
}

// The display form, taken only when it fits MaxLength bytes.
void finalFormat(FieldText& f, const QString& format, int maxLength) {
    if (f.text.isEmpty()) return;
    const QString s = vbrt::Format(f.text, format);
    if (text::cp932Left(s, maxLength) == s) f.write(s);
}

} // namespace

void Fmt_Field(int16_t i) {
    forms::TextBox* tb = input::asTextBox(input::fieldControl(i));
    if (!tb) return;
    const QString format =
        i < static_cast<int>(workarea::g_FieldFormat.size()) ? workarea::g_FieldFormat[i] : "";
    FieldText f{tb->text()};

    bool formatted = false; // an unknown format leaves the text alone
    if (format.isEmpty()) {
        // Always rewritten: MaxLength counts characters, the column counts bytes.
        f.write(text::cp932Left(f.text, tb->maxLength()));
    } else if (format == QLatin1String("yy/mm/dd") || format == QLatin1String("yyyy/mm/dd")) {
        formatted = formatFullDate(f);
    } else if (format == QLatin1String("mm/dd")) {
        formatted = formatMonthDay(f);
    } else if (format == QLatin1String("yyyy/mm")) {
        formatted = formatYearMonth(f);
    } else if (format == QLatin1String("hh:mm")) {
        formatted = formatTime(f);
    }
    if (formatted) finalFormat(f, format, tb->maxLength());
    if (f.written) tb->setText(f.text);
}

} // namespace manage
