#pragma once

// Tessly frames and videos for games and the editor: the generator's result record, the frame
// (".tyu") and video (".tyv") writers, and the classes that load, draw and play them.

#include <SFML/Config.hpp>
#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/Graphics/VertexBuffer.hpp>
#include <SFML/System/InputStream.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>
#include <vector>

namespace Tessly
{
    // One placed shape as the generator records it.
    struct Object
    {
        sf::Int32 x = 0;          // centre, image pixels
        sf::Int32 y = 0;          // image height minus the centre's row
        sf::Int16 rotation = 0;   // 1/512 turns: truncate(degrees / 0.703125)
        sf::Int16 size = 0;       // edge length in pixels
        sf::Color color;          // alpha is always 255
    };

    // Largest picture side and shape sizes a frame record can hold without wrapping.
    inline constexpr unsigned c_maxFrameSide = 8191;
    inline constexpr int c_maxFullRecordSize = 2047;   // flags 0
    inline constexpr int c_maxShortRecordSize = 4095;  // one constant in the header

    // Writes a frame file. flags: bit 0 constant rotation, bit 1 constant size (the first
    // shape's value goes into the header). Returns false when the file cannot be written.
    bool Save(const std::vector<Object>& shapes, sf::Vector2u imageSize, const std::string& path, unsigned flags);

    // Joins the frame files named by the pattern (its first "*" replaced by each number of the
    // range, with addZeros padded to four digits) into output + ".tyv". Files that are missing,
    // foreign or cut short add no frame; the header counts the frames written. Returns false
    // when nothing could be written.
    bool Merge(const std::string& pattern, const std::string& output, sf::Vector2i range, bool addZeros);
}

namespace tyu
{
    // A frame file ready to draw: six vertices per shape.
    class Frame : public sf::Drawable
    {
    public:
        Frame();

        // Returns true when the whole file was read. A stream without the frame magic leaves the
        // frame as it was; one that ends early keeps the shapes read before the end.
        bool loadFromStream(sf::InputStream& stream);
        bool loadFromFile(const std::string& path);

        // Texture coordinates of every shape become the texture's full rectangle.
        void setTexture(const sf::Texture* texture);
        const sf::Texture* getTexture() const { return m_texture; }

        unsigned getWidth() const { return m_width; }
        unsigned getHeight() const { return m_height; }
        std::size_t getShapeCount() const { return m_vertices.getVertexCount() / 6; }
        const sf::VertexArray& getVertices() const { return m_vertices; }

        // Draws the first `count` shapes (all of them by draw()).
        void drawShapes(sf::RenderTarget& target, sf::RenderStates states, std::size_t count) const;

    protected:
        void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    private:
        sf::VertexArray m_vertices;
        sf::VertexBuffer m_buffer;
        unsigned m_width = 0;
        unsigned m_height = 0;
        const sf::Texture* m_texture = nullptr;
    };

    // A video file: one vertex list per frame.
    class FrameAnimation
    {
    public:
        // Same rules as Frame::loadFromStream; a video that ends early keeps its whole frames
        // and the shapes of the frame it ended in.
        bool loadFromStream(sf::InputStream& stream);
        bool loadFromFile(const std::string& path);
        void setTexture(const sf::Texture* texture);
        const sf::Texture* getTexture() const { return m_texture; }

        unsigned getWidth() const { return m_width; }
        unsigned getHeight() const { return m_height; }
        sf::Uint16 getFrameCount() const { return m_frameCount; }
        const sf::VertexArray& getFrame(std::size_t index) const { return m_frames[index]; }

        void drawFrame(sf::RenderTarget& target, const sf::RenderStates& states, std::size_t index) const;

    private:
        std::vector<sf::VertexArray> m_frames;
        std::vector<sf::VertexBuffer> m_buffers;
        unsigned m_width = 0;
        unsigned m_height = 0;
        sf::Uint16 m_frameCount = 0;
        const sf::Texture* m_texture = nullptr;
    };

    // Plays a FrameAnimation at a number of frames per second.
    class FrameAnimator : public sf::Drawable, public sf::Transformable
    {
    public:
        enum State : sf::Uint8 { Stopped = 0, Playing = 2 };

        void setAnimation(const FrameAnimation* animation) { m_animation = animation; }
        const FrameAnimation* getAnimation() const { return m_animation; }
        void setFramesPerSecond(sf::Uint8 fps) { m_fps = fps; }
        sf::Uint8 getFramesPerSecond() const { return m_fps; }
        void setLoop(bool loop) { m_loop = loop; }
        bool getLoop() const { return m_loop; }

        // From frame 0.
        void play();
        void stop();
        // Shows the frame and sets the play time to match it.
        void setFrame(sf::Uint16 frame);
        // Moves the play time on; past the last frame it loops or stops on the last frame.
        void advance(sf::Time elapsed);

        State getState() const { return m_state; }
        sf::Uint16 getFrame() const { return m_frame; }

    protected:
        void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    private:
        State m_state = Stopped;
        const FrameAnimation* m_animation = nullptr;
        sf::Uint16 m_frame = 0;
        sf::Uint8 m_fps = 10;
        sf::Int64 m_elapsed = 0;   // microseconds
        bool m_loop = false;
    };
}
