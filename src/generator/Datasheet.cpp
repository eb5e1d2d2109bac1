#include "generator/Datasheet.hpp"

#include <fstream>
#include <iterator>

namespace Tessly
{
    std::vector<std::string> ParseDatasheet(const std::string& bytes)
    {
        std::vector<std::string> lines;
        std::string line;
        for (char c : bytes)
        {
            if (c == '\n')
            {
                lines.push_back(std::move(line));
                line.clear();
            }
            else if (c != '\t' && c != '\r' && c != '\0')
                line.push_back(c);
        }
        if (!bytes.empty() && bytes.back() != '\n')
            lines.push_back(std::move(line));
        return lines;
    }

    bool LoadDatasheet(const std::string& path, std::vector<std::string>& lines)
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return false;
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (file.bad())
            return false;
        lines = ParseDatasheet(bytes);
        return true;
    }
}
