#include "level/FileIO.hpp"
#include <cerrno>
#include <cstring>
#include <fstream>

namespace rux {
namespace {
void SetError(std::string* error, const std::string& what) {
    if (error) *error = what;
}
} // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::string& out, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        SetError(error, "is a folder");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        SetError(error, std::string("cannot open: ") + std::strerror(errno));
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        SetError(error, "read error");
        return false;
    }
    return true;
}

} // namespace rux
