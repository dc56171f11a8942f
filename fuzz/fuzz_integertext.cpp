// The reading of a typed patient number: any text gives a number or none,
// never a crash, and always the same answer as a plain reference reading
// built on std::from_chars.

#include "core/integertext.h"
#include "fuzzsupport.h"

#include <charconv>
#include <string>

namespace {

std::optional<qint32> reference(const QString& text)
{
    std::string s;
    for (QChar c : text) {
        if (c.unicode() > 127)
            return std::nullopt; // only ASCII digits, signs and prefixes make a number
        s += char(c.unicode());
    }
    size_t i = s.find_first_not_of(' ');
    if (i == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-')
        negative = s[i++] == '-';
    int base = 10;
    if (s.compare(i, 2, "0x") == 0 || s.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    } else if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        i += 1;
    }
    const std::string digits = s.substr(i);
    if (digits.empty() || !isxdigit(static_cast<unsigned char>(digits[0])))
        return std::nullopt;
    unsigned long long magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return std::nullopt;
    return qint32(negative ? -qint64(magnitude) : qint64(magnitude));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes bytes(data, size);
    const QString text = bytes.rest();
    const std::optional<qint32> ours = integerFromText(text);
    const std::optional<qint32> theirs = reference(text);
    if (ours != theirs)
        fuzz::fail("integerFromText differs from the reference for", text);
    // A number written back in decimal reads as the same number.
    if (ours && integerFromText(QString::number(*ours)) != ours)
        fuzz::fail("decimal text of a number does not read back", text);
    return 0;
}
