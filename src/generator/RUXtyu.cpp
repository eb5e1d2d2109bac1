#include "ddd/GL.hpp"
#include "generator/RUXtyu.hpp"

#include <SFML/System/Clock.hpp>
#include <SFML/System/Err.hpp>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numeric>
#include <ostream>

namespace
{
    // Stalled attempts in a row that end a job.
    constexpr int c_stallLimit = 200;
    // Beyond this edge a shape covering the whole image could overflow a 32-bit colour sum.
    constexpr int c_maxSummedSize = 2896;

    sf::ContextSettings GeneratorContext() { return sf::ContextSettings(0, 0, 0, 4, 2); }
}

Tesslify::RUXtyu::_Object::_Object() { transformable.setOrigin({0.5f, 0.5f, 0.f}); }

Tesslify::RUXtyu::RUXtyu(bool exportPng, bool exportFrame, int evolutionCount, int generationCount,
                         sf::Vector2i rotationRange, bool constantRotation, bool constantSize,
                         std::optional<std::uint32_t> seed)
    : m_context(std::make_unique<sf::Context>(GeneratorContext(), 1, 1)),
      m_evolutionCount(evolutionCount),
      m_survivors(evolutionCount / 10),
      m_generationCount(generationCount),
      m_minRotation(rotationRange.x),
      m_maxRotation(constantRotation ? rotationRange.x : rotationRange.y),
      m_constantRotation(constantRotation),
      m_constantSize(constantSize),
      m_exportPng(exportPng),
      m_exportFrame(exportFrame),
      m_random(seed ? *seed : static_cast<std::uint32_t>(std::time(nullptr)))
{
    m_colourSums.create(std::size_t(4) * std::max(evolutionCount, 1));
    m_scores.create(std::size_t(3) * std::max(evolutionCount, 1));
}

Tesslify::RUXtyu::~RUXtyu()
{
    // The GL objects below are deleted in this context.
    m_context->setActive(true);
}

bool Tesslify::RUXtyu::Fail(const std::string& message)
{
    sf::err() << message << std::endl;
    m_failed = true;
    m_finished = true;
    return false;
}

