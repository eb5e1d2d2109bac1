#include "env/JSON.hpp"

#include <SFML/System/InputStream.hpp>
#include <SFML/System/MemoryInputStream.hpp>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// A document a user hands us may be hostile: nesting grows the key path with every
// bracket and every member creates an entry, so cap both to keep memory linear.
constexpr std::size_t c_maxKeyBytes = 4096;
constexpr std::size_t c_maxTableBytes = std::size_t(64) << 20;

void appendEscaped(std::string& out, std::string_view text) {
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
}

void appendHead(std::string& out, std::string_view name) {
    out += '"';
    appendEscaped(out, name);
    out += "\":";
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// "list[3]" -> "list"; empty when the segment is not an array element.
std::string_view elementList(std::string_view seg) {
    if (seg.empty() || seg.back() != ']')
        return {};
    const auto bracket = seg.rfind('[');
    return bracket == std::string_view::npos ? std::string_view{} : seg.substr(0, bracket);
}

// Byte-driven reader; feed() returns false once reading has to stop.
class Reader {
public:
    explicit Reader(std::map<std::string, std::string>& table) : table(table) {}

    bool feed(char c) {
        if (inString)
            return stringByte(c);
        if (inComment) {
            if (c == '\r' || c == '\n')
                inComment = false;
            return true;
        }
        if (c == '/') {
            // Two slashes start a comment; a lone one is dropped.
            inComment = slashPending;
            slashPending = !slashPending;
            return true;
        }
        slashPending = false;
        switch (c) {
        case '\t': case '\n': case '\r': case ' ':
            return true;
        case '"':
            inString = true;
            return true;
        case ':':
            path += token;
            token.clear();
            if (path.size() > c_maxKeyBytes || !create(path))
                return stop();
            break;
        case ',':
            if (!open.empty() && open.back() == '{') {
                if (lastSignificant != ']' && lastSignificant != '}' && !set(path, token))
                    return stop();
                token.clear();
                const auto dot = path.rfind('.');
                path.erase(dot == std::string::npos ? 0 : dot + 1);
            } else if (!open.empty()) {
                if (endsWithBracket()) {
                    if (!set(path, token))
                        return stop();
                    token.clear();
                }
                const std::string from = "[" + std::to_string(counter) + "]";
                const auto at = path.rfind(from);
                if (at != std::string::npos)
                    path.replace(at, from.size(), "[" + std::to_string(counter + 1) + "]");
                ++counter;
            }
            break;
        case '{':
            if (!open.empty())
                path += '.';
            open.push_back('{');
            sawRoot = true;
            break;
        case '}': {
            if (!token.empty()) {
                if (!set(path, token))
                    return stop();
                token.clear();
            }
            const auto dot = path.rfind('.');
            path.erase(dot == std::string::npos ? 0 : dot);
            if (open.empty() || open.back() != '{')
                return stop();
            open.pop_back();
            break;
        }
        case '[':
            path += "[0]";
            open.push_back('[');
            break;
        case ']':
            if (endsWithBracket()) {
                if (!set(path, token))
                    return stop();
                token.clear();
            }
            if (open.empty() || open.back() != '[')
                return stop();
            open.pop_back();
            counter = 0;
            break;
        default:
            token += c;
            if (token.size() > c_maxTableBytes)
                return stop();
        }
        if (path.size() > c_maxKeyBytes)
            return stop();
        lastSignificant = c;
        return true;
    }

    bool complete() const { return !failed && sawRoot && open.empty() && !inString; }

private:
    bool stringByte(char c) {
        if (escape == 1) {
            escape = 0;
            switch (c) {
            case '"': case '\\': case '/': put(c); break;
            case 'b': put('\b'); break;
            case 'f': put('\f'); break;
            case 'n': put('\n'); break;
            case 'r': put('\r'); break;
            case 't': put('\t'); break;
            case 'u':
                escape = 2;
                rawEscape = "\\u";
                unit = 0;
                break;
            default:
                // Not an escape we know: keep it as written (hand-typed Windows paths).
                put('\\');
                put(c);
            }
            return true;
        }
        if (escape == 2) {
            const int digit = hexDigit(c);
            if (digit < 0) {
                escape = 0;
                flushSurrogate();
                token += rawEscape;
                return stringByte(c);
            }
            rawEscape += c;
            unit = unit * 16 + std::uint32_t(digit);
            if (rawEscape.size() == 6) {
                escape = 0;
                codeUnit(unit);
            }
            return true;
        }
        if (c == '\r' || c == '\n')
            return true;
        if (c == '"') {
            flushSurrogate();
            inString = false;
            lastSignificant = '"';
            return true;
        }
        if (c == '\\') {
            escape = 1;
            return true;
        }
        put(c);
        if (token.size() > c_maxTableBytes)
            return stop();
        return true;
    }

    static int hexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void put(char c) {
        flushSurrogate();
        token += c;
    }

    void codeUnit(std::uint32_t u) {
        if (u >= 0xD800 && u < 0xDC00) {
            flushSurrogate();
            highSurrogate = u;
        } else if (u >= 0xDC00 && u < 0xE000) {
            if (highSurrogate) {
                appendUtf8(token, 0x10000 + ((highSurrogate - 0xD800) << 10) + (u - 0xDC00));
                highSurrogate = 0;
            } else {
                appendUtf8(token, 0xFFFD);
            }
        } else {
            flushSurrogate();
            appendUtf8(token, u);
        }
    }

    void flushSurrogate() {
        if (highSurrogate) {
            appendUtf8(token, 0xFFFD);
            highSurrogate = 0;
        }
    }

    bool endsWithBracket() const { return !path.empty() && path.back() == ']'; }

    bool create(const std::string& key) {
        if (table.count(key))
            return true;
        if (!charge(key.size()))
            return false;
        table.emplace(key, std::string());
        return true;
    }

    bool set(const std::string& key, const std::string& value) {
        if (key.size() > c_maxKeyBytes)
            return false;
        auto it = table.find(key);
        if (it == table.end()) {
            if (!charge(key.size() + value.size()))
                return false;
            table.emplace(key, value);
        } else {
            if (!charge(value.size()))
                return false;
            it->second = value;
        }
        return true;
    }

    bool charge(std::size_t bytes) {
        used += bytes + 32;
        return used <= c_maxTableBytes;
    }

    bool stop() {
        failed = true;
        return false;
    }

    std::map<std::string, std::string>& table;
    std::string path, token, rawEscape;
    std::vector<char> open;
    long long counter = 0;
    std::size_t used = 0;
    std::uint32_t unit = 0, highSurrogate = 0;
    int escape = 0;
    char lastSignificant = 0;
    bool inString = false, inComment = false, slashPending = false;
    bool sawRoot = false, failed = false;
};

} // namespace

