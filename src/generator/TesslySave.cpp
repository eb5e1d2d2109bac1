#include "Tessly.hpp"

#include "generator/FrameCodec.hpp"

#include <fstream>

namespace Tessly
{
    bool Save(const std::vector<Object>& shapes, sf::Vector2u imageSize, const std::string& path, unsigned flags)
    {
        FrameBody body;
        body.flags = flags;
        if (!shapes.empty())
        {
            body.rotation = shapes.front().rotation;
            body.size = shapes.front().size;
        }
        body.shapes.reserve(shapes.size());
        const int height = static_cast<int>(imageSize.y);
        for (const Object& o : shapes)
        {
            FrameShape s;
            s.x = o.x;
            s.y = height - o.y;
            s.rotation = o.rotation;
            s.size = o.size;
            s.red = o.color.r;
            s.green = o.color.g;
            s.blue = o.color.b;
            body.shapes.push_back(s);
        }

        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        const char header[10] = {'T', 'Y', 'U', '0', '0', '2',
                                 char(imageSize.x & 0xFF), char((imageSize.x >> 8) & 0xFF),
                                 char(imageSize.y & 0xFF), char((imageSize.y >> 8) & 0xFF)};
        file.write(header, sizeof header);
        const std::string encoded = EncodeFrameBody(body);
        file.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
        return static_cast<bool>(file.flush());
    }
}
