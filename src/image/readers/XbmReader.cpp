// X bitmap reader: C source text with the picture's size in #define lines and its bits in an array.
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <cctype>
#include <optional>
#include <string_view>

namespace kw::image {

namespace {

constexpr std::uint32_t kNoNumber = 0xFFFFFFFFu;

class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }
    char peek()
    {
        skipBlanks();
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    void advance() { ++m_pos; }
    bool accept(char c)
    {
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    /// A C identifier, or empty when none stands here.
    std::string_view identifier()
    {
        skipBlanks();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_'))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }
    /// A C integer literal (decimal, hexadecimal "0x..", octal "0.."), or kNoNumber when none stands here
    /// or it is absurdly large (callers accept far smaller values anyway).
    std::uint32_t number()
    {
        skipBlanks();
        unsigned base = 10;
        if (m_pos < m_text.size() && m_text[m_pos] == '0') {
            base = 8;
            if (m_pos + 1 < m_text.size() && (m_text[m_pos + 1] == 'x' || m_text[m_pos + 1] == 'X')) {
                base = 16;
                m_pos += 2;
            }
        }
        std::uint32_t value = 0;
        std::size_t digits = 0;
        for (; m_pos < m_text.size(); ++m_pos, ++digits) {
            const unsigned digit = digitValue(m_text[m_pos]);
            if (digit >= base)
                break;
            value = value * base + digit;
            if (value > 0x7FFFFFF)
                return kNoNumber;
        }
        if (digits == 0 && base != 8)
            return kNoNumber;
        // A trailing integer suffix (u, l) is harmless.
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == 'u' || m_text[m_pos] == 'U' || m_text[m_pos] == 'l' || m_text[m_pos] == 'L'))
            ++m_pos;
        return value;
    }
    /// Skips to the end of the current line (for #define lines that are not about the size).
    void skipLine()
    {
        while (m_pos < m_text.size() && m_text[m_pos] != '\n')
            ++m_pos;
    }

private:
    static unsigned digitValue(char c)
    {
        if (c >= '0' && c <= '9')
            return static_cast<unsigned>(c - '0');
        if (c >= 'a' && c <= 'f')
            return static_cast<unsigned>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F')
            return static_cast<unsigned>(c - 'A' + 10);
        return 99;
    }
    void skipBlanks()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else if (m_text.substr(m_pos, 2) == "/*") {
                const std::size_t close = m_text.find("*/", m_pos + 2);
                m_pos = close == std::string_view::npos ? m_text.size() : close + 2;
            } else if (m_text.substr(m_pos, 2) == "//") {
                skipLine();
            } else {
                return;
            }
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool endsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

} // namespace

BitmapImage readXbm(std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    Scanner in(std::string_view(reinterpret_cast<const char *>(data.data()), data.size()));
    std::uint32_t width = kNoNumber;
    std::uint32_t height = kNoNumber;
    bool shortValues = false;

    // The #define lines and the declaration up to the opening brace.
    for (;;) {
        if (in.atEnd())
            throw EXbmInvalid();
        if (in.accept('#')) {
            if (in.identifier() != "define") {
                in.skipLine();
                continue;
            }
            const std::string_view name = in.identifier();
            if (name == "width" || endsWith(name, "_width"))
                width = in.number();
            else if (name == "height" || endsWith(name, "_height"))
                height = in.number();
            in.skipLine();
            continue;
        }
        if (in.accept('{'))
            break;
        const std::string_view word = in.identifier();
        if (word == "short")
            shortValues = true;
        if (word.empty())
            in.advance(); // punctuation of the declaration: '[', ']', '='
    }
    if (width == kNoNumber || height == kNoNumber || width == 0 || height == 0)
        throw EXbmInvalid();
    if (!limits.allows(width, height))
        throw EGraphicsException(limits.refusal(width, height));

    const std::size_t valueBits = shortValues ? 16 : 8;
    const std::size_t perRow = (width + valueBits - 1) / valueBits;
    const std::size_t needed = perRow * height;
    const std::uint32_t maxValue = shortValues ? 0xFFFF : 0xFF;
    std::vector<std::uint16_t> values;
    values.reserve(std::min<std::size_t>(needed, data.size() / 2 + 1));
    while (!in.accept('}')) {
        const std::uint32_t value = in.number();
        if (value == kNoNumber || value > maxValue)
            throw EXbmInvalid();
        if (values.size() < needed)
            values.push_back(static_cast<std::uint16_t>(value));
        if (!in.accept(',') && in.peek() != '}')
            throw EXbmInvalid();
    }
    if (values.size() < needed)
        throw EXbmInvalid();

    BitmapImage image;
    image.colorMap = {{255, 255, 255, 0}, {0, 0, 0, 0}};
    image.allocate(static_cast<int>(width), static_cast<int>(height), 1);
    std::vector<std::uint8_t> indices(width);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint16_t *row = values.data() + y * perRow;
        for (std::size_t x = 0; x < width; ++x)
            indices[x] = static_cast<std::uint8_t>((row[x / valueBits] >> (x % valueBits)) & 1u);
        packIndices(indices, 1, image.rowFromTop(static_cast<int>(y)));
    }
    return image;
}

} // namespace kw::image