void JSON::setValueStr(const std::string& key, const std::string& text) {
    table[prefix + key] = text;
}

bool JSON::loadValue(const std::string& key, bool& out) const {
    const std::string* text = find(key);
    if (!text)
        return false;
    out = std::stoi(*text) != 0;
    return true;
}

const std::string* JSON::find(const std::string& key) const {
    auto it = table.find(key);
    return it == table.end() ? nullptr : &it->second;
}

void JSON::saveToMemory(std::string& out) const {
    // cur: path of the innermost open object ("" for the root, else ending in '.').
    // Each open bracket remembers, for '[', the array it belongs to, so an array is closed
    // as soon as the next entry is not one of its elements.
    struct Bracket {
        char kind;
        std::string list;
    };
    std::string cur;
    std::vector<Bracket> open;
    bool first = true;
    int count = 0;

    auto close = [&] {
        out += open.back().kind == '{' ? '}' : ']';
        open.pop_back();
    };

    out += '{';
    for (const auto& [key, value] : table) {
        if (value.empty())
            continue;
        const auto dot = key.rfind('.');
        const std::string_view keyView = key;
        const std::string_view parent = dot == std::string::npos ? std::string_view{} : keyView.substr(0, dot + 1);
        const std::string_view name = dot == std::string::npos ? keyView : keyView.substr(dot + 1);

        if (parent == cur) {
            if (!first)
                out += ',';
            count = first ? 1 : count + 1;
        } else {
            bool closed = false;
            while (!parent.starts_with(cur)) {
                cur.pop_back();
                const auto last = cur.rfind('.');
                cur.erase(last == std::string::npos ? 0 : last + 1);
                if (!open.empty())
                    close();
                closed = true;
            }
            auto nextSegment = [&] {
                const auto end = parent.find('.', cur.size());
                return parent.substr(cur.size(), end == std::string_view::npos ? parent.npos : end - cur.size());
            };
            if (!open.empty() && open.back().kind == '[' &&
                (parent.size() == cur.size() || elementList(nextSegment()) != open.back().list))
                close();
            if (closed)
                out += ',';
            while (cur.size() < parent.size()) {
                const std::string_view seg = nextSegment();
                const std::string_view list = elementList(seg);
                if (!list.empty()) {
                    if (open.empty() || open.back().kind != '[' || open.back().list != list) {
                        if (!closed && count != 0) {
                            out += ',';
                            count = 0;
                        }
                        appendHead(out, list);
                        out += '[';
                        open.push_back({'[', std::string(list)});
                    }
                } else {
                    if (!closed && count != 0) {
                        out += ',';
                        count = 0;
                    }
                    appendHead(out, seg);
                }
                out += '{';
                open.push_back({'{', {}});
                cur += seg;
                cur += '.';
            }
            count = 1;
        }
        appendHead(out, name);
        out += '"';
        appendEscaped(out, value);
        out += '"';
        first = false;
    }
    while (!open.empty())
        close();
    out += '}';
}

bool JSON::loadFromStream(sf::InputStream& stream) {
    table.clear();
    Reader reader(table);
    char buf[4096];
    for (;;) {
        const sf::Int64 got = stream.read(buf, sizeof buf);
        if (got <= 0)
            break;
        for (sf::Int64 i = 0; i < got; ++i)
            if (!reader.feed(buf[i]))
                return false;
    }
    return reader.complete();
}

bool JSON::loadFromMemory(std::string_view text) {
    sf::MemoryInputStream stream;
    stream.open(text.data(), text.size());
    return loadFromStream(stream);
}

bool JSON::loadFromFile(const std::filesystem::path& file) {
    table.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    loadFromMemory(text);
    return true;
}
