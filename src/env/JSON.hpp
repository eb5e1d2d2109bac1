#pragma once
// A JSON document held as a flat, ordered table from dotted key paths ("a.b",
// "list[3].x") to value texts. The writer derives the nesting from the keys; the reader
// flattens nested text back into keys. Every value is text.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <type_traits>

namespace sf { class InputStream; }

class JSON {
public:
    // Put in front of every key handed to the setters.
    std::string prefix;

    // Inserts prefix + key, or replaces the text of an existing entry.
    void setValueStr(const std::string& key, const std::string& text);

    // The decimal text of a number; bool is "1" or "0".
    template <class T> void setValue(const std::string& key, T value) {
        static_assert(std::is_same_v<T, bool> || std::is_same_v<T, int> ||
                          std::is_same_v<T, unsigned char> || std::is_same_v<T, unsigned int> ||
                          std::is_same_v<T, unsigned long>,
                      "JSON::setValue takes bool, int, unsigned char, unsigned int or unsigned long");
        if constexpr (std::is_same_v<T, bool>)
            setValueStr(key, value ? "1" : "0");
        else if constexpr (std::is_same_v<T, unsigned char>)
            setValueStr(key, std::to_string(static_cast<unsigned>(value)));
        else
            setValueStr(key, std::to_string(value));
    }

    // When the key (taken without prefix) is present, out = its text read as a signed
    // 32-bit decimal is non-zero, and true is returned. Non-numeric or out-of-range text
    // throws std::invalid_argument / std::out_of_range, as std::stoi does.
    bool loadValue(const std::string& key, bool& out) const;

    // Looked up without prefix; null when absent.
    const std::string* find(const std::string& key) const;
    const std::map<std::string, std::string>& entries() const { return table; }
    void clear() { table.clear(); }

    // Appends compact JSON text; entries with empty text are left out.
    void saveToMemory(std::string& out) const;

    // Empties the table and reads the stream to its end. Never fails on bad text: what was
    // completed stays. Returns false when the text ended early, held a mismatched bracket
    // or was too large to take in, true for a complete document.
    bool loadFromStream(sf::InputStream& stream);
    bool loadFromMemory(std::string_view text);
    // False when the file cannot be opened (the table is then emptied).
    bool loadFromFile(const std::filesystem::path& file);

private:
    std::map<std::string, std::string> table;
};
