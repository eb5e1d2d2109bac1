#include "env/LL.hpp"

#include <iostream>

LL& LL::get() {
    static LL instance;
    return instance;
}

void LL::load(std::string_view bytes) {
    if (loaded)
        return;
    loaded = true;
    bool firstLine = true;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        auto end = bytes.find('\n', pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        // Drop the byte-order mark only where there is one, so a file saved without it keeps
        // its first key.
        if (firstLine && line.starts_with("\xEF\xBB\xBF"))
            line.remove_prefix(3);
        firstLine = false;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            loadLine(line);
    }
}

void LL::loadLine(std::string_view line) {
    std::vector<std::string>* list = nullptr;
    std::string key, field;
    std::size_t column = 0;
    bool quoted = false;

    auto finish = [&](bool last) {
        if (column == 0) {
            key = field;
            list = &table[key];
        } else if (!last || !field.empty()) {
            list->push_back(field);
        } else if (!list->empty()) {
            const std::string english = list->front();
            list->push_back(english);
            if (!english.empty()) {
                const std::size_t lang = column - 1;
                std::cerr << "Missing "
                          << (lang < c_languageNames.size() ? c_languageNames[lang] : "language " + std::to_string(lang))
                          << " translation for entry " << key << std::endl;
            }
        }
        field.clear();
        ++column;
    };

    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            finish(false);
        else
            field += c;
    }
    finish(true);
}

const std::string& LL::lookup(std::string_view key) const {
    auto it = table.find(key);
    if (it != table.end() && !it->second.empty()) {
        const auto& texts = it->second;
        if (language < texts.size() && (!texts[language].empty() || texts.front().empty()))
            return texts[language];
        return texts.front();
    }
    std::lock_guard lock(missingMutex);
    return missing.try_emplace(std::string(key), key).first->second;
}

std::string LL::arrayKey(std::string_view key, long long index) {
    std::string result(key);
    const auto bracket = result.find('[');
    const std::string digits = std::to_string(index);
    if (bracket == std::string::npos)
        result += "[" + digits + "]";
    else
        result.insert(bracket + 1, digits);
    return result;
}

std::string LL::english(std::string_view key) const {
    auto it = table.find(key);
    if (it != table.end() && !it->second.empty() && !it->second.front().empty())
        return it->second.front();
    return std::string(key);
}

const std::string& operator""_S(const char* key, std::size_t size) {
    return LL::get().lookup(std::string_view(key, size));
}

const char* operator""_C(const char* key, std::size_t size) {
    return LL::get().lookup(std::string_view(key, size)).c_str();
}
