#include "level/JsonTable.hpp"
#include "level/TextCodec.hpp"
#include <algorithm>
#include <set>
#include <vector>

namespace rux {

std::string JsonTable::Escape(std::string_view text) {
    const std::string utf8 = AsUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    static const char hex[] = "0123456789abcdef";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += ch;
            }
        }
    }
    return out;
}

void JsonTable::saveToMemory(std::string& out) const {
    auto head = [&](std::string_view name) {
        out += '"';
        out += Escape(name);
        out += "\":";
    };
    auto brackets = [](std::string_view s) { return std::count(s.begin(), s.end(), '['); };

    std::string cur;           // path of the innermost open object, ending in '.'
    std::vector<char> open;    // brackets opened inside the root object
    std::set<std::string> arrays;
    std::string prevParent;
    bool first = true;
    std::size_t count = 0;     // entries at the current level (only tested for zero)

    out += '{';
    for (const auto& [key, value] : m_table) {
        if (value.empty()) continue;
        const auto dot = key.rfind('.');
        const std::string parent = dot == std::string::npos ? std::string() : key.substr(0, dot + 1);
        const std::string name = dot == std::string::npos ? key : key.substr(dot + 1);

        if (parent == cur) {
            if (!first) out += ',';
            count = first ? 1 : count + 1;
        } else {
            bool closed = false;
            while (parent.compare(0, cur.size(), cur) != 0) {
                cur.pop_back();
                const auto p = cur.rfind('.');
                cur = p == std::string::npos ? std::string() : cur.substr(0, p + 1);
                out += open.back() == '{' ? '}' : ']';
                open.pop_back();
                closed = true;
            }
            if (brackets(parent) < brackets(prevParent) && !open.empty() && open.back() == '[') {
                out += ']';
                open.pop_back();
            }
            if (closed) out += ',';
            while (cur != parent) {
                const auto next = parent.find('.', cur.size());
                const std::string seg = parent.substr(cur.size(), next - cur.size());
                if (!seg.empty() && seg.back() == ']') {
                    const std::string list = seg.substr(0, seg.rfind('['));
                    if (!arrays.count(list)) {
                        if (!closed && count != 0) {
                            out += ',';
                            count = 0;
                        }
                        head(list);
                        out += '[';
                        open.push_back('[');
                        arrays.insert(list);
                    }
                    out += '{';
                    open.push_back('{');
                } else {
                    if (!closed && count != 0) {
                        out += ',';
                        count = 0;
                    }
                    head(seg);
                    out += '{';
                    open.push_back('{');
                }
                cur += seg;
                cur += '.';
            }
            count = 1;
        }
        head(name);
        out += '"';
        out += Escape(value);
        out += '"';
        prevParent = parent;
        first = false;
    }
    while (!open.empty()) {
        out += open.back() == '{' ? '}' : ']';
        open.pop_back();
    }
    out += '}';
}

} // namespace rux
