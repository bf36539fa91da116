#include "platform/text/cp932.h"

#include <QList>
#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace text {
namespace {

// One iconv descriptor per direction and thread; iconv_t keeps conversion state and is not
// safe to share between threads.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

// From WCHAR_T (UCS-4 in glibc) the conversion is one step. From UTF-8 it is two, and glibc
// then re-runs the first step over thousands of characters at each character CP932 lacks.
Iconv& encoder() {
    thread_local Iconv cd("CP932", "WCHAR_T");
    return cd;
}

Iconv& decoder() {
    thread_local Iconv cd("UTF-8", "CP932");
    return cd;
}

struct Encoded {
    QByteArray bytes;
    qsizetype charsUsed = 0; // characters of the input that made them
};

// The CP932 form of a text's code points, at most maxBytes long. iconv stops before a
// character that would not fit, so the cut never halves a double-byte character; a character
// CP932 lacks becomes "?". No character takes more than two bytes.
Encoded encode(const QList<uint>& ucs4, qsizetype maxBytes) {
    static_assert(sizeof(wchar_t) == sizeof(uint));
    Encoded e;
    const qsizetype room = std::min(maxBytes, 2 * ucs4.size());
    e.bytes.resize(room);
    // iconv's signature wants char*; it does not write the input.
    char* in = reinterpret_cast<char*>(const_cast<uint*>(ucs4.constData()));
    size_t inLeft = size_t(ucs4.size()) * sizeof(uint);
    char* out = e.bytes.data();
    size_t outLeft = size_t(room);
    Iconv& cd = encoder();
    if (cd.valid()) cd.reset();
    while (inLeft > 0) {
        const size_t rc = cd.valid() ? iconv(cd.get(), &in, &inLeft, &out, &outLeft) : size_t(-1);
        if (rc != size_t(-1) || outLeft == 0 || (cd.valid() && errno == E2BIG)) break;
        // A character CP932 lacks is "?"; without the converter only ASCII is kept.
        const uint c = *reinterpret_cast<const uint*>(in);
        *out++ = !cd.valid() && c < 0x80 ? char(c) : '?';
        --outLeft;
        in += sizeof(uint);
        inLeft -= sizeof(uint);
    }
    e.bytes.resize(room - qsizetype(outLeft));
    e.charsUsed = ucs4.size() - qsizetype(inLeft / sizeof(uint));
    return e;
}

} // namespace

QByteArray toCp932(const QString& s) {
    const QList<uint> ucs4 = s.toUcs4();
    return encode(ucs4, 2 * ucs4.size()).bytes;
}

QString fromCp932(const QByteArray& bytes) {
    Iconv& cd = decoder();
    if (!cd.valid()) return QString::fromLatin1(bytes);
    static const char replacement[] = "\xEF\xBF\xBD";

    QByteArray utf8;
    utf8.reserve(bytes.size() * 3 / 2 + 8);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buf[1024];
    cd.reset();
    while (inLeft > 0) {
        char* out = buf;
        size_t outLeft = sizeof buf;
        const size_t rc = iconv(cd.get(), &in, &inLeft, &out, &outLeft);
        utf8.append(buf, static_cast<qsizetype>(out - buf));
        if (rc != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // Invalid or truncated sequence: replace its first byte and go on with the next, so a
        // stray lead byte does not swallow the line end behind it.
        utf8.append(replacement);
        ++in;
        --inLeft;
        cd.reset();
    }
    return QString::fromUtf8(utf8);
}

int cp932ByteLength(const QString& s) {
    return int(toCp932(s).size());
}

// Qt gives a lone surrogate as U+FFFD, one UTF-16 unit either way, so the characters that fit
// give the number of units to keep.
QString cp932Left(const QString& s, int maxBytes) {
    if (maxBytes <= 0) return QString();
    const QList<uint> ucs4 = s.toUcs4();
    const Encoded e = encode(ucs4, maxBytes);
    if (e.charsUsed == ucs4.size()) return s;
    return s.left(
        QString::fromUcs4(reinterpret_cast<const char32_t*>(ucs4.constData()), e.charsUsed).size());
}

} // namespace text
