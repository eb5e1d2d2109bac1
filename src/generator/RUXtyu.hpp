#pragma once

#include "Tessly.hpp"
#include "ddd/FrameBuffer3D.hpp"
#include "ddd/Projection3D.hpp"
#include "ddd/Shader3D.hpp"
#include "ddd/Texture3D.hpp"
#include "ddd/Transformable3D.hpp"
#include "ddd/VertexBuffer3D.hpp"
#include "generator/CounterImage.hpp"
#include "generator/Tesslify.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Time.hpp>
#include <SFML/Window/Context.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

// One generator job: approximates a target image by shapes found with an evolutionary search
// on the GPU. It owns its OpenGL context and every GL object, so jobs on different threads
// share nothing. Start and Update leave the job's context current on the calling thread.
class Tesslify::RUXtyu
{
public:
    // One candidate shape.
    struct _Object
    {
        _Object();

        std::int64_t score = 0;
        DDD::Transformable3D transformable;
        sf::Color color{0, 0, 0, 255};
    };

    struct EvaluationVertex
    {
        sf::Vector2f position;
        sf::Vector2f texCoord;
    };

    struct RenderingVertex
    {
        sf::Vector2f position;
    };

    // Where the time of each generation goes; filled only while profiling is on, since it
    // waits for the GPU between the steps.
    struct Timings
    {
        sf::Time upload, colourPass, scorePass, readBack;
        int generations = 0;
    };

    // Without a seed the random engine starts from the calendar time in seconds.
    RUXtyu(bool exportPng, bool exportFrame, int evolutionCount, int generationCount, sf::Vector2i rotationRange,
           bool constantRotation, bool constantSize, std::optional<std::uint32_t> seed = std::nullopt);
    ~RUXtyu();
    RUXtyu(const RUXtyu&) = delete;
    RUXtyu& operator=(const RUXtyu&) = delete;

    // Prepares the job. Returns false after writing why to sf::err() when it cannot run: the
    // target does not load or is too large, or a shader program fails to build. Such a job is
    // finished and writes nothing.
    bool Start(const std::string& targetPath, const std::string& outputPath, const sf::Image& shape, int totalShapes,
               int minSize, int maxSize, unsigned saveFlags);

    // Makes one shape attempt. Returns true once the job has ended and its files are written:
    // all shapes placed, 200 attempts in a row without a gain, or `save` asked for.
    bool Update(bool save);

    void GenerationLoop();
    // Draws fresh candidates unless keep > 0 and rebuilds the evaluation vertices; returns the
    // size bound it used.
    float Generate(int keep, _Object* first);
    void Evaluate(_Object* first);

    // Image-space corner j (0..5 of the unit quad) of a candidate as the evaluation sees it.
    // It matches the shape that is painted and that a frame file draws.
    static sf::Vector2f EvaluationCorner(const _Object& candidate, int corner);

    int shapesPlaced() const { return m_shapesPlaced; }
    bool finished() const { return m_finished; }
    bool failed() const { return m_failed; }
    bool writeFailed() const { return m_writeFailed; }
    int zeroStreak() const { return m_zeroStreak; }
    int maxSize() const { return m_maxSize; }
    sf::Vector2u imageSize() const { return m_imageSize; }
    const std::vector<Tessly::Object>& results() const { return m_results; }
    const DDD::Texture3D& currentImage() const { return m_currentImage; }
    sf::Context& context() { return *m_context; }

    void setProfiling(bool on) { m_profiling = on; }
    const Timings& timings() const { return m_timings; }

private:
    float Random();
    float Angle(float r) const;
    void Vary(_Object& candidate);
    void Place(_Object winner);
    void WriteOutput();
    bool Fail(const std::string& message);
    sf::Time Lap(sf::Clock& clock);

    std::unique_ptr<sf::Context> m_context;
    DDD::Projection3D m_projection;
    std::string m_targetPath;
    std::string m_outputPath;
    int m_evolutionCount;
    int m_survivors;
    int m_generationCount;
    int m_minRotation;
    int m_maxRotation;
    bool m_constantRotation;
    bool m_constantSize;
    int m_totalShapes = 3000;
    int m_minSize = 3;
    int m_maxSize = 512;
    std::uint16_t m_zeroStreak = 0;
    bool m_exportPng;
    bool m_exportFrame;
    unsigned m_saveFlags = 0;

    DDD::Shader3D m_samplingProgram;
    DDD::Shader3D m_evaluationProgram;
    DDD::Shader3D m_renderingProgram;
    DDD::VertexBuffer3D<EvaluationVertex> m_evaluationVertices{1};
    DDD::VertexBuffer3D<RenderingVertex> m_renderingVertices{1};
    DDD::Texture3D m_targetImage;
    DDD::Texture3D m_shapeTexture;
    DDD::Texture3D m_currentImage;
    DDD::Texture3D m_scratchImage;
    DDD::FrameBuffer3D m_currentBuffer;
    DDD::FrameBuffer3D m_scratchBuffer;
    Tessly::CounterImage m_colourSums;
    Tessly::CounterImage m_scores;

    std::vector<_Object> m_candidates[2];
    int m_current = 0;
    std::vector<Tessly::Object> m_results;
    std::mt19937 m_random;
    sf::Vector2u m_imageSize;
    int m_shapesPlaced = 0;
    bool m_finished = false;
    bool m_failed = false;
    bool m_writeFailed = false;
    bool m_profiling = false;
    Timings m_timings;
};
