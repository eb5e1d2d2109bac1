#include "Tessly.hpp"

namespace tyu
{
    void FrameAnimator::play()
    {
        m_frame = 0;
        m_elapsed = 0;
        m_state = Playing;
    }

    void FrameAnimator::stop()
    {
        m_frame = 0;
        m_elapsed = 0;
        m_state = Stopped;
    }

    void FrameAnimator::setFrame(sf::Uint16 frame)
    {
        m_frame = frame;
        m_elapsed = m_fps ? sf::Int64(frame) * 1000000 / m_fps : 0;
    }

    void FrameAnimator::advance(sf::Time elapsed)
    {
        if (m_state != Playing || !m_animation || m_animation->getFrameCount() == 0)
            return;
        m_elapsed += elapsed.asMicroseconds();
        const sf::Int64 frame = m_elapsed * m_fps / 1000000;
        if (frame < m_animation->getFrameCount())
        {
            m_frame = static_cast<sf::Uint16>(frame);
            return;
        }
        if (m_loop)
        {
            m_frame = 0;
            m_elapsed = 0;
            return;
        }
        m_frame = static_cast<sf::Uint16>(m_animation->getFrameCount() - 1);
        m_state = Stopped;
    }

    void FrameAnimator::draw(sf::RenderTarget& target, sf::RenderStates states) const
    {
        if (!m_animation || m_frame >= m_animation->getFrameCount())
            return;
        states.transform *= getTransform();
        m_animation->drawFrame(target, states, m_frame);
    }
}
