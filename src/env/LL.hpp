#pragma once
// The language table: every user-visible label is looked up by its key (usually the
// English wording itself) in the current language. Array keys end in "[]" and are
// asked for with an index ("fileMenu[]", 3 -> "fileMenu[3]").
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

inline const std::array<std::string, 2> c_languageNames{"English", "Deutsch"};

class LL {
public:
    // Index into c_languageNames.
    std::uint8_t language = 0;

    static LL& get();

    // Fills the table from the bytes of a "key,English,German" CSV file; only the first call
    // of an instance loads, later ones leave the table as it is.
    void load(std::string_view bytes);
    bool isLoaded() const { return loaded; }

    // The text of the key in the current language. A missing cell falls back to the English
    // one; an unknown key yields the key itself. The reference stays valid for the instance's
    // lifetime.
    const std::string& lookup(std::string_view key) const;

    // The array entry key[index] of the shared table (key ends in "[]").
    template <class I> static const std::string& ind(std::string_view key, I index) {
        static_assert(std::is_integral_v<I>, "LL::ind takes an integer index");
        return get().lookup(arrayKey(key, static_cast<long long>(index)));
    }

    // "fileMenu[]", 3 -> "fileMenu[3]": the index goes right after the first '['.
    static std::string arrayKey(std::string_view key, long long index);

    // The language-0 text of a key, whatever the current language (for file names that must
    // not change with the interface language).
    std::string english(std::string_view key) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    template <class V> using Map = std::unordered_map<std::string, V, Hash, std::equal_to<>>;

    void loadLine(std::string_view line);

    Map<std::vector<std::string>> table;
    bool loaded = false;
    // Unknown keys asked for, kept so that the returned references stay valid.
    mutable std::mutex missingMutex;
    mutable Map<std::string> missing;
};

const std::string& operator""_S(const char* key, std::size_t size);
const char* operator""_C(const char* key, std::size_t size);
