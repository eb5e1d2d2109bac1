#include "app/PathInput.hpp"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace rux {

std::string CompletionSuffix(std::string_view typed, const std::vector<std::string>& names) {
    const std::string* first = nullptr;
    std::size_t shared = 0;  // length of the beginning every match so far has in common
    for (const std::string& name : names) {
        if (name.size() < typed.size() || name.compare(0, typed.size(), typed) != 0)
            continue;
        if (!first) {
            first = &name;
            shared = name.size();
            continue;
        }
        const auto diff = std::mismatch(first->begin(), first->begin() + static_cast<std::ptrdiff_t>(shared),
                                        name.begin(), name.end());
        shared = static_cast<std::size_t>(diff.first - first->begin());
    }
    if (!first)
        return {};
    return first->substr(typed.size(), shared - typed.size());
}

std::string CompletePath(const std::string& text) {
    const std::size_t slash = text.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : text.substr(0, slash);
    const std::string typed = slash == std::string::npos ? text : text.substr(slash + 1);
    std::error_code ec;
    if (!fs::is_directory(parent, ec))
        return text;
    std::vector<std::string> names;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    return text + CompletionSuffix(typed, names);
}

namespace {
int CompleteOnTab(ImGuiInputTextCallbackData* data) {
    if (data->EventFlag != ImGuiInputTextFlags_CallbackCompletion)
        return 0;
    const std::string text(data->Buf, static_cast<std::size_t>(data->BufTextLen));
    const std::string completed = CompletePath(text);
    if (completed.size() > text.size()) {
        data->InsertChars(data->BufTextLen, completed.c_str() + text.size());
        data->CursorPos = data->BufTextLen;
        data->SelectionStart = data->SelectionEnd = data->CursorPos;
    }
    return 0;
}
} // namespace

bool InputPath(const char* label, std::string& path) {
    return ImGui::InputText(label, &path, ImGuiInputTextFlags_CallbackCompletion, CompleteOnTab);
}

} // namespace rux