bool Tesslify::RUXtyu::Start(const std::string& targetPath, const std::string& outputPath, const sf::Image& shape,
                             int totalShapes, int minSize, int maxSize, unsigned saveFlags)
{
    const Tesslify& shared = Tesslify::Get();
    const std::string samplingVertex = SamplingVertexSource();
    const std::string samplingFragment = SamplingFragmentSource();
    const std::string evaluationFragment = EvaluationFragmentSource(m_evolutionCount);

    m_context->setActive(true);
    m_targetPath = targetPath;
    m_outputPath = outputPath;
    m_totalShapes = totalShapes;
    m_minSize = minSize;
    m_maxSize = m_constantSize ? minSize : maxSize;
    m_saveFlags = saveFlags;

    if (m_evolutionCount < 10 || m_generationCount < 1 || m_totalShapes < 1 || m_minSize < 1 || m_maxSize < m_minSize)
        return Fail("Tessly job not started: evolution count, generation count, shape count and shape sizes must be positive.");
    if (epoxy_gl_version() < 42)
        return Fail("Tessly not supported on your system since your OpenGL driver does not support version 4.2. "
                    "Check if updates are available.");

    sf::Image target;
    if (!target.loadFromFile(targetPath))
        return Fail("Cannot load the target image " + targetPath + ".");
    m_imageSize = target.getSize();
    GLint maxTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    if (m_imageSize.x > unsigned(maxTexture) || m_imageSize.y > unsigned(maxTexture))
        return Fail("The target image is larger than this OpenGL driver's textures (" + std::to_string(maxTexture) +
                    " pixels a side).");
    if (shape.getSize().x == 0 || shape.getSize().y == 0)
        return Fail("The shape texture is empty.");

    // Frame records hold limited sizes and positions; past them the values would wrap.
    if (m_exportFrame)
    {
        if (m_imageSize.x > Tessly::c_maxFrameSide || m_imageSize.y > Tessly::c_maxFrameSide)
            return Fail(".tyu export needs a target image of at most 8191 x 8191 pixels.");
        const int limit = (saveFlags & 3) == 0 ? Tessly::c_maxFullRecordSize : Tessly::c_maxShortRecordSize;
        if (m_maxSize > limit)
        {
            sf::err() << "Max shape size lowered to " << limit << " so that it fits the .tyu file." << std::endl;
            m_maxSize = limit;
        }
    }
    if (std::uint64_t(m_imageSize.x) * m_imageSize.y > std::uint64_t(c_maxSummedSize) * c_maxSummedSize &&
        m_maxSize > c_maxSummedSize)
    {
        sf::err() << "Max shape size lowered to " << c_maxSummedSize << " so that colour sums stay exact." << std::endl;
        m_maxSize = c_maxSummedSize;
    }
    m_minSize = std::min(m_minSize, m_maxSize);

    const float w = float(m_imageSize.x), h = float(m_imageSize.y);
    DDD::Transform3D ortho;
    ortho.Ortho(0.f, w, 0.f, h, -1.f, 1.f);
    m_projection = DDD::Projection3D(ortho);
    m_projection.setViewport({0, 0, int(m_imageSize.x), int(m_imageSize.y)});

    DDD::TextureSlot(0);
    m_targetImage.loadFromImage(target);
    m_currentImage.create(m_imageSize);
    m_scratchImage.create(m_imageSize);
    m_currentBuffer.attachTexture(m_currentImage);
    m_scratchBuffer.attachTexture(m_scratchImage);

    m_candidates[0].assign(m_evolutionCount, _Object());
    m_candidates[1].assign(m_evolutionCount, _Object());
    m_evaluationVertices.vertices().resize(std::size_t(6) * m_evolutionCount);
    m_evaluationVertices.setAttributes({0, 1});
    m_renderingVertices.vertices().clear();
    for (const sf::Vector2f& corner : shared.quad())
        m_renderingVertices.vertices().push_back({corner});
    m_renderingVertices.setAttributes({0});
    m_renderingVertices.update();

    m_shapeTexture.loadFromImage(shape);
    if (!m_samplingProgram.loadFromMemory(samplingVertex, DDD::Shader3D::Vertex) ||
        !m_samplingProgram.loadFromMemory(samplingFragment, DDD::Shader3D::Fragment) ||
        !m_evaluationProgram.loadFromMemory(samplingVertex, DDD::Shader3D::Vertex) ||
        !m_evaluationProgram.loadFromMemory(evaluationFragment, DDD::Shader3D::Fragment) ||
        !m_renderingProgram.loadFromMemory(shared.renderingVertexSource(), DDD::Shader3D::Vertex) ||
        !m_renderingProgram.loadFromMemory(shared.renderingFragmentSource(), DDD::Shader3D::Fragment))
        return Fail("Tessly job stopped: a shader program of the generator failed to build.");

    DDD::BindShader(&m_samplingProgram);
    m_samplingProgram.setUniform("sf_samplers[1]", 1);
    m_samplingProgram.setUniform("u_textureSize0", sf::Vector2f(1.f / shape.getSize().x, 1.f / shape.getSize().y));
    m_samplingProgram.setUniform("u_textureSize1", sf::Vector2f(1.f / w, 1.f / h));
    DDD::BindShader(&m_evaluationProgram);
    m_evaluationProgram.setUniform("sf_samplers[1]", 1);
    m_evaluationProgram.setUniform("sf_samplers[2]", 2);
    DDD::BindShader(nullptr);
    DDD::TextureSlot(1);
    DDD::BindTexture(&m_targetImage);
    DDD::TextureSlot(2);
    DDD::BindTexture(&m_currentImage);
    DDD::TextureSlot(0);

    m_colourSums.resetAndBind();
    m_scores.resetAndBind();

    m_currentBuffer.setProjection3D(m_projection);
    m_scratchBuffer.setProjection3D(m_projection);
    m_currentBuffer.clear(DDD::ColorF(0, 0, 0, 1));
    return true;
}

float Tesslify::RUXtyu::Random() { return float(m_random()) * (1.f / 4294967296.f); }

float Tesslify::RUXtyu::Angle(float r) const
{
    return std::trunc(r * 512.f) * (float(m_maxRotation - m_minRotation) / 512.f) + float(m_minRotation);
}

