#include "env/AppSettings.hpp"
#include "level/AtomicFile.hpp"

#include "env/Global.hpp"
#include "env/JSON.hpp"
#include "env/LL.hpp"
#include "env/Shortcuts.hpp"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <fstream>
#include <limits>
#include <system_error>

namespace rux {
namespace {

// The number readers take leading white space, a sign and digits up to the first other
// byte, like the standard conversions, but report a bad or out-of-range text instead of
// throwing, so one broken value never costs the others.
const char* skipSpace(const char* p) {
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    return p;
}

bool parseSigned(const std::string& text, long long& out) {
    const char* p = skipSpace(text.c_str());
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > 1LL << 31)
            return false;
    }
    value = negative ? -value : value;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    out = value;
    return true;
}

bool parseUnsigned(const std::string& text, std::uint64_t& out) {
    const char* p = skipSpace(text.c_str());
    if (*p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    std::uint64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const unsigned digit = unsigned(*p - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    out = value;
    return true;
}

bool parseFloat(const std::string& text, float& out) {
    const char* p = skipSpace(text.c_str());
    if (*p == '+')
        ++p;
    float value = 0;
    const auto [end, ec] = std::from_chars(p, text.c_str() + text.size(), value);
    if (ec != std::errc() || end == p || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

std::string layoutKey(int layout, int window) {
    return "layout" + std::to_string(layout) + AppSettings::c_windowFlagKeys[window];
}

class Reader {
public:
    explicit Reader(const JSON& doc) : doc(doc) {}

    void boolean(const char* key, bool& field) const {
        long long value;
        if (auto text = doc.find(key); text && parseSigned(*text, value))
            field = value != 0;
    }
    // Signed fields: clamped into [low, high] before they are narrowed.
    template <class T> void signedValue(const char* key, T& field, long long low, long long high) const {
        long long value;
        if (auto text = doc.find(key); text && parseSigned(*text, value))
            field = static_cast<T>(std::clamp(value, low, high));
    }
    // Unsigned fields keep the low bits of the number, as wide as the field.
    template <class T> void unsignedValue(const char* key, T& field) const {
        std::uint64_t value;
        if (auto text = doc.find(key); text && parseUnsigned(*text, value))
            field = static_cast<T>(value);
    }
    void real(const char* key, float& field) const {
        if (auto text = doc.find(key))
            parseFloat(*text, field);
    }
    void text(const char* key, std::string& field) const {
        if (auto text = doc.find(key))
            field = *text;
    }

private:
    const JSON& doc;
};

} // namespace

void AppSettings::SetWindowFlagDefaults() {
    for (auto& flags : windowFlags)
        flags = {true, true, true, true, false};
}

bool AppSettings::Save(const std::filesystem::path& file) const {
    JSON doc;
    const Global& global = Global::Get();
    doc.setValue("resX", resX);
    doc.setValue("resY", resY);
    doc.setValue("fullscreen", fullscreen);
    char scale[64];
    const auto written = std::to_chars(scale, scale + sizeof scale, menuScale, std::chars_format::fixed, 6);
    doc.setValueStr("menuScale", std::string(scale, written.ptr));
    doc.setValue("alwaysShowImages", alwaysShowImages);
    doc.setValue("verticalSync", verticalSync);
    doc.setValue("outOfFocus", outOfFocus);
    doc.setValue("bgColorR", bgColor.r);
    doc.setValue("bgColorG", bgColor.g);
    doc.setValue("bgColorB", bgColor.b);
    doc.setValue("antialiasing", antialiasing);
    doc.setValue("checkUpdatesOnStart", checkUpdatesOnStart);
    doc.setValue("enableBackups", enableBackups);
    doc.setValue("drawGridFirst", drawGridFirst);
    doc.setValue("overrideMaxZoom", overrideMaxZoom);
    doc.setValue("maxFPS", maxFPS);
    doc.setValue("showDebugRefresh", showDebugRefresh);
    doc.setValue("autoSave", autoSave);
    doc.setValue("autoSaveInterval", autoSaveInterval);
    doc.setValue("language", language);
    doc.setValueStr("autoOpenLevel", autoOpenLevel);
    doc.setValue("autoOpenLast", autoOpenLast);
    doc.setValue("touchPadSupport", touchPadSupport);
    doc.setValue("animateGrid", animateGrid);
    doc.setValue("animateZoom", animateZoom);
    doc.setValueStr("targetHTTPServer", targetHTTPServer);
    doc.setValue("layoutMode", static_cast<int>(layout));

    doc.setValue("theme", global.theme);
    doc.setValue("autoUpdateShaders", global.autoUpdateShaders);
    doc.setValue("doNotPrintErrors", global.doNotPrintErrors);
    doc.setValue("allowMultipleTabs", global.allowMultipleTabs);
    doc.setValue("autoUpdateTextures", global.autoUpdateTextures);
    doc.setValue("autoApplyUniforms", global.autoApplyUniforms);

    for (int k = 0; k < 3; ++k)
        for (int w = 0; w < WindowCount; ++w)
            doc.setValue(layoutKey(k, w), windowFlags[k][w]);
    const Shortcuts& shortcuts = Shortcuts::get();
    for (std::size_t i = 0; i < Shortcuts::c_count; ++i)
        doc.setValue("shortcut_" + std::to_string(i),
                     static_cast<unsigned int>(shortcuts.code(static_cast<ActionShortcut>(i))));

    std::string text;
    doc.saveToMemory(text);

    return WriteFileAtomically(file, text);
}

void AppSettings::Load(const std::filesystem::path& file) {
    JSON doc;
    if (!doc.loadFromFile(file))
        return;
    const Reader read(doc);
    Global& global = Global::Get();

    read.unsignedValue("resX", resX);
    read.unsignedValue("resY", resY);
    read.boolean("fullscreen", fullscreen);
    read.real("menuScale", menuScale);
    read.boolean("alwaysShowImages", alwaysShowImages);
    read.boolean("verticalSync", verticalSync);
    read.boolean("outOfFocus", outOfFocus);
    read.unsignedValue("bgColorR", bgColor.r);
    read.unsignedValue("bgColorG", bgColor.g);
    read.unsignedValue("bgColorB", bgColor.b);
    read.unsignedValue("antialiasing", antialiasing);
    read.boolean("checkUpdatesOnStart", checkUpdatesOnStart);
    read.boolean("enableBackups", enableBackups);
    read.boolean("drawGridFirst", drawGridFirst);
    read.boolean("overrideMaxZoom", overrideMaxZoom);
    read.signedValue("maxFPS", maxFPS, 5, 1000);
    read.boolean("showDebugRefresh", showDebugRefresh);
    read.boolean("autoSave", autoSave);
    read.signedValue("autoSaveInterval", autoSaveInterval, 1, 10);
    read.signedValue("language", language, 0, static_cast<long long>(c_languageNames.size()) - 1);
    read.text("autoOpenLevel", autoOpenLevel);
    read.boolean("autoOpenLast", autoOpenLast);
    read.boolean("touchPadSupport", touchPadSupport);
    read.boolean("animateGrid", animateGrid);
    read.boolean("animateZoom", animateZoom);
    read.text("targetHTTPServer", targetHTTPServer);
    read.signedValue("layoutMode", layout, 0, 2);

    read.signedValue("theme", global.theme, 0, 3);
    read.boolean("autoUpdateShaders", global.autoUpdateShaders);
    read.boolean("doNotPrintErrors", global.doNotPrintErrors);
    read.boolean("allowMultipleTabs", global.allowMultipleTabs);
    read.boolean("autoUpdateTextures", global.autoUpdateTextures);
    read.boolean("autoApplyUniforms", global.autoApplyUniforms);

    for (int k = 0; k < 3; ++k)
        for (int w = 0; w < WindowCount; ++w)
            read.boolean(layoutKey(k, w).c_str(), windowFlags[k][w]);

    Shortcuts& shortcuts = Shortcuts::get();
    for (std::size_t i = 0; i < Shortcuts::c_count; ++i) {
        std::uint32_t code = 0xFFFFFFFF;
        read.unsignedValue(("shortcut_" + std::to_string(i)).c_str(), code);
        // All ones means "unchanged"; setCode refuses keys outside the key range.
        if (code != 0xFFFFFFFF)
            shortcuts.setCode(static_cast<ActionShortcut>(i), code);
    }

    // Values a hand-edited or older file may hold out of range.
    resX = std::max<std::uint32_t>(resX, 800);
    resY = std::max<std::uint32_t>(resY, 600);
    if (!(menuScale >= 0.75f))
        menuScale = 0.75f;
    menuScale = std::min(menuScale, 1.5f);
    fontSize = static_cast<int>(16 * menuScale);
    if (antialiasing != 0 && antialiasing != 1 && antialiasing != 2 && antialiasing != 4 && antialiasing != 8)
        antialiasing = 0;
    maxFPS = std::clamp(maxFPS, 5, 1000);
    autoSaveInterval = std::clamp(autoSaveInterval, 1, 10);
    language = std::clamp(language, 0, 1);
    global.theme = std::clamp(global.theme, 0, 3);
    layout = std::min<std::uint8_t>(layout, 2);

    LL::get().language = static_cast<std::uint8_t>(language);
}

} // namespace rux
