#include "common/displaywidth.h"

#include "platform/db/variant.h"

#include <iconv.h>

namespace {

// One GBK converter for the run; glibc's CP936 is the code page the
// slips were laid out for.
class GbkEncoder {
public:
    GbkEncoder() : cd_(iconv_open("CP936", "UTF-8")) {}
    ~GbkEncoder() { if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_); }
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    // Bytes the character takes in GBK; a character GBK cannot hold is
    // written as "?" and so takes one.
    int bytesOf(const QString& character)
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return 1;
        QByteArray in = character.toUtf8();
        char out[8];
        char* inPtr = in.data();
        size_t inLeft = static_cast<size_t>(in.size());
        char* outPtr = out;
        size_t outLeft = sizeof out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return 1;
        return static_cast<int>(sizeof out - outLeft);
    }

private:
    iconv_t cd_;
};

} // namespace

int CheckStringLength(const QString& text)
{
    static GbkEncoder encoder;
    const QString trimmed = db::trimBlanks(text);
    int width = 0;
    for (int i = 0; i < trimmed.size(); ++i) {
        // A surrogate pair is one character.
        const int length = (trimmed.at(i).isHighSurrogate() && i + 1 < trimmed.size()) ? 2 : 1;
        width += encoder.bytesOf(trimmed.mid(i, length)) >= 2 ? 2 : 1;
        i += length - 1;
    }
    return width;
}

namespace {
QString followedBySpaces(const QString& text, int width, int limit)
{
    return width <= limit ? text + QString(limit - width + 1, QLatin1Char(' ')) : text;
}
} // namespace

QString fillByWidth(const QString& text, int limit)
{
    return followedBySpaces(text, CheckStringLength(text), limit);
}

QString fillByLength(const QString& text, int limit)
{
    return followedBySpaces(text, int(text.size()), limit);
}