sf::Vector2f Tesslify::RUXtyu::EvaluationCorner(const _Object& candidate, int corner)
{
    // Painting draws into a framebuffer whose rows run opposite to the image's and mirrors the
    // shape back; what lands in the image, and what a frame file draws, is the shape turned by
    // the negative angle. The evaluation scores that same shape.
    const DDD::Transformable3D& t = candidate.transformable;
    DDD::Transform3D transform;
    transform.translate(t.getPosition())
        .rotate({0.f, 0.f, -t.getRotation().z})
        .scale(t.getScale())
        .translate(-t.getOrigin());
    const sf::Vector2f& c = Tesslify::Get().quad()[corner];
    const sf::Vector3f p = transform.transformPoint({c.x, c.y, 0.f});
    return {p.x, p.y};
}

float Tesslify::RUXtyu::Generate(int keep, _Object* first)
{
    const float bound = m_shapesPlaced == 0
                            ? float(m_maxSize)
                            : std::min(float(m_maxSize), 10.f / (float(m_shapesPlaced) / float(m_totalShapes)));
    const float range = std::trunc(bound - float(m_minSize));
    const float w = float(m_imageSize.x), h = float(m_imageSize.y);

    if (keep == 0)
        for (int i = 0; i < m_evolutionCount; ++i)
        {
            const float y = std::trunc(Random() * h);
            const float x = std::trunc(Random() * w);
            const float size = std::clamp(std::trunc(Random() * range + float(m_minSize)), float(m_minSize),
                                          float(m_maxSize));
            const float angle = Angle(Random());
            DDD::Transformable3D& t = first[i].transformable;
            t.setPosition({x, y, 0.f});
            t.setRotation({0.f, 0.f, angle});
            t.setScale({size, size, 1.f});
        }

    std::vector<EvaluationVertex>& vertices = m_evaluationVertices.vertices();
    for (int i = 0; i < m_evolutionCount; ++i)
        for (int j = 0; j < 6; ++j)
        {
            const sf::Vector2f p = EvaluationCorner(first[i], j);
            vertices[std::size_t(6) * i + j] = {p, {p.x / w, p.y / h}};
        }
    return bound;
}

void Tesslify::RUXtyu::Evaluate(_Object* first)
{
    sf::Clock clock;
    const unsigned count = unsigned(6 * m_evolutionCount);
    DDD::RenderStates3D states;
    states.blendMode = sf::BlendAlpha;
    states.texture = &m_shapeTexture;

    m_scratchBuffer.clear(DDD::ColorF(0, 0, 0, 1));
    m_colourSums.resetAndBind();
    states.shader = &m_samplingProgram;
    m_scratchBuffer.draw(&m_evaluationVertices, nullptr, count, sf::Triangles, states);
    m_timings.colourPass += Lap(clock);
    const std::vector<std::int32_t>& sums = m_colourSums.read();
    m_timings.readBack += Lap(clock);

    DDD::BindShader(&m_evaluationProgram);
    for (int i = 0; i < m_evolutionCount; ++i)
    {
        const std::int32_t* s = &sums[std::size_t(4) * i];
        sf::Color colour(0, 0, 0, 255);
        if (s[3] > 0)
        {
            const float n = float(s[3]);
            colour = sf::Color(sf::Uint8(float(s[0]) / n), sf::Uint8(float(s[1]) / n), sf::Uint8(float(s[2]) / n), 255);
        }
        first[i].color = colour;
        m_evaluationProgram.setUniform("u_col[" + std::to_string(i) + "]", colour);
    }

    m_scratchBuffer.clear(DDD::ColorF(0, 0, 0, 1));
    m_scores.resetAndBind();
    states.shader = &m_evaluationProgram;
    m_scratchBuffer.draw(&m_evaluationVertices, nullptr, count, sf::Triangles, states);
    m_timings.scorePass += Lap(clock);
    const std::vector<std::int32_t>& scores = m_scores.read();
    m_timings.readBack += Lap(clock);
    for (int i = 0; i < m_evolutionCount; ++i)
    {
        const std::int32_t* s = &scores[std::size_t(3) * i];
        first[i].score = std::int64_t(s[0]) + s[1] + s[2];
    }
}

sf::Time Tesslify::RUXtyu::Lap(sf::Clock& clock)
{
    if (!m_profiling)
        return sf::Time::Zero;
    glFinish();
    return clock.restart();
}

