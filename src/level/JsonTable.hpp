#pragma once
// The flat JSON table the level export is written through: dotted key paths to value texts,
// turned into compact JSON whose nesting follows the key paths. It writes exactly what the
// editor's JSON document writes, so the export can move onto that once both live in one place.
// Names and values are escaped ('"', '\' and control characters), and bytes that are not UTF-8
// are taken as Latin-1, so any text gives valid JSON.
#include <map>
#include <string>
#include <string_view>
#include <type_traits>

namespace rux {

class JsonTable {
public:
    std::string prefix;

    void setValueStr(const std::string& key, std::string_view text) { m_table[prefix + key] = std::string(text); }
    template <class T> void setValue(const std::string& key, T value) {
        static_assert(std::is_integral_v<T>);
        if constexpr (std::is_same_v<T, bool>) setValueStr(key, value ? "1" : "0");
        else setValueStr(key, std::to_string(value));
    }
    void saveToMemory(std::string& out) const;
    const std::map<std::string, std::string>& table() const { return m_table; }

    // The JSON string body for `text`: escaped, and valid UTF-8.
    static std::string Escape(std::string_view text);

private:
    std::map<std::string, std::string> m_table;
};

} // namespace rux
