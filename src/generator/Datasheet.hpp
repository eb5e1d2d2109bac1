#pragma once

#include <string>
#include <vector>

namespace Tessly
{
    // The merger's list of frame files: one path per line; tab, carriage-return and zero
    // bytes are dropped. A final line without an end of line counts.
    std::vector<std::string> ParseDatasheet(const std::string& bytes);

    // False when the file cannot be read.
    bool LoadDatasheet(const std::string& path, std::vector<std::string>& lines);
}