void Tesslify::RUXtyu::Vary(_Object& candidate)
{
    DDD::Transformable3D& t = candidate.transformable;
    const float dy = std::trunc((Random() - 0.5f) * 100.f);
    const float dx = std::trunc((Random() - 0.5f) * 100.f);
    const sf::Vector3f position = t.getPosition();
    t.setPosition({std::trunc(position.x) + dx, std::trunc(position.y) + dy, 0.f});
    const float scale = t.getScale().x;
    float size = m_constantSize ? std::trunc(scale) : std::trunc((1.f + Random() * 0.2f - 0.1f) * scale);
    if (!m_constantRotation)
        t.setRotation({0.f, 0.f, Angle(Random())});
    size = std::clamp(size, float(m_minSize), float(m_maxSize));
    t.setScale({size, size, 1.f});
}

void Tesslify::RUXtyu::GenerationLoop()
{
    const int n = m_evolutionCount;
    const int k = m_survivors;
    _Object winner;
    for (int g = 0; g < m_generationCount; ++g)
    {
        std::vector<_Object>& current = m_candidates[m_current];
        std::vector<_Object>& other = m_candidates[1 - m_current];
        sf::Clock clock;
        Generate(g == 0 ? 0 : k, current.data());
        m_evaluationVertices.update();
        m_timings.upload += Lap(clock);
        Evaluate(current.data());
        ++m_timings.generations;

        // Best first; among equal scores the later candidate first.
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            return current[a].score != current[b].score ? current[a].score > current[b].score : a > b;
        });

        if (g == m_generationCount - 1)
        {
            winner = current[order[0]];
            current.assign(n, _Object());
            m_current = 1 - m_current;
            break;
        }
        for (int j = 0; j < k; ++j)
            other[j] = current[order[j]];
        current.assign(n, _Object());
        for (int j = 0; j < k; ++j)
            for (int c = 1; c < n / k; ++c)
            {
                _Object& slot = other[k * c + j];
                slot = other[j];
                Vary(slot);
            }
        m_current = 1 - m_current;
    }

    // Attempts without a gain count towards the stall stop, negative ones included, so a job
    // that cannot improve its image still ends.
    if (winner.score <= 0)
    {
        ++m_zeroStreak;
        return;
    }
    m_zeroStreak = 0;
    Place(winner);
}

void Tesslify::RUXtyu::Place(_Object winner)
{
    DDD::Transformable3D& t = winner.transformable;
    const sf::Vector3f position = t.getPosition();
    const float h = float(m_imageSize.y);
    t.setPosition({position.x, h - position.y, 0.f});
    t.scale({1.f, -1.f, 1.f});

    DDD::RenderStates3D states;
    states.blendMode = sf::BlendAlpha;
    states.texture = &m_shapeTexture;
    states.shader = &m_renderingProgram;
    states.transform = t.getTransform();
    DDD::BindShader(&m_renderingProgram);
    m_renderingProgram.setUniform("u_col", winner.color);
    m_currentBuffer.draw(&m_renderingVertices, nullptr, 6, sf::Triangles, states);

    ++m_shapesPlaced;
    Tessly::Object record;
    record.x = static_cast<sf::Int32>(std::trunc(position.x));
    record.y = static_cast<sf::Int32>(std::trunc(h - position.y));
    record.rotation = static_cast<sf::Int16>(std::trunc(t.getRotation().z / 0.703125f));
    record.size = static_cast<sf::Int16>(std::trunc(t.getScale().x));
    record.color = winner.color;
    m_results.push_back(record);
}

bool Tesslify::RUXtyu::Update(bool save)
{
    if (m_finished)
        return true;
    m_context->setActive(true);
    GenerationLoop();
    if (m_shapesPlaced != m_totalShapes && m_zeroStreak < c_stallLimit && !save)
        return false;
    m_finished = true;
    WriteOutput();
    return true;
}

void Tesslify::RUXtyu::WriteOutput()
{
    if (m_exportPng)
    {
        sf::Image image;
        m_currentImage.copyToImage(image);
        image.flipVertically();
        if (!image.saveToFile(m_outputPath + ".png"))
            m_writeFailed = true;
    }
    if (m_exportFrame && !Tessly::Save(m_results, m_imageSize, m_outputPath + ".tyu", m_saveFlags))
    {
        sf::err() << "Failed to write " << m_outputPath << ".tyu" << std::endl;
        m_writeFailed = true;
    }
}
